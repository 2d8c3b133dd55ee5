// Output monitoring, loop-current simulation and the ticks of the main window's four one-shot
// timers, which pace the end of every request sequence.
#include "window/form1.h"

#include "dialogs/pointer.h"
#include "hart/hart_catalogue.h"
#include "units/module1.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

constexpr qint16 kReadLoopCurrent = hart::cmd::ReadLoopCurrent;
constexpr int kKeyEnter = 13;

// Enter in the fixed-current field accepts only currents a 4-20 mA loop can carry; 0 ends the
// simulation. Both bounds are excluded.
constexpr double kFixedCurrentLow = 3.9;
constexpr double kFixedCurrentHigh = 20.1;

constexpr int kBarMaximum = 10000;

const QString kSimulationIdle = QStringLiteral("Send");

} // namespace

void Form1::Option3_Click(int index) {
    if (index == 1) {
        // Only the command number: the reply starts the polling cycle. A request still on the
        // line makes the control hold this one until that request's result is in.
        HartX1->setCommand(kReadLoopCurrent);
        return;
    }
    Timer5->stop();
    Text9[0]->setText(QString());
    Text9[1]->setText(QString());
    ProgressBar2->setValue(0);
}

void Form1::Command5_Click() {
    Timer5->stop();
    Text9[0]->setText(QString());
    Text9[1]->setText(QString());
    ProgressBar2->setValue(0);
    if (Command5->text() == kSimulationIdle)
        SendFixedCurrentOn();
    else
        SendFixedCurrentOff();
}

void Form1::Text8_KeyPress(int keyAscii) {
    if (keyAscii != kKeyEnter) return;
    const double current = Module1::NumberOf(Text8->text());
    if (current > kFixedCurrentLow && current < kFixedCurrentHigh)
        SendFixedCurrentOn();
    else if (current == 0.0)
        SendFixedCurrentOff();
    Text8->setFocus();
}

void Form1::Timer1_Timer() {
    Timer1->stop();
    QWidget *const revealed[] = {Label12, Text7,  Command8, Frame2,  Frame3,   Frame4,
                                 Frame5,  Frame6, Frame7,   Label11, Command5, Text8};
    for (QWidget *w : revealed)
        w->show();
    SetMousePointer(vbDefault);
    ProgressBar1->setValue(0);
    HartX1->setDataIndex(0);
    HartX1->setByteCount(0);
    HartX1->setCommand(kReadLoopCurrent);
}

void Form1::Timer2_Timer() {
    Timer2->stop();
    SetMousePointer(vbDefault);
    ProgressBar1->setValue(0);
    if (Option3[1]->isChecked()) Timer5->start();
}

void Form1::Timer4_Timer() {
    Timer4->stop();
    ProgressBar1->setValue(100);
    ProgressBar2->setMaximum(kBarMaximum);
    ProgressBar2->setMinimum(0);
    ProgressBar2->setValue(0);
    SendIdentify();
}

void Form1::Timer5_Timer() {
    Timer5->stop();
    // A poll is only a reading. With a request sequence on the line (a button pressed while a
    // poll was still out, whose reply armed this timer again) the poll would slip in between the
    // sequence's steps, and a busy resend written after it would go out without its request
    // data. Whatever is on the line ends in a step that arms the poll again, or leaves
    // monitoring paused exactly as a button does.
    if (HartX1->isBusy()) return;
    HartX1->setDataIndex(0);
    HartX1->setByteCount(0);
    HartX1->setCommand(kReadLoopCurrent);
}
