// The measuring range panel on the simulated transmitter: change marking, the keys of the zero
// and span fields, the unit list, "Send", and setting a range end from the applied pressure.
// Expected texts are built with the program's own number formats, so the same tests hold on a
// machine with a decimal comma; otherDecimalSeparator runs them there.
#include "gui_test_helper.h"

#include "units/module1.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

using Module1::Format;
using Module1::PlainNumberText;

constexpr int kUnknownIndex = 12;

// WCAG contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b) {
    auto lum = [](const QColor &c) {
        auto ch = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
    };
    double la = lum(a), lb = lum(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

QColor textColour(const QLineEdit *e) {
    return e->palette().color(QPalette::Active, QPalette::Text);
}
QColor baseColour(const QLineEdit *e) {
    return e->palette().color(QPalette::Active, QPalette::Base);
}

bool looksChanged(const QLineEdit *e) {
    const QColor base = baseColour(e);
    const bool red = base.red() >= 150 && base.green() < 80 && base.blue() < 80;
    return textColour(e) == QColor(Qt::white) && red && contrast(textColour(e), base) >= 4.5;
}

bool looksNormal(const QLineEdit *e) {
    return textColour(e) == QColor(Qt::black) && baseColour(e) == QColor(Qt::white);
}

struct RangeField {
    QLineEdit *edit;
    QLabel *marker;
    QVariant *reference;
};

RangeField rangeField(Form1 &f, int which) {
    if (which == 4) return {f.Text4, f.Label16, &f.ZeroAsRead};
    return {f.Text5, f.Label15, &f.SpanAsRead};
}

// A selection in the unit list as the user makes it (the window listens to `activated`).
void chooseUnit(Form1 &f, int index) {
    f.Combo1->setCurrentIndex(index);
    emit f.Combo1->activated(index);
}

} // namespace

class TestRangePanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void changeMarking_data();
    void changeMarking();
    void typingBackClearsMarking();
    void keys_data();
    void keys();
    void unitChange_data();
    void unitChange();
    void refreshLeavesFieldsUnmarked_data();
    void refreshLeavesFieldsUnmarked();
    void sendWritesUnitAndRange_data();
    void sendWritesUnitAndRange();
    void unknownUnitRefused();
    void rangeEndFromAppliedPressure_data();
    void rangeEndFromAppliedPressure();
    void otherDecimalSeparator();
};

void TestRangePanel::initTestCase() {
    // A child run of otherDecimalSeparator must really see the separator it was started for.
    const QByteArray expected = qgetenv("ZANU_EXPECT_DECIMAL_POINT");
    if (!expected.isEmpty())
        QCOMPARE(QLocale::system().decimalPoint(), QString::fromUtf8(expected));
}

void TestRangePanel::changeMarking_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QVariant>("reference");
    QTest::addColumn<bool>("reloading");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<QVariant>("referenceAfter"); // invalid: unchanged

    struct Row {
        const char *name;
        QVariant reference;
        bool reloading;
        const char *typed;
        bool marked;
        QVariant after;
    };
    const Row rows[] = {
        {"loaded number 0, typed 0,0", QVariant(0.0), false, "0,0", false, {}},
        {"loaded text 0.00, typed 0,0", QVariant(QStringLiteral("0.00")), false, "0,0", false, {}},
        {"loaded text 0.00, typed 1", QVariant(QStringLiteral("0.00")), false, "1", true, {}},
        {"loaded number 1.5, typed 1,50", QVariant(1.5), false, "1,50", false, {}},
        {"loaded number 1.5, typed 1.500", QVariant(1.5), false, "1.500", false, {}},
        {"loaded text 1,5, typed 1.5", QVariant(QStringLiteral("1,5")), false, "1.5", false, {}},
        {"loaded number 2.5, typed 2.4", QVariant(2.5), false, "2.4", true, {}},
        {"loaded number 0.1, typed 0,1", QVariant(0.1), false, "0,1", false, {}},
        {"loaded number -3.75, typed -3,750", QVariant(-3.75), false, "-3,750", false, {}},
        {"loaded number 1000.5, typed 1 000,5", QVariant(1000.5), false, "1 000,5", false, {}},
        {"reference without number, typed nothing",
         QVariant(QStringLiteral("abc")),
         false,
         "",
         false,
         {}},
        {"no reference yet, typed 0", QVariant(), false, "0", false, {}},
        {"no reference yet, typed 3", QVariant(), false, "3", true, {}},
        {"reloading takes the new text", QVariant(QStringLiteral("5")), true, "7", false,
         QVariant(QStringLiteral("7"))},
        {"reloading with the same number", QVariant(5.0), true, "5,00", false,
         QVariant(QStringLiteral("5,00"))},
    };
    for (int field : {4, 5})
        for (const Row &r : rows)
            QTest::addRow("Text%d: %s", field, r.name)
                << field << r.reference << r.reloading << QString::fromUtf8(r.typed) << r.marked
                << r.after;
}

void TestRangePanel::changeMarking() {
    QFETCH(int, field);
    QFETCH(QVariant, reference);
    QFETCH(bool, reloading);
    QFETCH(QString, typed);
    QFETCH(bool, marked);
    QFETCH(QVariant, referenceAfter);

    GuiFixture fx;
    Form1 &f = *fx.form;
    const RangeField rf = rangeField(f, field);
    rf.edit->setText(QStringLiteral("sentinel")); // so that the typed text is a change
    *rf.reference = reference;
    f.ReloadingRange = reloading;

    rf.edit->setText(typed); // runs the change handler through the window's wiring

    QCOMPARE(!rf.marker->isHidden(), marked);
    QVERIFY2(marked ? looksChanged(rf.edit) : looksNormal(rf.edit),
             qPrintable(textColour(rf.edit).name() + QLatin1String(" on ") +
                        baseColour(rf.edit).name()));
    QCOMPARE(*rf.reference, referenceAfter.isValid() ? referenceAfter : reference);
    // The other field is never touched by this one's handler.
    const RangeField other = rangeField(f, field == 4 ? 5 : 4);
    QVERIFY(other.marker->isHidden());
}

void TestRangePanel::typingBackClearsMarking() {
    GuiFixture fx;
    Form1 &f = *fx.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.Text4->setText(Format(0, QStringLiteral("#0.0#")));
    f.ZeroAsRead = f.Text4->text();
    f.Text4->setFocus();
    QTRY_VERIFY(f.Text4->hasFocus());

    f.Text4->selectAll();
    QTest::keyClicks(f.Text4, QStringLiteral("1"));
    QCOMPARE(f.Text4->text(), QStringLiteral("1"));
    QVERIFY(!f.Label16->isHidden());
    QVERIFY(looksChanged(f.Text4));

    f.Text4->selectAll();
    QTest::keyClicks(f.Text4, QStringLiteral("0,0"));
    QVERIFY(f.Label16->isHidden());
    QVERIFY(looksNormal(f.Text4));

    QTest::keyClicks(f.Text4, QStringLiteral("1"));
    QVERIFY(!f.Label16->isHidden());
    // Deleting the typed digit goes through the key handler, which puts the loaded zero back.
    QTest::keyClick(f.Text4, Qt::Key_Backspace);
    QCOMPARE(f.Text4->text(), PlainNumberText(0));
    QVERIFY(f.Label16->isHidden());
    QVERIFY(looksNormal(f.Text4));
}

void TestRangePanel::keys_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QVariant>("zeroReference");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("marked");

    const QString threeDecimals = QStringLiteral("#0.000#");
    const QVariant loaded(1.25);
    QTest::newRow("Text4 Enter reformats 2,5 and moves on")
        << 4 << loaded << "2,5" << int(Qt::Key_Return) << Format(2.5, threeDecimals) << "Text5"
        << true;
    QTest::newRow("Text4 keypad Enter works the same")
        << 4 << loaded << "2,5" << int(Qt::Key_Enter) << Format(2.5, threeDecimals) << "Text5"
        << true;
    QTest::newRow("Text4 Enter on the loaded value stays unmarked")
        << 4 << loaded << "1.25" << int(Qt::Key_Return) << Format(1.25, threeDecimals) << "Text5"
        << false;
    QTest::newRow("Text4 Enter on text without a number")
        << 4 << loaded << "abc" << int(Qt::Key_Return) << Format(0, threeDecimals) << "Text5"
        << true;
    QTest::newRow("Text4 Esc restores the loaded zero and moves on")
        << 4 << loaded << "7" << int(Qt::Key_Escape) << Format(1.25, threeDecimals) << "Text5"
        << false;
    QTest::newRow("Text4 Esc with a zero kept as text")
        << 4 << QVariant(QStringLiteral("1,25")) << "7" << int(Qt::Key_Escape)
        << Format(1.25, threeDecimals) << "Text5" << false;
    QTest::newRow("Text4 Backspace restores the loaded zero and stays")
        << 4 << loaded << "7" << int(Qt::Key_Backspace) << PlainNumberText(1.25) << "Text4"
        << false;
    QTest::newRow("Text4 Backspace with a zero kept as text")
        << 4 << QVariant(QStringLiteral("1,25")) << "79" << int(Qt::Key_Backspace)
        << PlainNumberText(1.25) << "Text4" << false;
    QTest::newRow("Text5 Enter reformats 12,5 and moves to Send")
        << 5 << loaded << "12,5" << int(Qt::Key_Return) << Format(12.5, threeDecimals) << "Command3"
        << true;
    QTest::newRow("Text5 Esc changes nothing")
        << 5 << loaded << "12,5" << int(Qt::Key_Escape) << "12,5"
        << "Text5" << true;
    QTest::newRow("Text5 Backspace is an ordinary backspace")
        << 5 << loaded << "12,5" << int(Qt::Key_Backspace) << "12,"
        << "Text5" << true;
}

void TestRangePanel::keys() {
    QFETCH(int, field);
    QFETCH(QVariant, zeroReference);
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    QFETCH(bool, marked);

    GuiFixture fx;
    Form1 &f = *fx.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.ZeroAsRead = zeroReference;
    f.SpanAsRead = QStringLiteral("10.00");
    const RangeField rf = rangeField(f, field);
    rf.edit->setText(start);
    rf.edit->setFocus();
    QTRY_VERIFY(rf.edit->hasFocus());
    rf.edit->end(false);

    // Through the window's event filter, which runs the key handler before the field sees the
    // key and then lets the key through.
    QTest::keyClick(rf.edit, Qt::Key(key));

    QCOMPARE(rf.edit->text(), text);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(!rf.marker->isHidden(), marked);
    QVERIFY(marked ? looksChanged(rf.edit) : looksNormal(rf.edit));
    // Text the program wrote has the insertion point at its start.
    if (field == 4 || key == Qt::Key_Return || key == Qt::Key_Enter)
        QCOMPARE(rf.edit->cursorPosition(), 0);
}

void TestRangePanel::unitChange_data() {
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<float>("upper");
    QTest::addColumn<float>("lower");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("reloading");
    QTest::addColumn<bool>("zeroMarked");
    QTest::addColumn<bool>("spanMarked");

    QTest::newRow("mBar to Bar, zero 0 span 1000")
        << 8 << 1000.f << 0.f << 5 << false << false << true;
    QTest::newRow("mBar to mBar only reformats")
        << 8 << 1000.f << 0.f << 6 << false << false << false;
    QTest::newRow("mH2O to mBar, zero 2 span 8")
        << 240 << 10.f << 2.f << 6 << false << true << true;
    QTest::newRow("mH2O to InH2O") << 240 << 10.f << 0.f << 0 << false << false << true;
    QTest::newRow("mBar to Unknown converts out of mBar only")
        << 8 << 1000.f << 0.f << kUnknownIndex << false << false << true;
    QTest::newRow("mBar to Bar while reloading marks nothing")
        << 8 << 1000.f << 0.f << 5 << true << false << false;
}

void TestRangePanel::unitChange() {
    QFETCH(int, unitCode);
    QFETCH(float, upper);
    QFETCH(float, lower);
    QFETCH(int, index);
    QFETCH(bool, reloading);
    QFETCH(bool, zeroMarked);
    QFETCH(bool, spanMarked);

    GuiFixture fx;
    fx.device.config().unitCode = quint8(unitCode);
    fx.device.config().upperRange = upper;
    fx.device.config().lowerRange = lower;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    const DeviceRecord before = f.Dev;
    const QString from = before.UnitName;
    const QString to = Module1::UnitNameFromIndex(index);
    QVERIFY(f.Label16->isHidden());
    QVERIFY(f.Label15->isHidden());
    const int sent = int(fx.device.trace().size());
    f.ReloadingRange = reloading;

    chooseUnit(f, index);

    const QString one = QStringLiteral("#0.0#"), two = QStringLiteral("#0.00#");
    const double lrv = Module1::ConvertPressure(before.LowerRangeValue, from, to);
    const double urv = Module1::ConvertPressure(before.UpperRangeValue, from, to);
    QCOMPARE(f.Dev.PreviousUnitName, from);
    QCOMPARE(f.Dev.UnitName, to);
    QCOMPARE(f.Text1->text(), Format(Module1::ConvertPressure(before.MinimumSpan, from, to), one));
    QCOMPARE(f.Text2->text(),
             Format(Module1::ConvertPressure(before.UpperSensorLimit, from, to), one));
    QCOMPARE(f.Text3->text(),
             Format(Module1::ConvertPressure(before.LowerSensorLimit, from, to), one));
    QCOMPARE(f.Text4->text(), Format(lrv, two));
    QCOMPARE(f.Text5->text(), Format(urv - lrv, two));
    QCOMPARE(f.Dev.Span, urv - lrv);
    for (QLabel *l : f.Label9)
        QCOMPARE(l->text(), to);
    QCOMPARE(!f.Label16->isHidden(), zeroMarked);
    QCOMPARE(!f.Label15->isHidden(), spanMarked);
    QVERIFY(zeroMarked ? looksChanged(f.Text4) : looksNormal(f.Text4));
    QVERIFY(spanMarked ? looksChanged(f.Text5) : looksNormal(f.Text5));
    // A unit change is only shown; nothing goes to the transmitter.
    spinUntil([] { return false; }, 20);
    QCOMPARE(int(fx.device.trace().size()), sent);
    QVERIFY(!f.HartX1->isBusy());
}

void TestRangePanel::refreshLeavesFieldsUnmarked_data() {
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<float>("upper");
    QTest::addColumn<float>("lower");

    // The read shows two decimals and the unit list then three: values with a third decimal
    // must not come up "Changed" after a refresh.
    QTest::newRow("mH2O 0.125 to 10.25") << 240 << 10.25f << 0.125f;
    QTest::newRow("mBar 0 to 980.665") << 8 << 980.665f << 0.f;
    QTest::newRow("mH2O 0 to 10") << 240 << 10.f << 0.f;
}

void TestRangePanel::refreshLeavesFieldsUnmarked() {
    QFETCH(int, unitCode);
    QFETCH(float, upper);
    QFETCH(float, lower);

    GuiFixture fx;
    fx.device.config().unitCode = quint8(unitCode);
    fx.device.config().upperRange = upper;
    fx.device.config().lowerRange = lower;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    QVERIFY(!f.ReloadingRange);

    for (int pass = 0; pass < 2; ++pass) {
        f.session->SendIdentify(); // what Connect/Refresh runs
        QVERIFY(spinUntil([&] { return f.Timer1->isActive(); }));
        QVERIFY(f.Label16->isHidden());
        QVERIFY(f.Label15->isHidden());
        QVERIFY(looksNormal(f.Text4));
        QVERIFY(looksNormal(f.Text5));
        QCOMPARE(Module1::NumberOf(f.Text4->text()),
                 Module1::NumberOf(Format(double(lower), QStringLiteral("#0.00#"))));
        f.session->Timer1_Timer();
        QVERIFY(spinIdle(fx));
    }
    // Typing is still marked against what was read.
    f.Text5->setText(QStringLiteral("3"));
    QVERIFY(!f.Label15->isHidden());
    f.Text5->setText(Format(double(upper) - double(lower), QStringLiteral("#0.00#")));
    QVERIFY(f.Label15->isHidden());
}

void TestRangePanel::sendWritesUnitAndRange_data() {
    QTest::addColumn<QString>("zero");
    QTest::addColumn<QString>("span");
    QTest::addColumn<float>("lower");
    QTest::addColumn<float>("upper");

    QTest::newRow("zero 2 span 10") << "2"
                                    << "10" << 2.f << 12.f;
    QTest::newRow("zero 0,5 span 2") << "0,5"
                                     << "2" << .5f << 2.5f;
    QTest::newRow("zero 1,5 span 4.5") << "1,5"
                                       << "4.5" << 1.5f << 6.f;
}

void TestRangePanel::sendWritesUnitAndRange() {
    QFETCH(QString, zero);
    QFETCH(QString, span);
    QFETCH(float, lower);
    QFETCH(float, upper);

    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    QVERIFY(startMonitoring(fx));
    f.Text4->setText(zero);
    f.Text5->setText(span);
    QVERIFY(!f.Label16->isHidden());
    fx.device.clearTrace();

    f.Command3->click();

    QVERIFY(!f.Timer5->isActive()); // the poll is stopped before anything is sent
    QVERIFY(f.Label16->isHidden());
    QVERIFY(f.Label15->isHidden());
    QVERIFY(looksNormal(f.Text4));
    QVERIFY(looksNormal(f.Text5));
    QCOMPARE(f.ZeroAsRead, QVariant(zero));
    QCOMPARE(f.SpanAsRead, QVariant(span));

    // The fields' numbers, in this machine's notation, reach the transmitter.
    QVERIFY(spinUntil([&] { return f.Timer2->isActive(); }));
    QCOMPARE(fx.commandsSeen(), (QList<int>{44, 35}));
    QCOMPARE(fx.device.config().lowerRange, lower);
    QCOMPARE(fx.device.config().upperRange, upper);
    QVERIFY(fx.boxes().isEmpty());
}

void TestRangePanel::unknownUnitRefused() {
    GuiFixture fx;
    fx.device.config().unitCode = 8;
    fx.device.config().upperRange = 1000.f;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    QVERIFY(startMonitoring(fx));
    chooseUnit(f, kUnknownIndex);
    QCOMPARE(f.Label9[3]->text(), Module1::kUnknownUnit);
    QVERIFY(!f.Label15->isHidden());
    fx.device.clearTrace();
    fx.clearBoxes();

    f.Command3->click();

    QCOMPARE(fx.boxes().size(), 1); // the session refuses the unit
    QVERIFY(f.Label16->isHidden());
    QVERIFY(f.Label15->isHidden());
    QVERIFY(looksNormal(f.Text4));
    QVERIFY(looksNormal(f.Text5));
    QCOMPARE(f.ZeroAsRead, QVariant(f.Text4->text()));
    QCOMPARE(f.SpanAsRead, QVariant(f.Text5->text()));
    // Nothing was sent, and the monitoring the button paused stays paused.
    spinUntil([] { return false; }, 50);
    QVERIFY(fx.commandsSeen().isEmpty());
    QVERIFY(!f.Timer5->isActive());
    QVERIFY(!f.HartX1->isBusy());
}

void TestRangePanel::rangeEndFromAppliedPressure_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("command"); // 0: nothing sent after the reading

    QTest::newRow("4 mA, OK") << "Command7" << int(vbOK) << 37;
    QTest::newRow("20 mA, OK") << "Command6" << int(vbOK) << 36;
    QTest::newRow("4 mA, Cancel") << "Command7" << int(vbCancel) << 0;
    QTest::newRow("20 mA, Cancel") << "Command6" << int(vbCancel) << 0;
}

void TestRangePanel::rangeEndFromAppliedPressure() {
    QFETCH(QString, button);
    QFETCH(int, answer);
    QFETCH(int, command);

    GuiFixture fx;
    fx.device.setNoise(false);
    fx.device.setAppliedPressure(3.0); // mH2O, inside the default range 0..10
    fx.device.settle();
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    QVERIFY(startMonitoring(fx));
    fx.device.clearTrace();
    fx.clearBoxes();
    fx.answers.push_back(answer);

    f.findChild<QPushButton *>(button)->click();

    QVERIFY(!f.Timer5->isActive());
    QVERIFY(f.ReloadingRange);
    QVERIFY(spinUntil([&] { return !fx.boxes().isEmpty() && !f.HartX1->isBusy(); }));

    if (command == 0) {
        spinUntil([] { return false; }, 50);
        QCOMPARE(fx.commandsSeen(), QList<int>{3});
        QVERIFY(!f.Timer5->isActive()); // monitoring stays paused
        // Until the next read, edits are taken as references, not marked.
        QVERIFY(f.ReloadingRange);
        f.Text4->setText(QStringLiteral("4"));
        QVERIFY(f.Label16->isHidden());
        QCOMPARE(f.ZeroAsRead, QVariant(QStringLiteral("4")));
        return;
    }

    QVERIFY(spinUntil([&] { return f.Timer4->isActive(); }));
    QCOMPARE(fx.commandsSeen(), (QList<int>{3, command}));
    const float expectedLower = fx.device.config().lowerRange;
    const float expectedUpper = fx.device.config().upperRange;
    QCOMPARE(command == 37 ? expectedLower : expectedUpper, 3.0f); // the applied pressure

    // Timer4's tick re-reads the transmitter; the new range arrives unmarked.
    f.Text4->setText(QStringLiteral("99")); // an edit the re-read must replace
    f.session->Timer4_Timer();
    QVERIFY(spinUntil([&] { return f.Timer1->isActive(); }));
    QCOMPARE(fx.commandsSeen().mid(2), (QList<int>{0, 13, 15, 14, 129}));
    QVERIFY(!f.ReloadingRange);
    const QString two = QStringLiteral("#0.00#");
    QCOMPARE(f.Text4->text(), Format(expectedLower, two));
    QCOMPARE(f.Text5->text(), Format(double(expectedUpper) - double(expectedLower), two));
    QVERIFY(f.Label16->isHidden());
    QVERIFY(f.Label15->isHidden());
    QVERIFY(looksNormal(f.Text4));
    QVERIFY(looksNormal(f.Text5));
    QCOMPARE(fx.boxes().size(), 1);
}

void TestRangePanel::otherDecimalSeparator() {
    if (!qEnvironmentVariableIsEmpty("ZANU_EXPECT_DECIMAL_POINT"))
        QSKIP("already the run with the other separator");
    const bool comma = QLocale::system().decimalPoint() == QLatin1String(",");
    const QString locale = comma ? QStringLiteral("en_US.UTF-8") : QStringLiteral("de_DE.UTF-8");

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LC_NUMERIC"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("ZANU_EXPECT_DECIMAL_POINT"),
               comma ? QStringLiteral(".") : QStringLiteral(","));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("changeMarking"), QStringLiteral("typingBackClearsMarking"),
                 QStringLiteral("keys"), QStringLiteral("unitChange"),
                 QStringLiteral("refreshLeavesFieldsUnmarked"),
                 QStringLiteral("sendWritesUnitAndRange")});
    QVERIFY(child.waitForFinished(120000));
    QByteArrayList problems; // the child's own report, without its passes
    for (const QByteArray &line : child.readAll().split('\n'))
        if (!line.startsWith("PASS")) problems.append(line);
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             problems.join('\n').constData());
}

QTEST_MAIN(TestRangePanel)
#include "test_range_panel.moc"
