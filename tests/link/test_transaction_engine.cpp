// The transaction engine against a scripted line: time-outs measured from the end of sending,
// retries of silence and garbled replies but not of busy ones, one outcome per transaction,
// listen-before-talk, the link grant to another master and the wire log. They run on the short
// test timing; every expectation is taken from it, and none depends on a timer firing on time,
// only on timers firing in order.
#include "event_wait.h"
#include "fake_line_helper.h"

#include "hart/link/link_log.h"
#include "hart/link/transaction_engine.h"

#include <QtTest>

using Status = TransactionEngine::Status;
using Kind = FakeDevice::Kind;
using Answers = QList<FakeDevice::Answer>;
Q_DECLARE_METATYPE(Answers)

namespace {

FakeDevice::Answer answer(Kind kind, int atMs = 5, quint8 rc = 0) {
    FakeDevice::Answer a;
    a.kind = kind;
    a.atMs = atMs;
    a.responseCode = rc;
    return a;
}

FakeDevice::Answer reply(int atMs = 5, quint8 rc = 0) {
    return answer(Kind::Reply, atMs, rc);
}
FakeDevice::Answer silent() {
    return answer(Kind::Silent);
}

struct Harness {
    FakeLine line;
    FakeDevice device;
    TransactionEngine engine{&line};
    QList<QPair<quint64, TransactionEngine::Outcome>> done;
    bool inSubmit = false;
    bool finishedInsideSubmit = false;

    Harness() {
        engine.setTiming(shortTiming());
        device.attach(line);
        QObject::connect(&engine, &TransactionEngine::finished,
                         [this](quint64 id, const TransactionEngine::Outcome &o) {
                             if (inSubmit) finishedInsideSubmit = true;
                             done.append({id, o});
                         });
    }

    TransactionEngine::Request request(quint8 command = 2, bool primary = true) const {
        TransactionEngine::Request r;
        r.address =
            hart::longAddress(primary, device.manufacturer, device.deviceType, device.deviceId);
        r.command = command;
        return r;
    }

    quint64 submit(const TransactionEngine::Request &r) {
        inSubmit = true;
        const quint64 id = engine.submit(r);
        inSubmit = false;
        return id;
    }

    bool waitDone(int count = 1, int timeoutMs = 5000) {
        return waitInLoop([&] { return done.size() >= count; }, timeoutMs);
    }
};

QString statusName(Status s) {
    switch (s) {
    case Status::Reply:
        return "Reply";
    case Status::NoReply:
        return "NoReply";
    case Status::Garbled:
        return "Garbled";
    case Status::LineFailed:
        return "LineFailed";
    case Status::BadRequest:
        return "BadRequest";
    }
    return "?";
}

} // namespace

class TestTransactionEngine : public QObject {
    Q_OBJECT
private slots:
    void outcomes_data();
    void outcomes();
    void notAnswersAreSkipped();
    void oneOutcomeEachInOrderNeverInsideSubmit();
    void replyTimeCountsFromTheEndOfSending();
    void preamblesSent_data();
    void preamblesSent();
    void listensBeforeTalking();
    void listeningIsBounded();
    void babblingLineStillEnds();
    void lineThatCannotOpen();
    void lineThatBreaksIsNotRetried();
    void lineThatNeverFinishesSending();
    void oversizedRequestIsRefused();
    void linkGrant_data();
    void linkGrant();
    void yieldsToAnotherMaster_data();
    void yieldsToAnotherMaster();
    void wireLog();
    void timingText_data();
    void timingText();
};

void TestTransactionEngine::outcomes_data() {
    QTest::addColumn<Answers>("script");
    QTest::addColumn<int>("retries");
    QTest::addColumn<bool>("primary");
    QTest::addColumn<int>("extraMs");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("tries");
    QTest::addColumn<int>("responseCode");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<int>("minMs");

    const LinkTiming t = shortTiming();
    const int rt = t.primaryReplyTimeoutMs + t.adapterAllowanceMs;
    const int rtSecondary = t.secondaryReplyTimeoutMs + t.adapterAllowanceMs;

    QTest::newRow("reply") << Answers{reply()} << 2 << true << 0 << "Reply" << 1 << 0 << "" << 0;
    QTest::newRow("busy is not retried here")
        << Answers{reply(5, 32)} << 2 << true << 0 << "Reply" << 1 << 32 << "" << 0;
    QTest::newRow("error code is not retried")
        << Answers{reply(5, 64)} << 2 << true << 0 << "Reply" << 1 << 64 << "" << 0;
    QTest::newRow("silence, then a reply")
        << Answers{silent(), reply()} << 2 << true << 0 << "Reply" << 2 << 0 << "" << rt;
    QTest::newRow("bad checksum, then a reply") << Answers{answer(Kind::BadChecksum), reply()} << 2
                                                << true << 0 << "Reply" << 2 << 0 << "" << 0;
    QTest::newRow("comm error, then a reply") << Answers{answer(Kind::CommError), reply()} << 2
                                              << true << 0 << "Reply" << 2 << 0 << "" << 0;
    QTest::newRow("cut-off reply, then a reply") << Answers{answer(Kind::Truncated), reply()} << 2
                                                 << true << 0 << "Reply" << 2 << 0 << "" << 0;
    QTest::newRow("silence on every try") << Answers{silent(), silent(), silent()} << 2 << true << 0
                                          << "NoReply" << 3 << 0 << "" << 3 * rt;
    QTest::newRow("silence, no retries")
        << Answers{silent()} << 0 << true << 0 << "NoReply" << 1 << 0 << "" << rt;
    QTest::newRow("bad checksum every time")
        << Answers{answer(Kind::BadChecksum), answer(Kind::BadChecksum), answer(Kind::BadChecksum)}
        << 2 << true << 0 << "Garbled" << 3 << 0 << "checksum" << 0;
    QTest::newRow("comm error every time")
        << Answers{answer(Kind::CommError), answer(Kind::CommError)} << 1 << true << 0 << "Garbled"
        << 2 << 0 << "communication error 0x88: checksum" << 0;
    QTest::newRow("cut off every time")
        << Answers{answer(Kind::Truncated), answer(Kind::Truncated)} << 1 << true << 0 << "Garbled"
        << 2 << 0 << "broke off" << 0;
    QTest::newRow("reply just inside the primary time-out")
        << Answers{reply(rt - 60)} << 0 << true << 0 << "Reply" << 1 << 0 << "" << 0;
    QTest::newRow("reply too late for a primary master")
        << Answers{reply(rt + 70)} << 0 << true << 0 << "NoReply" << 1 << 0 << "" << rt;
    QTest::newRow("secondary master waits longer") << Answers{reply((rt + rtSecondary) / 2)} << 0
                                                   << false << 0 << "Reply" << 1 << 0 << "" << 0;
    QTest::newRow("extra allowance stretches the wait")
        << Answers{reply(rt + 70)} << 0 << true << 150 << "Reply" << 1 << 0 << "" << 0;

    FakeDevice::Answer chunked = reply();
    chunked.chunkGapsMs = {t.interCharGapMs - 20};
    QTest::newRow("adapter chunks within the gap")
        << Answers{chunked} << 0 << true << 0 << "Reply" << 1 << 0 << "" << rt;
    FakeDevice::Answer stalled = reply();
    stalled.chunkGapsMs = {5, 5, 5, 5, 5, 5, 5, t.interCharGapMs + 100};
    QTest::newRow("gap inside the reply")
        << Answers{stalled} << 0 << true << 0 << "Garbled" << 1 << 0 << "broke off" << 0;
}

void TestTransactionEngine::outcomes() {
    QFETCH(Answers, script);
    QFETCH(int, retries);
    QFETCH(bool, primary);
    QFETCH(int, extraMs);
    QFETCH(QString, status);
    QFETCH(int, tries);
    QFETCH(int, responseCode);
    QFETCH(QString, detail);
    QFETCH(int, minMs);

    Harness h;
    h.device.script[2] = script;
    auto r = h.request(2, primary);
    r.retries = retries;
    r.extraAllowanceMs = extraMs;
    r.data = hexBytes("01 02 03");
    QElapsedTimer t;
    t.start();
    h.submit(r);
    QVERIFY(h.waitDone());
    const qint64 took = t.elapsed();
    const TransactionEngine::Outcome &o = h.done[0].second;
    QCOMPARE(statusName(o.status), status);
    QCOMPARE(o.tries, tries);
    QCOMPARE(h.line.frames.size(), tries);
    QVERIFY2(took >= minMs, qPrintable(QString("took %1 ms").arg(took)));
    if (o.status == Status::Reply) {
        QCOMPARE(int(o.reply.responseCode), responseCode);
        QCOMPARE(o.reply.data, r.data);
        QCOMPARE(int(o.reply.command), 2);
    }
    if (!detail.isEmpty()) QVERIFY2(o.detail.contains(detail), qPrintable(o.detail));

    // Nothing more comes, even if late bytes arrive after the outcome.
    QVERIFY(!waitInLoop([&] { return h.done.size() > 1; }, 150));
    QVERIFY(!h.finishedInsideSubmit);
    QVERIFY(!h.engine.isBusy());
}

void TestTransactionEngine::notAnswersAreSkipped() {
    Harness h;
    const auto r = h.request(2);
    const QByteArray sentFrame = hart::encode(
        [&] {
            hart::Frame f;
            f.address = r.address;
            f.command = 2;
            return f;
        }(),
        5);
    // Each decoy carries its own data byte, so a wrongly taken one shows in the outcome.
    auto frame = [](const QByteArray &address, quint8 command, quint8 delimiter, quint8 tag) {
        hart::Frame f;
        f.delimiter = delimiter;
        f.address = address;
        f.command = command;
        f.data = QByteArray(1, char(tag));
        return hart::encode(f, 3);
    };
    const QByteArray other = hart::longAddress(false, 0x26, 0x06, hexBytes("78 9A BC"));
    const QByteArray ours = hart::longAddress(true, 0x75, 0x0A, hexBytes("010203"), true);
    const QByteArray theirs = hart::longAddress(false, 0x75, 0x0A, hexBytes("010203"));
    h.line.respond = [&](const QByteArray &) {
        return QList<Chunk>{
            {0, sentFrame},                        // our echo
            {20, frame(other, 2, 0x81, 0xE1)},     // burst from another device
            {40, frame(ours, 2, 0x81, 0xE2)},      // burst from our device, same command
            {60, frame(other, 2, 0x86, 0xE3)},     // another device's reply
            {80, frame(r.address, 3, 0x86, 0xE4)}, // wrong command
            {100, frame(ours, 2, 0x82, 0xE5)},     // another master's request to it
            {120, frame(theirs, 2, 0x86, 0xE6)},   // its reply to the other master
            {140, frame(ours, 2, 0x86, 0x42)},     // ours, burst bit set
        };
    };
    h.submit(r);
    QVERIFY(h.waitDone());
    const auto &o = h.done[0].second;
    QCOMPARE(statusName(o.status), QString("Reply"));
    QCOMPARE(o.tries, 1);
    QCOMPARE(o.reply.data.toHex(), QByteArray("42"));
}

void TestTransactionEngine::oneOutcomeEachInOrderNeverInsideSubmit() {
    Harness h;
    h.device.script[2] = {silent()};
    QList<quint64> ids;
    auto r = h.request(2);
    r.retries = 0;
    ids << h.submit(r) << h.submit(h.request(13)) << h.submit(h.request(15));
    QVERIFY(h.engine.isBusy());
    QVERIFY(h.done.isEmpty());
    QVERIFY(h.waitDone(3));
    QVERIFY(!waitInLoop([&] { return h.done.size() > 3; }, 100));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(h.done[i].first, ids[i]);
    QCOMPARE(statusName(h.done[0].second.status), QString("NoReply"));
    QCOMPARE(statusName(h.done[1].second.status), QString("Reply"));
    QCOMPARE(int(h.done[1].second.reply.command), 13);
    QCOMPARE(int(h.done[2].second.reply.command), 15);
    QVERIFY(!h.finishedInsideSubmit);

    // A submit from inside the finished slot runs next, also not from inside that call.
    h.done.clear();
    quint64 chained = 0;
    auto c = QObject::connect(&h.engine, &TransactionEngine::finished,
                              [&](quint64, const TransactionEngine::Outcome &) {
                                  if (!chained) chained = h.submit(h.request(44));
                              });
    h.submit(h.request(13));
    QVERIFY(h.waitDone(2));
    QObject::disconnect(c);
    QCOMPARE(h.done[1].first, chained);
    QVERIFY(!h.finishedInsideSubmit);
}

void TestTransactionEngine::replyTimeCountsFromTheEndOfSending() {
    // A long request on a slow adapter: the reply comes well after send() + RT1 but within RT1
    // of the last byte leaving the line.
    Harness h;
    const int rt = h.engine.timing().primaryReplyTimeoutMs + h.engine.timing().adapterAllowanceMs;
    h.line.sentDelayMs = rt;
    h.device.script[2] = {reply(rt - 30)};
    auto r = h.request(2);
    r.retries = 0;
    h.submit(r);
    QVERIFY(h.waitDone());
    QCOMPARE(statusName(h.done[0].second.status), QString("Reply"));
}

void TestTransactionEngine::preamblesSent_data() {
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("sent");
    QTest::newRow("below the minimum") << 2 << 5;
    QTest::newRow("five") << 5 << 5;
    QTest::newRow("ten") << 10 << 10;
    QTest::newRow("above the maximum") << 40 << 20;
}

void TestTransactionEngine::preamblesSent() {
    QFETCH(int, asked);
    QFETCH(int, sent);
    Harness h;
    auto r = h.request(2);
    r.preambles = asked;
    h.submit(r);
    QVERIFY(h.waitDone());
    QCOMPARE(h.device.requestPreambles.value(0), sent);
}

void TestTransactionEngine::listensBeforeTalking() {
    Harness h;
    LinkTiming t = shortTiming();
    t.maxListenMs = 5000; // the traffic below must end before the bound, however slow the run
    h.engine.setTiming(t);
    // Another master's traffic: a byte every 20 ms for 200 ms.
    const QByteArray noise = hexBytes("FF FF 82 26 06 78 9A BC 02 00 00");
    int n = 0;
    qint64 lastAt = 0;
    QTimer traffic;
    QObject::connect(&traffic, &QTimer::timeout, [&] {
        h.line.inject(noise.mid(n % noise.size(), 1));
        lastAt = h.line.clock.elapsed();
        if (++n == 10) traffic.stop();
    });
    h.line.inject(noise.left(1));
    traffic.start(20);
    h.submit(h.request(2));
    QVERIFY(h.waitDone());
    QCOMPARE(statusName(h.done[0].second.status), QString("Reply"));
    QCOMPARE(n, 10);
    const qint64 waited = h.line.sendAtMs.value(0) - lastAt;
    QVERIFY2(waited >= t.quietMs - 5, qPrintable(QString::number(waited)));
}

void TestTransactionEngine::listeningIsBounded() {
    Harness h;
    QTimer traffic;
    QObject::connect(&traffic, &QTimer::timeout, [&] { h.line.inject(hexBytes("00")); });
    h.line.inject(hexBytes("00"));
    traffic.start(10);
    const qint64 start = h.line.clock.elapsed();
    h.submit(h.request(2));
    QVERIFY(waitInLoop([&] { return !h.line.frames.isEmpty(); }, 3000));
    traffic.stop();
    const qint64 waited = h.line.sendAtMs[0] - start;
    const int bound = h.engine.timing().maxListenMs;
    QVERIFY2(waited >= bound - 20 && waited < bound + 500, qPrintable(QString::number(waited)));
    QVERIFY(h.waitDone());
}

void TestTransactionEngine::babblingLineStillEnds() {
    // A modem that produces garbage without pause must not keep the transaction open forever.
    Harness h;
    h.device.script[2] = {silent()};
    QTimer noise;
    QObject::connect(&noise, &QTimer::timeout, [&] { h.line.inject(hexBytes("5A")); });
    auto r = h.request(2);
    r.retries = 0;
    h.submit(r);
    QVERIFY(waitInLoop([&] { return !h.line.sentAtMs.isEmpty(); }, 1000));
    noise.start(10);
    const int bound = h.engine.replyTimeoutMs(r) + h.engine.timing().longestReplyMs;
    QVERIFY(h.waitDone(1, bound + 1000));
    noise.stop();
    const qint64 took = h.line.clock.elapsed() - h.line.sentAtMs[0];
    QVERIFY2(took >= bound - 20, qPrintable(QString::number(took)));
    QCOMPARE(statusName(h.done[0].second.status), QString("NoReply"));
}

void TestTransactionEngine::lineThatCannotOpen() {
    Harness h;
    h.line.openError = "/dev/ttyFAKE0 does not exist";
    h.submit(h.request(2));
    QVERIFY(h.done.isEmpty());
    QVERIFY(h.waitDone());
    const auto &o = h.done[0].second;
    QCOMPARE(statusName(o.status), QString("LineFailed"));
    QCOMPARE(o.detail, h.line.openError);
    QCOMPARE(o.tries, 0);
    QVERIFY(h.line.frames.isEmpty());

    // Fixed (adapter plugged in): the next transaction opens the line again.
    h.line.openError.clear();
    h.submit(h.request(2));
    QVERIFY(h.waitDone(2));
    QCOMPARE(statusName(h.done[1].second.status), QString("Reply"));
    QCOMPARE(h.line.opens, 2);
}

void TestTransactionEngine::lineThatBreaksIsNotRetried() {
    Harness h;
    h.line.failOnSend = QString("/dev/ttyFAKE0 was disconnected");
    h.submit(h.request(2));
    QVERIFY(h.waitDone());
    const auto &o = h.done[0].second;
    QCOMPARE(statusName(o.status), QString("LineFailed"));
    QCOMPARE(o.detail, *h.line.failOnSend);
    QCOMPARE(h.line.frames.size(), 1);
    QVERIFY(!h.line.isOpen());
    QVERIFY(!waitInLoop([&] { return h.done.size() > 1; }, 50));
}

void TestTransactionEngine::lineThatNeverFinishesSending() {
    Harness h;
    h.line.reportsSent = false;
    h.submit(h.request(2));
    QVERIFY(h.waitDone(1, h.engine.timing().sendWatchdogMs + 2000));
    QCOMPARE(statusName(h.done[0].second.status), QString("LineFailed"));
    QVERIFY(h.done[0].second.detail.contains("did not finish sending"));
}

void TestTransactionEngine::oversizedRequestIsRefused() {
    Harness h;
    auto r = h.request(2);
    r.data = QByteArray(256, 'x');
    h.submit(r);
    auto bad = h.request(2);
    bad.address = hexBytes("80 00");
    h.submit(bad);
    QVERIFY(h.waitDone(2));
    QCOMPARE(statusName(h.done[0].second.status), QString("BadRequest"));
    QCOMPARE(statusName(h.done[1].second.status), QString("BadRequest"));
    QVERIFY(h.line.frames.isEmpty());
}

void TestTransactionEngine::linkGrant_data() {
    // Each row: how our first attempt ends, and when (after its `sent`); the next request of ours,
    // a retry or the next transaction, must leave the other master RT2 from there.
    QTest::addColumn<Answers>("script");
    QTest::addColumn<int>("submits");
    QTest::addColumn<int>("endsAfterMs");
    const LinkTiming t = shortTiming();
    QTest::newRow("after a reply") << Answers{reply(5)} << 2 << 5;
    QTest::newRow("after silence, before the retry")
        << Answers{silent(), reply()} << 1 << t.primaryReplyTimeoutMs + t.adapterAllowanceMs;
    QTest::newRow("after a garbled reply, before the retry")
        << Answers{answer(Kind::BadChecksum, 5), reply()} << 1 << 5 + t.interCharGapMs;
}

void TestTransactionEngine::linkGrant() {
    QFETCH(Answers, script);
    QFETCH(int, submits);
    QFETCH(int, endsAfterMs);
    Harness h;
    h.device.script[2] = script;
    for (int i = 0; i < submits; ++i)
        h.submit(h.request(2));
    QVERIFY(h.waitDone(submits));
    QCOMPARE(h.line.frames.size(), 2);
    QCOMPARE(statusName(h.done.last().second.status), QString("Reply"));
    const qint64 pause = h.line.sendAtMs[1] - h.line.sentAtMs[0] - endsAfterMs;
    QVERIFY2(pause >= h.engine.timing().linkGrantMs - 2, qPrintable(QString::number(pause)));
}

void TestTransactionEngine::yieldsToAnotherMaster_data() {
    QTest::addColumn<bool>("deviceAnswersIt");
    QTest::newRow("its device answers") << true;
    QTest::newRow("its device stays silent") << false;
}

void TestTransactionEngine::yieldsToAnotherMaster() {
    // The other master (secondary, as a handheld is) starts inside the link grant after our
    // transaction: ours waits for its transaction to end, and its reply is not our result.
    QFETCH(bool, deviceAnswersIt);
    Harness h;
    const QByteArray theirs =
        hart::longAddress(false, h.device.manufacturer, h.device.deviceType, h.device.deviceId);
    auto frame = [&](quint8 delimiter, const QByteArray &data) {
        hart::Frame f;
        f.delimiter = delimiter;
        f.address = theirs;
        f.command = 2;
        f.data = data;
        return hart::encode(f, 5);
    };
    qint64 requestAt = -1, replyAt = -1;
    const int replyAfterMs = 100;
    QObject::connect(&h.engine, &TransactionEngine::finished, [&] {
        if (h.done.size() != 1) return;
        h.submit(h.request(2));
        QTimer::singleShot(10, Qt::PreciseTimer, &h.line, [&] {
            requestAt = h.line.clock.elapsed();
            h.line.inject(frame(0x82, QByteArray()));
        });
        if (deviceAnswersIt)
            QTimer::singleShot(10 + replyAfterMs, Qt::PreciseTimer, &h.line, [&] {
                replyAt = h.line.clock.elapsed();
                h.line.inject(frame(0x86, hexBytes("EE")));
            });
    });
    h.device.script[2] = {reply(), reply()};
    h.submit(h.request(2));
    QVERIFY(h.waitDone(2));
    QVERIFY(requestAt >= 0);
    const qint64 ours = h.line.sendAtMs.value(1);
    if (deviceAnswersIt) {
        QVERIFY2(ours >= replyAt && replyAt >= 0,
                 qPrintable(QString("sent at %1, its reply at %2").arg(ours).arg(replyAt)));
    } else {
        // Its request went unanswered: the line is ours once its reply time has passed.
        const LinkTiming &t = h.engine.timing();
        const qint64 waited = ours - requestAt;
        QVERIFY2(waited >= t.secondaryReplyTimeoutMs + t.adapterAllowanceMs - 2,
                 qPrintable(QString::number(waited)));
    }
    QCOMPARE(statusName(h.done[1].second.status), QString("Reply"));
    QCOMPARE(h.done[1].second.reply.data, QByteArray());
}

namespace {
QStringList *g_logged = nullptr;
void captureLog(QtMsgType, const QMessageLogContext &context, const QString &message) {
    if (g_logged) g_logged->append(QString::fromLatin1(context.category) + ": " + message);
}
} // namespace

void TestTransactionEngine::wireLog() {
    QStringList logged;
    g_logged = &logged;
    const QtMessageHandler previous = qInstallMessageHandler(captureLog);
    auto run = [](Harness &h, Answers script) {
        h.device.script[2] = script;
        h.submit(h.request(2));
        return h.waitDone();
    };
    {
        // Off by default: nothing at all is written.
        Harness h;
        QVERIFY(run(h, {silent(), reply()}));
    }
    QCOMPARE(logged, QStringList());

    QLoggingCategory::setFilterRules("zanu.hart.wire.debug=true\nzanu.hart.link.debug=true");
    {
        Harness h;
        QVERIFY(run(h, {silent(), reply()}));
    }
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    g_logged = nullptr;

    const QStringList tx = logged.filter(QRegularExpression("^zanu.hart.wire: TX +[0-9.]+ ms "));
    const QStringList rx = logged.filter(QRegularExpression("^zanu.hart.wire: RX +[0-9.]+ ms "));
    QCOMPARE(tx.size(), 2);
    QVERIFY2(tx[0].contains("FF FF FF FF FF 82 B5 0A 01 02 03 02 00") &&
                 tx[0].contains("STX cmd 2 to b5 0a 01 02 03 (primary)"),
             qPrintable(tx[0]));
    QCOMPARE(rx.size(), 1);
    QVERIFY2(
        rx[0].contains("86 F5 0A 01 02 03 02 02 00 00") &&
            rx[0].contains("ACK cmd 2 from f5 0a 01 02 03 (primary, burst), rc 0, status 0x00"),
        qPrintable(rx[0]));
    QVERIFY2(!logged.filter(QRegularExpression("^zanu.hart.link: .*no reply \\(try 1 of 3\\)"))
                  .isEmpty(),
             qPrintable(logged.join('\n')));
}

void TestTransactionEngine::timingText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // toString() of the result, or the error
    LinkTiming slow;
    slow.primaryReplyTimeoutMs = 600;
    slow.adapterAllowanceMs = 100;
    LinkTiming noPause;
    noPause.linkGrantMs = 0;
    noPause.retries = 0;
    QTest::newRow("empty: the defaults") << "" << LinkTiming().toString();
    QTest::newRow("a slow adapter") << "rt1=600,allowance=100" << slow.toString();
    QTest::newRow("blanks and capitals") << " RT2 = 0 , retries=0 ," << noPause.toString();
    QTest::newRow("not a number") << "rt1=6oo"
                                  << "rt1 takes a whole number from 1 to 60000";
    QTest::newRow("out of range") << "retries=11"
                                  << "retries takes a whole number from 0 to 10";
    QTest::newRow("unknown key") << "baud=9600"
                                 << "KEY one of rt1, rt1-secondary, allowance";
    QTest::newRow("no value") << "rt1"
                              << "expected KEY=VALUE";
    QTest::newRow("good, then bad") << "rt1=600,speed=1"
                                    << "KEY one of";
}

void TestTransactionEngine::timingText() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    LinkTiming t;
    QString error;
    if (LinkTiming::parse(text, &t, &error)) {
        QCOMPARE(t.toString(), expected);
        LinkTiming back = shortTiming();
        QVERIFY(LinkTiming::parse(t.toString(), &back, &error));
        QVERIFY(back == t);
    } else {
        QVERIFY2(error.contains(expected), qPrintable(error));
        QVERIFY(t == LinkTiming()); // a bad text changes nothing
    }
}

QTEST_GUILESS_MAIN(TestTransactionEngine)
#include "test_transaction_engine.moc"
