// The master side of a pseudo-terminal for tests that play the modem and the transmitter
// behind a real serial port.
#pragma once

#include "fake_line_helper.h"

#include <QObject>
#include <QSocketNotifier>

#include <functional>

// Read through the event loop; `got` collects everything the serial side wrote.
class PtyMaster : public QObject {
public:
    PtyMaster();
    ~PtyMaster() override;

    bool ok() const { return fd_ >= 0 && !slave_.isEmpty(); }
    QString slave() const { return slave_; }
    bool write(const QByteArray &bytes);
    void closeMaster();

    QByteArray got;
    std::function<void(const QByteArray &)> onBytes;

private:
    int fd_ = -1;
    QString slave_;
    QSocketNotifier *notifier_ = nullptr;
};

// Gathers whole request frames from the master side and answers them through `device`,
// optionally echoing each request first as some modems do.
struct PtyTransmitter {
    explicit PtyTransmitter(PtyMaster &p);

    PtyMaster &pty;
    FakeDevice device;
    bool echo = false;
    QByteArray pending;
};
