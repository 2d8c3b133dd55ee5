// Faults on the line, end to end through the real serial code: replies garbled, bytes lost,
// noise between frames, the port gone in the middle of a transaction. In every case: no crash
// and no hang (every wait is bounded), exactly one Result per transaction, nothing written to the
// transmitter that the user did not send, and a correct read once the line is healthy again.
#include "e2e_helper.h"

#include "dialogs/pointer.h"
#include "hart/link/com_port_name.h"
#include "units/module1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace e2e;

namespace {

const QString kNoAnswer = QStringLiteral("No Device Response!!!! Connect transmitter?");

} // namespace

class TestE2eLineFaults : public QObject {
    Q_OBJECT

    QJsonObject initial_;

    void startAndLoad(Fixture &fx, const QStringList &simOptions,
                      const std::function<void(Form1 &)> &beforeLoad = {}) {
        e2e::startAndLoad(fx, simOptions, &initial_, beforeLoad);
    }

private slots:
    void corruptedReplies_data() {
        QTest::addColumn<double>("probability");
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("retries"); // times the user answers Retry
        QTest::newRow("1 %, seed 1") << 0.01 << 1 << 4;
        QTest::newRow("1 %, seed 7") << 0.01 << 7 << 4;
        // At 5 % most replies of 30-odd bytes are hit, and a read of five transactions rarely
        // gets through: one Retry shows the path without spending seconds on hopeless reads.
        QTest::newRow("5 %, seed 1") << 0.05 << 1 << 1;
    }

    // Bits flipped in the replies: the control retries garbled replies, the user retries when a
    // transaction still fails, and the one write the user makes lands whole or not at all.
    void corruptedReplies() {
        QFETCH(double, probability);
        QFETCH(int, seed);
        QFETCH(int, retries);
        Fixture fx;
        fx.noAnswerRetries = retries;
        startAndLoad(fx, {QStringLiteral("--corrupt"), QString::number(probability),
                          QStringLiteral("--seed"), QString::number(seed)});
        if (QTest::currentTestFailed()) return;
        noisyLineRound(fx);
        if (QTest::currentTestFailed()) return;
        // The fault was met: some transaction needed more than one try.
        QVERIFY(fx.requestCount() > fx.results.size());
        recoverOnHealthyLine(fx);
        VERIFY_RESULTS(fx);
    }

    void droppedBytes_data() {
        QTest::addColumn<double>("probability");
        QTest::addColumn<int>("seed");
        QTest::newRow("2 %, seed 5") << 0.02 << 5;
    }

    void droppedBytes() {
        QFETCH(double, probability);
        QFETCH(int, seed);
        Fixture fx;
        fx.noAnswerRetries = 4;
        startAndLoad(fx, {QStringLiteral("--drop"), QString::number(probability),
                          QStringLiteral("--seed"), QString::number(seed)});
        if (QTest::currentTestFailed()) return;
        noisyLineRound(fx);
        if (QTest::currentTestFailed()) return;
        // The fault was met: some transaction needed more than one try.
        QVERIFY(fx.requestCount() > fx.results.size());
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
        LineFaults faults;
        faults.burstProbability = probability;
        faults.seed = seed;
        startAndLoad(fx, {},
                     [&](Form1 &f) { f.HartX1->setLineFactory(FaultyLine::factory(faults)); });
        if (QTest::currentTestFailed()) return;
        noisyLineRound(fx);
        if (QTest::currentTestFailed()) return;
        QVERIFY(FaultyLine::burstsInjected() > 0);
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
        // The reply is on the wire for some 300 ms at 1200 bit/s: the master waits as for a real
        // transmitter, or it gives up before the cut.
        fx.linkTiming = LinkTiming();
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
        // The reply to 15 takes some 300 ms on the wire; a slow machine may notice the request
        // only once the next one is out.
        QVERIFY2(last.command == 15 || last.command == 14 || last.command == 129,
                 qPrintable(QString::number(last.command)));
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
        QVERIFY2(
            fx.boxes().isEmpty(),
            qPrintable(QStringLiteral("Connect after the port came back: %1 (%2)")
                           .arg(fx.boxTexts().join(QStringLiteral(" | ")),
                                fx.boxes().isEmpty() ? QString() : fx.boxes().first().detail)));
        QCOMPARE(second.requests(), kReadSequence + QList<int>{2});
        verifyShowsDefaults(f);
        VERIFY_RESULTS(fx);
    }

    void pollLosesTransmitter_data() {
        QTest::addColumn<int>("retries");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Retry, then Cancel") << 1;
    }

    // The transmitter goes away while monitoring is on: the next poll ends in the no-answer
    // box, and unless the user retries, the polling stops there.
    void pollLosesTransmitter() {
        QFETCH(int, retries);
        Fixture fx;
        startAndLoad(fx, {});
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        QVERIFY(fx.settle(kChainMs));
        f.Option3[1]->click();
        QVERIFY(fx.waitFor([&] { return f.Timer5->isActive(); }));
        QVERIFY(fx.waitIdle());
        const QString shown = f.Text9[0]->text();
        QVERIFY(!shown.isEmpty());
        const int resultsBefore = int(fx.results.size());

        fx.sim().kill();
        fx.noAnswerRetries = retries;
        QVERIFY(fx.tick(f.Timer5));
        QVERIFY(fx.settle(kChainMs));
        QVERIFY(fx.nothingMoreGoesOut());

        QCOMPARE(fx.results.size(), resultsBefore + 1 + retries);
        for (int i = resultsBefore; i < fx.results.size(); ++i)
            QCOMPARE(fx.results[i].result, HartX::kNoAnswer);
        QCOMPARE(fx.boxes().size(), 1 + retries);
        for (const MsgBoxSeam::Shown &b : fx.boxes()) {
            QCOMPARE(b.prompt, kNoAnswer);
            QVERIFY2(b.detail.contains(fx.sim().pty()), qPrintable(b.detail));
        }
        QVERIFY(!f.Timer5->isActive());
        QVERIFY(!f.Timer1->isActive());
        QCOMPARE(MousePointer(), int(vbDefault));
        QCOMPARE(f.ProgressBar1->value(), 0);
        QCOMPARE(f.Command2->text(),
                 retries ? QStringLiteral("Co&nnect") : QStringLiteral("Re&fresh"));
        VERIFY_STATE(fx, initial_);
        const QString breach = fx.checkResults(true);
        QVERIFY2(breach.isEmpty(), qPrintable(breach));
    }

    void lostReplyToWrite_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("lost");
        QTest::addColumn<int>("retries");
        QTest::newRow("range, every try lost, Retry") << 35 << 3 << 1;
        QTest::newRow("range, every try lost, Cancel") << 35 << 3 << 0;
        QTest::newRow("tag, first try lost") << 18 << 1 << 0;
    }

    // The transmitter carries a write out but its answer never arrives. The control tries
    // again with the very same request; when no answer comes at all, the user is told, and the
    // transmitter holds what the user sent, nothing else.
    void lostReplyToWrite() {
        QFETCH(int, command);
        QFETCH(int, lost);
        QFETCH(int, retries);
        Fixture fx;
        LineFaults faults;
        faults.swallowCommand = command;
        faults.swallowTimes = lost;
        startAndLoad(fx, {},
                     [&](Form1 &f) { f.HartX1->setLineFactory(FaultyLine::factory(faults)); });
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        QVERIFY(fx.settle(kChainMs));
        QVERIFY(fx.boxes().isEmpty());
        const int mark = fx.requestCount();
        fx.noAnswerRetries = retries;

        QJsonObject changes;
        QList<int> chain;
        if (command == 35) {
            f.Text4->setText(QStringLiteral("1"));
            f.Text5->setText(QStringLiteral("5"));
            f.Command3->click();
            changes = {{"urv", 6.0}, {"lrv", 1.0}};
            chain = {44};
        } else {
            f.Text7->setText(QStringLiteral("LT-7"));
            f.Command8->click();
            changes = {{"tag", "LT-7"}};
        }
        // The control gives up after three tries of one transaction.
        const bool answered = lost < 3;
        chain += QList<int>(answered ? lost + 1 : 3, command);
        if (answered) {
            QVERIFY(fx.waitFor([&] { return f.Timer2->isActive(); }, kNoisyMs));
        } else if (retries) {
            QVERIFY(fx.waitFor([&] { return f.Timer1->isActive(); }, kNoisyMs));
            chain += kReadSequence;
        } else {
            QVERIFY(fx.waitFor([&] { return fx.boxes().size() == 1 && !f.HartX1->isBusy(); },
                               kNoisyMs));
        }
        QVERIFY(fx.waitIdle());
        VERIFY_REQUESTS(fx, mark, chain);
        QCOMPARE(FaultyLine::repliesSwallowed(), lost);
        // Every try carried the same request.
        QByteArray first;
        for (const TraceLine &t : fx.sim().trace()) {
            if (!t.request || t.command != command) continue;
            if (first.isNull()) first = t.data;
            QCOMPARE(t.data.toHex(), first.toHex());
        }
        VERIFY_STATE(fx, withChanges(initial_, changes));

        if (answered) {
            QVERIFY(fx.boxes().isEmpty());
        } else {
            QCOMPARE(fx.boxTexts(), QStringList{kNoAnswer});
            QVERIFY2(fx.boxes().first().detail.contains(fx.sim().pty()),
                     qPrintable(fx.boxes().first().detail));
        }
        if (answered || retries) {
            QVERIFY(fx.settle(kChainMs));
            if (retries) {
                // The window shows what the transmitter holds now.
                QCOMPARE(Module1::NumberOf(f.Text4->text()), 1.0);
                QCOMPARE(Module1::NumberOf(f.Text5->text()), 5.0);
            }
        } else {
            QCOMPARE(MousePointer(), int(vbDefault));
            QCOMPARE(f.ProgressBar1->value(), 0);
            QVERIFY(!f.Timer2->isActive());
        }
        VERIFY_RESULTS(fx);
    }

private:
    // Reads on a faulty line, then sends damping and direction. Whatever the line does, the
    // chain ends (data shown, or the user gave up at the no-answer box), only no-answer boxes
    // appear, and the transmitter holds the old or the new damping and nothing else changed.
    void noisyLineRound(Fixture &fx) {
        Form1 &f = *fx.form;
        QVERIFY2(fx.settle(kNoisyMs), "the read on the faulty line did not end");
        for (const QString &text : fx.boxTexts())
            QCOMPARE(text, kNoAnswer);
        if (f.Command2->text() == QLatin1String("Re&fresh")) {
            f.Text6->setText(QStringLiteral("1,5"));
            f.Option1[0]->setChecked(true);
            f.Command4->click();
            QVERIFY2(fx.settle(kNoisyMs), "the write on the faulty line did not end");
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

QTEST_MAIN(TestE2eLineFaults)
#include "test_e2e_line_faults.moc"
