// The Device menu: the guided loop check and the live trend of the output signal, each in a
// window of its own beside the main window.
#include "window/form1.h"

#include "window/loop_check_window.h"

void Form1::LoopCheckMenu_Click() {
    if (!loopCheckWindow) loopCheckWindow = new LoopCheckWindow(this);
    loopCheckWindow->show();
    loopCheckWindow->raise();
    loopCheckWindow->activateWindow();
}

bool Form1::DeviceWindowsLetClose() {
    if (loopCheckWindow && !loopCheckWindow->releaseBeforeMainWindowCloses()) return false;
    // Windows of their own would keep the program running after the main window.
    if (loopCheckWindow) loopCheckWindow->close();
    return true;
}
