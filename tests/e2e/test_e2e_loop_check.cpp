// The loop check and the output trim end to end: the windows in this process, the real serial
// line, zanu-sim on a pseudo-terminal. However either ends, the last thing the transmitter heard
// is command 40 at 0 mA, and it no longer holds the loop.
#include "e2e_helper.h"
#include "loop_check_steps.h"

#include "health/device_health.h"
#include "health/device_status_window.h"
#include "keeper/records_keeper.h"
#include "platform/exit_signals.h"
#include "trim/trim_window.h"
#include "window/exit_on_signal.h"

#include <QtTest>

#include <csignal>

using namespace e2e;

namespace {

// The trim waits for the meter's reading at `mA`.
std::function<bool()> trimAwaiting(TrimWindow *w, double mA) {
    return [w, mA] {
        return w->procedure().state() == TrimProcedure::State::AwaitingReading &&
               w->procedure().pointMa() == mA;
    };
}

// Types what the reference meter in the simulator's loop reads.
void typeMeter(QLineEdit *edit, QPushButton *enter, const SimProcess &sim) {
    edit->setText(QLocale().toString(sim.meterMa().value_or(-1), 'f', 4));
    enter->click();
}

} // namespace

class TestE2eLoopCheck : public QObject {
    Q_OBJECT
private slots:
    void everyExitReleasesTheLoop_data() {
        QTest::addColumn<QString>("exit");
        QTest::addColumn<bool>("trim"); // the output trim holds the loop, not the loop check
        const QList<QPair<QString, QString>> exits{
            {"finish", "finish"},           {"Cancel", "cancel"},
            {"its window closed", "close"}, {"main window closed", "main"},
            {"SIGTERM", "signal"},          {"release unanswered, then Retry", "retry"}};
        for (const bool trim : {false, true})
            for (const auto &[name, exit] : exits)
                QTest::newRow(qPrintable((trim ? "trim, " : "") + name)) << exit << trim;
    }

    void everyExitReleasesTheLoop() {
        QFETCH(QString, exit);
        QFETCH(bool, trim);
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
        LoopCheckWindow *w = nullptr;
        TrimWindow *tw = nullptr;
        if (trim) {
            fx.form->OutputTrimMenu->trigger();
            tw = fx.form->trimWindow;
            QVERIFY(tw && tw->startTrim());
            QVERIFY(fx.waitFor(trimAwaiting(tw, 4.0)));
        } else {
            w = loopcheck::open(*fx.form);
            QVERIFY(w->startCheck());
            QVERIFY(fx.waitFor(loopcheck::awaitingAt(w, 0)));
        }
        QWidget *holder = trim ? static_cast<QWidget *>(tw) : w;
        auto holds = [&] {
            return trim ? tw->procedure().holdsLoop() : w->procedure().holdsLoop();
        };
        auto fixedCurrent = [&] { return fx.sim().state().value("fixed_current"); };
        QCOMPARE(fixedCurrent().toDouble(), 4.0);

        std::unique_ptr<ExitSignals> exitSignals;
        QList<bool> quitWhileHeld;
        QJsonValue heldAtTheBox;
        if (exit == "finish" && trim) {
            typeMeter(tw->readingEdit, tw->enterButton, fx.sim());
            QVERIFY(fx.waitFor(trimAwaiting(tw, 20.0)));
            typeMeter(tw->readingEdit, tw->enterButton, fx.sim());
        } else if (exit == "finish") {
            loopcheck::type(w, "4.01");
            QVERIFY(fx.waitFor(loopcheck::awaitingAt(w, 1)));
            loopcheck::type(w, "19,99");
        } else if (exit == "close") {
            QVERIFY(!holder->close());
        } else if (exit == "main") {
            QVERIFY(!fx.form->close());
        } else if (exit == "signal") { // wired as main() wires it, with a quit that records
            exitSignals = std::make_unique<ExitSignals>();
            QVERIFY2(exitSignals->isValid(), qPrintable(exitSignals->errorString()));
            connect(exitSignals.get(), &ExitSignals::received, this,
                    [&] { CloseOnExitSignal(fx.form.get(), [&] { quitWhileHeld << holds(); }); });
            QCOMPARE(::raise(SIGTERM), 0);
        } else {
            if (exit == "retry") *silentFor40 = 1000;
            MsgBoxSeam::setScript([&](const MsgBoxSeam::Shown &) {
                heldAtTheBox = fixedCurrent();
                *silentFor40 = 0;
                return int(vbRetry);
            });
            (trim ? tw->cancelButton : w->cancelButton)->click();
        }

        QVERIFY(
            fx.waitFor(trim ? std::function<bool()>([&] { return !holds(); }) : loopcheck::letGo(w),
                       kNoisyMs));
        const QList<TraceLine> t = fx.sim().trace();
        QVERIFY(t.size() >= 2 && t[t.size() - 2].command == 40 && t.last().command == 40);
        QCOMPARE(t[t.size() - 2].data.toHex(), floatHex(0.0f));
        QCOMPARE(t.last().responseCode, 0);
        QVERIFY(fixedCurrent().isNull());
        QVERIFY(trim ? fx.form->Records->lastTrim()->releaseConfirmed
                     : fx.form->Records->lastLoopCheck()->releaseConfirmed);
        const bool mainGoes = exit == "main" || exit == "signal";
        QVERIFY(fx.waitFor([&] { return fx.form->isVisible() != mainGoes; }));
        QCOMPARE(quitWhileHeld, exit == "signal" ? QList<bool>{false} : QList<bool>{});
        // Only the unanswered release asks, while the transmitter still holds the loop.
        QCOMPARE(fx.boxes().size(), exit == "retry" ? 1 : 0);
        QCOMPARE(heldAtTheBox.toDouble(), exit == "retry" ? 4.0 : 0.0);
    }

    // An output stage 0.03 mA and 0.2 % off fails a check at 0.01 mA; the trim the check offers
    // brings both ends within it, and the same check then passes.
    void trimMendsAFailedCheck() {
        Fixture fx;
        QJsonObject initial;
        startAndLoad(fx, {"--dac-error", "0.03:0.2"}, &initial);
        QVERIFY(!QTest::currentTestFailed() && fx.waitForData() && fx.settle());
        LoopCheckWindow *w = loopcheck::open(*fx.form);
        w->toleranceEdit->setText(QLocale().toString(0.01));
        auto check = [&] {
            QVERIFY(w->startCheck());
            for (int i = 0; i < 2; ++i) {
                QVERIFY(fx.waitFor(loopcheck::awaitingAt(w, i)));
                typeMeter(w->readingEdit, w->enterButton, fx.sim());
            }
            QVERIFY(fx.waitFor(loopcheck::letGo(w), kNoisyMs));
        };
        check();
        if (QTest::currentTestFailed()) return;
        QCOMPARE(fx.form->Records->lastLoopCheck()->verdict(), LoopCheckResult::Verdict::Failed);
        QVERIFY(w->trimButton->isVisible());

        w->trimButton->click();
        TrimWindow *tw = fx.form->trimWindow;
        QVERIFY(tw && tw->startTrim());
        for (const double point : {4.0, 20.0}) {
            // Read, trim, read again: the second reading is within the trim's own tolerance.
            for (int reading = 0; reading < 2; ++reading) {
                QVERIFY(fx.waitFor(trimAwaiting(tw, point)));
                typeMeter(tw->readingEdit, tw->enterButton, fx.sim());
            }
        }
        QVERIFY(fx.waitFor([&] { return !tw->procedure().holdsLoop(); }, kNoisyMs));
        const TrimResult t = *fx.form->Records->lastTrim();
        QVERIFY(t.complete() && t.releaseConfirmed);
        QCOMPARE(QList<int>({t.zeroTrims, t.gainTrims}), QList<int>({1, 1}));
        QCOMPARE(QString::number(*t.before4, 'f', 4), QStringLiteral("4.0380"));
        QVERIFY(std::abs(*t.after4 - 4.0) < 0.001 && std::abs(*t.after20 - 20.0) < 0.001);
        QCOMPARE(fx.sim().requests().count(45), 1);
        QCOMPARE(fx.sim().requests().count(46), 1);

        check();
        if (QTest::currentTestFailed()) return;
        QCOMPARE(fx.form->Records->lastLoopCheck()->verdict(), LoopCheckResult::Verdict::Passed);
        QVERIFY(!w->trimButton->isVisible());
        const QList<TraceLine> trace = fx.sim().trace();
        QCOMPARE(trace[trace.size() - 2].data.toHex(), floatHex(0.0f));
        QVERIFY(fx.boxes().isEmpty());
    }

    // What the transmitter or the running simulation refuses is said in words, and a trim that
    // had fixed the loop lets it go all the same.
    void trimRefusals_data() {
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<bool>("simulating"); // a Current Simulation runs when the trim starts
        QTest::addColumn<QString>("said");    // in the trim's failure or in the box
        const QStringList off{"--dac-error", "0.03:0"};
        QTest::newRow("write protected")
            << (off + QStringList{"--write-protect"}) << false << "(In Write Protect Mode)";
        QTest::newRow("access restricted")
            << (off + QStringList{"--respond", "45:16"}) << false << "(Access Restricted)";
        QTest::newRow("loop not fixed for it")
            << (off + QStringList{"--respond", "45:9"}) << false
            << "(the loop current is not fixed at the value the trim needs)";
        QTest::newRow("a simulation runs") << off << true << "Press Abort in the panel first";
    }

    void trimRefusals() {
        QFETCH(QStringList, simOptions);
        QFETCH(bool, simulating);
        QFETCH(QString, said);
        Fixture fx;
        QJsonObject initial;
        startAndLoad(fx, simOptions, &initial);
        QVERIFY(!QTest::currentTestFailed() && fx.waitForData() && fx.settle());
        if (simulating) {
            fx.form->Command5->click(); // "Send" beside the 4.00 mA the field starts with
            QVERIFY(fx.waitFor([&] { return !fx.sim().state().value("fixed_current").isNull(); }) &&
                    fx.waitIdle());
        }
        fx.form->OutputTrimMenu->trigger();
        TrimWindow *tw = fx.form->trimWindow;
        QCOMPARE(tw->startTrim(), !simulating);
        if (simulating) {
            QVERIFY(fx.boxTexts().join('\n').contains(said));
            QCOMPARE(fx.sim().requests().count(45), 0);
            return;
        }
        QVERIFY(fx.waitFor(trimAwaiting(tw, 4.0)));
        typeMeter(tw->readingEdit, tw->enterButton, fx.sim());
        QVERIFY(fx.waitFor([&] { return !tw->procedure().holdsLoop(); }, kNoisyMs));
        QVERIFY2(tw->procedure().failure().endsWith(said), qPrintable(tw->procedure().failure()));
        QCOMPARE(fx.sim().trace().last().command, 40);
        QVERIFY(fx.sim().state().value("fixed_current").isNull());
        QCOMPARE(fx.sim().state().value("trim_zero_ma").toDouble(), 0.0);
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
        for (const LoopCheckPoint &p : fx.form->Records->lastLoopCheck()->points)
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
        fx.form->session->SendFixedCurrentOn(); // "Send" beside the 4.00 mA the field starts with
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
