#include "fake_line_helper.h"

#include <QTimer>

LinkTiming shortTiming() {
    LinkTiming t;
    t.primaryReplyTimeoutMs = 80;
    t.secondaryReplyTimeoutMs = 130;
    t.adapterAllowanceMs = 20;
    t.interCharGapMs = 30;
    t.quietMs = 30;
    t.maxListenMs = 300;
    t.linkGrantMs = 40;
    t.sendWatchdogMs = 300;
    t.longestReplyMs = 400;
    return t;
}

FakeLine::FakeLine(const QString &name, QObject *parent) : HartLine(parent), name_(name) {
    clock.start();
}

bool FakeLine::open(QString *error) {
    ++opens;
    if (!openError.isEmpty()) {
        if (error) *error = openError;
        return false;
    }
    open_ = true;
    return true;
}

void FakeLine::close() {
    if (open_) ++closes;
    open_ = false;
    ++generation_;
    ++session_;
}

void FakeLine::breakLine(const QString &reason) {
    close();
    emit failed(reason);
}

void FakeLine::send(const QByteArray &frame) {
    frames.append(frame);
    sendAtMs.append(clock.elapsed());
    const quint64 gen = ++generation_;
    const quint64 session = session_;
    if (failOnSend) {
        const QString reason = *failOnSend;
        QTimer::singleShot(1, this, [this, gen, reason] {
            if (gen == generation_) breakLine(reason);
        });
        return;
    }
    const QList<Chunk> chunks = respond ? respond(frame) : QList<Chunk>();
    if (!reportsSent) return;
    QTimer::singleShot(sentDelayMs, this, [this, gen, session, chunks] {
        if (gen != generation_) return;
        sentAtMs.append(clock.elapsed());
        emit sent();
        for (const Chunk &c : chunks) {
            // Late bytes still arrive after a newer send, as on a real loop; not after close.
            QTimer::singleShot(c.atMs, Qt::PreciseTimer, this, [this, session, c] {
                if (session == session_ && open_) emit received(c.bytes);
            });
        }
    });
}

QByteArray FakeDevice::identityData() const {
    QByteArray d;
    d.append(char(254));
    d.append(char(manufacturer));
    d.append(char(deviceType));
    d.append(char(preamblesRequired));
    d.append(char(5));    // universal revision
    d.append(char(1));    // device revision
    d.append(char(2));    // software revision
    d.append(char(0x08)); // hardware revision / signalling
    d.append(char(0));    // flags
    d.append(deviceId);
    return d;
}

QList<Chunk> FakeDevice::operator()(const QByteArray &wire) {
    int pre = 0;
    while (pre < wire.size() && quint8(wire[pre]) == 0xFF)
        ++pre;
    hart::FrameParser parser;
    parser.push(wire);
    const auto item = parser.take();
    if (!item || item->outcome != hart::FrameParser::Outcome::Frame) return {};
    const hart::Frame &req = item->frame;
    const QByteArray ours = req.isLong()
                                ? hart::longAddress(true, manufacturer, deviceType, deviceId)
                                : hart::shortAddress(true, pollingAddress);
    if (!hart::sameDevice(req.address, ours)) return {};
    if (!req.isLong() && req.command != 0) return {};
    requests.append(req);
    requestPreambles.append(pre);

    Answer a;
    QList<Answer> &queue = script[req.command];
    if (!queue.isEmpty()) a = queue.takeFirst();
    if (a.kind == Kind::Silent) return {};

    hart::Frame reply;
    reply.delimiter = 0x06;
    reply.address = req.address;
    reply.address[0] = char(quint8(reply.address[0]) | 0x40);
    reply.command = req.command;
    reply.responseCode = a.responseCode;
    reply.deviceStatus = a.deviceStatus;
    reply.data = a.data ? *a.data : (req.command == 0 ? identityData() : req.data);
    if (a.kind == Kind::CommError) {
        reply.responseCode = 0x88; // checksum error seen by the device
        reply.data.clear();
    }
    QByteArray bytes = hart::encode(reply, replyPreambles);
    if (a.kind == Kind::BadChecksum) bytes[bytes.size() - 1] = char(quint8(bytes.back()) ^ 0x5A);
    if (a.kind == Kind::Truncated) bytes.chop(3);

    if (a.chunkGapsMs.isEmpty()) return {Chunk{a.atMs, bytes}};
    QList<Chunk> out;
    int t = a.atMs;
    for (int i = 0; i < bytes.size(); ++i) {
        out.append(Chunk{t, bytes.mid(i, 1)});
        t += a.chunkGapsMs[i % a.chunkGapsMs.size()];
    }
    return out;
}

void FakeDevice::attach(FakeLine &line) {
    line.respond = [this](const QByteArray &frame) { return (*this)(frame); };
}
