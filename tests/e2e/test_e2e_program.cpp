// The real zanu-config binary, started the way an engineer starts it: from its own folder with a
// zanu.ini beside it, against zanu-sim on a pseudo-terminal. It has to get through the splash
// window, the read sequence and the first output reading on its own.
#include "e2e_helper.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace e2e;

namespace {

QString fileText(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
}

// Starts `program` from another folder (zanu.ini is found beside it) with COM 5 on `pty`; its
// output goes to app.out and app.err in `dir`.
void startProgram(QProcess &app, const QString &program, const QTemporaryDir &dir,
                  const QString &pty, const QString &platform) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZANU_COM5"), pty);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    app.setProcessEnvironment(env);
    app.setWorkingDirectory(QDir::tempPath());
    app.setStandardOutputFile(dir.filePath(QStringLiteral("app.out")));
    app.setStandardErrorFile(dir.filePath(QStringLiteral("app.err")), QIODevice::Append);
    app.start(program, {});
}

const QByteArray kIni("\"5\"\r\n");

// A copy of the built zanu-config in its own program folder, with zanu.ini choosing COM 5, as an
// installation beside the program is laid out.
void installInto(const QTemporaryDir &dir, QString *program) {
    const QString built = QDir(buildDir()).filePath(QStringLiteral("zanu-config"));
    QVERIFY2(QFile::exists(built), qPrintable(built));
    QVERIFY(dir.isValid());
    *program = dir.filePath(QStringLiteral("zanu-config"));
    QVERIFY(QFile::copy(built, *program));
    QVERIFY(QFile::setPermissions(*program, QFile::permissions(built)));
    QFile f(dir.filePath(QStringLiteral("zanu.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(kIni), qint64(kIni.size()));
}

} // namespace

class TestE2eProgram : public QObject {
    Q_OBJECT

private slots:
    void startsReadsAndPolls_data() {
        QTest::addColumn<QString>("platform");
        QTest::newRow("offscreen") << "offscreen";
        QTest::newRow("xcb") << "xcb";
    }

    void startsReadsAndPolls() {
        QFETCH(QString, platform);
        if (platform == QLatin1String("xcb") && qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X display (DISPLAY is not set)");

        QTemporaryDir dir;
        QString program;
        installInto(dir, &program);
        if (QTest::currentTestFailed()) return;

        SimProcess sim(dir.path());
        QString error;
        QVERIFY2(sim.start({}, &error), qPrintable(error));
        const QJsonObject initial = sim.state();

        QProcess app;
        startProgram(app, program, dir, sim.pty(), platform);
        QVERIFY2(app.waitForStarted(kStartMs), qPrintable(app.errorString()));

        // Splash (1.5 s), the read, Timer1 (1.5 s) and one command 2: about three seconds.
        const QList<int> expected = kReadSequence + QList<int>{2};
        const bool done = QTest::qWaitFor(
            [&] {
                return sim.requests().size() >= expected.size() ||
                       app.state() == QProcess::NotRunning;
            },
            20000);
        const auto errText = [&] { return fileText(dir.filePath(QStringLiteral("app.err"))); };
        QVERIFY2(app.state() == QProcess::Running,
                 qPrintable(QStringLiteral("zanu-config ended (exit %1): %2")
                                .arg(app.exitCode())
                                .arg(errText())));
        QVERIFY2(done, qPrintable(QStringLiteral("requests %1").arg(listText(sim.requests()))));
        QCOMPARE(sim.requests().mid(0, int(expected.size())), expected);

        ::kill(pid_t(app.processId()), SIGTERM);
        if (!app.waitForFinished(kStartMs)) {
            app.kill();
            app.waitForFinished(kStartMs);
        }
        // Ended from outside, it closes as its own Exit does.
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        const QString err = errText();
        QVERIFY2(!err.contains(QLatin1String("AddressSanitizer")) &&
                     !err.contains(QLatin1String("runtime error")),
                 qPrintable(err));
        QCOMPARE(sim.state(), initial);
        QFile f(dir.filePath(QStringLiteral("zanu.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), kIni);
    }

    void restartsAfterAnUncleanEnd_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGKILL") << int(SIGKILL);
    }

    // However the program ended while it had the port open, the next start opens it and reads
    // the transmitter.
    void restartsAfterAnUncleanEnd() {
        QFETCH(int, signalNumber);
        QTemporaryDir dir;
        QString program;
        installInto(dir, &program);
        if (QTest::currentTestFailed()) return;
        SimProcess sim(dir.path());
        QString error;
        QVERIFY2(sim.start({}, &error), qPrintable(error));

        // The read sequence shows the port open, both before the end and after the restart; the
        // first reading's 1.5 s wait on Timer1 adds nothing here (the other test sits it out).
        const QList<int> expected = kReadSequence;
        for (int run = 0; run < 2; ++run) {
            const int mark = int(sim.requests().size());
            QProcess app;
            startProgram(app, program, dir, sim.pty(), QStringLiteral("offscreen"));
            QVERIFY2(app.waitForStarted(kStartMs), qPrintable(app.errorString()));
            const qsizetype want = mark + expected.size();
            const bool done = QTest::qWaitFor(
                [&] {
                    return sim.requests().size() >= want || app.state() == QProcess::NotRunning;
                },
                20000);
            QVERIFY2(done && app.state() == QProcess::Running,
                     qPrintable(QStringLiteral("run %1: requests %2; %3")
                                    .arg(run)
                                    .arg(listText(sim.requests()))
                                    .arg(fileText(dir.filePath(QStringLiteral("app.err"))))));
            QCOMPARE(sim.requests().mid(mark, int(expected.size())), expected);
            ::kill(pid_t(app.processId()), run == 0 ? signalNumber : SIGTERM);
            QVERIFY(QTest::qWaitFor([&] { return app.state() == QProcess::NotRunning; }, kStartMs));
            if (run == 0 && signalNumber == SIGKILL) continue;
            QCOMPARE(app.exitStatus(), QProcess::NormalExit);
            QCOMPARE(app.exitCode(), 0);
        }
        const QString err = fileText(dir.filePath(QStringLiteral("app.err")));
        QVERIFY2(!err.contains(QLatin1String("AddressSanitizer")) &&
                     !err.contains(QLatin1String("runtime error")),
                 qPrintable(err));
    }
};

QTEST_MAIN(TestE2eProgram)
#include "test_e2e_program.moc"
