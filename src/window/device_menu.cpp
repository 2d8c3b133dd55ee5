// The Device menu: the guided loop check, the output trim and the live trend of the output
// signal, each in a window of its own beside the main window.
#include "window/form1.h"

#include "trim/trim_window.h"
#include "window/loop_check_window.h"
#include "window/trend_window.h"

#include <QRadioButton>
#include <QTimer>

void Form1::LoopCheckMenu_Click() {
    if (!loopCheckWindow) loopCheckWindow = new LoopCheckWindow(this);
    loopCheckWindow->show();
    loopCheckWindow->raise();
    loopCheckWindow->activateWindow();
}

void Form1::OutputTrimMenu_Click() {
    if (!trimWindow) {
        trimWindow = new TrimWindow(*session, this);
        connect(trimWindow, &TrimWindow::finished, this,
                [this](const TrimResult &r) { LastTrim = r; });
    }
    trimWindow->show();
    trimWindow->raise();
    trimWindow->activateWindow();
}

void Form1::TrendMenu_Click() {
    if (!trendWindow) {
        trendWindow = new TrendWindow(this);
        trendWindow->setMonitoring(Option3[1]->isChecked());
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
