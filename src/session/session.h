// The session: the one owner of the HART control and of what is known of the transmitter. Every
// transaction has an owner. The main window's chains write the control themselves, as they
// always have, and their Results come back through chainResult; any other part of the program
// asks through request() and gets its reply in its own completion, and nobody else sees it.
// Queued requests go out only while no chain transaction is on the line or being handled, so
// that a step a chain writes from its result always goes first and the chain's order and bytes
// on the wire stay as they are. A step armed on a timer does not hold them: a request takes a
// fraction of that time, and the control holds the step until the line is free.
#pragma once

#include "hart/hartx.h"
#include "session/device_record.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

class Session : public QObject {
    Q_OBJECT
public:
    // What runs, for the features that must not disturb it. A loop check outranks everything; a
    // chain of the main window outranks the simulation it may run beside.
    enum class State { Idle, Reading, Writing, SimulatingCurrent, LoopCheck };
    Q_ENUM(State)

    // One finished queued request, captured when its Result came: the control's reply fields are
    // overwritten by the next transaction.
    struct Reply {
        qint16 command = 0;
        qint16 result = 0; // HartX's iResult: 0 answered, HartX::kNoAnswer otherwise
        qint16 responseCode = 0;
        quint8 deviceStatus = 0;
        QByteArray data;
        QString error; // why there was no answer
        bool answered() const { return result != HartX::kNoAnswer; }
        bool accepted() const { return answered() && responseCode == 0; }
    };
    using Completion = std::function<void(const Reply &)>;

    // A queued request answered "busy" goes out again, with the same bytes, this often before
    // the busy reply is handed to its owner.
    static constexpr int kBusyResends = 10;

    explicit Session(QObject *parent = nullptr);
    ~Session() override;

    HartX *hart() const { return hart_; }
    DeviceRecord Dev;

    // Queues `command` with `data` as its whole request. `done` runs exactly once, from the
    // control's Result (never inside this call), unless `context` is gone by then.
    void request(qint16 command, const QByteArray &data, Completion done,
                 QObject *context = nullptr);

    // The chains' steps armed outside the control (the window's timers): while it says true, a
    // chain is running.
    void setChainArmed(std::function<bool()> armed);
    // A chain step armed on a timer has ticked: the chain may have ended.
    void chainStepEnded();
    // The window is closing: its chains take no further step, whatever is still on the line.
    void endChains();

    State state() const { return state_; }
    // A chain of the main window is under way: a step on the line (other than a poll of the
    // output or the simulation's command 40), its result being handled, or its next step armed.
    bool chainRunning() const;
    // The last read sequence ended with the transmitter's data, and none has begun since.
    bool lastReadComplete() const { return read_; }
    // ... and the window has left the read behind (its panels are shown).
    bool transmitterRead() const { return read_ && state_ != State::Reading; }
    bool isSimulatingCurrent() const { return simulating_; }
    bool loopCheckRunning() const { return loopCheck_; }
    // This program holds the loop current fixed: its simulation or a loop check.
    bool holdsLoopCurrent() const { return simulating_ || loopCheck_; }
    void setLoopCheckRunning(bool running);

signals:
    void chainResult(qint16 iAction, qint16 iCommand, qint16 iResult);
    void stateChanged(Session::State state);
    // Nothing is on the line or waiting for it any more.
    void lineFree();
    // Every transaction, the chains' and the queued ones alike, for whoever keeps account of
    // them: `started` before its request goes on the wire, with the request's data bytes;
    // `ended` once its Result came (busy resends of a queued request each count as one).
    void transactionStarted(qint16 command, const QByteArray &request);
    void transactionEnded(const Session::Reply &reply);

private:
    enum class Activity { None, Reading, Writing };
    struct Entry {
        bool queued = false;
        qint16 command = 0;
        QByteArray data;
        Completion done;
        QPointer<QObject> context;
        bool hasContext = false;
        int busyResends = 0;
        float fixedMa = 0; // a chain's command 40: the current it asks for
    };

    void onQueued(qint16 command);
    void onResult(qint16 iAction, qint16 iCommand, qint16 iResult);
    Reply replyOf(qint16 iCommand, qint16 iResult) const;
    void finishQueued(Entry &e, qint16 iCommand, qint16 iResult);
    void noteChainResult(const Entry &e, qint16 iResult);
    void send(Entry e);
    void schedulePump();
    void pump();
    void updateState();

    HartX *hart_;
    std::deque<Entry> onLine_;  // one per Command written, oldest first, as the Results come
    std::deque<Entry> waiting_; // queued requests not yet handed to the control
    std::optional<Entry> sending_;
    std::function<bool()> armed_;
    int dispatching_ = -1; // the chain command whose result is being handled
    bool pumpScheduled_ = false;
    bool chainsEnded_ = false;
    Activity activity_ = Activity::None;
    State state_ = State::Idle;
    bool read_ = false;
    bool simulating_ = false;
    bool loopCheck_ = false;
};
