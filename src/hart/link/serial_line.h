// The HART line through a modem on a serial port: 1200 bit/s, 8 data bits, odd parity, 1 stop
// bit; RTS keys the modem's carrier where the port has modem lines, and the modem's echo of our
// own request is dropped before the engine sees it.
#pragma once

#include "hart/link/hart_line.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QTimer>

#include <functional>

class SerialLine : public HartLine {
    Q_OBJECT
public:
    // `label` is how the user knows the port ("COM 3"); messages name both it and the device.
    explicit SerialLine(const QString &device, const QString &label = QString(),
                        QObject *parent = nullptr);
    ~SerialLine() override;

    bool open(QString *error) override;
    void close() override;
    bool isOpen() const override;
    void send(const QByteArray &frame) override;
    QString deviceName() const override { return device_; }

    // False once the port has refused RTS (pseudo-terminals, USB modems): the line keys itself.
    bool keysWithRts() const { return rtsWorks_; }
    // True when the last open() failed because we may not use the device (not in the dialout
    // group): a console run reports that with its own exit status.
    bool permissionDenied() const { return permissionDenied_; }

    // How long echo bytes may still come in after the request has left: the adapter's
    // latency in delivering them.
    static constexpr int kEchoGraceMs = 100;

    // What waits for the transmit queue to drain (tcdrain); it runs on a worker thread. For tests
    // that play a wedged adapter.
    void setDrainForTest(std::function<void(int fd)> drain) { drain_ = std::move(drain); }

private:
    QString who() const;
    // One attempt to open the port with the HART settings; on failure port_ is null again.
    bool openPort(QSerialPort::SerialPortError *error, QString *text);
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void onWireTimeElapsed();
    void onDrained(quint64 generation);
    void finishSending();
    void setRts(bool on);
    void fail(const QString &reason);

    QString device_;
    QString label_;
    QSerialPort *port_ = nullptr;
    bool rtsWorks_ = true;
    bool permissionDenied_ = false;
    bool quietErrors_ = false; // while probing RTS, whose refusal is not a fault
    bool sending_ = false;

    // Echo suppression: bytes matching the request we sent are held back; once the whole echo
    // has come back they are dropped. Anything that does not match (no echo, or the reply) is
    // passed on together with what was held.
    QByteArray echoExpected_;
    QByteArray echoHeld_;
    QElapsedTimer echoWindow_; // runs from `sent`; the echo is no longer expected after grace
    bool echoOpen_ = false;

    QTimer drainTimer_;
    std::function<void(int fd)> drain_;
    quint64 drainGeneration_ = 0; // bumped by every drain and close; a stale one is ignored
};
