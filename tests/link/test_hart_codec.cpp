// The frame codec against byte vectors captured between independent HART implementations, plus
// hand-checked frames and the parser under the kinds of line trouble a real loop produces.
#include "hart/link/hart_codec.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

using namespace hart;

namespace {

QByteArray hex(const char *text) {
    return QByteArray::fromHex(text);
}
QByteArray pre(int n) {
    return QByteArray(n, char(0xFF));
}

quint32 floatBits(float f) {
    quint32 b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// Outcomes of all items the parser yields, as a comma-separated list of "frame", "sum", "len".
QString drain(FrameParser &p, QList<FrameParser::Item> *items = nullptr) {
    QStringList out;
    while (auto item = p.take()) {
        switch (item->outcome) {
        case FrameParser::Outcome::Frame:
            out << "frame";
            break;
        case FrameParser::Outcome::BadChecksum:
            out << "sum";
            break;
        case FrameParser::Outcome::BadLength:
            out << "len";
            break;
        }
        if (items) items->append(*item);
    }
    return out.join(',');
}

} // namespace

class TestHartCodec : public QObject {
    Q_OBJECT
private slots:
    void packedAscii_data();
    void packedAscii();
    void packedAsciiCutsAndReplaces_data();
    void packedAsciiCutsAndReplaces();

    void wireVectors_data();
    void wireVectors();
    void encodeByHand_data();
    void encodeByHand();
    void encodeRefusesWhatCannotGoOnTheWire();

    void longAddressFromIdentity_data();
    void longAddressFromIdentity();
    void sameDevice_data();
    void sameDevice();

    void floats_data();
    void floats();
    void floatNaNKeepsItsBits();
    void uint24_data();
    void uint24();
    void readsOutsideTheFieldGiveZero();

    void parserAdversity_data();
    void parserAdversity();
    void parserByteByByte();
    void parserBoundsItsBuffer();
    void parserClassifiesReplies();
};

// ---------------------------------------------------------------------------------------------

void TestHartCodec::packedAscii_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("packed");

    // Captured vectors.
    QTest::newRow("tag PEERTEST") << "PEERTEST" << hex("40 51 52 50 54 D4");
    QTest::newRow("descriptor 16 chars")
        << "ORACLE DESCRIPT " << hex("3D 20 43 30 58 04 15 30 D2 25 05 20");
    QTest::newRow("ASCII-6") << "ASCII-6 " << hex("05 30 C9 26 DD A0");
    QTest::newRow("digits") << "12345678" << hex("C7 2C F4 D7 6D F8");
    QTest::newRow("1 padded") << "1       " << hex("C6 08 20 82 08 20");
    QTest::newRow("TAG 01") << "TAG 01  " << hex("50 11 E0 C3 18 20");
    QTest::newRow("32-char message")
        << "THIS IS A 32 CHARACTER MESSAGE!!"
        << hex("50 82 53 80 94 E0 06 0C F2 80 32 01 48 10 D4 15 28 0D 15 34 C1 1C 58 61");
    QTest::newRow("all question marks") << "????????" << hex("FF FF FF FF FF FF");
    QTest::newRow("M150 R7") << "M150 R7 " << hex("37 1D 70 81 2D E0");
    // Hand-checked edges of the 6-bit table: '@' = 0, '_' = 0x1F, ' ' = 0x20, '?' = 0x3F.
    // 000000 011111 100000 111111 = 0x01F83F
    QTest::newRow("edges @_ ?") << "@_ ?" << hex("01 F8 3F");
    QTest::newRow("all @") << "@@@@" << hex("00 00 00");
    QTest::newRow("all blank") << "        " << hex("82 08 20 82 08 20");
}

void TestHartCodec::packedAscii() {
    QFETCH(QString, text);
    QFETCH(QByteArray, packed);
    QCOMPARE(packAscii(text, int(packed.size())).toHex(' '), packed.toHex(' '));
    QCOMPARE(unpackAscii(packed), text);
}

void TestHartCodec::packedAsciiCutsAndReplaces_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("lower case is upper-cased") << "tag 01" << 6 << "TAG 01  ";
    QTest::newRow("short text is padded") << "A" << 6 << "A       ";
    QTest::newRow("long text is cut") << "ABCDEFGHIJKL" << 6 << "ABCDEFGH";
    QTest::newRow("empty text is all blanks") << "" << 3 << "    ";
    // These would otherwise fold onto unrelated characters (e.g. '{' -> ';').
    QTest::newRow("braces become ?") << "{A}~" << 3 << "?A??";
    QTest::newRow("non-ASCII becomes ?") << QString::fromUtf8("Ä\xc3\xa9") + "AB" << 3 << "??AB";
    QTest::newRow("control chars become ?") << "A\tB\n" << 3 << "A?B?";
    QTest::newRow("zero length") << "ABCD" << 0 << "";
}

void TestHartCodec::packedAsciiCutsAndReplaces() {
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QFETCH(QString, readBack);
    const QByteArray packed = packAscii(text, bytes);
    QCOMPARE(packed.size(), bytes);
    QCOMPARE(unpackAscii(packed), readBack);
}

// ---------------------------------------------------------------------------------------------

void TestHartCodec::wireVectors_data() {
    QTest::addColumn<QByteArray>("wire"); // delimiter .. checksum
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("responseCode"); // replies only
    QTest::addColumn<int>("deviceStatus"); // replies only
    QTest::addColumn<int>("dataLength");   // data field after any status bytes

    // request: delim addr cmd bc data cs | reply: delim addr cmd bc rc ds data cs
    QTest::newRow("cmd 0 request, polling address 1") << hex("02 81 00 00 83") << 0 << 0 << 0 << 0;
    QTest::newRow("cmd 0 reply, HART 5")
        << hex("06 81 00 0E 00 00 FE 26 06 05 05 07 03 64 00 78 9A BC 69") << 0 << 0 << 0 << 12;
    QTest::newRow("cmd 34 request")
        << hex("82 99 72 12 34 56 22 04 40 20 00 00 5F") << 34 << 0 << 0 << 4;
    QTest::newRow("cmd 34 reply") << hex("86 99 72 12 34 56 22 06 00 00 40 20 00 00 59") << 34 << 0
                                  << 0 << 4;
    QTest::newRow("cmd 14 request") << hex("82 99 72 12 34 56 0E 00 17") << 14 << 0 << 0 << 0;
    QTest::newRow("cmd 14 reply, not implemented")
        << hex("86 99 72 12 34 56 0E 02 40 00 51") << 14 << 64 << 0 << 0;
    QTest::newRow("cmd 14 request, reference device")
        << hex("82 B9 FD 00 00 00 0E 00 C8") << 14 << 0 << 0 << 0;
    QTest::newRow("cmd 14 reply, burst bit set")
        << hex("86 F9 FD 00 00 00 0E 12 00 93 65 43 21 4B 46 BB 80 00 00 00 00 00 43 48 00 00 37")
        << 14 << 0 << 0x93 << 16;
    QTest::newRow("cmd 15 request") << hex("82 B9 FD 00 00 00 0F 00 C9") << 15 << 0 << 0 << 0;
    QTest::newRow("cmd 15 reply") << hex("86 F9 FD 00 00 00 0F 14 00 93 FA 00 4B 46 BB 80 00 00 00 "
                                         "00 00 4E FF 40 00 00 FA 00 CD")
                                  << 15 << 0 << 0x93 << 18;
    QTest::newRow("cmd 18 request")
        << hex("82 B9 FD 00 00 00 12 15 40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 25 05 20 07 "
               "0C 7E E2")
        << 18 << 0 << 0 << 21;
    QTest::newRow("cmd 18 reply")
        << hex("86 F9 FD 00 00 00 12 17 00 D3 40 51 52 50 54 D4 3D 20 43 30 58 04 15 30 D2 25 05 "
               "20 07 0C 7E 77")
        << 18 << 0 << 0xD3 << 21;
    QTest::newRow("cmd 35 request")
        << hex("82 B9 FD 00 00 00 23 09 4B 46 9C 40 00 00 00 00 00 3D") << 35 << 0 << 0 << 9;
    QTest::newRow("cmd 35 reply")
        << hex("86 F9 FD 00 00 00 23 0B 00 D3 4B 46 9C 40 00 00 00 00 00 A8") << 35 << 0 << 0xD3
        << 9;
    QTest::newRow("cmd 44 request") << hex("82 B9 FD 00 00 00 2C 01 4B A0") << 44 << 0 << 0 << 1;
    QTest::newRow("cmd 44 reply") << hex("86 F9 FD 00 00 00 2C 03 00 D3 4B 35") << 44 << 0 << 0xD3
                                  << 1;
}

void TestHartCodec::wireVectors() {
    QFETCH(QByteArray, wire);
    QFETCH(int, command);
    QFETCH(int, responseCode);
    QFETCH(int, deviceStatus);
    QFETCH(int, dataLength);

    // Devices send as few as two preambles; requests go with five.
    for (int preambles : {2, 3, 5}) {
        FrameParser p;
        p.push(pre(preambles) + wire);
        QList<FrameParser::Item> items;
        QCOMPARE(drain(p, &items), QString("frame"));
        const Frame &f = items[0].frame;
        QCOMPARE(items[0].raw.toHex(' '), wire.toHex(' '));
        QCOMPARE(int(f.command), command);
        QCOMPARE(f.address.size(), f.isLong() ? 5 : 1);
        if (f.isReply()) {
            QCOMPARE(int(f.responseCode), responseCode);
            QCOMPARE(int(f.deviceStatus), deviceStatus);
        }
        QCOMPARE(int(f.data.size()), dataLength);
        QVERIFY(!p.inFrame());
        QCOMPARE(p.pending(), 0);

        // Re-encoding the parsed frame gives the captured bytes back.
        QCOMPARE(encode(f, preambles).toHex(' '), (pre(preambles) + wire).toHex(' '));
    }
    QCOMPARE(checksum(wire.left(wire.size() - 1)), quint8(wire.back()));
}

void TestHartCodec::encodeByHand_data() {
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<int>("delimiter");
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("preambles");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("cmd 0 short, primary, polling 1")
        << shortAddress(true, 1) << 0x02 << 0 << QByteArray() << 5
        << hex("FF FF FF FF FF 02 81 00 00 83");
    // 02 ^ 01 ^ 00 ^ 00 = 03
    QTest::newRow("cmd 0 short, secondary, polling 1")
        << shortAddress(false, 1) << 0x02 << 0 << QByteArray() << 5
        << hex("FF FF FF FF FF 02 01 00 00 03");
    // 02 ^ 8F = 8D; polling address 15 with the master bit.
    QTest::newRow("cmd 0 short, polling 15, 7 preambles")
        << shortAddress(true, 15) << 0x02 << 0 << QByteArray() << 7
        << hex("FF FF FF FF FF FF FF 02 8F 00 00 8D");
    // Polling addresses above 63 must not spill into the master/burst bits.
    QTest::newRow("polling address masked to 6 bits")
        << shortAddress(false, 0x41) << 0x02 << 0 << QByteArray() << 5
        << hex("FF FF FF FF FF 02 01 00 00 03");
    // 82^A6=24 ^06=22 ^78=5A ^9A=C0 ^BC=7C ^0D=71 ^00=71
    QTest::newRow("cmd 13 long, primary")
        << longAddress(true, 0x26, 0x06, hex("78 9A BC")) << 0x02 << 13 << QByteArray() << 5
        << hex("FF FF FF FF FF 82 A6 06 78 9A BC 0D 00 71");
    QTest::newRow("cmd 13 long, secondary")
        << longAddress(false, 0x26, 0x06, hex("78 9A BC")) << 0x02 << 13 << QByteArray() << 5
        << hex("FF FF FF FF FF 82 26 06 78 9A BC 0D 00 F1");
    // The delimiter follows the address length even if the caller left bit 7 clear.
    QTest::newRow("long address fixes the delimiter")
        << longAddress(true, 0x26, 0x06, hex("78 9A BC")) << 0x02 << 13 << QByteArray() << 5
        << hex("FF FF FF FF FF 82 A6 06 78 9A BC 0D 00 71");
    QTest::newRow("cmd 34 long with data")
        << hex("99 72 12 34 56") << 0x82 << 34 << hex("40 20 00 00") << 5
        << hex("FF FF FF FF FF 82 99 72 12 34 56 22 04 40 20 00 00 5F");
}

void TestHartCodec::encodeByHand() {
    QFETCH(QByteArray, address);
    QFETCH(int, delimiter);
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(int, preambles);
    QFETCH(QByteArray, expected);
    Frame f;
    f.delimiter = quint8(delimiter);
    f.address = address;
    f.command = quint8(command);
    f.data = data;
    QCOMPARE(encode(f, preambles).toHex(' '), expected.toHex(' '));
}

void TestHartCodec::encodeRefusesWhatCannotGoOnTheWire() {
    Frame f;
    f.address = shortAddress(true, 0);
    f.data = QByteArray(255, 'x');
    QCOMPARE(encode(f, 5).size(), 5 + 1 + 1 + 1 + 1 + 255 + 1);
    f.data.append('y'); // byte count 256 does not fit
    QVERIFY(encode(f, 5).isEmpty());

    Frame reply;
    reply.delimiter = 0x06;
    reply.address = shortAddress(true, 0);
    reply.data = QByteArray(254, 'x'); // 2 status bytes + 254 > 255
    QVERIFY(encode(reply, 5).isEmpty());

    Frame bad;
    bad.address = hex("80 00 00"); // neither 1 nor 5 bytes
    QVERIFY(encode(bad, 5).isEmpty());
}

// ---------------------------------------------------------------------------------------------

void TestHartCodec::longAddressFromIdentity_data() {
    QTest::addColumn<QByteArray>("replyData");
    QTest::addColumn<bool>("primary");
    QTest::addColumn<QByteArray>("expected"); // empty: no address

    const QByteArray cmd0 = hex("FE 26 06 05 05 07 03 64 00 78 9A BC");
    QTest::newRow("primary") << cmd0 << true << hex("A6 06 78 9A BC");
    QTest::newRow("secondary") << cmd0 << false << hex("26 06 78 9A BC");
    // A manufacturer id above 63 must not leak into the master and burst bits.
    QTest::newRow("manufacturer masked")
        << hex("FE FF 06 05 05 07 03 64 00 78 9A BC") << false << hex("3F 06 78 9A BC");
    QTest::newRow("HART 7 longer reply")
        << cmd0 + hex("05 01 00 00 01 02 03 04 05") << true << hex("A6 06 78 9A BC");
    QTest::newRow("too short for the device id") << cmd0.left(11) << true << QByteArray();
    QTest::newRow("empty") << QByteArray() << true << QByteArray();
}

void TestHartCodec::longAddressFromIdentity() {
    QFETCH(QByteArray, replyData);
    QFETCH(bool, primary);
    QFETCH(QByteArray, expected);
    const auto a = longAddressFromCommand0(primary, replyData);
    if (expected.isEmpty()) {
        QVERIFY(!a.has_value());
    } else {
        QVERIFY(a.has_value());
        QCOMPARE(a->toHex(' '), expected.toHex(' '));
    }
}

void TestHartCodec::sameDevice_data() {
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("same");

    QTest::newRow("reply sets burst bit") << hex("B9 FD 00 00 00") << hex("F9 FD 00 00 00") << true;
    QTest::newRow("secondary vs primary") << hex("39 FD 00 00 00") << hex("B9 FD 00 00 00") << true;
    QTest::newRow("other manufacturer") << hex("B9 FD 00 00 00") << hex("BA FD 00 00 00") << false;
    QTest::newRow("other device type") << hex("B9 FD 00 00 00") << hex("B9 FE 00 00 00") << false;
    QTest::newRow("other device id") << hex("B9 FD 00 00 00") << hex("B9 FD 00 00 01") << false;
    QTest::newRow("short, same polling address") << hex("81") << hex("C1") << true;
    QTest::newRow("short, other polling address") << hex("81") << hex("82") << false;
    QTest::newRow("short vs long") << hex("81") << hex("81 FD 00 00 00") << false;
    QTest::newRow("both empty") << QByteArray() << QByteArray() << false;
}

void TestHartCodec::sameDevice() {
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, same);
    QCOMPARE(hart::sameDevice(a, b), same);
    QCOMPARE(hart::sameDevice(b, a), same);
}

// ---------------------------------------------------------------------------------------------

void TestHartCodec::floats_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("zero") << 0.0f << hex("00 00 00 00");
    QTest::newRow("negative zero") << -0.0f << hex("80 00 00 00");
    QTest::newRow("one") << 1.0f << hex("3F 80 00 00");
    QTest::newRow("-2.5") << -2.5f << hex("C0 20 00 00");
    QTest::newRow("damping 2.5 s from cmd 34") << 2.5f << hex("40 20 00 00");
    QTest::newRow("24000 from cmd 14") << 24000.0f << hex("46 BB 80 00");
    QTest::newRow("20000 from cmd 35") << 20000.0f << hex("46 9C 40 00");
    QTest::newRow("largest") << std::numeric_limits<float>::max() << hex("7F 7F FF FF");
    QTest::newRow("lowest") << std::numeric_limits<float>::lowest() << hex("FF 7F FF FF");
    QTest::newRow("smallest normal") << std::numeric_limits<float>::min() << hex("00 80 00 00");
    QTest::newRow("smallest denormal")
        << std::numeric_limits<float>::denorm_min() << hex("00 00 00 01");
    QTest::newRow("+inf") << std::numeric_limits<float>::infinity() << hex("7F 80 00 00");
    QTest::newRow("-inf") << -std::numeric_limits<float>::infinity() << hex("FF 80 00 00");
}

void TestHartCodec::floats() {
    QFETCH(float, value);
    QFETCH(QByteArray, bytes);
    QByteArray data = hex("AA");
    putFloat(data, 1, value);
    QCOMPARE(data.toHex(' '), (hex("AA") + bytes).toHex(' '));
    QCOMPARE(floatBits(getFloat(data, 1)), floatBits(value));
}

void TestHartCodec::floatNaNKeepsItsBits() {
    // Devices report "not a number" (7F A0 00 00) for a variable they cannot measure.
    const QByteArray bytes = hex("7F A0 00 00");
    const float f = getFloat(bytes, 0);
    QVERIFY(std::isnan(f));
    QByteArray back;
    putFloat(back, 0, f);
    QCOMPARE(back.toHex(' '), bytes.toHex(' '));
}

void TestHartCodec::uint24_data() {
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint32>("readBack");

    QTest::newRow("zero") << 0u << hex("00 00 00") << 0u;
    QTest::newRow("one") << 1u << hex("00 00 01") << 1u;
    QTest::newRow("serial 654321 hex") << 0x654321u << hex("65 43 21") << 0x654321u;
    QTest::newRow("largest") << 0xFFFFFFu << hex("FF FF FF") << 0xFFFFFFu;
    QTest::newRow("above 24 bits keeps low bits") << 0x1234567u << hex("23 45 67") << 0x234567u;
}

void TestHartCodec::uint24() {
    QFETCH(quint32, value);
    QFETCH(QByteArray, bytes);
    QFETCH(quint32, readBack);
    QByteArray data;
    putUInt24(data, 2, value); // grows the field, padding with zeros
    QCOMPARE(data.toHex(' '), (hex("00 00") + bytes).toHex(' '));
    QCOMPARE(getUInt24(data, 2), readBack);
}

void TestHartCodec::readsOutsideTheFieldGiveZero() {
    const QByteArray data = hex("3F 80 00 00");
    QCOMPARE(getFloat(data, 0), 1.0f);
    QCOMPARE(getFloat(data, 1), 0.0f);
    QCOMPARE(getFloat(data, -1), 0.0f);
    QCOMPARE(getFloat(QByteArray(), 0), 0.0f);
    QCOMPARE(getUInt24(data, 1), 0x800000u);
    QCOMPARE(getUInt24(data, 2), 0u);
    QCOMPARE(getUInt24(data, -1), 0u);
    QCOMPARE(getUInt24(data, std::numeric_limits<int>::max()), 0u);

    QByteArray w = data;
    putFloat(w, -1, 2.0f); // ignored, never writes in front of the field
    putUInt24(w, -3, 1);
    QCOMPARE(w, data);
}

// ---------------------------------------------------------------------------------------------

void TestHartCodec::parserAdversity_data() {
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QString>("outcomes");
    QTest::addColumn<bool>("inFrameAfter");

    const QByteArray reply = hex("86 F9 FD 00 00 00 2C 03 00 D3 4B 35");
    const QByteArray request = hex("82 B9 FD 00 00 00 2C 01 4B A0");

    QTest::newRow("clean reply") << QList<QByteArray>{pre(3) + reply} << "frame" << false;
    QTest::newRow("noise before") << QList<QByteArray>{hex("00 12 34 FE 06 86") + pre(3) + reply}
                                  << "frame" << false;
    QTest::newRow("one preamble is not enough")
        << QList<QByteArray>{hex("00 FF") + reply} << "" << false;
    QTest::newRow("noise then a lone FF then a frame")
        << QList<QByteArray>{hex("55 FF 06 81 00") + pre(2) + reply} << "frame" << false;
    // An extra byte inside the data shifts the checksum position.
    QTest::newRow("noise inside the frame")
        << QList<QByteArray>{pre(5) + reply.left(8) + hex("5A") + reply.mid(8)} << "sum" << false;
    QTest::newRow("flipped bit") << QList<QByteArray>{pre(5) + reply.left(10) + hex("4A 35")}
                                 << "sum" << false;
    QTest::newRow("wrong checksum then a good frame")
        << QList<QByteArray>{pre(5) + reply.left(11) + hex("00") + pre(5) + reply} << "sum,frame"
        << false;
    QTest::newRow("truncated") << QList<QByteArray>{pre(5) + reply.left(7)} << "" << true;
    QTest::newRow("only preambles") << QList<QByteArray>{pre(4)} << "" << true;
    QTest::newRow("byte count larger than what arrives")
        << QList<QByteArray>{pre(5) + hex("86 F9 FD 00 00 00 2C 20 00 D3 4B 35")} << "" << true;
    QTest::newRow("split across chunks")
        << QList<QByteArray>{pre(2), pre(1) + reply.left(1), reply.mid(1, 5), reply.mid(6)}
        << "frame" << false;
    QTest::newRow("two frames in one chunk")
        << QList<QByteArray>{pre(5) + request + pre(3) + reply} << "frame,frame" << false;
    // Byte counts 0 and 1 cannot hold a reply's status bytes.
    QTest::newRow("reply with byte count 0")
        << QList<QByteArray>{pre(5) + hex("06 80 00 00 86")} << "len" << false;
    QTest::newRow("reply with byte count 1")
        << QList<QByteArray>{pre(5) + hex("06 80 00 01 00 87")} << "len" << false;
    QTest::newRow("bad length then the real reply")
        << QList<QByteArray>{pre(5) + hex("06 80 00 00") + pre(5) + reply} << "len,frame" << false;
    // Expansion bytes are never used here; such a byte is noise.
    QTest::newRow("delimiter with expansion bits")
        << QList<QByteArray>{pre(5) + hex("A6 80 00 02 00 00 24")} << "" << false;
    QTest::newRow("burst frame")
        << QList<QByteArray>{pre(5) + hex("81 A6 06 78 9A BC 03 06 00 40 41 20 00 00 5B")}
        << "frame" << false;
    QTest::newRow("echo of our request")
        << QList<QByteArray>{pre(5) + request, pre(2) + reply} << "frame,frame" << false;
    QTest::newRow("comm-error reply")
        << QList<QByteArray>{pre(5) + hex("06 80 00 02 88 00 0C")} << "frame" << false;
    QTest::newRow("empty input") << QList<QByteArray>{QByteArray()} << "" << false;
}

void TestHartCodec::parserAdversity() {
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QString, outcomes);
    QFETCH(bool, inFrameAfter);
    FrameParser p;
    QStringList got;
    for (const QByteArray &c : chunks) {
        p.push(c);
        const QString s = drain(p);
        if (!s.isEmpty()) got << s;
    }
    QCOMPARE(got.join(','), outcomes);
    QCOMPARE(p.inFrame(), inFrameAfter);
    p.clear();
    QCOMPARE(p.pending(), 0);
    QVERIFY(!p.inFrame());
}

void TestHartCodec::parserByteByByte() {
    const QByteArray wire =
        pre(5) + hex("86 F9 FD 00 00 00 0E 12 00 93 65 43 21 4B 46 BB 80 00 00 00 00 00 43 48 00 "
                     "00 37");
    FrameParser p;
    for (int i = 0; i < wire.size(); ++i) {
        p.push(wire.mid(i, 1));
        auto item = p.take();
        if (i + 1 < wire.size()) {
            QVERIFY2(!item.has_value(), qPrintable(QString("early item at byte %1").arg(i)));
            if (i >= 1) QVERIFY(p.inFrame());
        } else {
            QVERIFY(item.has_value());
            QCOMPARE(item->outcome, FrameParser::Outcome::Frame);
            QCOMPARE(getFloat(item->frame.data, 4), 24000.0f);
            QCOMPARE(getFloat(item->frame.data, 12), 200.0f);
            QCOMPARE(getUInt24(item->frame.data, 0), 0x654321u);
        }
    }
    QVERIFY(!p.inFrame());
}

void TestHartCodec::parserBoundsItsBuffer() {
    FrameParser p;
    // A line stuck at 0xFF, or random noise, must not make the parser hoard bytes.
    p.push(QByteArray(100000, char(0xFF)));
    QVERIFY(!p.take().has_value());
    QVERIFY(p.pending() <= 2);
    QVERIFY(p.inFrame());
    QByteArray noise;
    for (int i = 0; i < 5000; ++i)
        noise.append(char((i * 37 + 11) & 0x7F));
    p.clear();
    p.push(noise);
    drain(p);
    QVERIFY(p.pending() <= 2);
    // The longest possible frame needs 264 bytes after the preambles; the parser waits for them.
    p.clear();
    p.push(pre(2) + hex("86 F9 FD 00 00 00 2C FF"));
    QVERIFY(!p.take().has_value());
    p.push(QByteArray(255, 'A'));
    QVERIFY(!p.take().has_value());
    p.push(hex("00"));
    auto item = p.take();
    QVERIFY(item.has_value());
    QCOMPARE(item->raw.size(), 264);
}

void TestHartCodec::parserClassifiesReplies() {
    FrameParser p;
    p.push(pre(5) + hex("06 80 00 02 88 00 0C"));
    auto commError = p.take();
    QVERIFY(commError && commError->outcome == FrameParser::Outcome::Frame);
    QVERIFY(commError->frame.isCommError());
    QCOMPARE(commError->frame.type(), FrameType::Ack);

    p.push(pre(5) + hex("86 99 72 12 34 56 0E 02 40 00 51"));
    auto notImplemented = p.take();
    QVERIFY(notImplemented && !notImplemented->frame.isCommError());
    QCOMPARE(int(notImplemented->frame.responseCode), 64);

    p.push(pre(5) + hex("81 A6 06 78 9A BC 03 06 00 40 41 20 00 00 5B"));
    auto burst = p.take();
    QVERIFY(burst && burst->frame.type() == FrameType::Back);
    QVERIFY(burst->frame.isReply());
    QCOMPARE(burst->frame.data.toHex(' '), QByteArray("41 20 00 00"));

    p.push(pre(5) + hex("82 B9 FD 00 00 00 2C 01 4B A0"));
    auto request = p.take();
    QVERIFY(request && request->frame.type() == FrameType::Stx);
    QVERIFY(!request->frame.isReply());
    QVERIFY(!request->frame.isCommError());
    QCOMPARE(request->frame.data.toHex(' '), QByteArray("4b"));
}

QTEST_GUILESS_MAIN(TestHartCodec)
#include "test_hart_codec.moc"
