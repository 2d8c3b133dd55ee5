// hartx1_Result: every HART transaction ends here. The next step of a chain follows from the
// command number alone; the only state kept between events is the busy count.
#include "window/form1.h"

#include "window/check_response_code.h"
#include "window/result_rules.h"
#include "dialogs/msgbox.h"
#include "dialogs/pointer.h"
#include "units/module1.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

constexpr int kBusyBit = 32;
constexpr int kBusyRetryLimit = 10;
constexpr quint8 kZanuManufacturerId = 117;

void AbandonOperation(Form1 &f) {
    SetMousePointer(vbDefault);
    f.ProgressBar1->setValue(0);
}

// Another maker's transmitter ends the program. Whatever is still armed or queued must not act
// on the closed window: its timers are stopped and the control's later Results are cut off.
void EndProgram(Form1 &f) {
    for (QTimer *t : {f.Timer1, f.Timer2, f.Timer4, f.Timer5})
        t->stop();
    QObject::disconnect(f.HartX1, nullptr, &f, nullptr);
    f.close();
    // The window may not be on screen yet, and then its closing alone would not end the loop.
    QCoreApplication::quit();
}

void HandleIdentification(Form1 &f) {
    f.HartX1->setDataIndex(1);
    f.Dev.ManufacturerId = f.HartX1->ByteValue();
    if (f.Dev.ManufacturerId == kZanuManufacturerId) {
        f.ProgressBar1->setValue(10);
        f.SendReadTag();
        return;
    }
    f.ProgressBar1->setValue(100);
    MsgBox(QStringLiteral("No ZANU transmitter!! Programm will abort!!"), vbOKOnly, kAppTitle);
    EndProgram(f);
}

void HandleOutputSignal(Form1 &f) {
    if (!f.Option3[1]->isChecked()) return;
    f.HartX1->setDataIndex(0);
    const float current = f.HartX1->FloatValue();
    f.Text9[0]->setText(Module1::Format(current, QStringLiteral("#.000 ")));
    f.HartX1->setDataIndex(4);
    f.Text9[1]->setText(Module1::Format(f.HartX1->FloatValue(), QStringLiteral("#0.0#")));
    f.HartX1->setDataIndex(4);
    f.ProgressBar2->setValue(ResultRules::OutputBarValue(f.HartX1->FloatValue()));
    f.RecordOutputSample(current, f.HartX1->FloatValue());
    f.Timer5->start();
}

void HandleAppliedPressure(Form1 &f) {
    f.HartX1->setDataIndex(5);
    const float pv = f.HartX1->FloatValue();
    const float p = Module1::ConvertPressure(pv, f.Dev.PreviousUnitName, f.Dev.UnitName);
    const QString prompt = QStringLiteral("Current Pressure value is: ") +
                           Module1::Format(p, QStringLiteral("#0.0# ")) + f.Dev.UnitName +
                           QStringLiteral(". Continue??");
    if (MsgBox(prompt, vbOKCancel, QStringLiteral("Continue??")) != vbOK) {
        AbandonOperation(f);
        return;
    }
    f.ProgressBar1->setValue(50);
    if (f.Dev.PendingRangeCommand == 37)
        f.SendSetLowerRange();
    else if (f.Dev.PendingRangeCommand == 36)
        f.SendSetUpperRange();
    else
        AbandonOperation(f);
}

void HandleTagRead(Form1 &f) {
    HartX &h = *f.HartX1;
    h.setDataIndex(0);
    h.setPackedLength(6);
    f.Dev.Tag = h.PackedString();
    h.setDataIndex(6);
    h.setPackedLength(12);
    f.Dev.Descriptor = h.PackedString();
    h.setDataIndex(18);
    f.Dev.DateDay = h.ByteValue();
    h.setDataIndex(19);
    f.Dev.DateMonth = h.ByteValue();
    h.setDataIndex(20);
    f.Dev.DateYear = h.ByteValue();
    f.SendReadOutputInfo();
}

void HandleOutputInfo(Form1 &f) {
    HartX &h = *f.HartX1;
    f.ProgressBar1->setValue(45);
    h.setDataIndex(2);
    f.Dev.UnitName = Module1::UnitNameFromCode(h.ByteValue());
    h.setDataIndex(3);
    f.Dev.UpperRangeValue = double(h.FloatValue());
    h.setDataIndex(7);
    f.Dev.LowerRangeValue = double(h.FloatValue());
    f.Dev.Span = f.Dev.UpperRangeValue - f.Dev.LowerRangeValue;
    f.ZeroAsRead = f.Dev.LowerRangeValue;
    f.SpanAsRead = f.Dev.Span;
    h.setDataIndex(11);
    f.Dev.Damping = double(h.FloatValue());
    f.SendReadSensorLimits();
}

void HandleSensorLimits(Form1 &f) {
    HartX &h = *f.HartX1;
    f.ProgressBar1->setValue(85);
    h.setDataIndex(0);
    f.Dev.SerialNumber = ResultRules::SerialWithPrefix(h.Int24Value());
    h.setDataIndex(4);
    f.Dev.UpperSensorLimit = double(h.FloatValue());
    h.setDataIndex(8);
    f.Dev.LowerSensorLimit = double(h.FloatValue());
    h.setDataIndex(12);
    f.Dev.MinimumSpan = double(h.FloatValue());
    f.SendReadOutputDirection();
}

void HandleOutputDirection(Form1 &f) {
    f.ProgressBar1->setValue(95);
    f.HartX1->setDataIndex(1);
    f.Dev.OutputDirection = f.HartX1->ByteValue();
    f.ShowDeviceData();
}

} // namespace

void Form1::hartx1_Result(qint16 /*iAction*/, qint16 iCommand, qint16 iResult) {
    if (iResult == HartX::kNoAnswer) {
        ProgressBar1->setValue(100);
        // The box's own words stay fixed; the link's reason (port, time-out) goes in its details.
        const int answer = MsgBox(QStringLiteral("No Device Response!!!! Connect transmitter?"),
                                  vbRetryCancel, QStringLiteral("No Device"), HartX1->LastError());
        if (answer == vbRetry) {
            Command2->setText(QStringLiteral("Co&nnect"));
            SendIdentify();
        } else {
            AbandonOperation(*this);
        }
        return;
    }

    if (HartX1->ResponseCode() & kBusyBit) {
        if (++Dev.BusyRetryCount < kBusyRetryLimit) {
            HartX1->setCommand(iCommand);
            return;
        }
        MsgBox(QStringLiteral("Transmitter is Busy, Aborting Send Process"), vbOKOnly,
               QStringLiteral("Error"));
        Dev.BusyRetryCount = 0;
        AbandonOperation(*this);
        return;
    }
    Dev.BusyRetryCount = 0;

    if (CheckResponseCode(HartX1->ResponseCode(), iCommand) != 0) {
        SendIdentify();
        return;
    }

    switch (iCommand) {
    case 0:
        HandleIdentification(*this);
        break;
    case 2:
        HandleOutputSignal(*this);
        break;
    case 3:
        HandleAppliedPressure(*this);
        break;
    case 13:
        HandleTagRead(*this);
        break;
    case 15:
        HandleOutputInfo(*this);
        break;
    case 14:
        HandleSensorLimits(*this);
        break;
    case 129:
        HandleOutputDirection(*this);
        break;
    case 18:
        ProgressBar1->setValue(45);
        Timer2->start();
        break;
    case 34:
        ProgressBar1->setValue(45);
        SendWriteOutputDirection();
        break;
    case 152:
        ProgressBar1->setValue(100);
        Timer2->start();
        break;
    case 44:
        ProgressBar1->setValue(45);
        SendWriteRange();
        break;
    case 35:
        ProgressBar1->setValue(100);
        Timer2->start();
        break;
    case 150:
        ProgressBar1->setValue(100);
        Timer2->start();
        break;
    case 36:
    case 37:
        ProgressBar1->setValue(95);
        Timer4->start();
        break;
    case 40:
        if (Option3[1]->isChecked()) Timer5->start();
        break;
    default:
        break;
    }
}
