// Memory of the Trend window over a day of monitoring: the main window on the instant simulated
// line, "On" selected and the trend open, polled back to back while the trend's clock moves one
// second per poll, so that a day (and more) of samples pass in a few minutes.
#include "bench_link.h"

#include "bench_util.h"
#include "dialogs/msgbox.h"
#include "settings/settings_file.h"
#include "sim/sim_device.h"
#include "sim/sim_line.h"
#include "trend/trend_window.h"
#include "window/form1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <vector>

int benchTrend(int polls, bool withTrend) {
    QTemporaryDir dir;
    bench::prepareWindow(dir);

    SimDevice device;
    device.setNoise(true); // a line that moves, as a real level does
    auto form = std::make_unique<Form1>();
    form->HartX1->setLineFactory(
        [&device](int) { return std::make_unique<SimLine>(&device, SimLine::Timing::Instant); });
    bench::dropLinkPauses(*form->HartX1);
    form->Form_Load();
    form->show();
    {
        QElapsedTimer t;
        t.start();
        while (!form->Timer1->isActive() && t.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!form->Timer1->isActive()) bench::fail(QStringLiteral("the read sequence hung"));
        form->Timer1->stop();
        form->session->Timer1_Timer();
    }
    // Without the trend, the same run shows what the main window's monitoring alone costs.
    TrendWindow scratch;
    if (withTrend) form->TrendMenu_Click();
    TrendWindow *trend = withTrend ? form->trendWindow : &scratch;
    qint64 now = QDateTime::currentMSecsSinceEpoch();
    trend->clock = [&now] { return now; };
    trend->refresh();
    trend->grab();
    const qint64 rssAtStart = bench::selfStatusKb("VmRSS");

    int done = 0;
    qint64 rssAt10k = -1, rssAtEnd = -1, rssAtScreen = -1, peak = 0;
    std::vector<qint64> steps;
    QEventLoop loop;
    QElapsedTimer t;
    // After the window's own handling of each reply (which records the sample and arms Timer5),
    // the next poll goes at once instead of a second later.
    QObject::connect(form->HartX1, &HartX::Result, &loop, [&](qint16, qint16 cmd, qint16 r) {
        if (cmd != 2 || r != 0) bench::fail(QStringLiteral("poll %1 failed").arg(done));
        ++done;
        now += 1000;
        if (done % 1000 == 0) device.clearTrace(); // the simulator's, not the tool's
        // Ten minutes in, the plot is full once: from here on only the samples should grow.
        if (done == 600) {
            trend->refresh();
            trend->grab();
            rssAtScreen = bench::selfStatusKb("VmRSS");
        }
        if (done % 10000 == 0) {
            trend->refresh();
            trend->grab(); // draw it, so that the chart's own caches count too
            const qint64 rss = bench::selfStatusKb("VmRSS");
            steps.push_back(rss);
            peak = std::max(peak, rss);
            if (done == 10000) rssAt10k = rss;
        }
        if (done >= polls) {
            rssAtEnd = bench::selfStatusKb("VmRSS");
            loop.quit();
            return;
        }
        QTimer::singleShot(0, form.get(), [&] {
            form->Timer5->stop();
            form->session->Timer5_Timer();
        });
    });
    t.start();
    form->Option3[1]->click();
    loop.exec();
    const double seconds = double(t.nsecsElapsed()) / 1e9;

    QStringList s;
    for (qint64 kb : steps)
        s << QString::number(kb);
    const QString p = withTrend ? QStringLiteral("trend.") : QStringLiteral("no_trend.");
    bench::report(p + QStringLiteral("polls"), QString::number(done));
    bench::report(p + QStringLiteral("hours"), done / 3600.0, 1);
    bench::report(p + QStringLiteral("samples_kept"), QString::number(trend->buffer().size()));
    bench::report(p + QStringLiteral("per_s"), done / seconds, 0);
    bench::report(p + QStringLiteral("rss_kb.at_start"), QString::number(rssAtStart));
    bench::report(p + QStringLiteral("rss_kb.after_600"), QString::number(rssAtScreen));
    bench::report(p + QStringLiteral("rss_kb.growth_from_600"),
                  QString::number(rssAtEnd - rssAtScreen));
    bench::report(p + QStringLiteral("rss_kb.after_10000"), QString::number(rssAt10k));
    bench::report(p + QStringLiteral("rss_kb.growth_from_start"),
                  QString::number(rssAtEnd - rssAtStart));
    bench::report(p + QStringLiteral("rss_kb.at_end"), QString::number(rssAtEnd));
    bench::report(p + QStringLiteral("rss_kb.growth"), QString::number(rssAtEnd - rssAt10k));
    bench::report(p + QStringLiteral("rss_kb.peak"), QString::number(peak));
    bench::report(p + QStringLiteral("rss_kb.every_10000"), s.join(QLatin1Char(' ')));
    return 0;
}
