// Fault injection: each switch does what it says, for as long as it says, and nothing else.
// A twin device without the fault gives the replies to compare with.

#include "hart/hart_replies.h"
#include "sim_test_helper.h"

#include <QtTest>

using namespace simtest;

class TestSimFaults : public QObject {
    Q_OBJECT
private slots:
    void busyThenNormal();
    void silentThenNormal_data();
    void silentThenNormal();
    void silentForever();
    void forcedResponse();
    void corruptFlipsOneBitPerByte();
    void corruptIsReproducible();
    void dropLeavesOutBytes();
    void otherManufacturer();
    void writeProtectReported();
    void faultsLeaveStateAlone();
};

namespace {

void twin(SimDevice &a, SimDevice &b) {
    makeSteady(a);
    makeSteady(b);
}

} // namespace

void TestSimFaults::busyThenNormal() {
    SimDevice device, clean;
    twin(device, clean);
    device.setBusy(2);
    const QByteArray write =
        QByteArray(1, char(240)) + hart::encodeSingle(8) + hart::encodeSingle(1);
    for (int i = 0; i < 2; ++i) {
        const auto r = transact(device, 35, write);
        QVERIFY(r);
        QCOMPARE(int(r->responseCode), 32);
        QVERIFY(r->data.isEmpty());
        QCOMPARE(device.config().upperRange, 10.0f); // a busy device did not do it
    }
    const QByteArray third = device.respond(requestTo(device, 35, write));
    QCOMPARE(third, clean.respond(requestTo(clean, 35, write)));
    QCOMPARE(device.config().upperRange, 8.0f);
    QCOMPARE(device.trace().size(), 3);
}

void TestSimFaults::silentThenNormal_data() {
    QTest::addColumn<int>("silent");
    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("three") << 3;
}

void TestSimFaults::silentThenNormal() {
    QFETCH(int, silent);
    SimDevice device, clean;
    twin(device, clean);
    device.setSilent(silent);
    for (int i = 0; i < silent; ++i)
        QVERIFY(device.respond(requestTo(device, 13)).isEmpty());
    QCOMPARE(device.respond(requestTo(device, 13)), clean.respond(requestTo(clean, 13)));
    // The device heard every request, and says which went unanswered.
    QCOMPARE(device.trace().size(), silent + 1);
    for (int i = 0; i < silent; ++i)
        QVERIFY(!device.trace()[i].replied);
    QVERIFY(device.trace().last().replied);
}

void TestSimFaults::silentForever() {
    SimDevice device;
    device.setSilent(-1);
    for (int i = 0; i < 20; ++i)
        QVERIFY(device.respond(requestFrame(hex("80"), 0)).isEmpty());
    device.setSilent(0);
    QVERIFY(!device.respond(requestFrame(hex("80"), 0)).isEmpty());
}

void TestSimFaults::forcedResponse() {
    SimDevice device, clean;
    twin(device, clean);
    device.setForcedResponse(15, 16);
    device.setForcedResponse(34, 6);
    for (int i = 0; i < 3; ++i) { // not only once
        const auto r = transact(device, 15);
        QCOMPARE(int(r->responseCode), 16);
        QVERIFY(r->data.isEmpty());
    }
    const auto w = transact(device, 34, hart::encodeSingle(3.0f));
    QCOMPARE(int(w->responseCode), 6);
    QCOMPARE(device.config().damping, 0.4f); // not carried out
    // Other commands answer as ever.
    QCOMPARE(device.respond(requestTo(device, 14)), clean.respond(requestTo(clean, 14)));
    device.setForcedResponse(15, 0);
    QCOMPARE(device.respond(requestTo(device, 15)), clean.respond(requestTo(clean, 15)));
}

void TestSimFaults::corruptFlipsOneBitPerByte() {
    SimDevice device, clean;
    twin(device, clean);
    device.setCorruptProbability(1.0);
    const QByteArray bad = device.respond(requestTo(device, 15));
    const QByteArray good = clean.respond(requestTo(clean, 15));
    QCOMPARE(bad.size(), good.size());
    for (int i = 0; i < good.size(); ++i) {
        const quint8 diff = quint8(bad[i]) ^ quint8(good[i]);
        QVERIFY2(diff != 0 && (diff & (diff - 1)) == 0, qPrintable(QString::number(i)));
    }
    device.setCorruptProbability(0.0);
    QCOMPARE(device.respond(requestTo(device, 15)), good);
}

void TestSimFaults::corruptIsReproducible() {
    SimDevice a, b;
    twin(a, b);
    a.setSeed(42);
    b.setSeed(42);
    a.setCorruptProbability(0.2);
    b.setCorruptProbability(0.2);
    QByteArray fromA, fromB;
    for (int i = 0; i < 10; ++i) {
        fromA += a.respond(requestTo(a, 14));
        fromB += b.respond(requestTo(b, 14));
    }
    QCOMPARE(fromA, fromB);
    SimDevice clean;
    makeSteady(clean);
    QByteArray good;
    for (int i = 0; i < 10; ++i)
        good += clean.respond(requestTo(clean, 14));
    int changed = 0;
    for (int i = 0; i < good.size(); ++i)
        changed += fromA[i] != good[i];
    // 240 bytes at 20 %: far from none and far from all.
    QVERIFY2(changed > 20 && changed < 80, qPrintable(QString::number(changed)));
}

void TestSimFaults::dropLeavesOutBytes() {
    SimDevice device, clean;
    twin(device, clean);
    device.setSeed(3);
    device.setDropProbability(0.3);
    const QByteArray good = clean.respond(requestTo(clean, 15));
    const QByteArray cut = device.respond(requestTo(device, 15));
    QVERIFY(cut.size() < good.size());
    // What is left is the reply with gaps, in order, unchanged.
    int j = 0;
    for (int i = 0; i < good.size() && j < cut.size(); ++i)
        if (good[i] == cut[j]) ++j;
    QCOMPARE(j, int(cut.size()));

    device.setDropProbability(1.0);
    QVERIFY(device.respond(requestTo(device, 15)).isEmpty());
    QCOMPARE(int(device.trace().last().responseCode), 0); // the device did answer
}

void TestSimFaults::otherManufacturer() {
    SimDevice device;
    device.setManufacturerId(0x26);
    const auto id = parseReply(device.respond(requestFrame(hex("80"), 0)));
    QCOMPARE(quint8(id->data[1]), quint8(0x26));
    // Its long address follows the identity it gives out.
    const QByteArray asZanu = hart::longAddress(true, 117, device.deviceType(), device.deviceId());
    QVERIFY(device.respond(requestFrame(asZanu, 13)).isEmpty());
    QVERIFY(transact(device, 13));
    // The distributor code in command 15 is the label's, not the maker's.
    QCOMPARE(quint8(transact(device, 15)->data[16]), quint8(117));
}

void TestSimFaults::writeProtectReported() {
    SimDevice device;
    QCOMPARE(quint8(transact(device, 15)->data[15]), quint8(0));
    device.setWriteProtect(true);
    QCOMPARE(quint8(transact(device, 15)->data[15]), quint8(1));
    QCOMPARE(int(transact(device, 44, hex("07"))->responseCode), 7);
    QCOMPARE(int(transact(device, 13)->responseCode), 0); // reads still work
}

void TestSimFaults::faultsLeaveStateAlone() {
    SimDevice device;
    makeSteady(device);
    const QByteArray before = device.stateJson();
    device.setBusy(1);
    device.setSilent(1);
    device.setCorruptProbability(0.5);
    device.setDropProbability(0.5);
    device.setForcedResponse(0, 16);
    device.setManufacturerId(1);
    QCOMPARE(device.stateJson(), before);
    // Silence is used up first, then busy; neither runs the command.
    QVERIFY(device.respond(requestTo(device, 44, hex("07"))).isEmpty());
    device.setCorruptProbability(0.0);
    device.setDropProbability(0.0);
    QCOMPARE(int(transact(device, 44, hex("07"))->responseCode), 32);
    QCOMPARE(device.stateJson(), before);
    QCOMPARE(int(transact(device, 44, hex("07"))->responseCode), 0);
    QCOMPARE(int(device.config().unitCode), 7);
}

QTEST_GUILESS_MAIN(TestSimFaults)
#include "test_sim_faults.moc"
