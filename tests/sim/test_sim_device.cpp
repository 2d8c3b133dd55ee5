// The simulated transmitter as a HART slave: reply layouts, refusals, the output it drives and
// the configuration it keeps.

#include "hart/hart_replies.h"
#include "sim_test_helper.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace simtest;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

QByteArray rangeRequest(quint8 unit, float urv, float lrv) {
    return QByteArray(1, char(unit)) + hart::encodeSingle(urv) + hart::encodeSingle(lrv);
}

} // namespace

class TestSimDevice : public QObject {
    Q_OBJECT
private slots:
    void replyLayout_data();
    void replyLayout();
    void wholeReplyFrame();
    void refusal_data();
    void refusal();
    void loopCurrent_data();
    void loopCurrent();
    void fixedCurrentEntersAndLeaves();
    void rangeFromAppliedPressure_data();
    void rangeFromAppliedPressure();
    void mountingEffectSetAndReset();
    void unitChangeKeepsPhysicalRange_data();
    void unitChangeKeepsPhysicalRange();
    void unknownUnitReportedAsIs();
    void rangeInAnotherUnitIsConverted();
    void addressing_data();
    void addressing();
    void badChecksumGetsCommunicationError();
    void traceLines();
    void dampingFollowsFirstOrder();
    void processMovesSlowlyWithNoise();
    void stateJsonHoldsConfiguration();
    void universalWrites_data();
    void universalWrites();
    void multidropAtNonZeroPollingAddress();
    void readByTag_data();
    void readByTag();
    void statusLifeCycle();
    void additionalStatus();
    void lowerRangeKeepsTheSpan();
    void loopTrim_data();
    void loopTrim();
};

// Reply data of every command against bytes worked out by hand, on a device in its default
// configuration (mH2O, 0..10, damping 0.4, rising output, serial 1801234) with 3.75 mH2O applied.
void TestSimDevice::replyLayout_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");

    // 254, maker 117, type 5A, 5 preambles, rev 5, device rev 1, software 3, hardware 2<<3, flags,
    // device id 0B 7C 2D.
    QTest::newRow("0 identity") << 0 << QByteArray() << hex("FE 75 5A 05 05 01 03 10 00 0B7C2D");
    // 10 mA (37.5 % of 0..10), 37.5 %.
    QTest::newRow("2 current and percent") << 2 << QByteArray() << hex("41200000 42160000");
    // 10 mA, unit 240, PV 3.75.
    QTest::newRow("3 dynamic variables") << 3 << QByteArray() << hex("41200000 F0 40700000");
    // "LT-101  " and "WELL 3 LEVEL    " packed, 7.12.(1900+126).
    QTest::newRow("13 tag descriptor date")
        << 13 << QByteArray() << hex("314B71C31820 5C530C83380C15614C820820 07 0C 7E");
    // Serial 1801234, unit 240, USL 20, LSL 0, minimum span 0.5.
    QTest::newRow("14 transducer")
        << 14 << QByteArray() << hex("1B7C12 F0 41A00000 00000000 3F000000");
    // Alarm 0, transfer 0, unit 240, URV 10, LRV 0, damping 0.4, not protected, distributor 117.
    QTest::newRow("15 output information")
        << 15 << QByteArray() << hex("00 00 F0 41200000 00000000 3ECCCCCD 00 75");
    QTest::newRow("129 output direction") << 129 << QByteArray() << hex("00 00");
    // Unit 240, PV 3.75.
    QTest::newRow("1 primary variable") << 1 << QByteArray() << hex("F0 40700000");
    // An empty message: 32 blanks, 20 08 20 ... packed as 82 08 20 eight times.
    QTest::newRow("12 message") << 12 << QByteArray()
                                << hex("820820 820820 820820 820820 820820 820820 820820 820820");
    QTest::newRow("16 final assembly number") << 16 << QByteArray() << hex("000000");
    QTest::newRow("48 nothing to report") << 48 << QByteArray() << hex("00 00 00 00 00 00");
    QTest::newRow("38 no data") << 38 << QByteArray() << QByteArray();
    // A read request with bytes left over from an earlier write: they are ignored.
    QTest::newRow("15 with leftover request bytes")
        << 15 << QByteArray(21, '\x55') << hex("00 00 F0 41200000 00000000 3ECCCCCD 00 75");

    // Writes echo their request data.
    const QByteArray tag = hex("40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 25 05 20 07 0C 7E");
    QTest::newRow("18 echo") << 18 << tag << tag;
    QTest::newRow("34 echo") << 34 << hex("40200000") << hex("40200000");
    QTest::newRow("35 echo") << 35 << hex("F0 41400000 3F800000") << hex("F0 41400000 3F800000");
    QTest::newRow("35 extra bytes not echoed")
        << 35 << hex("F0 41400000 3F800000 AABB") << hex("F0 41400000 3F800000");
    QTest::newRow("36 no data") << 36 << QByteArray() << QByteArray();
    QTest::newRow("37 no data") << 37 << QByteArray() << QByteArray();
    QTest::newRow("40 the current set") << 40 << hex("41480000") << hex("41480000");
    QTest::newRow("40 leave") << 40 << hex("00000000") << hex("00000000");
    QTest::newRow("44 echo") << 44 << hex("07") << hex("07");
    QTest::newRow("150 echo") << 150 << hex("01") << hex("01");
    QTest::newRow("152 echo") << 152 << hex("01") << hex("01");
}

void TestSimDevice::replyLayout() {
    QFETCH(int, command);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    SimDevice device;
    makeSteady(device);
    const auto frame = transact(device, quint8(command), request);
    QVERIFY(frame);
    QCOMPARE(int(frame->command), command);
    QCOMPARE(int(frame->responseCode), 0);
    QCOMPARE(frame->data.toHex(' '), reply.toHex(' '));
}

void TestSimDevice::wholeReplyFrame() {
    SimDevice device;
    makeSteady(device);
    // Command 0 at polling address 0 from a primary master: ACK, same address byte, byte count
    // 14 (2 status + 12 data), status 0 0, then the identity, check byte 11.
    const QByteArray reply = device.respond(hex("FFFFFFFFFF 02 80 00 00 82"));
    QCOMPARE(reply.toHex(' '),
             hex("FFFFFFFFFF 06 80 00 0E 00 00 FE 75 5A 05 05 01 03 10 00 0B7C2D 11").toHex(' '));
}

// Each refusal with its code; a refused request leaves the configuration as it was and carries
// no data, a warning (14) is applied and echoed.
void TestSimDevice::refusal_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<bool>("writeProtect");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("applied");

    QTest::newRow("34 too large") << 34 << hart::encodeSingle(32.5f) << false << 3 << false;
    QTest::newRow("34 largest") << 34 << hart::encodeSingle(32.0f) << false << 0 << true;
    QTest::newRow("34 negative") << 34 << hart::encodeSingle(-0.1f) << false << 4 << false;
    QTest::newRow("34 NaN") << 34 << hart::encodeSingle(kNaN) << false << 2 << false;
    QTest::newRow("34 short") << 34 << hex("402000") << false << 5 << false;
    QTest::newRow("34 protected") << 34 << hart::encodeSingle(1.0f) << true << 7 << false;

    QTest::newRow("35 LRV above USL") << 35 << rangeRequest(240, 10, 20.5f) << false << 9 << false;
    QTest::newRow("35 LRV below LSL") << 35 << rangeRequest(240, 10, -1) << false << 10 << false;
    QTest::newRow("35 URV above USL") << 35 << rangeRequest(240, 21, 0) << false << 11 << false;
    QTest::newRow("35 URV below LSL") << 35 << rangeRequest(240, -1, 0) << false << 12 << false;
    QTest::newRow("35 both out") << 35 << rangeRequest(240, 25, -1) << false << 13 << false;
    QTest::newRow("35 span too small applied")
        << 35 << rangeRequest(240, 5.2f, 5.0f) << false << 14 << true;
    QTest::newRow("35 whole sensor") << 35 << rangeRequest(240, 20, 0) << false << 0 << true;
    // 20 mH2O = 28.4467 psi; the tool's rounded factor shows 28.446, which must pass.
    QTest::newRow("35 USL in psi") << 35 << rangeRequest(6, 28.446f, 0) << false << 0 << true;
    QTest::newRow("35 above USL in psi") << 35 << rangeRequest(6, 28.6f, 0) << false << 11 << false;
    QTest::newRow("35 unknown unit") << 35 << rangeRequest(99, 5, 0) << false << 2 << false;
    QTest::newRow("35 NaN URV") << 35 << rangeRequest(240, kNaN, 0) << false << 2 << false;
    QTest::newRow("35 infinite LRV")
        << 35 << rangeRequest(240, 5, -std::numeric_limits<float>::infinity()) << false << 2
        << false;
    QTest::newRow("35 short") << 35 << rangeRequest(240, 5, 0).left(8) << false << 5 << false;
    QTest::newRow("35 protected") << 35 << rangeRequest(240, 5, 0) << true << 7 << false;

    QTest::newRow("36 protected") << 36 << QByteArray() << true << 7 << false;
    QTest::newRow("37 protected") << 37 << QByteArray() << true << 7 << false;

    QTest::newRow("40 too large") << 40 << hart::encodeSingle(20.6f) << false << 3 << false;
    QTest::newRow("40 too small") << 40 << hart::encodeSingle(3.7f) << false << 4 << false;
    QTest::newRow("40 negative") << 40 << hart::encodeSingle(-4.0f) << false << 4 << false;
    QTest::newRow("40 NaN") << 40 << hart::encodeSingle(kNaN) << false << 2 << false;
    QTest::newRow("40 short") << 40 << hex("4148") << false << 5 << false;
    QTest::newRow("40 not a write") << 40 << hart::encodeSingle(12.0f) << true << 0 << true;

    QTest::newRow("44 unknown unit") << 44 << hex("63") << false << 2 << false;
    QTest::newRow("44 no data") << 44 << QByteArray() << false << 5 << false;
    QTest::newRow("44 protected") << 44 << hex("07") << true << 7 << false;

    QTest::newRow("150 neither set nor reset") << 150 << hex("02") << false << 2 << false;
    QTest::newRow("150 protected") << 150 << hex("01") << true << 7 << false;
    QTest::newRow("150 no data") << 150 << QByteArray() << false << 5 << false;
    QTest::newRow("152 neither direction") << 152 << hex("02") << false << 2 << false;
    QTest::newRow("152 protected") << 152 << hex("01") << true << 7 << false;

    QTest::newRow("18 short") << 18 << QByteArray(20, '\x41') << false << 5 << false;
    QTest::newRow("18 protected") << 18 << QByteArray(21, '\x41') << true << 7 << false;

    QTest::newRow("5 not implemented") << 5 << QByteArray() << false << 64 << false;
    QTest::newRow("39 not implemented") << 39 << QByteArray() << false << 64 << false;

    QTest::newRow("6 beyond 15") << 6 << hex("10") << false << 2 << false;
    QTest::newRow("6 no data") << 6 << QByteArray() << false << 5 << false;
    QTest::newRow("6 protected") << 6 << hex("01") << true << 7 << false;
    QTest::newRow("17 short") << 17 << QByteArray(23, '\x41') << false << 5 << false;
    QTest::newRow("17 protected") << 17 << QByteArray(24, '\x41') << true << 7 << false;
    QTest::newRow("19 short") << 19 << hex("0102") << false << 5 << false;
    QTest::newRow("19 protected") << 19 << hex("010203") << true << 7 << false;
    QTest::newRow("255 not implemented") << 255 << QByteArray() << false << 64 << false;
}

void TestSimDevice::refusal() {
    QFETCH(int, command);
    QFETCH(QByteArray, request);
    QFETCH(bool, writeProtect);
    QFETCH(int, code);
    QFETCH(bool, applied);
    SimDevice device;
    makeSteady(device);
    device.setWriteProtect(writeProtect);
    const QByteArray before = device.stateJson();
    QSignalSpy changed(&device, &SimDevice::configChanged);
    const auto frame = transact(device, quint8(command), request);
    QVERIFY(frame);
    QCOMPARE(int(frame->responseCode), code);
    QCOMPARE(device.stateJson() != before, applied);
    QCOMPARE(changed.count(), applied ? 1 : 0);
    const bool error = code != 0 && code != 14;
    if (error) QVERIFY(frame->data.isEmpty());
    // Only an accepted write marks the configuration changed, and the mark stays.
    QCOMPARE(bool(frame->deviceStatus & 0x40), applied && command != 40);
    QCOMPARE(bool(transact(device, 0)->deviceStatus & 0x40), applied && command != 40);
}

void TestSimDevice::loopCurrent_data() {
    QTest::addColumn<double>("applied"); // mH2O
    QTest::addColumn<float>("lrv");
    QTest::addColumn<float>("urv");
    QTest::addColumn<int>("direction");
    QTest::addColumn<float>("current");
    QTest::addColumn<float>("percent");
    QTest::addColumn<int>("status");

    QTest::newRow("mid rising") << 5.0 << 0.f << 10.f << 0 << 12.f << 50.f << 0;
    QTest::newRow("mid falling") << 5.0 << 0.f << 10.f << 1 << 12.f << 50.f << 0;
    QTest::newRow("LRV rising") << 0.0 << 0.f << 10.f << 0 << 4.f << 0.f << 0;
    QTest::newRow("LRV falling") << 0.0 << 0.f << 10.f << 1 << 20.f << 0.f << 0;
    QTest::newRow("URV rising") << 10.0 << 0.f << 10.f << 0 << 20.f << 100.f << 0;
    QTest::newRow("URV falling") << 10.0 << 0.f << 10.f << 1 << 4.f << 100.f << 0;
    QTest::newRow("quarter falling") << 2.5 << 0.f << 10.f << 1 << 16.f << 25.f << 0;
    QTest::newRow("offset range") << 3.0 << 2.f << 6.f << 0 << 8.f << 25.f << 0;
    QTest::newRow("above URV saturates high") << 11.0 << 0.f << 10.f << 0 << 20.5f << 110.f << 0x04;
    QTest::newRow("above URV falling saturates low")
        << 11.0 << 0.f << 10.f << 1 << 3.8f << 110.f << 0x04;
    QTest::newRow("just inside saturation") << 10.25 << 0.f << 10.f << 0 << 20.4f << 102.5f << 0;
    QTest::newRow("below LRV saturates low") << 1.0 << 2.f << 10.f << 0 << 3.8f << -12.5f << 0x04;
    QTest::newRow("below sensor") << -0.5 << 0.f << 10.f << 0 << 3.8f << -5.f << 0x05;
    QTest::newRow("above sensor") << 21.0 << 0.f << 20.f << 0 << 20.5f << 105.f << 0x05;
    QTest::newRow("reversed range") << 2.5 << 10.f << 0.f << 0 << 16.f << 75.f << 0;
}

void TestSimDevice::loopCurrent() {
    QFETCH(double, applied);
    QFETCH(float, lrv);
    QFETCH(float, urv);
    QFETCH(int, direction);
    QFETCH(float, current);
    QFETCH(float, percent);
    QFETCH(int, status);
    SimDevice device;
    device.config().lowerRange = lrv;
    device.config().upperRange = urv;
    device.config().outputDirection = quint8(direction);
    makeSteady(device, applied);

    const auto two = transact(device, 2);
    QVERIFY(two);
    QVERIFY(qAbs(hart::getFloat(two->data, 0) - current) < 1e-4f);
    QVERIFY(qAbs(hart::getFloat(two->data, 4) - percent) < 1e-3f);
    QCOMPARE(int(two->deviceStatus), status);
    const auto three = transact(device, 3);
    QVERIFY(three);
    QVERIFY(qAbs(hart::getFloat(three->data, 0) - current) < 1e-4f);
    QVERIFY(qAbs(hart::getFloat(three->data, 5) - float(applied)) < 1e-5f);
}

void TestSimDevice::fixedCurrentEntersAndLeaves() {
    SimDevice device;
    makeSteady(device, 11.0); // the live output would saturate at 20.5 mA
    auto r = transact(device, 40, hart::encodeSingle(12.5f));
    QVERIFY(r);
    QCOMPARE(int(r->responseCode), 0);
    QCOMPARE(hart::getFloat(r->data, 0), 12.5f);
    QCOMPARE(int(r->deviceStatus), 0x08); // fixed, and saturation is not reported while fixed
    r = transact(device, 2);
    QCOMPARE(hart::getFloat(r->data, 0), 12.5f);
    QCOMPARE(hart::getFloat(r->data, 4), 110.0f); // percent still follows the PV
    QCOMPARE(int(r->deviceStatus), 0x08);
    QVERIFY(device.config().fixedCurrent.has_value());

    // A refused value leaves the fixed current where it was.
    r = transact(device, 40, hart::encodeSingle(25.0f));
    QCOMPARE(int(r->responseCode), 3);
    QCOMPARE(*device.config().fixedCurrent, 12.5f);

    r = transact(device, 40, hart::encodeSingle(0.0f));
    QCOMPARE(int(r->responseCode), 0);
    QCOMPARE(int(r->deviceStatus), 0x04);
    QVERIFY(!device.config().fixedCurrent.has_value());
    r = transact(device, 2);
    QCOMPARE(hart::getFloat(r->data, 0), 20.5f);

    // Limits themselves are accepted.
    QCOMPARE(int(transact(device, 40, hart::encodeSingle(3.8f))->responseCode), 0);
    QCOMPARE(int(transact(device, 40, hart::encodeSingle(20.5f))->responseCode), 0);
}

void TestSimDevice::rangeFromAppliedPressure_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<quint8>("unit");
    QTest::addColumn<double>("applied"); // mH2O
    QTest::addColumn<int>("code");
    QTest::addColumn<float>("lrv"); // expected afterwards, in the unit
    QTest::addColumn<float>("urv");

    QTest::newRow("36 takes the pressure") << 36 << quint8(240) << 7.5 << 0 << 0.f << 7.5f;
    QTest::newRow("37 takes the pressure") << 37 << quint8(240) << 1.25 << 0 << 1.25f << 11.25f;
    QTest::newRow("36 above USL") << 36 << quint8(240) << 21.0 << 9 << 0.f << 10.f;
    QTest::newRow("37 above USL") << 37 << quint8(240) << 21.0 << 9 << 0.f << 10.f;
    QTest::newRow("37 below LSL") << 37 << quint8(240) << -0.5 << 10 << 0.f << 10.f;
    QTest::newRow("36 below LSL") << 36 << quint8(240) << -0.5 << 10 << 0.f << 10.f;
    QTest::newRow("36 span too small") << 36 << quint8(240) << 0.25 << 14 << 0.f << 0.25f;
    QTest::newRow("37 span kept near USL") << 37 << quint8(240) << 9.75 << 0 << 9.75f << 19.75f;
    QTest::newRow("37 URV held at USL") << 37 << quint8(240) << 15.0 << 14 << 15.f << 20.f;
    QTest::newRow("37 in kPa held at USL")
        << 37 << quint8(12) << 12.5 << 14 << 122.583125f << 196.133f;
    QTest::newRow("36 in kPa") << 36 << quint8(12) << 5.0 << 0 << 0.f << 49.03325f;
    QTest::newRow("37 in kPa above USL") << 37 << quint8(12) << 20.5 << 9 << 0.f << 98.0665f;
}

void TestSimDevice::rangeFromAppliedPressure() {
    QFETCH(int, command);
    QFETCH(quint8, unit);
    QFETCH(double, applied);
    QFETCH(int, code);
    QFETCH(float, lrv);
    QFETCH(float, urv);
    SimDevice device;
    QVERIFY(device.setUnit(unit));
    makeSteady(device, applied);
    const auto r = transact(device, quint8(command));
    QVERIFY(r);
    QCOMPARE(int(r->responseCode), code);
    QVERIFY(r->data.isEmpty());
    QVERIFY(qAbs(device.config().lowerRange - lrv) < 1e-4f * qMax(1.f, qAbs(lrv)));
    QVERIFY(qAbs(device.config().upperRange - urv) < 1e-4f * qMax(1.f, qAbs(urv)));
}

void TestSimDevice::mountingEffectSetAndReset() {
    SimDevice device;
    makeSteady(device, 0.8);
    QCOMPARE(int(transact(device, 150, hex("01"))->responseCode), 0);
    QCOMPARE(device.config().mountingOffset, 0.8f);
    device.settle();
    QVERIFY(qAbs(hart::getFloat(transact(device, 3)->data, 5)) < 1e-6f);
    QVERIFY(device.stateJson().contains("\"mounting_offset\":0.8"));

    // The offset stays when the pressure rises; PV is measured from it.
    device.setAppliedPressure(5.8);
    device.settle();
    QVERIFY(qAbs(hart::getFloat(transact(device, 3)->data, 5) - 5.0f) < 1e-5f);

    QCOMPARE(int(transact(device, 150, hex("00"))->responseCode), 0);
    QCOMPARE(device.config().mountingOffset, 0.0f);
    device.settle();
    QVERIFY(qAbs(hart::getFloat(transact(device, 3)->data, 5) - 5.8f) < 1e-5f);
}

void TestSimDevice::unitChangeKeepsPhysicalRange_data() {
    QTest::addColumn<quint8>("unit");
    QTest::addColumn<double>("paPerUnit");
    const struct {
        const char *name;
        quint8 code;
        double pa;
    } units[] = {{"inH2O", 1, 249.08891}, {"inHg", 2, 3386.389},   {"mmH2O", 4, 9.80665},
                 {"mmHg", 5, 133.3224},   {"psi", 6, 6894.757},    {"bar", 7, 1e5},
                 {"mbar", 8, 100.0},      {"kg/cm2", 10, 98066.5}, {"kPa", 12, 1000.0},
                 {"atm", 14, 101325.0},   {"MPa", 237, 1e6},       {"mH2O", 240, 9806.65}};
    for (const auto &u : units)
        QTest::newRow(u.name) << u.code << u.pa;
}

void TestSimDevice::unitChangeKeepsPhysicalRange() {
    QFETCH(quint8, unit);
    QFETCH(double, paPerUnit);
    SimDevice device;
    makeSteady(device);
    device.config().lowerRange = 1.0f;
    device.config().upperRange = 10.0f;
    const auto r = transact(device, 44, QByteArray(1, char(unit)));
    QCOMPARE(int(r->responseCode), 0);
    QCOMPARE(r->data, QByteArray(1, char(unit)));

    auto near = [](float got, double want) {
        return std::abs(double(got) - want) <= 1e-6 * std::abs(want) + 1e-9;
    };
    const double k = 9806.65 / paPerUnit; // units per mH2O
    const auto info = transact(device, 15);
    QCOMPARE(quint8(info->data[2]), unit);
    QVERIFY2(near(hart::getFloat(info->data, 3), 10.0 * k), "URV converted");
    QVERIFY2(near(hart::getFloat(info->data, 7), 1.0 * k), "LRV converted");
    const auto limits = transact(device, 14);
    QCOMPARE(quint8(limits->data[3]), unit);
    QVERIFY2(near(hart::getFloat(limits->data, 4), 20.0 * k), "USL in the new unit");
    QVERIFY2(near(hart::getFloat(limits->data, 12), 0.5 * k), "minimum span in the new unit");
    QVERIFY2(near(hart::getFloat(transact(device, 3)->data, 5), 3.75 * k), "PV in the new unit");
    QCOMPARE(quint8(transact(device, 3)->data[4]), unit);

    // And back: the range is the one it was.
    transact(device, 44, QByteArray(1, char(240)));
    QVERIFY(std::abs(device.config().upperRange - 10.0f) < 1e-5f);
    QVERIFY(std::abs(device.config().lowerRange - 1.0f) < 1e-6f);
}

void TestSimDevice::unknownUnitReportedAsIs() {
    SimDevice device;
    makeSteady(device);
    QVERIFY(!device.setUnit(99));
    const auto info = transact(device, 15);
    QCOMPARE(quint8(info->data[2]), quint8(99));
    QCOMPARE(hart::getFloat(info->data, 3), 10.0f);
    QCOMPARE(quint8(transact(device, 14)->data[3]), quint8(99));
    // The range can still be written in the unit the device holds, and the unit changed to a
    // known one.
    QCOMPARE(int(transact(device, 35, rangeRequest(99, 8, 1))->responseCode), 0);
    QCOMPARE(int(transact(device, 35, rangeRequest(98, 8, 1))->responseCode), 2);
    QCOMPARE(int(transact(device, 44, hex("F0"))->responseCode), 0);
    QCOMPARE(device.config().upperRange, 8.0f);
}

void TestSimDevice::rangeInAnotherUnitIsConverted() {
    SimDevice device;
    makeSteady(device);
    // 100 kPa is 10.197 mH2O: stored in the PV unit, echoed as sent.
    const QByteArray req = rangeRequest(12, 100.0f, 9.80665f);
    const auto r = transact(device, 35, req);
    QCOMPARE(int(r->responseCode), 0);
    QCOMPARE(r->data, req);
    QCOMPARE(int(device.config().unitCode), 240);
    QVERIFY(qAbs(device.config().upperRange - 10.19716f) < 1e-4f);
    QVERIFY(qAbs(device.config().lowerRange - 1.0f) < 1e-6f);
}

void TestSimDevice::addressing_data() {
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<bool>("answered");
    // Long address: 80|(117&3F)=B5, type 5A, id 0B 7C 2D.
    QTest::newRow("long, primary") << hex("B5 5A 0B7C2D") << true;
    QTest::newRow("long, secondary") << hex("35 5A 0B7C2D") << true;
    QTest::newRow("long, burst bit") << hex("F5 5A 0B7C2D") << true;
    QTest::newRow("long, other id") << hex("B5 5A 0B7C2E") << false;
    QTest::newRow("long, other type") << hex("B5 5B 0B7C2D") << false;
    QTest::newRow("long, other maker") << hex("A6 5A 0B7C2D") << false;
    QTest::newRow("short 0, primary") << hex("80") << true;
    QTest::newRow("short 0, secondary") << hex("00") << true;
    QTest::newRow("short 1") << hex("81") << false;
    QTest::newRow("short 15") << hex("8F") << false;
}

void TestSimDevice::addressing() {
    QFETCH(QByteArray, address);
    QFETCH(bool, answered);
    SimDevice device;
    const QByteArray reply = device.respond(requestFrame(address, 0));
    QCOMPARE(!reply.isEmpty(), answered);
    if (!answered) {
        QVERIFY(device.trace().isEmpty());
        return;
    }
    const auto frame = parseReply(reply);
    QVERIFY(frame);
    QCOMPARE(int(frame->delimiter), address.size() == 5 ? 0x86 : 0x06);
    // The request's master bit; the burst bit is the device's own (off).
    QByteArray expected = address;
    expected[0] = char(quint8(expected[0]) & ~0x40);
    QCOMPARE(frame->address.toHex(' '), expected.toHex(' '));
}

void TestSimDevice::badChecksumGetsCommunicationError() {
    SimDevice device;
    QByteArray req = requestTo(device, 35, rangeRequest(240, 5, 1));
    req[req.size() - 1] = char(quint8(req.back()) ^ 0x01);
    const auto frame = parseReply(device.respond(req));
    QVERIFY(frame);
    QCOMPARE(int(frame->responseCode), 0x88);
    QVERIFY(frame->isCommError());
    QVERIFY(frame->data.isEmpty());
    QCOMPARE(device.config().upperRange, 10.0f); // not executed

    // A reply frame (our own echo, another device) is no request.
    hart::Frame ack;
    ack.delimiter = 0x86;
    ack.address = longAddressOf(device);
    ack.command = 15;
    QVERIFY(device.respond(hart::encode(ack, 5)).isEmpty());
    // Noise before the preambles does not hide a request.
    QVERIFY(parseReply(device.respond(hex("00 13 FF 7E") + requestTo(device, 0))));
    QVERIFY(device.respond(QByteArray()).isEmpty());
    QVERIFY(device.respond(hex("FFFFFFFFFF 82 B5")).isEmpty()); // cut short
}

void TestSimDevice::traceLines() {
    SimDevice device;
    makeSteady(device);
    QSignalSpy lines(&device, &SimDevice::traceLine);
    transact(device, 44, hex("07"));
    device.respond(requestFrame(hex("80"), 0));
    QCOMPARE(lines.count(), 4);
    QCOMPARE(lines[0][0].toString(), QStringLiteral("REQ cmd=44 addr=long data=07"));
    QCOMPARE(lines[1][0].toString(), QStringLiteral("RSP cmd=44 rc=0 status=0x40 data=07"));
    QCOMPARE(lines[2][0].toString(), QStringLiteral("REQ cmd=0 addr=short data="));
    QCOMPARE(lines[3][0].toString(),
             QStringLiteral("RSP cmd=0 rc=0 status=0x40 data=fe755a0505010310000b7c2d"));

    QCOMPARE(device.trace().size(), 2);
    const auto &e = device.trace().first();
    QCOMPARE(e.command, 44);
    QVERIFY(e.longAddress);
    QCOMPARE(e.requestData, hex("07"));
    QVERIFY(e.replied);
    QCOMPARE(e.status, quint8(0x40));
    QCOMPARE(e.replyData, hex("07"));
    QVERIFY(!device.trace().last().longAddress);
    device.clearTrace();
    QVERIFY(device.trace().isEmpty());
}

void TestSimDevice::dampingFollowsFirstOrder() {
    SimDevice device;
    device.config().damping = 0.2f;
    makeSteady(device, 2.0);
    device.setAppliedPressure(12.0);
    QElapsedTimer t;
    t.start();
    QVERIFY(device.primaryValue() < 2.5f); // no jump
    // Half way up takes some 0.7 time constants; where it is then must fit the time it took.
    QVERIFY(QTest::qWaitFor([&] { return device.primaryValue() >= 7.0f; }, 3000));
    const float pv = device.primaryValue();
    const double expected = 2.0 + 10.0 * (1.0 - std::exp(-double(t.elapsed()) / 200.0));
    QVERIFY2(qAbs(double(pv) - expected) < 0.5, qPrintable(QString::number(pv)));
    device.settle();
    QCOMPARE(device.primaryValue(), 12.0f);

    // No damping: the PV follows at once.
    device.config().damping = 0.0f;
    device.setAppliedPressure(4.0);
    QCOMPARE(device.primaryValue(), 4.0f);
}

void TestSimDevice::processMovesSlowlyWithNoise() {
    SimDevice device;
    device.setSeed(7);
    device.config().damping = 0.0f;
    device.setAppliedPressure(6.0);
    QVERIFY(device.noise());
    float lo = 1e9f, hi = -1e9f;
    for (int i = 0; i < 50; ++i) {
        const float pv = device.primaryValue();
        lo = qMin(lo, pv);
        hi = qMax(hi, pv);
    }
    QVERIFY(hi > lo);         // it is alive
    QVERIFY(hi - lo < 0.05f); // but only by millimetres
    QVERIFY(qAbs(device.appliedPressure() - 6.0) < 0.06);

    device.setNoise(false);
    device.settle();
    const float still = device.primaryValue();
    QCOMPARE(device.primaryValue(), still);
}

void TestSimDevice::stateJsonHoldsConfiguration() {
    SimDevice device;
    makeSteady(device, 4.0);
    transact(device, 35, rangeRequest(240, 12.5f, 0.5f));
    transact(device, 34, hart::encodeSingle(0.4f));
    transact(device, 152, hex("01"));
    transact(device, 40, hart::encodeSingle(6.0f));
    device.setWriteProtect(true);
    const QJsonObject o = QJsonDocument::fromJson(device.stateJson()).object();
    QCOMPARE(o.value("tag").toString(), QStringLiteral("LT-101"));
    QCOMPARE(o.value("descriptor").toString(), QStringLiteral("WELL 3 LEVEL"));
    QCOMPARE(o.value("date").toObject().value("year").toInt(), 2026);
    QCOMPARE(o.value("date").toObject().value("month").toInt(), 12);
    QCOMPARE(o.value("date").toObject().value("day").toInt(), 7);
    QCOMPARE(o.value("unit_code").toInt(), 240);
    QCOMPARE(o.value("urv").toDouble(), 12.5);
    QCOMPARE(o.value("lrv").toDouble(), 0.5);
    QCOMPARE(o.value("damping").toDouble(), 0.4); // shown as written, not as 0.4000000059604645
    QCOMPARE(o.value("output_direction").toInt(), 1);
    QCOMPARE(o.value("fixed_current").toDouble(), 6.0);
    QCOMPARE(o.value("mounting_offset").toDouble(), 0.0);
    QCOMPARE(o.value("write_protect").toBool(), true);
    QCOMPARE(o.value("message").toString(), QString());
    QCOMPARE(o.value("final_assembly_number").toInt(), 0);
    QCOMPARE(o.value("polling_address").toInt(), 0);
    transact(device, 40, hart::encodeSingle(0.0f));
    QVERIFY(QJsonDocument::fromJson(device.stateJson()).object().value("fixed_current").isNull());
}

// Each universal write against hand-worked bytes: the echo, the read-back, the state file.
void TestSimDevice::universalWrites_data() {
    QTest::addColumn<int>("write");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("read");
    QTest::addColumn<QByteArray>("readBack");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("state");

    // Packed-ASCII vector from independent implementations.
    const QByteArray message =
        hex("50 82 53 80 94 E0 06 0C F2 80 32 01 48 10 D4 15 28 0D 15 34 C1 1C 58 61");
    QTest::newRow("17 message") << 17 << message << 12 << message << "message"
                                << QVariant("THIS IS A 32 CHARACTER MESSAGE!!");
    // "TAG 01" and blanks: the trailing blanks are not kept, and come back on reading.
    QTest::newRow("17 short text")
        << 17 << hex("50 11 E0 C3 18 20") + hex("820820").repeated(6) << 12
        << hex("50 11 E0 C3 18 20") + hex("820820").repeated(6) << "message" << QVariant("TAG 01");
    // 123456 = 01 E2 40.
    QTest::newRow("19 final assembly") << 19 << hex("01 E2 40") << 16 << hex("01 E2 40")
                                       << "final_assembly_number" << QVariant(123456);
    QTest::newRow("19 extra bytes ignored") << 19 << hex("FF FF FF 55") << 16 << hex("FF FF FF")
                                            << "final_assembly_number" << QVariant(16777215);
    QTest::newRow("6 polling address")
        << 6 << hex("0F") << 0 << QByteArray() << "polling_address" << QVariant(15);
}

void TestSimDevice::universalWrites() {
    QFETCH(int, write);
    QFETCH(QByteArray, request);
    QFETCH(int, read);
    QFETCH(QByteArray, readBack);
    QFETCH(QString, key);
    QFETCH(QVariant, state);
    SimDevice device;
    makeSteady(device);
    QSignalSpy changed(&device, &SimDevice::configChanged);
    const auto w = transact(device, quint8(write), request);
    QVERIFY(w);
    QCOMPARE(int(w->responseCode), 0);
    const int echoBytes = write == 17 ? 24 : write == 19 ? 3 : 1;
    QCOMPARE(w->data.toHex(' '), request.left(echoBytes).toHex(' '));
    QCOMPARE(int(w->deviceStatus & 0x40), 0x40);
    QCOMPARE(changed.count(), 1);
    if (!readBack.isEmpty())
        QCOMPARE(transact(device, quint8(read))->data.toHex(' '), readBack.toHex(' '));
    const QJsonObject o = QJsonDocument::fromJson(device.stateJson()).object();
    QCOMPARE(o.value(key).toVariant(), state);
}

// At a non-zero polling address the device answers command 0 there only, and its loop current
// stays at 4 mA whatever the process does.
void TestSimDevice::multidropAtNonZeroPollingAddress() {
    SimDevice device;
    makeSteady(device, 7.5);
    QCOMPARE(int(transact(device, 6, hex("05"))->responseCode), 0);
    QVERIFY(device.respond(requestFrame(hex("80"), 0)).isEmpty());
    const auto id = parseReply(device.respond(requestFrame(hex("85"), 0)));
    QVERIFY(id);
    QCOMPARE(id->data.left(3), hex("FE 75 5A"));
    const auto current = transact(device, 2);
    QCOMPARE(hart::getFloat(current->data, 0), 4.0f);
    QCOMPARE(hart::getFloat(current->data, 4), 75.0f);
    QCOMPARE(int(current->deviceStatus), 0x40 | 0x08);
    // Fixed-current mode has nothing to drive while multidrop holds the current.
    QCOMPARE(int(transact(device, 40, hart::encodeSingle(12.0f))->responseCode), 11);
    QCOMPARE(int(transact(device, 6, hex("00"))->responseCode), 0);
    QCOMPARE(hart::getFloat(transact(device, 2)->data, 0), 16.0f);
}

void TestSimDevice::readByTag_data() {
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<bool>("answered");
    // "LT-101  " packed.
    const QByteArray ours = hex("31 4B 71 C3 18 20");
    QTest::newRow("broadcast, our tag") << hex("80 00 00 00 00") << ours << true;
    QTest::newRow("broadcast, secondary") << hex("00 00 00 00 00") << ours << true;
    QTest::newRow("our address, our tag") << hex("B5 5A 0B 7C 2D") << ours << true;
    QTest::newRow("broadcast, other tag")
        << hex("80 00 00 00 00") << hex("50 11 E0 C3 18 20") << false;
    QTest::newRow("broadcast, tag cut short") << hex("80 00 00 00 00") << ours.left(5) << false;
    QTest::newRow("other device, our tag") << hex("B5 5A 0B 7C 2E") << ours << false;
}

void TestSimDevice::readByTag() {
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, tag);
    QFETCH(bool, answered);
    SimDevice device;
    makeSteady(device);
    const QByteArray reply = device.respond(requestFrame(address, 11, tag));
    QCOMPARE(!reply.isEmpty(), answered);
    if (!answered) return;
    const auto frame = parseReply(reply);
    QVERIFY(frame);
    QCOMPARE(frame->data.toHex(' '), hex("FE 75 5A 05 05 01 03 10 00 0B7C2D").toHex(' '));
}

// Cold start in the first reply only; configuration changed from a write until command 38.
void TestSimDevice::statusLifeCycle() {
    SimDevice device;
    device.setNoise(false);
    QCOMPARE(int(transact(device, 0)->deviceStatus), 0x20);
    QCOMPARE(int(transact(device, 0)->deviceStatus), 0x00);
    QCOMPARE(int(transact(device, 34, hart::encodeSingle(1.0f))->deviceStatus), 0x40);
    QCOMPARE(int(transact(device, 13)->deviceStatus), 0x40);
    const auto reset = transact(device, 38);
    QCOMPARE(int(reset->responseCode), 0);
    QCOMPARE(int(reset->deviceStatus), 0x00);
    QVERIFY(reset->data.isEmpty());
    // A refused write changes nothing, so it sets nothing.
    QCOMPARE(int(transact(device, 34, hart::encodeSingle(-1.0f))->deviceStatus), 0x00);
    // The applied pressure outside the sensor: PV out of limits, and the output saturates.
    device.setAppliedPressure(20.5);
    device.settle();
    QCOMPARE(int(transact(device, 0)->deviceStatus), 0x01 | 0x04);
    device.setAppliedPressure(-0.5);
    device.settle();
    QCOMPARE(int(transact(device, 0)->deviceStatus), 0x01 | 0x04);
}

void TestSimDevice::additionalStatus() {
    SimDevice device;
    makeSteady(device);
    device.setMalfunction(true);
    const auto r = transact(device, 48);
    QCOMPARE(int(r->deviceStatus), 0x80 | 0x10);
    QCOMPARE(r->data.toHex(' '), hex("01 00 00 00 00 00").toHex(' '));
    device.setMalfunction(false);
    QCOMPARE(int(transact(device, 48)->deviceStatus), 0x00);
}

// 36 then 37 at the same pressure used to collapse the range to nothing.
void TestSimDevice::lowerRangeKeepsTheSpan() {
    SimDevice device;
    makeSteady(device, 3.75);
    QCOMPARE(int(transact(device, 36)->responseCode), 0);
    QCOMPARE(device.config().upperRange, 3.75f);
    QCOMPARE(int(transact(device, 37)->responseCode), 0);
    QCOMPARE(device.config().lowerRange, 3.75f);
    QCOMPARE(device.config().upperRange, 7.5f);
}

// Steps: "40:MA" fixes the loop, "45"/"46" trim with what the meter reads, "45:MA" with a given
// reading, "wp" write-protects. Output stage 0.03 mA : 0.2 %, worked by hand:
// at 4 mA the meter reads 4 * 1.002 + 0.03 = 4.038; the zero trim takes 0.038 off, so
// 3.962 * 1.002 + 0.03 = 3.999924; at 20 mA then 19.962 * 1.002 + 0.03 = 20.031924; the gain
// becomes 16 / 16.031924, so 20 mA drives 4 + 15.96814 - 0.038 = 19.93014 -> 20.0000 and
// 12 mA drives 11.946070 -> 11.99996.
void TestSimDevice::loopTrim_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("code"); // of the last step
    QTest::addColumn<double>("meterMa");
    QTest::newRow("untrimmed at 4") << "40:4" << 0 << 4.038;
    QTest::newRow("untrimmed at 20") << "40:20" << 0 << 20.07;
    QTest::newRow("zero") << "40:4 45" << 0 << 3.999924;
    QTest::newRow("zero, then at 20") << "40:4 45 40:20" << 0 << 20.031924;
    QTest::newRow("zero and gain, at 20") << "40:4 45 40:20 46" << 0 << 20.0;
    QTest::newRow("zero and gain, at 4") << "40:4 45 40:20 46 40:4" << 0 << 3.999924;
    QTest::newRow("zero and gain, at 12") << "40:4 45 40:20 46 40:12" << 0 << 11.99996;
    QTest::newRow("zero, loop not fixed") << "45" << 9 << 0.0;
    QTest::newRow("gain at 4 mA") << "40:4 46" << 9 << 4.038;
    QTest::newRow("zero at 12 mA") << "40:12 45" << 9 << 12.054;
    QTest::newRow("reading far above") << "40:4 45:5.01" << 3 << 4.038;
    QTest::newRow("reading far below") << "40:20 46:18.99" << 4 << 20.07;
    QTest::newRow("write protected") << "40:4 wp 45" << 7 << 4.038;
}

void TestSimDevice::loopTrim() {
    QFETCH(QString, steps);
    QFETCH(int, code);
    QFETCH(double, meterMa);
    SimDevice device;
    makeSteady(device);
    device.setDacError(0.03, 0.2);
    std::optional<hart::Frame> last;
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        if (step == QLatin1String("wp")) {
            device.setWriteProtect(true);
            continue;
        }
        const QStringList part = step.split(QLatin1Char(':'));
        const quint8 command = quint8(part[0].toInt());
        const float value = part.size() > 1 ? part[1].toFloat() : float(device.meterCurrent());
        last = transact(device, command, hart::encodeSingle(value));
        QVERIFY(last);
    }
    QCOMPARE(int(last->responseCode), code);
    if (code == 0 && last->command != 40) QCOMPARE(last->data.size(), 4);
    if (meterMa > 0)
        QVERIFY2(std::abs(device.meterCurrent() - meterMa) < 2e-5,
                 qPrintable(QString::number(device.meterCurrent(), 'f', 6)));
}

QTEST_GUILESS_MAIN(TestSimDevice)
#include "test_sim_device.moc"
