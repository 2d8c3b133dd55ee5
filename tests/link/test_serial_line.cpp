// The serial line on a pseudo-terminal: the test holds the master side and plays the modem and
// the transmitter. Pseudo-terminals have no modem lines, so this also covers the "line keys
// itself" path, and the whole HartX stack runs end to end through the real serial code.
#include "event_wait.h"
#include "fake_line_helper.h"
#include "pty_helper.h"

#include "hart/hartx.h"
#include "hart/link/serial_line.h"

#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QByteArray kRequest = hexBytes("FF FF FF FF FF 82 B9 FD 00 00 00 2C 01 4B A0");
const QByteArray kReply = hexBytes("FF FF FF 86 F9 FD 00 00 00 2C 03 00 D3 4B 35");

} // namespace

class TestSerialLine : public QObject {
    Q_OBJECT
private slots:
    void init();
    void opensAPseudoTerminalThatKeysItself();
    void sentFollowsTheWireTime();
    void wedgedAdapterDoesNotFreezeTheCaller();
    void echo_data();
    void echo();
    void vanishingPortFails();
    void portInUse();
    void openErrors_data();
    void openErrors();
    void reopensAPtyLeftByAKilledClient_data();
    void reopensAPtyLeftByAKilledClient();
    void hartxEndToEnd();

private:
    std::unique_ptr<PtyMaster> pty_;
};

void TestSerialLine::init() {
    pty_ = std::make_unique<PtyMaster>();
    if (!pty_->ok()) QSKIP("no pseudo-terminals here");
}

void TestSerialLine::opensAPseudoTerminalThatKeysItself() {
    SerialLine line(pty_->slave(), "COM 5");
    QSignalSpy failed(&line, &HartLine::failed);
    QString error;
    QVERIFY2(line.open(&error), qPrintable(error));
    QVERIFY(line.isOpen());
    QVERIFY(!line.keysWithRts());
    QCOMPARE(line.deviceName(), pty_->slave());
    QVERIFY(!failed.wait(20));
    line.close();
    QVERIFY(!line.isOpen());
    // Reopening after close works (settings are applied before open every time).
    QVERIFY2(line.open(&error), qPrintable(error));
}

void TestSerialLine::sentFollowsTheWireTime() {
    SerialLine line(pty_->slave());
    QVERIFY(line.open(nullptr));
    QSignalSpy sent(&line, &HartLine::sent);
    QSignalSpy failed(&line, &HartLine::failed);
    QElapsedTimer t;
    t.start();
    line.send(kRequest);
    QCOMPARE(sent.count(), 0);
    QVERIFY(sent.wait(2000));
    const qint64 took = t.elapsed();
    const qint64 wire = hart::wireTimeUs(int(kRequest.size())) / 1000;
    QVERIFY2(took >= wire - 2 && took < wire + 500, qPrintable(QString::number(took)));
    QVERIFY(waitInLoop([&] { return pty_->got.size() >= kRequest.size(); }, 1000));
    QCOMPARE(pty_->got.toHex(' '), kRequest.toHex(' '));
    QCOMPARE(failed.count(), 0);
}

void TestSerialLine::wedgedAdapterDoesNotFreezeTheCaller() {
    // An adapter whose transmit queue never drains: the event loop keeps running, `sent` does
    // not come, and closing the line leaves nothing that could report it later.
    // The adapter's drain blocks until released; `entered` says the line is waiting in it.
    struct Adapter {
        std::mutex m;
        std::condition_variable cv;
        bool released = false;
        std::atomic<bool> entered{false};
    };
    auto adapter = std::make_shared<Adapter>();
    const auto release = [adapter](bool released) {
        std::lock_guard<std::mutex> lock(adapter->m);
        adapter->released = released;
        adapter->cv.notify_all();
    };
    SerialLine line(pty_->slave());
    line.setDrainForTest([adapter](int) {
        adapter->entered = true;
        std::unique_lock<std::mutex> lock(adapter->m);
        adapter->cv.wait(lock, [&] { return adapter->released; });
    });
    QVERIFY(line.open(nullptr));
    QSignalSpy sent(&line, &HartLine::sent);
    int ticks = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] { ++ticks; });
    tick.start(10);
    line.send(kRequest);
    const qint64 wire = hart::wireTimeUs(int(kRequest.size())) / 1000;
    QVERIFY(!sent.wait(int(wire) + 300));
    QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
    line.close();
    release(true);
    QVERIFY(!sent.wait(50));

    // Once the adapter drains, `sent` follows on the line's own thread.
    release(false);
    adapter->entered = false;
    QVERIFY(line.open(nullptr));
    QThread *caller = QThread::currentThread();
    QThread *sentOn = nullptr;
    connect(&line, &HartLine::sent, this, [&] { sentOn = QThread::currentThread(); });
    line.send(kRequest);
    QVERIFY(waitInLoop([&] { return adapter->entered.load(); }, int(wire) + 2000));
    release(true);
    QVERIFY(sent.wait(2000));
    QCOMPARE(sentOn, caller);
}

void TestSerialLine::echo_data() {
    QTest::addColumn<bool>("echo");
    QTest::addColumn<int>("replyAfterMs");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("echo, then the reply") << true << 30 << kReply;
    QTest::newRow("no echo: the reply keeps its preambles") << false << 30 << kReply;
    QTest::newRow("no echo, late reply") << false << 300 << kReply;
    // Only part of the request comes back: it is handed on, the engine skips it.
    QTest::newRow("partial echo") << true << -1 << kRequest.left(7) + kReply;
}

void TestSerialLine::echo() {
    QFETCH(bool, echo);
    QFETCH(int, replyAfterMs);
    QFETCH(QByteArray, expected);
    SerialLine line(pty_->slave());
    QVERIFY(line.open(nullptr));
    QByteArray received;
    connect(&line, &HartLine::received, this, [&](const QByteArray &b) { received += b; });
    pty_->onBytes = [&](const QByteArray &) {
        if (pty_->got.size() < kRequest.size()) return;
        if (replyAfterMs < 0) {
            pty_->write(kRequest.left(7));
            QTimer::singleShot(250, [&] { pty_->write(kReply); });
            return;
        }
        if (echo) pty_->write(pty_->got);
        QTimer::singleShot(replyAfterMs, [&] { pty_->write(kReply); });
    };
    QSignalSpy sent(&line, &HartLine::sent);
    line.send(kRequest);
    QVERIFY(sent.wait(2000));
    QVERIFY(waitInLoop([&] { return received.size() >= expected.size(); }, 2000));
    QVERIFY(!waitInLoop([&] { return received.size() > expected.size(); }, 50));
    QCOMPARE(received.toHex(' '), expected.toHex(' '));
}

void TestSerialLine::vanishingPortFails() {
    SerialLine line(pty_->slave(), "COM 5");
    QVERIFY(line.open(nullptr));
    QSignalSpy failed(&line, &HartLine::failed);
    pty_->closeMaster(); // the adapter is pulled
    line.send(kRequest);
    QVERIFY(failed.count() > 0 || failed.wait(3000)); // it may have failed inside send()
    QVERIFY2(failed.at(0).at(0).toString().contains(pty_->slave()),
             qPrintable(failed.at(0).at(0).toString()));
    QVERIFY(!line.isOpen());
}

void TestSerialLine::portInUse() {
    SerialLine first(pty_->slave(), "COM 5");
    QVERIFY(first.open(nullptr));
    SerialLine second(pty_->slave(), "COM 5");
    QString error;
    QVERIFY(!second.open(&error));
    // Whoever may use the device node is told it is busy, not to fix permissions.
    if (::access(QFile::encodeName(pty_->slave()).constData(), R_OK | W_OK) == 0)
        QVERIFY2(error.contains("in use by another program"), qPrintable(error));
    else
        QVERIFY2(error.contains("dialout"), qPrintable(error));
    first.close();
    QVERIFY(second.open(&error));
}

void TestSerialLine::openErrors_data() {
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no port set") << ""
                                 << "No COM port is set — choose one under Config > "
                                    "COM-settings.";
    QTest::newRow("missing device") << "/nonexistent/ttyUSB9"
                                    << "COM 5 (/nonexistent/ttyUSB9) does not exist — check the "
                                       "cable/adapter and the COM-port setting";
    QTest::newRow("not a serial port") << "/dev/null"
                                       << "COM 5 (/dev/null) ";
}

void TestSerialLine::openErrors() {
    QFETCH(QString, device);
    QFETCH(QString, expected);
    SerialLine line(device, "COM 5");
    QString error;
    QVERIFY(!line.open(&error));
    QVERIFY(!line.isOpen());
    QVERIFY2(error.startsWith(expected), qPrintable(error));
    QVERIFY(error.contains(" — "));
    // Sending on a line that did not open reports a failure instead of hanging.
    QSignalSpy failed(&line, &HartLine::failed);
    line.send(kRequest);
    QVERIFY(failed.wait(1000));
}

void TestSerialLine::reopensAPtyLeftByAKilledClient_data() {
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("the pty") << false;
    QTest::newRow("a link to the pty") << true; // as socat or a udev rule would name it
}

void TestSerialLine::reopensAPtyLeftByAKilledClient() {
    QFETCH(bool, throughLink);
    {
        // What a client killed with the port open leaves on the pty: the line settings its
        // QSerialPort gave it (a clean close would have put the earlier ones back).
        termios left{};
        QSerialPort client(pty_->slave());
        client.setBaudRate(1200);
        client.setParity(QSerialPort::OddParity);
        QVERIFY(client.open(QIODevice::ReadWrite));
        QCOMPARE(::tcgetattr(int(client.handle()), &left), 0);
        client.close();
        const int fd = ::open(pty_->slave().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        QVERIFY(fd >= 0);
        QCOMPARE(::tcsetattr(fd, TCSANOW, &left), 0);
        ::close(fd);
    }
    QTemporaryDir dir;
    QString device = pty_->slave();
    if (throughLink) {
        device = dir.filePath("ttyHART");
        QVERIFY(QFile::link(pty_->slave(), device));
    }
    SerialLine line(device, "COM 5");
    QString error;
    QVERIFY2(line.open(&error), qPrintable(error));
    QSignalSpy sent(&line, &HartLine::sent);
    line.send(kRequest);
    QVERIFY(sent.wait(2000));
    QVERIFY(waitInLoop([&] { return pty_->got == kRequest; }, 1000));
}

void TestSerialLine::hartxEndToEnd() {
    PtyTransmitter tx(*pty_);
    tx.echo = true;
    FakeDevice::Answer tag;
    tag.data = hexBytes("40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 25 05 20 07 0C 7E");
    tx.device.script[13] = {tag};

    qputenv("ZANU_COM5", pty_->slave().toLocal8Bit());
    HartX x;
    x.setLinkTiming(shortTiming());
    QList<QPair<int, int>> results;
    connect(&x, &HartX::Result, this, [&](qint16, qint16 c, qint16 r) {
        results.append({c, r});
        if (c == 0) x.setCommand(13);
    });
    x.setLinkSetting6(1);
    x.setCommPort(5);
    x.setLinkSetting3(0);
    x.setLinkSetting9(10);
    x.setLinkSetting10(0);
    x.setDataIndex(0);
    x.setCommand(0);
    QVERIFY(waitInLoop([&] { return results.size() == 2; }, 5000));
    qunsetenv("ZANU_COM5");
    QCOMPARE(results, (QList<QPair<int, int>>{{0, 0}, {13, 0}}));
    QCOMPARE(tx.device.requestPreambles, (QList<int>{10, 10}));
    x.setDataIndex(0);
    x.setPackedLength(6);
    QCOMPARE(x.PackedString(), QString("PEERTEST"));
    QVERIFY(x.LastError().isEmpty());

    // The transmitter goes quiet: three tries, then no answer naming the port.
    tx.device.script[2] = {FakeDevice::Answer{FakeDevice::Kind::Silent, 0, 0, {}, 0, {}},
                           FakeDevice::Answer{FakeDevice::Kind::Silent, 0, 0, {}, 0, {}},
                           FakeDevice::Answer{FakeDevice::Kind::Silent, 0, 0, {}, 0, {}}};
    x.setCommand(2);
    QVERIFY(waitInLoop([&] { return results.size() == 3; }, 5000));
    QCOMPARE(results[2], (QPair<int, int>{2, HartX::kNoAnswer}));
    QVERIFY2(x.LastError().startsWith(QString("No reply from the transmitter on COM 5 (%1) after "
                                              "3 tries")
                                          .arg(pty_->slave())),
             qPrintable(x.LastError()));
}

QTEST_GUILESS_MAIN(TestSerialLine)
#include "test_serial_line.moc"
