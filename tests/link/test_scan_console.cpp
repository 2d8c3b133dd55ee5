// `zanu-hart --scan`, run as a program against transmitters played on pseudo-terminals: its
// lines, exactly, and its exit status.
#include "built_program.h"
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
    tool_ = builtProgram(QStringLiteral("zanu-hart"));
    VERIFY_BUILT(tool_);
}

int TestScanConsole::run(const QStringList &args, QString *out, const QProcessEnvironment &env) {
    const ToolRun r = runTool(tool_, args, env);
    *out = r.out;
    return r.exitCode;
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
