#include "trim/loop_hold.h"

#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "units/module1.h"

LoopHold::LoopHold(Session &session, QObject *parent) : QObject(parent), session_(session) {}

LoopHold::~LoopHold() = default;

QString LoopHold::refusal(int code, int command) {
    QString text = Module1::ResponseCodeMessageShown(code, command);
    if (text.isEmpty()) text = tr("response code %1").arg(code);
    return tr("the transmitter refused command %1 (%2)").arg(command).arg(text);
}

QString LoopHold::notAnswered(const Session::Reply &reply) {
    return tr("the transmitter did not answer") +
           (reply.error.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reply.error));
}

void LoopHold::fix(float mA, Session::Completion done) {
    holds_ = true;
    releasing_ = false;
    const int serial = ++fixSerial_;
    session_.request(
        hart::cmd::FixedCurrentMode, hart::encodeSingle(mA),
        [this, serial, done = std::move(done)](const Session::Reply &r) {
            if (serial == fixSerial_ && !releasing_ && done) done(r);
        },
        this);
}

void LoopHold::release() {
    releasing_ = true;
    failedLast_ = false;
    ++fixSerial_;
    const int serial = ++releaseSerial_;
    session_.request(
        hart::cmd::FixedCurrentMode, hart::encodeSingle(0.0f),
        [this, serial](const Session::Reply &r) { onRelease(serial, r); }, this);
}

void LoopHold::retryRelease() {
    if (releasing_ && failedLast_) release();
}

void LoopHold::abandon() {
    holds_ = false;
    releasing_ = false;
}

void LoopHold::onRelease(int serial, const Session::Reply &r) {
    if (serial != releaseSerial_ || !releasing_) return;
    QString reason;
    if (!r.answered())
        reason = notAnswered(r);
    else if (r.responseCode != hart::rc::Success)
        reason = refusal(r.responseCode, r.command);
    if (!reason.isEmpty()) {
        failedLast_ = true;
        emit releaseFailed(reason);
        return;
    }
    holds_ = false;
    releasing_ = false;
    emit released();
}
