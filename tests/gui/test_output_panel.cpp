// The output panel as the window shows it: the output fields and bar, the controls the read
// hides and Timer1 shows, "On" however it is chosen, Enter in the simulation's field and the
// simulation's button. What the poll and the simulation put on the line is the session's
// (tests/session/test_chains.cpp).
#include "gui_test_helper.h"

#include "hart/link/hart_codec.h"
#include "units/module1.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace {

const SimDevice::TraceEntry *lastEntry(const SimDevice &device, int command) {
    const auto &t = device.trace();
    for (auto it = t.crbegin(); it != t.crend(); ++it)
        if (it->command == command) return &*it;
    return nullptr;
}

// The twelve controls the read sequence hides and Timer1 shows again.
QList<QWidget *> dataControls(Form1 &f) {
    return {f.Label12, f.Text7,  f.Command8, f.Frame2,  f.Frame3,   f.Frame4,
            f.Frame5,  f.Frame6, f.Frame7,   f.Label11, f.Command5, f.Text8};
}

} // namespace

class TestOutputPanel : public QObject {
    Q_OBJECT
private slots:
    void outputShownAndCleared();
    void onHoweverChosenReadsOnce_data();
    void onHoweverChosenReadsOnce();
    void readHidesControlsUntilTimer1();
    void timer4ResetsOutputBar();
    void enterInSimulationField();
    void simulationButton();
};

void TestOutputPanel::outputShownAndCleared() {
    GuiFixture fx;
    fx.device.setNoise(false);
    fx.device.setAppliedPressure(5.0); // half of the default 0..10 mH2O: 12 mA, 50 %
    fx.device.settle();
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    QVERIFY(startMonitoring(fx));
    const SimDevice::TraceEntry *poll = lastEntry(fx.device, 2);
    QVERIFY(poll);
    const float current = hart::getFloat(poll->replyData, 0);
    const float percent = hart::getFloat(poll->replyData, 4);
    QVERIFY(qAbs(current - 12.f) < 0.01f);
    QCOMPARE(f.Text9[0]->text(), Module1::Format(current, QStringLiteral("#.000 ")));
    QCOMPARE(f.Text9[1]->text(), Module1::Format(percent, QStringLiteral("#0.0#")));
    QCOMPARE(f.ProgressBar2->value(), qRound(double(percent) * 100));

    f.Option3[0]->click();
    QVERIFY(f.Text9[0]->text().isEmpty());
    QVERIFY(f.Text9[1]->text().isEmpty());
    QCOMPARE(f.ProgressBar2->value(), 0);
    QVERIFY(!f.Timer5->isActive());
}

// "On" however chosen reads once; so does "On" clicked again where a button paused its poll.
void TestOutputPanel::onHoweverChosenReadsOnce_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("onBefore");
    for (const char *how : {"mouse", "space", "arrow", "toggle", "press"})
        QTest::newRow(how) << how << false;
    QTest::newRow("mouse, On paused") << "mouse" << true;
}

void TestOutputPanel::onHoweverChosenReadsOnce() {
    QFETCH(QString, how);
    QFETCH(bool, onBefore);
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f) && (!onBefore || startMonitoring(fx)));
    f.Timer5->stop(); // as a Send button whose sequence ended without Timer2
    fx.device.clearTrace();
    QRadioButton *on = f.Option3[1], *focus = how == "arrow" ? f.Option3[0] : on;
    focus->setFocus();
    if (how == "mouse") QTest::mouseClick(on, Qt::LeftButton);
    if (how == "space" || how == "arrow")
        QTest::keyClick(focus, how == "space" ? Qt::Key_Space : Qt::Key_Left);
    if (how == "toggle" || how == "press")
        QAccessible::queryAccessibleInterface(on)->actionInterface()->doAction(
            how == "toggle" ? QAccessibleActionInterface::toggleAction()
                            : QAccessibleActionInterface::pressAction());
    QVERIFY(spinUntil([&] { return on->isChecked() && f.Timer5->isActive(); }) && spinIdle(fx));
    QCOMPARE(fx.commandsSeen(), QList<int>{2});
}

void TestOutputPanel::readHidesControlsUntilTimer1() {
    GuiFixture fx;
    Form1 &f = *fx.form;
    f.Form_Load();
    QVERIFY(spinUntil([&] { return f.Timer1->isActive(); }));
    for (QWidget *w : dataControls(f))
        QVERIFY2(w->isHidden(), qPrintable(w->objectName()));

    f.session->Timer1_Timer();

    for (QWidget *w : dataControls(f))
        QVERIFY2(!w->isHidden(), qPrintable(w->objectName()));
    QCOMPARE(MousePointer(), int(vbDefault));
    QCOMPARE(f.ProgressBar1->value(), 0);
    QVERIFY(spinIdle(fx));
}

void TestOutputPanel::timer4ResetsOutputBar() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    f.ProgressBar2->setRange(0, 500);
    f.ProgressBar2->setValue(300);

    f.session->Timer4_Timer();

    QCOMPARE(f.ProgressBar2->minimum(), 0);
    QCOMPARE(f.ProgressBar2->maximum(), 10000);
    QCOMPARE(f.ProgressBar2->value(), 0);
    QVERIFY(spinUntil([&] { return f.Timer1->isActive(); }));
}

// Enter in the simulation's field goes through the window's key filter to the session, and the
// field keeps the focus for the next current; other keys send nothing.
void TestOutputPanel::enterInSimulationField() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.Text8->setFocus();
    QTRY_VERIFY(f.Text8->hasFocus());
    fx.device.clearTrace();

    f.Text8->setText(QStringLiteral("4.00"));
    f.Text8_KeyPress('1');
    QVERIFY(!f.HartX1->isBusy());
    QTest::keyClick(f.Text8, Qt::Key_Return);

    QCOMPARE(f.Command5->text(), QStringLiteral("Abort"));
    QCOMPARE(MousePointer(), int(vbArrowHourglass));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.Text8));
    QVERIFY(spinIdle(fx));
    QCOMPARE(fx.commandsSeen(), QList<int>{40});
}

void TestOutputPanel::simulationButton() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    QVERIFY(startMonitoring(fx));
    f.Text8->setText(QStringLiteral("12"));

    f.Command5->click();

    // The poll stops and the output fields are cleared at once, before the transmitter answers.
    QCOMPARE(f.Command5->text(), QStringLiteral("Abort"));
    QCOMPARE(MousePointer(), int(vbArrowHourglass));
    QVERIFY(f.Text9[0]->text().isEmpty());
    QVERIFY(f.Text9[1]->text().isEmpty());
    QCOMPARE(f.ProgressBar2->value(), 0);
    QVERIFY(spinIdle(fx));

    f.Command5->click();
    QCOMPARE(f.Command5->text(), QStringLiteral("Send"));
    QCOMPARE(MousePointer(), int(vbDefault));
    QVERIFY(spinIdle(fx));
    QVERIFY(!fx.device.config().fixedCurrent.has_value());
}

QTEST_MAIN(TestOutputPanel)
#include "test_output_panel.moc"
