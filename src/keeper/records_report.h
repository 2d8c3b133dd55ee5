// The commissioning report: what a plant files to prove how a transmitter was set. A heading
// with the product picture, tables of identity, configuration and limits, the device status in
// words, the loop check and the output trim of this session, the program and the time, and lines
// for the checker's name and signature.
#pragma once

#include "loopcheck/loop_check_result.h"
#include "records/configuration.h"
#include "trim/trim_procedure.h"

#include <QDateTime>
#include <QString>

#include <optional>

class QPagedPaintDevice;
class QPrinter;

struct ReportData {
    records::Configuration config;
    quint8 deviceStatus = 0;
    QDateTime readTime; // when the transmitter was read
    QDateTime printed;  // when the report was made
    // The loop check of this session, when it was made on this transmitter.
    std::optional<LoopCheckResult> loopCheck;
    // The output trim of this session, when it was made on this transmitter.
    std::optional<TrimResult> trim;
    // The transmitter's history, one line an entry, when the report is to include it.
    QStringList history;
};

// The report as rich text; the picture is the resource "zanu:product".
QString CommissioningReportHtml(const ReportData &r);
// Writes a PDF through a temporary file, so that a failure leaves no half document behind.
bool WriteCommissioningReport(const ReportData &r, const QString &pdfPath, QString *error);
void PrintCommissioningReport(const ReportData &r, QPrinter *printer);
