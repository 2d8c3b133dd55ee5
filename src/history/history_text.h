// The history as text: one line per entry for zanu-hart and the commissioning report, and the
// CSV both the History window and zanu-hart export. Times are shown where they were recorded,
// with that place's offset from UTC.
#pragma once

#include "history/history_store.h"

#include <QString>
#include <QStringList>

namespace history {

// "2026-12-08T09:14:03+01:00  ops  serial 1234567  tag: TANK1 -> TANK2  done"
QString eventLine(const TimelineRow &row);
// A header line and one line per row, RFC 4180.
QString csvText(const QList<TimelineRow> &rows);
// A report is read on a few pages: years of a transmitter's history would make it a book that
// takes long to set. It prints the newest entries, which are what a commissioning speaks of; the
// History window and zanu-hart --history show them all.
constexpr int kReportEntries = 200;
// The transmitter's history for the commissioning report: one line per entry, oldest first, of
// the newest kReportEntries, after a line counting those left out; a line saying so when there
// is none, or when the history cannot be read.
QStringList reportLines(qint64 serial, const QString &path = QString());

} // namespace history
