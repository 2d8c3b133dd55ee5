// The Device menu: the guided loop check, the output trim and the live trend of the output
// signal, each in a window of its own beside the main window.
#include "window/form1.h"

#include "health/device_health.h"
#include "history/session_recorder.h"
#include "keeper/records_keeper.h"
#include "loopcheck/loop_check_result.h"
#include "loopcheck/loop_check_window.h"
#include "trend/trend_window.h"
#include "trim/trim_window.h"
#include "window/main_window_view.h"

#include <QRadioButton>
#include <QTimer>

namespace {

QString released(bool confirmed) {
    return confirmed ? QStringLiteral("loop released") : QStringLiteral("release not confirmed");
}

QString readings(const std::optional<double> &at4, const std::optional<double> &at20) {
    auto text = [](const std::optional<double> &v) {
        return v ? QString::number(*v, 'f', 3) : QStringLiteral("-");
    };
    return QStringLiteral("%1 / %2 mA").arg(text(at4), text(at20));
}

} // namespace

void Form1::LoopCheckMenu_Click() {
    if (!loopCheckWindow) {
        loopCheckWindow = new LoopCheckWindow(*session, *view_);
        connect(loopCheckWindow, &LoopCheckWindow::checked, this, [this](const LoopCheckResult &r) {
            Records->noteLoopCheck(r);
            History->recorder().note(
                QStringLiteral("loop check"), QStringLiteral("%1 points").arg(r.points.size()),
                QString(), LoopCheckResult::verdictText(r.verdict()), released(r.releaseConfirmed));
        });
    }
    loopCheckWindow->show();
    loopCheckWindow->raise();
    loopCheckWindow->activateWindow();
}

void Form1::OutputTrimMenu_Click() {
    if (!trimWindow) {
        trimWindow = new TrimWindow(*session, this);
        connect(trimWindow, &TrimWindow::finished, this, [this](const TrimResult &r) {
            Records->noteTrim(r);
            History->recorder().note(QStringLiteral("output trim"), QStringLiteral("4 mA / 20 mA"),
                                     readings(r.before4, r.before20), readings(r.after4, r.after20),
                                     released(r.releaseConfirmed));
        });
    }
    trimWindow->show();
    trimWindow->raise();
    trimWindow->activateWindow();
}

void Form1::TrendMenu_Click() {
    if (!trendWindow) {
        trendWindow = new TrendWindow(this);
        trendWindow->setMonitoring(Option3[1]->isChecked());
        // A trend opened on a silent line says so from the start.
        if (const auto since = Health->silentSince())
            trendWindow->setNoAnswerSince(since->toMSecsSinceEpoch());
        connect(Health, &DeviceHealth::silenceChanged, trendWindow, &TrendWindow::setNoAnswerSince);
        connect(Option3[1], &QRadioButton::toggled, trendWindow, &TrendWindow::setMonitoring);
    }
    trendWindow->show();
    trendWindow->raise();
    trendWindow->activateWindow();
}

void Form1::RecordOutputSample(float mA, float percent) {
    if (trendWindow) trendWindow->addSample(mA, percent);
}

bool Form1::DeviceWindowsLetClose() {
    if (loopCheckWindow && !loopCheckWindow->releaseBeforeMainWindowCloses()) return false;
    // Closed again once the trim's loop is let go; not from inside the trim's own signal.
    if (trimWindow && !trimWindow->releaseBeforeMainWindowCloses(
                          [this] { QTimer::singleShot(0, this, &QWidget::close); }))
        return false;
    // Windows of their own would keep the program running after the main window.
    if (loopCheckWindow) loopCheckWindow->close();
    if (trimWindow) trimWindow->close();
    if (trendWindow) trendWindow->close();
    return true;
}
