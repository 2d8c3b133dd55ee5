#include "history/history_text.h"

#include "platform/csv.h"

#include <QCoreApplication>

namespace history {

namespace {

QString change(const TimelineRow &r) {
    const Event &e = r.event;
    if (e.oldValue.isEmpty() && e.newValue.isEmpty()) return e.what;
    if (e.oldValue.isEmpty()) return QStringLiteral("%1: %2").arg(e.what, e.newValue);
    return QStringLiteral("%1: %2 -> %3").arg(e.what, e.oldValue, e.newValue);
}

QString outcomeText(const TimelineRow &r) {
    if (r.message.isEmpty()) return r.outcome;
    return QStringLiteral("%1 (%2)").arg(r.outcome, r.message);
}

} // namespace

QString eventLine(const TimelineRow &row) {
    const Event &e = row.event;
    return QStringLiteral("%1  %2  serial %3  %4  %5")
        .arg(csv::isoTime(e.localTime()), e.user,
             e.serial ? QString::number(e.serial) : QStringLiteral("unknown"), change(row),
             outcomeText(row));
}

QString csvText(const QList<TimelineRow> &rows) {
    QString out = csv::line({QStringLiteral("time"), QStringLiteral("user"), QStringLiteral("host"),
                             QStringLiteral("program"), QStringLiteral("port"),
                             QStringLiteral("serial number"), QStringLiteral("tag"),
                             QStringLiteral("kind"), QStringLiteral("what"), QStringLiteral("old"),
                             QStringLiteral("new"), QStringLiteral("outcome"),
                             QStringLiteral("response code"), QStringLiteral("message")});
    for (const TimelineRow &r : rows) {
        const Event &e = r.event;
        out += csv::line({csv::isoTime(e.localTime()), e.user, e.host,
                          QStringLiteral("%1 %2").arg(e.program, e.version), e.port,
                          e.serial ? QString::number(e.serial) : QString(), e.tag, e.kind, e.what,
                          e.oldValue, e.newValue, r.outcome,
                          r.responseCode >= 0 ? QString::number(r.responseCode) : QString(),
                          r.message});
    }
    return out;
}

QStringList reportLines(qint64 serial, const QString &path) {
    Store store;
    QString notice;
    if (!store.open(path.isEmpty() ? Store::defaultPath() : path, &notice)) return {notice};
    Filter f;
    f.serial = serial;
    const QList<TimelineRow> rows = store.timeline(f, kReportEntries);
    if (rows.isEmpty())
        return {
            QCoreApplication::translate("history", "No history is recorded for serial number %1.")
                .arg(serial)};
    QStringList out;
    const qint64 left = store.count(f) - rows.size();
    if (left > 0)
        out << QCoreApplication::translate("history", "Earlier entries left out here: %1. "
                                                      "File > History… shows them all.")
                   .arg(left);
    for (const TimelineRow &r : rows)
        out << eventLine(r);
    return out;
}

} // namespace history
