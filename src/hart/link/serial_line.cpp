#include "hart/link/serial_line.h"

#include "hart/link/hart_codec.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>

#include <memory>
#include <thread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
void drainFd(int fd) {
    while (::tcdrain(fd) != 0 && errno == EINTR) {
    }
}
#endif

} // namespace

// Carries the end of a drain from the worker thread back to the line. Signals are safe to emit
// from any thread, and a queued connection to a line that has gone in the meantime is simply
// dropped, so the worker never touches the line itself.
class DrainRelay : public QObject {
    Q_OBJECT
signals:
    void drained(quint64 generation);
};

// Sending, in time:
//   RTS on -> write the frame -> wait its wire time on a timer -> tcdrain on a worker thread for
//   whatever the UART or adapter still holds (a few ms at most by then) -> back on the line's
//   thread: RTS off -> `sent`.
// Dropping RTS early would cut the carrier under the checksum byte; dropping it late eats the
// start of the reply. The timer covers the bulk of the 100-250 ms a request takes; tcdrain makes
// the end exact. It runs off the line's thread because a wedged USB adapter never drains: the
// window must stay usable, and the engine's send watchdog ends the transaction.

namespace {

#ifdef Q_OS_UNIX
// A pseudo-terminal keeps the line settings of the last program that had it open. One that was
// killed with the port open leaves the input parity flags it asked for, and with those in place
// the pty refuses the parity setting of the next open (EINVAL). Raw mode without them is what a
// fresh pty has. Serial ports are left alone: their settings are the driver's business.
bool resetPseudoTerminal(const QString &device) {
    const QString real = QFileInfo(device).canonicalFilePath();
    if (!real.startsWith(QLatin1String("/dev/pts/"))) return false;
    const int fd =
        ::open(QFile::encodeName(real).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    termios t{};
    bool ok = ::tcgetattr(fd, &t) == 0;
    if (ok) {
        ::cfmakeraw(&t);
        t.c_iflag &= ~tcflag_t(IGNPAR | PARMRK | INPCK);
        t.c_cflag |= CLOCAL | CREAD;
        t.c_cc[VMIN] = 1;
        t.c_cc[VTIME] = 0;
        ok = ::tcsetattr(fd, TCSANOW, &t) == 0;
    }
    ::close(fd);
    return ok;
}
#else
bool resetPseudoTerminal(const QString &) {
    return false;
}
#endif

} // namespace

SerialLine::SerialLine(const QString &device, const QString &label, QObject *parent)
    : HartLine(parent), device_(device), label_(label) {
    drainTimer_.setSingleShot(true);
    drainTimer_.setTimerType(Qt::PreciseTimer);
    connect(&drainTimer_, &QTimer::timeout, this, &SerialLine::onWireTimeElapsed);
#ifdef Q_OS_UNIX
    drain_ = drainFd;
#endif
}

SerialLine::~SerialLine() {
    close();
}

QString SerialLine::who() const {
    if (label_.isEmpty()) return device_;
    return QStringLiteral("%1 (%2)").arg(label_, device_);
}

bool SerialLine::open(QString *error) {
    QString dummy;
    QString &err = error ? *error : dummy;
    if (isOpen()) return true;
    permissionDenied_ = false;
    if (device_.isEmpty()) {
        err = QCoreApplication::translate(
            "hart", "No COM port is set — choose one under Config > COM-settings.");
        return false;
    }
#ifdef Q_OS_UNIX
    if (!QFileInfo::exists(device_)) {
        err = QStringLiteral("%1 does not exist — check the cable/adapter and the COM-port "
                             "setting.")
                  .arg(who());
        return false;
    }
#endif
    QSerialPort::SerialPortError e = QSerialPort::NoError;
    QString sys;
    bool opened = openPort(&e, &sys);
    if (!opened && e != QSerialPort::DeviceNotFoundError && e != QSerialPort::PermissionError &&
        e != QSerialPort::OpenError && resetPseudoTerminal(device_))
        opened = openPort(&e, &sys);
    if (!opened) {
        switch (e) {
        case QSerialPort::DeviceNotFoundError:
            err = QStringLiteral("%1 does not exist — check the cable/adapter and the COM-port "
                                 "setting.")
                      .arg(who());
            return false;
        case QSerialPort::PermissionError: {
#ifdef Q_OS_UNIX
            // Qt reports a port locked or held by another program as a permission error too;
            // if we may read and write the device node, that is what it is.
            const bool mayUse = ::access(QFile::encodeName(device_).constData(), R_OK | W_OK) == 0;
#else
            const bool mayUse = true;
#endif
            if (mayUse) {
                err = QStringLiteral("%1 is in use by another program — close that program and "
                                     "try again (%2).")
                          .arg(who(), sys);
            } else {
                permissionDenied_ = true;
                err = QCoreApplication::translate(
                          "hart", "Permission denied on %1 — add your user to the dialout "
                                  "group (sudo usermod -aG dialout $USER), then log out and in "
                                  "again.")
                          .arg(who());
            }
            return false;
        }
        case QSerialPort::OpenError:
            err = QStringLiteral("%1 is already open — close the other window or program using "
                                 "it and try again.")
                      .arg(who());
            return false;
        default:
            err = QStringLiteral("%1 cannot be opened: %2 — check the cable/adapter and the "
                                 "COM-port setting.")
                      .arg(who(), sys);
            return false;
        }
    }
    connect(port_, &QSerialPort::readyRead, this, &SerialLine::onReadyRead);
    connect(port_, &QSerialPort::errorOccurred, this, &SerialLine::onError);

    // Some RS-232 modems draw their power from DTR.
    quietErrors_ = true;
    port_->setDataTerminalReady(true);
    quietErrors_ = false;
    rtsWorks_ = true;
    setRts(false);
    port_->clear(QSerialPort::AllDirections);
    return true;
}

bool SerialLine::openPort(QSerialPort::SerialPortError *error, QString *text) {
    delete port_;
    port_ = new QSerialPort(this);
    // Everything before open(): on pseudo-terminals, changing the parity of an open port
    // fails with EINVAL. Should the settings ever change, the port is reopened.
    port_->setPortName(device_);
    port_->setBaudRate(hart::kBaud);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::OddParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (port_->open(QIODevice::ReadWrite)) return true;
    *error = port_->error();
    *text = port_->errorString();
    delete port_;
    port_ = nullptr;
    return false;
}

void SerialLine::close() {
    drainTimer_.stop();
    ++drainGeneration_;
    sending_ = false;
    echoExpected_.clear();
    echoHeld_.clear();
    echoOpen_ = false;
    if (port_) {
        port_->disconnect(this);
        if (port_->isOpen()) {
            quietErrors_ = true;
            if (rtsWorks_) port_->setRequestToSend(false);
            port_->close();
            quietErrors_ = false;
        }
        port_->deleteLater();
        port_ = nullptr;
    }
}

bool SerialLine::isOpen() const {
    return port_ && port_->isOpen();
}

void SerialLine::setRts(bool on) {
    if (!rtsWorks_ || !port_) return;
    quietErrors_ = true;
    const bool ok = port_->setRequestToSend(on);
    quietErrors_ = false;
    if (!ok) {
        // "Inappropriate ioctl for device": pseudo-terminals and self-keying USB modems.
        rtsWorks_ = false;
        port_->clearError();
    }
}

void SerialLine::send(const QByteArray &frame) {
    if (!isOpen()) {
        QMetaObject::invokeMethod(
            this, [this] { emit failed(QStringLiteral("%1 is not open").arg(who())); },
            Qt::QueuedConnection);
        return;
    }
    setRts(true);
    echoExpected_ = frame;
    echoHeld_.clear();
    echoOpen_ = true;
    sending_ = true;
    // A port error inside write() or flush() closes the line through onError(); port_ is
    // gone then and the failure has been reported.
    const qint64 written = port_->write(frame);
    if (!port_) return;
    if (written != frame.size()) {
        fail(
            QStringLiteral("%1: writing the request failed (%2)").arg(who(), port_->errorString()));
        return;
    }
    port_->flush();
    if (!port_) return;
    drainTimer_.start(int(hart::wireTimeUs(int(frame.size())) / 1000));
}

void SerialLine::onWireTimeElapsed() {
    if (!sending_ || !port_) return;
    port_->flush();
    if (!port_) return;
#ifdef Q_OS_UNIX
    // A duplicate of the descriptor, so that closing the port meanwhile can neither pull it
    // from under the worker nor let its number be reused for another file.
    const int fd = port_->handle() >= 0 ? ::dup(int(port_->handle())) : -1;
    if (fd >= 0 && drain_) {
        const quint64 generation = ++drainGeneration_;
        auto relay = std::make_shared<DrainRelay>();
        connect(relay.get(), &DrainRelay::drained, this, &SerialLine::onDrained,
                Qt::QueuedConnection);
        std::thread([relay, fd, generation, drain = drain_] {
            // By now the frame has been on the wire for its whole length; this returns as soon
            // as the last stop bit is out, normally within a character time or an adapter's
            // latency.
            drain(fd);
            ::close(fd);
            emit relay->drained(generation);
        }).detach();
        return;
    }
    if (fd >= 0) ::close(fd);
#else
    port_->waitForBytesWritten(50);
#endif
    finishSending();
}

void SerialLine::onDrained(quint64 generation) {
    if (generation != drainGeneration_ || !sending_ || !port_) return;
    finishSending();
}

void SerialLine::finishSending() {
    setRts(false);
    sending_ = false;
    echoWindow_.start();
    emit sent();
}

void SerialLine::onReadyRead() {
    if (!port_) return;
    QByteArray bytes = port_->readAll();
    if (bytes.isEmpty()) return;
    if (echoOpen_ && !sending_ && echoWindow_.isValid() && echoWindow_.elapsed() > kEchoGraceMs) {
        // Too late to be our echo. What was held may be the preambles of a reply from a modem
        // that does not echo, so it is handed on rather than dropped.
        echoOpen_ = false;
        echoExpected_.clear();
        bytes.prepend(echoHeld_);
        echoHeld_.clear();
    }
    if (echoOpen_) {
        int i = 0;
        while (i < bytes.size() && !echoExpected_.isEmpty() && bytes[i] == echoExpected_[0]) {
            echoHeld_.append(bytes[i]);
            echoExpected_.remove(0, 1);
            ++i;
        }
        if (echoExpected_.isEmpty()) {
            // The whole request came back: drop it.
            echoOpen_ = false;
            echoHeld_.clear();
            bytes.remove(0, i);
        } else if (i < bytes.size()) {
            // Not an echo (or no longer): hand on what was held, it may be a reply's preambles.
            echoOpen_ = false;
            echoExpected_.clear();
            bytes = echoHeld_ + bytes.mid(i);
            echoHeld_.clear();
        } else {
            return; // all matched so far; wait for more
        }
    }
    if (!bytes.isEmpty()) emit received(bytes);
}

void SerialLine::onError(QSerialPort::SerialPortError error) {
    if (quietErrors_ || error == QSerialPort::NoError || error == QSerialPort::TimeoutError ||
        error == QSerialPort::UnsupportedOperationError)
        return;
    if (error == QSerialPort::ResourceError) {
        fail(QStringLiteral("%1 was disconnected or stopped working — check the cable/adapter, "
                            "then connect again.")
                 .arg(who()));
        return;
    }
    fail(QStringLiteral("%1 reported an error: %2 — check the cable/adapter.")
             .arg(who(), port_ ? port_->errorString() : QString()));
}

void SerialLine::fail(const QString &reason) {
    close();
    emit failed(reason);
}

#include "serial_line.moc"
