#include "history_console.h"

#include "console_common.h"
#include "history/history_store.h"
#include "history/history_text.h"

#include <QCommandLineParser>
#include <QDate>

#include <cstdio>

const char kHistoryConsoleUsage[] =
    "\n"
    "History of reads and writes (kept by zanu-config and zanu-hart in\n"
    "$XDG_DATA_HOME/zanu-config/history.sqlite, by default ~/.local/share/zanu-config/):\n"
    "  zanu-hart --history [--serial N] [--since YYYY-MM-DD] [--csv]\n"
    "  zanu-hart --history --verify\n"
    "\n"
    "--history prints one entry per line, oldest first: local time with its UTC offset, user,\n"
    "serial number, what changed (old -> new) and the outcome. A write whose reply never came\n"
    "(the program was killed, the cable pulled) shows 'outcome unknown'. --serial keeps one\n"
    "transmitter, --since the entries from that local date on; --csv prints CSV with every field.\n"
    "--verify checks the hash chain: each entry's SHA-256 covers its content and the entry\n"
    "before it. It prints the number of entries and the last hash (keep it elsewhere: it shows\n"
    "a later rewrite of the whole history), or the first entry that does not fit.\n"
    "\n"
    "Exit status: 0 done (chain intact), 1 bad arguments or no readable history, 8 the chain\n"
    "does not verify.\n";

namespace {

constexpr int kExitBroken = 8;

void say(FILE *to, const QString &text) {
    std::fprintf(to, "%s\n", text.toUtf8().constData());
}

} // namespace

bool IsHistoryConsoleCommand(const QStringList &args) {
    return console::hasOption(args, QStringLiteral("--history"));
}

int RunHistoryConsole(const QStringList &args) {
    QCommandLineParser p;
    console::setUpParser(&p);
    const QCommandLineOption historyOption(QStringLiteral("history"));
    const QCommandLineOption serial(QStringLiteral("serial"), QString(), QStringLiteral("N"));
    const QCommandLineOption since(QStringLiteral("since"), QString(), QStringLiteral("DATE"));
    const QCommandLineOption csvOption(QStringLiteral("csv"));
    const QCommandLineOption verify(QStringLiteral("verify"));
    p.addOptions({historyOption, serial, since, csvOption, verify});
    auto bad = [](const QString &why) {
        std::fprintf(stderr, "zanu-hart: %s\n%s", why.toUtf8().constData(), kHistoryConsoleUsage);
        return console::kExitUsage;
    };
    if (!p.parse(args)) return bad(console::parseProblem(p));
    if (!p.positionalArguments().isEmpty())
        return bad(QStringLiteral("unexpected argument %1").arg(p.positionalArguments().first()));
    history::Filter filter;
    if (p.isSet(serial)) {
        bool ok = false;
        filter.serial = p.value(serial).toLongLong(&ok);
        if (!ok || filter.serial < 1)
            return bad(QStringLiteral("serial number %1 is not a whole number from 1 up")
                           .arg(p.value(serial)));
    }
    if (p.isSet(since)) {
        filter.since = QDate::fromString(p.value(since), Qt::ISODate);
        if (!filter.since.isValid())
            return bad(
                QStringLiteral("--since %1 is not a date as YYYY-MM-DD").arg(p.value(since)));
    }
    if (p.isSet(verify) && (p.isSet(serial) || p.isSet(since) || p.isSet(csvOption)))
        return bad(QStringLiteral("--verify checks the whole history and takes no other option"));

    history::Store store;
    QString notice;
    const bool opened = store.open(history::Store::defaultPath(), &notice);
    if (!notice.isEmpty()) say(stderr, QStringLiteral("zanu-hart: ") + notice);
    if (!opened) return console::kExitUsage;

    if (p.isSet(verify)) {
        const history::Verification v = store.verify();
        if (!v.intact) {
            say(stdout, QStringLiteral("entry %1 does not fit: %2").arg(v.firstBad).arg(v.why));
            return kExitBroken;
        }
        say(stdout, QStringLiteral("%1 entries, chain intact; last hash %2")
                        .arg(v.entries)
                        .arg(v.lastHash.isEmpty() ? QStringLiteral("(none)")
                                                  : QString::fromLatin1(v.lastHash)));
        return 0;
    }
    const QList<history::TimelineRow> rows = store.timeline(filter);
    if (p.isSet(csvOption)) {
        std::fputs(history::csvText(rows).toUtf8().constData(), stdout);
    } else {
        for (const history::TimelineRow &r : rows)
            say(stdout, history::eventLine(r));
    }
    return 0;
}
