// `zanu-hart --scan`, run as a program against transmitters played on pseudo-terminals: its
// lines, exactly, and its exit status.
#include "scan_helper.h"

#include <QProcess>
#include <QtTest>

class TestScanConsole : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsEachTransmitter();
    void exitStatus_data();
    void exitStatus();

private:
    int run(const QStringList &args, QString *out, const QProcessEnvironment &env = {});
    QString tool_;
};

void TestScanConsole::initTestCase() {
    const QString dir = qEnvironmentVariable("ZANU_BUILD_DIR");
    tool_ = (dir.isEmpty() ? QCoreApplication::applicationDirPath() + "/.." : dir) + "/zanu-hart";
    if (!QFileInfo(tool_).isExecutable()) QSKIP("zanu-hart is not built");
}

int TestScanConsole::run(const QStringList &args, QString *out, const QProcessEnvironment &env) {
    QProcess p;
    if (!env.isEmpty()) p.setProcessEnvironment(env);
    p.start(tool_, args);
    // The event loop keeps running: the transmitters live in it.
    if (!p.waitForStarted(3000) ||
        !QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 30000)) {
        p.kill();
        p.waitForFinished(1000);
        return -1;
    }
    *out = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void TestScanConsole::listsEachTransmitter() {
    ScanBench bench;
    QVERIFY(bench.ok());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZANU_COM6"), bench.atThree.slave());
    QString out;
    const int code = run(
        {"--scan", "--port", bench.atZero.slave(), "--port", "COM6", "--timing", "rt2=5,quiet=5"},
        &out, env);
    QCOMPARE(code, 0);
    QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.last(), QStringLiteral("found 2"));
    lines.removeLast();
    lines.sort();
    QCOMPARE(lines[0], QStringLiteral("COM=- PORT=%1 ADDR=0 MFR=117 TYPE=10 ID=010203 TAG=\"LT-0\"")
                           .arg(bench.atZero.slave()));
    QCOMPARE(lines[1], QStringLiteral("COM=6 PORT=%1 ADDR=3 MFR=117 TYPE=10 ID=0a0b0c TAG=\"LT-3\"")
                           .arg(bench.atThree.slave()));
}

void TestScanConsole::exitStatus_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::newRow("port that is not there")
        << QStringList{"--scan", "--port", "/dev/zanu-no-such-port"} << 2 << "found 0\n";
    QTest::newRow("COM13") << QStringList{"--scan", "--port", "COM13"} << 1 << "";
    QTest::newRow("command with scan") << QStringList{"--scan", "13"} << 1 << "";
    QTest::newRow("timing key unknown") << QStringList{"--scan", "--timing", "rt9=1"} << 1 << "";
}

void TestScanConsole::exitStatus() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, out);
    QString got;
    QCOMPARE(run(args, &got), code);
    QCOMPARE(got, out);
}

QTEST_GUILESS_MAIN(TestScanConsole)
#include "test_scan_console.moc"
