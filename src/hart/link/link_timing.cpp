#include "hart/link/link_timing.h"

#include <QStringList>

namespace {

struct Key {
    const char *name;
    int LinkTiming::*field;
    int min, max;
    const char *meaning;
};

// Upper limits catch typos (a value in seconds read as ms is fine, one with three extra zeros
// is not); lower limits keep the engine's timers meaningful.
const Key kKeys[] = {
    {"rt1", &LinkTiming::primaryReplyTimeoutMs, 1, 60000,
     "reply time-out as primary master (HART RT1: 305)"},
    {"rt1-secondary", &LinkTiming::secondaryReplyTimeoutMs, 1, 60000,
     "reply time-out as secondary master (376)"},
    {"allowance", &LinkTiming::adapterAllowanceMs, 0, 60000,
     "added to the reply time-out for USB adapters (50)"},
    {"gap", &LinkTiming::interCharGapMs, 1, 10000, "longest pause inside a reply (60)"},
    {"rt2", &LinkTiming::linkGrantMs, 0, 10000,
     "pause after each transaction for another master (HART RT2: 75)"},
    {"quiet", &LinkTiming::quietMs, 0, 10000, "quiet line needed before a request (60)"},
    {"max-listen", &LinkTiming::maxListenMs, 0, 60000,
     "longest wait for a busy line before sending anyway (1000)"},
    {"retries", &LinkTiming::retries, 0, 10, "further tries after silence or garbled replies (2)"},
    {"send-watchdog", &LinkTiming::sendWatchdogMs, 1, 60000,
     "longest wait beyond the wire time for the port to finish sending (2000)"},
    {"longest-reply", &LinkTiming::longestReplyMs, 1, 60000,
     "longest a reply may keep arriving after its time-out (2604)"},
};

} // namespace

bool LinkTiming::operator==(const LinkTiming &o) const {
    for (const Key &k : kKeys)
        if (this->*k.field != o.*k.field) return false;
    return true;
}

bool LinkTiming::parse(const QString &text, LinkTiming *timing, QString *error) {
    LinkTiming t = *timing;
    const QStringList items = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &raw : items) {
        const QString item = raw.trimmed();
        const int eq = int(item.indexOf(QLatin1Char('=')));
        const QString name = item.left(eq).trimmed().toLower();
        const Key *key = nullptr;
        for (const Key &k : kKeys)
            if (name == QLatin1String(k.name)) key = &k;
        if (eq < 0 || !key) {
            QStringList names;
            for (const Key &k : kKeys)
                names << QLatin1String(k.name);
            if (error)
                *error = QStringLiteral("link timing \"%1\": expected KEY=VALUE with KEY one of "
                                        "%2")
                             .arg(item, names.join(QStringLiteral(", ")));
            return false;
        }
        bool ok = false;
        const int value = item.mid(eq + 1).trimmed().toInt(&ok);
        if (!ok || value < key->min || value > key->max) {
            if (error)
                *error = QStringLiteral("link timing \"%1\": %2 takes a whole number from %3 to "
                                        "%4")
                             .arg(item, QLatin1String(key->name))
                             .arg(key->min)
                             .arg(key->max);
            return false;
        }
        t.*key->field = value;
    }
    *timing = t;
    return true;
}

QString LinkTiming::toString() const {
    QStringList parts;
    for (const Key &k : kKeys)
        parts << QStringLiteral("%1=%2").arg(QLatin1String(k.name)).arg(this->*k.field);
    return parts.join(QLatin1Char(','));
}

QString LinkTiming::helpText() {
    QString out;
    for (const Key &k : kKeys)
        out += QStringLiteral("    %1  %2\n")
                   .arg(QLatin1String(k.name), -14)
                   .arg(QLatin1String(k.meaning));
    return out;
}

bool LinkTiming::fromEnvironment(LinkTiming *timing, QString *error) {
    *timing = LinkTiming();
    const QString text = qEnvironmentVariable("ZANU_HART_TIMING");
    if (text.trimmed().isEmpty()) return true;
    if (parse(text, timing, error)) return true;
    if (error) *error = QStringLiteral("ZANU_HART_TIMING: ") + *error;
    return false;
}
