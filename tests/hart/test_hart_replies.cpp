// The typed reply decoders against replies captured between independent HART implementations,
// and against replies too short for their layout.
#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "hart/link/hart_codec.h"

#include <QtTest>

namespace {

QByteArray replyData(const char *frame) {
    hart::FrameParser parser;
    parser.push(QByteArray(5, char(0xFF)) +
                QByteArray::fromHex(QByteArray(frame).replace(' ', "")));
    const auto item = parser.take();
    return item && item->outcome == hart::FrameParser::Outcome::Frame ? item->frame.data
                                                                      : QByteArray();
}

// The decoded value in a few words, or "no: <why>"; what each command's reader keeps.
template <typename T, typename F> QString said(const hart::Decoded<T> &d, F &&words) {
    return d ? words(*d) : QStringLiteral("no: ") + d.why();
}

QString decoded(int command, const QByteArray &data) {
    namespace cmd = hart::cmd;
    switch (command) {
    case cmd::ReadUniqueIdentifier:
        return said(hart::decodeIdentity(data), [](const hart::Identity &v) {
            return QStringLiteral("maker %1 type %2 hart %3 hw %4 code %5 id %6")
                .arg(v.manufacturerId)
                .arg(v.deviceType)
                .arg(v.universalRevision)
                .arg(v.hardwareRevision)
                .arg(v.signallingCode)
                .arg(v.deviceId, 6, 16, QLatin1Char('0'));
        });
    case cmd::ReadLoopCurrent:
        return said(hart::decodeLoopCurrent(data), [](const hart::LoopCurrent &v) {
            return QStringLiteral("%1 mA %2 %").arg(v.current, 0, 'g', 7).arg(v.percent, 0, 'g', 6);
        });
    case cmd::ReadDynamicVariables:
        return said(hart::decodeDynamicVariables(data), [](const hart::DynamicVariables &v) {
            return QStringLiteral("%1 mA unit %2 pv %3").arg(v.current).arg(v.pvUnit).arg(v.pv);
        });
    case cmd::ReadTagDescriptorDate:
        return said(hart::decodeTagDescriptorDate(data), [](const hart::TagDescriptorDate &v) {
            return QStringLiteral("[%1] [%2] %3")
                .arg(v.tag, v.descriptor, v.date().toString(Qt::ISODate));
        });
    case cmd::ReadSensorInfo:
        return said(hart::decodeSensorInfo(data), [](const hart::SensorInfo &v) {
            return QStringLiteral("serial %1 unit %2 %3..%4 span %5")
                .arg(v.serialNumber, 0, 16)
                .arg(v.limitsUnit)
                .arg(v.lowerLimit)
                .arg(v.upperLimit)
                .arg(v.minimumSpan);
        });
    case cmd::WriteRangeValues:
        return said(hart::decodeRangeValues(data), [](const hart::RangeValues &v) {
            return QStringLiteral("unit %1 %2..%3").arg(v.unit).arg(v.lower).arg(v.upper);
        });
    case cmd::FixedCurrentMode:
        return said(hart::decodeSingle(data),
                    [](float v) { return QStringLiteral("%1 mA").arg(v, 0, 'f', 3); });
    default:
        return QStringLiteral("(no typed decoder)");
    }
}

} // namespace

class TestHartReplies : public QObject {
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
};

void TestHartReplies::decodes_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0 HART 5 device: hardware byte 0x64 is revision 12, code 4")
        << 0 << replyData("06 81 00 0E 00 00 FE 26 06 05 05 07 03 64 00 78 9A BC 69")
        << "maker 38 type 6 hart 5 hw 12 code 4 id 789abc";
    QTest::newRow("2 device A") << 2
                                << replyData(
                                       "86 99 72 12 34 56 02 0A 00 00 41 6D 0D F6 3C A4 5A 1D 1D")
                                << "14.81591 mA 0.0200625 %";
    QTest::newRow("3: 12 mA, kPa 1.5")
        << 3 << QByteArray::fromHex("41400000 0C 3FC00000") << "12 mA unit 12 pv 1.5";
    QTest::newRow("13 device B")
        << 13
        << replyData("86 F9 FD 00 00 00 0D 17 00 D3 40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 "
                     "D2 25 05 20 07 0C 7E 68")
        << "[PEERTEST] [ORACLE DESCRIPT ] 2026-12-07";
    QTest::newRow("14")
        << 14
        << replyData("86 F9 FD 00 00 00 0E 12 00 93 65 43 21 4B 46 BB 80 00 00 00 00 00 43 48 "
                     "00 00 37")
        << "serial 654321 unit 75 0..24000 span 200";
    QTest::newRow("35 echo") << 35
                             << replyData(
                                    "86 F9 FD 00 00 00 23 0B 00 D3 4B 46 9C 40 00 00 00 00 00 A8")
                             << "unit 75 0..20000";
    QTest::newRow("40 echo of 12 mA")
        << 40 << replyData("86 99 72 12 34 56 28 06 00 00 41 40 00 00 32") << "12.000 mA";
    QTest::newRow("0 one byte short")
        << 0 << QByteArray(11, '\0')
        << "no: the identification reply has 11 data bytes where 12 are needed";
    QTest::newRow("2 empty") << 2 << QByteArray()
                             << "no: the loop current reply has 0 data bytes where 8 are needed";
    QTest::newRow("40 empty") << 40 << QByteArray()
                              << "no: the value reply has 0 data bytes where 4 are needed";
}

void TestHartReplies::decodes() {
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    QCOMPARE(decoded(command, data), expected);
}

QTEST_GUILESS_MAIN(TestHartReplies)
#include "test_hart_replies.moc"
