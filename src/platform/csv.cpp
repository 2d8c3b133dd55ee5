#include "platform/csv.h"

#include "platform/regular_file.h"

#include <cstdlib>

namespace csv {

QString field(const QString &text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString line(const QStringList &fields) {
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) out += QLatin1Char(',');
        out += field(fields[i]);
    }
    return out + QStringLiteral("\r\n");
}

QString isoTime(const QDateTime &t, Precision precision) {
    if (!t.isValid()) return QString();
    // Qt writes no offset for a local time, and "Z" rather than "+00:00" for UTC.
    const int offset = t.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return t.toString(precision == Precision::Milliseconds
                          ? QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")
                          : QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) +
           QStringLiteral("%1%2:%3")
               .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

bool save(const QString &path, const QString &text, QString *error) {
    files::WriteFailure failure;
    if (files::writeAtomically(path, text.toUtf8(), &failure)) return true;
    if (error)
        *error = failure.stage == files::WriteFailure::Stage::NotRegular
                     ? QStringLiteral("%1 of that name is in the way — remove or rename it.")
                           .arg(failure.kind)
                     : failure.reason;
    return false;
}

} // namespace csv
