// The finder's scan on simulated lines with real 1200 bit/s timing: twelve silent ports against
// one, and how soon a transmitter at address 0 is listed among eleven silent ports.
#include "bench_link.h"
#include "bench_util.h"

#include "hart/hart_scanner.h"
#include "hart/link/hart_codec.h"
#include "hart/link/transaction_engine.h"
#include "sim/sim_device.h"
#include "sim/sim_line.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>

#include <memory>

namespace {

struct ScanRun {
    double totalMs = 0;
    double firstListedMs = -1;
    double firstTagMs = -1;
    int found = 0;
};

ScanRun scan(int silentPorts, bool withTransmitter) {
    SimDevice silent;
    silent.setSilent(-1);
    SimDevice transmitter;
    transmitter.setNoise(false);
    QList<ScanTarget> targets;
    QMap<QString, SimDevice *> devices;
    if (withTransmitter) {
        targets.append({QStringLiteral("/sim/transmitter"), 1, QString()});
        devices.insert(targets.last().device, &transmitter);
    }
    for (int i = 0; i < silentPorts; ++i) {
        targets.append({QStringLiteral("/sim/silent%1").arg(i), 0, QString()});
        devices.insert(targets.last().device, &silent);
    }
    HartScanner scanner;
    scanner.setLineFactory([&devices](const ScanTarget &t) {
        return std::make_unique<SimLine>(devices.value(t.device), SimLine::Timing::Real);
    });
    ScanRun run;
    QElapsedTimer clock;
    QEventLoop loop;
    QObject::connect(&scanner, &HartScanner::found, [&](const ScanFind &) {
        if (run.firstListedMs < 0) run.firstListedMs = clock.nsecsElapsed() / 1e6;
    });
    QObject::connect(&scanner, &HartScanner::tagRead, [&](const ScanFind &) {
        ++run.found;
        if (run.firstTagMs < 0) run.firstTagMs = clock.nsecsElapsed() / 1e6;
    });
    QObject::connect(&scanner, &HartScanner::finished, &loop, &QEventLoop::quit);
    clock.start();
    scanner.start(targets);
    loop.exec();
    run.totalMs = clock.nsecsElapsed() / 1e6;
    return run;
}

} // namespace

int benchScan(int runs) {
    // The request the scanner sends: 10 preambles, delimiter, 1-byte address, command, byte
    // count, checksum.
    const double requestMs = hart::wireTimeUs(10 + 5) / 1000.0;
    const LinkTiming timing; // the scanner's: the defaults
    const double boundMs = 16 * (requestMs + timing.primaryReplyTimeoutMs + timing.linkGrantMs);
    std::vector<double> one, twelve, listed, tagged;
    for (int i = 0; i < runs; ++i) {
        one.push_back(scan(1, false).totalMs);
        twelve.push_back(scan(12, false).totalMs);
        const ScanRun r = scan(11, true);
        if (r.found != 1) bench::fail(QStringLiteral("the transmitter at address 0 was not found"));
        listed.push_back(r.firstListedMs);
        tagged.push_back(r.firstTagMs);
    }
    bench::report(QStringLiteral("scan.runs"), QString::number(runs));
    bench::report(QStringLiteral("scan.silent1_ms.median"), bench::median(one), 0);
    bench::report(QStringLiteral("scan.silent12_ms.median"), bench::median(twelve), 0);
    bench::report(QStringLiteral("scan.silent12_over_1.median"),
                  bench::median(twelve) / bench::median(one), 3);
    bench::report(QStringLiteral("scan.bound_ms"), boundMs, 0);
    bench::report(QStringLiteral("scan.listed_ms.median"), bench::median(listed), 0);
    bench::report(QStringLiteral("scan.listed_ms.max"),
                  *std::max_element(listed.begin(), listed.end()), 0);
    bench::report(QStringLiteral("scan.tag_ms.median"), bench::median(tagged), 0);
    return 0;
}
