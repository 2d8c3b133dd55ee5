// The one way the program writes CSV, so that the loop check's record and the trend export read
// alike in a spreadsheet: RFC 4180 (comma separated, CR LF line ends, a field quoted only when it
// holds a comma, a quote or a line break, quotes doubled), times in ISO 8601 with their offset.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace csv {

QString field(const QString &text);
// The fields quoted as needed, joined by commas, ended by CR LF.
QString line(const QStringList &fields);

enum class Precision { Seconds, Milliseconds };
// The UTC offset is always written out ("+01:00", also "+00:00"): a local time without it is
// ambiguous once the file leaves the machine or the clocks change. Empty for an invalid time.
QString isoTime(const QDateTime &t, Precision precision = Precision::Seconds);

// Writes `text` as UTF-8 through the atomic writer; on failure returns false with the reason in
// plain words in `error` (the file's name is the caller's to add).
bool save(const QString &path, const QString &text, QString *error);

} // namespace csv
