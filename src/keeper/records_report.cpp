#include "keeper/records_report.h"

#include "dialogs/frm_splash.h"
#include "platform/regular_file.h"
#include "records/comparison.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

namespace {

// The report is read by people: it is made in the program's language.
struct Report {
    Q_DECLARE_TR_FUNCTIONS(Report)
};

// The loop check's words, English in its CSV file, in the report's language.
QString resultText(const QString &english) {
    const QByteArray key = english.toUtf8();
    return english.isEmpty() ? english
                             : QCoreApplication::translate("LoopCheckResult", key.constData());
}

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
    for (const QString &h :
         {Report::tr("Point (mA)"), Report::tr("Read back (mA)"), Report::tr("Measured (mA)"),
          Report::tr("Deviation (mA)"), Report::tr("Result")})
        html += QStringLiteral("<th style=\"border:1px solid #808080;\">%1</th>").arg(esc(h));
    html += QStringLiteral("</tr>");
    for (const LoopCheckPoint &p : c.points) {
        const std::optional<double> d = p.deviationMa();
        html += QStringLiteral("<tr>") + cell.arg(plain(p.setpointMa)) +
                cell.arg(plain(p.readbackMa)) +
                cell.arg(p.skipped ? Report::tr("skipped") : plain(p.measuredMa)) +
                cell.arg(d && *d > 0 ? QStringLiteral("+") + plain(*d) : plain(d)) +
                cell.arg(esc(resultText(c.pointText(p)))) + QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// What a plant needs to accept the loop: when and how strictly it was checked, each point, the
// verdict, and that the loop was let go again afterwards.
QString loopCheckSection(const std::optional<LoopCheckResult> &check, const QLocale &locale) {
    if (!check)
        return heading(Report::tr("Loop check")) +
               QStringLiteral("<p>%1</p>")
                   .arg(esc(Report::tr("No loop check of this transmitter was made in this "
                                       "session.")));
    const LoopCheckResult &c = *check;
    auto when = [&](const QDateTime &t) {
        return t.isValid() ? esc(locale.toString(t, QLocale::LongFormat))
                           : Report::tr("(not finished)");
    };
    const QString tolerance =
        c.tolerancePercent
            ? esc(Report::tr("±%1 % of span (±%2 mA)")
                      .arg(records::numberText(c.tolerance, locale),
                           records::numberText(c.toleranceMa(), locale)))
            : esc(Report::tr("±%1 mA").arg(records::numberText(c.tolerance, locale)));
    QString html =
        table(Report::tr("Loop check"),
              {{Report::tr("Started"), when(c.started)},
               {Report::tr("Finished"), when(c.finished)},
               {Report::tr("Tolerance"), tolerance},
               {Report::tr("Settling time"), number(c.settlingMs / 1000.0, QStringLiteral("s"))},
               {Report::tr("Points checked"),
                Report::tr("%1 of %2").arg(c.points.size()).arg(c.plannedPoints)},
               {Report::tr("Result"), esc(resultText(LoopCheckResult::verdictText(c.verdict())))},
               {Report::tr("Fixed-current mode ended"),
                c.releaseConfirmed ? Report::tr("Yes, confirmed by the transmitter")
                                   : Report::tr("NOT CONFIRMED: the loop may have been left at a "
                                                "fixed current")}});
    if (c.points.isEmpty())
        return html + QStringLiteral("<p>%1</p>").arg(esc(Report::tr("No point was reached.")));
    return html + pointTable(c);
}

// A trim changes what the loop carries for every level: the plant files the meter's readings
// before and after at both ends. Printed only when a trim was made.
QString trimSection(const std::optional<TrimResult> &trim, const QLocale &locale) {
    if (!trim) return {};
    auto reading = [&](const std::optional<double> &v) {
        return v ? number(*v, QStringLiteral("mA")) : Report::tr("(not reached)");
    };
    const TrimResult &t = *trim;
    return table(
        Report::tr("Output trim"),
        {{Report::tr("Made"), t.started.isValid()
                                  ? esc(locale.toString(t.started, QLocale::LongFormat))
                                  : Report::tr("(unknown)")},
         {Report::tr("4 mA before / after"),
          reading(t.before4) + QStringLiteral(" / ") + reading(t.after4)},
         {Report::tr("20 mA before / after"),
          reading(t.before20) + QStringLiteral(" / ") + reading(t.after20)},
         {Report::tr("Trims sent (zero, gain)"),
          QStringLiteral("%1, %2").arg(t.zeroTrims).arg(t.gainTrims)},
         {Report::tr("Completed"),
          t.complete() ? Report::tr("Yes") : Report::tr("No: cancelled or stopped")},
         {Report::tr("Fixed-current mode ended"),
          t.releaseConfirmed ? Report::tr("Yes, confirmed by the transmitter")
                             : Report::tr("NOT CONFIRMED: the loop may have been left at a "
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
    html +=
        QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
                       "<td valign=\"middle\"><h1 style=\"margin-bottom:2px;\">%1"
                       "</h1><p style=\"margin-top:0px; font-size:12pt;\">%2</p><p>%3</p>"
                       "</td><td align=\"right\" valign=\"middle\"><img src=\"%4\" width=\"%5\" "
                       "height=\"%5\"></td></tr></table><hr>")
            .arg(esc(Report::tr("Commissioning report")),
                 esc(Report::tr("Zanu Pelvanor I / Ostrimel submersible level transmitter")),
                 Report::tr("Tag %1, serial number %2")
                     .arg(QStringLiteral("<b>%1</b>").arg(esc(c.tag)),
                          QStringLiteral("<b>%1</b>").arg(c.serialNumber)),
                 kPictureUrl, QString::number(kPictureSize));
    html += table(
        Report::tr("Transmitter"),
        {{Report::tr("Manufacturer"), c.manufacturer == records::kZanuManufacturerId
                                          ? QStringLiteral("Zanu (%1)").arg(c.manufacturer)
                                          : QString::number(c.manufacturer)},
         {Report::tr("Device type"),
          QStringLiteral("%1 (0x%2)").arg(c.deviceType).arg(c.deviceType, 2, 16, QLatin1Char('0'))},
         {Report::tr("Device ID"), c.deviceIdText()},
         {Report::tr("Serial number"), QString::number(c.serialNumber)},
         {Report::tr("HART revision"), QString::number(c.hartRevision)},
         {Report::tr("Tag"), esc(c.tag)},
         {Report::tr("Descriptor"), esc(c.descriptor)},
         {Report::tr("Date"), c.date.isValid() ? esc(locale.toString(c.date, QLocale::ShortFormat))
                                               : Report::tr("(not set)")}});
    html += table(Report::tr("Configuration"),
                  {{Report::tr("Unit"), esc(c.unit.isEmpty() ? Report::tr("(unknown)") : c.unit)},
                   {Report::tr("Lower range value (4 mA)"), number(c.lowerRangeValue, c.unit)},
                   {Report::tr("Upper range value (20 mA)"), number(c.upperRangeValue, c.unit)},
                   {Report::tr("Span"), number(c.upperRangeValue - c.lowerRangeValue, c.unit)},
                   {Report::tr("Damping"), number(c.dampingS, QStringLiteral("s"))},
                   {Report::tr("Output"), esc(c.outputText())}});
    html += table(Report::tr("Sensor limits"),
                  {{Report::tr("Upper sensor limit"), number(c.upperSensorLimit, c.unit)},
                   {Report::tr("Lower sensor limit"), number(c.lowerSensorLimit, c.unit)},
                   {Report::tr("Minimum span"), number(c.minimumSpan, c.unit)}});
    html += table(Report::tr("Device status"), {{Report::tr("Field device status"),
                                                 esc(records::deviceStatusText(r.deviceStatus))}});
    html += loopCheckSection(r.loopCheck, locale);
    html += trimSection(r.trim, locale);
    if (!r.history.isEmpty()) {
        html += heading(Report::tr("History")) + QStringLiteral("<p style=\"font-size:8pt;\">");
        for (const QString &line : r.history)
            html += esc(line) + QStringLiteral("<br/>");
        html += QStringLiteral("</p>");
    }
    html += QStringLiteral("<p style=\"margin-top:14px;\">%1</p>")
                .arg(Report::tr("Read from the transmitter on %1. Report made on %2 with %3 %4.")
                         .arg(esc(locale.toString(r.readTime, QLocale::LongFormat)),
                              esc(locale.toString(r.printed, QLocale::LongFormat)),
                              esc(c.programName.isEmpty() ? QStringLiteral("zanu-config")
                                                          : c.programName),
                              esc(records::programVersion())));
    // Words of a form: kept on one line each, as a printed form has them.
    const auto field = [](const QString &words) {
        return esc(words).replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    };
    html +=
        QStringLiteral(
            "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"6\" style=\"margin-top:28px;\">"
            "<tr><td width=\"18%\">%1</td><td width=\"42%\" style=\"border-bottom:1px "
            "solid #000000;\">&nbsp;</td><td width=\"10%\" align=\"right\">%2</td>"
            "<td style=\"border-bottom:1px solid #000000;\">&nbsp;</td></tr>"
            "<tr><td colspan=\"4\">&nbsp;</td></tr>"
            "<tr><td>%3</td><td style=\"border-bottom:1px solid #000000;\">&nbsp;</td>"
            "<td colspan=\"2\">&nbsp;</td></tr></table>")
            .arg(field(Report::tr("Checked by:")), field(Report::tr("Date:")),
                 field(Report::tr("Signature:")));
    return html + QStringLiteral("</body></html>");
}

bool WriteCommissioningReport(const ReportData &r, const QString &pdfPath, QString *error) {
    const auto writePdf = [&](QIODevice &file) {
        QPdfWriter writer(&file);
        writer.setTitle(Report::tr("Commissioning report %1").arg(r.config.serialNumber));
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
                     ? Report::tr("%1 is %2, not a file a report can be written to. Choose "
                                  "another folder or file name.")
                           .arg(records::printable(pdfPath, 200), failure.kind)
                     : Report::tr("%1: cannot be written (%2). Choose another folder or file "
                                  "name.")
                           .arg(records::printable(pdfPath, 200), failure.reason);
    return false;
}

void PrintCommissioningReport(const ReportData &r, QPrinter *printer) {
    QTextDocument doc;
    prepare(doc, r, printer);
    doc.print(printer);
}
