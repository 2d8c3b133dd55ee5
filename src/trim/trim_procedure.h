// The loop current (D/A) trim without any window: fix 4 mA, take the reference meter's reading,
// trim the zero (command 45) and read the loop current back (command 2) until the meter agrees;
// the same at 20 mA with the gain (command 46); then let the loop go. The trim corrects the
// output stage only: range and mounting effect are not touched. The loop is held and released as
// the loop check holds it (LoopHoldingProcedure).
#pragma once

#include "session/session.h"
#include "trim/loop_holding_procedure.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

// What a trim did, for the window and the commissioning report.
struct TrimResult {
    quint32 deviceId = 0; // of the transmitter trimmed
    QString tag;
    QDateTime started, finished;
    std::optional<double> before4, after4, before20, after20; // meter readings, mA
    int zeroTrims = 0, gainTrims = 0;
    bool releaseConfirmed = false;
    bool complete() const { return after4 && after20; }
};

class TrimProcedure : public LoopHoldingProcedure {
    Q_OBJECT
public:
    enum class State {
        Idle,            // not started
        Fixing,          // command 40 with the point's current is out
        AwaitingReading, // the reference meter's reading is wanted
        Trimming,        // command 45 or 46 is out
        ReadingBack,     // command 2 is out
        Releasing,       // command 40 with 0 mA is out
        ReleaseFailed,   // not confirmed; retryRelease() resends
        Done,            // released and confirmed
    };
    enum class Point { Zero, Gain }; // 4 mA, 20 mA

    // A meter reading this close to the fixed current needs no (further) trim.
    static constexpr double kToleranceMa = 0.002;

    explicit TrimProcedure(Session &session, QObject *parent = nullptr);
    ~TrimProcedure() override;

    // Why no trim can start now, in words for the engineer; empty when it can.
    static QString whyNot(const Session &session);
    // Fixes 4 mA; false (nothing sent) when whyNot() says something.
    bool start();
    // The meter's reading (AwaitingReading only): close enough, the next point or the release;
    // otherwise the trim command with it, the loop current read back, and the reading wanted again.
    void enterReading(double meterMa);
    // cancel() ends the trim early; the trims already made stay in the transmitter.

    State state() const { return stateWith(running_); }
    Point point() const { return point_; }
    double pointMa() const { return point_ == Point::Zero ? 4.0 : 20.0; }
    // What the transmitter said it drives after the last trim (command 2).
    std::optional<double> readBackMa() const { return readBack_; }
    const TrimResult &result() const { return result_; }

private:
    void fixPoint(Point p);
    void onFixed(const Session::Reply &r);
    void onTrimmed(const Session::Reply &r);
    void onReadBack(const Session::Reply &r);
    void noteEnd(bool releaseConfirmed) override;
    // The reply's failure in words, or empty when the transmitter carried the command out.
    static QString problem(const Session::Reply &r);

    State running_ = State::Idle; // the step under way until the end begins
    Point point_ = Point::Zero;
    std::optional<double> readBack_;
    TrimResult result_;
};
