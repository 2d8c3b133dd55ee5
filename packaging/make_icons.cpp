// Writes the product picture as the installed icon set: a scalable SVG and PNGs in the sizes
// given, laid out as the hicolor theme wants them, all from the shapes the splash window draws.
//
//   zanu-make-icons OUTDIR SIZE...   ->  OUTDIR/scalable/apps/zanu-config.svg,
//                                        OUTDIR/NxN/apps/zanu-config.png
#include "dialogs/frm_splash.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainterPath>
#include <QSaveFile>

#include <cstdio>

namespace {

QString num(qreal v) {
    return QString::number(v, 'g', 6);
}

QString colour(const QColor &c) {
    return c.name(QColor::HexRgb);
}

QString pathData(const QPainterPath &path) {
    QString d;
    QPointF subpathStart;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += QStringLiteral("M%1 %2").arg(num(e.x), num(e.y));
            subpathStart = e;
        } else if (e.isLineTo()) {
            d += QStringLiteral("L%1 %2").arg(num(e.x), num(e.y));
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                     .arg(num(e.x), num(e.y), num(c2.x), num(c2.y), num(end.x), num(end.y));
            i += 2;
        }
        // A subpath that comes back to where it began is closed, so that its outline joins there
        // instead of ending in two caps.
        const bool subpathEnds = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        const QPainterPath::Element last = path.elementAt(i);
        if (subpathEnds && QPointF(last) == subpathStart && !e.isMoveTo()) d += QLatin1Char('Z');
    }
    return d;
}

QString svg(const QList<PictureShape> &shapes) {
    QString defs, body;
    int gradients = 0;
    for (const PictureShape &shape : shapes) {
        QString fill = QStringLiteral("none");
        if (const auto *g = shape.fill.gradient(); g && g->type() == QGradient::LinearGradient) {
            const auto *lg = static_cast<const QLinearGradient *>(g);
            const QString id = QStringLiteral("g%1").arg(++gradients);
            defs += QStringLiteral("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" "
                                   "x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">")
                        .arg(id, num(lg->start().x()), num(lg->start().y()),
                             num(lg->finalStop().x()), num(lg->finalStop().y()));
            for (const QGradientStop &stop : lg->stops())
                defs += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>")
                            .arg(num(stop.first), colour(stop.second));
            defs += QStringLiteral("</linearGradient>\n");
            fill = QStringLiteral("url(#%1)").arg(id);
        } else if (shape.fill.style() == Qt::SolidPattern) {
            fill = colour(shape.fill.color());
        }
        QString stroke = QStringLiteral("stroke=\"none\"");
        if (shape.pen.style() != Qt::NoPen) {
            const char *cap = shape.pen.capStyle() == Qt::FlatCap    ? "butt"
                              : shape.pen.capStyle() == Qt::RoundCap ? "round"
                                                                     : "square";
            const char *join = shape.pen.joinStyle() == Qt::RoundJoin   ? "round"
                               : shape.pen.joinStyle() == Qt::MiterJoin ? "miter"
                                                                        : "bevel";
            stroke = QStringLiteral("stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"%3\" "
                                    "stroke-linejoin=\"%4\"")
                         .arg(colour(shape.pen.color()), num(shape.pen.widthF()),
                              QLatin1String(cap), QLatin1String(join));
        }
        const char *rule = shape.path.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero";
        body += QStringLiteral("<path d=\"%1\" fill=\"%2\" fill-rule=\"%3\" %4/>\n")
                    .arg(pathData(shape.path), fill, QLatin1String(rule), stroke);
    }
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
                          "viewBox=\"0 0 64 64\">\n<defs>\n%1</defs>\n%2</svg>\n")
        .arg(defs, body);
}

bool write(const QString &file, const QByteArray &bytes) {
    QSaveFile f(file);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !f.open(QIODevice::WriteOnly) ||
        f.write(bytes) != bytes.size() || !f.commit()) {
        std::fprintf(stderr, "zanu-make-icons: could not write %s: %s\n", qPrintable(file),
                     qPrintable(f.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    // Runs during the build, where there may be no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fputs("usage: zanu-make-icons OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QDir out(args[1]);
    if (!write(out.filePath(QStringLiteral("scalable/apps/zanu-config.svg")),
               svg(ProductPictureShapes()).toUtf8()))
        return 1;
    for (const QString &arg : args.mid(2)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "zanu-make-icons: '%s' is not a size (8..1024)\n",
                         qPrintable(arg));
            return 2;
        }
        const QString file = out.filePath(QStringLiteral("%1x%1/apps/zanu-config.png").arg(size));
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) ||
            !ProductPicture(size).toImage().save(&buffer, "PNG") || !write(file, png))
            return 1;
    }
    return 0;
}
