#include "dialogs/centre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void CentreOnScreen(QWidget *window) {
    // A window not shown yet may have no screen of its own; the primary one is where it opens.
    const QScreen *s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    // Centred in the room the desktop leaves (no panel covers it), with the window's frame once
    // it has one; a window larger than that room starts at its top-left corner, so its title
    // bar and menu are never above the screen.
    const QRect g = s->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    window->move(std::max(g.x(), g.x() + (g.width() - outer.width()) / 2),
                 std::max(g.y(), g.y() + (g.height() - outer.height()) / 2));
}
