// The session's dispatcher on the simulated transmitter: the window's chain steps and queued
// requests in, the commands on the wire and who got which reply out.
#include "hart/link/hart_codec.h"
#include "session/session.h"
#include "sim/sim_device.h"
#include "sim/sim_line.h"

#include <QtTest>

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void repliesGoToWhoeverAsked_data();
    void repliesGoToWhoeverAsked();
};

void TestSession::repliesGoToWhoeverAsked_data() {
    QTest::addColumn<QString>("fault"); // "busy n", "silent n" or "code command:rc"
    // "chain 13>15": the window writes 13, and 15 from inside 13's result; "ask A 40": queued.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("wire");
    QTest::addColumn<QStringList>("got"); // owner, command, response code or "none"
    QTest::newRow("a chain step written in its result goes first")
        << "" << QStringList{"chain 13>15", "ask A 48"} << QList<int>{13, 15, 48}
        << QStringList{"chain 13 0", "chain 15 0", "A 48 0"};
    QTest::newRow("a chain command overtakes a waiting request")
        << "" << QStringList{"ask A 48", "ask B 2", "chain 13"} << QList<int>{48, 13, 2}
        << QStringList{"A 48 0", "chain 13 0", "B 2 0"};
    QTest::newRow("busy twice, then done: resent as it was")
        << "busy 2" << QStringList{"ask A 40", "ask B 2"} << QList<int>{40, 40, 40, 2}
        << QStringList{"A 40 0", "B 2 0"};
    QTest::newRow("busy for good: ten resends, then the owner hears it")
        << "code 48:32" << QStringList{"ask A 48"} << QList<int>(11, 48) << QStringList{"A 48 32"};
    // After a silence the control checks with command 0 that the transmitter is still the same.
    QTest::newRow("no answer to one, the next goes on")
        << "silent 1" << QStringList{"ask A 48", "chain 13", "ask B 2"} << QList<int>{48, 0, 13, 2}
        << QStringList{"A 48 none", "chain 13 0", "B 2 0"};
}

void TestSession::repliesGoToWhoeverAsked() {
    QFETCH(QString, fault);
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, wire);
    QFETCH(QStringList, got);

    SimDevice device;
    Session session;
    HartX &h = *session.hart();
    LinkTiming fast = h.linkTiming();
    fast.linkGrantMs = fast.quietMs = fast.retries = 0;
    fast.primaryReplyTimeoutMs = 100;
    h.setLinkTiming(fast);
    h.setLineFactory(
        [&](int) { return std::make_unique<SimLine>(&device, SimLine::Timing::Instant); });
    h.setCommPort(1);
    QStringList seen;
    QHash<int, int> nextStep; // the chain's step written from inside a result
    connect(&session, &Session::chainResult, this, [&](qint16, qint16 command, qint16 result) {
        seen << QStringLiteral("chain %1 %2")
                    .arg(command)
                    .arg(result ? QStringLiteral("none") : QString::number(h.ResponseCode()));
        if (nextStep.contains(command)) h.setCommand(qint16(nextStep.take(command)));
    });
    h.setCommand(0); // the caller's own identification, before the row
    QTRY_VERIFY(seen.size() == 1 && !h.isBusy());
    seen.clear();
    device.clearTrace();

    const QStringList f = fault.split(QLatin1Char(' '));
    if (f[0] == QLatin1String("busy")) device.setBusy(f[1].toInt());
    if (f[0] == QLatin1String("silent")) device.setSilent(f[1].toInt());
    if (f[0] == QLatin1String("code"))
        device.setForcedResponse(f[1].section(':', 0, 0).toInt(), f[1].section(':', 1).toInt());
    QHash<int, QByteArray> asked;
    for (const QString &step : steps) {
        const QStringList s = step.split(QLatin1Char(' '));
        if (s[0] == QLatin1String("chain")) {
            const QStringList c = s[1].split(QLatin1Char('>'));
            if (c.size() > 1) nextStep[c[0].toInt()] = c[1].toInt();
            h.setCommand(qint16(c[0].toInt()));
            continue;
        }
        const int command = s[2].toInt();
        QByteArray data;
        if (command == 40) {
            data = QByteArray(4, '\0');
            hart::putFloat(data, 0, 12.0f);
        }
        asked[command] = data;
        session.request(qint16(command), data, [&seen, who = s[1]](const Session::Reply &r) {
            seen << QStringLiteral("%1 %2 %3")
                        .arg(who)
                        .arg(r.command)
                        .arg(r.answered() ? QString::number(r.responseCode)
                                          : QStringLiteral("none"));
        });
    }
    QTRY_COMPARE(seen, got);
    QTRY_VERIFY(!h.isBusy());
    QList<int> onWire;
    for (const SimDevice::TraceEntry &t : device.trace()) {
        onWire << t.command;
        // Every resend carries the request exactly as it was asked.
        if (asked.contains(t.command)) QCOMPARE(t.requestData, asked[t.command]);
    }
    QCOMPARE(onWire, wire);
    QCOMPARE(session.state(), Session::State::Idle);
}

QTEST_MAIN(TestSession)
#include "test_session.moc"
