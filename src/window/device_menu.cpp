// The Device menu: the guided loop check and the live trend of the output signal, each in a
// window of its own beside the main window.
#include "window/form1.h"

#include "window/loop_check_window.h"
#include "window/trend_window.h"

#include <QRadioButton>

void Form1::LoopCheckMenu_Click() {
    if (!loopCheckWindow) loopCheckWindow = new LoopCheckWindow(this);
    loopCheckWindow->show();
    loopCheckWindow->raise();
    loopCheckWindow->activateWindow();
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
    // Windows of their own would keep the program running after the main window.
    if (loopCheckWindow) loopCheckWindow->close();
    if (trendWindow) trendWindow->close();
    return true;
}
