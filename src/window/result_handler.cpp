// hartx1_Result: every HART transaction ends here. The next step of a chain follows from the
// command number alone; the only state kept between events is the busy count.
#include "window/form1.h"

#include "dialogs/msgbox.h"
#include "dialogs/pointer.h"
#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
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

// The window has always read a reply shorter than its layout as zeros (the control's accessors
// give 0 beyond the data) and gone on with its chain; a decoder refuses such a reply, so it gets
// the data padded to the layout's size instead.
template <typename T>
T Decode(const HartX &h, hart::Decoded<T> (*decode)(const QByteArray &), int size) {
    QByteArray data = h.ReplyData();
    if (data.size() < size) data.resize(size, '\0');
    return *decode(data);
}

void HandleIdentification(Form1 &f) {
    const auto id = Decode(*f.HartX1, hart::decodeIdentity, at::Identity::Size);
    f.Dev.ManufacturerId = id.manufacturerId;
    f.Dev.DeviceType = id.deviceType;
    f.Dev.HartRevision = id.universalRevision;
    f.Dev.DeviceId = id.deviceId;
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
    const auto loop = Decode(*f.HartX1, hart::decodeLoopCurrent, at::LoopCurrent::Size);
    f.Text9[0]->setText(Module1::Format(loop.current, QStringLiteral("#.000 ")));
    f.Text9[1]->setText(Module1::Format(loop.percent, QStringLiteral("#0.0#")));
    f.ProgressBar2->setValue(ResultRules::OutputBarValue(loop.percent));
    f.RecordOutputSample(loop.current, loop.percent);
    f.Timer5->start();
}

void HandleAppliedPressure(Form1 &f) {
    const float pv = Decode(*f.HartX1, hart::decodeDynamicVariables, at::DynamicVariables::Size).pv;
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
    const auto t = Decode(*f.HartX1, hart::decodeTagDescriptorDate, at::TagDescriptorDate::Size);
    f.Dev.Tag = t.tag;
    f.Dev.Descriptor = t.descriptor;
    f.Dev.DateDay = t.day;
    f.Dev.DateMonth = t.month;
    f.Dev.DateYear = t.yearSince1900;
    f.SendReadOutputInfo();
}

void HandleOutputInfo(Form1 &f) {
    f.ProgressBar1->setValue(45);
    const auto o = Decode(*f.HartX1, hart::decodeOutputInfo, at::OutputInfo::Size);
    f.Dev.UnitName = Module1::UnitNameFromCode(o.rangeUnit);
    f.Dev.UpperRangeValue = double(o.upperRange);
    f.Dev.LowerRangeValue = double(o.lowerRange);
    f.Dev.Span = f.Dev.UpperRangeValue - f.Dev.LowerRangeValue;
    f.ZeroAsRead = f.Dev.LowerRangeValue;
    f.SpanAsRead = f.Dev.Span;
    f.Dev.Damping = double(o.damping);
    f.SendReadSensorLimits();
}

void HandleSensorLimits(Form1 &f) {
    f.ProgressBar1->setValue(85);
    const auto s = Decode(*f.HartX1, hart::decodeSensorInfo, at::SensorInfo::Size);
    f.Dev.SerialNumber = ResultRules::SerialWithPrefix(s.serialNumber);
    f.Dev.UpperSensorLimit = double(s.upperLimit);
    f.Dev.LowerSensorLimit = double(s.lowerLimit);
    f.Dev.MinimumSpan = double(s.minimumSpan);
    f.SendReadOutputDirection();
}

void HandleOutputDirection(Form1 &f) {
    f.ProgressBar1->setValue(95);
    f.Dev.OutputDirection =
        Decode(*f.HartX1, hart::decodeOutputDirection, at::OutputDirection::Size).direction;
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
