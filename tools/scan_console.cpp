#include "scan_console.h"

#include "hart/hart_scanner.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char kScanUsage[] =
    "usage: zanu-hart --scan [--port DEVICE_OR_COMn]... [--timing KEY=MS,...]\n"
    "\n"
    "Asks every polling address 0-15 with command 0 on each port (all ports at the same time;\n"
    "on a port, up to the first address that answers) and prints for each transmitter found:\n"
    "  COM=<n or -> PORT=<device> ADDR=<address> MFR=<maker id> TYPE=<device type>\n"
    "  ID=<device id> TAG=\"<tag>\"\n"
    "then \"found N\". Without --port: every serial port present and every device COM1-COM12\n"
    "name (ZANU_COMn included). --timing (or ZANU_HART_TIMING) as for a command: a slow\n"
    "adapter needs its longer reply time-out for the scan too.\n"
    "\n"
    "Exit status: 0 something answered, 2 nothing did, 1 bad arguments.\n";

int usage(const QString &problem) {
    std::fprintf(stderr, "zanu-hart: %s\n\n%s", qPrintable(problem), kScanUsage);
    return 1;
}

} // namespace

int runScanConsole(const QStringList &args) {
    QList<ScanTarget> targets;
    LinkTiming timing;
    QString timingError;
    if (!LinkTiming::fromEnvironment(&timing, &timingError)) return usage(timingError);
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--scan")) continue;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(kScanUsage, stdout);
            return 0;
        }
        if (a == QLatin1String("--port")) {
            if (i + 1 >= args.size())
                return usage(QStringLiteral("--port needs a device or COM port"));
            QString error;
            const auto t = HartScanner::targetFor(args[++i], &error);
            if (!t) return usage(error);
            targets.append(*t);
            continue;
        }
        if (a == QLatin1String("--timing")) {
            if (i + 1 >= args.size()) return usage(QStringLiteral("--timing needs KEY=MS,..."));
            if (!LinkTiming::parse(args[++i], &timing, &timingError)) return usage(timingError);
            continue;
        }
        return usage(QStringLiteral("%1 does not go with --scan").arg(a));
    }
    if (targets.isEmpty()) targets = HartScanner::presentTargets();
    if (targets.isEmpty()) {
        std::fprintf(stderr, "zanu-hart: no serial port found to scan\n");
        std::printf("found 0\n");
        return 2;
    }

    HartScanner scanner;
    scanner.setLinkTiming(timing);
    int found = 0;
    QObject::connect(&scanner, &HartScanner::tagRead, [&](const ScanFind &f) {
        ++found;
        const QString com =
            f.target.comPort > 0 ? QString::number(f.target.comPort) : QStringLiteral("-");
        std::printf("COM=%s PORT=%s ADDR=%d MFR=%d TYPE=%d ID=%s TAG=\"%s\"\n", qPrintable(com),
                    qPrintable(f.target.device), f.address, int(f.identity.manufacturer),
                    int(f.identity.deviceType),
                    qPrintable(health::deviceIdText(f.identity.deviceId)), qPrintable(f.tag));
        std::fflush(stdout);
    });
    QObject::connect(
        &scanner, &HartScanner::portProblem, [](const ScanTarget &t, const QString &problem) {
            std::fprintf(stderr, "zanu-hart: %s: %s\n", qPrintable(t.label()), qPrintable(problem));
        });
    QObject::connect(&scanner, &HartScanner::finished, [](bool) { QCoreApplication::exit(0); });
    scanner.start(targets);
    QCoreApplication::exec();
    std::printf("found %d\n", found);
    return found > 0 ? 0 : 2;
}
