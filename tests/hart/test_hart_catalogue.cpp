// The command catalogue's layouts against replies captured between independent HART
// implementations and frames worked out by hand. The simulator writes through the same table, so
// only data from outside this program can catch a wrong position.
#include "hart/hart_catalogue.h"
#include "hart/link/hart_codec.h"

#include <QtTest>

namespace {

QByteArray hex(const char *text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QStringList words(const char *text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

// The data of the one reply in `frame` (preambles left out, as in the captures).
QByteArray replyData(const char *frame) {
    hart::FrameParser parser;
    parser.push(QByteArray(5, char(0xFF)) + hex(frame));
    const auto item = parser.take();
    if (!item || item->outcome != hart::FrameParser::Outcome::Frame || !item->frame.isReply())
        return QByteArray("(no reply)");
    return item->frame.data;
}

} // namespace

class TestHartCatalogue : public QObject {
    Q_OBJECT
private slots:
    void decodesIndependentReplies_data();
    void decodesIndependentReplies();
    void decodesHandWorkedReplies_data();
    void decodesHandWorkedReplies();
    void decodesByUniversalRevision_data();
    void decodesByUniversalRevision();
    void layoutsAreGapless();
    void shortReplyShowsMissingFields();
};

// Replies of other makers' devices and of an independent simulator, decoded by the tools that
// captured them.
void TestHartCatalogue::decodesIndependentReplies_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("0 HART 5 device")
        << 0
        << replyData("06 81 00 0E 00 00 FE 26 06 05 05 07 03 64 00 78 9A BC 69")
        // Byte 7, 0x64 = 01100 100: hardware revision 12, signalling code 4.
        << words("marker=254 manufacturer_id=38 device_type=6 preambles_required=5 "
                 "universal_revision=5 device_revision=7 software_revision=3 hardware_revision=12 "
                 "physical_signalling_code=4 flags=0 device_id=7903932");
    QTest::newRow("2 device A")
        << 2 << replyData("86 99 72 12 34 56 02 0A 00 00 41 6D 0D F6 3C A4 5A 1D 1D")
        << QStringList{"loop_current_ma=14.81591", "percent_of_range=0.0200625"};
    QTest::newRow("2 device B, current not a number")
        << 2 << replyData("86 F9 FD 00 00 00 02 0A 00 93 7F A0 00 00 BE 2B D8 23 A8")
        << QStringList{"loop_current_ma=nan", "percent_of_range=-0.1678167"};
    QTest::newRow("13 device A")
        << 13
        << replyData(
               "86 99 72 12 34 56 0D 17 00 00 37 1D 70 81 2D E0 FF FF FF FF FF FF FF FF FF FF "
               "FF FF 01 01 00 11")
        << QStringList{"tag=\"M150 R7 \"", "descriptor=\"????????????????\"", "date=1900-01-01"};
    QTest::newRow("13 device B")
        << 13
        << replyData("86 F9 FD 00 00 00 0D 17 00 D3 40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 "
                     "25 05 20 07 0C 7E 68")
        << QStringList{"tag=\"PEERTEST\"", "descriptor=\"ORACLE DESCRIPT \"", "date=2026-12-07"};
    QTest::newRow("14")
        << 14
        << replyData("86 F9 FD 00 00 00 0E 12 00 93 65 43 21 4B 46 BB 80 00 00 00 00 00 43 48 00 "
                     "00 37")
        << QStringList{"transducer_serial_number=6636321", "limits_unit=75",
                       "upper_sensor_limit=24000", "lower_sensor_limit=0", "minimum_span=200"};
    // A HART 7 device: one byte more than the layout this program reads.
    QTest::newRow("15 with a HART 7 byte after")
        << 15
        << replyData("86 F9 FD 00 00 00 0F 14 00 93 FA 00 4B 46 BB 80 00 00 00 00 00 4E FF 40 00 "
                     "00 FA 00 CD")
        << QStringList{
               "alarm_selection=250",     "transfer_function=0",           "range_unit=75",
               "upper_range_value=24000", "lower_range_value=0",           "damping_s=2.141192e+09",
               "write_protect=0",         "private_label_distributor=250", "extra=00"};
    QTest::newRow("18 echo")
        << 18
        << replyData("86 F9 FD 00 00 00 12 17 00 D3 40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 "
                     "25 05 20 07 0C 7E 77")
        << QStringList{"tag=\"PEERTEST\"", "descriptor=\"ORACLE DESCRIPT \"", "date=2026-12-07"};
    QTest::newRow("34 echo") << 34 << replyData("86 99 72 12 34 56 22 06 00 00 40 20 00 00 59")
                             << QStringList{"damping_s=2.5"};
    QTest::newRow("35 echo")
        << 35 << replyData("86 F9 FD 00 00 00 23 0B 00 D3 4B 46 9C 40 00 00 00 00 00 A8")
        << QStringList{"range_unit=75", "upper_range_value=20000", "lower_range_value=0"};
    QTest::newRow("37 no data") << 37 << replyData("86 99 72 12 34 56 25 02 00 00 3A")
                                << QStringList{};
    QTest::newRow("40 12 mA") << 40 << replyData("86 99 72 12 34 56 28 06 00 00 41 40 00 00 32")
                              << QStringList{"loop_current_ma=12"};
    QTest::newRow("44 echo") << 44 << replyData("86 F9 FD 00 00 00 2C 03 00 D3 4B 35")
                             << QStringList{"pv_unit=75"};
}

void TestHartCatalogue::decodesIndependentReplies() {
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(QStringList, fields);
    QCOMPARE(hart::decodeReply(command, data), fields);
}

// Commands none of the captures held, worked out by hand from the layouts HART gives them.
void TestHartCatalogue::decodesHandWorkedReplies_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("fields");

    // bar (7), 1.0 = 3F800000.
    QTest::newRow("1") << 1 << hex("07 3F800000") << QStringList{"pv_unit=7", "pv=1"};
    // 12 mA = 41400000, kPa (12), 100 = 42C80000.
    QTest::newRow("3") << 3 << hex("41400000 0C 42C80000")
                       << QStringList{"loop_current_ma=12", "pv_unit=12", "pv=100"};
    QTest::newRow("6") << 6 << hex("05") << QStringList{"polling_address=5"};
    // Packed text from the independent vectors.
    QTest::newRow("12")
        << 12 << hex("50 82 53 80 94 E0 06 0C F2 80 32 01 48 10 D4 15 28 0D 15 34 C1 1C 58 61")
        << QStringList{"message=\"THIS IS A 32 CHARACTER MESSAGE!!\""};
    QTest::newRow("16") << 16 << hex("01 E2 40") << QStringList{"final_assembly_number=123456"};
    // 4.038 mA = 1.0095 * 2^2: exponent 0x81, fraction 0.0095 * 2^23 = 79692 = 0x1374C.
    QTest::newRow("45") << 45 << hex("4081374C") << QStringList{"loop_current_ma=4.038"};
    QTest::newRow("48") << 48 << hex("01 00 00 00 00 80")
                        << QStringList{"device_specific_status=010000000080"};
    QTest::newRow("129 falling") << 129 << hex("00 01")
                                 << QStringList{"reserved=0", "output_direction=1"};
    QTest::newRow("unknown command") << 200 << hex("01") << QStringList{};
}

void TestHartCatalogue::decodesHandWorkedReplies() {
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(QStringList, fields);
    QCOMPARE(hart::decodeReply(command, data), fields);
}

// HART 6 and 7 replies, named by the revision the device gives in its own command-0 reply.
void TestHartCatalogue::decodesByUniversalRevision_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("revision"); // from the device's command 0
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("fields");
    // Type F9F9, rev 7, byte 7 0x10 = 00010 000, id 123456, counter 7, maker 002A, profile 1.
    QTest::newRow("0 HART 7")
        << 0 << 5 << hex("FE F9F9 05 07 02 03 10 00 123456 05 04 0007 00 002A 002A 01")
        << words("marker=254 expanded_device_type=63993 preambles_required=5 universal_revision=7 "
                 "device_revision=2 software_revision=3 hardware_revision=2 "
                 "physical_signalling_code=0 flags=0 device_id=1193046 response_preambles=5 "
                 "max_device_variables=4 configuration_change_counter=7 extended_device_status=0 "
                 "manufacturer_id=42 private_label_distributor=42 device_profile=1");
    // The capture of device B, a HART 7 device: byte 16 is reserved (250), 17 the flags.
    QTest::newRow("15 HART 7")
        << 15 << 7
        << replyData("86 F9 FD 00 00 00 0F 14 00 93 FA 00 4B 46 BB 80 00 00 00 00 00 4E FF 40 00 "
                     "00 FA 00 CD")
        << words("alarm_selection=250 transfer_function=0 range_unit=75 upper_range_value=24000 "
                 "lower_range_value=0 damping_s=2.141192e+09 write_protect=0 reserved=250 "
                 "analog_channel_flags=0");
}

void TestHartCatalogue::decodesByUniversalRevision() {
    QFETCH(int, command);
    QFETCH(int, revision);
    QFETCH(QByteArray, data);
    QFETCH(QStringList, fields);
    QCOMPARE(hart::decodeReply(command, data, revision), fields);
}

// A gap or an overlap between two fields is a typing mistake in an offset.
void TestHartCatalogue::layoutsAreGapless() {
    int previous = -1;
    for (const hart::CommandInfo &c : hart::commands()) {
        QVERIFY2(c.number > previous, c.name);
        previous = c.number;
        for (const QList<hart::Field> *layout : {&c.request, &c.reply}) {
            int next = 0;
            for (const hart::Field &f : *layout) {
                QVERIFY2(f.offset == next, qPrintable(QStringLiteral("command %1 field %2")
                                                          .arg(c.number)
                                                          .arg(QLatin1String(f.name))));
                next += f.size;
            }
        }
    }
    QCOMPARE(hart::commands().size(), 27);
}

void TestHartCatalogue::shortReplyShowsMissingFields() {
    QCOMPARE(hart::decodeReply(hart::cmd::ReadLoopCurrent, hex("41400000 42")),
             (QStringList{"loop_current_ma=12", "percent_of_range=(missing)"}));
}

QTEST_GUILESS_MAIN(TestHartCatalogue)
#include "test_hart_catalogue.moc"
