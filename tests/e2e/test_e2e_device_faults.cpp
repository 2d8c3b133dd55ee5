// The transmitter side of things going wrong, end to end through the real serial code: a
// transmitter that stays busy, one that does not answer, one of another maker, and refusals of
// each write. In every case: no crash and no hang (every wait is bounded), exactly one Result per
// transaction, nothing written to the transmitter that the user did not send, and a correct read
// once things are healthy again.
#include "e2e_helper.h"

#include "dialogs/pointer.h"

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

class TestE2eDeviceFaults : public QObject {
    Q_OBJECT

    QJsonObject initial_;

    void startAndLoad(Fixture &fx, const QStringList &simOptions) {
        e2e::startAndLoad(fx, simOptions, &initial_);
    }

private slots:
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
        QVERIFY(fx.nothingMoreGoesOut());

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

    void swappedTransmitter_data() {
        QTest::addColumn<QStringList>("simOptions"); // the device now on the loop
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("detail");
        QTest::newRow("another maker")
            << QStringList{"--manufacturer", "50"} << false
            << "A different device now answers on COM 5 (%1) (manufacturer 50, device type 90, "
               "device id 0B7C2D), not the transmitter that was read (manufacturer 117, device "
               "type 90, device id 0B7C2D). Nothing was sent to it";
        QTest::newRow("another Zanu transmitter")
            << QStringList{"--device-id", "0A0B0C"} << false
            << "(manufacturer 117, device type 90, device id 0A0B0C), not the transmitter";
        QTest::newRow("the same transmitter back") << QStringList{} << true << "";
    }

    // The loop goes quiet, the user cancels, another device is connected and the user presses
    // Send: only the transmitter that was read and checked may be written to.
    void swappedTransmitter() {
        QFETCH(QStringList, simOptions);
        QFETCH(bool, written);
        QFETCH(QString, detail);
        Fixture fx;
        startAndLoad(fx, {});
        if (QTest::currentTestFailed()) return;
        Form1 &f = *fx.form;
        QVERIFY(fx.settle(kChainMs));
        QVERIFY(fx.boxes().isEmpty());

        fx.sim().kill();
        f.Command2->click();
        QVERIFY(fx.settle(kChainMs));
        QCOMPARE(fx.boxTexts(), QStringList{kNoAnswer});
        QString error;
        QVERIFY2(fx.startSim(simOptions, &error), qPrintable(error));
        const QJsonObject before = fx.sim().state();

        f.Text7->setText(QStringLiteral("SWAPPED"));
        f.Command8->click();
        QVERIFY(fx.settle(kChainMs));
        if (written) {
            QCOMPARE(fx.sim().requests(), (QList<int>{0, 18}));
            QCOMPARE(fx.boxes().size(), 1);
            VERIFY_STATE(fx, withChanges(before, {{"tag", "SWAPPED"}}));
        } else {
            QCOMPARE(fx.sim().requests(), QList<int>{0});
            QCOMPARE(fx.boxTexts(), (QStringList{kNoAnswer, kNoAnswer}));
            const QString shown = fx.boxes().last().detail;
            QVERIFY2(shown.contains(detail.arg(fx.sim().pty())), qPrintable(shown));
            QCOMPARE(MousePointer(), int(vbDefault));
            QCOMPARE(f.ProgressBar1->value(), 0);
            VERIFY_STATE(fx, before);
        }
        const QString breach = fx.checkResults(true);
        QVERIFY2(breach.isEmpty(), qPrintable(breach));
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
        QTest::newRow("35 span too small (warning)")
            << respond("35:14") << Action::Range << QList<int>{44, 35} << "Span too Small";
        QTest::newRow("44 invalid selection")
            << respond("44:2") << Action::Range << QList<int>{44} << "Invalid selection";
        QTest::newRow("34 too large")
            << respond("34:3") << Action::Damping << QList<int>{34} << "Passed Parameter too Large";
        QTest::newRow("152 write protected") << respond("152:7") << Action::Damping
                                             << QList<int>{34, 152} << "In Write Protect Mode";
        QTest::newRow("18 access restricted")
            << respond("18:16") << Action::Tag << QList<int>{18} << "Access Restricted";
        QTest::newRow("150 device specific")
            << respond("150:6") << Action::MountingSet << QList<int>{150}
            << "Transmitter Specific Command Error";
        QTest::newRow("37 new LRV pushed URV")
            << respond("37:14") << Action::LowerEnd << QList<int>{3, 37}
            << "New LRV pushed URV over USL";
        QTest::newRow("36 applied process too high")
            << respond("36:9") << Action::UpperEnd << QList<int>{3, 36}
            << "Applied process too high";
        QTest::newRow("3 not implemented")
            << respond("3:64") << Action::LowerEnd << QList<int>{3} << "Command Not Implemented";
        QTest::newRow("40 too large") << respond("40:3") << Action::Simulate << QList<int>{40}
                                      << "Passed Parameter too Large";
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
};

QTEST_MAIN(TestE2eDeviceFaults)
#include "test_e2e_device_faults.moc"
