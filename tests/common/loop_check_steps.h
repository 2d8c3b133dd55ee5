// Driving the Loop check window from a test: what to do and what to look for, shared by the
// in-process and the end-to-end tests. Each folder waits in its own way (the instant in-process
// line is spun without naps, the pseudo-terminal is waited on), so the conditions are handed out
// rather than waited for here.
#pragma once

#include "loopcheck/loop_check_window.h"
#include "window/form1.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace loopcheck {

// Opens the window from the Device menu, set to `points` with no settling time.
inline LoopCheckWindow *open(Form1 &form, const QString &points = QStringLiteral("4; 20")) {
    form.LoopCheckMenu->trigger();
    LoopCheckWindow *w = form.loopCheckWindow;
    if (!w) return nullptr;
    w->pointsEdit->setText(points);
    w->settlingEdit->setText(QStringLiteral("0"));
    return w;
}

// The check waits for the engineer's reading of point `index`.
inline std::function<bool()> awaitingAt(LoopCheckWindow *w, int index) {
    return [w, index] {
        return w->procedure().state() == LoopCheckProcedure::State::AwaitingReading &&
               w->procedure().currentIndex() == index;
    };
}

// Nothing holds the loop any more and the main window is given back.
inline std::function<bool()> letGo(LoopCheckWindow *w) {
    return [w] { return !w->procedure().holdsLoop() && !w->mainWindowLocked(); };
}

inline void type(LoopCheckWindow *w, const QString &text) {
    w->readingEdit->setText(text);
    w->enterButton->click();
}

} // namespace loopcheck
