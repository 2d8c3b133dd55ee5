// The HART master's transaction engine: one request on the line at a time, listen before talk,
// the link grant (RT2) to the other master after each of our transactions, the reply time-outs,
// retries of unanswered or garbled transactions, and exactly one outcome per transaction, always
// delivered later from the event loop.
#pragma once

#include "hart/link/hart_codec.h"
#include "hart/link/hart_line.h"
#include "hart/link/link_timing.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>

class TransactionEngine : public QObject {
    Q_OBJECT
public:
    // LinkTiming's own default, named for callers that count tries.
    static constexpr int kDefaultRetries = LinkTiming{}.retries;
    static constexpr int kMaxPreambles = 20;

    struct Request {
        QByteArray address; // 1 byte (command 0) or 5 bytes; the master bit selects the role
        quint8 command = 0;
        QByteArray data;
        int preambles = hart::kMinPreambles; // raised to at least 5, capped at 20
        int extraAllowanceMs = 0;            // on top of RT1 and the adapter allowance
        int retries = -1;                    // further tries after the first; -1: the timing's
    };

    enum class Status {
        Reply,      // a reply from the addressed device to this command (any response code)
        NoReply,    // silence on every try
        Garbled,    // the last try brought only garbled frames or a communication-error report
        LineFailed, // the line could not be opened, or broke; not retried
        BadRequest, // the request cannot be put in a frame (address or data length)
    };

    struct Outcome {
        Status status = Status::NoReply;
        hart::Frame reply; // for Status::Reply
        int tries = 0;     // requests put on the line
        // What went wrong on the last garbled try ("checksum error", "the transmitter could not
        // read our request ..."), or the line's own words for LineFailed.
        QString detail;
    };

    // The engine uses the line but does not own it; the line must outlive the engine or be
    // destroyed together with it.
    explicit TransactionEngine(HartLine *line, QObject *parent = nullptr);
    ~TransactionEngine() override;

    // Queues a transaction and returns its id; `finished` with that id follows exactly once,
    // never from inside this call. The line is opened when needed.
    quint64 submit(const Request &request);
    bool isBusy() const;
    HartLine *line() const { return line_; }

    // Applies from the next timer started on; the defaults are HART's figures with the slack a
    // USB adapter needs.
    void setTiming(const LinkTiming &timing) { timing_ = timing; }
    const LinkTiming &timing() const { return timing_; }

    // RT1 for the request's master role, the adapter allowance and the request's own extra.
    int replyTimeoutMs(const Request &request) const;
    // Why a transaction got no reply, in plain words for the user. `port` is how the user
    // knows the line ("COM 3 (/dev/ttyS2)"), `device` the line's device name. Empty for a reply.
    static QString failureText(const Outcome &outcome, const QString &port, const QString &device);

signals:
    void finished(quint64 id, const TransactionEngine::Outcome &outcome);

private:
    enum class State { Idle, Listening, Sending, AwaitingReply };
    struct Job {
        quint64 id = 0;
        Request request;
        int tries = 0;
    };

    void scheduleNext();
    void startNext();
    void startAttempt();
    void sendNow();
    void onReceived(const QByteArray &bytes);
    void onSent();
    void onLineFailed(const QString &reason);
    void onReplyDeadline();
    void onGap();
    void onListenTick();
    void onSendWatchdog();
    void processItems();
    void watchOtherTraffic();
    int otherMasterWaitMs() const;
    void endAttempt(TransactionEngine::Status status, const QString &detail);
    void finish(const Outcome &outcome);
    void stopTimers();
    bool lineQuiet() const;

    QPointer<HartLine> line_;
    std::deque<Job> queue_;
    Job current_;
    bool running_ = false;
    bool nextScheduled_ = false;
    State state_ = State::Idle;
    quint64 nextId_ = 1;
    // Bumped for every attempt; timer slots compare it with the value they were armed with so
    // that a time-out belonging to an earlier attempt can never end a later one.
    quint64 attempt_ = 0;
    quint64 deadlineTag_ = 0, gapTag_ = 0, listenTag_ = 0, watchdogTag_ = 0;

    hart::FrameParser parser_;
    QByteArray sentAddress_;
    bool deadlinePassed_ = false;
    bool garbledSeen_ = false;
    QString garbledDetail_;
    QElapsedTimer lastActivity_; // bytes on the line that were not the end of a transaction
    QElapsedTimer listening_;
    // The end of our last transaction on the line; invalid once the other master has had its
    // turn since (or before our first one). Our next request waits RT2 from here.
    QElapsedTimer ownEnd_;
    // Another master's request was seen and its reply has not come yet.
    bool otherPending_ = false;
    QElapsedTimer otherSince_;
    bool weArePrimary_ = true; // the master bit of our latest request

    LinkTiming timing_;

    QTimer deadline_, gap_, listen_, watchdog_;
};

Q_DECLARE_METATYPE(TransactionEngine::Outcome)
