#include "session/session.h"

#include "hart/hart_catalogue.h"
#include "hart/link/hart_codec.h"

#include <QTimer>

#include <utility>

namespace {

// The output poll and the simulation's command 40 run beside the chains and never make one:
// the loop check waits for them rather than refusing.
bool besideTheChains(int command) {
    return command == hart::cmd::ReadLoopCurrent || command == hart::cmd::FixedCurrentMode;
}

} // namespace

namespace {

QTimer *makeTimer(Session *s, const char *name, std::chrono::milliseconds interval,
                  void (Session::*tick)()) {
    auto *t = new QTimer(s);
    t->setObjectName(QLatin1String(name));
    t->setSingleShot(true);
    t->setInterval(interval);
    // The chains' pacing is part of what the transmitter sees; a coarse timer would stretch it.
    t->setTimerType(Qt::PreciseTimer);
    QObject::connect(t, &QTimer::timeout, s, tick);
    return t;
}

} // namespace

Session::Session(QObject *parent)
    : QObject(parent), Timer1(makeTimer(this, "Timer1", kTimer1Interval, &Session::Timer1_Timer)),
      Timer2(makeTimer(this, "Timer2", kTimer2Interval, &Session::Timer2_Timer)),
      Timer4(makeTimer(this, "Timer4", kTimer4Interval, &Session::Timer4_Timer)),
      Timer5(makeTimer(this, "Timer5", kTimer5Interval, &Session::Timer5_Timer)),
      hart_(new HartX(this)) {
    hart_->setObjectName(QStringLiteral("HartX1"));
    connect(hart_, &HartX::commandQueued, this, &Session::onQueued);
    connect(hart_, &HartX::Result, this, &Session::onResult);
    // A step armed on Timer 1, 2 or 4 is the chain's; once it has run, the chain may be over.
    for (QTimer *t : {Timer1, Timer2, Timer4})
        connect(t, &QTimer::timeout, this, &Session::updateState);
}

void Session::attach(SessionView *view, Decisions *decisions) {
    view_ = view;
    decisions_ = decisions;
}

Session::~Session() = default;

void Session::request(qint16 command, const QByteArray &data, Completion done, QObject *context) {
    Entry e;
    e.queued = true;
    e.command = command;
    e.data = data;
    e.done = std::move(done);
    e.context = context;
    e.hasContext = context != nullptr;
    waiting_.push_back(std::move(e));
    // Handed to the control at once when the line is free, so that the control's own isBusy()
    // tells everyone that something is under way.
    pump();
}

void Session::endChains() {
    chainsEnded_ = true;
    for (QTimer *t : {Timer1, Timer2, Timer4, Timer5})
        t->stop();
}

void Session::setLoopCheckRunning(bool running) {
    loopCheck_ = running;
    updateState();
}

bool Session::chainRunning() const {
    if (dispatching_ >= 0 && !besideTheChains(dispatching_)) return true;
    // Timer 5 only paces the poll, which a queued request may come between.
    if (Timer1->isActive() || Timer2->isActive() || Timer4->isActive()) return true;
    for (const Entry &e : onLine_)
        if (!e.queued && !besideTheChains(e.command)) return true;
    return false;
}

void Session::send(Entry e) {
    sending_ = std::move(e);
    hart_->setRequestData(sending_->data);
    hart_->setCommand(sending_->command);
}

void Session::onQueued(qint16 command) {
    emit transactionStarted(command, hart_->lastRequest());
    if (sending_) {
        onLine_.push_back(std::move(*sending_));
        sending_.reset();
        return;
    }
    Entry e;
    e.command = command;
    onLine_.push_back(e);
    if (command == hart::cmd::ReadUniqueIdentifier) {
        read_ = false;
        activity_ = Activity::Reading;
    } else if (activity_ == Activity::None && !besideTheChains(command)) {
        activity_ = Activity::Writing;
    }
    updateState();
}

void Session::onResult(qint16 iAction, qint16 iCommand, qint16 iResult) {
    emit transactionEnded(replyOf(iCommand, iResult));
    Entry e;
    if (!onLine_.empty()) {
        e = std::move(onLine_.front());
        onLine_.pop_front();
    } else {
        e.command = iCommand; // written before the session was there: the window's
    }
    if (e.queued) {
        finishQueued(e, iCommand, iResult);
    } else {
        noteChainResult(e, iResult);
        if (!chainsEnded_) {
            const int outer = std::exchange(dispatching_, iCommand);
            emit chainResultArrived(iCommand, iResult);
            if (view_ && decisions_) hartx1_Result(iAction, iCommand, iResult);
            emit chainResult(iAction, iCommand, iResult);
            dispatching_ = outer;
        }
    }
    updateState();
    pump();
}

Session::Reply Session::replyOf(qint16 iCommand, qint16 iResult) const {
    Reply r;
    r.command = iCommand;
    r.result = iResult;
    if (r.answered()) {
        r.responseCode = hart_->ResponseCode();
        r.deviceStatus = hart_->DeviceStatus();
        r.data = hart_->ReplyData();
    } else {
        r.error = hart_->LastError();
    }
    return r;
}

void Session::finishQueued(Entry &e, qint16 iCommand, qint16 iResult) {
    const Reply r = replyOf(iCommand, iResult);
    if (r.answered() && (r.responseCode & hart::rc::Busy) && e.busyResends < kBusyResends) {
        ++e.busyResends;
        send(std::move(e)); // the same request again, before anything queued after it
        return;
    }
    // Whoever let go of the loop, our simulation no longer holds it.
    if (iCommand == hart::cmd::FixedCurrentMode && r.accepted() &&
        hart::getFloat(r.data, hart::at::FixedCurrent::Current) == 0.0f)
        simulating_ = false;
    if (e.hasContext && !e.context) return;
    if (e.done) e.done(r);
}

void Session::noteChainResult(const Entry &e, qint16 iResult) {
    if (iResult == HartX::kNoAnswer || hart_->ResponseCode() != 0) return;
    // The read sequence ends with the output direction, which puts the data on screen.
    if (e.command == hart::cmd::ReadOutputDirection) read_ = true;
    // The reply to command 40 says the current the transmitter now holds.
    if (e.command == hart::cmd::FixedCurrentMode)
        simulating_ = hart::getFloat(hart_->ReplyData(), hart::at::FixedCurrent::Current) != 0.0f;
}

void Session::schedulePump() {
    if (pumpScheduled_) return;
    pumpScheduled_ = true;
    QMetaObject::invokeMethod(this, &Session::pump, Qt::QueuedConnection);
}

void Session::pump() {
    pumpScheduled_ = false;
    if (hart_->isBusy() || dispatching_ >= 0) return;
    if (waiting_.empty()) {
        emit lineFree();
        return;
    }
    Entry e = std::move(waiting_.front());
    waiting_.pop_front();
    send(std::move(e));
}

void Session::updateState() {
    if (activity_ != Activity::None && !chainRunning()) activity_ = Activity::None;
    State s = State::Idle;
    if (loopCheck_)
        s = State::LoopCheck;
    else if (activity_ == Activity::Reading)
        s = State::Reading;
    else if (activity_ == Activity::Writing)
        s = State::Writing;
    else if (simulating_)
        s = State::SimulatingCurrent;
    if (s == state_) return;
    state_ = s;
    emit stateChanged(s);
}
