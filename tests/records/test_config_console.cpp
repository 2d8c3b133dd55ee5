// zanu-hart's configuration commands end to end: the program run against zanu-sim on a
// pseudo-terminal, checked by its exit status, its output and the simulator's trace of what was
// written.
#include "built_program.h"
#include "records_helper.h"

#include "units/module1.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

namespace {

// zanu-sim with its trace on; the write commands it received are read from the trace.
class Sim {
public:
    ~Sim() {
        proc_.kill();
        proc_.waitForFinished(3000);
    }
    bool start(const QStringList &args) {
        proc_.start(builtProgram(QStringLiteral("zanu-sim")),
                    QStringList{"--timing", "instant", "--steady", "--trace"} + args);
        if (!proc_.waitForStarted(5000)) return false;
        if (!QTest::qWaitFor([&] { return proc_.canReadLine(); }, 5000)) return false;
        const QString first = QString::fromUtf8(proc_.readLine()).trimmed();
        pty_ = first.mid(4);
        return first.startsWith(QLatin1String("PTY /dev/"));
    }
    QString pty() const { return pty_; }
    // `waitForQuiet`: the trace waits in the pipe until asked for; once the run has ended,
    // whatever it produced is there. While it runs, only what has come so far is looked at.
    QList<int> writes(bool waitForQuiet = true) {
        do
            trace_ += QString::fromUtf8(proc_.readAllStandardOutput());
        while (waitForQuiet && proc_.waitForReadyRead(50));
        static const QRegularExpression req(QStringLiteral("REQ cmd=(\\d+)"));
        static const QList<int> writeCommands{18, 34, 35, 44, 150, 152};
        QList<int> out;
        for (auto it = req.globalMatch(trace_); it.hasNext();) {
            const int c = it.next().captured(1).toInt();
            if (writeCommands.contains(c)) out << c;
        }
        return out;
    }

private:
    QProcess proc_;
    QString pty_;
    QString trace_;
};

ToolRun zanuHart(const QStringList &args) {
    return runTool(builtProgram(QStringLiteral("zanu-hart")), args);
}

} // namespace

class TestConfigConsole : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readConfig();
    void readFailures_data();
    void readFailures();
    void writeConfig_data();
    void writeConfig();
};

void TestConfigConsole::initTestCase() {
    VERIFY_BUILT(builtProgram(QStringLiteral("zanu-hart")));
    VERIFY_BUILT(builtProgram(QStringLiteral("zanu-sim")));
    // No other master shares the pty: listening before talking and leaving a link grant after
    // each transaction would only make every run wait. The signal row keeps its real-time reply.
    qputenv("ZANU_HART_TIMING", "quiet=0,rt2=0");
}

// To standard output without a file, to the file with one; either reads back as the simulator's
// configuration.
void TestConfigConsole::readConfig() {
    QTemporaryDir dir;
    for (const bool toFile : {false, true}) {
        Sim sim;
        QVERIFY(sim.start({}));
        const QString path = dir.filePath("read.json");
        // The file as the option's value in one run, as an argument of its own in the other.
        QStringList args{"--port", sim.pty(), "--read-config"};
        if (toFile) args = QStringList{"--port=" + sim.pty(), "--read-config=" + path};
        const ToolRun r = zanuHart(args);
        QCOMPARE(r.exitCode, 0);
        QByteArray json = r.out.toUtf8();
        if (toFile) {
            QVERIFY(r.out.isEmpty());
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            json = f.readAll();
        }
        records::Configuration c;
        QString error;
        QVERIFY2(records::fromJson(json, "read.json", &c, &error), qPrintable(error));
        records::Configuration expected = recordstest::simulatorDefaults();
        expected.saved = c.saved;
        expected.programName = "zanu-hart";
        QCOMPARE(records::toJson(c), records::toJson(expected));
        QCOMPARE(sim.writes(), QList<int>{});
    }
}

void TestConfigConsole::readFailures_data() {
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QString>("target"); // what the output file is: "" none, or its kind
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("silent") << QStringList{"--silent"} << "" << 2 << "no answer to HART command 0";
    QTest::newRow("another maker") << QStringList{"--manufacturer", "38"} << "" << 3
                                   << "is not a Zanu transmitter (manufacturer 38)";
    QTest::newRow("refused read") << QStringList{"--respond", "14:64"} << "" << 4
                                  << "refused HART command 14: Command Not Implemented";
    // A warning carries the data with it; without the data there is nothing to save.
    QTest::newRow("warning without its data")
        << QStringList{"--respond", "14:8"} << "" << 2
        << "the sensor information reply has 0 data bytes where 16 are needed; nothing was done";
    QTest::newRow("unknown unit") << QStringList{"--unit", "99"} << "" << 1
                                  << "unit code 99, which this program does not know";
    QTest::newRow("no command 129")
        << QStringList{"--respond", "129:64"} << "" << 3
        << "(manufacturer 117, Zanu; device type 90) answers HART command 129 with \"Command Not "
           "Implemented\": it is not a Pelvanor I or Ostrimel";
    QTest::newRow("output is a FIFO")
        << QStringList{} << "fifo" << 1 << "out is a FIFO (named pipe), not a regular file";
    QTest::newRow("output is a directory")
        << QStringList{} << "directory" << 1 << "out is a directory, not a regular file";
}

void TestConfigConsole::readFailures() {
    QFETCH(QStringList, simArgs);
    QFETCH(QString, target);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    QStringList args{"--port", QString(), "--read-config"};
    if (target == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(out).constData(), 0600), 0);
    if (target == "directory") QVERIFY(QDir().mkdir(out));
    if (!target.isEmpty()) args << out;
    Sim sim;
    QVERIFY(sim.start(simArgs));
    args[1] = sim.pty();
    const ToolRun r = zanuHart(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

void TestConfigConsole::writeConfig_data() {
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QVariantMap>("edits");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("signalOn"); // SIGTERM once the transmitter has this request; -1 never
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QList<int>>("writes");
    const QStringList none;
    QTest::newRow("nothing to change")
        << none << QVariantMap{} << none << -1 << 0 << "no changes\nverified\n"
        << "" << QList<int>{};
    QTest::newRow("damping and tag")
        << none << QVariantMap{{"damping", 2.5}, {"tag", "PT-9"}} << none << -1 << 0
        << "damping_s: 0.4 s -> 2.5 s\ntag: LT-101 -> PT-9\nverified\n"
           "damping and output direction: written\ntag, descriptor and date: written\n"
        << "" << QList<int>{34, 152, 18};
    QTest::newRow("unit and range")
        << none << QVariantMap{{"unit", "kPa"}, {"upper", 50.0}} << none << -1 << 0
        << "unit: mH2O -> kPa\nupper_range_value: 10 mH2O -> 50 kPa\nverified\n"
           "unit and range: written\n"
        << "" << QList<int>{44, 35};
    // Below the minimum span of 0.5 mH2O the transmitter takes the range and warns.
    QTest::newRow("warning in the range group")
        << none << QVariantMap{{"upper", 0.3}, {"damping", 1.0}} << none << -1 << 0
        << "upper_range_value: 10 mH2O -> 0.3 mH2O\ndamping_s: 0.4 s -> 1 s\n"
           "warning: unit and range: Span too Small\nverified\n"
           "unit and range: written with warning (Span too Small)\n"
           "damping and output direction: written\n"
        << "" << QList<int>{44, 35, 34, 152};
    QTest::newRow("dry run") << none << QVariantMap{{"damping", 2.5}} << QStringList{"--dry-run"}
                             << -1 << 0 << "damping_s: 0.4 s -> 2.5 s\n"
                             << "" << QList<int>{};
    QTest::newRow("refused")
        << QStringList{"--respond", "35:9"} << QVariantMap{{"lower", 2.0}, {"damping", 1.0}} << none
        << -1 << 4
        << "lower_range_value: 0 mH2O -> 2 mH2O\ndamping_s: 0.4 s -> 1 s\n"
           "differs: lower_range_value: file 2 mH2O, transmitter 0 mH2O\n"
           "differs: damping_s: file 1 s, transmitter 0.4 s\n"
           "unit and range: refused (Lowerrange too high)\n"
           "damping and output direction: skipped (an earlier group was refused)\n"
        << "refused HART command 35: Lowerrange too high" << QList<int>{44, 35};
    QTest::newRow("ended by a signal during the write")
        << QStringList{"--timing", "real"} << QVariantMap{{"damping", 2.5}, {"tag", "PT-9"}} << none
        << 152 << 128 + SIGTERM
        << "damping_s: 0.4 s -> 2.5 s\ntag: LT-101 -> PT-9\n"
           "damping and output direction: written\n"
           "tag, descriptor and date: not started (ended by signal 15)\n"
        << "stopped by signal 15" << QList<int>{34, 152};
    QTest::newRow("no command 129")
        << QStringList{"--respond", "129:64"} << QVariantMap{{"damping", 1.0}} << none << -1 << 3
        << ""
        << "it is not a Pelvanor I or Ostrimel; nothing was done" << QList<int>{};
    QTest::newRow("other serial") << none << QVariantMap{{"serial", 6801299}, {"damping", 1.0}}
                                  << none << -1 << 5 << ""
                                  << "serial number 6801299; this one has serial number 6801234"
                                  << QList<int>{};
    QTest::newRow("other serial forced")
        << none << QVariantMap{{"serial", 6801299}, {"damping", 1.0}} << QStringList{"--force"}
        << -1 << 0 << "damping_s: 0.4 s -> 1 s\nverified\ndamping and output direction: written\n"
        << "" << QList<int>{34, 152};
    QTest::newRow("bad file") << none << QVariantMap{{"corrupt", true}} << none << -1 << 1 << ""
                              << "f.json: \"configuration.output\" is \"4 to 20\"" << QList<int>{};
    QTest::newRow("another maker's file")
        << none << QVariantMap{{"manufacturer", 38}} << none << -1 << 3 << ""
        << "only Zanu transmitters are written" << QList<int>{};
}

void TestConfigConsole::writeConfig() {
    QFETCH(QStringList, simArgs);
    QFETCH(QVariantMap, edits);
    QFETCH(QStringList, options);
    QFETCH(int, signalOn);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QList<int>, writes);
    records::Configuration c = recordstest::simulatorDefaults();
    if (edits.contains("unit")) {
        c.unit = edits["unit"].toString();
        c.unitCode = Module1::UnitCodeFromName(c.unit);
    }
    c.lowerRangeValue = edits.value("lower", c.lowerRangeValue).toDouble();
    c.upperRangeValue = edits.value("upper", c.upperRangeValue).toDouble();
    c.dampingS = edits.value("damping", c.dampingS).toDouble();
    c.tag = edits.value("tag", c.tag).toString();
    c.serialNumber = edits.value("serial", c.serialNumber).toLongLong();
    c.manufacturer = edits.value("manufacturer", c.manufacturer).toInt();
    QTemporaryDir dir;
    const QString path = dir.filePath("f.json");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QByteArray json = records::toJson(c);
    if (edits.contains("corrupt")) json.replace("\"4-20 mA\"", "\"4 to 20\"");
    f.write(json);
    f.close();

    Sim sim;
    QVERIFY(sim.start(simArgs));
    QProcess p;
    p.start(builtProgram(QStringLiteral("zanu-hart")),
            QStringList{"--port", sim.pty(), "--write-config", path} + options);
    QVERIFY(p.waitForStarted(3000));
    if (signalOn >= 0) {
        QVERIFY(QTest::qWaitFor([&] { return sim.writes(false).contains(signalOn); }, 20000));
        ::kill(pid_t(p.processId()), SIGTERM);
    }
    QVERIFY(QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out);
    const QString errText = QString::fromUtf8(p.readAllStandardError());
    if (err.isEmpty())
        QCOMPARE(errText, QString());
    else
        QVERIFY2(errText.contains(err), qPrintable(errText));
    QCOMPARE(sim.writes(), writes);
}

QTEST_GUILESS_MAIN(TestConfigConsole)
#include "test_config_console.moc"
