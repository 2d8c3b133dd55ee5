// The loop check end to end: the window in this process, the real serial line, zanu-sim on a
// pseudo-terminal. However the check ends, the last thing the transmitter heard is command 40 at
// 0 mA, and it no longer holds the loop.
#include "e2e_helper.h"
#include "loop_check_steps.h"

#include "platform/exit_signals.h"
#include "window/device_health.h"
#include "window/device_status_window.h"
#include "window/exit_on_signal.h"

#include <QtTest>

#include <csignal>

using namespace e2e;

class TestE2eLoopCheck : public QObject {
    Q_OBJECT
private slots:
    void everyExitReleasesTheLoop_data() {
        QTest::addColumn<QString>("exit");
        QTest::newRow("finish") << "finish";
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("its window closed") << "close";
        QTest::newRow("main window closed") << "main";
        QTest::newRow("SIGTERM") << "signal";
        QTest::newRow("release unanswered, then Retry") << "retry";
    }

    void everyExitReleasesTheLoop() {
        QFETCH(QString, exit);
        Fixture fx;
        auto silentFor40 = std::make_shared<int>(0); // command-40 requests to keep from it
        LineFaults faults;
        faults.swallowCommand = 40;
        faults.loseRequests = true;
        QJsonObject initial;
        startAndLoad(fx, {}, &initial, [&](Form1 &f) {
            f.HartX1->setLineFactory(FaultyLine::factory(faults, silentFor40));
        });
        QVERIFY(!QTest::currentTestFailed() && fx.waitForData() && fx.settle());
        LoopCheckWindow *w = loopcheck::open(*fx.form);
        QVERIFY(w->startCheck());
        QVERIFY(fx.waitFor(loopcheck::awaitingAt(w, 0)));
        auto fixedCurrent = [&] { return fx.sim().state().value("fixed_current"); };
        QCOMPARE(fixedCurrent().toDouble(), 4.0);

        std::unique_ptr<ExitSignals> exitSignals;
        QList<bool> quitWhileHeld;
        QJsonValue heldAtTheBox;
        if (exit == "finish") {
            loopcheck::type(w, "4.01");
            QVERIFY(fx.waitFor(loopcheck::awaitingAt(w, 1)));
            loopcheck::type(w, "19,99");
        } else if (exit == "close") {
            QVERIFY(!w->close());
        } else if (exit == "main") {
            QVERIFY(!fx.form->close());
        } else if (exit == "signal") { // wired as main() wires it, with a quit that records
            exitSignals = std::make_unique<ExitSignals>();
            QVERIFY2(exitSignals->isValid(), qPrintable(exitSignals->errorString()));
            connect(exitSignals.get(), &ExitSignals::received, this, [&] {
                CloseOnExitSignal(fx.form.get(),
                                  [&] { quitWhileHeld << w->procedure().holdsLoop(); });
            });
            QCOMPARE(::raise(SIGTERM), 0);
        } else {
            if (exit == "retry") *silentFor40 = 1000;
            MsgBoxSeam::setScript([&](const MsgBoxSeam::Shown &) {
                heldAtTheBox = fixedCurrent();
                *silentFor40 = 0;
                return int(vbRetry);
            });
            w->cancelButton->click();
        }

        QVERIFY(fx.waitFor(loopcheck::letGo(w), kNoisyMs));
        const QList<TraceLine> t = fx.sim().trace();
        QVERIFY(t.size() >= 2 && t[t.size() - 2].command == 40 && t.last().command == 40);
        QCOMPARE(t[t.size() - 2].data.toHex(), floatHex(0.0f));
        QCOMPARE(t.last().responseCode, 0);
        QVERIFY(fixedCurrent().isNull());
        QVERIFY(fx.form->LastLoopCheck->releaseConfirmed);
        const bool mainGoes = exit == "main" || exit == "signal";
        QVERIFY(fx.waitFor([&] { return fx.form->isVisible() != mainGoes; }));
        QCOMPARE(quitWhileHeld, exit == "signal" ? QList<bool>{false} : QList<bool>{});
        // Only the unanswered release asks, while the transmitter still holds the loop.
        QCOMPARE(fx.boxes().size(), exit == "retry" ? 1 : 0);
        QCOMPARE(heldAtTheBox.toDouble(), exit == "retry" ? 4.0 : 0.0);
    }

    // The Device status window's command 48, pressed while the check fixes and reads back each
    // point, is answered to that window alone: the read-back is what the transmitter holds.
    void statusReadsLeaveTheReadBackAlone_data() {
        QTest::addColumn<int>("presses"); // per point, just as its current is being fixed
        QTest::newRow("once") << 1;
        QTest::newRow("three times") << 3;
    }

    void statusReadsLeaveTheReadBackAlone() {
        QFETCH(int, presses);
        Fixture fx;
        QJsonObject initial;
        startAndLoad(fx, {}, &initial);
        QVERIFY(!QTest::currentTestFailed() && fx.waitForData() && fx.settle());
        fx.form->DeviceStatusMenu->trigger();
        QVERIFY(fx.waitIdle());
        DeviceStatusWindow *status = fx.form->Health->statusWindow();
        const QList<double> points{4, 12, 20};
        LoopCheckWindow *w = loopcheck::open(*fx.form, "4; 12; 20");
        QVERIFY(w->startCheck());
        for (int i = 0; i < points.size(); ++i) {
            for (int k = 0; k < presses; ++k)
                status->ReadAdditional->click();
            QVERIFY(fx.waitFor(loopcheck::awaitingAt(w, i)));
            loopcheck::type(w, QString::number(points[i]));
        }
        QVERIFY(fx.waitFor(loopcheck::letGo(w), kNoisyMs));
        QList<double> readBack;
        for (const LoopCheckPoint &p : fx.form->LastLoopCheck->points)
            readBack << p.readbackMa.value_or(-1);
        QCOMPARE(readBack, points);
        QCOMPARE(fx.sim().requests().count(48), 1 + presses * int(points.size()));
        QVERIFY(fx.boxes().isEmpty());
    }

    void signalEndsTheSimulationFirst_data() {
        QTest::addColumn<bool>("silent");
        QTest::newRow("SIGTERM, release confirmed") << false;
        QTest::newRow("SIGTERM, transmitter silent") << true;
    }

    void signalEndsTheSimulationFirst() {
        QFETCH(bool, silent);
        Fixture fx;
        auto silentFor40 = std::make_shared<int>(0);
        QJsonObject initial;
        startAndLoad(fx, {}, &initial, [&](Form1 &f) {
            f.HartX1->setLineFactory(FaultyLine::factory({0, 1, 40, 0, true}, silentFor40));
        });
        QVERIFY(!QTest::currentTestFailed() && fx.waitForData() && fx.settle());
        fx.form->SendFixedCurrentOn(); // "Send" beside the 4.00 mA the field starts with
        auto fixedCurrent = [&] { return fx.sim().state().value("fixed_current").toDouble(); };
        QVERIFY(fx.waitFor([&] { return fixedCurrent() == 4.0; }) && fx.waitIdle());
        *silentFor40 = silent ? 1000 : 0;
        ExitSignals exitSignals;
        QStringList said;
        connect(&exitSignals, &ExitSignals::received, this, [&] {
            CloseOnExitSignal(
                fx.form.get(), [&] { said << "quit"; }, [&](const QString &s) { said << s; });
        });
        QCOMPARE(::raise(SIGTERM), 0);
        QVERIFY(fx.waitFor([&] { return said.contains("quit"); }, kNoisyMs)); // once it closed
        const QString port = "COM 5 (" + fx.sim().pty() + ")";
        QVERIFY2(said.size() == 3 && said[0].contains("at 4.000 mA on " + port) &&
                     said[1].contains(port + (silent ? " did not confirm" : " confirmed")) &&
                     (!silent || said[1].contains("held at 4.000 mA")),
                 qPrintable(said.join('\n')));
        const QList<TraceLine> t = fx.sim().trace();
        QCOMPARE(t.last().command, 40);
        QCOMPARE(t[t.size() - 2].data.toHex(), floatHex(silent ? 4.0f : 0.0f));
        QCOMPARE(fixedCurrent(), silent ? 4.0 : 0.0); // null (0) once let go
    }
};

QTEST_MAIN(TestE2eLoopCheck)
#include "test_e2e_loop_check.moc"
