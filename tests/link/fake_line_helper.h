// A scriptable HART line and a small scripted field device for the link tests: what went on the
// wire is recorded, and every reply, silence or fault is placed in time relative to `sent`.
#pragma once

#include "hart/link/hart_codec.h"
#include "hart/link/hart_line.h"
#include "hart/link/link_timing.h"

#include <QElapsedTimer>
#include <QList>
#include <QMap>

#include <functional>
#include <optional>

struct Chunk {
    int atMs = 0; // after the line's `sent`
    QByteArray bytes;
};

class FakeLine : public HartLine {
    Q_OBJECT
public:
    explicit FakeLine(const QString &name = QStringLiteral("/dev/ttyFAKE0"),
                      QObject *parent = nullptr);

    bool open(QString *error) override;
    void close() override;
    bool isOpen() const override { return open_; }
    void send(const QByteArray &frame) override;
    QString deviceName() const override { return name_; }

    // Bytes from somewhere else on the loop (other master, bursting device), right now.
    void inject(const QByteArray &bytes) { emit received(bytes); }
    void breakLine(const QString &reason);

    std::function<QList<Chunk>(const QByteArray &frame)> respond;
    QString openError;                 // non-empty: open() fails with it
    int sentDelayMs = 0;               // from send() to `sent`
    bool reportsSent = true;           // false: `sent` never comes
    std::optional<QString> failOnSend; // the line breaks while sending

    QList<QByteArray> frames; // as handed to send()
    QList<qint64> sendAtMs;   // clock time of each send()
    QList<qint64> sentAtMs;   // clock time of each `sent`
    int opens = 0;
    int closes = 0;
    QElapsedTimer clock;

private:
    QString name_;
    bool open_ = false;
    quint64 generation_ = 0; // bumped by every send and close
    quint64 session_ = 0;    // bumped by close only
};

// A field device behind a FakeLine. Its replies set the burst bit in the address, as the
// reference device in our captures does.
struct FakeDevice {
    enum class Kind { Reply, Silent, BadChecksum, CommError, Truncated };
    struct Answer {
        Kind kind = Kind::Reply;
        quint8 responseCode = 0;
        quint8 deviceStatus = 0;
        std::optional<QByteArray> data; // default: identity for 0, else the request data
        int atMs = 5;
        QList<int> chunkGapsMs; // split the reply into single bytes with these gaps (cycled)
    };

    quint8 manufacturer = 0x75;
    quint8 deviceType = 0x0A;
    QByteArray deviceId = QByteArray::fromHex("010203");
    quint8 pollingAddress = 0;
    quint8 preamblesRequired = 5;
    int replyPreambles = 3;

    QMap<int, QList<Answer>> script; // per command, used up in order; then plain replies
    QList<hart::Frame> requests;     // what the device understood
    QList<int> requestPreambles;

    QByteArray identityData() const;
    QList<Chunk> operator()(const QByteArray &frame);
    // Attaches this device to a line; the device must outlive the line's use.
    void attach(FakeLine &line);
};

// Link timing for tests that do not measure the time-outs themselves: the same rules in a few
// tens of ms instead of hundreds, so that silence and retries do not cost real seconds. The ratios
// that matter are kept: the secondary master waits longer than the primary one, a scripted
// reply at 5 ms is well inside every time-out, and the gap outlasts the fake line's chunking.
LinkTiming shortTiming();

// "AB CD" -> bytes.
inline QByteArray hexBytes(const char *text) {
    return QByteArray::fromHex(text);
}
