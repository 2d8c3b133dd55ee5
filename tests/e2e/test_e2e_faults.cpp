// Faults on the line and in the transmitter, end to end through the real serial code. In every
// case: no crash and no hang (every wait is bounded), exactly one Result per transaction, nothing
// written to the transmitter that the user did not send, and a correct read once the line is
// healthy again.
#include "e2e_helper.h"

#include "hart/link/com_port_name.h"
#include "hart/link/serial_line.h"
#include "pointer.h"
#include "units/module1.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace e2e;

namespace {

const QString kNoAnswer = QStringLiteral("No Device Response!!!! Connect transmitter?");
const QString kBusyAbort = QStringLiteral("Transmitter is Busy, Aborting Send Process");

enum class Action { Range, Damping, Tag, MountingSet, LowerEnd, UpperEnd, Simulate };

QList<int> repeated(int command, int times) {
    return QList<int>(times, command);
}

} // namespace

Q_DECLARE_METATYPE(Action)

class TestE2eFaults : public QObject {
    Q_OBJECT

    QJsonObject initial_;

    void startAndLoad(Fixture &fx, const QStringList &simOptions,
                      const std::function<void(Form1 &)> &beforeLoad = {}) {
        QString error;
        QVERIFY2(fx.startSim(simOptions, &error), qPrintable(error));
        initial_ = fx.sim().state();
        QVERIFY(!initial_.isEmpty());
        QVERIFY(fx.load(beforeLoad));
    }

    // The window shows what zanu-sim holds out of the box.
    void verifyShowsDefaults(Form1 &f) {
        QCOMPARE(f.Text7->text().trimmed(), QStringLiteral("LT-101"));
        QCOMPARE(f.Combo1->currentText(), QStringLiteral("mH2O"));
        QCOMPARE(Module1::NumberOf(f.Text4->text()), 0.0);
        QCOMPARE(Module1::NumberOf(f.Text5->text()), 10.0);
        QCOMPARE(float(Module1::NumberOf(f.Text6->text())), 0.4f);
        QVERIFY(f.Option1[0]->isChecked());
    }

    // Moves the window to a healthy simulator through the COM-settings dialog (the same port,
    // now naming another device) and checks that it reads that transmitter correctly.
    void recoverOnHealthyLine(Fixture &fx, bool plainSerialLine = false) {
        QString error;
        QVERIFY2(fx.startSim({}, &error), qPrintable(error));
        if (plainSerialLine) {
            fx.form->HartX1->setLineFactory([](int port) {
                return std::make_unique<SerialLine>(comPortDeviceName(port),
                                                    QStringLiteral("COM %1").arg(port));
            });
        }
        const int boxesBefore = int(fx.boxes().size());
        fx.noAnswerRetries = 0;
        QVERIFY(fx.runComSettings());
        QVERIFY(fx.settle(kChainMs));
        QCOMPARE(fx.sim().requests(), kReadSequence + QList<int>{2});
        QCOMPARE(fx.boxes().size(), boxesBefore);
        verifyShowsDefaults(*fx.form);
    }

private slots:
    void corruptedReplies_data() {
        QTest::addColumn<QString>("probability");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<int>("retries"); // times the user answers Retry
        QTest::newRow("1 %, seed 1") << "0.01" << "1" << 4;
        QTest::newRow("1 %, seed 7") << "0.01" << "7" << 4;
        // At 5 % most replies of 30-odd bytes are hit, and a read of five transactions rarely
        // gets through: one Retry shows the path without spending seconds on hopeless reads.
        QTest::newRow("5 %, seed 1") << "0.05" << "1" << 1;
        QTest::newRow("5 %, seed 23") << "0.05" << "23" << 1;
    }

    // Bits flipped in the replies: the control retries garbled replies, the user retries when a
    // transaction still fails, and the one write the user makes lands whole or not at all.
    void corruptedReplies() {
        QFETCH(QString, probability);
        QFETCH(QString, seed);
        QFETCH(int, retries);
        Fixture fx;
        fx.noAnswerRetries = retries;
        startAndLoad(fx, {QStringLiteral("--corrupt"), probability, QStringLiteral("--seed"), seed});
        if (QTest::currentTestFailed()) return;
        noisyLineRound(fx);
        if (QTest::currentTestFailed()) return;
        recoverOnHealthyLine(fx);
        VERIFY_RESULTS(fx);
    }

    void droppedBytes_data() {
        QTest::addColumn<QString>("probability");
        QTest::addColumn<QString>("seed");
        QTest::newRow("1 %, seed 3") << "0.01" << "3";
        QTest::newRow("3 %, seed 5") << "0.03" << "5";
    }

    void droppedBytes() {
        QFETCH(QString, probability);
        QFETCH(QString, seed);
        Fixture fx;
        fx.noAnswerRetries = 4;
        startAndLoad(fx, {QStringLiteral("--drop"), probability, QStringLiteral("--seed"), seed});
        if (QTest::currentTestFailed()) return;
        noisyLineRound(fx);
        if (QTest::currentTestFailed()) return;
        recoverOnHealthyLine(fx);
        VERIFY_RESULTS(fx);
    }

    void garbageBetweenFrames_data() {
        QTest::addColumn<double>("probability");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("now and then") << 0.3 << 11u;
        QTest::newRow("around most replies") << 0.8 << 12u;
    }

    // zanu-sim has no switch for noise between frames, so a wrapper around the real serial line
    // puts random bursts in front of replies and between them.
    void garbageBetweenFrames() {
        QFETCH(double, probability);
        QFETCH(quint32, seed);
        Fixture fx;
        fx.noAnswerRetries = 4;
        startAndLoad(fx, {}, [&](Form1 &f) {
            f.HartX1->setLineFactory([=](int port) {
                return std::make_unique<NoisyLine>(comPortDeviceName(port),
                                                   QStringLiteral("COM %1").arg(port), seed,
                                                   probability);
            });
        });
        if (QTest::currentTestFailed()) return;
        noisyLineRound(fx);
        if (QTest::currentTestFailed()) return;
        QVERIFY(NoisyLine::burstsInjected() > 0);
        // Noise never changes a reply that got through, so what is shown is what is held.
        if (fx.form->Command2->text() == QLatin1String("Re&fresh")) {
            QCOMPARE(fx.form->Combo1->currentText(), QStringLiteral("mH2O"));
            QCOMPARE(Module1::NumberOf(fx.form->Text5->text()), 10.0);
        }
        recoverOnHealthyLine(fx, true);
        VERIFY_RESULTS(fx);
    }

    // The simulator dies while the transmitter is answering: the line goes away under the
    // control in the middle of a transaction.
    void ptyClosedMidTransaction() {
        Fixture fx;
        QString error;
        QVERIFY2(fx.startSim({QStringLiteral("--timing"), QStringLiteral("real")}, &error),
                 qPrintable(error));
        SimProcess &first = fx.sim();
        initial_ = first.state();
        // The replacement exists before the first one dies, so its pty has another name.
        QVERIFY2(fx.startSim({}, &error), qPrintable(error));
        SimProcess &second = fx.sim();
        QVERIFY(second.pty() != first.pty());
        fx.pointCom5At(first);
        QVERIFY(fx.load());
        Form1 &f = *fx.form;

        QVERIFY(fx.waitFor([&] { return first.requests().contains(15); }, kChainMs));
        const int resultsBefore = int(fx.results.size());
        first.kill();
        fx.pointCom5At(second);
        QVERIFY(fx.waitForResults(resultsBefore + 1, kChainMs));
        QVERIFY(fx.waitIdle());

        QCOMPARE(fx.results.size(), resultsBefore + 1);
        const ResultSeen last = fx.results.last();
        QCOMPARE(last.result, HartX::kNoAnswer);
        QVERIFY2(last.command == 15 || last.command == 14, qPrintable(QString::number(last.command)));
        QCOMPARE(fx.boxes().size(), 1);
        const MsgBoxSeam::Shown box = fx.boxes().first();
        QCOMPARE(box.prompt, kNoAnswer);
        QCOMPARE(box.title, QStringLiteral("No Device"));
        QCOMPARE(box.buttons, int(vbRetryCancel));
        QVERIFY2(box.detail.contains(first.pty()), qPrintable(box.detail));
        // Cancel: the operation is abandoned.
        QCOMPARE(MousePointer(), int(vbDefault));
        QCOMPARE(f.ProgressBar1->value(), 0);
        QVERIFY(!f.Timer1->isActive());
        QCOMPARE(first.state(), initial_);

        // Connect finds the transmitter on the device COM 5 names now.
        fx.clearBoxes();
        f.Command2->click();
        QVERIFY(fx.settle(kChainMs));
        QVERIFY2(fx.boxes().isEmpty(),
                 qPrintable(QStringLiteral("Connect after the port came back: %1 (%2)")
                                .arg(fx.boxTexts().join(QStringLiteral(" | ")),
                                     fx.boxes().isEmpty() ? QString() : fx.boxes().first().detail)));
        QCOMPARE(second.requests(), kReadSequence + QList<int>{2});
        verifyShowsDefaults(f);
        VERIFY_RESULTS(fx);
    }

    void busyTransmitter_data() {
        QTest::addColumn<int>("busyReplies");
        QTest::newRow("9 busy replies, then the answer") << 9;
        QTest::newRow("10 busy replies") << 10;
        QTest::newRow("stays busy") << 100;
    }

    void busyTransmitter() {
        QFETCH(int, busyReplies);
        Fixture fx;
        startAndLoad(fx, {QStringLiteral("--busy"), QString::number(busyReplies)});
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        QVERIFY(fx.settle(kChainMs));

        if (busyReplies < 10) {
            QVERIFY(fx.boxes().isEmpty());
            VERIFY_REQUESTS(fx, 0, repeated(0, busyReplies) + kReadSequence + QList<int>{2});
            verifyShowsDefaults(f);
            QCOMPARE(f.Dev.BusyRetryCount, quint8(0));
            VERIFY_STATE(fx, initial_);
            VERIFY_RESULTS(fx);
            return;
        }

        // The tenth busy reply in a row ends it: one message, nothing more on the line.
        QCOMPARE(fx.boxTexts(), QStringList{kBusyAbort});
        QCOMPARE(fx.boxes().first().title, QStringLiteral("Error"));
        QCOMPARE(fx.boxes().first().buttons, int(vbOKOnly));
        VERIFY_REQUESTS(fx, 0, repeated(0, 10));
        QCOMPARE(MousePointer(), int(vbDefault));
        QCOMPARE(f.ProgressBar1->value(), 0);
        QCOMPARE(f.Dev.BusyRetryCount, quint8(0));

        // Connect starts counting afresh.
        f.Command2->click();
        QVERIFY(fx.settle(kChainMs));
        if (busyReplies == 10) {
            QCOMPARE(fx.boxes().size(), 1);
            VERIFY_REQUESTS(fx, 0, repeated(0, 11) + kReadSequence.mid(1) + QList<int>{2});
            verifyShowsDefaults(f);
        } else {
            QCOMPARE(fx.boxTexts(), (QStringList{kBusyAbort, kBusyAbort}));
            VERIFY_REQUESTS(fx, 0, repeated(0, 20));
        }
        VERIFY_STATE(fx, initial_);
        VERIFY_RESULTS(fx);
        if (busyReplies > 10) recoverOnHealthyLine(fx);
        VERIFY_RESULTS(fx);
    }

    void silentTransmitter_data() {
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<bool>("answersAfterRetry");
        QTest::newRow("never answers: Retry, then Cancel") << QStringList{"--silent"} << false;
        QTest::newRow("silent for three requests: Retry") << QStringList{"--silent", "3"} << true;
    }

    void silentTransmitter() {
        QFETCH(QStringList, simOptions);
        QFETCH(bool, answersAfterRetry);
        Fixture fx;
        fx.noAnswerRetries = 1;
        startAndLoad(fx, simOptions);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        QVERIFY(fx.settle(kNoisyMs));

        const QList<MsgBoxSeam::Shown> boxes = fx.boxes();
        QVERIFY(!boxes.isEmpty());
        for (const MsgBoxSeam::Shown &b : boxes) {
            QCOMPARE(b.prompt, kNoAnswer);
            QCOMPARE(b.title, QStringLiteral("No Device"));
            QCOMPARE(b.buttons, int(vbRetryCancel));
            QVERIFY2(b.detail.contains(fx.sim().pty()), qPrintable(b.detail));
        }
        // Each unanswered transaction was tried three times before the user was asked.
        if (answersAfterRetry) {
            QCOMPARE(boxes.size(), 1);
            VERIFY_REQUESTS(fx, 0, repeated(0, 3) + kReadSequence + QList<int>{2});
            QCOMPARE(f.Command2->text(), QStringLiteral("Re&fresh"));
            verifyShowsDefaults(f);
        } else {
            QCOMPARE(boxes.size(), 2);
            VERIFY_REQUESTS(fx, 0, repeated(0, 6));
            QCOMPARE(f.Command2->text(), QStringLiteral("Co&nnect"));
            QCOMPARE(MousePointer(), int(vbDefault));
            QCOMPARE(f.ProgressBar1->value(), 0);
        }
        VERIFY_STATE(fx, initial_);
        VERIFY_RESULTS(fx);
        if (!answersAfterRetry) recoverOnHealthyLine(fx);
        VERIFY_RESULTS(fx);
    }

    void otherMaker() {
        Fixture fx;
        startAndLoad(fx, {QStringLiteral("--manufacturer"), QStringLiteral("42")});
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        QVERIFY(fx.waitFor([&] { return !f.isVisible(); }, kChainMs));
        QTest::qWait(kQuietCheckMs);

        QCOMPARE(fx.boxTexts(), QStringList{"No ZANU transmitter!! Programm will abort!!"});
        QCOMPARE(fx.boxes().first().title, kAppTitle);
        QCOMPARE(fx.boxes().first().buttons, int(vbOKOnly));
        VERIFY_REQUESTS(fx, 0, {0});
        QCOMPARE(fx.results.size(), 1);
        for (QTimer *t : {f.Timer1, f.Timer2, f.Timer4, f.Timer5})
            QVERIFY(!t->isActive());
        VERIFY_STATE(fx, initial_);
        VERIFY_RESULTS(fx);
    }

    void errorResponses_data() {
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QList<int>>("requests"); // before the read sequence that follows
        QTest::addColumn<QString>("message");
        const auto respond = [](const char *what) {
            return QStringList{QStringLiteral("--respond"), QLatin1String(what)};
        };
        QTest::newRow("35 lower range too high")
            << respond("35:9") << Action::Range << QList<int>{44, 35} << "Lowerrange too high";
        QTest::newRow("35 upper range too high")
            << respond("35:11") << Action::Range << QList<int>{44, 35} << "Upperrange too high";
        QTest::newRow("35 span too small (warning)")
            << respond("35:14") << Action::Range << QList<int>{44, 35} << "Span too Small";
        QTest::newRow("44 invalid selection")
            << respond("44:2") << Action::Range << QList<int>{44} << "Invalid selection";
        QTest::newRow("34 too large")
            << respond("34:3") << Action::Damping << QList<int>{34} << "Passed Parameter too Large";
        QTest::newRow("152 write protected")
            << respond("152:7") << Action::Damping << QList<int>{34, 152} << "In Write Protect Mode";
        QTest::newRow("18 access restricted")
            << respond("18:16") << Action::Tag << QList<int>{18} << "Access Restricted";
        QTest::newRow("150 device specific")
            << respond("150:6") << Action::MountingSet << QList<int>{150}
            << "Transmitter Specific Command Error";
        QTest::newRow("37 new LRV pushed URV")
            << respond("37:14") << Action::LowerEnd << QList<int>{3, 37}
            << "New LRV pushed URV over USL";
        QTest::newRow("36 applied process too high")
            << respond("36:9") << Action::UpperEnd << QList<int>{3, 36} << "Applied process too high";
        QTest::newRow("3 not implemented")
            << respond("3:64") << Action::LowerEnd << QList<int>{3} << "Command Not Implemented";
        QTest::newRow("40 too large")
            << respond("40:3") << Action::Simulate << QList<int>{40} << "Passed Parameter too Large";
        QTest::newRow("write protected transmitter")
            << QStringList{"--write-protect"} << Action::Range << QList<int>{44}
            << "In Write Protect Mode";
    }

    // A refused request: the message, then the read sequence, and the window shows again what
    // the transmitter holds, which is what it held before.
    void errorResponses() {
        QFETCH(QStringList, simOptions);
        QFETCH(Action, action);
        QFETCH(QList<int>, requests);
        QFETCH(QString, message);
        Fixture fx;
        startAndLoad(fx, simOptions);
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        QVERIFY(fx.settle(kChainMs));
        QVERIFY(fx.boxes().isEmpty());
        const int mark = fx.requestCount();

        QString expectedFirstBox;
        switch (action) {
        case Action::Range:
            f.Text4->setText(QStringLiteral("1"));
            f.Text5->setText(QStringLiteral("5"));
            f.Command3->click();
            break;
        case Action::Damping:
            f.Command4->click();
            break;
        case Action::Tag:
            f.Text7->setText(QStringLiteral("NEWTAG"));
            f.Command8->click();
            break;
        case Action::MountingSet:
            f.Combo2->setCurrentIndex(2);
            f.Command9->click();
            break;
        case Action::LowerEnd:
        case Action::UpperEnd:
            if (requests.size() > 1) {
                fx.answers.push_back(vbOK);
                expectedFirstBox = QStringLiteral("Current Pressure value is: ");
            }
            (action == Action::LowerEnd ? f.Command7 : f.Command6)->click();
            break;
        case Action::Simulate:
            f.Command5->click();
            break;
        }
        QVERIFY(fx.waitFor([&] { return f.Timer1->isActive(); }, kChainMs));
        QVERIFY(fx.waitIdle());

        VERIFY_REQUESTS(fx, mark, requests + kReadSequence);
        const QList<MsgBoxSeam::Shown> boxes = fx.boxes();
        QCOMPARE(boxes.size(), expectedFirstBox.isEmpty() ? 1 : 2);
        if (!expectedFirstBox.isEmpty()) QVERIFY(boxes.first().prompt.startsWith(expectedFirstBox));
        QCOMPARE(boxes.last().prompt, message);
        QCOMPARE(boxes.last().title, QStringLiteral("Error"));
        QCOMPARE(boxes.last().buttons, int(vbOKOnly));
        QVERIFY(fx.settle(kChainMs));
        verifyShowsDefaults(f);
        QCOMPARE(f.Text7->text().trimmed(), QStringLiteral("LT-101"));
        QVERIFY(!f.Label15->isVisible());
        QVERIFY(!f.Label16->isVisible());
        VERIFY_STATE(fx, initial_);
        VERIFY_RESULTS(fx);
    }

private:
    // Reads on a faulty line, then sends damping and direction. Whatever the line does, the
    // chain ends (data shown, or the user gave up at the no-answer box), only no-answer boxes
    // appear, and the transmitter holds the old or the new damping and nothing else changed.
    void noisyLineRound(Fixture &fx) {
        Form1 &f = *fx.form;
        QElapsedTimer dbg; dbg.start();
        QObject::connect(f.HartX1, &HartX::Result, [&dbg](qint16, qint16 c, qint16 r) { qDebug() << "DBG t" << dbg.elapsed() << c << r; });
        QVERIFY2(fx.settle(kNoisyMs), "the read on the faulty line did not end");
        qDebug() << "DBG read" << dbg.elapsed() << listText(fx.allRequests()) << fx.boxTexts().size();
        for (auto &r : fx.results) qDebug() << "DBG" << r.command << r.result << r.lastError;
        for (const QString &text : fx.boxTexts())
            QCOMPARE(text, kNoAnswer);
        if (f.Command2->text() == QLatin1String("Re&fresh")) {
            f.Text6->setText(QStringLiteral("1,5"));
            f.Option1[0]->setChecked(true);
            f.Command4->click();
            QVERIFY2(fx.settle(kNoisyMs), "the write on the faulty line did not end");
        qDebug() << "DBG write" << dbg.elapsed() << listText(fx.allRequests()) << fx.boxTexts().size();
            for (const QString &text : fx.boxTexts())
                QCOMPARE(text, kNoAnswer);
        }
        QJsonObject state = fx.sim().state();
        const float damping = float(state.value(QStringLiteral("damping")).toDouble());
        QVERIFY2(damping == 0.4f || damping == 1.5f, qPrintable(QString::number(damping)));
        state.insert(QStringLiteral("damping"), 0.4);
        QString why;
        QVERIFY2(sameState(state, initial_, &why), qPrintable(why));
        VERIFY_RESULTS(fx);
        QCOMPARE(MousePointer(), int(vbDefault));
    }
};

QTEST_MAIN(TestE2eFaults)
#include "test_e2e_faults.moc"
