// hartx1_Result: every chain transaction ends here. The next step of a chain follows from the
// command number alone; the only state kept between events is the busy count.
#include "session/session.h"

#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "records/from_replies.h"
#include "units/module1.h"

#include <QTimer>

namespace {

// Translated where it is shown: a translator is installed only after static initialisation.
const char *const kFinderHint =
    QT_TRANSLATE_NOOP("Session", "\n\nIf the transmitter may be on another port or at another "
                                 "polling address, Config, Find transmitter… looks for it on "
                                 "every serial port.");

namespace cmd = hart::cmd;
namespace at = hart::at;

constexpr int kBusyRetryLimit = 10;

// The window has always read a reply shorter than its layout as zeros (the control's accessors
// give 0 beyond the data) and gone on with its chain; a decoder refuses such a reply, so it gets
// the data padded to the layout's size instead.
template <typename T>
T Decode(const HartX &h, hart::Decoded<T> (*decode)(const QByteArray &), int size) {
    QByteArray data = h.ReplyData();
    if (data.size() < size) data.resize(size, '\0');
    return *decode(data);
}

} // namespace

int Session::CheckResponseCode(int code, int command) {
    if (code == 0) return 0;
    const int answer = decisions_->ask(Module1::ResponseCodeMessageShown(code, command),
                                       Decisions::OKOnly, tr("Error"));
    // A message was shown, so the caller must hear "failed" even from a box that answered 0
    // (closed by the window manager, or a scripted answer).
    return answer != 0 ? answer : Decisions::OK;
}

// Another maker's transmitter ends the program. Whatever is still armed or queued must not act
// on the closed window: the timers stop and the control's later Results are cut off.
void Session::endProgram() {
    endChains();
    view_->endProgram();
}

void Session::handleIdentification() {
    const auto id = Decode(*hart_, hart::decodeIdentity, at::Identity::Size);
    Dev.ManufacturerId = id.manufacturerId;
    Dev.DeviceType = id.deviceType;
    Dev.HartRevision = id.universalRevision;
    Dev.DeviceId = id.deviceId;
    if (Dev.ManufacturerId == hart::kZanuManufacturerId) {
        view_->setProgress(10);
        SendReadTag();
        return;
    }
    view_->setProgress(100);
    decisions_->ask(tr("No ZANU transmitter!! Programm will abort!!"));
    endProgram();
}

void Session::handleOutputSignal() {
    if (!view_->monitoring()) return;
    const auto loop = Decode(*hart_, hart::decodeLoopCurrent, at::LoopCurrent::Size);
    view_->showOutput(loop.current, loop.percent);
    Timer5->start();
}

void Session::handleAppliedPressure() {
    const float pv = Decode(*hart_, hart::decodeDynamicVariables, at::DynamicVariables::Size).pv;
    const float p = Module1::ConvertPressure(pv, Dev.PreviousUnitName, Dev.UnitName);
    const QString prompt = tr("Current Pressure value is: %1%2. Continue??")
                               .arg(Module1::Format(p, QStringLiteral("#0.0# ")), Dev.UnitName);
    if (decisions_->ask(prompt, Decisions::OKCancel, tr("Continue??")) != Decisions::OK) {
        abandonOperation();
        return;
    }
    view_->setProgress(50);
    if (Dev.PendingRangeCommand == cmd::SetLowerRangeValue)
        SendSetLowerRange();
    else if (Dev.PendingRangeCommand == cmd::SetUpperRangeValue)
        SendSetUpperRange();
    else
        abandonOperation();
}

void Session::handleTagRead() {
    const auto t = Decode(*hart_, hart::decodeTagDescriptorDate, at::TagDescriptorDate::Size);
    Dev.Tag = t.tag;
    Dev.Descriptor = t.descriptor;
    Dev.DateDay = t.day;
    Dev.DateMonth = t.month;
    Dev.DateYear = t.yearSince1900;
    SendReadOutputInfo();
}

void Session::handleOutputInfo() {
    view_->setProgress(45);
    const auto o = Decode(*hart_, hart::decodeOutputInfo, at::OutputInfo::Size);
    Dev.UnitName = Module1::UnitNameFromCode(o.rangeUnit);
    Dev.UpperRangeValue = double(o.upperRange);
    Dev.LowerRangeValue = double(o.lowerRange);
    Dev.Span = Dev.UpperRangeValue - Dev.LowerRangeValue;
    view_->rangeRead();
    Dev.Damping = double(o.damping);
    SendReadSensorLimits();
}

void Session::handleSensorLimits() {
    view_->setProgress(85);
    const auto s = Decode(*hart_, hart::decodeSensorInfo, at::SensorInfo::Size);
    Dev.SerialNumber = records::SerialWithPrefix(s.serialNumber);
    Dev.UpperSensorLimit = double(s.upperLimit);
    Dev.LowerSensorLimit = double(s.lowerLimit);
    Dev.MinimumSpan = double(s.minimumSpan);
    SendReadOutputDirection();
}

void Session::handleOutputDirection() {
    view_->setProgress(95);
    Dev.OutputDirection =
        Decode(*hart_, hart::decodeOutputDirection, at::OutputDirection::Size).direction;
    ShowDeviceData();
}

void Session::hartx1_Result(qint16 /*iAction*/, qint16 iCommand, qint16 iResult) {
    if (iResult == HartX::kNoAnswer) {
        view_->setProgress(100);
        // The box's own words stay fixed; the link's reason (port, time-out) goes in its details.
        const int answer = decisions_->ask(tr("No Device Response!!!! Connect transmitter?"),
                                           Decisions::RetryCancel, tr("No Device"),
                                           hart_->LastError() + tr(kFinderHint));
        if (answer == Decisions::Retry) {
            view_->offerConnect();
            SendIdentify();
        } else {
            abandonOperation();
        }
        return;
    }

    if (hart_->ResponseCode() & hart::rc::Busy) {
        if (++Dev.BusyRetryCount < kBusyRetryLimit) {
            hart_->setCommand(iCommand);
            return;
        }
        decisions_->ask(tr("Transmitter is Busy, Aborting Send Process"), Decisions::OKOnly,
                        tr("Error"));
        Dev.BusyRetryCount = 0;
        abandonOperation();
        return;
    }
    Dev.BusyRetryCount = 0;

    if (CheckResponseCode(hart_->ResponseCode(), iCommand) != 0) {
        SendIdentify();
        return;
    }

    switch (iCommand) {
    case cmd::ReadUniqueIdentifier:
        handleIdentification();
        break;
    case cmd::ReadLoopCurrent:
        handleOutputSignal();
        break;
    case cmd::ReadDynamicVariables:
        handleAppliedPressure();
        break;
    case cmd::ReadTagDescriptorDate:
        handleTagRead();
        break;
    case cmd::ReadOutputInfo:
        handleOutputInfo();
        break;
    case cmd::ReadSensorInfo:
        handleSensorLimits();
        break;
    case cmd::ReadOutputDirection:
        handleOutputDirection();
        break;
    case cmd::WriteTagDescriptorDate:
        view_->setProgress(45);
        Timer2->start();
        break;
    case cmd::WriteDamping:
        view_->setProgress(45);
        SendWriteOutputDirection();
        break;
    case cmd::WriteOutputDirection:
        view_->setProgress(100);
        Timer2->start();
        break;
    case cmd::WritePvUnits:
        view_->setProgress(45);
        SendWriteRange();
        break;
    case cmd::WriteRangeValues:
        view_->setProgress(100);
        Timer2->start();
        break;
    case cmd::MountingEffect:
        view_->setProgress(100);
        Timer2->start();
        break;
    case cmd::SetUpperRangeValue:
    case cmd::SetLowerRangeValue:
        view_->setProgress(95);
        Timer4->start();
        break;
    case cmd::FixedCurrentMode:
        if (view_->monitoring()) Timer5->start();
        break;
    default:
        break;
    }
}
