// SIGTERM, SIGINT and SIGHUP as a Qt signal on the event loop, so that a program ended from
// outside (kill, Ctrl+C, a closed terminal) closes its port the way its own exit does. A serial
// port or pseudo-terminal left open with our line settings can refuse the next program's.
#pragma once

#include <QObject>

class QSocketNotifier;

class ExitSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one instance per process. A second signal of the same kind ends
    // the program at once, so that a shutdown that hangs can still be stopped.
    explicit ExitSignals(QObject *parent = nullptr);
    // Puts the default handling back.
    ~ExitSignals() override;

    // False when the handlers could not be installed (the reason in errorString()).
    bool isValid() const { return notifier_ != nullptr; }
    QString errorString() const { return error_; }

signals:
    void received(int signalNumber);

private:
    QSocketNotifier *notifier_ = nullptr;
    QString error_;
};
