// HART frames on the wire: encoding, the incremental parser, packed ASCII and the number
// encodings. Shared by the master (this program) and the simulated transmitter.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace hart {

constexpr int kBitsPerChar = 11; // start, 8 data, odd parity, stop
constexpr int kBaud = 1200;
constexpr int kMinPreambles = 5;
constexpr quint8 kPreamble = 0xFF;

// Delimiter: bit 7 long address, bits 2..0 frame type.
enum class FrameType : quint8 { Back = 1, Stx = 2, Ack = 6 };

struct Frame {
    quint8 delimiter = 0x02; // 0x02/0x82 request, 0x06/0x86 reply, 0x01/0x81 burst
    QByteArray address;      // 1 byte (short) or 5 bytes (long), as on the wire
    quint8 command = 0;
    // Replies and burst frames: the two status bytes, when the byte count held them.
    quint8 responseCode = 0;
    quint8 deviceStatus = 0;
    QByteArray data; // the data field (for replies: after the two status bytes)

    bool isLong() const { return (delimiter & 0x80) != 0; }
    FrameType type() const { return FrameType(delimiter & 0x07); }
    bool isReply() const { return type() == FrameType::Ack || type() == FrameType::Back; }
    // A communication-error report: bit 7 of the first status byte.
    bool isCommError() const { return isReply() && (responseCode & 0x80) != 0; }
};

// XOR of all bytes.
quint8 checksum(const QByteArray &bytes);
// The whole frame: `preambles` x 0xFF, delimiter, address, command, byte count, [status], data,
// checksum. Byte count and checksum are computed here.
QByteArray encode(const Frame &frame, int preambles);

// Addresses. Short: master bit | burst bit | polling address. Long: master bit | burst bit |
// (manufacturer & 0x3F), device type, 3 bytes of device id (from the command-0 reply).
QByteArray shortAddress(bool primaryMaster, quint8 pollingAddress, bool burst = false);
QByteArray longAddress(bool primaryMaster, quint8 manufacturerId, quint8 deviceType,
                       const QByteArray &deviceId, bool burst = false);
// The long address of the device that sent this command-0 reply data (after the status bytes):
// manufacturer id from byte 1, device type from byte 2, device id from bytes 9-11. Nothing when
// the data is too short to hold them.
std::optional<QByteArray> longAddressFromCommand0(bool primaryMaster, const QByteArray &replyData);
// Compares two addresses with the master and burst bits of the first byte masked.
bool sameDevice(const QByteArray &a, const QByteArray &b);
// The master bit of an address (true: primary master).
inline bool isPrimaryMaster(const QByteArray &address) {
    return !address.isEmpty() && (quint8(address[0]) & 0x80);
}

// Incremental parser: push bytes as they arrive, take whole items out. It hunts for preambles
// and a delimiter through noise, takes the length from the frame's own byte count, and never
// reads beyond what arrived.
class FrameParser {
public:
    enum class Outcome {
        Frame,       // a well-formed frame with a good checksum
        BadChecksum, // a frame whose checksum did not match (frame holds what was read)
        BadLength,   // a reply whose byte count cannot hold its status bytes
    };
    struct Item {
        Outcome outcome = Outcome::Frame;
        Frame frame;
        QByteArray raw; // the bytes of the item from the delimiter to the checksum
    };

    void push(const QByteArray &bytes);
    // The next complete item, or nothing until more bytes arrive. Noise is dropped silently.
    std::optional<Item> take();
    // True while the bytes held look like the start of a frame that has not ended yet.
    bool inFrame() const;
    // Bytes held that are not yet part of a taken item.
    int pending() const;
    void clear();

private:
    QByteArray buf_;
};

// Packed ASCII: 4 characters in 3 bytes. `byteLength` is a multiple of 3; text is upper-cased,
// padded with blanks or cut to byteLength * 4 / 3 characters.
QByteArray packAscii(const QString &text, int byteLength);
QString unpackAscii(const QByteArray &bytes);

// Big-endian numbers inside a data field. Reads outside the field give 0; writes grow it.
void putFloat(QByteArray &data, int pos, float value);
float getFloat(const QByteArray &data, int pos);
void putUInt24(QByteArray &data, int pos, quint32 value);
quint32 getUInt24(const QByteArray &data, int pos);

// Time on the wire for n characters at 1200 bit/s, in microseconds.
constexpr qint64 wireTimeUs(int chars) {
    return qint64(chars) * kBitsPerChar * 1000000 / kBaud;
}

} // namespace hart
