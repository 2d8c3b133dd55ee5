// What the engineer does, end to end: the window in this process, the real serial line, zanu-sim
// on a pseudo-terminal. Each case checks the commands the transmitter received, in order, and
// that its configuration afterwards holds exactly what was asked for.
#include "e2e_helper.h"

#include "dialogs/pointer.h"
#include "hart/link/hart_codec.h"
#include "units/module1.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

using namespace e2e;

namespace {

QByteArray packedHex(const QString &text, int bytes) {
    return hart::packAscii(text, bytes).toHex();
}

} // namespace

class TestE2eScenarios : public QObject {
    Q_OBJECT

    QJsonObject initial_; // the simulator's configuration before the window touched it

    // Starts a simulator and the window, and runs the read sequence and Timer1's reveal.
    void connectAndReveal(Fixture &fx, const QStringList &simOptions = {}) {
        QString error;
        QVERIFY2(fx.startSim(simOptions, &error), qPrintable(error));
        initial_ = fx.sim().state();
        QVERIFY(!initial_.isEmpty());
        QVERIFY(fx.load());
        QVERIFY2(fx.waitForData(), "the read sequence did not finish");
        QVERIFY(fx.waitIdle());
        VERIFY_REQUESTS(fx, 0, kReadSequence);
        QVERIFY(fx.tick(fx.form->Timer1));
        QVERIFY(fx.waitIdle());
        VERIFY_REQUESTS(fx, 0, kReadSequence + QList<int>{2});
    }

    // After a write chain: its accepted last reply armed Timer2, whose tick ends the busy
    // indication (the damping chain never shows the hourglass; the others do).
    void finishWrite(Fixture &fx, bool hourglassShown = true) {
        QVERIFY2(fx.waitFor([&] { return fx.form->Timer2->isActive(); }),
                 qPrintable(QStringLiteral("the write did not end in Timer2; boxes: %1")
                                .arg(fx.boxTexts().join(QStringLiteral(" | ")))));
        QVERIFY(fx.waitIdle());
        QCOMPARE(MousePointer(), int(hourglassShown ? vbHourglass : vbDefault));
        QVERIFY(fx.tick(fx.form->Timer2));
        QCOMPARE(MousePointer(), int(vbDefault));
        QCOMPARE(fx.form->ProgressBar1->value(), 0);
    }

private slots:
    void connectAndRead() {
        Fixture fx;
        QString error;
        QVERIFY2(fx.startSim({}, &error), qPrintable(error));
        initial_ = fx.sim().state();
        QVERIFY(fx.load());
        Form1 &f = *fx.form;
        QVERIFY(fx.waitForData());
        QVERIFY(fx.waitIdle());
        VERIFY_REQUESTS(fx, 0, kReadSequence);

        // Command 0 goes to the polling address, everything after it to the long address the
        // transmitter gave out.
        const QList<TraceLine> trace = fx.sim().trace();
        QList<bool> longAddress;
        for (const TraceLine &t : trace)
            if (t.request) longAddress << t.longAddress;
        QCOMPARE(longAddress, (QList<bool>{false, true, true, true, true}));

        QCOMPARE(f.Text7->text().trimmed(), QStringLiteral("LT-101"));
        QCOMPARE(f.Combo1->currentText(), QStringLiteral("mH2O"));
        QCOMPARE(Module1::NumberOf(f.Text4->text()), 0.0);
        QCOMPARE(Module1::NumberOf(f.Text5->text()), 10.0);
        QCOMPARE(float(Module1::NumberOf(f.Text6->text())), 0.4f);
        QCOMPARE(Module1::NumberOf(f.Text1->text()), 0.5);
        QCOMPARE(Module1::NumberOf(f.Text2->text()), 20.0);
        QCOMPARE(Module1::NumberOf(f.Text3->text()), 0.0);
        QVERIFY(f.Option1[0]->isChecked());
        QCOMPARE(f.StatusPanel[1]->text(), QStringLiteral("Transmitter Serialnumber: 6801234"));
        QVERIFY(!f.Label15->isVisible());
        QVERIFY(!f.Label16->isVisible());
        // The panels stay hidden until Timer1's tick, which also reads the output once.
        QVERIFY(!f.Frame3->isVisible());
        QCOMPARE(f.ProgressBar1->value(), 100);
        QVERIFY(fx.tick(f.Timer1));
        for (QWidget *w : {static_cast<QWidget *>(f.Frame2), static_cast<QWidget *>(f.Frame3),
                           static_cast<QWidget *>(f.Frame4), static_cast<QWidget *>(f.Frame5),
                           static_cast<QWidget *>(f.Frame6), static_cast<QWidget *>(f.Frame7),
                           static_cast<QWidget *>(f.Text7), static_cast<QWidget *>(f.Command5)})
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        QCOMPARE(MousePointer(), int(vbDefault));
        QCOMPARE(f.ProgressBar1->value(), 0);
        QVERIFY(fx.waitIdle());
        VERIFY_REQUESTS(fx, 0, kReadSequence + QList<int>{2});
        // Monitoring is off: that one read shows nothing and arms no poll.
        QVERIFY(f.Text9[0]->text().isEmpty());
        QVERIFY(!f.Timer5->isActive());

        // Refresh reads the whole transmitter again, the same way.
        const int mark = fx.requestCount();
        f.Command2->click();
        QVERIFY(fx.waitFor([&] { return f.Timer1->isActive(); }));
        QVERIFY(fx.waitIdle());
        VERIFY_REQUESTS(fx, mark, kReadSequence);

        QVERIFY(fx.boxes().isEmpty());
        VERIFY_RESULTS(fx);
        VERIFY_STATE(fx, initial_);
    }

    void unitAndRange_data() {
        QTest::addColumn<int>("unitIndex");
        QTest::addColumn<QString>("zero");
        QTest::addColumn<QString>("span");
        QTest::addColumn<int>("unitCode");
        QTest::addColumn<float>("urv");
        QTest::addColumn<float>("lrv");
        QTest::newRow("mH2O 1 to 6") << 11 << "1"
                                     << "5" << 240 << 6.0f << 1.0f;
        QTest::newRow("Bar, comma typed") << 5 << "0,1"
                                          << "1" << 7 << 1.1f << 0.1f;
        QTest::newRow("kPa from 0") << 8 << "0"
                                    << "50" << 12 << 50.0f << 0.0f;
        QTest::newRow("PSI 2 to 12") << 4 << "2"
                                     << "10" << 6 << 12.0f << 2.0f;
    }

    void unitAndRange() {
        QFETCH(int, unitIndex);
        QFETCH(QString, zero);
        QFETCH(QString, span);
        QFETCH(int, unitCode);
        QFETCH(float, urv);
        QFETCH(float, lrv);
        Fixture fx;
        connectAndReveal(fx);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        const int mark = fx.requestCount();

        f.Combo1->setCurrentIndex(unitIndex);
        f.Combo1_Click();
        f.Text4->setText(zero);
        f.Text5->setText(span);
        f.Command3->click();
        finishWrite(fx);
        if (QTest::currentTestFailed()) return;

        VERIFY_REQUESTS(fx, mark, {44, 35});
        QCOMPARE(fx.sim().lastRequestData(44), QByteArray(1, char(unitCode)));
        QCOMPARE(fx.sim().lastRequestData(35).toHex(),
                 QByteArray(1, char(unitCode)).toHex() + floatHex(urv) + floatHex(lrv));
        VERIFY_STATE(
            fx, withChanges(initial_,
                            {{"unit_code", unitCode}, {"urv", double(urv)}, {"lrv", double(lrv)}}));
        QVERIFY(!f.Label15->isVisible());
        QVERIFY(!f.Label16->isVisible());
        QVERIFY(fx.boxes().isEmpty());
        VERIFY_RESULTS(fx);
    }

    void rangeEndFromPressure_data() {
        QTest::addColumn<bool>("upperEnd");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QJsonObject>("changes");
        // zanu-sim holds 3.75 mH2O on the sensor.
        // Setting the lower end keeps the span: 0..10 becomes 3.75..13.75.
        QTest::newRow("4 mA, confirmed")
            << false << true << QJsonObject{{"lrv", 3.75}, {"urv", 13.75}};
        QTest::newRow("20 mA, confirmed") << true << true << QJsonObject{{"urv", 3.75}};
        QTest::newRow("4 mA, cancelled") << false << false << QJsonObject{};
        QTest::newRow("20 mA, cancelled") << true << false << QJsonObject{};
    }

    void rangeEndFromPressure() {
        QFETCH(bool, upperEnd);
        QFETCH(bool, confirm);
        QFETCH(QJsonObject, changes);
        Fixture fx;
        connectAndReveal(fx);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        const int mark = fx.requestCount();
        const int resultsBefore = int(fx.results.size());
        fx.clearBoxes();
        fx.answers.push_back(confirm ? vbOK : vbCancel);

        (upperEnd ? f.Command6 : f.Command7)->click();
        QVERIFY(fx.waitForResults(resultsBefore + 1));
        QVERIFY(fx.waitIdle());
        QCOMPARE(fx.boxes().size(), 1);
        const MsgBoxSeam::Shown box = fx.boxes().first();
        QCOMPARE(box.prompt, QStringLiteral("Current Pressure value is: 3%1%2 mH2O. Continue??")
                                 .arg(QLocale::system().decimalPoint(), QStringLiteral("75")));
        QCOMPARE(box.title, QStringLiteral("Continue??"));
        QCOMPARE(box.buttons, int(vbOKCancel));

        if (!confirm) {
            VERIFY_REQUESTS(fx, mark, {3});
            QCOMPARE(MousePointer(), int(vbDefault));
            QCOMPARE(f.ProgressBar1->value(), 0);
            QVERIFY(!f.Timer4->isActive());
        } else {
            QVERIFY(fx.waitFor([&] { return f.Timer4->isActive(); }));
            VERIFY_REQUESTS(fx, mark, {3, upperEnd ? 36 : 37});
            QVERIFY(fx.sim().lastRequestData(upperEnd ? 36 : 37).isEmpty());
            // Timer4 re-reads the transmitter, and the window shows the new end unmarked.
            QVERIFY(fx.tick(f.Timer4));
            QVERIFY(fx.waitFor([&] { return f.Timer1->isActive(); }));
            QVERIFY(fx.waitIdle());
            VERIFY_REQUESTS(fx, mark, QList<int>{3, upperEnd ? 36 : 37} + kReadSequence);
            const double zero = Module1::NumberOf(f.Text4->text());
            const double span = Module1::NumberOf(f.Text5->text());
            QCOMPARE(zero, upperEnd ? 0.0 : 3.75);
            QCOMPARE(span, upperEnd ? 3.75 : 10.0);
            QVERIFY(!f.Label15->isVisible());
            QVERIFY(!f.Label16->isVisible());
            QCOMPARE(fx.boxes().size(), 1);
        }
        VERIFY_STATE(fx, withChanges(initial_, changes));
        VERIFY_RESULTS(fx);
    }

    void dampingAndDirection_data() {
        QTest::addColumn<QString>("damping");
        QTest::addColumn<int>("direction");
        QTest::addColumn<float>("seconds");
        QTest::newRow("2,5 s falling") << "2,5" << 1 << 2.5f;
        QTest::newRow("0 s rising") << "0" << 0 << 0.0f;
        QTest::newRow("32 s falling") << "32" << 1 << 32.0f;
    }

    void dampingAndDirection() {
        QFETCH(QString, damping);
        QFETCH(int, direction);
        QFETCH(float, seconds);
        Fixture fx;
        connectAndReveal(fx);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        const int mark = fx.requestCount();

        f.Text6->setText(damping);
        f.Option1[size_t(direction)]->setChecked(true);
        f.Command4->click();
        finishWrite(fx, false);
        if (QTest::currentTestFailed()) return;

        VERIFY_REQUESTS(fx, mark, {34, 152});
        QCOMPARE(fx.sim().lastRequestData(34).toHex(), floatHex(seconds));
        QCOMPARE(fx.sim().lastRequestData(152), QByteArray(1, char(direction)));
        VERIFY_STATE(fx, withChanges(initial_, {{"damping", double(seconds)},
                                                {"output_direction", direction}}));
        QVERIFY(fx.boxes().isEmpty());
        VERIFY_RESULTS(fx);
    }

    void tag_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("short, padded") << QStringLiteral("ABC") << QStringLiteral("ABC");
        QTest::newRow("long, cut to 8")
            << QStringLiteral("ABCDEFGHIJ") << QStringLiteral("ABCDEFGH");
        QTest::newRow("lower case") << QStringLiteral("lt-2/b") << QStringLiteral("LT-2/B");
        QTest::newRow("empty") << QString() << QString();
    }

    void tag() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Fixture fx;
        connectAndReveal(fx);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        const int mark = fx.requestCount();

        f.Text7->setText(typed);
        f.Command8->click();
        finishWrite(fx);
        if (QTest::currentTestFailed()) return;

        VERIFY_REQUESTS(fx, mark, {18});
        // Descriptor and date go back exactly as they were read.
        QCOMPARE(fx.sim().lastRequestData(18).toHex(),
                 packedHex((typed + QString(8, QLatin1Char(' '))).left(8), 6) +
                     packedHex(QStringLiteral("WELL 3 LEVEL"), 12) + QByteArray("070c7e"));
        VERIFY_STATE(fx, withChanges(initial_, {{"tag", stored}}));
        QVERIFY(fx.boxes().isEmpty());
        VERIFY_RESULTS(fx);
    }

    void mountingEffect_data() {
        QTest::addColumn<QList<int>>("choices"); // Combo2 positions, one press of Send each
        QTest::addColumn<QList<int>>("requests");
        QTest::addColumn<double>("offset");
        QTest::newRow("set") << QList<int>{2} << QList<int>{150} << 3.75;
        QTest::newRow("set, then reset") << QList<int>{2, 1} << QList<int>{150, 150} << 0.0;
        QTest::newRow("Esc sends nothing") << QList<int>{0} << QList<int>{} << 0.0;
        QTest::newRow("set, then Esc") << QList<int>{2, 0} << QList<int>{150} << 3.75;
    }

    void mountingEffect() {
        QFETCH(QList<int>, choices);
        QFETCH(QList<int>, requests);
        QFETCH(double, offset);
        Fixture fx;
        connectAndReveal(fx);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        const int mark = fx.requestCount();

        for (int choice : choices) {
            const int before = fx.requestCount();
            f.Combo2->setCurrentIndex(choice);
            f.Command9->click();
            QCOMPARE(f.Combo2->currentIndex(), 0);
            if (choice == 0) {
                QCOMPARE(MousePointer(), int(vbDefault));
                QVERIFY(fx.waitIdle());
                QVERIFY(fx.nothingMoreGoesOut());
                QCOMPARE(fx.requestCount(), before);
                QVERIFY(!f.Timer2->isActive());
                continue;
            }
            finishWrite(fx);
            if (QTest::currentTestFailed()) return;
            QCOMPARE(fx.sim().lastRequestData(150), QByteArray(1, char(choice == 2 ? 1 : 0)));
        }
        VERIFY_REQUESTS(fx, mark, requests);
        VERIFY_STATE(fx, withChanges(initial_, {{"mounting_offset", offset}}));
        QVERIFY(fx.boxes().isEmpty());
        VERIFY_RESULTS(fx);
    }

    void monitoring_data() {
        QTest::addColumn<bool>("pollOnLineAtOff");
        QTest::newRow("off between polls") << false;
        QTest::newRow("off while a poll is on the line") << true;
    }

    void monitoring() {
        QFETCH(bool, pollOnLineAtOff);
        Fixture fx;
        connectAndReveal(fx);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        const int mark = fx.requestCount();

        f.Option3[1]->click();
        QVERIFY(fx.waitFor([&] { return f.Timer5->isActive(); }));
        QVERIFY(fx.waitIdle());
        // 3.75 mH2O on a 0-10 mH2O range: 37.5 %, 10 mA.
        QCOMPARE(f.Text9[0]->text(),
                 QStringLiteral("10") + QLocale::system().decimalPoint() + QStringLiteral("000 "));
        QCOMPARE(Module1::NumberOf(f.Text9[1]->text()), 37.5);
        QCOMPARE(f.ProgressBar2->value(), 3750);
        QVERIFY(fx.tick(f.Timer5));
        if (pollOnLineAtOff) {
            QVERIFY(f.HartX1->isBusy());
        } else {
            QVERIFY(fx.waitFor([&] { return f.Timer5->isActive(); }));
            QVERIFY(fx.waitIdle());
        }

        f.Option3[0]->click();
        QVERIFY(f.Text9[0]->text().isEmpty());
        QVERIFY(f.Text9[1]->text().isEmpty());
        QCOMPARE(f.ProgressBar2->value(), 0);
        QVERIFY(fx.waitIdle());
        QVERIFY(fx.nothingMoreGoesOut());
        // A reply still on its way finds "Off" and is dropped; nothing arms the poll again.
        QVERIFY(!f.Timer5->isActive());
        QVERIFY(f.Text9[0]->text().isEmpty());
        QCOMPARE(f.ProgressBar2->value(), 0);
        VERIFY_REQUESTS(fx, mark, {2, 2});
        VERIFY_STATE(fx, initial_);
        QVERIFY(fx.boxes().isEmpty());
        VERIFY_RESULTS(fx);
    }

    void simulation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<float>("milliamps");
        QTest::newRow("4 mA by Send") << "4.00" << false << 4.0f;
        QTest::newRow("12,5 mA by Enter") << "12,5" << true << 12.5f;
        QTest::newRow("20 mA by Send") << "20" << false << 20.0f;
    }

    void simulation() {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(float, milliamps);
        Fixture fx;
        connectAndReveal(fx);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        const int mark = fx.requestCount();

        f.Text8->setText(typed);
        if (byEnter)
            f.Text8_KeyPress(13);
        else
            f.Command5->click();
        QCOMPARE(f.Command5->text(), QStringLiteral("Abort"));
        QCOMPARE(MousePointer(), int(vbArrowHourglass));
        QVERIFY(fx.waitIdle());
        VERIFY_REQUESTS(fx, mark, {40});
        QCOMPARE(fx.sim().lastRequestData(40).toHex(), floatHex(milliamps));
        VERIFY_STATE(fx, withChanges(initial_, {{"fixed_current", double(milliamps)}}));

        // No way out through the button while the loop is held.
        f.Command1->click();
        QCOMPARE(fx.boxes().size(), 1);
        QCOMPARE(fx.boxes().first().prompt,
                 QStringLiteral("Please, Abort Current Simulation Before Exit!!!"));
        QCOMPARE(fx.boxes().first().title, kAppTitle);
        QCOMPARE(fx.boxes().first().buttons, int(vbOKOnly));
        QVERIFY(f.isVisible());

        f.Command5->click();
        QCOMPARE(f.Command5->text(), QStringLiteral("Send"));
        QCOMPARE(MousePointer(), int(vbDefault));
        QVERIFY(fx.waitIdle());
        VERIFY_REQUESTS(fx, mark, {40, 40});
        QCOMPARE(fx.sim().lastRequestData(40).toHex(), floatHex(0.0f));
        VERIFY_STATE(fx, initial_);

        // Now the button closes the window, and nothing more goes to the transmitter.
        f.Command1->click();
        QVERIFY(!f.isVisible());
        QCOMPARE(fx.boxes().size(), 1);
        QVERIFY(fx.nothingMoreGoesOut());
        VERIFY_REQUESTS(fx, mark, {40, 40});
        VERIFY_RESULTS(fx);
    }

    // The menu's E&xit has no simulation check and sends nothing: the transmitter stays on the
    // fixed current.
    void exitMenuWhileSimulating() {
        Fixture fx;
        connectAndReveal(fx);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        const int mark = fx.requestCount();
        f.Command5->click();
        QVERIFY(fx.waitIdle());
        f.Exitform->trigger();
        QVERIFY(!f.isVisible());
        QVERIFY(fx.nothingMoreGoesOut());
        VERIFY_REQUESTS(fx, mark, {40});
        VERIFY_STATE(fx, withChanges(initial_, {{"fixed_current", 4.0}}));
        QVERIFY(fx.boxes().isEmpty());
        VERIFY_RESULTS(fx);
    }
};

QTEST_MAIN(TestE2eScenarios)
#include "test_e2e_scenarios.moc"
