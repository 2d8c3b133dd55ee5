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
#include "session/decisions.h"
#include "session/device_record.h"
#include "session/session_view.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <deque>
#include <functional>
#include <optional>

class QTimer;

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

    // The window the chains read from and show on, and whoever answers their questions. Until
    // both are given, no chain runs: a chain's Result is only passed on through chainResult.
    void attach(SessionView *view, Decisions *decisions);

    // ---- The chains: src/session/request_procedures.cpp, result_handler.cpp, chain_timers.cpp
    // One procedure per request: each fills the control's request from the view and the device
    // record, shows the chain's progress and writes the command number, which sends.
    void SendIdentify();
    void SendReadTag();
    void SendReadOutputInfo();
    void SendReadSensorLimits();
    void SendReadOutputDirection();
    void ShowDeviceData();
    void SendReadPressure();
    void SendSetUpperRange();
    void SendSetLowerRange();
    void SendWriteUnit();
    void SendWriteRange();
    void SendWriteDamping();
    void SendWriteOutputDirection();
    void SendWriteTag();
    void SendMountingEffect();
    void SendFixedCurrentOn();
    void SendFixedCurrentOff();
    // What each finished chain transaction leads to.
    void hartx1_Result(qint16 iAction, qint16 iCommand, qint16 iResult);
    // 0 for response code 0; otherwise the code's message for `command` in an "Error" box, and
    // the box's answer, never 0.
    int CheckResponseCode(int code, int command);

    // Timer1: from the data on screen to the panels shown. Timer2: from a write's reply to the
    // end of its chain. Timer4: from setting a range end to reading the transmitter again, the
    // time it needs to store and settle. Timer5: the poll of the output signal.
    static constexpr std::chrono::milliseconds kTimer1Interval{1500};
    static constexpr std::chrono::milliseconds kTimer2Interval{1500};
    static constexpr std::chrono::milliseconds kTimer4Interval{3500};
    static constexpr std::chrono::milliseconds kTimer5Interval{1000};
    QTimer *const Timer1, *const Timer2, *const Timer4, *const Timer5;
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    // Output monitoring switched on (the poll starts with one command 3) or off.
    void startMonitoring();
    void stopMonitoring();
    // "Send"/"Abort" of the simulation: the current in the field, or the end of the simulation.
    void toggleSimulation();
    // Enter in the simulation's field: a current a loop can carry starts it, 0 ends it.
    void simulationEntered();
    // Why `text` cannot be sent as a number (it would go out as 0), or an empty text.
    static QString NoNumberProblem(const QString &text, const QString &fieldName);
    // The tag the transmitter holds once `text` is written: at most 8 characters, lower case as
    // upper case, '?' for what packed ASCII cannot hold; not padded.
    static QString StoredTag(const QString &text);
    double SimulatedCurrent = 0.0; // mA last sent by SendFixedCurrentOn
    // A current was asked for and not yet ended: the simulation's button says "Abort".
    bool simulationRequested() const { return simulationRequested_; }

    HartX *hart() const { return hart_; }
    DeviceRecord Dev;

    // Queues `command` with `data` as its whole request. `done` runs exactly once, from the
    // control's Result (never inside this call), unless `context` is gone by then.
    void request(qint16 command, const QByteArray &data, Completion done,
                 QObject *context = nullptr);

    // The window is closing: its chains take no further step, whatever is still on the line.
    void endChains();

    State state() const { return state_; }
    // A chain of the main window is under way: a step on the line (other than a poll of the
    // output or the simulation's command 40), its result being handled, or its next step armed
    // on Timer1, 2 or 4.
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
    // A chain transaction ended: `chainResultArrived` before the session acts on it (for what
    // watches the line: the health indicator), `chainResult` once the chain has taken its next
    // step (for what follows the chain's outcome: the records' write-back).
    void chainResultArrived(qint16 iCommand, qint16 iResult);
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
    bool fieldHoldsNumber(SessionView::Field field);
    void abandonOperation();
    void endProgram();
    void handleIdentification();
    void handleOutputSignal();
    void handleAppliedPressure();
    void handleTagRead();
    void handleOutputInfo();
    void handleSensorLimits();
    void handleOutputDirection();
    QString rangeProblem(double *lower, double *upper) const;
    QString dampingProblem(double *damping) const;

    HartX *hart_;
    SessionView *view_ = nullptr;
    Decisions *decisions_ = nullptr;
    bool simulationRequested_ = false;
    std::deque<Entry> onLine_;  // one per Command written, oldest first, as the Results come
    std::deque<Entry> waiting_; // queued requests not yet handed to the control
    std::optional<Entry> sending_;
    int dispatching_ = -1; // the chain command whose result is being handled
    bool pumpScheduled_ = false;
    bool chainsEnded_ = false;
    Activity activity_ = Activity::None;
    State state_ = State::Idle;
    bool read_ = false;
    bool simulating_ = false;
    bool loopCheck_ = false;
};
