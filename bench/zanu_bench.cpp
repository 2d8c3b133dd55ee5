// zanu-bench: the measurements behind bench/RESULTS.md. bench/run builds it in Release and runs
// every part; each part can be run on its own while looking into a figure.
#include "bench_history.h"
#include "bench_link.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char kUsage[] =
    "Usage: zanu-bench PART [options]\n"
    "  transactions [--count N]      HART transactions on the real-timing simulated line\n"
    "                                (default 200: commands 13 and 2 in turn)\n"
    "  codec [--ms N]                frames encoded and parsed per second (default 1000 ms\n"
    "                                for each of two runs)\n"
    "  polls [--count N] [--clear-trace]\n"
    "                                command 2 back to back on the instant line (default\n"
    "                                100000), resident memory along the way; --clear-trace\n"
    "                                empties the simulator's request trace every 1000 polls\n"
    "  trend [--count N] [--without-window]\n"
    "                                the Trend window over N polls on the instant line, one\n"
    "                                second apart on its clock (default 100000, 27.8 h);\n"
    "                                --without-window: the same polls with no trend open\n"
    "  monitor [--seconds N]         CPU of the main window monitoring the output signal\n"
    "                                (default 60 s)\n"
    "  sequence [--runs N]           the main window's read sequence against its protocol\n"
    "                                time on the real-timing simulated line (default 3 runs)\n"
    "  scan [--runs N]               the finder's scan: 12 silent ports against 1, and a\n"
    "                                transmitter at address 0 among 11 silent ports (default 3)\n"
    "  startup --config BIN --sim BIN [--runs N]\n"
    "                                process start to the first request (default 7 runs)\n"
    "  history [--count N]           recording N entries of reads and writes (default 100000),\n"
    "                                the file's size, the History window opening on them\n"
    "  phases --config BIN --sim BIN [--runs N]\n"
    "                                the same under strace, split into the work before the\n"
    "                                splash's wait, that wait, and the work after it (default 5)\n";

[[noreturn]] void usage(const char *why) {
    std::fprintf(stderr, "zanu-bench: %s\n\n%s", why, kUsage);
    std::exit(2);
}

QString option(const QStringList &args, const QString &name, const QString &fallback) {
    const int i = int(args.indexOf(name));
    if (i < 0) return fallback;
    if (i + 1 >= args.size()) usage("an option is missing its value");
    return args[i + 1];
}

int intOption(const QStringList &args, const QString &name, int fallback) {
    bool ok = false;
    const int v = option(args, name, QString::number(fallback)).toInt(&ok);
    if (!ok || v < 1) usage("counts and times are whole numbers from 1 up");
    return v;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const QString part = QString::fromLocal8Bit(argv[1]);
    // Only the window needs a GUI; the offscreen platform keeps it headless.
    std::unique_ptr<QCoreApplication> app;
    if (part == QLatin1String("monitor") || part == QLatin1String("sequence") ||
        part == QLatin1String("trend") || part == QLatin1String("history")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments();

    if (part == QLatin1String("transactions"))
        return benchTransactions(intOption(args, QStringLiteral("--count"), 200));
    if (part == QLatin1String("codec"))
        return benchCodec(intOption(args, QStringLiteral("--ms"), 1000));
    if (part == QLatin1String("polls"))
        return benchPolls(intOption(args, QStringLiteral("--count"), 100000),
                          args.contains(QStringLiteral("--clear-trace")));
    if (part == QLatin1String("trend"))
        return benchTrend(intOption(args, QStringLiteral("--count"), 100000),
                          !args.contains(QStringLiteral("--without-window")));
    if (part == QLatin1String("monitor"))
        return benchMonitor(intOption(args, QStringLiteral("--seconds"), 60));
    if (part == QLatin1String("sequence"))
        return benchSequence(intOption(args, QStringLiteral("--runs"), 3));
    if (part == QLatin1String("history"))
        return benchHistory(intOption(args, QStringLiteral("--count"), 100000));
    if (part == QLatin1String("scan"))
        return benchScan(intOption(args, QStringLiteral("--runs"), 3));
    if (part == QLatin1String("startup")) {
        const QString config = option(args, QStringLiteral("--config"), QString());
        const QString sim = option(args, QStringLiteral("--sim"), QString());
        if (config.isEmpty() || sim.isEmpty()) usage("startup needs --config and --sim");
        return benchStartup(config, sim, intOption(args, QStringLiteral("--runs"), 7));
    }
    if (part == QLatin1String("phases")) {
        const QString config = option(args, QStringLiteral("--config"), QString());
        const QString sim = option(args, QStringLiteral("--sim"), QString());
        if (config.isEmpty() || sim.isEmpty()) usage("phases needs --config and --sim");
        return benchStartupPhases(config, sim, intOption(args, QStringLiteral("--runs"), 5));
    }
    usage("unknown part");
}
