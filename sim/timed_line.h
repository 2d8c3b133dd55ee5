// An in-process line whose replies come from a function instead of a wire: the same interface as
// the serial port, so the HART control runs unchanged against it, either instantly (window tests)
// or with the timing of a real 1200 bit/s modem line (timing tests, demonstrations). What answers
// is the subclass's: the simulated transmitter itself in tests and zanu-sim, the plug-in holding
// it in zanu-config, which so carries no transmitter model of its own.
#pragma once

#include "hart/link/hart_line.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>

class TimedLine : public HartLine {
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

    explicit TimedLine(Timing timing, QObject *parent = nullptr);
    ~TimedLine() override;

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

protected:
    // The whole reply frame to a request frame, empty for none (a silent device).
    virtual QByteArray answer(const QByteArray &request) = 0;
    // Whether there is a device to answer at all; a line to none cannot be opened.
    virtual bool reachable() const = 0;

private:
    enum class Phase { Idle, Sending, Replying };

    void scheduleAt(qint64 atUs);
    qint64 nowUs() const;
    void onTimer();
    void deliverInstant(quint64 generation);

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
