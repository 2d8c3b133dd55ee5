// Looks for HART transmitters: on each serial port at once, command 0 in a short frame to the
// polling addresses 0-15 in turn until one answers, then command 13 for its tag. Used by the
// window's finder and by `zanu-hart --scan`.
#pragma once

#include "hart/device_status.h"
#include "hart/link/hart_line.h"
#include "hart/link/transaction_engine.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct ScanTarget {
    QString device;  // "/dev/ttyUSB0", "COM3"
    int comPort = 0; // the COM n that names it, 0 when none does
    QString info;    // what the system says of the port (description, maker, USB id, serial)
    // "COM 5 (/dev/ttyUSB0)" or just the device.
    QString label() const;
};

struct ScanFind {
    ScanTarget target;
    int address = 0;
    health::Identity identity;
    QString tag; // empty when command 13 brought no usable answer
};

class HartScanner : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstAddress = 0;
    static constexpr int kLastAddress = 15; // HART 5 polling addresses
    using LineFactory = std::function<std::unique_ptr<HartLine>(const ScanTarget &)>;

    explicit HartScanner(QObject *parent = nullptr);
    ~HartScanner() override;

    // Every serial port the system lists, and every device COM 1-12 names (ZANU_COMn included)
    // that exists; a port named by a COM number carries it.
    static QList<ScanTarget> presentTargets();
    // A port given by the user: "COM3" / "COM 3" or a device path. Empty with *error set when
    // the text names nothing usable.
    static std::optional<ScanTarget> targetFor(const QString &portArg, QString *error);

    // The default makes a SerialLine on the target's device.
    void setLineFactory(LineFactory factory);
    // The link timing of every port's engine, from the next start on: a slow adapter needs the
    // same longer times for the scan as for the transactions that follow.
    void setLinkTiming(const LinkTiming &timing) { timing_ = timing; }
    // What a port's engine runs with, given the link timing: the adapter allowance only beyond
    // its default (see the definition for why).
    static LinkTiming scanTiming(const LinkTiming &timing);

    // Scans all targets at the same time; `finished` follows (never from inside this call).
    void start(const QList<ScanTarget> &targets);
    // Stops at once and closes every port; `finished(true)` is emitted before it returns.
    void cancel();
    bool isRunning() const;
    // Ports the scanner has open right now.
    int openLines() const;
    int addressesTried() const { return done_; }
    int addressesTotal() const { return total_; }

signals:
    void trying(const ScanTarget &target, int address);
    void progress(int done, int total);
    // A transmitter answered command 0; its tag is still empty. Listed at once, so that a
    // transmitter shows up in well under a second.
    void found(const ScanFind &find);
    // The same transmitter once command 13 has been asked (tag empty when it gave none). The
    // port's loop ends here.
    void tagRead(const ScanFind &find);
    // The port could not be opened or broke while scanning.
    void portProblem(const ScanTarget &target, const QString &problem);
    void finished(bool cancelled);

private:
    struct Port;
    void startPort(Port &p);
    void tryAddress(Port &p);
    void onFinished(Port &p, const TransactionEngine::Outcome &o);
    void retire(Port &p, int addressesLeft);
    void checkAllDone();

    LineFactory factory_;
    LinkTiming timing_;
    std::vector<std::unique_ptr<Port>> ports_;
    bool running_ = false;
    int done_ = 0;
    int total_ = 0;
    quint64 run_ = 0; // bumped by every start and cancel; stale callbacks compare it
};

Q_DECLARE_METATYPE(ScanTarget)
Q_DECLARE_METATYPE(ScanFind)
