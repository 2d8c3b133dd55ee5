// CPU the tool uses while it monitors the output signal: the main window on the simulated
// transmitter with real 1200 bit/s timing, exactly as `zanu-config --simulate` runs, with "On"
// selected and the event loop left to itself.
#include "bench_link.h"

#include "bench_util.h"
#include "hart/hartx.h"
#include "dialogs/msgbox.h"
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

#include <functional>
#include <memory>

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

int benchMonitor(int seconds) {
    QTemporaryDir dir;
    if (!dir.isValid()) bench::fail(QStringLiteral("cannot make a temporary folder"));
    {
        QFile ini(dir.filePath(QStringLiteral("zanu.ini")));
        if (!ini.open(QIODevice::WriteOnly) || ini.write("\"1\"\r\n") != 5)
            bench::fail(QStringLiteral("cannot write %1").arg(ini.fileName()));
    }
    SetProgramDirectory(dir.path());
    // A message box would wait for a click nobody gives; any box means the run went wrong.
    MsgBoxSeam::setScript([](const MsgBoxSeam::Shown &box) -> int {
        bench::fail(
            QStringLiteral("the window showed a message box: %1 %2").arg(box.prompt, box.detail));
    });

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
