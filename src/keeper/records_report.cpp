#include "keeper/records_report.h"

#include "dialogs/frm_splash.h"
#include "platform/regular_file.h"
#include "records/comparison.h"

#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

namespace {

const QString kPictureUrl = QStringLiteral("zanu:product");
constexpr int kPictureSize = 128;

QString esc(const QString &s) {
    return s.toHtmlEscaped();
}

QString number(double v, const QString &unit) {
    return esc(records::numberText(v, QLocale::system()) + QLatin1Char(' ') + unit);
}

// A two-column table of field names and values, with a heading row.
QString table(const QString &heading, const QList<QPair<QString, QString>> &rows) {
    QString html = QStringLiteral("<h3 style=\"margin-top:14px; margin-bottom:4px;\">%1</h3>"
                                  "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"5\" "
                                  "style=\"border-collapse:collapse; border:1px solid #808080;\">")
                       .arg(esc(heading));
    bool shaded = false;
    for (const auto &row : rows) {
        html += QStringLiteral("<tr style=\"background-color:%1;\">"
                               "<td width=\"40%\" style=\"border:1px solid #808080;\">%2</td>"
                               "<td style=\"border:1px solid #808080;\"><b>%3</b></td></tr>")
                    .arg(shaded ? QStringLiteral("#f0f0f0") : QStringLiteral("#ffffff"),
                         esc(row.first), row.second);
        shaded = !shaded;
    }
    return html + QStringLiteral("</table>");
}

QString heading(const QString &text) {
    return QStringLiteral("<h3 style=\"margin-top:14px; margin-bottom:4px;\">%1</h3>")
        .arg(esc(text));
}

QString plain(double v) {
    return esc(records::numberText(v, QLocale::system()));
}

QString plain(const std::optional<double> &v) {
    return v ? plain(*v) : QString();
}

// The points as the Loop check window's table showed them, one row each.
QString pointTable(const LoopCheckResult &c) {
    const QString cell = QStringLiteral("<td align=\"right\" style=\"border:1px solid #808080;\">"
                                        "%1</td>");
    QString html = QStringLiteral(
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"5\" style=\"margin-top:6px; "
        "border-collapse:collapse; border:1px solid #808080;\"><tr style=\"background-color:"
        "#e0e0e0;\">");
    for (const QString &h : {QStringLiteral("Point (mA)"), QStringLiteral("Read back (mA)"),
                             QStringLiteral("Measured (mA)"), QStringLiteral("Deviation (mA)"),
                             QStringLiteral("Result")})
        html += QStringLiteral("<th style=\"border:1px solid #808080;\">%1</th>").arg(esc(h));
    html += QStringLiteral("</tr>");
    for (const LoopCheckPoint &p : c.points) {
        const std::optional<double> d = p.deviationMa();
        html += QStringLiteral("<tr>") + cell.arg(plain(p.setpointMa)) +
                cell.arg(plain(p.readbackMa)) +
                cell.arg(p.skipped ? QStringLiteral("skipped") : plain(p.measuredMa)) +
                cell.arg(d && *d > 0 ? QStringLiteral("+") + plain(*d) : plain(d)) +
                cell.arg(esc(c.pointText(p))) + QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// What a plant needs to accept the loop: when and how strictly it was checked, each point, the
// verdict, and that the loop was let go again afterwards.
QString loopCheckSection(const std::optional<LoopCheckResult> &check, const QLocale &locale) {
    if (!check)
        return heading(QStringLiteral("Loop check")) +
               QStringLiteral("<p>No loop check of this transmitter was made in this session.</p>");
    const LoopCheckResult &c = *check;
    auto when = [&](const QDateTime &t) {
        return t.isValid() ? esc(locale.toString(t, QLocale::LongFormat))
                           : QStringLiteral("(not finished)");
    };
    const QString tolerance =
        c.tolerancePercent
            ? esc(QStringLiteral("±%1 % of span (±%2 mA)")
                      .arg(records::numberText(c.tolerance, locale),
                           records::numberText(c.toleranceMa(), locale)))
            : esc(QStringLiteral("±%1 mA").arg(records::numberText(c.tolerance, locale)));
    QString html = table(
        QStringLiteral("Loop check"),
        {{QStringLiteral("Started"), when(c.started)},
         {QStringLiteral("Finished"), when(c.finished)},
         {QStringLiteral("Tolerance"), tolerance},
         {QStringLiteral("Settling time"), number(c.settlingMs / 1000.0, QStringLiteral("s"))},
         {QStringLiteral("Points checked"),
          QStringLiteral("%1 of %2").arg(c.points.size()).arg(c.plannedPoints)},
         {QStringLiteral("Result"), esc(LoopCheckResult::verdictText(c.verdict()))},
         {QStringLiteral("Fixed-current mode ended"),
          c.releaseConfirmed ? QStringLiteral("Yes, confirmed by the transmitter")
                             : QStringLiteral("NOT CONFIRMED: the loop may have been left at a "
                                              "fixed current")}});
    if (c.points.isEmpty()) return html + QStringLiteral("<p>No point was reached.</p>");
    return html + pointTable(c);
}

// A trim changes what the loop carries for every level: the plant files the meter's readings
// before and after at both ends. Printed only when a trim was made.
QString trimSection(const std::optional<TrimResult> &trim, const QLocale &locale) {
    if (!trim) return {};
    auto reading = [&](const std::optional<double> &v) {
        return v ? number(*v, QStringLiteral("mA")) : QStringLiteral("(not reached)");
    };
    const TrimResult &t = *trim;
    return table(
        QStringLiteral("Output trim"),
        {{QStringLiteral("Made"), t.started.isValid()
                                      ? esc(locale.toString(t.started, QLocale::LongFormat))
                                      : QStringLiteral("(unknown)")},
         {QStringLiteral("4 mA before / after"),
          reading(t.before4) + QStringLiteral(" / ") + reading(t.after4)},
         {QStringLiteral("20 mA before / after"),
          reading(t.before20) + QStringLiteral(" / ") + reading(t.after20)},
         {QStringLiteral("Trims sent (zero, gain)"),
          QStringLiteral("%1, %2").arg(t.zeroTrims).arg(t.gainTrims)},
         {QStringLiteral("Completed"),
          t.complete() ? QStringLiteral("Yes") : QStringLiteral("No: cancelled or stopped")},
         {QStringLiteral("Fixed-current mode ended"),
          t.releaseConfirmed ? QStringLiteral("Yes, confirmed by the transmitter")
                             : QStringLiteral("NOT CONFIRMED: the loop may have been left at a "
                                              "fixed current")}});
}

// Lays the document out on the device's printable area, one column of the page's width; the
// document's own margins and page numbers are left out, the page layout has them.
void prepare(QTextDocument &doc, const ReportData &r, QPagedPaintDevice *device) {
    constexpr qreal kLayoutDpi = 96.0; // a document without a paint device lays out at this
    const QRectF paint = device->pageLayout().paintRect(QPageLayout::Point);
    doc.setPageSize(paint.size() * (kLayoutDpi / 72.0));
    doc.setDocumentMargin(0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    doc.setDefaultFont(font);
    doc.addResource(QTextDocument::ImageResource, QUrl(kPictureUrl),
                    ProductPicture(kPictureSize).toImage());
    doc.setHtml(CommissioningReportHtml(r));
}

} // namespace

QString CommissioningReportHtml(const ReportData &r) {
    const records::Configuration &c = r.config;
    const QLocale locale = QLocale::system();
    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral(
                "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
                "<td valign=\"middle\"><h1 style=\"margin-bottom:2px;\">Commissioning report"
                "</h1><p style=\"margin-top:0px; font-size:12pt;\">Zanu Pelvanor I / Ostrimel "
                "submersible level transmitter</p><p>Tag <b>%1</b>, serial number <b>%2</b></p>"
                "</td><td align=\"right\" valign=\"middle\"><img src=\"%3\" width=\"%4\" "
                "height=\"%4\"></td></tr></table><hr>")
                .arg(esc(c.tag))
                .arg(c.serialNumber)
                .arg(kPictureUrl)
                .arg(kPictureSize);
    html += table(
        QStringLiteral("Transmitter"),
        {{QStringLiteral("Manufacturer"), c.manufacturer == records::kZanuManufacturerId
                                              ? QStringLiteral("Zanu (%1)").arg(c.manufacturer)
                                              : QString::number(c.manufacturer)},
         {QStringLiteral("Device type"),
          QStringLiteral("%1 (0x%2)").arg(c.deviceType).arg(c.deviceType, 2, 16, QLatin1Char('0'))},
         {QStringLiteral("Device ID"), c.deviceIdText()},
         {QStringLiteral("Serial number"), QString::number(c.serialNumber)},
         {QStringLiteral("HART revision"), QString::number(c.hartRevision)},
         {QStringLiteral("Tag"), esc(c.tag)},
         {QStringLiteral("Descriptor"), esc(c.descriptor)},
         {QStringLiteral("Date"), c.date.isValid()
                                      ? esc(locale.toString(c.date, QLocale::ShortFormat))
                                      : QStringLiteral("(not set)")}});
    html += table(
        QStringLiteral("Configuration"),
        {{QStringLiteral("Unit"), esc(c.unit.isEmpty() ? QStringLiteral("(unknown)") : c.unit)},
         {QStringLiteral("Lower range value (4 mA)"), number(c.lowerRangeValue, c.unit)},
         {QStringLiteral("Upper range value (20 mA)"), number(c.upperRangeValue, c.unit)},
         {QStringLiteral("Span"), number(c.upperRangeValue - c.lowerRangeValue, c.unit)},
         {QStringLiteral("Damping"), number(c.dampingS, QStringLiteral("s"))},
         {QStringLiteral("Output"), esc(c.outputText())}});
    html += table(QStringLiteral("Sensor limits"),
                  {{QStringLiteral("Upper sensor limit"), number(c.upperSensorLimit, c.unit)},
                   {QStringLiteral("Lower sensor limit"), number(c.lowerSensorLimit, c.unit)},
                   {QStringLiteral("Minimum span"), number(c.minimumSpan, c.unit)}});
    html += table(
        QStringLiteral("Device status"),
        {{QStringLiteral("Field device status"), esc(records::deviceStatusText(r.deviceStatus))}});
    html += loopCheckSection(r.loopCheck, locale);
    html += trimSection(r.trim, locale);
    if (!r.history.isEmpty()) {
        html += QStringLiteral("<h3 style=\"margin-top:14px; margin-bottom:4px;\">History</h3>"
                               "<p style=\"font-size:8pt;\">");
        for (const QString &line : r.history)
            html += esc(line) + QStringLiteral("<br/>");
        html += QStringLiteral("</p>");
    }
    html += QStringLiteral(
                "<p style=\"margin-top:14px;\">Read from the transmitter on %1. Report made on "
                "%2 with %3 %4.</p>")
                .arg(esc(locale.toString(r.readTime, QLocale::LongFormat)),
                     esc(locale.toString(r.printed, QLocale::LongFormat)),
                     esc(c.programName.isEmpty() ? QStringLiteral("zanu-config") : c.programName),
                     esc(records::programVersion()));
    html += QStringLiteral(
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"6\" style=\"margin-top:28px;\">"
        "<tr><td width=\"18%\">Checked&nbsp;by:</td><td width=\"42%\" style=\"border-bottom:1px "
        "solid #000000;\">&nbsp;</td><td width=\"10%\" align=\"right\">Date:</td>"
        "<td style=\"border-bottom:1px solid #000000;\">&nbsp;</td></tr>"
        "<tr><td colspan=\"4\">&nbsp;</td></tr>"
        "<tr><td>Signature:</td><td style=\"border-bottom:1px solid #000000;\">&nbsp;</td>"
        "<td colspan=\"2\">&nbsp;</td></tr></table>");
    return html + QStringLiteral("</body></html>");
}

bool WriteCommissioningReport(const ReportData &r, const QString &pdfPath, QString *error) {
    const auto writePdf = [&](QIODevice &file) {
        QPdfWriter writer(&file);
        writer.setTitle(QStringLiteral("Commissioning report %1").arg(r.config.serialNumber));
        writer.setCreator(QStringLiteral("zanu-config %1").arg(records::programVersion()));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter));
        QTextDocument doc;
        prepare(doc, r, &writer);
        doc.print(&writer);
        return true;
    };
    files::WriteFailure failure;
    if (files::writeAtomically(pdfPath, writePdf, &failure)) return true;
    if (error)
        // A pipe another program reads, or a device, is no place for a report, and is left as it
        // is.
        *error = failure.stage == files::WriteFailure::Stage::NotRegular
                     ? QStringLiteral("%1 is %2, not a file a report can be written to. Choose "
                                      "another folder or file name.")
                           .arg(records::printable(pdfPath, 200), failure.kind)
                     : QStringLiteral("%1: cannot be written (%2). Choose another folder or file "
                                      "name.")
                           .arg(records::printable(pdfPath, 200), failure.reason);
    return false;
}

void PrintCommissioningReport(const ReportData &r, QPrinter *printer) {
    QTextDocument doc;
    prepare(doc, r, printer);
    doc.print(printer);
}
