// The status byte of a reply and the command-0 identity, decoded.
#include "hart/device_status.h"

#include <QtTest>

class TestDeviceStatus : public QObject {
    Q_OBJECT
private slots:
    void decodesEachBit_data();
    void decodesEachBit();
    void attention_data();
    void attention();
    void identity_data();
    void identity();
    void additionalStatusPositions();
};

void TestDeviceStatus::decodesEachBit_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("healthy") << 0x00 << QStringList{};
    QTest::newRow("0x80") << 0x80 << QStringList{"device malfunction"};
    QTest::newRow("0x40") << 0x40 << QStringList{"configuration changed"};
    QTest::newRow("0x20") << 0x20 << QStringList{"cold start"};
    QTest::newRow("0x10") << 0x10 << QStringList{"more status available"};
    QTest::newRow("0x08") << 0x08 << QStringList{"loop current fixed"};
    QTest::newRow("0x04") << 0x04 << QStringList{"loop current saturated"};
    QTest::newRow("0x02") << 0x02 << QStringList{"secondary variable out of limits"};
    QTest::newRow("0x01") << 0x01 << QStringList{"pressure out of sensor limits"};
    QTest::newRow("malfunction and fixed, worst first")
        << 0x88 << QStringList{"device malfunction", "loop current fixed"};
    QTest::newRow("all eight") << 0xFF
                               << QStringList{"device malfunction",
                                              "configuration changed",
                                              "cold start",
                                              "more status available",
                                              "loop current fixed",
                                              "loop current saturated",
                                              "secondary variable out of limits",
                                              "pressure out of sensor limits"};
}

void TestDeviceStatus::decodesEachBit() {
    QFETCH(int, status);
    QFETCH(QStringList, names);
    QStringList got;
    for (const auto &c : health::decodeStatus(quint8(status))) {
        got << c.name;
        // Every condition says what it means and what to do.
        QVERIFY(!c.words.isEmpty());
        QVERIFY(!c.action.isEmpty());
    }
    QCOMPARE(got, names);
}

void TestDeviceStatus::attention_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("attention");
    QTest::addColumn<QString>("summary");
    QTest::newRow("healthy") << 0x00 << false << "";
    QTest::newRow("configuration changed only") << 0x40 << false << "";
    QTest::newRow("cold start only") << 0x20 << false << "";
    QTest::newRow("changed and cold start") << 0x60 << false << "";
    QTest::newRow("malfunction") << 0x80 << true << "Device malfunction";
    QTest::newRow("more status") << 0x10 << true << "More status available";
    QTest::newRow("fixed among news") << 0x68 << true << "Loop current fixed";
    QTest::newRow("saturated and PV out")
        << 0x05 << true << "Loop current saturated, pressure out of sensor limits";
    QTest::newRow("non-primary") << 0x02 << true << "Secondary variable out of limits";
}

void TestDeviceStatus::attention() {
    QFETCH(int, status);
    QFETCH(bool, attention);
    QFETCH(QString, summary);
    QCOMPARE(health::needsAttention(quint8(status)), attention);
    QCOMPARE(health::attentionSummary(quint8(status)), summary);
}

void TestDeviceStatus::identity_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("maker");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("universal");
    QTest::addColumn<QString>("id");
    // 254, maker, type, preambles, universal rev, device rev, software, hardware, flags, id x3
    QTest::newRow("Zanu") << QByteArray::fromHex("fe750a0505010208001b2c3d") << true << "Zanu" << 10
                          << 5 << "1b2c3d";
    QTest::newRow("other maker, id with leading zeros")
        << QByteArray::fromHex("fe2601050701020800000a01") << true << "38" << 1 << 7 << "000a01";
    QTest::newRow("HART 7 reply, longer")
        << QByteArray::fromHex("fe75e0050701020800ffffff0507000000") << true << "Zanu" << 224 << 7
        << "ffffff";
    QTest::newRow("too short") << QByteArray::fromHex("fe750a050501020800ffff") << false << "" << 0
                               << 0 << "";
    QTest::newRow("not 254 first")
        << QByteArray::fromHex("00750a0505010208001b2c3d") << false << "" << 0 << 0 << "";
}

void TestDeviceStatus::identity() {
    QFETCH(QByteArray, data);
    QFETCH(bool, valid);
    const auto got = health::identityFromCommand0(data);
    QCOMPARE(bool(got), valid);
    if (!valid) return;
    QFETCH(QString, maker);
    QFETCH(int, type);
    QFETCH(int, universal);
    QFETCH(QString, id);
    QCOMPARE(health::manufacturerName(got->manufacturer), maker);
    QCOMPARE(int(got->deviceType), type);
    QCOMPARE(int(got->universalRevision), universal);
    QCOMPARE(health::deviceIdText(got->deviceId), id);
}

void TestDeviceStatus::additionalStatusPositions() {
    const QByteArray data = QByteArray::fromHex("0100000000008000000a00");
    const auto bytes = health::describeAdditionalStatus(data, 117);
    QCOMPARE(bytes.size(), data.size());
    QCOMPARE(bytes[0].meaning, QStringLiteral("device-specific status 0: sensor fault"));
    QCOMPARE(health::describeAdditionalStatus(data, 38)[0].meaning,
             QStringLiteral("device-specific status 0"));
    QCOMPARE(bytes[6].meaning, QStringLiteral("extended device status"));
    QCOMPARE(int(bytes[6].value), 0x80);
    QCOMPARE(bytes[9].meaning, QStringLiteral("analog outputs fixed"));
    QCOMPARE(health::hexBytes(data.left(3)), QStringLiteral("01 00 00"));
}

QTEST_GUILESS_MAIN(TestDeviceStatus)
#include "test_device_status.moc"
