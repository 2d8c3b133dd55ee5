#include "trim/loop_holding_procedure.h"

LoopHoldingProcedure::LoopHoldingProcedure(Session &session, QObject *parent)
    : QObject(parent), session_(session), hold_(session) {
    connect(&hold_, &LoopHold::released, this, &LoopHoldingProcedure::onReleased);
    connect(&hold_, &LoopHold::releaseFailed, this, &LoopHoldingProcedure::onReleaseFailed);
    connect(this, &LoopHoldingProcedure::changed, this,
            [this] { session_.setLoopCheckRunning(holdsLoop()); });
}

LoopHoldingProcedure::~LoopHoldingProcedure() = default;

void LoopHoldingProcedure::begin() {
    end_ = End::None;
    failure_.clear();
}

void LoopHoldingProcedure::sendRelease() {
    end_ = End::Releasing;
    hold_.release();
    emit changed();
}

void LoopHoldingProcedure::stopWith(const QString &reason) {
    failure_ = reason;
    noteStoppedEarly();
    emit stopped(reason);
    sendRelease();
}

void LoopHoldingProcedure::cancel() {
    if (!holdsLoop() || end_ != End::None) return;
    noteStoppedEarly();
    sendRelease();
}

void LoopHoldingProcedure::retryRelease() {
    if (end_ != End::ReleaseFailed) return;
    failure_.clear();
    end_ = End::Releasing;
    hold_.retryRelease();
    emit changed();
}

void LoopHoldingProcedure::abandon() {
    if (end_ != End::ReleaseFailed) return;
    noteEnd(false);
    hold_.abandon();
    end_ = End::Abandoned;
    emit changed();
}

void LoopHoldingProcedure::onReleased() {
    if (end_ != End::Releasing) return;
    noteEnd(true);
    end_ = End::Released;
    emit changed();
    emit released();
}

void LoopHoldingProcedure::onReleaseFailed(const QString &reason) {
    if (end_ != End::Releasing) return;
    failure_ = reason;
    end_ = End::ReleaseFailed;
    emit changed();
    emit releaseFailed(reason);
}
