#include "scan_console.h"

#include "console_common.h"
#include "hart/hart_scanner.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>

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
    "Exit status: 0 something answered, 2 nothing did, 7 nothing did and a port could not be\n"
    "opened for lack of permission (join the dialout group: sudo usermod -aG dialout $USER,\n"
    "then log in again), 1 bad arguments.\n";

int usage(const QString &problem) {
    std::fprintf(stderr, "zanu-hart: %s\n\n%s", qPrintable(problem), kScanUsage);
    return console::kExitUsage;
}

// The ports named with --port, each with the name the user gave it for messages.
QString parseTargets(const QStringList &args, QList<ScanTarget> *targets,
                     QHash<QString, QString> *labels, LinkTiming *timing) {
    QString error;
    if (!LinkTiming::fromEnvironment(timing, &error)) return error;
    QCommandLineParser p;
    console::setUpParser(&p);
    const QCommandLineOption scan(QStringLiteral("scan"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("DEVICE"));
    const QCommandLineOption timingOption(QStringLiteral("timing"), QString(),
                                          QStringLiteral("KEYS"));
    p.addOptions({scan, port, timingOption});
    if (!p.parse(args)) return console::parseProblem(p);
    if (!p.positionalArguments().isEmpty())
        return QStringLiteral("%1 does not go with --scan").arg(p.positionalArguments().first());
    for (const QString &t : p.values(timingOption))
        if (!LinkTiming::parse(t, timing, &error)) return error;
    for (const QString &v : p.values(port)) {
        const auto given = console::portFromArgument(v, &error);
        if (!given) return error;
        const auto t = HartScanner::targetFor(given->device, &error);
        if (!t) return error;
        targets->append(*t);
        if (!given->label.isEmpty()) labels->insert(t->device, given->label);
    }
    return QString();
}

} // namespace

int runScanConsole(const QStringList &args) {
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::fputs(kScanUsage, stdout);
        return 0;
    }
    QList<ScanTarget> targets;
    QHash<QString, QString> labels; // device -> the name it was given by
    LinkTiming timing;
    const QString problem = parseTargets(args, &targets, &labels, &timing);
    if (!problem.isEmpty()) return usage(problem);
    if (targets.isEmpty()) targets = HartScanner::presentTargets();
    if (targets.isEmpty()) {
        std::fprintf(stderr, "zanu-hart: no serial port found to scan\n");
        std::printf("found 0\n");
        return console::kExitNoAnswer;
    }
    auto labelOf = [&labels](const ScanTarget &t) {
        return labels.value(t.device,
                            t.comPort > 0 ? QStringLiteral("COM %1").arg(t.comPort) : QString());
    };

    HartScanner scanner;
    scanner.setLinkTiming(timing);
    console::Lines lines;
    scanner.setLineFactory([&](const ScanTarget &t) { return lines.make(t.device, labelOf(t)); });
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
    bool denied = false;
    QObject::connect(
        &scanner, &HartScanner::portProblem, [&](const ScanTarget &t, const QString &problem) {
            // The scanner lets go of the port's line once this has returned.
            denied = denied || lines.permissionDenied();
            const QString label = labelOf(t);
            const QString name =
                label.isEmpty() ? t.device : QStringLiteral("%1 (%2)").arg(label, t.device);
            if (problem.contains(t.device))
                std::fprintf(stderr, "zanu-hart: %s\n", qPrintable(problem));
            else
                std::fprintf(stderr, "zanu-hart: %s: %s\n", qPrintable(name), qPrintable(problem));
        });
    QElapsedTimer sinceLast;
    QObject::connect(&scanner, &HartScanner::finished, [&](bool) {
        sinceLast.start();
        QCoreApplication::exit(0);
    });
    scanner.start(targets);
    QCoreApplication::exec();
    std::printf("found %d\n", found);
    std::fflush(stdout);
    console::holdLinkGrant(sinceLast, timing);
    if (found > 0) return 0;
    return denied ? console::kExitPermission : console::kExitNoAnswer;
}
