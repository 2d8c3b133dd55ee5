// zanu-sim as a program: started from the build, talked to through its pseudo-terminal with raw
// termios and our frame codec, checked in its trace output and its state file.

#include "built_program.h"
#include "sim_test_helper.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace simtest;

namespace {

// The long address of zanu-sim's transmitter as it gives it out (maker 117, type 5A, id 0B7C2D).
const QByteArray kAddress = hex("B5 5A 0B 7C 2D");

QString simProgram() {
    return builtProgram(QStringLiteral("zanu-sim"));
}

class Sim {
public:
    ~Sim() { stop(); }

    bool start(const QStringList &args) {
        program_ = simProgram();
        if (!QFile::exists(program_)) {
            qWarning("zanu-sim not found at %s", qPrintable(program_));
            return false;
        }
        proc_.start(program_, args);
        if (!proc_.waitForStarted(5000)) return false;
        if (!QTest::qWaitFor([&] { return proc_.canReadLine(); }, 5000)) return false;
        const QString first = QString::fromUtf8(proc_.readLine()).trimmed();
        if (!first.startsWith(QLatin1String("PTY /dev/"))) {
            qWarning("first line: %s", qPrintable(first));
            return false;
        }
        pty_ = first.mid(4);
        return openPty();
    }

    bool openPty() {
        fd_ = ::open(pty_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0) return false;
        termios t{};
        ::tcgetattr(fd_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd_, TCSANOW, &t);
        return true;
    }

    void closePty() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    // Sends one request and waits for a whole reply, or for `waitMs` of silence.
    std::optional<hart::Frame> transact(const QByteArray &address, quint8 command,
                                        const QByteArray &data = {}, int waitMs = 1000) {
        const QByteArray frame = requestFrame(address, command, data);
        if (::write(fd_, frame.constData(), size_t(frame.size())) != frame.size())
            return std::nullopt;
        hart::FrameParser parser;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < waitMs) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0) {
                char buf[256];
                const ssize_t n = ::read(fd_, buf, sizeof buf);
                if (n > 0) parser.push(QByteArray(buf, int(n)));
            }
            while (auto item = parser.take())
                if (item->outcome == hart::FrameParser::Outcome::Frame && item->frame.isReply())
                    return item->frame;
        }
        return std::nullopt;
    }

    // The trace once it holds `lines` whole lines: the simulator's output may still be on its
    // way when its last reply has arrived.
    QStringList traceLines(int lines) {
        // Short of that, the caller's comparison shows what is missing.
        (void)QTest::qWaitFor(
            [&] {
                pending_ += proc_.readAllStandardOutput();
                const int end = int(pending_.lastIndexOf('\n'));
                trace_ += QString::fromUtf8(pending_.left(end + 1))
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
                pending_.remove(0, end + 1);
                return trace_.size() >= lines;
            },
            2000);
        return trace_;
    }

    int stop() {
        closePty();
        if (proc_.state() == QProcess::NotRunning) return proc_.exitCode();
        ::kill(pid_t(proc_.processId()), SIGTERM);
        if (!proc_.waitForFinished(3000)) {
            proc_.kill();
            proc_.waitForFinished(1000);
            return -1;
        }
        return proc_.exitStatus() == QProcess::NormalExit ? proc_.exitCode() : -1;
    }

    QProcess proc_;
    QString program_;
    QString pty_;
    int fd_ = -1;
    QStringList trace_;
    QByteArray pending_; // the start of a line not yet ended
};

} // namespace

class TestZanuSim : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { VERIFY_BUILT(simProgram()); }
    void readSequenceAndRangeWrite();
    void reopenedPtyStillServed();
    void ptyAsNewAfterAKilledClient_data();
    void ptyAsNewAfterAKilledClient();
    void faultsFromTheCommandLine();
    void servesANamedSerialDevice();
    void badArguments_data();
    void badArguments();
    void help();
    void healthOptions();
};

void TestZanuSim::readSequenceAndRangeWrite() {
    QTemporaryDir dir;
    const QString state = dir.filePath("state.json");
    Sim sim;
    QVERIFY(sim.start({"--trace", "--steady", "--state", state, "--serial", "4812345"}));

    // The state file is there from the start.
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(state); }, 2000));

    QElapsedTimer t;
    t.start();
    const auto id = sim.transact(hex("80"), 0);
    QVERIFY(id);
    // Real timing: not before the turnaround.
    QVERIFY(t.elapsed() >= 25);
    QCOMPARE(id->data.toHex(' '), hex("FE 75 5A 05 05 01 03 10 00 0B 7C 2D").toHex(' '));
    const auto tag = sim.transact(kAddress, 13);
    QVERIFY(tag);
    QCOMPARE(hart::unpackAscii(tag->data.left(6)), QStringLiteral("LT-101  "));
    const auto info = sim.transact(kAddress, 15);
    QVERIFY(info);
    QCOMPARE(hart::getFloat(info->data, 3), 10.0f);
    const auto limits = sim.transact(kAddress, 14);
    QVERIFY(limits);
    QCOMPARE(hart::getUInt24(limits->data, 0), 4812345u);
    const auto dir129 = sim.transact(kAddress, 129);
    QVERIFY(dir129);
    QCOMPARE(dir129->data, hex("00 00"));
    const auto write = sim.transact(kAddress, 35, hex("F0 41400000 3F800000"));
    QVERIFY(write);
    QCOMPARE(int(write->responseCode), 0);
    QCOMPARE(int(write->deviceStatus), 0x40);

    const QStringList expected = {
        "REQ cmd=0 addr=short data=",
        "RSP cmd=0 rc=0 status=0x20 data=fe755a0505010310000b7c2d", // cold start, once
        "REQ cmd=13 addr=long data=",
        "RSP cmd=13 rc=0 status=0x00 data=314b71c318205c530c83380c15614c820820070c7e",
        "REQ cmd=15 addr=long data=",
        "RSP cmd=15 rc=0 status=0x00 data=0000f041200000000000003ecccccd0075",
        "REQ cmd=14 addr=long data=",
        "RSP cmd=14 rc=0 status=0x00 data=496e39f041a00000000000003f000000",
        "REQ cmd=129 addr=long data=",
        "RSP cmd=129 rc=0 status=0x00 data=0000",
        "REQ cmd=35 addr=long data=f0414000003f800000",
        "RSP cmd=35 rc=0 status=0x40 data=f0414000003f800000",
    };
    QCOMPARE(sim.traceLines(int(expected.size())), expected);

    QVERIFY(QTest::qWaitFor(
        [&] {
            QFile f(state);
            if (!f.open(QIODevice::ReadOnly)) return false;
            const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
            return o.value("urv").toDouble() == 12.0 && o.value("lrv").toDouble() == 1.0;
        },
        2000));
    QFile f(state);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    QCOMPARE(o.value("unit_code").toInt(), 240);
    QCOMPARE(o.value("tag").toString(), QStringLiteral("LT-101"));
    QVERIFY(o.value("fixed_current").isNull());
    QCOMPARE(o.value("write_protect").toBool(), false);

    QCOMPARE(sim.stop(), 0); // SIGTERM ends it cleanly
}

void TestZanuSim::reopenedPtyStillServed() {
    Sim sim;
    QVERIFY(sim.start({"--timing", "instant"}));
    QVERIFY(sim.transact(hex("80"), 0));
    // The simulator sets the line up afresh once a client has gone, flushing what waits on it: a
    // client that reopened before that could lose its reply. A second descriptor, open
    // throughout, sees when it has happened: a minimum read count of 0 left behind is 1 again.
    const int watch = ::open(sim.pty_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(watch >= 0);
    const auto minimumRead = [watch] {
        termios t{};
        return ::tcgetattr(watch, &t) == 0 ? int(t.c_cc[VMIN]) : -1;
    };
    for (int i = 0; i < 3; ++i) {
        termios t{};
        QCOMPARE(::tcgetattr(watch, &t), 0);
        t.c_cc[VMIN] = 0;
        QCOMPARE(::tcsetattr(watch, TCSANOW, &t), 0);
        sim.closePty();
        QVERIFY(QTest::qWaitFor([&] { return minimumRead() == 1; }, 2000));
        QVERIFY(sim.openPty());
        const auto r = sim.transact(kAddress, 15);
        QVERIFY2(r, qPrintable(QString::number(i)));
        QCOMPARE(int(r->command), 15);
    }
    ::close(watch);
    QCOMPARE(sim.stop(), 0);
}

void TestZanuSim::ptyAsNewAfterAKilledClient_data() {
    QTest::addColumn<bool>("replyLeftUnread");
    QTest::newRow("line settings left behind") << false;
    QTest::newRow("line settings and an unread reply left behind") << true;
}

// The next client gets the pty as new, whatever the last one left on it when it was killed.
void TestZanuSim::ptyAsNewAfterAKilledClient() {
    QFETCH(bool, replyLeftUnread);
    Sim sim;
    QVERIFY(sim.start({"--timing", "instant", "--trace"}));
    // QSerialPort's input parity flag and no minimum read count, as a killed master leaves them,
    // and the terminal mode of a client that was no master at all.
    termios t{};
    QCOMPARE(::tcgetattr(sim.fd_, &t), 0);
    t.c_iflag |= IGNPAR;
    t.c_lflag |= ICANON | ECHO;
    t.c_cc[VMIN] = 0;
    QCOMPARE(::tcsetattr(sim.fd_, TCSANOW, &t), 0);
    if (replyLeftUnread) {
        const QByteArray frame = requestFrame(hex("80"), 0);
        QCOMPARE(::write(sim.fd_, frame.constData(), size_t(frame.size())), ssize_t(frame.size()));
        // Left unread: the reply is on the pty when the client goes (its trace line says so; in
        // canonical mode the descriptor itself shows nothing readable without a newline).
        QCOMPARE(sim.traceLines(2).size(), 2);
    }
    sim.closePty();

    // The simulator puts things right once the client is gone.
    const QByteArray pty = sim.pty_.toLocal8Bit();
    QVERIFY(QTest::qWaitFor(
        [&] {
            const int fd = ::open(pty.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            termios now{};
            const bool fresh = fd >= 0 && ::tcgetattr(fd, &now) == 0 && !(now.c_iflag & IGNPAR) &&
                               !(now.c_lflag & (ICANON | ECHO)) && now.c_cc[VMIN] == 1;
            if (fd >= 0) ::close(fd);
            return fresh;
        },
        2000));
    QSerialPort port(sim.pty_);
    port.setBaudRate(1200);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::OddParity);
    port.setStopBits(QSerialPort::OneStop);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    QVERIFY(!port.waitForReadyRead(100));
    QCOMPARE(port.readAll().toHex(' '), QByteArray());
    port.close();
    QCOMPARE(sim.stop(), 0);
}

void TestZanuSim::faultsFromTheCommandLine() {
    Sim sim;
    QVERIFY(sim.start({"--timing=instant", "--silent", "1", "--busy=1", "--manufacturer", "38",
                       "--respond", "15:16", "--respond=14:6", "--write-protect", "--unit=7",
                       "--device-id", "0a0B0c"}));
    const QByteArray other = hart::longAddress(true, 38, 0x5A, hex("0A 0B 0C"));
    QVERIFY(!sim.transact(hex("80"), 0, {}, 400)); // silent once
    auto r = sim.transact(hex("80"), 0);
    QCOMPARE(int(r->responseCode), 32); // then busy once
    r = sim.transact(hex("80"), 0);
    QCOMPARE(int(r->responseCode), 0);
    QCOMPARE(quint8(r->data[1]), quint8(38));
    QCOMPARE(r->data.mid(9, 3), hex("0A 0B 0C"));
    QCOMPARE(int(sim.transact(other, 15)->responseCode), 16);
    QCOMPARE(int(sim.transact(other, 14)->responseCode), 6);
    QCOMPARE(int(sim.transact(other, 44, hex("F0"))->responseCode), 7);
    r = sim.transact(other, 3);
    QCOMPARE(quint8(r->data[4]), quint8(7));
    QCOMPARE(sim.stop(), 0);
}

// --port goes through QSerialPort; a pseudo-terminal we make here stands in for the serial device,
// and its master side for the wire.
void TestZanuSim::servesANamedSerialDevice() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const QString slave = QString::fromLocal8Bit(::ptsname(master));
    QProcess proc;
    proc.start(simProgram(), {"--port", slave, "--timing", "instant", "--trace"});
    QVERIFY(proc.waitForStarted(5000));
    QVERIFY(QTest::qWaitFor([&] { return proc.canReadLine(); }, 5000));
    QCOMPARE(QString::fromUtf8(proc.readLine()).trimmed(), QStringLiteral("PORT ") + slave);

    const QByteArray req = requestFrame(hex("80"), 0);
    QCOMPARE(::write(master, req.constData(), size_t(req.size())), ssize_t(req.size()));
    hart::FrameParser parser;
    std::optional<hart::Frame> reply;
    QVERIFY(QTest::qWaitFor(
        [&] {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 10) > 0) {
                char buf[256];
                const ssize_t n = ::read(master, buf, sizeof buf);
                if (n > 0) parser.push(QByteArray(buf, int(n)));
            }
            while (auto item = parser.take())
                if (item->frame.isReply()) reply = item->frame;
            return reply.has_value();
        },
        3000));
    QCOMPARE(quint8(reply->data[1]), quint8(117));

    ::kill(pid_t(proc.processId()), SIGTERM);
    QVERIFY(proc.waitForFinished(3000));
    QCOMPARE(proc.exitCode(), 0);
    QVERIFY(QString::fromUtf8(proc.readAllStandardOutput())
                .contains(QLatin1String("REQ cmd=0 addr=short data=")));
    ::close(master);
}

void TestZanuSim::badArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "Unknown option";
    QTest::newRow("manufacturer too big") << QStringList{"--manufacturer", "300"} << "0 to 255";
    QTest::newRow("corrupt not a probability") << QStringList{"--corrupt", "2"} << "--corrupt";
    QTest::newRow("respond without code") << QStringList{"--respond", "15"} << "CMD:CODE";
    QTest::newRow("timing") << QStringList{"--timing", "slow"} << "'real' or 'instant'";
    QTest::newRow("missing value") << QStringList{"--serial"} << "Missing value";
    QTest::newRow("joined value checked") << QStringList{"--busy=x"} << "not 'x'";
    QTest::newRow("stray argument") << QStringList{"extra"} << "unexpected argument 'extra'";
    QTest::newRow("no such port") << QStringList{"--port", "/dev/zanu-no-such-port"}
                                  << "cannot open the serial port";
    QTest::newRow("serial too big") << QStringList{"--serial", "16777216"} << "16777215";
    QTest::newRow("device id not 6 hex digits")
        << QStringList{"--device-id", "0B7C2"} << "6 hex digits";
}

void TestZanuSim::badArguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    QProcess p;
    p.start(simProgram(), args);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 1); // a usage error ends as in zanu-hart and zanu-config
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(err.startsWith("zanu-sim: ") && err.contains(says), qPrintable(err));
    QVERIFY(p.readAllStandardOutput().isEmpty()); // no PTY line: nothing was served
}

void TestZanuSim::help() {
    QProcess p;
    p.start(simProgram(), {"--help"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    for (const char *opt :
         {"--port", "--silent", "--respond", "--trace", "--state", "--seed", "--polling-address",
          "--fixed-current", "--malfunction", "--pv-out-of-limits"})
        QVERIFY2(out.contains(QLatin1String(opt)), opt);
    for (const char *command : {"1 read PV", "6 write polling address", "11 read unique",
                                "12 read message", "16 read final", "17 write message",
                                "19 write final", "38 reset configuration", "48 read additional"})
        QVERIFY2(out.contains(QLatin1String(command)), command);
}

// The health switches start the device in the state they name, seen through the wire only.
void TestZanuSim::healthOptions() {
    Sim sim;
    QVERIFY(sim.start({"--timing", "instant", "--steady", "--polling-address", "3",
                       "--fixed-current", "12.5", "--malfunction", "--pv-out-of-limits"}));
    QVERIFY(!sim.transact(hex("80"), 0, {}, 300)); // not at polling address 0 any more
    const auto id = sim.transact(hex("83"), 0);
    QVERIFY(id);
    // Malfunction, cold start, more status, current fixed, PV out of limits.
    QCOMPARE(int(id->deviceStatus), 0x80 | 0x20 | 0x10 | 0x08 | 0x01);
    const auto current = sim.transact(kAddress, 2);
    QVERIFY(current);
    QCOMPARE(hart::getFloat(current->data, 0), 12.5f);
    const auto more = sim.transact(kAddress, 48);
    QVERIFY(more);
    QCOMPARE(more->data.toHex(' '), hex("01 00 00 00 00 00").toHex(' '));
}

QTEST_GUILESS_MAIN(TestZanuSim)
#include "test_zanu_sim.moc"
