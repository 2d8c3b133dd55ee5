// A main window wired to the in-process simulated transmitter, with message boxes answered from
// a queue, for the window tests.
#pragma once

#include "dialogs/msgbox.h"
#include "dialogs/pointer.h"
#include "sim/sim_device.h"
#include "sim/sim_line.h"
#include "window/form1.h"

#include <QList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

class GuiFixture {
public:
    // Writes zanu.ini holding `iniContent` (nothing is written when it is null) into a fresh
    // program folder and builds the window on an instant simulated line.
    explicit GuiFixture(const QByteArray &iniContent = QByteArray("\"1\"\r\n"),
                        SimLine::Timing timing = SimLine::Timing::Instant);
    ~GuiFixture();

    QTemporaryDir dir;
    SimDevice device;
    std::unique_ptr<Form1> form;
    // Answers for the next message boxes, in order; when empty, a box is answered with OK
    // (OK-only and OK/Cancel boxes) or Cancel (Retry/Cancel boxes).
    std::deque<int> answers;
    int linesMade = 0; // how many times the window's control asked for a line

    // Runs Form_Load and waits until the read sequence has put the device data on screen.
    bool loadAndWaitForData(int timeoutMs = 5000);
    // Waits until the control has no transaction outstanding.
    bool waitIdle(int timeoutMs = 5000);
    // The command numbers the transmitter received, in order (from its trace).
    QList<int> commandsSeen() const;
    // The data bytes of the last request with this command number.
    QByteArray lastRequestData(int command) const;
    // Message boxes shown since the fixture was made (or since clearBoxes()).
    const QList<MsgBoxSeam::Shown> &boxes() const { return MsgBoxSeam::history(); }
    void clearBoxes() { MsgBoxSeam::clearHistory(); }
    QString iniPath() const;
    // Until `done` holds (true) or the time is up (false), as suits this fixture's line.
    bool waitUntil(const std::function<bool()> &done, int timeoutMs = 5000);
};

// Runs the event loop without qWaitFor's 10 ms naps, so that instant transactions take
// microseconds: until `done` holds (true) or the time is up (false).
bool spinUntil(const std::function<bool()> &done, int timeoutMs = 5000);
void spinFor(int ms);
// GuiFixture::waitIdle with the default time-out.
bool spinIdle(GuiFixture &fx);
// Runs the load step and reveals the panels at once rather than after Timer1's 1.5 s.
bool loadAndReveal(GuiFixture &fx);
// After a refusal: nothing is queued, nothing armed to go out, and the transmitter heard nothing.
// Posted events run first, so that a request put off to the next turn of the loop counts.
bool nothingWentOut(GuiFixture &fx);
// Clicks "On" and waits for the first poll to have been answered.
bool startMonitoring(GuiFixture &fx);
