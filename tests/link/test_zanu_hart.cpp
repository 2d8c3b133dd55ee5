// The zanu-hart console tool, run as a program against a transmitter played on a
// pseudo-terminal: its output line, its exit status and its messages.
#include "built_program.h"
#include "pty_helper.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {} // namespace

class TestZanuHart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void badArguments_data();
    void badArguments();
    void talksToATransmitter_data();
    void talksToATransmitter();
    void noAnswer_data();
    void noAnswer();
    void signalClosesThePort_data();
    void signalClosesThePort();

private:
    ToolRun run(const QStringList &args, const QProcessEnvironment &env = {});
    QString tool_;
};

void TestZanuHart::initTestCase() {
    tool_ = builtProgram(QStringLiteral("zanu-hart"));
    VERIFY_BUILT(tool_);
}

ToolRun TestZanuHart::run(const QStringList &args, const QProcessEnvironment &env) {
    return runTool(tool_, args, env, 10000);
}

void TestZanuHart::badArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("problem");
    QTest::newRow("nothing") << QStringList{} << "--port is required";
    QTest::newRow("no command") << QStringList{"--port", "COM5"} << "no command given";
    QTest::newRow("command too big") << QStringList{"--port", "COM5", "256"} << "not 0-255";
    QTest::newRow("command not a number") << QStringList{"--port", "COM5", "x"} << "not 0-255";
    QTest::newRow("odd hex") << QStringList{"--port", "COM5", "18", "ABC"}
                             << "request data ABC is an odd number of hex digits";
    QTest::newRow("not hex") << QStringList{"--port", "COM5", "18", "zz"}
                             << "request data zz is not hexadecimal";
    QTest::newRow("hex with a stray letter")
        << QStringList{"--port", "COM5", "18", "0G"} << "request data 0G is not hexadecimal";
    QTest::newRow("too much data")
        << QStringList{"--port", "COM5", "18", QString(512, 'A')} << "at most 255";
    QTest::newRow("COM 13") << QStringList{"--port", "COM13", "0"} << "COM1 to COM12";
    QTest::newRow("polling address")
        << QStringList{"--port", "COM5", "--polling-address", "64", "0"} << "not 0-63";
    QTest::newRow("unknown option")
        << QStringList{"--port", "COM5", "--fast", "0"} << "unknown option --fast";
    QTest::newRow("extra argument")
        << QStringList{"--port", "COM5", "0", "00", "11"} << "too many arguments";
    QTest::newRow("bad timing") << QStringList{"--port", "COM5", "--timing", "rt1=fast", "0"}
                                << "rt1 takes a whole number";
    QTest::newRow("option without its value") << QStringList{"0", "--port"} << "--port";
}

void TestZanuHart::badArguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, problem);
    const ToolRun r = run(args);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(problem), qPrintable(r.err));
    QVERIFY(r.err.contains("usage: zanu-hart --port"));
    QVERIFY(r.out.isEmpty());
}

void TestZanuHart::talksToATransmitter_data() {
    QTest::addColumn<QStringList>("extra"); // options before the command
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("expected");

    QTest::newRow("command 0 once") << QStringList{} << 0 << ""
                                    << "rc=0 status=0x00 data=fe750a050501020800010203\n";
    QTest::newRow("command 44 echoes its data") << QStringList{} << 44 << "4B"
                                                << "rc=0 status=0x00 data=4b\n";
    QTest::newRow("command 13 decoded")
        << QStringList{} << 13 << ""
        << "rc=0 status=0x00 data=40515250"
           "54d43d204330580415"
           "30d2250520070c7e\n"
           "tag=\"PEERTEST\" descriptor=\"ORACLE DESCRIPT \" date=2026-12-07\n";
    QTest::newRow("command 13 field by field")
        << QStringList{"--decode"} << 13 << ""
        << "rc=0 status=0x00 data=40515250"
           "54d43d204330580415"
           "30d2250520070c7e\n"
           "  tag=\"PEERTEST\"\n  descriptor=\"ORACLE DESCRIPT \"\n  date=2026-12-07\n";
    // The fake device echoes a write: 44 with unit 75.
    QTest::newRow("command 44 field by field") << QStringList{"--decode"} << 44 << "4B"
                                               << "rc=0 status=0x00 data=4b\n  pv_unit=75\n";
    QTest::newRow("command outside the catalogue")
        << QStringList{"--decode"} << 200 << "01"
        << "rc=0 status=0x00 data=01\n(command 200 is not in the catalogue; no fields to show)\n";
    QTest::newRow("polling address and secondary master")
        << QStringList{"--polling-address", "7", "--secondary"} << 2 << "0102"
        << "rc=0 status=0x00 data=0102\n";
    QTest::newRow("verbose") << QStringList{"--verbose"} << 44 << "4B"
                             << "rc=0 status=0x00 data=4b\n";
    QTest::newRow("values after =")
        << QStringList{"--polling-address=7", "--timing=rt2=5"} << 2 << "0102"
        << "rc=0 status=0x00 data=0102\n";
    // "link" in the working directory, a link to the pseudo-terminal; not /dev/link.
    QTest::newRow("port relative to the working directory")
        << QStringList{"--port=link"} << 44 << "4B"
        << "rc=0 status=0x00 data=4b\n";
}

void TestZanuHart::talksToATransmitter() {
    QFETCH(QStringList, extra);
    QFETCH(int, command);
    QFETCH(QString, data);
    QFETCH(QString, expected);

    PtyMaster pty;
    if (!pty.ok()) QSKIP("no pseudo-terminals here");
    PtyTransmitter tx(pty);
    tx.echo = true;
    QTemporaryDir dir;
    const QString cwd = QDir::currentPath();
    QVERIFY(QFile::link(pty.slave(), dir.filePath("link")));
    QDir::setCurrent(dir.path()); // the tool inherits it
    auto back = qScopeGuard([&] { QDir::setCurrent(cwd); });
    const int polling = extra.filter("--polling-address").isEmpty() ? 0 : 7;
    tx.device.pollingAddress = quint8(polling);
    FakeDevice::Answer tag;
    tag.data = hexBytes("40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 25 05 20 07 0C 7E");
    tx.device.script[13] = {tag};

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZANU_COM5", pty.slave());
    QStringList args{"--port", "COM5"};
    args << extra << QString::number(command);
    if (!data.isEmpty()) args << data;
    const ToolRun r = run(args, env);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out, expected);
    if (extra.contains("--verbose")) {
        // Both frames of both transactions, each way, on stderr.
        QCOMPARE(r.err.count(QRegularExpression("^zanu.hart.wire: TX ",
                                                QRegularExpression::MultilineOption)),
                 2);
        QVERIFY2(r.err.contains(QRegularExpression("zanu.hart.wire: RX .*ACK cmd 44 from")),
                 qPrintable(r.err));
    } else {
        QVERIFY(r.err.isEmpty());
    }

    // Command 0 first (short address), then the command at the long address learned from it.
    QList<int> commands;
    for (const auto &f : tx.device.requests)
        commands << f.command;
    QCOMPARE(commands, command == 0 ? QList<int>{0} : (QList<int>{0, command}));
    const bool primary = !extra.contains("--secondary");
    QCOMPARE(hart::isPrimaryMaster(tx.device.requests[0].address), primary);
    QCOMPARE(int(quint8(tx.device.requests[0].address[0]) & 0x3F), polling);
    if (command != 0) QVERIFY(tx.device.requests[1].isLong());
}

void TestZanuHart::noAnswer_data() {
    QTest::addColumn<bool>("devicePresent");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("port missing")
        << false << "zanu-hart: no answer: COM 5 (/nonexistent/ttyZANU) does not exist" << 2;
    QTest::newRow("transmitter silent") << true << "after 3 tries" << 2;
    QTest::newRow("no retries from the environment") << true << "after 1 try" << 2;
    QTest::newRow("no permission") << true << "zanu-hart: Permission denied on COM 5 (" << 7;
}

void TestZanuHart::noAnswer() {
    QFETCH(bool, devicePresent);
    QFETCH(QString, message);
    QFETCH(int, exitCode);
    PtyMaster pty;
    if (!pty.ok()) QSKIP("no pseudo-terminals here");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZANU_COM5", devicePresent ? pty.slave() : "/nonexistent/ttyZANU");
    // Short time-outs: silence costs no real seconds, and the variable is seen to work.
    env.insert("ZANU_HART_TIMING", message.contains("1 try") ? "rt1=60,retries=0" : "rt1=60");
    QStringList args{"--port", "COM5", "13"};
    QString program = tool_;
    if (exitCode == 7) {
        // The pseudo-terminal is root's and its group's; as nobody the tool may not open it.
        if (::geteuid() != 0) QSKIP("needs root to run the tool as another user");
        args = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", tool_} + args;
        program = QStringLiteral("setpriv");
    }
    const ToolRun r = runTool(program, args, env, 10000);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

void TestZanuHart::signalClosesThePort_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

// Stopped while waiting for a reply, the tool closes the port with the settings it found, so
// that the next program can open it.
void TestZanuHart::signalClosesThePort() {
    QFETCH(int, signalNumber);
    PtyMaster pty; // no transmitter: the tool keeps waiting and retrying
    if (!pty.ok()) QSKIP("no pseudo-terminals here");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZANU_COM5", pty.slave());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(tool_, {"--port", "COM5", "0"});
    QVERIFY(p.waitForStarted(3000));
    QVERIFY(waitInLoop([&] { return !pty.got.isEmpty(); }, 3000));
    ::kill(pid_t(p.processId()), signalNumber);
    QVERIFY(waitInLoop([&] { return p.state() == QProcess::NotRunning; }, 3000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 128 + signalNumber);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("stopped by signal %1").arg(signalNumber)),
             qPrintable(err));

    const int fd = ::open(pty.slave().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios t{};
    QCOMPARE(::tcgetattr(fd, &t), 0);
    ::close(fd);
    QVERIFY(!(t.c_iflag & IGNPAR));
}

QTEST_GUILESS_MAIN(TestZanuHart)
#include "test_zanu_hart.moc"
