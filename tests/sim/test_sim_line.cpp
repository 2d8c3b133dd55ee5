// The in-process line: signals only from the event loop, one frame at a time, and with Real
// timing the pace of a 1200 bit/s modem line.

#include "sim/sim_line.h"
#include "sim_test_helper.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace simtest;

class TestSimLine : public QObject {
    Q_OBJECT
private slots:
    void instantNeverInsideSend();
    void instantSilentDevice();
    void sendOnClosedLineFails();
    void realTimingPace();
    void closeStopsTheReply();
    void newFrameCutsTheOldReply();
    void deviceGone();
};

void TestSimLine::instantNeverInsideSend() {
    SimDevice device;
    makeSteady(device);
    SimLine line(&device, SimLine::Timing::Instant);
    QCOMPARE(line.deviceName(), QStringLiteral("simulated transmitter"));
    QVERIFY(line.open(nullptr));
    QStringList order;
    QByteArray bytes;
    connect(&line, &HartLine::sent, this, [&] { order << "sent"; });
    connect(&line, &HartLine::received, this, [&](const QByteArray &b) {
        order << "received";
        bytes += b;
    });
    line.send(requestTo(device, 15));
    QVERIFY(order.isEmpty());
    QVERIFY(device.trace().isEmpty()); // the device hears it only once it is on the line
    QVERIFY(QTest::qWaitFor([&] { return order.size() == 2; }, 1000));
    QCOMPARE(order, (QStringList{"sent", "received"}));
    const auto reply = parseReply(bytes);
    QVERIFY(reply);
    QCOMPARE(int(reply->command), 15);
    QCOMPARE(line.framesSent(), 1);
}

void TestSimLine::instantSilentDevice() {
    SimDevice device;
    device.setSilent(-1);
    SimLine line(&device, SimLine::Timing::Instant);
    QVERIFY(line.open(nullptr));
    QSignalSpy sent(&line, &HartLine::sent);
    QSignalSpy received(&line, &HartLine::received);
    line.send(requestTo(device, 0));
    QVERIFY(sent.wait(1000));
    QVERIFY(!received.wait(20));
}

void TestSimLine::sendOnClosedLineFails() {
    SimDevice device;
    SimLine line(&device, SimLine::Timing::Instant);
    QSignalSpy failed(&line, &HartLine::failed);
    QSignalSpy sent(&line, &HartLine::sent);
    line.send(requestTo(device, 0));
    QCOMPARE(failed.count(), 0);
    QVERIFY(failed.wait(1000));
    QVERIFY(!failed.first().first().toString().isEmpty());
    QCOMPARE(sent.count(), 0);
    QVERIFY(device.trace().isEmpty());
}

void TestSimLine::realTimingPace() {
    SimDevice device;
    makeSteady(device);
    SimLine line(&device, SimLine::Timing::Real);
    QVERIFY(line.open(nullptr));
    QElapsedTimer clock;
    qint64 sentAt = -1;
    QList<qint64> chunkAt;
    QByteArray bytes;
    int biggest = 0;
    connect(&line, &HartLine::sent, this, [&] { sentAt = clock.elapsed(); });
    connect(&line, &HartLine::received, this, [&](const QByteArray &b) {
        chunkAt << clock.elapsed();
        bytes += b;
        biggest = qMax(biggest, int(b.size()));
    });
    const QByteArray request = requestTo(device, 15); // 5 + 9 bytes
    clock.start();
    line.send(request);
    QVERIFY(QTest::qWaitFor([&] { return parseReply(bytes).has_value(); }, 3000));

    const qint64 requestMs = hart::wireTimeUs(int(request.size())) / 1000; // 128 ms
    QVERIFY2(sentAt >= requestMs - 1 && sentAt < requestMs + 150,
             qPrintable(QString::number(sentAt)));
    // The first bytes come after the turnaround and their own time on the wire.
    const qint64 firstDue = sentAt + SimLine::kTurnaroundMs + hart::wireTimeUs(4) / 1000;
    QVERIFY2(chunkAt.first() >= firstDue - 1, qPrintable(QString::number(chunkAt.first())));
    QVERIFY(biggest <= SimLine::kChunkBytes);
    QVERIFY(chunkAt.size() >= bytes.size() / SimLine::kChunkBytes);
    // The whole reply (5 + 8 + 2 + 17 + 1 bytes) takes its wire time, not much more.
    const qint64 replyMs = hart::wireTimeUs(int(bytes.size())) / 1000;
    const qint64 took = chunkAt.last() - sentAt - SimLine::kTurnaroundMs;
    QVERIFY2(took >= replyMs - 2 && took < replyMs + 300, qPrintable(QString::number(took)));
}

void TestSimLine::closeStopsTheReply() {
    SimDevice device;
    SimLine line(&device, SimLine::Timing::Real);
    QVERIFY(line.open(nullptr));
    QSignalSpy sent(&line, &HartLine::sent);
    QSignalSpy received(&line, &HartLine::received);
    line.send(requestTo(device, 15));
    QVERIFY(received.wait(2000)); // the reply has begun
    line.close();
    QVERIFY(!received.wait(400));
}

void TestSimLine::newFrameCutsTheOldReply() {
    SimDevice device;
    makeSteady(device);
    SimLine line(&device, SimLine::Timing::Real);
    QVERIFY(line.open(nullptr));
    QByteArray bytes;
    connect(&line, &HartLine::received, this, [&](const QByteArray &b) { bytes += b; });
    QSignalSpy received(&line, &HartLine::received);
    line.send(requestTo(device, 15));
    QVERIFY(received.wait(2000));
    bytes.clear();
    line.send(requestTo(device, 129));
    QVERIFY(QTest::qWaitFor([&] { return parseReply(bytes).has_value(); }, 3000));
    QVERIFY(!received.wait(100)); // no tail of the first reply after the second
    // Only the second reply arrived after the second send.
    const auto reply = parseReply(bytes);
    QCOMPARE(int(reply->command), 129);
    QCOMPARE(bytes.size(), 5 + 8 + 2 + 2 + 1);
    QCOMPARE(line.framesSent(), 2);
}

void TestSimLine::deviceGone() {
    auto *device = new SimDevice;
    SimLine line(device, SimLine::Timing::Instant);
    QVERIFY(line.open(nullptr));
    QSignalSpy sent(&line, &HartLine::sent);
    QSignalSpy received(&line, &HartLine::received);
    line.send(requestTo(*device, 0));
    delete device;
    QVERIFY(sent.wait(1000)); // the frame left; nobody answers it
    QVERIFY(!received.wait(20));
    line.close();
    QString error;
    QVERIFY(!line.open(&error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestSimLine)
#include "test_sim_line.moc"
