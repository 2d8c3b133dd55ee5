// Waiting for a condition inside the event loop rather than between its turns, as QTest::qWaitFor
// does (10 ms a turn): each step of a chain over a line runs as soon as its bytes or its timer
// come. A 2 ms tick wakes the loop for what changes without an event of ours (a child's file).
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <functional>

inline bool waitInLoop(const std::function<bool()> &condition, int timeoutMs = 5000) {
    QTimer tick;
    tick.start(2);
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        // As qWaitFor does: what was deleteLater()'d goes now, not after the test function.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}
