// The transmitter's health as the main window sees it: the status byte of every reply (the
// latest kept), its identity, the additional status, the status-bar indicator and the device
// status window; the question about a loop current found fixed; the finder; whether the
// transmitter still answers, for the sign and the trend. It follows the replies the chains get
// and asks the session for what the user wants (commands 38, 48, the release of a fixed current,
// a new polling address), whose replies come back to it alone.
#pragma once

#include "hart/device_status.h"
#include "hart/hart_scanner.h"
#include "session/session.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class MainWindowPort;
class StatusIndicator;
class DeviceStatusWindow;
class FinderWindow;

class DeviceHealth : public QObject {
    Q_OBJECT
public:
    DeviceHealth(Session &session, MainWindowPort &mainWindow);
    ~DeviceHealth() override;

    // Every chain result, before the chain acts on it.
    void noteResult(qint16 iCommand, qint16 iResult);
    // What every reply says of the transmitter, whoever asked for it.
    void noteReply(const Session::Reply &reply);

    bool known() const { return known_; } // a reply has come since the start
    quint8 status() const { return status_; }
    const std::optional<health::Identity> &identity() const { return identity_; }
    bool additionalRead() const { return additionalRead_; }
    QByteArray additionalStatus() const { return additional_; }
    // What the transmitter last said, for the status window.
    QString serialNumberText() const;
    QString tag() const;
    // Whether this program's simulation or loop check holds a fixed current; the advice and the
    // release offered depend on it.
    health::FixedBy fixedBy() const;
    // Set while the transmitter is silent: the local time of its last answer (of the first
    // request that went unanswered when none has come since the start). The last answer is the
    // moment an engineer can check against the trend, whose line ends there.
    std::optional<QDateTime> silentSince() const { return silentSince_; }

    StatusIndicator *indicator() const { return indicator_; }
    DeviceStatusWindow *statusWindow() const;
    FinderWindow *finder() const;

    // Opens (or raises) the modeless device status window and reads the additional status.
    void openStatusWindow();
    void readAdditionalStatus();      // command 48
    void clearConfigurationChanged(); // command 38
    // Asks, then sends command 40 with 0 mA and reads the status again (command 48). For a
    // current fixed by another master: the way to release it after "No" on connect.
    void releaseFixedCurrent();
    // Opens the finder (modal, without blocking); its "Use this port" ends in
    // useFoundTransmitter.
    void openFinder();
    // Stores the transmitter's COM port as the COM-port dialog does and reads the transmitter,
    // after offering to move it to polling address 0.
    void useFoundTransmitter(const ScanFind &find);

    // Where the finder looks and how it opens a port; tests put pseudo-terminals here.
    std::function<QList<ScanTarget>()> finderTargets = &HartScanner::presentTargets;
    HartScanner::LineFactory finderLines;

    // Makes the finder scan the window's own port through `lines`, the factory its control opens
    // lines with, instead of the system's serial ports: where the window talks to a transmitter
    // on no serial port (the built-in simulated one), the finder must find it there too.
    void scanThroughControlLines(const HartX::LineFactory &lines);

signals:
    void changed();
    // The line fell silent (with the local time of its last answer, ms since the epoch) or
    // answers again (empty): for the trend, whose line breaks there.
    void silenceChanged(std::optional<qint64> sinceMs);

private:
    void afterReadSequence();
    void askToReleaseFixedCurrent(float mA);
    // Asks the session; `then` gets the reply once the transmitter accepted the request. Any
    // other outcome goes to the window's handler, which says it in the program's own words.
    void send(qint16 command, const QByteArray &data,
              std::function<void(const Session::Reply &)> then);
    void resumeMonitoring();
    void noteSilence();
    void syncTrend();

    Session &session_;
    MainWindowPort &main_;
    StatusIndicator *indicator_ = nullptr;
    QPointer<DeviceStatusWindow> window_;
    QPointer<FinderWindow> finder_;

    bool known_ = false;
    quint8 status_ = 0;
    std::optional<health::Identity> identity_;
    QByteArray additional_;
    bool additionalRead_ = false;

    // The user chose to move a found transmitter to polling address 0: command 6 goes out once
    // the read sequence has identified it where it is, because only a transmitter that was read
    // and checked is written to.
    bool moveToZeroAfterRead_ = false;
    // A "No" to releasing the fixed current holds for this transmitter until the current is
    // released or another transmitter is read, so that every Refresh does not ask again.
    std::optional<quint32> declinedFor_;
    // The COM port of a transmitter the user chose to leave at a non-zero polling address: its
    // current is fixed at 4 mA by that address (multidrop), not by a loop test.
    std::optional<int> multidropPort_;

    std::optional<QDateTime> lastAnswer_;
    std::optional<QDateTime> silentSince_;
};
