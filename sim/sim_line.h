// The in-process line to the simulated transmitter: the same interface as the serial port, so the
// HART control runs unchanged against it, either instantly (window tests) or with the timing of a
// real 1200 bit/s modem line (timing tests, demonstrations).
#pragma once

#include "hart/link/hart_line.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

class SimDevice;

class SimLine : public HartLine {
    Q_OBJECT
public:
    enum class Timing { Instant, Real };

    // The time from the last stop bit of a request to the first start bit of the reply with Real
    // timing. A device may take up to 28 character times (about 256 ms); ours answers well
    // inside that, like a healthy transmitter, so a master's time-outs are never on the edge.
    static constexpr int kTurnaroundMs = 30;
    // Real timing hands reply bytes over in groups of this many, each when its last byte has
    // fully arrived, as a UART with a small receive FIFO does.
    static constexpr int kChunkBytes = 4;

    SimLine(SimDevice *device, Timing timing, QObject *parent = nullptr);
    ~SimLine() override;

    bool open(QString *error) override;
    void close() override;
    bool isOpen() const override;
    // One frame at a time: a frame sent while the previous one is still on the line cuts that
    // transaction short (its remaining reply bytes are never delivered), as a collision would.
    void send(const QByteArray &frame) override;
    QString deviceName() const override;

    Timing timing() const { return timing_; }
    // Frames handed to send() since construction (for tests counting what went on the wire).
    int framesSent() const { return framesSent_; }

private:
    enum class Phase { Idle, Sending, Replying };

    void scheduleAt(qint64 atUs);
    qint64 nowUs() const;
    void onTimer();
    void deliverInstant(quint64 generation);

    QPointer<SimDevice> device_;
    Timing timing_;
    bool open_ = false;
    int framesSent_ = 0;
    quint64 generation_ = 0; // bumped by every send and close; stale deliveries check it

    Phase phase_ = Phase::Idle;
    QByteArray request_;
    QByteArray reply_;
    int delivered_ = 0;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 replyStartUs_ = 0; // when the reply's first start bit goes on the line
};
