// The loop check's sequence on the HART control, without any window: for each point it fixes the
// loop current (command 40), lets the loop settle, reads back what the transmitter outputs
// (command 2) and waits for the engineer's reading; at the end, on Cancel and after any failure
// it ends fixed-current mode (command 40 with 0 mA) and reports whether the transmitter
// confirmed that (LoopHoldingProcedure). Its requests go through the session's queue, so that only
// their own replies come back to it.
#pragma once

#include "loopcheck/loop_check_result.h"
#include "session/session.h"
#include "trim/loop_holding_procedure.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>

class LoopCheckProcedure : public LoopHoldingProcedure {
    Q_OBJECT
public:
    enum class State {
        Idle,            // not started
        Fixing,          // command 40 with the point's current is out
        Settling,        // waiting the settling time
        ReadingBack,     // command 2 is out
        AwaitingReading, // the engineer's reading is wanted
        Releasing,       // command 40 with 0 mA is out
        ReleaseFailed,   // the transmitter did not confirm the release; retryRelease() resends
        Done,            // released and confirmed
    };

    struct Settings {
        QList<double> pointsMa;
        double tolerance = 0.05;
        bool tolerancePercent = false;
        int settlingMs = 2000;
    };

    explicit LoopCheckProcedure(Session &session, QObject *parent = nullptr);
    ~LoopCheckProcedure() override;

    // Starts with the first point. `identity` supplies the transmitter's identity fields of the
    // result.
    void start(const Settings &settings, const LoopCheckResult &identity);
    // The reading for the current point (AwaitingReading only); then the next point, or the
    // release after the last.
    void enterReading(double measuredMa);
    void skip();
    // Repeats the previous point (the first point repeats itself); its row is measured again.
    void back();

    State state() const { return stateWith(running_); }
    int currentIndex() const { return index_; }
    const LoopCheckResult &result() const { return result_; }

private:
    enum class Tag { Fix, ReadBack };

    void onReply(Tag tag, const Session::Reply &reply);
    void fixPoint(int index);
    void readBack();
    void sendRelease() override;
    void noteStoppedEarly() override { result_.cancelled = true; }
    void noteEnd(bool releaseConfirmed) override;
    void advance();
    void send(Tag tag, int command, std::optional<float> value);

    QTimer settle_;
    State running_ = State::Idle; // the step under way until the end begins
    Settings settings_;
    LoopCheckResult result_;
    int index_ = 0;
    std::deque<Tag> pending_; // what each outstanding transaction was for, oldest first
};
