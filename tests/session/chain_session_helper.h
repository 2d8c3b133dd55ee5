// The session's chains on the instant simulated transmitter, with a window and a user made for
// the test: entries in, what the window was told and which boxes were asked out. A row of a
// chain table is a list of steps in the small language of ChainRig::step.
#pragma once

#include "local_number.h"
#include "session/session.h"
#include "sim/sim_device.h"

#include <QStringList>

#include <deque>
#include <map>

// The window as the chains see it. Only what a user would notice is written down: the panels,
// the data put on screen, the tag, the output, the simulation's caption, the offer to connect
// and the end of the program. The progress bar and the pointer are kept as their last value.
class ScriptedView : public SessionView {
public:
    std::map<Field, QString> entries;
    int direction = 0;
    int mounting = 0;
    bool monitoringOn = false;

    QStringList told;
    Pointer pointer = Pointer::Default;
    int progress = 0;

    QString text(Field field) const override;
    QString fieldName(Field field) const override;
    int outputDirection() const override { return direction; }
    int mountingAction() const override { return mounting; }
    bool monitoring() const override { return monitoringOn; }

    void setPointer(Pointer p) override { pointer = p; }
    void startProgress() override { progress = 0; }
    void setProgress(int value) override { progress = value; }
    void setPanelsShown(bool shown) override;
    void rangeRead() override {}
    void showDeviceData() override { told << QStringLiteral("data"); }
    void showTag(const QString &tag) override { told << QStringLiteral("tag ") + tag; }
    void showOutput(float mA, float percent) override;
    void clearOutput() override { told << QStringLiteral("clear"); }
    void resetOutputBar() override { told << QStringLiteral("bar reset"); }
    void setSimulationCaption(bool running) override;
    void offerConnect() override { told << QStringLiteral("connect"); }
    void endProgram() override { told << QStringLiteral("end"); }
};

// The user: answers from a queue, else OK (Cancel for Retry/Cancel). Every box is written down
// as "title|prompt", the title empty where it is the program's own.
class ScriptedDecisions : public Decisions {
public:
    std::deque<int> answers;
    QStringList asked;
    QString lastDetail;
    int ask(const QString &prompt, int buttons, const QString &title,
            const QString &detail) override;
};

class ChainRig {
public:
    // `device` configures the transmitter before its first read: "unit=200", "upper=nan",
    // "lower=", "damping=", "direction=", "serial=", "maker=38", "pressure=3.25" (the applied
    // pressure, settled), "offset=" (mounting effect), "noread" (no read before the steps).
    explicit ChainRig(const QStringList &device = {});

    SimDevice device;
    Session session;
    ScriptedView view;
    ScriptedDecisions user;

    // One step of a row:
    //  entries   zero= span= damping= tag= current= direction= mounting= monitoring=0|1,
    //            dev.unit= dev.pending= (the device record, as the window's lists leave it)
    //  faults    "busy n", "silent n", "code c:rc" (for good), "once c:rc", "at n <fault>" (the
    //            fault from the transmitter's n-th request after the read on)
    //  actions   identify readTag readInfo readLimits readDirection pressure setUpper setLower
    //            unit range damping writeDirection tag mounting on off toggle enter monitor
    //            stop tick1 tick2 tick4 tick5, "raw n" (the command number alone), wait
    // Actions run at once, one after the other, as the user's clicks would; "wait" lets the
    // line finish first. False for a step it does not know.
    bool step(const QString &step);
    // Until nothing is on the line and every result has been handled.
    bool waitIdle();
    // The requests the transmitter received: "command" or "command hex-of-its-data".
    QStringList wire() const;
    // "key=value" as the rig sees it now, for `key` one of timer1/2/4/5, pointer (0 default,
    // 1 hourglass, 2 arrow and hourglass), progress, detail (1: the last box had details),
    // dev.unit/lower/upper/damping/direction/serial/tag/maker/busy and
    // sim.tag/lower/upper/damping/direction/unit/fixed/offset.
    QString probe(const QString &key) const;

private:
    bool fault(const QString &step);
    int requests_ = 0;
    std::multimap<int, QString> atRequest_;
};

// One request as wire() shows it.
QString req(int command, const QByteArray &data = {});
