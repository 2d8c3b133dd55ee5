// The guided loop check on the simulated transmitter: however it ends, the last word on the line
// is command 40 at 0 mA; the main window is locked while it runs and given back exactly.
#include "loop_check_helper.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include <utility>

using namespace loopcheck;

class TestLoopCheck : public QObject {
    Q_OBJECT
private slots:
    void everyExitReleasesTheLoop_data();
    void everyExitReleasesTheLoop();
    void unansweredReleaseIsSaidAndRetried();
    void fullCheckFillsTheTable();
    void backRepeatsThePreviousPoint();
    void percentToleranceAtItsEdge();
    void mainWindowLockedAndRestoredExactly();
    void refusedWhileTheCurrentIsSimulated();
    void settingsOutsideTheLoopAreRefused_data();
    void settingsOutsideTheLoopAreRefused();
};

void TestLoopCheck::everyExitReleasesTheLoop_data() {
    QTest::addColumn<QString>("exit");
    QTest::addColumn<int>("readingsFirst"); // points answered before leaving
    QTest::newRow("finish") << "finish" << 2;
    QTest::newRow("cancel at first point") << "cancel" << 0;
    QTest::newRow("cancel at last point") << "cancel" << 1;
    QTest::newRow("close its window") << "close" << 1;
    QTest::newRow("close the main window") << "main" << 1;
    QTest::newRow("Exit in the main window's menu") << "exitmenu" << 0;
}

void TestLoopCheck::everyExitReleasesTheLoop() {
    QFETCH(QString, exit);
    QFETCH(int, readingsFirst);
    GuiFixture f;
    QVERIFY(chain::settle(f));
    f.form->show();
    LoopCheckWindow *w = open(f);
    QVERIFY(w->startCheck());
    for (int i = 0; i < readingsFirst; ++i) {
        QVERIFY(awaiting(w, i));
        type(w, QStringLiteral("4.01"));
    }
    if (exit != QLatin1String("finish")) {
        QVERIFY(awaiting(w, readingsFirst));
        QVERIFY(f.device.config().fixedCurrent.has_value());
    }
    if (exit == QLatin1String("cancel")) w->cancelButton->click();
    if (exit == QLatin1String("close")) QVERIFY(!w->close()); // refused until released
    if (exit == QLatin1String("main")) QVERIFY(!f.form->close());
    if (exit == QLatin1String("exitmenu")) f.form->Exitform->trigger();

    QVERIFY(finished(w));
    QVERIFY2(endedReleased(f),
             qPrintable(
                 QStringLiteral("40 requests: %1").arg(QString::number(fixedCurrents(f).size()))));
    QVERIFY(f.form->Records->lastLoopCheck().has_value());
    QVERIFY(f.form->Records->lastLoopCheck()->releaseConfirmed);
    QCOMPARE(f.form->Records->lastLoopCheck()->cancelled, exit != QLatin1String("finish"));
    const bool mainGoes = exit == QLatin1String("main") || exit == QLatin1String("exitmenu");
    const bool windowGoes = mainGoes || exit == QLatin1String("close");
    QVERIFY(spinUntil([&] { return f.form->isVisible() != mainGoes; }));
    QCOMPARE(w->isVisible(), !windowGoes);
    QVERIFY(f.boxes().isEmpty());
}

void TestLoopCheck::unansweredReleaseIsSaidAndRetried() {
    GuiFixture f;
    QVERIFY(chain::settle(f));
    f.form->show();
    LoopCheckWindow *w = open(f);
    QVERIFY(w->startCheck());
    QVERIFY(awaiting(w, 0));
    // The transmitter goes quiet just as the loop is to be let go. The engineer is told, retries
    // at once (still quiet), declines the next offer, and later retries with the button.
    f.device.setSilent(-1);
    QList<MsgBoxSeam::Shown> shown;
    bool retried = false;
    MsgBoxSeam::setScript([&](const MsgBoxSeam::Shown &box) {
        shown.append(box);
        return int(std::exchange(retried, true) ? vbCancel : vbRetry);
    });
    w->cancelButton->click();
    QVERIFY(spinUntil([&] { return shown.size() == 2; }, 20000));
    for (const MsgBoxSeam::Shown &box : shown) {
        QCOMPARE(box.buttons, int(vbRetryCancel));
        QVERIFY2(box.prompt.contains(QLatin1String("could not be ended")), qPrintable(box.prompt));
    }
    QCOMPARE(w->procedure().state(), LoopCheckProcedure::State::ReleaseFailed);
    QVERIFY(w->isVisible());
    QVERIFY(w->mainWindowLocked());
    QVERIFY(w->retryButton->isEnabled());
    QVERIFY(w->stepLabel->text().contains(QLatin1String("NOT been confirmed")));

    f.device.setSilent(0);
    w->retryButton->click();
    QVERIFY(finished(w));
    QVERIFY(endedReleased(f));
    QVERIFY(f.form->Records->lastLoopCheck()->releaseConfirmed);
    QCOMPARE(shown.size(), 2);

    // Closing the program with the release unconfirmed asks once, even if its window closes too.
    QVERIFY(w->startCheck());
    QVERIFY(awaiting(w, 0));
    f.device.setSilent(-1);
    shown.clear();
    MsgBoxSeam::setScript([&](const MsgBoxSeam::Shown &box) {
        shown.append(box);
        w->close();
        return int(vbCancel);
    });
    QVERIFY(!f.form->close());
    QVERIFY(spinUntil([&] { return !f.form->isVisible(); }, 20000));
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].prompt.contains(QLatin1String("Leave loop fixed closes the program")));
    QCOMPARE(shown[0].buttonTexts.last(), QStringLiteral("&Leave loop fixed and exit"));
    QVERIFY(!f.form->Records->lastLoopCheck()->releaseConfirmed);
    QVERIFY(!w->isVisible());
}

void TestLoopCheck::fullCheckFillsTheTable() {
    GuiFixture f;
    QVERIFY(chain::settle(f));
    LoopCheckWindow *w = open(f, QStringLiteral("4; 12,5; 20"));
    w->toleranceEdit->setText(QStringLiteral("0,05"));
    QVERIFY(w->startCheck());
    QVERIFY(awaiting(w, 0));
    type(w, QStringLiteral("4,05")); // exactly the tolerance
    QVERIFY(awaiting(w, 1));
    type(w, QStringLiteral("skip"));
    QVERIFY(awaiting(w, 2));
    type(w, QStringLiteral("abc")); // not a reading: asked again, nothing sent
    QCOMPARE(w->procedure().state(), LoopCheckProcedure::State::AwaitingReading);
    type(w, QStringLiteral(" 19.949 "));
    QVERIFY(finished(w));
    QCOMPARE(fixedCurrents(f), (QList<float>{4.0f, 12.5f, 20.0f, 0.0f}));
    // Each point was read back after its current was fixed.
    QCOMPARE(f.commandsSeen(), (QList<int>{40, 2, 40, 2, 40, 2, 40}));
    const LoopCheckResult &r = *f.form->Records->lastLoopCheck();
    QCOMPARE(r.points.size(), 3);
    QCOMPARE(*r.points[0].readbackMa, 4.0);
    QCOMPARE(r.pointText(r.points[0]), QStringLiteral("Pass"));
    QCOMPARE(r.pointText(r.points[1]), QStringLiteral("Skipped"));
    QCOMPARE(r.pointText(r.points[2]), QStringLiteral("Fail"));
    QCOMPARE(r.verdict(), LoopCheckResult::Verdict::Failed);
    QCOMPARE(r.tag, QStringLiteral("LT-101"));
    QCOMPARE(w->table->rowCount(), 3);
    QCOMPARE(w->table->item(2, 4)->text(), QStringLiteral("Fail"));
    QCOMPARE(w->table->item(1, 2)->text(), QStringLiteral("skipped"));
    QVERIFY(w->saveButton->isEnabled());
}

void TestLoopCheck::backRepeatsThePreviousPoint() {
    GuiFixture f;
    QVERIFY(chain::settle(f));
    LoopCheckWindow *w = open(f, QStringLiteral("4 8 12"));
    QVERIFY(w->startCheck());
    QVERIFY(awaiting(w, 0));
    w->backButton->click(); // at the first point: the same point again
    QVERIFY(awaiting(w, 0));
    type(w, QStringLiteral("4.2"));
    QVERIFY(awaiting(w, 1));
    w->backButton->click();
    QVERIFY(awaiting(w, 0));
    QVERIFY(!w->procedure().result().points[0].measuredMa); // measured again
    QCOMPARE(w->table->item(0, 2)->text(), QString());
    type(w, QStringLiteral("4"));
    QVERIFY(awaiting(w, 1));
    w->cancelButton->click();
    QVERIFY(finished(w));
    QCOMPARE(fixedCurrents(f), (QList<float>{4.0f, 4.0f, 8.0f, 4.0f, 8.0f, 0.0f}));
    QCOMPARE(*f.form->Records->lastLoopCheck()->points[0].measuredMa, 4.0);
}

void TestLoopCheck::percentToleranceAtItsEdge() {
    GuiFixture f;
    QVERIFY(chain::settle(f));
    LoopCheckWindow *w = open(f, QStringLiteral("12"));
    w->toleranceEdit->setText(QStringLiteral("0.5"));
    w->toleranceUnit->setCurrentIndex(1);
    QVERIFY(w->startCheck());
    QVERIFY(awaiting(w, 0));
    type(w, QStringLiteral("12.08")); // 0.5 % of the 16 mA span
    QVERIFY(finished(w));
    QCOMPARE(w->verdictLabel->text(),
             local("Result: Passed (tolerance ±0.500 % of span (±0.080 mA))."));
}

void TestLoopCheck::mainWindowLockedAndRestoredExactly() {
    GuiFixture f;
    QVERIFY(chain::settle(f));
    Form1 &m = *f.form;
    QVERIFY(startMonitoring(f));
    m.Compoort->setEnabled(false); // already off before the check: stays off after it
    LoopCheckWindow *w = open(f);
    QVERIFY(w->startCheck());
    QVERIFY(awaiting(w, 0));
    QVERIFY(!m.Frame1->isEnabled());
    QVERIFY(!m.Command2->isEnabled());
    QVERIFY(!m.ConnectMenu->isEnabled());
    QVERIFY(m.Exitform->isEnabled());
    QVERIFY(m.Command1->isEnabled());
    QCOMPARE(MousePointer(), int(vbArrowHourglass));
    // No poll slips in while the loop is fixed, and the main window shows nothing of the check.
    spinFor(1500);
    QVERIFY(!m.Timer5->isActive());
    QVERIFY(m.Text9[0]->text().isEmpty() || m.Text9[0]->text() != QLatin1String("4.000 "));
    w->cancelButton->click();
    QVERIFY(finished(w));
    QVERIFY(m.Frame1->isEnabled());
    QVERIFY(m.Command2->isEnabled());
    QVERIFY(m.ConnectMenu->isEnabled());
    QVERIFY(!m.Compoort->isEnabled());
    QCOMPARE(MousePointer(), int(vbDefault));
    // Monitoring resumes through the main window's own result handler.
    QVERIFY(m.Timer5->isActive());
    f.device.clearTrace();
    m.session->Timer5_Timer();
    QVERIFY(spinIdle(f));
    QCOMPARE(f.commandsSeen(), QList<int>{2});
    QVERIFY(m.Timer5->isActive());
    QVERIFY(f.boxes().isEmpty());
}

void TestLoopCheck::refusedWhileTheCurrentIsSimulated() {
    GuiFixture f;
    QVERIFY(chain::settle(f));
    f.form->Command5_Click();
    QVERIFY(spinIdle(f));
    f.device.clearTrace();
    LoopCheckWindow *w = open(f);
    QVERIFY(!w->startCheck());
    QCOMPARE(f.boxes().size(), 1);
    QVERIFY(f.boxes().first().prompt.contains(QLatin1String("Current Simulation")));
    QVERIFY(f.device.trace().isEmpty());
    QVERIFY(!w->mainWindowLocked());
    QVERIFY(f.form->Frame1->isEnabled());
}

void TestLoopCheck::settingsOutsideTheLoopAreRefused_data() {
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("tolerance");
    QTest::addColumn<QString>("settling");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("defaults") << "4; 8; 12; 16; 20"
                              << "0.05"
                              << "2" << true;
    QTest::newRow("just inside the loop") << "3.91 20.09"
                                          << "0,05"
                                          << "0" << true;
    QTest::newRow("3.9 excluded") << "3.9; 12"
                                  << "0.05"
                                  << "2" << false;
    QTest::newRow("20.1 excluded") << "4; 20.1"
                                   << "0.05"
                                   << "2" << false;
    QTest::newRow("0 mA would end the mode") << "0"
                                             << "0.05"
                                             << "2" << false;
    QTest::newRow("not a number") << "4; x"
                                  << "0.05"
                                  << "2" << false;
    QTest::newRow("no points") << " ; "
                               << "0.05"
                               << "2" << false;
    QTest::newRow("zero tolerance") << "4"
                                    << "0"
                                    << "2" << false;
    QTest::newRow("negative settling") << "4"
                                       << "0.05"
                                       << "-1" << false;
    QTest::newRow("settling beyond ten minutes") << "4"
                                                 << "0.05"
                                                 << "601" << false;
}

void TestLoopCheck::settingsOutsideTheLoopAreRefused() {
    QFETCH(QString, points);
    QFETCH(QString, tolerance);
    QFETCH(QString, settling);
    QFETCH(bool, accepted);
    GuiFixture f;
    QVERIFY(chain::settle(f));
    LoopCheckWindow *w = open(f, points);
    w->toleranceEdit->setText(tolerance);
    w->settlingEdit->setText(settling);
    QCOMPARE(w->startCheck(), accepted);
    QCOMPARE(f.boxes().size(), accepted ? 0 : 1);
    if (accepted) {
        w->cancelButton->click();
        QVERIFY(finished(w));
    }
    QVERIFY(f.device.trace().isEmpty() || endedReleased(f));
}

QTEST_MAIN(TestLoopCheck)
#include "test_loop_check.moc"
