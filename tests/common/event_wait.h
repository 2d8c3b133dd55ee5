// Waiting for a condition inside the event loop, not between its turns as QTest::qWaitFor does
// (10 ms a turn) nor by spinning it: each step of a chain runs as soon as its event comes, and the
// core is free meanwhile. A 2 ms tick wakes the loop for what raises no event (a child's file).
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
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // as qWaitFor does
    }
    return true;
}
