// What every guided procedure that holds the loop for the engineer (the loop check, the output
// trim) does at its end, written once: the release after the last step, after Cancel or after a
// failed step; its retry; the engineer leaving it unconfirmed; and why it stopped. The session is
// told whenever the loop is held, before anyone else hears of a change, so that a simulation or
// another procedure cannot start on top of it.
#pragma once

#include "session/session.h"
#include "trim/loop_hold.h"

#include <QObject>
#include <QString>

class LoopHoldingProcedure : public QObject {
    Q_OBJECT
public:
    ~LoopHoldingProcedure() override;

    // Ends the procedure early; the release follows. Nothing happens before start or after the
    // end.
    void cancel();
    // After releaseFailed(): sends the release again.
    void retryRelease();
    // The engineer chose to leave after an unconfirmed release: the procedure is over, its
    // result keeps saying that the release was not confirmed.
    void abandon();

    // True from the first fixed-current request until the transmitter confirmed its end.
    bool holdsLoop() const { return hold_.holds(); }
    // Why the procedure stopped early or the release was not confirmed; empty otherwise.
    QString failure() const { return failure_; }

signals:
    void changed();
    // A step failed; the procedure is stopped and the release is on its way.
    void stopped(const QString &reason);
    void released();
    void releaseFailed(const QString &reason);

protected:
    LoopHoldingProcedure(Session &session, QObject *parent);

    // A new run: no end yet, no failure.
    void begin();
    // Command 40 with 0.0 mA, for good: replies to steps still on the line no longer count.
    virtual void sendRelease();
    // A step failed: the reason is kept and told, and the loop let go.
    void stopWith(const QString &reason);
    // Cancel, or a failed step, ends the run before its last step.
    virtual void noteStoppedEarly() {}
    // The run is over: when, and whether the transmitter confirmed the release.
    virtual void noteEnd(bool releaseConfirmed) = 0;

    // The procedure's state: its running step `running`, unless its end has begun. Every
    // procedure's State has Idle, Releasing, ReleaseFailed and Done.
    template <typename State> State stateWith(State running) const {
        switch (end_) {
        case End::None:
            return running;
        case End::Releasing:
            return State::Releasing;
        case End::ReleaseFailed:
            return State::ReleaseFailed;
        case End::Released:
            return State::Done;
        case End::Abandoned:
            break;
        }
        return State::Idle;
    }

    Session &session_;
    LoopHold hold_;

private:
    enum class End { None, Releasing, ReleaseFailed, Released, Abandoned };

    void onReleased();
    void onReleaseFailed(const QString &reason);

    End end_ = End::None;
    QString failure_;
};
