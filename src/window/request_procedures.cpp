// The request procedures: each fills HartX1's request buffer from the window and the device
// record, updates the busy indication and writes the command number, which sends. The reply
// comes back through hartx1_Result.
#include "window/form1.h"

#include "dialogs/msgbox.h"
#include "dialogs/pointer.h"
#include "hart/hart_catalogue.h"
#include "hart/link/hart_codec.h"
#include "units/module1.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cfloat>
#include <cmath>

namespace {

namespace cmd = hart::cmd;
namespace at = hart::at;

const QString kNumberPattern = QStringLiteral("#0.0#");

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
bool StillShowsInvalidRead(double recordValue, const QLineEdit *field) {
    return !std::isfinite(recordValue) && !HoldsDigit(field->text());
}

// Selects the Option1 button of `index`, or neither for an index the window has no button for.
void SelectOutputDirection(const std::array<QRadioButton *, 2> &buttons, int index) {
    if (index == 0 || index == 1) {
        buttons[std::size_t(index)]->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its checked button, so lift exclusivity meanwhile.
    QButtonGroup *group = buttons[0]->group();
    const bool groupExclusive = group && group->exclusive();
    if (groupExclusive) group->setExclusive(false);
    for (QRadioButton *b : buttons) {
        const bool autoExclusive = b->autoExclusive();
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(autoExclusive);
    }
    if (groupExclusive) group->setExclusive(true);
}

// Text without any number would read as 0 and go out as a 0 nobody typed.
QString NoNumberProblem(const QLineEdit *field) {
    if (Module1::HoldsNumber(field->text())) return QString();
    return QStringLiteral("Cannot send, \"%1\" holds no number. Type a number there, then try "
                          "again.")
        .arg(field->accessibleName());
}

// The chain of a write is abandoned half-way: the busy indication ends like any other abandon.
void AbandonChain(QProgressBar *bar) {
    SetMousePointer(vbDefault);
    bar->setValue(0);
}

bool UnitSendable(const QString &unitName) {
    return unitName != Module1::kUnknownUnit && Module1::UnitCodeFromName(unitName) != 0;
}

// Why the range in Text4/Text5 cannot be sent, or an empty text when it can.
QString RangeProblem(const Form1 &f, double *lower, double *upper) {
    if (StillShowsInvalidRead(f.Dev.LowerRangeValue, f.Text4) ||
        StillShowsInvalidRead(f.Dev.Span, f.Text5))
        return QStringLiteral("Cannot send, the measuring range read from the transmitter is not "
                              "a valid number. Type the zero and span, then press Send again.");
    for (const QLineEdit *field : {f.Text4, f.Text5}) {
        const QString problem = NoNumberProblem(field);
        if (!problem.isEmpty()) return problem;
    }
    *lower = Module1::NumberOf(f.Text4->text());
    *upper = Module1::NumberOf(f.Text5->text()) + *lower;
    if (!FitsSingle(*lower) || !FitsSingle(*upper))
        return QStringLiteral("Cannot send, the zero or the span is too large for the "
                              "transmitter. Correct it, then press Send again.");
    return QString();
}

QString DampingProblem(const Form1 &f, double *damping) {
    if (StillShowsInvalidRead(f.Dev.Damping, f.Text6))
        return QStringLiteral("Cannot send, the damping read from the transmitter is not a valid "
                              "number. Type the damping, then press Send again.");
    if (const QString problem = NoNumberProblem(f.Text6); !problem.isEmpty()) return problem;
    *damping = Module1::NumberOf(f.Text6->text());
    if (!FitsSingle(*damping))
        return QStringLiteral("Cannot send, the damping is too large for the transmitter. "
                              "Correct it, then press Send again.");
    return QString();
}

// The direction byte is 0 for "4-20 mA" and 1 otherwise; with neither button selected (the
// transmitter reported a direction the window has no button for) a 1 would reverse the output
// behind the user's back.
bool DirectionChosen(const Form1 &f) {
    return f.Option1[0]->isChecked() || f.Option1[1]->isChecked();
}
const QString kNoDirection =
    QStringLiteral("Cannot send, no output direction is selected. Select 4-20 mA or 20-4 mA, "
                   "then press Send again.");

} // namespace

QString Form1::StoredTag(const QString &text) {
    const QString cut = text.left(kTagLength);
    return hart::unpackAscii(hart::packAscii(cut, kTagBytes)).left(cut.size());
}

bool Form1::FieldsHoldNumbers(std::initializer_list<const QLineEdit *> fields) {
    for (const QLineEdit *field : fields) {
        const QString problem = NoNumberProblem(field);
        if (!problem.isEmpty()) {
            MsgBox(problem, vbOKOnly);
            return false;
        }
    }
    return true;
}

void Form1::SendIdentify() {
    QWidget *const hidden[] = {Label12, Text7,  Command8, Frame2,  Frame3,   Frame4,
                               Frame5,  Frame6, Frame7,   Label11, Command5, Text8};
    for (QWidget *w : hidden)
        w->hide();
    SetMousePointer(vbHourglass);
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(0);
    HartX1->setDataIndex(0);
    HartX1->setCommand(cmd::ReadUniqueIdentifier);
    ProgressBar1->setValue(5);
}

void Form1::SendReadTag() {
    ProgressBar1->setValue(20);
    HartX1->setDataIndex(0);
    HartX1->setCommand(cmd::ReadTagDescriptorDate);
}

void Form1::SendReadOutputInfo() {
    ProgressBar1->setValue(35);
    HartX1->setDataIndex(0);
    HartX1->setCommand(cmd::ReadOutputInfo);
}

void Form1::SendReadSensorLimits() {
    ProgressBar1->setValue(75);
    HartX1->setDataIndex(0);
    HartX1->setCommand(cmd::ReadSensorInfo);
}

void Form1::SendReadOutputDirection() {
    ProgressBar1->setValue(90);
    HartX1->setDataIndex(0);
    HartX1->setCommand(cmd::ReadOutputDirection);
}

void Form1::ShowDeviceData() {
    Text7->setText(Dev.Tag);
    Text1->setText(Module1::Format(Dev.MinimumSpan, kNumberPattern));
    Text2->setText(Module1::Format(Dev.UpperSensorLimit, kNumberPattern));
    Text3->setText(Module1::Format(Dev.LowerSensorLimit, kNumberPattern));
    Label9[0]->setText(Dev.UnitName);
    Label9[1]->setText(Dev.UnitName);
    Label9[2]->setText(Dev.UnitName);
    // Each of these runs the field's change handling, with ReloadingRange as it still is.
    Text4->setText(Module1::Format(Dev.LowerRangeValue, kNumberPattern));
    Text5->setText(Module1::Format(Dev.Span, kNumberPattern));
    ZeroAsRead = Text4->text();
    SpanAsRead = Text5->text();
    Label9[3]->setText(Dev.UnitName);
    Label9[4]->setText(Dev.UnitName);
    SetCombo1ListIndex(Module1::UnitIndexFromName(Dev.UnitName));
    Text6->setText(Module1::Format(Dev.Damping, kNumberPattern));
    SelectOutputDirection(Option1, Dev.OutputDirection);
    StatusPanel[1]->setText(QStringLiteral("Transmitter Serialnumber: ") +
                            QString::number(Dev.SerialNumber));
    ProgressBar1->setValue(100);
    Timer1->start();
    ReloadingRange = false;
    Command2->setText(QStringLiteral("Re&fresh"));
}

void Form1::SendReadPressure() {
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(0);
    SetMousePointer(vbHourglass);
    HartX1->setDataIndex(0);
    HartX1->setByteCount(0);
    HartX1->setCommand(cmd::ReadDynamicVariables);
    ProgressBar1->setValue(35);
}

void Form1::SendSetUpperRange() {
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(0);
    HartX1->setDataIndex(0);
    HartX1->setByteCount(0);
    HartX1->setCommand(cmd::SetUpperRangeValue);
    ProgressBar1->setValue(35);
}

void Form1::SendSetLowerRange() {
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(0);
    HartX1->setDataIndex(0);
    HartX1->setByteCount(0);
    HartX1->setCommand(cmd::SetLowerRangeValue);
    ProgressBar1->setValue(35);
}

void Form1::SendWriteUnit() {
    // A name outside the unit table (an unknown code read from the transmitter) has no code to
    // send either; it is refused like "Unknown" instead of writing unit code 0.
    if (!UnitSendable(Dev.UnitName)) {
        MsgBox(QStringLiteral("Cannot send, Unit Unkown"), vbOKOnly);
        return;
    }
    // The range follows the unit in the same chain; refuse before the unit is changed if the
    // range could not be sent after it.
    double lower = 0, upper = 0;
    const QString problem = RangeProblem(*this, &lower, &upper);
    if (!problem.isEmpty()) {
        MsgBox(problem, vbOKOnly);
        return;
    }
    SetMousePointer(vbHourglass);
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(0);
    HartX1->setDataIndex(at::PvUnit::Unit);
    HartX1->setByteValue(Module1::UnitCodeFromName(Dev.UnitName));
    HartX1->setByteCount(at::PvUnit::Size);
    HartX1->setCommand(cmd::WritePvUnits);
    ProgressBar1->setValue(5);
}

void Form1::SendWriteRange() {
    // The fields stay editable while the unit is on its way, so they are checked again here.
    double lower = 0, upper = 0;
    QString problem = UnitSendable(Dev.UnitName) ? RangeProblem(*this, &lower, &upper)
                                                 : QStringLiteral("Cannot send, Unit Unkown");
    if (!problem.isEmpty()) {
        MsgBox(problem, vbOKOnly);
        AbandonChain(ProgressBar1);
        return;
    }
    HartX1->setDataIndex(at::RangeValues::Unit);
    HartX1->setByteValue(Module1::UnitCodeFromName(Dev.UnitName));
    HartX1->setDataIndex(at::RangeValues::Upper);
    Dev.LowerRangeValue = lower;
    Dev.UpperRangeValue = upper;
    HartX1->setFloatValue(Dev.UpperRangeValue);
    HartX1->setDataIndex(at::RangeValues::Lower);
    HartX1->setFloatValue(Dev.LowerRangeValue);
    HartX1->setByteCount(at::RangeValues::Size);
    HartX1->setCommand(cmd::WriteRangeValues);
    ProgressBar1->setValue(65);
}

void Form1::SendWriteDamping() {
    // The direction goes out in the same chain right after the damping.
    if (!DirectionChosen(*this)) {
        MsgBox(kNoDirection, vbOKOnly);
        return;
    }
    double damping = 0;
    const QString problem = DampingProblem(*this, &damping);
    if (!problem.isEmpty()) {
        MsgBox(problem, vbOKOnly);
        return;
    }
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(0);
    HartX1->setDataIndex(at::Damping::Seconds);
    Dev.Damping = damping;
    HartX1->setFloatValue(Dev.Damping);
    HartX1->setByteCount(at::Damping::Size);
    HartX1->setCommand(cmd::WriteDamping);
    ProgressBar1->setValue(5);
}

void Form1::SendWriteOutputDirection() {
    if (!DirectionChosen(*this)) {
        MsgBox(kNoDirection, vbOKOnly);
        AbandonChain(ProgressBar1);
        return;
    }
    HartX1->setDataIndex(at::OneByte::Value);
    HartX1->setByteValue(Option1[0]->isChecked() ? 0 : 1);
    HartX1->setByteCount(at::OneByte::Size);
    HartX1->setCommand(cmd::WriteOutputDirection);
    ProgressBar1->setValue(65);
}

void Form1::SendWriteTag() {
    // The descriptor and date are written back as last read; before any read there is nothing
    // to write back, and blanks would wipe what the transmitter holds.
    if (Dev.Descriptor.isEmpty()) {
        MsgBox(QStringLiteral("Cannot send the tag yet: the descriptor and date of this "
                              "transmitter have not been read. Press Connect, then send the "
                              "tag again."),
               vbOKOnly);
        return;
    }
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(0);
    SetMousePointer(vbHourglass);
    namespace T = at::TagDescriptorDate;
    HartX1->setDataIndex(T::Tag);
    HartX1->setPackedLength(T::TagBytes);
    Dev.Tag = StoredTag(Text7->text()) + QString(10, QLatin1Char(' '));
    HartX1->setPackedString(Dev.Tag.left(kTagLength));
    // The field shows the tag as the transmitter will hold it, without the blanks that pad it
    // to its 8 characters: they are storage, and in the field they would fill the room left for
    // typing.
    QString shown = Dev.Tag.left(kTagLength);
    while (shown.endsWith(QLatin1Char(' ')))
        shown.chop(1);
    Text7->setText(shown);
    HartX1->setDataIndex(T::Descriptor);
    HartX1->setPackedLength(T::DescriptorBytes);
    HartX1->setPackedString(Dev.Descriptor);
    HartX1->setDataIndex(T::Day);
    HartX1->setByteValue(Dev.DateDay);
    HartX1->setDataIndex(T::Month);
    HartX1->setByteValue(Dev.DateMonth);
    HartX1->setDataIndex(T::Year);
    HartX1->setByteValue(Dev.DateYear);
    HartX1->setByteCount(T::Size);
    HartX1->setCommand(cmd::WriteTagDescriptorDate);
    ProgressBar1->setValue(25);
}

void Form1::SendMountingEffect() {
    SetMousePointer(vbHourglass);
    int index = Combo2->currentIndex();
    // Text typed into the list over a chosen entry is not that entry any more.
    if (index >= 0 && Combo2->isEditable() && Combo2->currentText() != Combo2->itemText(index))
        index = -1;
    quint8 action = 0;
    if (index == 1) {
        HartX1->setDataIndex(at::OneByte::Value);
        action = 0;
    } else if (index == 2) {
        HartX1->setDataIndex(at::OneByte::Value);
        action = 1;
    } else {
        SetMousePointer(vbDefault);
        return;
    }
    HartX1->setByteValue(action);
    HartX1->setByteCount(at::OneByte::Size);
    HartX1->setCommand(cmd::MountingEffect);
}

void Form1::SendFixedCurrentOn() {
    // "Abort" stands for a current really requested, so a refusal leaves the caption alone.
    if (!FieldsHoldNumbers({Text8})) return;
    const double current = Module1::NumberOf(Text8->text());
    if (!FitsSingle(current)) {
        MsgBox(QStringLiteral("Cannot send, the fixed current is too large for the transmitter. "
                              "Correct it, then press Send again."),
               vbOKOnly);
        return;
    }
    Command5->setText(QStringLiteral("Abort"));
    SimulatedCurrent = current;
    SetMousePointer(vbArrowHourglass);
    HartX1->setDataIndex(at::FixedCurrent::Current);
    HartX1->setFloatValue(current);
    HartX1->setByteCount(at::FixedCurrent::Size);
    HartX1->setCommand(cmd::FixedCurrentMode);
}

void Form1::SendFixedCurrentOff() {
    Command5->setText(QStringLiteral("Send"));
    SetMousePointer(vbDefault);
    HartX1->setDataIndex(at::FixedCurrent::Current);
    HartX1->setFloatValue(0.0);
    HartX1->setByteCount(at::FixedCurrent::Size);
    HartX1->setCommand(cmd::FixedCurrentMode);
}
