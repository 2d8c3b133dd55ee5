#include "window/records_report.h"

#include "dialogs/frm_splash.h"
#include "records/comparison.h"

#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
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
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("%1: cannot be written (%2). Choose another folder or file "
                                    "name.")
                         .arg(pdfPath, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QStringLiteral("Commissioning report %1").arg(r.config.serialNumber));
        writer.setCreator(QStringLiteral("zanu-config %1").arg(records::programVersion()));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter));
        QTextDocument doc;
        prepare(doc, r, &writer);
        doc.print(&writer);
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("%1: cannot be written (%2). Choose another folder or file "
                                    "name.")
                         .arg(pdfPath, file.errorString());
        return false;
    }
    return true;
}

void PrintCommissioningReport(const ReportData &r, QPrinter *printer) {
    QTextDocument doc;
    prepare(doc, r, printer);
    doc.print(printer);
}
