// zanu-sim: the simulated transmitter on a pseudo-terminal or a serial port, so that the tool
// (or any HART master) can be run end to end without a transmitter on the bench.

#include "hart/link/hart_codec.h"
#include "platform/exit_signals.h"
#include "sim/sim_device.h"
#include "zanu_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/inotify.h>
#endif

namespace {

constexpr int kTurnaroundMs = 30;    // end of request to start of reply, well inside the 256 ms
constexpr int kChunkBytes = 4;       // a UART FIFO's worth, written at its wire time
constexpr int kNoClientRetryMs = 50; // how often to look again while nobody holds the pty open

const char kUsage[] =
    "Usage: zanu-sim [options]\n"
    "Serves the simulated Pelvanor I / Ostrimel level transmitter over HART.\n"
    "Without --port it opens a new pseudo-terminal and prints its path as the first line:\n"
    "  PTY /dev/pts/N\n"
    "\n"
    "Options:\n"
    "  --port DEV           serve on the serial device DEV (1200 bit/s, 8 data bits, odd parity)\n"
    "  --timing real|instant  reply after a realistic turnaround at 1200 bit/s (default real)\n"
    "                       or at once\n"
    "  --manufacturer N     report manufacturer id N (0..255) instead of 117\n"
    "  --device-id HEX      report device id HEX (6 hex digits) instead of 0B7C2D: another\n"
    "                       transmitter of the same kind\n"
    "  --busy N             answer the next N requests with response code 32 (busy)\n"
    "  --silent [N]         give no reply to the next N requests; without N never reply\n"
    "  --respond CMD:CODE   answer command CMD with response code CODE and no data\n"
    "                       (repeatable)\n"
    "  --corrupt P          flip one bit of each reply byte with probability P (0..1)\n"
    "  --drop P             leave out each reply byte with probability P (0..1)\n"
    "  --write-protect      refuse every write with response code 7\n"
    "  --unit CODE          start with PV unit CODE (0..255; codes the transmitter does not know\n"
    "                       are reported as they are)\n"
    "  --serial N           transducer serial number (0..16777215, default 1801234)\n"
    "  --pressure MH2O      applied pressure in metres of water column (default 3.75)\n"
    "  --steady             keep the applied pressure exactly as set: no drift, no noise\n"
    "  --seed N             seed for corruption, dropped bytes and noise (repeatable runs)\n"
    "  --trace              print one line per request received and per reply sent, and\n"
    "                       LOOP ma=X.XXXX, what a reference meter in the loop reads, whenever\n"
    "                       a request changed it (fixing, trimming, releasing, multidrop)\n"
    "  --state FILE         keep FILE holding the configuration as JSON, rewritten on each change\n"
    "  --polling-address N  answer at polling address N (0..15); non-zero is multidrop with the\n"
    "                       loop current fixed at 4 mA\n"
    "  --fixed-current MA   start with the loop current fixed at MA (3.8..20.5), as if another\n"
    "                       tool had left it so\n"
    "  --dac-error OFFSET_MA:GAIN_PERCENT\n"
    "                       give the output stage an error: the loop carries the current meant\n"
    "                       times (1 + GAIN_PERCENT/100), plus OFFSET_MA (e.g. 0.03:0.2; default\n"
    "                       none); commands 45 and 46 trim it out\n"
    "  --malfunction        report a device malfunction (status 0x80, sensor fault in command 48)\n"
    "  --pv-out-of-limits   apply a pressure 1 m above the upper sensor limit (status 0x01)\n"
    "  --help               show this text\n"
    "  --version            show the version\n"
    "\n"
    "Commands served (HART 5):\n"
    "  universal       0 read unique identifier, 1 read PV, 2 read loop current and percent of\n"
    "                  range, 3 read dynamic variables, 6 write polling address, 11 read unique\n"
    "                  identifier by tag, 12 read message, 13 read tag/descriptor/date,\n"
    "                  14 read PV sensor information, 15 read output information, 16 read final\n"
    "                  assembly number, 17 write message, 18 write tag/descriptor/date,\n"
    "                  19 write final assembly number\n"
    "  common practice 34 write damping, 35 write range values, 36 set upper range value,\n"
    "                  37 set lower range value (keeps the span), 38 reset configuration\n"
    "                  changed flag, 40 enter/exit fixed current mode, 44 write PV units,\n"
    "                  45 trim loop current zero (loop fixed at 4 mA), 46 trim loop current\n"
    "                  gain (loop fixed at 20 mA): the reference meter's reading in mA;\n"
    "                  otherwise response code 9, a reading more than 1 mA off 3 or 4,\n"
    "                  48 read additional device status\n"
    "  device-specific 129 read output direction, 150 mounting-effect correction,\n"
    "                  152 write output direction\n"
    "Any other command is answered with response code 64 (not implemented).\n";

void say(FILE *stream, const QString &line) {
    std::fputs(line.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// Status 1, as zanu-hart and zanu-config end on a command line they do not understand, so that a
// script reads the three alike.
[[noreturn]] void usageError(const QString &message) {
    say(stderr, QStringLiteral("zanu-sim: %1").arg(message));
    std::fputc('\n', stderr);
    std::fputs(kUsage, stderr);
    std::exit(1);
}

struct Options {
    QString port;
    bool realTiming = true;
    std::optional<quint8> manufacturer;
    std::optional<QByteArray> deviceId;
    int busy = 0;
    int silent = 0;
    QList<QPair<int, int>> responses;
    double corrupt = 0.0;
    double drop = 0.0;
    bool writeProtect = false;
    std::optional<quint8> unit;
    std::optional<quint32> serial;
    std::optional<double> pressure;
    bool steady = false;
    std::optional<quint32> seed;
    bool trace = false;
    QString stateFile;
    std::optional<quint8> pollingAddress;
    std::optional<float> fixedCurrent;
    bool malfunction = false;
    bool pvOutOfLimits = false;
    std::optional<QPair<double, double>> dacError; // offset mA, gain percent
};

qint64 integerArg(const QString &option, const QString &text, qint64 min, qint64 max) {
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < min || v > max)
        usageError(QStringLiteral("%1 needs a whole number from %2 to %3, not '%4'.")
                       .arg(option)
                       .arg(min)
                       .arg(max)
                       .arg(text));
    return v;
}

double numberArg(const QString &option, const QString &text, double min, double max) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !(v >= min && v <= max))
        usageError(QStringLiteral("%1 needs a number from %2 to %3, not '%4'.")
                       .arg(option)
                       .arg(min)
                       .arg(max)
                       .arg(text));
    return v;
}

// The parser reads names only; what each option means is said in kUsage, which stays the help.
const char *const kValueOptions[] = {"port",     "timing", "manufacturer",    "device-id",
                                     "busy",     "silent", "respond",         "corrupt",
                                     "drop",     "unit",   "serial",          "pressure",
                                     "seed",     "state",  "polling-address", "fixed-current",
                                     "dac-error"};
const char *const kFlagOptions[] = {"write-protect", "steady",           "trace",
                                    "malfunction",   "pv-out-of-limits", "version"};
// A bare --silent means "never reply"; it is given this value before parsing, because a parser
// option either always takes a value or never does.
const char kSilentForever[] = "forever";

void declareOptions(QCommandLineParser &parser) {
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const char *name : kValueOptions)
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("x")));
    for (const char *name : kFlagOptions)
        parser.addOption(QCommandLineOption(QLatin1String(name)));
}

QStringList withSilentValue(QStringList args) {
    for (int i = 1; i < args.size() && args[i] != QLatin1String("--"); ++i) {
        const bool valueFollows = i + 1 < args.size() && !args[i + 1].startsWith(QLatin1Char('-'));
        if (args[i] == QLatin1String("--silent") && !valueFollows)
            args[i] = QStringLiteral("--silent=") + QLatin1String(kSilentForever);
    }
    return args;
}

QString arg(const QCommandLineParser &p, const char *name) {
    return p.value(QLatin1String(name));
}

bool given(const QCommandLineParser &p, const char *name) {
    return p.isSet(QLatin1String(name));
}

// Where and how the transmitter is served.
void readLineOptions(const QCommandLineParser &p, Options *o) {
    if (given(p, "port")) {
        o->port = arg(p, "port");
        if (o->port.isEmpty()) usageError(QStringLiteral("--port needs a device name."));
    }
    if (given(p, "timing")) {
        const QString t = arg(p, "timing");
        if (t != QLatin1String("real") && t != QLatin1String("instant"))
            usageError(QStringLiteral("--timing is 'real' or 'instant', not '%1'.").arg(t));
        o->realTiming = t == QLatin1String("real");
    }
    if (given(p, "seed")) o->seed = quint32(integerArg("--seed", arg(p, "seed"), 0, 0xFFFFFFFFLL));
    o->trace = given(p, "trace");
    if (given(p, "state")) {
        o->stateFile = arg(p, "state");
        if (o->stateFile.isEmpty()) usageError(QStringLiteral("--state needs a file name."));
    }
}

// Faults put on the line or into the answers.
void readFaultOptions(const QCommandLineParser &p, Options *o) {
    if (given(p, "busy")) o->busy = int(integerArg("--busy", arg(p, "busy"), 0, 1000000));
    if (given(p, "silent"))
        o->silent = arg(p, "silent") == QLatin1String(kSilentForever)
                        ? -1
                        : int(integerArg("--silent", arg(p, "silent"), 0, 1000000));
    for (const QString &v : p.values(QStringLiteral("respond"))) {
        const QStringList parts = v.split(QLatin1Char(':'));
        if (parts.size() != 2)
            usageError(QStringLiteral("--respond needs CMD:CODE, not '%1'.").arg(v));
        o->responses.append({int(integerArg(QStringLiteral("--respond CMD"), parts[0], 0, 255)),
                             int(integerArg(QStringLiteral("--respond CODE"), parts[1], 0, 255))});
    }
    if (given(p, "corrupt")) o->corrupt = numberArg("--corrupt", arg(p, "corrupt"), 0.0, 1.0);
    if (given(p, "drop")) o->drop = numberArg("--drop", arg(p, "drop"), 0.0, 1.0);
    o->writeProtect = given(p, "write-protect");
}

// Who the transmitter is and the state it starts in.
void readDeviceOptions(const QCommandLineParser &p, Options *o) {
    if (given(p, "manufacturer"))
        o->manufacturer = quint8(integerArg("--manufacturer", arg(p, "manufacturer"), 0, 255));
    if (given(p, "device-id")) {
        const QString v = arg(p, "device-id");
        static const QRegularExpression sixHex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
        if (!sixHex.match(v).hasMatch())
            usageError(QStringLiteral("--device-id needs 6 hex digits, not '%1'.").arg(v));
        o->deviceId = QByteArray::fromHex(v.toLatin1());
    }
    if (given(p, "unit")) o->unit = quint8(integerArg("--unit", arg(p, "unit"), 0, 255));
    if (given(p, "serial"))
        o->serial = quint32(integerArg("--serial", arg(p, "serial"), 0, 0xFFFFFF));
    if (given(p, "pressure"))
        o->pressure = numberArg("--pressure", arg(p, "pressure"), -1000.0, 1000.0);
    o->steady = given(p, "steady");
    if (given(p, "polling-address"))
        o->pollingAddress =
            quint8(integerArg("--polling-address", arg(p, "polling-address"), 0, 15));
    if (given(p, "fixed-current"))
        o->fixedCurrent = float(numberArg("--fixed-current", arg(p, "fixed-current"), 3.8, 20.5));
    o->malfunction = given(p, "malfunction");
    if (given(p, "dac-error")) {
        const QStringList parts = arg(p, "dac-error").split(QLatin1Char(':'));
        if (parts.size() != 2)
            usageError(QStringLiteral("--dac-error needs OFFSET_MA:GAIN_PERCENT, not '%1'.")
                           .arg(arg(p, "dac-error")));
        o->dacError =
            qMakePair(numberArg(QStringLiteral("--dac-error OFFSET_MA"), parts[0], -1.0, 1.0),
                      numberArg(QStringLiteral("--dac-error GAIN_PERCENT"), parts[1], -5.0, 5.0));
    }
    o->pvOutOfLimits = given(p, "pv-out-of-limits");
    if (o->pvOutOfLimits && o->pressure)
        usageError(QStringLiteral("--pv-out-of-limits sets the pressure; leave out --pressure."));
}

// `--opt value` and `--opt=value` alike, as in zanu-hart and zanu-config.
Options parseOptions(const QStringList &args) {
    QCommandLineParser parser;
    declareOptions(parser);
    if (!parser.parse(withSilentValue(args))) usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument '%1'.")
                       .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(kUsage, stdout);
        std::exit(0);
    }
    if (given(parser, "version")) {
        std::printf("zanu-sim %s\n", kVersionNumber);
        std::exit(0);
    }
    Options o;
    readLineOptions(parser, &o);
    readFaultOptions(parser, &o);
    readDeviceOptions(parser, &o);
    return o;
}

// Takes bytes off the line, answers each request addressed to the device, and puts the reply on
// the line after the turnaround. Subclasses move the bytes.
class Server : public QObject {
public:
    Server(SimDevice *device, bool realTiming) : device_(device), realTiming_(realTiming) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] { writeDue(); });
        clock_.start();
    }

protected:
    virtual void writeBytes(const QByteArray &bytes) = 0;
    // True when the line paces the bytes itself (a real UART); then the reply goes out whole.
    virtual bool linePaces() const = 0;

    void bytesIn(const QByteArray &bytes) {
        parser_.push(bytes);
        while (auto item = parser_.take()) {
            // Our own replies come back through a modem that echoes; only requests are answered.
            if (item->frame.type() != hart::FrameType::Stx) continue;
            // A master talking over our reply has given up on it.
            timer_.stop();
            reply_.clear();
            const QByteArray reply = device_->respondTo(*item);
            if (reply.isEmpty()) continue;
            if (!realTiming_) {
                writeBytes(reply);
                continue;
            }
            reply_ = reply;
            written_ = 0;
            replyStartMs_ = clock_.elapsed() + kTurnaroundMs;
            scheduleNext();
        }
    }

private:
    void scheduleNext() {
        qint64 due = replyStartMs_;
        if (!linePaces()) {
            const int upTo = qMin(written_ + kChunkBytes, int(reply_.size()));
            due += (hart::wireTimeUs(upTo) + 999) / 1000;
        }
        timer_.start(int(qMax<qint64>(0, due - clock_.elapsed())));
    }

    void writeDue() {
        if (reply_.isEmpty()) return;
        const int n = linePaces() ? int(reply_.size()) - written_
                                  : qMin(kChunkBytes, int(reply_.size()) - written_);
        writeBytes(reply_.mid(written_, n));
        written_ += n;
        if (written_ >= reply_.size())
            reply_.clear();
        else
            scheduleNext();
    }

    SimDevice *device_;
    bool realTiming_;
    hart::FrameParser parser_;
    QTimer timer_;
    QElapsedTimer clock_;
    QByteArray reply_;
    int written_ = 0;
    qint64 replyStartMs_ = 0;
};

class PtyServer : public Server {
public:
    PtyServer(SimDevice *device, bool realTiming) : Server(device, realTiming) {}

    ~PtyServer() override {
        delete notifier_;
        delete closeNotifier_;
        if (closeWatch_ >= 0) ::close(closeWatch_);
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
    }

    bool start(QString *error) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            *error = QStringLiteral("cannot create a pseudo-terminal: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        const char *name = ::ptsname(master_);
        if (!name) {
            *error = QStringLiteral("cannot name the pseudo-terminal: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        slaveName_ = QString::fromLocal8Bit(name);
        // Holding the slave side open ourselves keeps the pty alive while no client has it open,
        // so a client may close and reopen it as often as it likes.
        slave_ = ::open(name, O_RDWR | O_NOCTTY);
        if (slave_ < 0) {
            *error = QStringLiteral("cannot open %1: %2")
                         .arg(slaveName_, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        if (::tcgetattr(slave_, &settings_) == 0) {
            ::cfmakeraw(&settings_);
            ::cfsetispeed(&settings_, B1200);
            ::cfsetospeed(&settings_, B1200);
            settings_.c_cflag |= PARENB | PARODD | CLOCAL | CREAD;
            ::tcsetattr(slave_, TCSANOW, &settings_);
            ::tcgetattr(slave_, &settings_);
        }
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { readMaster(); });
        watchClients();
        return true;
    }

    QString slaveName() const { return slaveName_; }

protected:
    bool linePaces() const override { return false; }

    void writeBytes(const QByteArray &bytes) override {
        const char *p = bytes.constData();
        qsizetype left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(master_, p, size_t(left));
            if (n > 0) {
                p += n;
                left -= n;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                // Nobody reads the other side and its buffer is full: the bytes are lost on the
                // line, as they would be on a wire with no master listening.
                return;
            }
        }
    }

private:
    // The pty keeps the line settings of the last client. A client that was killed leaves what
    // it asked for (with QSerialPort: input parity flags that make the next open fail), and one
    // that ends normally may leave a terminal mode. Each time a client closes the pty, its
    // settings go back to ours and whatever it left unread is dropped, so the next client finds
    // the pty as new.
    void watchClients() {
#ifdef __linux__
        closeWatch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (closeWatch_ < 0) return;
        if (::inotify_add_watch(closeWatch_, QFile::encodeName(slaveName_).constData(),
                                IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
            ::close(closeWatch_);
            closeWatch_ = -1;
            return;
        }
        closeNotifier_ = new QSocketNotifier(closeWatch_, QSocketNotifier::Read);
        connect(closeNotifier_, &QSocketNotifier::activated, this, [this] {
            char events[4096];
            while (::read(closeWatch_, events, sizeof events) > 0) {
            }
            ::tcsetattr(slave_, TCSANOW, &settings_);
            ::tcflush(slave_, TCIFLUSH);
        });
#endif
    }

    void readMaster() {
        char buf[512];
        for (;;) {
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) {
                bytesIn(QByteArray(buf, int(n)));
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
            // EIO (or end of file): no client has the slave side open. Look again shortly
            // rather than spin on a descriptor that keeps reporting it.
            notifier_->setEnabled(false);
            QTimer::singleShot(kNoClientRetryMs, this, [this] { notifier_->setEnabled(true); });
            return;
        }
    }

    int master_ = -1;
    int slave_ = -1;
    QString slaveName_;
    QSocketNotifier *notifier_ = nullptr;
    termios settings_{};
    int closeWatch_ = -1;
    QSocketNotifier *closeNotifier_ = nullptr;
};

class SerialServer : public Server {
public:
    SerialServer(SimDevice *device, bool realTiming) : Server(device, realTiming) {
        keyOff_.setSingleShot(true);
        connect(&keyOff_, &QTimer::timeout, this, [this] { port_.setRequestToSend(false); });
    }

    bool start(const QString &device, QString *error) {
        port_.setPortName(device);
        // Settings before open(): some drivers refuse to change the parity of an open port.
        port_.setBaudRate(QSerialPort::Baud1200);
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::OddParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        if (!port_.open(QIODevice::ReadWrite)) {
            *error = QStringLiteral("cannot open the serial port %1: %2. Check the device name and "
                                    "that no other program is using it.")
                         .arg(device, port_.errorString());
            return false;
        }
        port_.setRequestToSend(false); // fails on lines without modem control; that is fine
        connect(&port_, &QSerialPort::readyRead, this, [this] { bytesIn(port_.readAll()); });
        connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
            if (e == QSerialPort::ResourceError) {
                say(stderr, QStringLiteral("zanu-sim: the serial port %1 failed: %2")
                                .arg(port_.portName(), port_.errorString()));
                QCoreApplication::exit(1);
            }
        });
        return true;
    }

protected:
    bool linePaces() const override { return true; }

    void writeBytes(const QByteArray &bytes) override {
        // Key the modem's carrier for as long as the bytes take on the wire.
        port_.setRequestToSend(true);
        port_.write(bytes);
        keyOff_.start(int(hart::wireTimeUs(int(bytes.size())) / 1000) + 10);
    }

private:
    QSerialPort port_;
    QTimer keyOff_;
};

void writeState(const QString &path, const QByteArray &json) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(json) != json.size() || !f.commit()) {
        say(stderr, QStringLiteral("zanu-sim: cannot write the state file %1: %2")
                        .arg(path, f.errorString()));
    }
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const Options opt = parseOptions(QCoreApplication::arguments());

    SimDevice device;
    if (opt.seed) device.setSeed(*opt.seed);
    if (opt.manufacturer) device.setManufacturerId(*opt.manufacturer);
    if (opt.deviceId) device.setDeviceId(*opt.deviceId);
    if (opt.serial) device.setSerialNumber(*opt.serial);
    if (opt.unit) device.setUnit(*opt.unit);
    if (opt.steady) device.setNoise(false);
    if (opt.pvOutOfLimits) device.setAppliedPressure(SimDevice::kUpperSensorLimitM + 1.0);
    if (opt.pressure) device.setAppliedPressure(*opt.pressure);
    if (opt.pressure || opt.pvOutOfLimits) device.settle();
    if (opt.pollingAddress) device.config().pollingAddress = *opt.pollingAddress;
    if (opt.fixedCurrent) device.config().fixedCurrent = *opt.fixedCurrent;
    device.setMalfunction(opt.malfunction);
    if (opt.dacError) device.setDacError(opt.dacError->first, opt.dacError->second);
    device.setWriteProtect(opt.writeProtect);
    device.setBusy(opt.busy);
    device.setSilent(opt.silent);
    for (const auto &r : opt.responses)
        device.setForcedResponse(r.first, r.second);
    device.setCorruptProbability(opt.corrupt);
    device.setDropProbability(opt.drop);

    if (opt.trace)
        QObject::connect(&device, &SimDevice::traceLine,
                         [](const QString &line) { say(stdout, line); });
    if (!opt.stateFile.isEmpty()) {
        writeState(opt.stateFile, device.stateJson());
        QObject::connect(&device, &SimDevice::configChanged,
                         [&] { writeState(opt.stateFile, device.stateJson()); });
    }

    ExitSignals exitSignals;
    if (!exitSignals.isValid()) {
        say(stderr, QStringLiteral("zanu-sim: cannot set up signal handling: %1")
                        .arg(exitSignals.errorString()));
        return 1;
    }
    QObject::connect(&exitSignals, &ExitSignals::received, &app, &QCoreApplication::quit);

    QString error;
    std::unique_ptr<PtyServer> pty;
    std::unique_ptr<SerialServer> serial;
    if (opt.port.isEmpty()) {
        pty = std::make_unique<PtyServer>(&device, opt.realTiming);
        if (!pty->start(&error)) {
            say(stderr, QStringLiteral("zanu-sim: %1").arg(error));
            return 1;
        }
        say(stdout, QStringLiteral("PTY %1").arg(pty->slaveName()));
    } else {
        serial = std::make_unique<SerialServer>(&device, opt.realTiming);
        if (!serial->start(opt.port, &error)) {
            say(stderr, QStringLiteral("zanu-sim: %1").arg(error));
            return 1;
        }
        say(stdout, QStringLiteral("PORT %1").arg(opt.port));
    }

    return app.exec();
}
