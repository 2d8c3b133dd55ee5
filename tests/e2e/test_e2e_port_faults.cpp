// The port before any transmitter: no settings file yet, a settings file without a usable port,
// a COM port whose device is missing or is no serial port. The engineer is told what failed and
// where, nothing hangs, and once the port is put right the transmitter is read.
#include "e2e_helper.h"

#include "dialogs/pointer.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace e2e;

namespace {

const QString kNoAnswer = QStringLiteral("No Device Response!!!! Connect transmitter?");

QByteArray fileContent(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestE2ePortFaults : public QObject {
    Q_OBJECT

private slots:
    void missingSettingsFile_data() {
        QTest::addColumn<bool>("folderWritable");
        QTest::newRow("the choice is saved") << true;
        QTest::newRow("the folder cannot take the file") << false;
    }

    // First start: the COM-port dialog comes before the window, and the port chosen there is
    // used at once, whether or not it could be saved for the next start.
    void missingSettingsFile() {
        QFETCH(bool, folderWritable);
        Fixture fx;
        QString error;
        QVERIFY2(fx.startSim({}, &error), qPrintable(error));
        const QJsonObject initial = fx.sim().state();
        fx.iniContent = QByteArray();
        if (!folderWritable) fx.programDir = fx.dir.filePath(QStringLiteral("gone"));
        fx.answerComDialog(5);
        QVERIFY(fx.load());
        QVERIFY(fx.comDialogAnswered());
        QVERIFY(fx.settle(kChainMs));

        VERIFY_REQUESTS(fx, 0, kReadSequence + QList<int>{2});
        verifyShowsDefaults(*fx.form);
        QCOMPARE(fx.form->ComPortNumber, quint8(5));
        const QString ini = QDir(fx.programDir).filePath(QStringLiteral("zanu.ini"));
        if (folderWritable) {
            QVERIFY(fx.boxes().isEmpty());
            QCOMPARE(fileContent(ini), QByteArray("\"5\"\r\n"));
        } else {
            QCOMPARE(fx.boxes().size(), 1);
            const QString prompt = fx.boxes().first().prompt;
            QVERIFY2(prompt.startsWith(
                         QLatin1String("The COM port could not be saved for the next start.")),
                     qPrintable(prompt));
            QVERIFY2(prompt.contains(QLatin1String("COM 5")), qPrintable(prompt));
            QVERIFY(!QFile::exists(ini));
        }
        VERIFY_STATE(fx, initial);
        VERIFY_RESULTS(fx);
    }

    void unreadableSettingsFile_data() {
        QTest::addColumn<bool>("folderInItsPlace"); // else far too large, COM 5 in its first line
        QTest::addColumn<QString>("why");
        QTest::newRow("a folder in its place") << true << "is a folder, not a settings file.";
        QTest::newRow("oversized") << false << "is larger than a settings file can be";
    }

    // The engineer is sent to the settings file, not to a port setting.
    void unreadableSettingsFile() {
        QFETCH(bool, folderInItsPlace);
        QFETCH(QString, why);
        Fixture fx;
        QString error;
        QVERIFY2(fx.startSim({}, &error), qPrintable(error));
        const QString ini = QDir(fx.programDir).filePath(QStringLiteral("zanu.ini"));
        if (folderInItsPlace) {
            fx.iniContent = QByteArray();
            QVERIFY(QDir(fx.programDir).mkdir(QStringLiteral("zanu.ini")));
        } else {
            fx.iniContent = QByteArray("\"5\"\r\n") + QByteArray(200 * 1024, '5');
        }
        QVERIFY(fx.load());
        QVERIFY(fx.settle(kChainMs));

        QVERIFY(!fx.boxes().isEmpty());
        const QString first = fx.boxes().first().prompt;
        QVERIFY2(first.startsWith(QStringLiteral("The settings file could not be read properly."
                                                 "\n\n%1 %2")
                                      .arg(QDir::toNativeSeparators(ini), why)),
                 qPrintable(first));
        QVERIFY2(first.contains(QLatin1String("Config, COM-settings")), qPrintable(first));
        if (folderInItsPlace) {
            QVERIFY(first.contains(QLatin1String("No COM port could be taken from it.")));
            QCOMPARE(fx.boxTexts().mid(1), QStringList{kNoAnswer});
            QVERIFY(fx.sim().requests().isEmpty());
        } else {
            QVERIFY(first.contains(QLatin1String("COM 5, read from it, is used.")));
            QCOMPARE(fx.boxes().size(), 1);
            VERIFY_REQUESTS(fx, 0, kReadSequence + QList<int>{2});
            verifyShowsDefaults(*fx.form);
        }
    }

    void unusablePort_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("device"); // what COM 5 names; empty: the simulator's pty
        QTest::addColumn<QString>("detail"); // part of the reason the box gives
        QTest::newRow("no valid port in zanu.ini")
            << QByteArray("\"07\"\r\n") << QString() << "No COM port is set";
        QTest::newRow("device missing") << QByteArray("\"5\"\r\n") << "/dev/zanu-e2e-no-such-port"
                                        << "does not exist";
        QTest::newRow("not a serial port") << QByteArray("\"5\"\r\n") << "/dev/null"
                                           << "/dev/null";
    }

    // Each Connect ends in one no-answer Result, reported with the reason, and nothing reaches
    // any transmitter; choosing the port under COM-settings then reads it.
    void unusablePort() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, device);
        QFETCH(QString, detail);
        Fixture fx;
        QString error;
        QVERIFY2(fx.startSim({}, &error), qPrintable(error));
        const QJsonObject initial = fx.sim().state();
        if (!device.isEmpty()) qputenv("ZANU_COM5", device.toLocal8Bit());
        fx.iniContent = ini;
        QVERIFY(fx.load());
        Form1 &f = *fx.form;
        QVERIFY(fx.settle(kChainMs));
        f.Command2->click();
        QVERIFY(fx.settle(kChainMs));

        QCOMPARE(fx.results.size(), 2);
        for (const ResultSeen &r : fx.results) {
            QCOMPARE(r.command, qint16(0));
            QCOMPARE(r.result, HartX::kNoAnswer);
        }
        QCOMPARE(fx.boxes().size(), 2);
        for (const MsgBoxSeam::Shown &b : fx.boxes()) {
            QCOMPARE(b.prompt, kNoAnswer);
            QCOMPARE(b.buttons, int(vbRetryCancel));
            QVERIFY2(b.detail.contains(detail), qPrintable(b.detail));
        }
        QCOMPARE(MousePointer(), int(vbDefault));
        QCOMPARE(f.ProgressBar1->value(), 0);
        QVERIFY(fx.sim().requests().isEmpty());
        const QString breach = fx.checkResults(true);
        QVERIFY2(breach.isEmpty(), qPrintable(breach));

        fx.pointCom5At(fx.sim());
        const int resultsBefore = int(fx.results.size());
        QVERIFY(fx.runComSettings(5));
        QVERIFY(fx.settle(kChainMs));
        QCOMPARE(fx.boxes().size(), 2);
        QCOMPARE(fx.sim().requests(), kReadSequence + QList<int>{2});
        QCOMPARE(fx.results.size(), resultsBefore + 6);
        verifyShowsDefaults(f);
        QCOMPARE(fileContent(fx.dir.filePath(QStringLiteral("zanu.ini"))), QByteArray("\"5\"\r\n"));
        VERIFY_STATE(fx, initial);
        QVERIFY2(fx.checkResults(true).isEmpty(), qPrintable(fx.checkResults(true)));
    }
};

QTEST_MAIN(TestE2ePortFaults)
#include "test_e2e_port_faults.moc"
