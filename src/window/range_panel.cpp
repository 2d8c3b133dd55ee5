// The "Measuring Range" frame: zero and span fields that mark themselves when they no longer
// match what the transmitter holds, the unit list that converts every shown pressure, "Send",
// and the two buttons that take the applied pressure as a range end.
#include "window/form1.h"

#include "hart/hart_catalogue.h"
#include "units/module1.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

const QString kZeroSpanPattern = QStringLiteral("#0.00#");
const QString kFixedDataPattern = QStringLiteral("#0.0#");
const QString kKeyPattern = QStringLiteral("#0.000#");

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyEsc = 27;

constexpr quint8 kSetUpperRangeCommand = hart::cmd::SetUpperRangeValue;
constexpr quint8 kSetLowerRangeCommand = hart::cmd::SetLowerRangeValue;

// White on a red dark enough to keep the digits readable (contrast above 6:1); pure red with
// white text falls short of what a screen in a bright plant room needs.
const QColor kChangedBackground(0xC0, 0x00, 0x00);

// The number a reference holds. A number is first written as the user would see it, so that it
// is read exactly the way the field's own text is and reformatting never counts as a change.
double referenceNumber(const QVariant &reference) {
    if (!reference.isValid() || reference.isNull()) return 0.0;
    if (reference.typeId() == QMetaType::QString) return Module1::NumberOf(reference.toString());
    bool ok = false;
    const double value = reference.toDouble(&ok);
    if (!ok) return Module1::NumberOf(reference.toString());
    return Module1::NumberOf(Module1::PlainNumberText(value));
}

// Only the active and inactive groups are coloured: a disabled field keeps the style's greyed
// look, and selection colours stay untouched so selected digits remain visible.
void setFieldColours(QLineEdit *field, const QColor &text, const QColor &background) {
    QPalette pal = field->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::Base, background);
    }
    field->setPalette(pal);
}

void showUnchanged(QLineEdit *field, QLabel *marker) {
    setFieldColours(field, Qt::black, Qt::white);
    field->setAccessibleDescription(QString());
    marker->hide();
}

void showChanged(QLineEdit *field, QLabel *marker) {
    setFieldColours(field, Qt::white, kChangedBackground);
    // Colour alone does not reach a screen reader; the marker's own word does.
    field->setAccessibleDescription(marker->text());
    marker->show();
}

bool differsFromReference(const QLineEdit *field, const QVariant &reference) {
    return Module1::NumberOf(field->text()) != referenceNumber(reference);
}

void markAgainstReference(QLineEdit *field, QVariant &reference, QLabel *marker, bool reloading) {
    if (!reloading && differsFromReference(field, reference)) {
        showChanged(field, marker);
        return;
    }
    if (reloading) reference = field->text();
    showUnchanged(field, marker);
}

// Setting a text the program's way: the insertion point goes to the start, so a key that is
// still to be processed (the Backspace that restored the zero) removes nothing.
void replaceText(QLineEdit *field, const QString &text) {
    field->setText(text);
    field->setCursorPosition(0);
}

// Rewrites a field as the number it holds, first plainly and then in the key pattern; both
// steps run the field's change handling, as the user would see them one after the other.
void reformatForKey(QLineEdit *field) {
    replaceText(field, Module1::PlainNumberText(Module1::NumberOf(field->text())));
    replaceText(field, Module1::Format(Module1::NumberOf(field->text()), kKeyPattern));
}

} // namespace

void Form1::Text4_Change() {
    markAgainstReference(Text4, ZeroAsRead, Label16, ReloadingRange);
}

void Form1::Text5_Change() {
    markAgainstReference(Text5, SpanAsRead, Label15, ReloadingRange);
}

void Form1::Text4_KeyPress(int keyAscii) {
    if (keyAscii == kKeyEsc || keyAscii == kKeyBackspace)
        replaceText(Text4, Module1::PlainNumberText(referenceNumber(ZeroAsRead)));
    if (keyAscii == kKeyEsc || keyAscii == kKeyEnter) {
        reformatForKey(Text4);
        Text5->setFocus();
    }
}

void Form1::Text5_KeyPress(int keyAscii) {
    if (keyAscii != kKeyEnter) return;
    reformatForKey(Text5);
    Command3->setFocus();
}

void Form1::Combo1_Click() {
    Dev.PreviousUnitName = Dev.UnitName;
    Dev.UnitName = Module1::UnitNameFromIndex(Combo1->currentIndex());
    const QString &from = Dev.PreviousUnitName;
    const QString &to = Dev.UnitName;

    Dev.MinimumSpan = Module1::ConvertPressure(Dev.MinimumSpan, from, to);
    Dev.UpperSensorLimit = Module1::ConvertPressure(Dev.UpperSensorLimit, from, to);
    Dev.LowerSensorLimit = Module1::ConvertPressure(Dev.LowerSensorLimit, from, to);
    Text1->setText(Module1::Format(Dev.MinimumSpan, kFixedDataPattern));
    Label9[0]->setText(to);
    Text2->setText(Module1::Format(Dev.UpperSensorLimit, kFixedDataPattern));
    Label9[2]->setText(to);
    Text3->setText(Module1::Format(Dev.LowerSensorLimit, kFixedDataPattern));
    Label9[1]->setText(to);

    // With the unit unchanged this is only a reformat, and it shows one more decimal than the
    // read step did: a field that held its reference keeps holding it, or a zero of 0.125 read
    // as 0.13 would come up "Changed" after every refresh.
    const bool sameUnit = from == to;
    const bool zeroWasReference = sameUnit && !differsFromReference(Text4, ZeroAsRead);
    const bool spanWasReference = sameUnit && !differsFromReference(Text5, SpanAsRead);

    Dev.LowerRangeValue = Module1::ConvertPressure(Dev.LowerRangeValue, from, to);
    const QString zeroText = Module1::Format(Dev.LowerRangeValue, kZeroSpanPattern);
    if (zeroWasReference) ZeroAsRead = zeroText;
    replaceText(Text4, zeroText);
    Label9[3]->setText(to);

    Dev.UpperRangeValue = Module1::ConvertPressure(Dev.UpperRangeValue, from, to);
    Dev.Span = Dev.UpperRangeValue - Dev.LowerRangeValue;
    const QString spanText = Module1::Format(Dev.Span, kZeroSpanPattern);
    if (spanWasReference) SpanAsRead = spanText;
    replaceText(Text5, spanText);
    Label9[4]->setText(to);
}

void Form1::SetCombo1ListIndex(int index) {
    {
        // The list's own signals stay quiet so that the handler runs exactly once, here, also
        // when the position does not change.
        const QSignalBlocker blocker(Combo1);
        Combo1->setCurrentIndex(index);
    }
    Combo1_Click();
}

void Form1::Command3_Click() {
    if (!FieldsHoldNumbers({Text4, Text5})) return;
    Timer5->stop();
    Label16->hide();
    Label15->hide();
    ZeroAsRead = Text4->text();
    SpanAsRead = Text5->text();
    showUnchanged(Text5, Label15);
    showUnchanged(Text4, Label16);
    session->SendWriteUnit();
}

void Form1::Command6_Click() {
    Dev.PendingRangeCommand = kSetUpperRangeCommand;
    Timer5->stop();
    ReloadingRange = true;
    session->SendReadPressure();
}

void Form1::Command7_Click() {
    Dev.PendingRangeCommand = kSetLowerRangeCommand;
    Timer5->stop();
    ReloadingRange = true;
    session->SendReadPressure();
}
