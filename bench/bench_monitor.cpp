// CPU the tool uses while it monitors the output signal: the main window on the simulated
// transmitter with real 1200 bit/s timing, exactly as `zanu-config --simulate` runs, with "On"
// selected and the event loop left to itself.
#include "bench_link.h"

#include "bench_util.h"
#include "dialogs/msgbox.h"
#include "hart/hartx.h"
#include "hart/link/hart_codec.h"
#include "settings/settings_file.h"
#include "sim/sim_device.h"
#include "sim/sim_line.h"
#include "window/form1.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        runFor(20);
    }
    return true;
}

struct Window {
    QElapsedTimer wall;
    qint64 cpu = 0;
    int polls = 0;
};

} // namespace

int benchSequence(int runs) {
    QTemporaryDir dir;
    bench::prepareWindow(dir);
    std::vector<double> ratios, overheads;
    double lastMs = 0, lastProtocolMs = 0;
    int lastFrames = 0;
    for (int run = 0; run < runs; ++run) {
        SimDevice device;
        device.setNoise(false);
        MeteredLine *line = nullptr;
        auto form = std::make_unique<Form1>();
        form->HartX1->setLineFactory([&device, &line](int) {
            auto l = std::make_unique<MeteredLine>(&device, SimLine::Timing::Real);
            line = l.get();
            return l;
        });
        form->Form_Load();
        form->show();
        if (!waitUntil([&] { return form->Frame6->isVisible() && !form->HartX1->isBusy(); },
                       30000) ||
            !line)
            bench::fail(QStringLiteral("the read sequence did not finish within 30 s"));
        const int n = line->framesSent;
        const double ms = double(line->lastReceiveUs - line->firstSendUs) / 1000.0;
        // Every request and reply byte, each device turnaround, and the link grant between one
        // transaction and the next; the sequence ends with the last reply, before any grant.
        // The window's own fixed wait inside the sequence (Timer1, 1500 ms, between showing the
        // device data and revealing the panels, whose first reads end the sequence) is part of
        // the program's specified behaviour, not overhead, and is counted with it. The grant
        // after the reply that starts Timer1 runs out inside that wait, so it is not counted
        // twice.
        const double grantMs = form->HartX1->linkTiming().linkGrantMs;
        const double timer1Ms = double(form->Timer1->interval());
        const double protocolMs =
            double(hart::wireTimeUs(int(line->sentBytes + line->receivedBytes))) / 1000.0 +
            n * SimLine::kTurnaroundMs + (n - 1) * grantMs + timer1Ms - std::min(grantMs, timer1Ms);
        ratios.push_back(ms / protocolMs);
        overheads.push_back(ms - protocolMs);
        lastMs = ms;
        lastProtocolMs = protocolMs;
        lastFrames = n;
        form.reset();
    }
    MsgBoxSeam::clearScript();
    bench::report(QStringLiteral("sequence.runs"), QString::number(runs));
    bench::report(QStringLiteral("sequence.transactions"), QString::number(lastFrames));
    bench::report(QStringLiteral("sequence.ms.last"), lastMs, 1);
    bench::report(QStringLiteral("sequence.protocol_ms.last"), lastProtocolMs, 1);
    bench::report(QStringLiteral("sequence.ratio.median"), bench::median(ratios), 4);
    bench::report(QStringLiteral("sequence.ratio.max"), bench::percentile(ratios, 100), 4);
    bench::report(QStringLiteral("sequence.overhead_ms.median"), bench::median(overheads), 1);
    return 0;
}

int benchMonitor(int seconds) {
    QTemporaryDir dir;
    bench::prepareWindow(dir);

    SimDevice device;
    auto form = std::make_unique<Form1>();
    form->HartX1->setLineFactory(
        [&device](int) { return std::make_unique<SimLine>(&device, SimLine::Timing::Real); });
    int polls = 0;
    QObject::connect(form->HartX1, &HartX::Result, form.get(), [&](qint16, qint16 cmd, qint16 r) {
        if (cmd == 2 && r == 0) ++polls;
    });

    form->Form_Load();
    form->show();
    if (!waitUntil([&] { return form->Frame6->isVisible() && !form->HartX1->isBusy(); }, 30000))
        bench::fail(QStringLiteral("the read sequence did not finish within 30 s"));

    // For comparison: the window with monitoring off (only its status-bar clock ticks).
    const int idleSeconds = 10;
    qint64 cpu0 = bench::cpuTimeUs();
    QElapsedTimer wall;
    wall.start();
    runFor(idleSeconds * 1000);
    const double idlePercent =
        100.0 * double(bench::cpuTimeUs() - cpu0) / (double(wall.nsecsElapsed()) / 1000.0);

    form->Option3[1]->click();
    runFor(3000); // the cycle settles into its rhythm
    if (polls == 0) bench::fail(QStringLiteral("monitoring did not start"));

    const int polls0 = polls;
    cpu0 = bench::cpuTimeUs();
    wall.restart();
    runFor(seconds * 1000);
    const double wallUs = double(wall.nsecsElapsed()) / 1000.0;
    const double cpuUs = double(bench::cpuTimeUs() - cpu0);
    const int pollsInWindow = polls - polls0;

    bench::report(QStringLiteral("monitor.seconds"), wallUs / 1e6, 1);
    bench::report(QStringLiteral("monitor.polls"), QString::number(pollsInWindow));
    bench::report(QStringLiteral("monitor.poll_period_ms"),
                  pollsInWindow ? wallUs / 1000.0 / pollsInWindow : 0.0, 0);
    bench::report(QStringLiteral("monitor.cpu_ms"), cpuUs / 1000.0, 1);
    bench::report(QStringLiteral("monitor.cpu.percent"), 100.0 * cpuUs / wallUs, 3);
    bench::report(QStringLiteral("monitor.cpu.idle_percent"), idlePercent, 3);
    bench::report(QStringLiteral("monitor.cpu_us.per_poll"),
                  pollsInWindow ? cpuUs / pollsInWindow : 0.0, 0);

    form->Option3[0]->click();
    form.reset();
    MsgBoxSeam::clearScript();
    return 0;
}
