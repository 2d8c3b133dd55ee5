// Output monitoring, loop-current simulation and the ticks of the four one-shot timers, which
// pace the end of every request sequence.
#include "session/session.h"

#include "hart/hart_catalogue.h"
#include "units/module1.h"

#include <QTimer>

namespace {

constexpr qint16 kReadLoopCurrent = hart::cmd::ReadLoopCurrent;

// Enter in the fixed-current field accepts only currents a 4-20 mA loop can carry; 0 ends the
// simulation. Both bounds are excluded.
constexpr double kFixedCurrentLow = 3.9;
constexpr double kFixedCurrentHigh = 20.1;

using Field = SessionView::Field;
using Pointer = SessionView::Pointer;

} // namespace

void Session::startMonitoring() {
    // Only the command number: the reply starts the polling cycle. A request still on the line
    // makes the control hold this one until that request's result is in.
    hart_->setCommand(kReadLoopCurrent);
}

void Session::stopMonitoring() {
    Timer5->stop();
    view_->clearOutput();
}

void Session::toggleSimulation() {
    const bool start = !simulationRequested_;
    if (start && !fieldHoldsNumber(Field::FixedCurrent)) return;
    stopMonitoring();
    if (start)
        SendFixedCurrentOn();
    else
        SendFixedCurrentOff();
}

void Session::simulationEntered() {
    // Empty text or letters are no 0: ending a simulation takes a typed 0.
    if (!fieldHoldsNumber(Field::FixedCurrent)) return;
    const double current = Module1::NumberOf(view_->text(Field::FixedCurrent));
    if (current > kFixedCurrentLow && current < kFixedCurrentHigh)
        SendFixedCurrentOn();
    else if (current == 0.0)
        SendFixedCurrentOff();
}

void Session::Timer1_Timer() {
    Timer1->stop();
    view_->setPanelsShown(true);
    view_->setPointer(Pointer::Default);
    view_->setProgress(0);
    hart_->setDataIndex(0);
    hart_->setByteCount(0);
    hart_->setCommand(kReadLoopCurrent);
}

void Session::Timer2_Timer() {
    Timer2->stop();
    view_->setPointer(Pointer::Default);
    view_->setProgress(0);
    if (view_->monitoring()) Timer5->start();
}

void Session::Timer4_Timer() {
    Timer4->stop();
    view_->setProgress(100);
    view_->resetOutputBar();
    SendIdentify();
}

void Session::Timer5_Timer() {
    Timer5->stop();
    // A poll is only a reading. With a request sequence on the line (a button pressed while a
    // poll was still out, whose reply armed this timer again) the poll would slip in between the
    // sequence's steps, and a busy resend written after it would go out without its request
    // data. Whatever is on the line ends in a step that arms the poll again, or leaves
    // monitoring paused exactly as a button does.
    if (hart_->isBusy()) return;
    hart_->setDataIndex(0);
    hart_->setByteCount(0);
    hart_->setCommand(kReadLoopCurrent);
}
