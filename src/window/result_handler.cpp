// hartx1_Result: every HART transaction ends here. The next step of a chain follows from the
// command number alone; the only state kept between events is the busy count.
#include "window/form1.h"

#include "dialogs/msgbox.h"
#include "dialogs/pointer.h"
#include "hart/hart_catalogue.h"
#include "units/module1.h"
#include "window/check_response_code.h"
#include "window/device_health.h"
#include "window/result_rules.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kFinderHint =
    QStringLiteral("\n\nIf the transmitter may be on another port or at another polling address, "
                   "Config, Find transmitter… looks for it on every serial port.");

namespace cmd = hart::cmd;
namespace at = hart::at;

constexpr int kBusyBit = hart::rc::Busy;
constexpr int kBusyRetryLimit = 10;

void AbandonOperation(Form1 &f) {
    SetMousePointer(vbDefault);
    f.ProgressBar1->setValue(0);
}

// Another maker's transmitter ends the program. Whatever is still armed or queued must not act
// on the closed window: its timers are stopped and the control's later Results are cut off.
void EndProgram(Form1 &f) {
    for (QTimer *t : {f.Timer1, f.Timer2, f.Timer4, f.Timer5})
        t->stop();
    f.session->endChains();
    f.close();
    // The window may not be on screen yet, and then its closing alone would not end the loop.
    QCoreApplication::quit();
}

void HandleIdentification(Form1 &f) {
    f.HartX1->setDataIndex(at::Identity::ManufacturerId);
    f.Dev.ManufacturerId = f.HartX1->ByteValue();
    f.HartX1->setDataIndex(at::Identity::DeviceType);
    f.Dev.DeviceType = f.HartX1->ByteValue();
    f.HartX1->setDataIndex(at::Identity::UniversalRevision);
    f.Dev.HartRevision = f.HartX1->ByteValue();
    f.HartX1->setDataIndex(at::Identity::DeviceId);
    f.Dev.DeviceId = quint32(f.HartX1->Int24Value());
    if (f.Dev.ManufacturerId == hart::kZanuManufacturerId) {
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
    f.HartX1->setDataIndex(at::LoopCurrent::Current);
    const float current = f.HartX1->FloatValue();
    f.Text9[0]->setText(Module1::Format(current, QStringLiteral("#.000 ")));
    f.HartX1->setDataIndex(at::LoopCurrent::Percent);
    f.Text9[1]->setText(Module1::Format(f.HartX1->FloatValue(), QStringLiteral("#0.0#")));
    f.HartX1->setDataIndex(at::LoopCurrent::Percent);
    f.ProgressBar2->setValue(ResultRules::OutputBarValue(f.HartX1->FloatValue()));
    f.RecordOutputSample(current, f.HartX1->FloatValue());
    f.Timer5->start();
}

void HandleAppliedPressure(Form1 &f) {
    f.HartX1->setDataIndex(at::DynamicVariables::Pv);
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
    if (f.Dev.PendingRangeCommand == cmd::SetLowerRangeValue)
        f.SendSetLowerRange();
    else if (f.Dev.PendingRangeCommand == cmd::SetUpperRangeValue)
        f.SendSetUpperRange();
    else
        AbandonOperation(f);
}

void HandleTagRead(Form1 &f) {
    HartX &h = *f.HartX1;
    namespace T = at::TagDescriptorDate;
    h.setDataIndex(T::Tag);
    h.setPackedLength(T::TagBytes);
    f.Dev.Tag = h.PackedString();
    h.setDataIndex(T::Descriptor);
    h.setPackedLength(T::DescriptorBytes);
    f.Dev.Descriptor = h.PackedString();
    h.setDataIndex(T::Day);
    f.Dev.DateDay = h.ByteValue();
    h.setDataIndex(T::Month);
    f.Dev.DateMonth = h.ByteValue();
    h.setDataIndex(T::Year);
    f.Dev.DateYear = h.ByteValue();
    f.SendReadOutputInfo();
}

void HandleOutputInfo(Form1 &f) {
    HartX &h = *f.HartX1;
    f.ProgressBar1->setValue(45);
    h.setDataIndex(at::OutputInfo::RangeUnit);
    f.Dev.UnitName = Module1::UnitNameFromCode(h.ByteValue());
    h.setDataIndex(at::OutputInfo::UpperRange);
    f.Dev.UpperRangeValue = double(h.FloatValue());
    h.setDataIndex(at::OutputInfo::LowerRange);
    f.Dev.LowerRangeValue = double(h.FloatValue());
    f.Dev.Span = f.Dev.UpperRangeValue - f.Dev.LowerRangeValue;
    f.ZeroAsRead = f.Dev.LowerRangeValue;
    f.SpanAsRead = f.Dev.Span;
    h.setDataIndex(at::OutputInfo::Damping);
    f.Dev.Damping = double(h.FloatValue());
    f.SendReadSensorLimits();
}

void HandleSensorLimits(Form1 &f) {
    HartX &h = *f.HartX1;
    f.ProgressBar1->setValue(85);
    h.setDataIndex(at::SensorInfo::SerialNumber);
    f.Dev.SerialNumber = ResultRules::SerialWithPrefix(h.Int24Value());
    h.setDataIndex(at::SensorInfo::UpperLimit);
    f.Dev.UpperSensorLimit = double(h.FloatValue());
    h.setDataIndex(at::SensorInfo::LowerLimit);
    f.Dev.LowerSensorLimit = double(h.FloatValue());
    h.setDataIndex(at::SensorInfo::MinimumSpan);
    f.Dev.MinimumSpan = double(h.FloatValue());
    f.SendReadOutputDirection();
}

void HandleOutputDirection(Form1 &f) {
    f.ProgressBar1->setValue(95);
    f.HartX1->setDataIndex(at::OutputDirection::Direction);
    f.Dev.OutputDirection = f.HartX1->ByteValue();
    f.ShowDeviceData();
}

} // namespace

void Form1::hartx1_Result(qint16 /*iAction*/, qint16 iCommand, qint16 iResult) {
    Health->noteResult(iCommand, iResult);
    if (iResult == HartX::kNoAnswer) {
        ProgressBar1->setValue(100);
        // The box's own words stay fixed; the link's reason (port, time-out) goes in its details.
        const int answer =
            MsgBox(QStringLiteral("No Device Response!!!! Connect transmitter?"), vbRetryCancel,
                   QStringLiteral("No Device"), HartX1->LastError() + kFinderHint);
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
    case cmd::ReadUniqueIdentifier:
        HandleIdentification(*this);
        break;
    case cmd::ReadLoopCurrent:
        HandleOutputSignal(*this);
        break;
    case cmd::ReadDynamicVariables:
        HandleAppliedPressure(*this);
        break;
    case cmd::ReadTagDescriptorDate:
        HandleTagRead(*this);
        break;
    case cmd::ReadOutputInfo:
        HandleOutputInfo(*this);
        break;
    case cmd::ReadSensorInfo:
        HandleSensorLimits(*this);
        break;
    case cmd::ReadOutputDirection:
        HandleOutputDirection(*this);
        break;
    case cmd::WriteTagDescriptorDate:
        ProgressBar1->setValue(45);
        Timer2->start();
        break;
    case cmd::WriteDamping:
        ProgressBar1->setValue(45);
        SendWriteOutputDirection();
        break;
    case cmd::WriteOutputDirection:
        ProgressBar1->setValue(100);
        Timer2->start();
        break;
    case cmd::WritePvUnits:
        ProgressBar1->setValue(45);
        SendWriteRange();
        break;
    case cmd::WriteRangeValues:
        ProgressBar1->setValue(100);
        Timer2->start();
        break;
    case cmd::MountingEffect:
        ProgressBar1->setValue(100);
        Timer2->start();
        break;
    case cmd::SetUpperRangeValue:
    case cmd::SetLowerRangeValue:
        ProgressBar1->setValue(95);
        Timer4->start();
        break;
    case cmd::FixedCurrentMode:
        if (Option3[1]->isChecked()) Timer5->start();
        break;
    default:
        break;
    }
}
