// Holding the loop current fixed, and the guarantee that it is let go again: command 40 with the
// current wanted, and at the end command 40 with 0.0 mA, whose answer is the only proof that the
// control system sees the level again. Whoever fixes the loop for the engineer (the loop check,
// the output trim) does it through one of these, so that the release and its retry are written
// once. The requests go through the session's queue: busy replies are sent again there, and the
// replies come back here alone.
#pragma once

#include "session/session.h"

#include <QObject>
#include <QString>

class LoopHold : public QObject {
    Q_OBJECT
public:
    explicit LoopHold(Session &session, QObject *parent = nullptr);
    ~LoopHold() override;

    // Command 40 with `mA`; `done` gets its reply, unless a release was asked for meanwhile.
    void fix(float mA, Session::Completion done);
    // Command 40 with 0.0 mA; released() or releaseFailed() follows. A reply to a fix still on
    // the line is of no further interest then.
    void release();
    // After releaseFailed(): sends the release again.
    void retryRelease();
    // The engineer leaves the loop unconfirmed on purpose; nothing is held any more as far as
    // this program knows.
    void abandon();

    // From the first fix until the transmitter confirmed the release (or the engineer gave up).
    bool holds() const { return holds_; }

    // Why a transmitter's answer is no success, in the words every guided procedure uses.
    static QString refusal(int code, int command);
    static QString notAnswered(const Session::Reply &reply);

signals:
    void released();
    void releaseFailed(const QString &reason);

private:
    void onRelease(int serial, const Session::Reply &reply);

    Session &session_;
    bool holds_ = false;
    bool releasing_ = false;
    bool failedLast_ = false;
    int fixSerial_ = 0;     // replies to fixes sent before the latest release are stale
    int releaseSerial_ = 0; // only the latest release's reply decides
};
