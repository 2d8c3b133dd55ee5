// A half-duplex line to HART field devices: the serial port with its modem, or the in-process
// simulated transmitter. The transaction engine owns timing; a line only moves bytes.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class HartLine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~HartLine() override = default;

    // Opens the line; on failure returns false and says why in plain words in *error.
    virtual bool open(QString *error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Starts sending one whole frame (preambles included). Returns at once; `sent` follows when
    // the last stop bit has left the line.
    virtual void send(const QByteArray &frame) = 0;
    // The device this line talks through, for messages ("/dev/ttyUSB0", "simulated transmitter").
    virtual QString deviceName() const = 0;

signals:
    void received(const QByteArray &bytes); // bytes as they arrive, in any chunking
    void sent();                            // the whole frame has left the line
    void failed(const QString &reason);     // the line broke (port vanished, I/O error)
};
