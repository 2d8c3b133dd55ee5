#include "hart/link/hart_codec.h"

#include <cstring>

namespace hart {

namespace {

constexpr int kShortAddressLength = 1;
constexpr int kLongAddressLength = 5;
constexpr int kMaxByteCount = 255;

bool isDelimiter(quint8 byte) {
    // Expansion bytes and the physical-layer bits are never used on our lines; a byte with them
    // set is noise, not the start of a frame.
    if (byte & 0x78) return false;
    const quint8 type = byte & 0x07;
    return type == quint8(FrameType::Back) || type == quint8(FrameType::Stx) ||
           type == quint8(FrameType::Ack);
}

int addressLength(quint8 delimiter) {
    return (delimiter & 0x80) ? kLongAddressLength : kShortAddressLength;
}

// Real devices send as few as two preambles; one 0xFF in front of a delimiter-like byte is far
// more likely noise than a frame.
constexpr int kMinPreamblesSeen = 2;

} // namespace

quint8 checksum(const QByteArray &bytes) {
    quint8 sum = 0;
    for (char c : bytes)
        sum ^= quint8(c);
    return sum;
}

QByteArray encode(const Frame &frame, int preambles) {
    const int addrLen = int(frame.address.size());
    if (addrLen != kShortAddressLength && addrLen != kLongAddressLength) return {};
    const int statusBytes = frame.isReply() ? 2 : 0;
    const int byteCount = statusBytes + int(frame.data.size());
    // A frame whose byte count cannot be written would be cut on the wire; refuse it whole
    // rather than send a shortened one.
    if (byteCount > kMaxByteCount) return {};

    quint8 delimiter = frame.delimiter & 0x07;
    if (addrLen == kLongAddressLength) delimiter |= 0x80;

    QByteArray body;
    body.reserve(1 + addrLen + 2 + byteCount + 1);
    body.append(char(delimiter));
    body.append(frame.address);
    body.append(char(frame.command));
    body.append(char(byteCount));
    if (statusBytes) {
        body.append(char(frame.responseCode));
        body.append(char(frame.deviceStatus));
    }
    body.append(frame.data);
    body.append(char(checksum(body)));

    return QByteArray(qMax(0, preambles), char(kPreamble)) + body;
}

QByteArray shortAddress(bool primaryMaster, quint8 pollingAddress, bool burst) {
    quint8 b = pollingAddress & 0x3F;
    if (primaryMaster) b |= 0x80;
    if (burst) b |= 0x40;
    return QByteArray(1, char(b));
}

QByteArray longAddress(bool primaryMaster, quint8 manufacturerId, quint8 deviceType,
                       const QByteArray &deviceId, bool burst) {
    quint8 b0 = manufacturerId & 0x3F;
    if (primaryMaster) b0 |= 0x80;
    if (burst) b0 |= 0x40;
    QByteArray a;
    a.append(char(b0));
    a.append(char(deviceType));
    a.append(deviceId.left(3));
    while (a.size() < kLongAddressLength)
        a.append('\0');
    return a;
}

std::optional<QByteArray> longAddressFromCommand0(bool primaryMaster, const QByteArray &replyData) {
    constexpr int kIdentityLength = 12;
    if (replyData.size() < kIdentityLength) return std::nullopt;
    return longAddress(primaryMaster, quint8(replyData[1]), quint8(replyData[2]),
                       replyData.mid(9, 3));
}

bool sameDevice(const QByteArray &a, const QByteArray &b) {
    if (a.isEmpty() || a.size() != b.size()) return false;
    if ((quint8(a[0]) & 0x3F) != (quint8(b[0]) & 0x3F)) return false;
    return a.mid(1) == b.mid(1);
}

// ---------------------------------------------------------------------------------------------
// FrameParser

namespace {

// Index of the next delimiter that follows a preamble run, from `from`; -1 if none.
int findStart(const QByteArray &buf, int from) {
    int run = 0;
    for (int i = from; i < buf.size(); ++i) {
        const quint8 b = quint8(buf[i]);
        if (b == kPreamble) {
            ++run;
            continue;
        }
        if (run >= kMinPreamblesSeen && isDelimiter(b)) return i;
        run = 0;
    }
    return -1;
}

int trailingPreambles(const QByteArray &buf) {
    int n = 0;
    for (int i = int(buf.size()) - 1; i >= 0 && quint8(buf[i]) == kPreamble; --i)
        ++n;
    return n;
}

} // namespace

void FrameParser::push(const QByteArray &bytes) {
    buf_.append(bytes);
}

std::optional<FrameParser::Item> FrameParser::take() {
    const int start = findStart(buf_, 0);
    if (start < 0) {
        // Keep only a trailing preamble run (it may be the start of the next frame), and no
        // more of it than we need, so that a line full of 0xFF cannot grow the buffer.
        const int keep = qMin(trailingPreambles(buf_), kMinPreamblesSeen);
        buf_ = buf_.right(keep);
        return std::nullopt;
    }
    // Everything up to the last two preambles is done with; keeping those two lets
    // inFrame() and a re-hunt after a bad frame see the frame start the same way.
    const int dropTo = start - kMinPreamblesSeen;
    if (dropTo > 0) {
        buf_.remove(0, dropTo);
    }
    const int d = kMinPreamblesSeen; // delimiter position now
    const quint8 delimiter = quint8(buf_[d]);
    const int addrLen = addressLength(delimiter);
    const int bcPos = d + 1 + addrLen + 1;
    if (buf_.size() <= bcPos) return std::nullopt;
    const int byteCount = quint8(buf_[bcPos]);
    const FrameType type = FrameType(delimiter & 0x07);
    const bool reply = type == FrameType::Ack || type == FrameType::Back;

    const int total = 1 + addrLen + 1 + 1 + byteCount + 1; // delimiter .. checksum
    if (reply && byteCount < 2) {
        // Decided as soon as the byte count is in: no need to wait for the rest.
        Item item;
        item.outcome = Outcome::BadLength;
        item.raw = buf_.mid(d, qMin<qsizetype>(total, buf_.size() - d));
        item.frame.delimiter = delimiter;
        item.frame.address = buf_.mid(d + 1, addrLen);
        item.frame.command = quint8(buf_[d + 1 + addrLen]);
        // Drop the delimiter only: if noise made this look like a frame, the real one may
        // start inside it.
        buf_.remove(0, d + 1);
        return item;
    }
    if (buf_.size() - d < total) return std::nullopt;

    Item item;
    item.raw = buf_.mid(d, total);
    Frame &f = item.frame;
    f.delimiter = delimiter;
    f.address = item.raw.mid(1, addrLen);
    f.command = quint8(item.raw[1 + addrLen]);
    const QByteArray payload = item.raw.mid(1 + addrLen + 2, byteCount);
    if (reply) {
        f.responseCode = quint8(payload[0]);
        f.deviceStatus = quint8(payload[1]);
        f.data = payload.mid(2);
    } else {
        f.data = payload;
    }
    const quint8 want = checksum(item.raw.left(total - 1));
    if (want == quint8(item.raw[total - 1])) {
        item.outcome = Outcome::Frame;
        buf_.remove(0, d + total);
    } else {
        item.outcome = Outcome::BadChecksum;
        buf_.remove(0, d + 1);
    }
    return item;
}

bool FrameParser::inFrame() const {
    const int start = findStart(buf_, 0);
    if (start >= 0) return true;
    return trailingPreambles(buf_) >= kMinPreamblesSeen;
}

int FrameParser::pending() const {
    return int(buf_.size());
}

void FrameParser::clear() {
    buf_.clear();
}

// ---------------------------------------------------------------------------------------------
// Packed ASCII

namespace {

quint8 sixBits(QChar ch) {
    ushort u = ch.unicode();
    if (u >= 'a' && u <= 'z') u = ushort(u - 'a' + 'A');
    // Only 0x20..0x5F survive the packing; anything else would turn into an unrelated
    // character on the device, so it goes as '?', the same mark a device shows for unknown text.
    if (u < 0x20 || u > 0x5F) u = '?';
    return quint8(u & 0x3F);
}

} // namespace

QByteArray packAscii(const QString &text, int byteLength) {
    if (byteLength <= 0) return {};
    const int groups = (byteLength + 2) / 3;
    const int chars = groups * 4;
    QByteArray out;
    out.reserve(groups * 3);
    for (int g = 0; g < groups; ++g) {
        quint32 bits = 0;
        for (int k = 0; k < 4; ++k) {
            const int i = g * 4 + k;
            const QChar ch = i < text.size() && i < chars ? text.at(i) : QChar(' ');
            bits = (bits << 6) | sixBits(ch);
        }
        out.append(char((bits >> 16) & 0xFF));
        out.append(char((bits >> 8) & 0xFF));
        out.append(char(bits & 0xFF));
    }
    out.truncate(byteLength);
    return out;
}

QString unpackAscii(const QByteArray &bytes) {
    QString out;
    const int totalBits = int(bytes.size()) * 8;
    const int chars = totalBits / 6;
    out.reserve(chars);
    for (int c = 0; c < chars; ++c) {
        const int bit = c * 6; // from the top of the first byte
        const int byte = bit / 8;
        const int shift = bit % 8;
        quint32 window = quint32(quint8(bytes[byte])) << 8;
        if (byte + 1 < bytes.size()) window |= quint8(bytes[byte + 1]);
        const quint8 v = quint8((window >> (16 - 6 - shift)) & 0x3F);
        out.append(QChar(v < 0x20 ? v + 0x40 : v));
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Numbers

namespace {

void putBytes(QByteArray &data, int pos, const quint8 *bytes, int n) {
    if (pos < 0) return;
    const qsizetype old = data.size();
    if (old < pos + n) {
        data.resize(pos + n);
        for (qsizetype i = old; i < data.size(); ++i)
            data[i] = '\0';
    }
    for (int i = 0; i < n; ++i)
        data[pos + i] = char(bytes[i]);
}

bool inside(const QByteArray &data, int pos, int n) {
    return pos >= 0 && n >= 0 && qsizetype(pos) + n <= data.size();
}

} // namespace

void putFloat(QByteArray &data, int pos, float value) {
    quint32 bits;
    static_assert(sizeof bits == sizeof value, "IEEE single expected");
    std::memcpy(&bits, &value, sizeof bits);
    const quint8 b[4] = {quint8(bits >> 24), quint8(bits >> 16), quint8(bits >> 8), quint8(bits)};
    putBytes(data, pos, b, 4);
}

float getFloat(const QByteArray &data, int pos) {
    if (!inside(data, pos, 4)) return 0.0f;
    const quint32 bits = quint32(quint8(data[pos])) << 24 | quint32(quint8(data[pos + 1])) << 16 |
                         quint32(quint8(data[pos + 2])) << 8 | quint32(quint8(data[pos + 3]));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void putUInt24(QByteArray &data, int pos, quint32 value) {
    const quint8 b[3] = {quint8(value >> 16), quint8(value >> 8), quint8(value)};
    putBytes(data, pos, b, 3);
}

quint32 getUInt24(const QByteArray &data, int pos) {
    if (!inside(data, pos, 3)) return 0;
    return quint32(quint8(data[pos])) << 16 | quint32(quint8(data[pos + 1])) << 8 |
           quint32(quint8(data[pos + 2]));
}

} // namespace hart
