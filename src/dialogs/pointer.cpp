#include "dialogs/pointer.h"

#include <QApplication>
#include <QCursor>

namespace {
int g_pointer = vbDefault;
}

void SetMousePointer(int code) {
    if (code == g_pointer) return;
    // Override cursors stack; keep at most one of ours so that "default" really restores.
    if (g_pointer != vbDefault && QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    g_pointer = code;
    if (code == vbHourglass)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else if (code == vbArrowHourglass)
        QApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
}

int MousePointer() {
    return g_pointer;
}
