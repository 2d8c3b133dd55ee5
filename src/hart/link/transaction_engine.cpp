#include "hart/link/transaction_engine.h"

#include "hart/link/link_log.h"

#include <QCoreApplication>
#include <QMetaObject>

using hart::FrameParser;
using hart::FrameType;

namespace {

QString commErrorText(quint8 code) {
    QStringList what;
    if (code & 0x40) what << QCoreApplication::translate("hart", "parity");
    if (code & 0x20) what << QCoreApplication::translate("hart", "overrun");
    if (code & 0x10) what << QCoreApplication::translate("hart", "framing");
    if (code & 0x08) what << QCoreApplication::translate("hart", "checksum");
    if (code & 0x02) what << QCoreApplication::translate("hart", "buffer overflow");
    QString text = QCoreApplication::translate(
                       "hart", "the transmitter could not read our request (communication "
                               "error 0x%1")
                       .arg(code, 2, 16, QLatin1Char('0'));
    if (!what.isEmpty()) text += QStringLiteral(": ") + what.join(QStringLiteral(", "));
    return text + QLatin1Char(')');
}

void logReceived(const FrameParser::Item &item, const char *note = nullptr) {
    const char *problem = item.outcome == FrameParser::Outcome::BadChecksum ? "bad checksum"
                          : item.outcome == FrameParser::Outcome::BadLength ? "bad byte count"
                                                                            : note;
    // "qCDebug(category, )": an empty argument rather than none, which C++17 calls a GNU
    // extension (clang's -Wpedantic), with the same meaning.
    qCDebug(lcHartWire, ).noquote() << hart::wireLine(
        "RX", item.raw, item.outcome == FrameParser::Outcome::Frame ? &item.frame : nullptr,
        problem ? QString::fromLatin1(problem) : QString());
}

} // namespace

TransactionEngine::TransactionEngine(HartLine *line, QObject *parent)
    : QObject(parent), line_(line) {
    qRegisterMetaType<TransactionEngine::Outcome>();
    for (QTimer *t : {&deadline_, &gap_, &listen_, &watchdog_}) {
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
    }
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (deadlineTag_ == attempt_) onReplyDeadline();
    });
    connect(&gap_, &QTimer::timeout, this, [this] {
        if (gapTag_ == attempt_) onGap();
    });
    connect(&listen_, &QTimer::timeout, this, [this] {
        if (listenTag_ == attempt_) onListenTick();
    });
    connect(&watchdog_, &QTimer::timeout, this, [this] {
        if (watchdogTag_ == attempt_) onSendWatchdog();
    });
    if (line) {
        connect(line, &HartLine::received, this, &TransactionEngine::onReceived);
        connect(line, &HartLine::sent, this, &TransactionEngine::onSent);
        connect(line, &HartLine::failed, this, &TransactionEngine::onLineFailed);
    }
}

TransactionEngine::~TransactionEngine() {
    stopTimers();
    if (line_) disconnect(line_, nullptr, this, nullptr);
}

int TransactionEngine::replyTimeoutMs(const Request &request) const {
    const int rt1 = hart::isPrimaryMaster(request.address) ? timing_.primaryReplyTimeoutMs
                                                           : timing_.secondaryReplyTimeoutMs;
    return rt1 + timing_.adapterAllowanceMs + qMax(0, request.extraAllowanceMs);
}

int TransactionEngine::otherMasterWaitMs() const {
    // The other master gives up on its device after its own RT1; until then its reply may come.
    return (weArePrimary_ ? timing_.secondaryReplyTimeoutMs : timing_.primaryReplyTimeoutMs) +
           timing_.adapterAllowanceMs;
}

quint64 TransactionEngine::submit(const Request &request) {
    Job job;
    job.id = nextId_++;
    job.request = request;
    queue_.push_back(job);
    scheduleNext();
    return job.id;
}

bool TransactionEngine::isBusy() const {
    return running_ || !queue_.empty();
}

void TransactionEngine::scheduleNext() {
    if (nextScheduled_ || running_ || queue_.empty()) return;
    nextScheduled_ = true;
    // Always through the event loop: the caller of submit() must never see `finished` from
    // inside its own call.
    QMetaObject::invokeMethod(
        this,
        [this] {
            nextScheduled_ = false;
            startNext();
        },
        Qt::QueuedConnection);
}

void TransactionEngine::startNext() {
    if (running_ || queue_.empty()) return;
    current_ = queue_.front();
    queue_.pop_front();
    running_ = true;

    Outcome out;
    if (!line_) {
        out.status = Status::LineFailed;
        out.detail = QCoreApplication::translate("hart", "the serial line is gone");
        finish(out);
        return;
    }
    const int addrLen = int(current_.request.address.size());
    if ((addrLen != 1 && addrLen != 5) || current_.request.data.size() > 255) {
        out.status = Status::BadRequest;
        out.detail = QCoreApplication::translate(
                         "hart", "the request does not fit in a HART frame (%1 data bytes)")
                         .arg(current_.request.data.size());
        finish(out);
        return;
    }
    if (!line_->isOpen()) {
        QString error;
        if (!line_->open(&error)) {
            out.status = Status::LineFailed;
            out.detail = error.isEmpty()
                             ? QCoreApplication::translate("hart", "the port could not be opened")
                             : error;
            qCDebug(lcHartLink, ).noquote() << "open failed:" << out.detail;
            finish(out);
            return;
        }
        qCDebug(lcHartLink, ).noquote() << "opened" << line_->deviceName();
    }
    startAttempt();
}

void TransactionEngine::startAttempt() {
    ++attempt_;
    deadlinePassed_ = false;
    garbledSeen_ = false;
    garbledDetail_.clear();
    state_ = State::Listening;
    weArePrimary_ = hart::isPrimaryMaster(current_.request.address);
    listening_.start();
    onListenTick();
}

bool TransactionEngine::lineQuiet() const {
    return !lastActivity_.isValid() || lastActivity_.elapsed() >= timing_.quietMs;
}

void TransactionEngine::onListenTick() {
    if (state_ != State::Listening) return;
    // The link grant is always given: it is what lets the other master in at all.
    const qint64 grantLeft = ownEnd_.isValid() ? timing_.linkGrantMs - ownEnd_.elapsed() : 0;
    // Traffic (another master's transaction, a bursting device, noise) is waited out, but not
    // for ever: a line that never goes quiet must not stop us for good.
    qint64 trafficLeft = 0;
    if (otherPending_) {
        trafficLeft = otherMasterWaitMs() - otherSince_.elapsed();
        if (trafficLeft <= 0) {
            otherPending_ = false;
            qCDebug(lcHartLink, ) << "the other master's request went unanswered";
        }
    }
    if (!lineQuiet()) trafficLeft = qMax(trafficLeft, timing_.quietMs - lastActivity_.elapsed());
    const qint64 listenLeft = timing_.maxListenMs - listening_.elapsed();
    if (trafficLeft > 0 && listenLeft <= 0) {
        qCDebug(lcHartLink, ) << "line busy for" << listening_.elapsed() << "ms; sending anyway";
        trafficLeft = 0;
    }
    const qint64 wait = qMax(grantLeft, qMin(trafficLeft, qMax(listenLeft, qint64(0))));
    if (wait <= 0) {
        sendNow();
        return;
    }
    listenTag_ = attempt_;
    listen_.start(int(qMin(wait, qint64(60000))));
}

void TransactionEngine::sendNow() {
    const Request &r = current_.request;
    hart::Frame f;
    f.delimiter = quint8(FrameType::Stx);
    f.address = r.address;
    f.command = r.command;
    f.data = r.data;
    const int preambles = qBound(hart::kMinPreambles, r.preambles, kMaxPreambles);
    const QByteArray bytes = hart::encode(f, preambles);

    // Whatever half-frame of other traffic the parser holds is dead after the quiet period.
    parser_.clear();
    sentAddress_ = r.address;
    ++current_.tries;
    state_ = State::Sending;
    watchdogTag_ = attempt_;
    watchdog_.start(int(hart::wireTimeUs(int(bytes.size())) / 1000) + timing_.sendWatchdogMs);
    qCDebug(lcHartWire, ).noquote() << hart::wireLine("TX", bytes, &f);
    // A line may answer from inside send() (the instant simulator); everything the engine
    // needs afterwards is already in place, and nothing below may touch the attempt.
    line_->send(bytes);
}

void TransactionEngine::onSent() {
    if (state_ != State::Sending) return;
    watchdog_.stop();
    state_ = State::AwaitingReply;
    deadlineTag_ = attempt_;
    deadline_.start(replyTimeoutMs(current_.request));
}

void TransactionEngine::onReceived(const QByteArray &bytes) {
    if (bytes.isEmpty()) return;
    lastActivity_.start();
    parser_.push(bytes);
    if (state_ == State::Sending || state_ == State::AwaitingReply) {
        gapTag_ = attempt_;
        gap_.start(timing_.interCharGapMs);
        processItems();
        return;
    }
    watchOtherTraffic();
    if (state_ == State::Listening) onListenTick();
}

void TransactionEngine::watchOtherTraffic() {
    // Between our transactions: other masters, bursting devices, late replies. None of it is a
    // result; what matters is whose turn it is.
    while (std::optional<FrameParser::Item> item = parser_.take()) {
        logReceived(*item);
        if (item->outcome != FrameParser::Outcome::Frame) continue;
        const hart::Frame &f = item->frame;
        if (f.type() == FrameType::Stx) {
            // The other master has taken its turn: ours waits until its device has answered.
            if (!otherPending_)
                qCDebug(lcHartLink, ) << "another master's request (command" << f.command
                                      << "); ours waits for its transaction to end";
            otherPending_ = true;
            otherSince_.start();
            ownEnd_.invalidate();
            listening_.start(); // each of its transactions gets the full time
        } else if (f.type() == FrameType::Ack) {
            // A transaction has ended. After the other master's, it is our turn at once; after
            // a late answer to one of ours, the other master gets its link grant from here.
            otherPending_ = false;
            lastActivity_.invalidate();
            if (hart::isPrimaryMaster(f.address) == weArePrimary_)
                ownEnd_.start();
            else
                ownEnd_.invalidate();
        }
    }
}

void TransactionEngine::processItems() {
    while (state_ == State::Sending || state_ == State::AwaitingReply) {
        std::optional<FrameParser::Item> item = parser_.take();
        if (!item) return;
        switch (item->outcome) {
        case FrameParser::Outcome::BadChecksum:
            logReceived(*item);
            garbledSeen_ = true;
            garbledDetail_ = QCoreApplication::translate("hart", "checksum error in the reply");
            continue;
        case FrameParser::Outcome::BadLength:
            logReceived(*item);
            garbledSeen_ = true;
            garbledDetail_ =
                QCoreApplication::translate("hart", "a reply with an impossible byte count");
            continue;
        case FrameParser::Outcome::Frame:
            break;
        }
        const hart::Frame &f = item->frame;
        // Our own echo (a modem that echoes), another master's request, or a burst frame: not
        // an answer.
        if (f.type() != FrameType::Ack) {
            logReceived(*item, "not a reply");
            continue;
        }
        // Some devices set the burst bit in replies whatever their mode, so only the device part
        // and the master bit must match; a reply carrying the other master's bit answers that
        // master's request and is never our result.
        if (!hart::sameDevice(f.address, sentAddress_) || f.command != current_.request.command) {
            logReceived(*item, "another device or command");
            continue;
        }
        if (hart::isPrimaryMaster(f.address) != hart::isPrimaryMaster(sentAddress_)) {
            logReceived(*item, "answers the other master");
            continue;
        }
        logReceived(*item);
        if (f.isCommError()) {
            endAttempt(Status::Garbled, commErrorText(f.responseCode));
            return;
        }
        Outcome out;
        out.status = Status::Reply;
        out.reply = f;
        out.tries = current_.tries;
        // The device has finished talking; the next request need not wait for quiet, only give
        // the other master its link grant.
        lastActivity_.invalidate();
        ownEnd_.start();
        finish(out);
        return;
    }
}

void TransactionEngine::onReplyDeadline() {
    if (state_ != State::AwaitingReply) return;
    if (gap_.isActive() && !deadlinePassed_) {
        // Something is still arriving; let the gap decide once it stops. A line that never
        // stops (a babbling modem) is cut off once even the longest reply would have ended.
        deadlinePassed_ = true;
        deadline_.start(timing_.longestReplyMs);
        return;
    }
    if (parser_.inFrame())
        endAttempt(Status::Garbled, QCoreApplication::translate("hart", "the reply broke off"));
    else if (garbledSeen_)
        endAttempt(Status::Garbled, garbledDetail_);
    else
        endAttempt(Status::NoReply, QString());
}

void TransactionEngine::onGap() {
    // Bytes while still sending are our echo; the reply time starts only at `sent`.
    if (state_ != State::AwaitingReply) return;
    if (parser_.inFrame())
        endAttempt(Status::Garbled, QCoreApplication::translate("hart", "the reply broke off"));
    else if (garbledSeen_)
        endAttempt(Status::Garbled, garbledDetail_);
    else if (deadlinePassed_)
        endAttempt(Status::NoReply, QString());
}

void TransactionEngine::onSendWatchdog() {
    if (state_ != State::Sending) return;
    if (line_) line_->close();
    Outcome out;
    out.status = Status::LineFailed;
    out.tries = current_.tries;
    out.detail = QCoreApplication::translate("hart", "the port did not finish sending the request");
    qCDebug(lcHartLink, ).noquote() << out.detail << "; port closed";
    finish(out);
}

void TransactionEngine::onLineFailed(const QString &reason) {
    qCDebug(lcHartLink, ).noquote() << "port failed:" << reason;
    if (line_) line_->close();
    if (!running_ || state_ == State::Idle) return;
    Outcome out;
    out.status = Status::LineFailed;
    out.tries = current_.tries;
    out.detail =
        reason.isEmpty() ? QCoreApplication::translate("hart", "the port stopped working") : reason;
    finish(out);
}

void TransactionEngine::endAttempt(Status status, const QString &detail) {
    stopTimers();
    parser_.clear();
    // The attempt is over on the line too: the other master's link grant runs from here.
    ownEnd_.start();
    const int retries = current_.request.retries < 0 ? timing_.retries : current_.request.retries;
    const QString what = status == Status::NoReply ? QStringLiteral("no reply") : detail;
    if (current_.tries <= retries) {
        qCDebug(lcHartLink, ).noquote()
            << QStringLiteral("command %1: %2 (try %3 of %4); trying again")
                   .arg(current_.request.command)
                   .arg(what)
                   .arg(current_.tries)
                   .arg(retries + 1);
        startAttempt();
        return;
    }
    qCDebug(lcHartLink, ).noquote() << QStringLiteral("command %1: %2 after %3 tries; given up")
                                           .arg(current_.request.command)
                                           .arg(what)
                                           .arg(current_.tries);
    Outcome out;
    out.status = status;
    out.tries = current_.tries;
    out.detail = detail;
    finish(out);
}

void TransactionEngine::finish(const Outcome &outcome) {
    stopTimers();
    state_ = State::Idle;
    running_ = false;
    const quint64 id = current_.id;
    Outcome out = outcome;
    out.tries = current_.tries;
    scheduleNext();
    emit finished(id, out);
}

void TransactionEngine::stopTimers() {
    deadline_.stop();
    gap_.stop();
    listen_.stop();
    watchdog_.stop();
}

QString TransactionEngine::failureText(const Outcome &o, const QString &port,
                                       const QString &device) {
    const QString tries =
        o.tries == 1 ? QStringLiteral("1 try") : QStringLiteral("%1 tries").arg(o.tries);
    switch (o.status) {
    case TransactionEngine::Status::NoReply:
        return QCoreApplication::translate(
                   "hart", "No reply from the transmitter on %1 after %2 — check that the "
                           "transmitter is powered, the loop has its load resistor and the "
                           "modem is connected to this port.")
            .arg(port, tries);
    case TransactionEngine::Status::Garbled:
        return QCoreApplication::translate(
                   "hart", "Garbled replies from the transmitter on %1 after %2 (%3) — check "
                           "the modem connection and the loop wiring for noise.")
            .arg(port, tries, o.detail);
    case TransactionEngine::Status::LineFailed: {
        // Lines say what went wrong in their own words; make sure the user sees which port.
        if (!device.isEmpty() && o.detail.contains(device)) return o.detail;
        return QStringLiteral("%1: %2").arg(port, o.detail);
    }
    case TransactionEngine::Status::BadRequest:
        return QCoreApplication::translate("hart", "The request could not be sent on %1: %2.")
            .arg(port, o.detail);
    case TransactionEngine::Status::Reply:
        break;
    }
    return QString();
}
