// The window by keyboard, wheel and screen reader: Enter presses the focused button, the wheel
// leaves an unfocused unit list alone, and labels whose text changes are read with that text.
#include "gui_test_helper.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWheelEvent>
#include <QtTest>

namespace {

// The window on screen and active, its panels revealed, monitoring off and the trace empty.
bool activeAndQuiet(GuiFixture &fx) {
    if (!loadAndReveal(fx)) return false;
    fx.form->show();
    fx.form->activateWindow();
    if (!QTest::qWaitForWindowActive(fx.form.get())) return false;
    fx.device.clearTrace();
    return true;
}

} // namespace

class TestKeyboardAccess : public QObject {
    Q_OBJECT
private slots:
    void keysOnButtons_data();
    void keysOnButtons();
    void wheelOverUnitList_data();
    void wheelOverUnitList();
    void changingLabelsReadTheirText();
};

void TestKeyboardAccess::keysOnButtons_data() {
    QTest::addColumn<QString>("start"); // the control that has the focus first
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("focus"); // after the first key
    QTest::addColumn<QList<int>>("commands");

    const int enter = Qt::Key_Return;
    QTest::newRow("Enter in Span, Enter on Send")
        << "Text5" << QList<int>{enter, enter} << "Command3" << QList<int>{44, 35};
    QTest::newRow("Enter in Span only")
        << "Text5" << QList<int>{enter} << "Command3" << QList<int>{};
    QTest::newRow("Enter on damping Send")
        << "Command4" << QList<int>{enter} << "Command4" << QList<int>{34, 152};
    QTest::newRow("keypad Enter on tag Send")
        << "Command8" << QList<int>{int(Qt::Key_Enter)} << "Command8" << QList<int>{18};
    QTest::newRow("Space on damping Send")
        << "Command4" << QList<int>{int(Qt::Key_Space)} << "Command4" << QList<int>{34, 152};
}

void TestKeyboardAccess::keysOnButtons() {
    QFETCH(QString, start);
    QFETCH(QList<int>, keys);
    QFETCH(QString, focus);
    QFETCH(QList<int>, commands);

    GuiFixture fx;
    QVERIFY(activeAndQuiet(fx));
    auto *first = fx.form->findChild<QWidget *>(start);
    first->setFocus();
    QVERIFY(first->hasFocus());
    for (int i = 0; i < keys.size(); ++i) {
        QWidget *target = QApplication::focusWidget();
        const auto modifier = keys[i] == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(target, Qt::Key(keys[i]), modifier);
        if (i == 0) QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }
    QVERIFY(spinIdle(fx));
    spinFor(20);
    QCOMPARE(fx.commandsSeen(), commands);
}

void TestKeyboardAccess::wheelOverUnitList_data() {
    QTest::addColumn<bool>("focused");
    QTest::newRow("list without focus") << false;
    QTest::newRow("list with focus") << true;
}

void TestKeyboardAccess::wheelOverUnitList() {
    QFETCH(bool, focused);
    GuiFixture fx;
    QVERIFY(activeAndQuiet(fx));
    Form1 &f = *fx.form;
    (focused ? static_cast<QWidget *>(f.Combo1) : f.Text6)->setFocus();
    const QString unit = f.Dev.UnitName;
    const QString span = f.Text5->text();

    const QPoint at = f.Combo1->rect().center();
    QWheelEvent notch(at, f.Combo1->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.Combo1, &notch);

    QCOMPARE(f.Dev.UnitName != unit, focused);
    QCOMPARE(f.Text5->text() != span, focused);
    QCOMPARE(f.Label15->isVisible(), focused);
}

void TestKeyboardAccess::changingLabelsReadTheirText() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    const auto nameOf = [](QWidget *w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    for (QLabel *unit : f.Label9) {
        QCOMPARE(nameOf(unit), QStringLiteral("mH2O"));
        QVERIFY(!unit->accessibleDescription().isEmpty()); // what the unit belongs to
    }
    for (QLabel *panel : f.StatusPanel) {
        QVERIFY(!panel->text().isEmpty());
        QCOMPARE(nameOf(panel), panel->text());
    }
    QVERIFY(nameOf(f.StatusPanel[1]).startsWith(QStringLiteral("Transmitter Serialnumber: ")));
}

QTEST_MAIN(TestKeyboardAccess)
#include "test_keyboard_access.moc"
