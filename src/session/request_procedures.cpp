// The request procedures: each fills the control's request buffer from the window's entries and
// the device record, shows the chain's progress and writes the command number, which sends. The
// reply comes back through hartx1_Result.
#include "session/session.h"

#include "hart/hart_catalogue.h"
#include "hart/link/hart_codec.h"
#include "units/module1.h"

#include <QTimer>

#include <cfloat>
#include <cmath>

namespace {

namespace cmd = hart::cmd;
namespace at = hart::at;
using Field = SessionView::Field;
using Pointer = SessionView::Pointer;

// The tag field of commands 13 and 18: packed ASCII, four characters in every three bytes.
constexpr int kTagBytes = at::TagDescriptorDate::TagBytes;
constexpr int kTagLength = kTagBytes / 3 * 4;

// The control sends every float as an IEEE single; a value beyond the single range would reach
// the transmitter as infinity, which nobody typed.
bool FitsSingle(double value) {
    return std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

bool HoldsDigit(const QString &text) {
    for (const QChar c : text)
        if (c.isDigit()) return true;
    return false;
}

// A value the transmitter reported as not-a-number is shown as a word ("NaN", "Inf"), without
// digits. Such a field, left as it is, reads as 0 when sent: refuse it rather than write a 0 the
// user never typed.
bool StillShowsInvalidRead(double recordValue, const QString &fieldText) {
    return !std::isfinite(recordValue) && !HoldsDigit(fieldText);
}

bool UnitSendable(const QString &unitName) {
    return unitName != Module1::kUnknownUnit && Module1::UnitCodeFromName(unitName) != 0;
}

// Translated where it is shown: a translator is installed only after static initialisation.
const char *const kNoDirection =
    QT_TRANSLATE_NOOP("Session", "Cannot send, no output direction is selected. Select 4-20 mA or "
                                 "20-4 mA, then press Send again.");

} // namespace

QString Session::NoNumberProblem(const QString &text, const QString &fieldName) {
    if (Module1::HoldsNumber(text)) return QString();
    return tr("Cannot send, \"%1\" holds no number. Type a number there, then try "
              "again.")
        .arg(fieldName);
}

QString Session::StoredTag(const QString &text) {
    const QString cut = text.left(kTagLength);
    return hart::unpackAscii(hart::packAscii(cut, kTagBytes)).left(cut.size());
}

bool Session::fieldHoldsNumber(Field field) {
    const QString problem = NoNumberProblem(view_->text(field), view_->fieldName(field));
    if (problem.isEmpty()) return true;
    decisions_->ask(problem);
    return false;
}

// The chain of a write is abandoned half-way: the busy indication ends like any other abandon.
void Session::abandonOperation() {
    view_->setPointer(Pointer::Default);
    view_->setProgress(0);
}

// Why the range in the zero and span fields cannot be sent, or an empty text when it can.
QString Session::rangeProblem(double *lower, double *upper) const {
    const QString zero = view_->text(Field::Zero);
    const QString span = view_->text(Field::Span);
    if (StillShowsInvalidRead(Dev.LowerRangeValue, zero) || StillShowsInvalidRead(Dev.Span, span))
        return tr("Cannot send, the measuring range read from the transmitter is not "
                  "a valid number. Type the zero and span, then press Send again.");
    for (const Field f : {Field::Zero, Field::Span}) {
        const QString problem = NoNumberProblem(view_->text(f), view_->fieldName(f));
        if (!problem.isEmpty()) return problem;
    }
    *lower = Module1::NumberOf(zero);
    *upper = Module1::NumberOf(span) + *lower;
    if (!FitsSingle(*lower) || !FitsSingle(*upper))
        return tr("Cannot send, the zero or the span is too large for the "
                  "transmitter. Correct it, then press Send again.");
    return QString();
}

QString Session::dampingProblem(double *damping) const {
    const QString text = view_->text(Field::Damping);
    if (StillShowsInvalidRead(Dev.Damping, text))
        return tr("Cannot send, the damping read from the transmitter is not a valid "
                  "number. Type the damping, then press Send again.");
    if (const QString problem = NoNumberProblem(text, view_->fieldName(Field::Damping));
        !problem.isEmpty())
        return problem;
    *damping = Module1::NumberOf(text);
    if (!FitsSingle(*damping))
        return tr("Cannot send, the damping is too large for the transmitter. "
                  "Correct it, then press Send again.");
    return QString();
}

void Session::SendIdentify() {
    view_->setPanelsShown(false);
    view_->setPointer(Pointer::Hourglass);
    view_->startProgress();
    hart_->setDataIndex(0);
    hart_->setCommand(cmd::ReadUniqueIdentifier);
    view_->setProgress(5);
}

void Session::SendReadTag() {
    view_->setProgress(20);
    hart_->setDataIndex(0);
    hart_->setCommand(cmd::ReadTagDescriptorDate);
}

void Session::SendReadOutputInfo() {
    view_->setProgress(35);
    hart_->setDataIndex(0);
    hart_->setCommand(cmd::ReadOutputInfo);
}

void Session::SendReadSensorLimits() {
    view_->setProgress(75);
    hart_->setDataIndex(0);
    hart_->setCommand(cmd::ReadSensorInfo);
}

void Session::SendReadOutputDirection() {
    view_->setProgress(90);
    hart_->setDataIndex(0);
    hart_->setCommand(cmd::ReadOutputDirection);
}

void Session::ShowDeviceData() {
    view_->showDeviceData();
    view_->setProgress(100);
    Timer1->start();
}

void Session::SendReadPressure() {
    view_->startProgress();
    view_->setPointer(Pointer::Hourglass);
    hart_->setDataIndex(0);
    hart_->setByteCount(0);
    hart_->setCommand(cmd::ReadDynamicVariables);
    view_->setProgress(35);
}

void Session::SendSetUpperRange() {
    view_->startProgress();
    hart_->setDataIndex(0);
    hart_->setByteCount(0);
    hart_->setCommand(cmd::SetUpperRangeValue);
    view_->setProgress(35);
}

void Session::SendSetLowerRange() {
    view_->startProgress();
    hart_->setDataIndex(0);
    hart_->setByteCount(0);
    hart_->setCommand(cmd::SetLowerRangeValue);
    view_->setProgress(35);
}

void Session::SendWriteUnit() {
    // A name outside the unit table (an unknown code read from the transmitter) has no code to
    // send either; it is refused like "Unknown" instead of writing unit code 0.
    if (!UnitSendable(Dev.UnitName)) {
        decisions_->ask(tr("Cannot send, Unit Unkown"));
        return;
    }
    // The range follows the unit in the same chain; refuse before the unit is changed if the
    // range could not be sent after it.
    double lower = 0, upper = 0;
    const QString problem = rangeProblem(&lower, &upper);
    if (!problem.isEmpty()) {
        decisions_->ask(problem);
        return;
    }
    view_->setPointer(Pointer::Hourglass);
    view_->startProgress();
    hart_->setDataIndex(at::PvUnit::Unit);
    hart_->setByteValue(Module1::UnitCodeFromName(Dev.UnitName));
    hart_->setByteCount(at::PvUnit::Size);
    hart_->setCommand(cmd::WritePvUnits);
    view_->setProgress(5);
}

void Session::SendWriteRange() {
    // The fields stay editable while the unit is on its way, so they are checked again here.
    double lower = 0, upper = 0;
    const QString problem =
        UnitSendable(Dev.UnitName) ? rangeProblem(&lower, &upper) : tr("Cannot send, Unit Unkown");
    if (!problem.isEmpty()) {
        decisions_->ask(problem);
        abandonOperation();
        return;
    }
    hart_->setDataIndex(at::RangeValues::Unit);
    hart_->setByteValue(Module1::UnitCodeFromName(Dev.UnitName));
    hart_->setDataIndex(at::RangeValues::Upper);
    Dev.LowerRangeValue = lower;
    Dev.UpperRangeValue = upper;
    hart_->setFloatValue(Dev.UpperRangeValue);
    hart_->setDataIndex(at::RangeValues::Lower);
    hart_->setFloatValue(Dev.LowerRangeValue);
    hart_->setByteCount(at::RangeValues::Size);
    hart_->setCommand(cmd::WriteRangeValues);
    view_->setProgress(65);
}

void Session::SendWriteDamping() {
    // The direction goes out in the same chain right after the damping; with neither button
    // selected (the transmitter reported a direction the window has no button for) a 1 would
    // reverse the output behind the user's back.
    if (view_->outputDirection() < 0) {
        decisions_->ask(tr(kNoDirection));
        return;
    }
    double damping = 0;
    const QString problem = dampingProblem(&damping);
    if (!problem.isEmpty()) {
        decisions_->ask(problem);
        return;
    }
    view_->startProgress();
    hart_->setDataIndex(at::Damping::Seconds);
    Dev.Damping = damping;
    hart_->setFloatValue(Dev.Damping);
    hart_->setByteCount(at::Damping::Size);
    hart_->setCommand(cmd::WriteDamping);
    view_->setProgress(5);
}

void Session::SendWriteOutputDirection() {
    const int direction = view_->outputDirection();
    if (direction < 0) {
        decisions_->ask(tr(kNoDirection));
        abandonOperation();
        return;
    }
    hart_->setDataIndex(at::OneByte::Value);
    hart_->setByteValue(direction == 0 ? 0 : 1);
    hart_->setByteCount(at::OneByte::Size);
    hart_->setCommand(cmd::WriteOutputDirection);
    view_->setProgress(65);
}

void Session::SendWriteTag() {
    // The descriptor and date are written back as last read; before any read there is nothing
    // to write back, and blanks would wipe what the transmitter holds.
    if (Dev.Descriptor.isEmpty()) {
        decisions_->ask(tr("Cannot send the tag yet: the descriptor and date of this "
                           "transmitter have not been read. Press Connect, then send "
                           "the tag again."));
        return;
    }
    view_->startProgress();
    view_->setPointer(Pointer::Hourglass);
    namespace T = at::TagDescriptorDate;
    hart_->setDataIndex(T::Tag);
    hart_->setPackedLength(T::TagBytes);
    Dev.Tag = StoredTag(view_->text(Field::Tag)) + QString(10, QLatin1Char(' '));
    hart_->setPackedString(Dev.Tag.left(kTagLength));
    // The field shows the tag as the transmitter will hold it, without the blanks that pad it
    // to its 8 characters: they are storage, and in the field they would fill the room left for
    // typing.
    QString shown = Dev.Tag.left(kTagLength);
    while (shown.endsWith(QLatin1Char(' ')))
        shown.chop(1);
    view_->showTag(shown);
    hart_->setDataIndex(T::Descriptor);
    hart_->setPackedLength(T::DescriptorBytes);
    hart_->setPackedString(Dev.Descriptor);
    hart_->setDataIndex(T::Day);
    hart_->setByteValue(Dev.DateDay);
    hart_->setDataIndex(T::Month);
    hart_->setByteValue(Dev.DateMonth);
    hart_->setDataIndex(T::Year);
    hart_->setByteValue(Dev.DateYear);
    hart_->setByteCount(T::Size);
    hart_->setCommand(cmd::WriteTagDescriptorDate);
    view_->setProgress(25);
}

void Session::SendMountingEffect() {
    view_->setPointer(Pointer::Hourglass);
    const int index = view_->mountingAction();
    // 1 ("Reset") clears the correction, 2 ("Set") takes it from the pressure applied now;
    // anything else sends nothing.
    if (index != 1 && index != 2) {
        view_->setPointer(Pointer::Default);
        return;
    }
    hart_->setDataIndex(at::OneByte::Value);
    hart_->setByteValue(index == 1 ? 0 : 1);
    hart_->setByteCount(at::OneByte::Size);
    hart_->setCommand(cmd::MountingEffect);
}

void Session::SendFixedCurrentOn() {
    // "Abort" stands for a current really requested, so a refusal leaves the caption alone.
    if (!fieldHoldsNumber(Field::FixedCurrent)) return;
    const double current = Module1::NumberOf(view_->text(Field::FixedCurrent));
    if (!FitsSingle(current)) {
        decisions_->ask(tr("Cannot send, the fixed current is too large for the "
                           "transmitter. Correct it, then press Send again."));
        return;
    }
    simulationRequested_ = true;
    view_->setSimulationCaption(true);
    SimulatedCurrent = current;
    view_->setPointer(Pointer::ArrowHourglass);
    hart_->setDataIndex(at::FixedCurrent::Current);
    hart_->setFloatValue(current);
    hart_->setByteCount(at::FixedCurrent::Size);
    hart_->setCommand(cmd::FixedCurrentMode);
}

void Session::SendFixedCurrentOff() {
    simulationRequested_ = false;
    view_->setSimulationCaption(false);
    view_->setPointer(Pointer::Default);
    hart_->setDataIndex(at::FixedCurrent::Current);
    hart_->setFloatValue(0.0);
    hart_->setByteCount(at::FixedCurrent::Size);
    hart_->setCommand(cmd::FixedCurrentMode);
}
