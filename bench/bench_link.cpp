// The HART control against the simulated transmitter: how close a transaction comes to the time
// its bytes need on a 1200 bit/s line, what it costs in CPU, how fast the codec is, and whether
// a long run of polls leaves memory behind.
#include "bench_link.h"

#include "bench_util.h"
#include "hart/hartx.h"
#include "hart/link/hart_codec.h"
#include "sim/sim_device.h"
#include "sim/sim_line.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <memory>
#include <vector>

MeteredLine::MeteredLine(SimDevice *device, Timing timing) : SimLine(device, timing) {
    clock.start();
    connect(this, &HartLine::received, this, [this](const QByteArray &bytes) {
        receivedBytes += bytes.size();
        lastReceiveUs = clock.nsecsElapsed() / 1000;
    });
}

void MeteredLine::send(const QByteArray &frame) {
    sentBytes += frame.size();
    ++framesSent;
    if (firstSendUs < 0) firstSendUs = clock.nsecsElapsed() / 1000;
    SimLine::send(frame);
}

namespace {

struct Rig {
    SimDevice device;
    HartX control;
    MeteredLine *line = nullptr;

    explicit Rig(SimLine::Timing timing) {
        control.setLineFactory([this, timing](int) {
            auto l = std::make_unique<MeteredLine>(&device, timing);
            line = l.get();
            return l;
        });
        // The tool's own link set-up: primary master, polling address 0, 10 preambles.
        control.setLinkSetting6(1);
        control.setCommPort(1);
        control.setLinkSetting3(0);
        control.setLinkSetting9(10);
        control.setLinkSetting10(0);
    }
};

// Writes the command the way the tool does and waits for its Result; a transaction that never
// ends is a failure of the run, not a hang. The time runs from the Command write to the start of
// the Result slot, which is what the window's chains see.
struct Transaction {
    qint16 result = -1;
    double ms = 0;
};

Transaction transact(HartX &control, qint16 command, bool withByteCount, int timeoutMs = 10000) {
    Transaction out;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, [&] { loop.exit(1); });
    QElapsedTimer t;
    const QMetaObject::Connection c =
        QObject::connect(&control, &HartX::Result, &loop, [&](qint16, qint16 cmd, qint16 r) {
            if (cmd != command) return;
            out.ms = double(t.nsecsElapsed()) / 1e6;
            out.result = r;
            loop.exit(0);
        });
    guard.start(timeoutMs);
    control.setDataIndex(0);
    if (withByteCount) control.setByteCount(0);
    t.start();
    control.setCommand(command);
    const int rc = loop.exec();
    QObject::disconnect(c);
    if (rc != 0)
        bench::fail(
            QStringLiteral("command %1 got no Result within %2 ms").arg(command).arg(timeoutMs));
    return out;
}

} // namespace

int benchTransactions(int count) {
    Rig rig(SimLine::Timing::Real);
    rig.device.setNoise(false);
    // Identification first, as at start-up: later commands then go straight to the long address.
    if (transact(rig.control, 0, false).result != 0)
        bench::fail(QStringLiteral("identification failed"));

    std::vector<double> ratios, overheadsMs;
    ratios.reserve(std::size_t(count));
    const qint64 cpuStart = bench::cpuTimeUs();
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < count; ++i) {
        // The two kinds of traffic a session is made of: a read of the sequence, and a poll.
        const bool read = i % 2 == 0;
        const qint16 command = read ? 13 : 2;
        const qint64 sent0 = rig.line->sentBytes, recv0 = rig.line->receivedBytes;
        const Transaction tr = transact(rig.control, command, !read);
        const qint16 r = tr.result;
        const double measuredMs = tr.ms;
        if (r != 0 || rig.control.ResponseCode() != 0)
            bench::fail(QStringLiteral("command %1 failed: result %2, response code %3, %4")
                            .arg(command)
                            .arg(r)
                            .arg(rig.control.ResponseCode())
                            .arg(rig.control.LastError()));
        const qint64 bytes = rig.line->sentBytes - sent0 + rig.line->receivedBytes - recv0;
        // The link grant before the request is protocol time too: HART gives it to the other
        // master after each transaction, whoever writes the next command.
        const double wireMs = double(hart::wireTimeUs(int(bytes))) / 1000.0 +
                              SimLine::kTurnaroundMs + rig.control.linkTiming().linkGrantMs;
        ratios.push_back(measuredMs / wireMs);
        overheadsMs.push_back(measuredMs - wireMs);
    }
    const double wallMs = double(wall.nsecsElapsed()) / 1e6;
    const double cpuUs = double(bench::cpuTimeUs() - cpuStart);

    bench::report(QStringLiteral("transaction.count"), QString::number(count));
    bench::report(QStringLiteral("transaction.ratio.median"), bench::median(ratios), 4);
    bench::report(QStringLiteral("transaction.ratio.p95"), bench::percentile(ratios, 95), 4);
    bench::report(QStringLiteral("transaction.ratio.max"), bench::percentile(ratios, 100), 4);
    bench::report(QStringLiteral("transaction.overhead_ms.median"), bench::median(overheadsMs), 2);
    bench::report(QStringLiteral("transaction.overhead_ms.p95"), bench::percentile(overheadsMs, 95),
                  2);
    bench::report(QStringLiteral("transaction.wall_ms.mean"), wallMs / count, 1);
    bench::report(QStringLiteral("transaction.cpu_us.per_transaction"), cpuUs / count, 0);
    bench::report(QStringLiteral("transaction.cpu.percent_of_wall"),
                  100.0 * cpuUs / 1000.0 / wallMs, 3);
    return 0;
}

int benchCodec(int milliseconds) {
    // A reply to command 13 from our transmitter (long address, status, 21 data bytes) and the
    // request for it: the biggest frames of a normal session.
    hart::Frame reply;
    reply.delimiter = 0x86;
    reply.address = hart::longAddress(true, 117, 0x5A, QByteArray::fromHex("123456"));
    reply.command = 13;
    reply.data = hart::packAscii(QStringLiteral("LT-101"), 6) +
                 hart::packAscii(QStringLiteral("WELL 3 LEVEL"), 12) +
                 QByteArray::fromHex("070C7E");

    auto run = [&](int chunk) {
        hart::FrameParser parser;
        qint64 frames = 0;
        quint32 sink = 0;
        QElapsedTimer t;
        t.start();
        const qint64 limitNs = qint64(milliseconds) * 1000000;
        while (t.nsecsElapsed() < limitNs) {
            for (int k = 0; k < 256; ++k) {
                reply.data[0] = char(k); // a different frame each time, as on a live line
                const QByteArray wire = hart::encode(reply, 5);
                if (chunk <= 0) {
                    parser.push(wire);
                } else {
                    for (qsizetype at = 0; at < wire.size(); at += chunk)
                        parser.push(wire.mid(at, chunk));
                }
                while (auto item = parser.take()) {
                    if (item->outcome != hart::FrameParser::Outcome::Frame)
                        bench::fail(QStringLiteral("the codec did not read back its own frame"));
                    sink += quint8(item->frame.data[0]);
                    ++frames;
                }
            }
        }
        const double seconds = double(t.nsecsElapsed()) / 1e9;
        if (sink == 0xFFFFFFFFu) bench::report(QStringLiteral("codec.sink"), QString::number(sink));
        return double(frames) / seconds;
    };
    const double whole = run(0);
    const double chunked = run(SimLine::kChunkBytes);
    bench::report(QStringLiteral("codec.frames_per_s.whole"), whole, 0);
    bench::report(QStringLiteral("codec.frames_per_s.chunked4"), chunked, 0);
    bench::report(QStringLiteral("codec.us_per_frame.whole"), 1e6 / whole, 2);
    return 0;
}

int benchPolls(int count, bool clearTrace) {
    Rig rig(SimLine::Timing::Instant);
    bench::dropLinkPauses(rig.control);
    rig.device.setNoise(false);
    if (transact(rig.control, 0, false).result != 0)
        bench::fail(QStringLiteral("identification failed"));

    // Back to back, each poll written from the Result of the one before, as the chains do.
    int done = 0;
    qint64 rssAt10k = -1, rssAtEnd = -1;
    std::vector<qint64> rssSteps;
    QEventLoop loop;
    QElapsedTimer t;
    auto poll = [&] {
        rig.control.setDataIndex(0);
        rig.control.setByteCount(0);
        rig.control.setCommand(2);
    };
    QObject::connect(&rig.control, &HartX::Result, &loop, [&](qint16, qint16 cmd, qint16 r) {
        if (cmd != 2 || r != 0)
            bench::fail(
                QStringLiteral("poll %1 failed: %2").arg(done).arg(rig.control.LastError()));
        ++done;
        if (clearTrace && done % 1000 == 0) rig.device.clearTrace();
        if (done % 10000 == 0) {
            const qint64 rss = bench::selfStatusKb("VmRSS");
            rssSteps.push_back(rss);
            if (done == 10000) rssAt10k = rss;
        }
        if (done >= count) {
            rssAtEnd = bench::selfStatusKb("VmRSS");
            loop.quit();
            return;
        }
        poll();
    });
    t.start();
    poll();
    loop.exec();
    const double seconds = double(t.nsecsElapsed()) / 1e9;

    QStringList steps;
    for (qint64 kb : rssSteps)
        steps << QString::number(kb);
    // The simulated transmitter's request trace is part of the rig, not of the tool; a run that
    // empties it shows what the control and the line alone keep.
    const QString p = clearTrace ? QStringLiteral("polls_untraced.") : QStringLiteral("polls.");
    bench::report(p + QStringLiteral("count"), QString::number(done));
    bench::report(p + QStringLiteral("per_s"), done / seconds, 0);
    bench::report(p + QStringLiteral("rss_kb.after_10000"), QString::number(rssAt10k));
    bench::report(p + QStringLiteral("rss_kb.at_end"), QString::number(rssAtEnd));
    bench::report(p + QStringLiteral("rss_kb.growth"), QString::number(rssAtEnd - rssAt10k));
    bench::report(p + QStringLiteral("rss_kb.every_10000"), steps.join(QLatin1Char(' ')));
    return 0;
}
