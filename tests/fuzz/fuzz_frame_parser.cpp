// Fuzz target: the reply parser fed arbitrary line bytes in arbitrary chunks.
//
// Input layout: byte 0 is the plan (how the bytes are cut into chunks and how often the parser is
// drained), the rest is what arrives on the line. Beyond "no crash, no overflow" the target
// checks what a master relies on:
// - the parser's verdicts do not depend on how the bytes were chunked (a USB adapter hands them
//   over in any grouping, and the same wire must give the same frames);
// - a good frame re-encodes to exactly the bytes it was read from, a bad checksum differs only in
//   the check byte, and an impossible byte count is only reported for replies;
// - what the parser holds between items stays bounded by one frame, whatever the noise;
// - the data field of a reply decodes (packed ASCII, floats, 24-bit integers) without reading
//   outside it, and packed ASCII round-trips.
#include "fuzz_check.h"
#include "hart/link/hart_codec.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

using hart::FrameParser;

namespace {

// Two preambles kept in front of a frame that has started, plus the longest possible frame from
// the delimiter to the check byte: long address, command, byte count, 255 counted bytes, check.
constexpr int kLongestFrame = 1 + 5 + 1 + 1 + 255 + 1;
constexpr int kMostHeld = 2 + kLongestFrame;

struct Seen {
    FrameParser::Outcome outcome;
    hart::Frame frame;
    QByteArray raw;
};

bool sameFrame(const hart::Frame &a, const hart::Frame &b) {
    return a.delimiter == b.delimiter && a.address == b.address && a.command == b.command &&
           a.responseCode == b.responseCode && a.deviceStatus == b.deviceStatus && a.data == b.data;
}

// Decodes the data field the way the control's typed reads do, at every position and just
// outside it on both sides.
void decodeData(const QByteArray &data) {
    const int n = int(data.size());
    for (int pos = -4; pos <= n + 1; ++pos) {
        const float f = hart::getFloat(data, pos);
        const quint32 u = hart::getUInt24(data, pos);
        if (pos < 0 || pos + 4 > n) FUZZ_CHECK(f == 0.0f, "float read outside the data is not 0");
        if (pos < 0 || pos + 3 > n) FUZZ_CHECK(u == 0, "24-bit read outside the data is not 0");
        FUZZ_CHECK(u <= 0xFFFFFF, "24-bit value wider than 24 bits");
    }
    const QString text = hart::unpackAscii(data);
    FUZZ_CHECK(text.size() == n * 8 / 6, "unpacked text has the wrong length");
    for (QChar c : text)
        FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() <= 0x5F,
                   "unpacked character outside 0x20..0x5F");
    const int whole = n - n % 3;
    if (whole > 0) {
        const QByteArray packed = data.left(whole);
        FUZZ_CHECK(hart::packAscii(hart::unpackAscii(packed), whole) == packed,
                   "packed ASCII does not round-trip");
    }
}

void checkItem(const FrameParser::Item &item) {
    const hart::Frame &f = item.frame;
    FUZZ_CHECK(!item.raw.isEmpty(), "item without bytes");
    FUZZ_CHECK(quint8(item.raw[0]) == f.delimiter, "item does not start with its delimiter");
    FUZZ_CHECK((f.delimiter & 0x78) == 0, "delimiter with expansion or physical-layer bits");
    const quint8 type = f.delimiter & 0x07;
    FUZZ_CHECK(type == 1 || type == 2 || type == 6, "delimiter of an unknown frame type");
    FUZZ_CHECK(f.address.size() == (f.isLong() ? 5 : 1), "address length does not match delimiter");

    switch (item.outcome) {
    case FrameParser::Outcome::Frame: {
        FUZZ_CHECK(hart::checksum(item.raw.left(item.raw.size() - 1)) == quint8(item.raw.back()),
                   "frame accepted with a wrong check byte");
        FUZZ_CHECK(hart::encode(f, 0) == item.raw, "good frame does not re-encode to its bytes");
        decodeData(f.data);
        break;
    }
    case FrameParser::Outcome::BadChecksum: {
        FUZZ_CHECK(hart::checksum(item.raw.left(item.raw.size() - 1)) != quint8(item.raw.back()),
                   "frame refused although its check byte is right");
        const QByteArray again = hart::encode(f, 0);
        FUZZ_CHECK(again.size() == item.raw.size() && again.chopped(1) == item.raw.chopped(1),
                   "bad-checksum frame differs from its bytes beyond the check byte");
        decodeData(f.data);
        break;
    }
    case FrameParser::Outcome::BadLength: {
        FUZZ_CHECK(f.isReply(), "impossible byte count reported for a request");
        const int bcPos = 1 + int(f.address.size()) + 1;
        FUZZ_CHECK(item.raw.size() > bcPos, "bad-length item ends before its byte count");
        FUZZ_CHECK(quint8(item.raw[bcPos]) < 2, "bad-length item whose byte count holds status");
        break;
    }
    }
}

void drain(FrameParser &parser, std::vector<Seen> &out, qsizetype lineBytes) {
    while (std::optional<FrameParser::Item> item = parser.take()) {
        checkItem(*item);
        out.push_back({item->outcome, item->frame, item->raw});
        FUZZ_CHECK(qsizetype(out.size()) <= lineBytes, "more items than bytes on the line");
    }
    FUZZ_CHECK(parser.pending() <= kMostHeld, "parser holds more than one frame after draining");
    (void)parser.inFrame();
}

// A small generator so that one plan byte gives a whole, repeatable sequence of chunk sizes.
struct Chunker {
    quint32 state;
    int largest;
    int next() {
        state = state * 1103515245u + 12345u;
        return 1 + int((state >> 16) % quint32(largest));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 1) return 0;
    const quint8 plan = data[0];
    const QByteArray line(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    std::vector<Seen> whole;
    {
        FrameParser parser;
        parser.push(line);
        drain(parser, whole, line.size());
    }

    std::vector<Seen> chunked;
    {
        static const int kLargest[4] = {1, 4, 17, 64};
        Chunker chunker{quint32(plan) * 2654435761u + 1u, kLargest[plan & 3]};
        // Some plans drain only now and then, as a reader that wakes up late would.
        const int drainEvery = (plan & 4) ? 3 : 1;
        FrameParser parser;
        int pushes = 0;
        for (qsizetype at = 0; at < line.size();) {
            const qsizetype n = qMin<qsizetype>(chunker.next(), line.size() - at);
            parser.push(line.mid(at, n));
            at += n;
            if (++pushes % drainEvery == 0) drain(parser, chunked, line.size());
        }
        drain(parser, chunked, line.size());
    }

    FUZZ_CHECK(whole.size() == chunked.size(), "chunking changed the number of items");
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const Seen &a = whole[i];
        const Seen &b = chunked[i];
        FUZZ_CHECK(a.outcome == b.outcome, "chunking changed an item's verdict");
        FUZZ_CHECK(sameFrame(a.frame, b.frame), "chunking changed an item's frame");
        // A bad byte count is reported as soon as it arrives, with whatever followed it so far.
        if (a.outcome != FrameParser::Outcome::BadLength)
            FUZZ_CHECK(a.raw == b.raw, "chunking changed an item's bytes");
    }
    return 0;
}
