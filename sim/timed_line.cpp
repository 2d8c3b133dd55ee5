#include "sim/timed_line.h"

#include "hart/link/hart_codec.h"

TimedLine::TimedLine(Timing timing, QObject *parent) : HartLine(parent), timing_(timing) {
    timer_.setSingleShot(true);
    // Chunks arrive every 37 ms; a coarse timer's 5 % slack would smear them into each other.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TimedLine::onTimer);
    clock_.start();
}

TimedLine::~TimedLine() = default;

bool TimedLine::open(QString *error) {
    if (!reachable()) {
        if (error) *error = QStringLiteral("The simulated transmitter is not available.");
        return false;
    }
    open_ = true;
    return true;
}

void TimedLine::close() {
    open_ = false;
    ++generation_;
    timer_.stop();
    phase_ = Phase::Idle;
    request_.clear();
    reply_.clear();
    delivered_ = 0;
}

bool TimedLine::isOpen() const {
    return open_;
}

QString TimedLine::deviceName() const {
    return QStringLiteral("simulated transmitter");
}

qint64 TimedLine::nowUs() const {
    return clock_.nsecsElapsed() / 1000;
}

void TimedLine::scheduleAt(qint64 atUs) {
    const qint64 waitUs = atUs - nowUs();
    timer_.start(waitUs <= 0 ? 0 : int((waitUs + 999) / 1000));
}

void TimedLine::send(const QByteArray &frame) {
    ++framesSent_;
    const quint64 generation = ++generation_;
    timer_.stop();
    reply_.clear();
    delivered_ = 0;
    if (!open_) {
        phase_ = Phase::Idle;
        QTimer::singleShot(0, this, [this, generation] {
            if (generation == generation_)
                emit failed(QStringLiteral("The line to the simulated transmitter is not open."));
        });
        return;
    }
    request_ = frame;
    phase_ = Phase::Sending;
    if (timing_ == Timing::Instant) {
        QTimer::singleShot(0, this, [this, generation] { deliverInstant(generation); });
        return;
    }
    scheduleAt(nowUs() + hart::wireTimeUs(int(frame.size())));
}

void TimedLine::deliverInstant(quint64 generation) {
    if (generation != generation_) return;
    phase_ = Phase::Idle;
    emit sent();
    // A slot on sent() may have closed the line or sent again; this transaction is over then.
    if (generation != generation_) return;
    const QByteArray reply = answer(request_);
    if (!reply.isEmpty()) emit received(reply);
}

void TimedLine::onTimer() {
    const quint64 generation = generation_;
    switch (phase_) {
    case Phase::Idle:
        return;
    case Phase::Sending: {
        phase_ = Phase::Idle;
        emit sent();
        if (generation != generation_) return;
        // The device hears the request when its last byte is in, and answers after turning its
        // modem around.
        reply_ = answer(request_);
        if (reply_.isEmpty()) return;
        phase_ = Phase::Replying;
        delivered_ = 0;
        replyStartUs_ = nowUs() + qint64(kTurnaroundMs) * 1000;
        scheduleAt(replyStartUs_ + hart::wireTimeUs(qMin(kChunkBytes, int(reply_.size()))));
        return;
    }
    case Phase::Replying: {
        const int n = qMin(kChunkBytes, int(reply_.size()) - delivered_);
        const QByteArray chunk = reply_.mid(delivered_, n);
        delivered_ += n;
        const bool done = delivered_ >= reply_.size();
        if (done) phase_ = Phase::Idle;
        emit received(chunk);
        if (generation != generation_ || done) return;
        const int upTo = qMin(delivered_ + kChunkBytes, int(reply_.size()));
        scheduleAt(replyStartUs_ + hart::wireTimeUs(upTo));
        return;
    }
    }
}
