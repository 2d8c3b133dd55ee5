#include "hart/hart_scanner.h"

#include "hart/hart_replies.h"
#include "hart/link/com_port_name.h"
#include "hart/link/hart_codec.h"
#include "hart/link/serial_line.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QStringList>
#include <QTimer>

#include <algorithm>

namespace {

// As many as the tool's own requests carry: a modem that eats a few preambles while its carrier
// settles must not hide a transmitter the tool could talk to.
constexpr int kScanPreambles = 10;
// A garbled answer means something is there; it gets one more try before the next address.
constexpr int kGarbledRetries = 1;
constexpr int kBusyRetries = 3;

QString canonical(const QString &device) {
    const QString c = QFileInfo(device).canonicalFilePath();
    return c.isEmpty() ? device : c;
}

QString describe(const QSerialPortInfo &info) {
    QStringList parts;
    if (!info.description().isEmpty()) parts << info.description();
    if (!info.manufacturer().isEmpty()) parts << info.manufacturer();
    if (info.hasVendorIdentifier() && info.hasProductIdentifier())
        parts << QStringLiteral("USB %1:%2")
                     .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                     .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
    if (!info.serialNumber().isEmpty())
        parts << QStringLiteral("serial %1").arg(info.serialNumber());
    return parts.join(QStringLiteral(", "));
}

int comNumberOf(const QString &device) {
    const QString c = canonical(device);
    for (int n = 1; n <= 12; ++n) {
        const QString named = comPortDeviceName(n);
        if (named.compare(device, Qt::CaseInsensitive) == 0 || canonical(named) == c) return n;
    }
    return 0;
}

} // namespace

QString ScanTarget::label() const {
    return comPort > 0 ? QStringLiteral("COM %1 (%2)").arg(comPort).arg(device) : device;
}

struct HartScanner::Port {
    ScanTarget target;
    std::unique_ptr<HartLine> line;
    std::unique_ptr<TransactionEngine> engine;
    int address = kFirstAddress;
    int garbledTries = 0;
    int busyTries = 0;
    std::optional<ScanFind> find; // set while its tag is being read
    bool done = false;
};

HartScanner::HartScanner(QObject *parent) : QObject(parent) {
    factory_ = [](const ScanTarget &t) -> std::unique_ptr<HartLine> {
        return std::make_unique<SerialLine>(
            t.device, t.comPort > 0 ? QStringLiteral("COM %1").arg(t.comPort) : QString());
    };
}

HartScanner::~HartScanner() {
    for (auto &p : ports_) {
        p->engine.reset();
        p->line.reset();
    }
}

QList<ScanTarget> HartScanner::presentTargets() {
    QList<ScanTarget> out;
    QStringList seen;
    const auto listed = QSerialPortInfo::availablePorts();
    auto infoFor = [&](const QString &c) {
        for (const QSerialPortInfo &i : listed)
            if (canonical(i.systemLocation()) == c) return describe(i);
        return QString();
    };
    // The COM names first, so that a port keeps the number the program knows it by.
    for (int n = 1; n <= 12; ++n) {
        const QString dev = comPortDeviceName(n);
#ifdef Q_OS_WIN
        bool present = false;
        for (const QSerialPortInfo &i : listed)
            present = present || i.portName().compare(dev, Qt::CaseInsensitive) == 0;
        if (!present) continue;
        const QString c = dev.toUpper();
#else
        if (!QFileInfo::exists(dev)) continue;
        const QString c = canonical(dev);
#endif
        if (seen.contains(c)) continue;
        seen << c;
        out.append({dev, n, infoFor(c)});
    }
    for (const QSerialPortInfo &i : listed) {
#ifdef Q_OS_WIN
        const QString c = i.portName().toUpper();
#else
        const QString c = canonical(i.systemLocation());
#endif
        if (seen.contains(c)) continue;
        seen << c;
        out.append({i.systemLocation(), 0, describe(i)});
    }
    return out;
}

std::optional<ScanTarget> HartScanner::targetFor(const QString &portArg, QString *error) {
    static const QRegularExpression com(QStringLiteral("^COM\\s*(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = com.match(portArg.trimmed());
    if (m.hasMatch()) {
        const int n = m.captured(1).toInt();
        if (n < 1 || n > 12) {
            *error = QStringLiteral("%1: COM ports are COM1 to COM12").arg(portArg);
            return std::nullopt;
        }
        return ScanTarget{comPortDeviceName(n), n, QString()};
    }
    if (portArg.trimmed().isEmpty()) {
        *error = QStringLiteral("--port needs a device or COM port");
        return std::nullopt;
    }
    return ScanTarget{portArg, comNumberOf(portArg), QString()};
}

void HartScanner::setLineFactory(LineFactory factory) {
    factory_ = std::move(factory);
}

bool HartScanner::isRunning() const {
    return running_;
}

int HartScanner::openLines() const {
    int n = 0;
    for (const auto &p : ports_)
        if (p->line && p->line->isOpen()) ++n;
    return n;
}

void HartScanner::start(const QList<ScanTarget> &targets) {
    cancel();
    const quint64 run = ++run_;
    running_ = true;
    done_ = 0;
    total_ = int(targets.size()) * (kLastAddress - kFirstAddress + 1);
    ports_.clear();
    for (const ScanTarget &t : targets) {
        auto p = std::make_unique<Port>();
        p->target = t;
        ports_.push_back(std::move(p));
    }
    // Begin from the event loop, so that whoever started us has connected and drawn first.
    QTimer::singleShot(0, this, [this, run] {
        if (run != run_) return;
        emit progress(done_, total_);
        for (auto &p : ports_)
            startPort(*p);
        checkAllDone();
    });
}

LinkTiming HartScanner::scanTiming(const LinkTiming &timing) {
    // Most addresses of a scan are silent, and each costs request + reply time-out + RT2. A
    // device starts its reply within STO (28 character times, 257 ms), so RT1 (33, 305 ms)
    // already leaves 48 ms for an adapter to hand the first bytes over: what the default
    // allowance is for. Only an allowance lengthened beyond the default, for a slower adapter,
    // is added; at the defaults 16 silent addresses take 16 x (request + RT1 + RT2), 8.3 s.
    LinkTiming t = timing;
    t.adapterAllowanceMs = std::max(0, timing.adapterAllowanceMs - LinkTiming{}.adapterAllowanceMs);
    return t;
}

void HartScanner::startPort(Port &p) {
    p.line = factory_ ? factory_(p.target) : nullptr;
    if (!p.line) {
        emit portProblem(p.target, QStringLiteral("%1 cannot be used").arg(p.target.label()));
        retire(p, kLastAddress - p.address + 1);
        return;
    }
    p.engine = std::make_unique<TransactionEngine>(p.line.get());
    p.engine->setTiming(scanTiming(timing_));
    Port *pp = &p;
    const quint64 run = run_;
    connect(p.engine.get(), &TransactionEngine::finished, this,
            [this, pp, run](quint64, const TransactionEngine::Outcome &o) {
                if (run == run_ && !pp->done) onFinished(*pp, o);
            });
    tryAddress(p);
}

void HartScanner::tryAddress(Port &p) {
    emit trying(p.target, p.address);
    TransactionEngine::Request r;
    r.address = hart::shortAddress(true, quint8(p.address));
    r.command = hart::cmd::ReadUniqueIdentifier;
    r.preambles = kScanPreambles;
    // Silence means nobody is at this address; asking again would only double the scan time.
    r.retries = 0;
    p.engine->submit(r);
}

void HartScanner::onFinished(Port &p, const TransactionEngine::Outcome &o) {
    using S = TransactionEngine::Status;
    if (p.find) {
        // The tag: a transmitter that gives none is listed all the same.
        if (o.status == S::Reply && o.reply.responseCode == hart::rc::Success)
            if (const auto t = hart::decodeTagDescriptorDate(o.reply.data))
                p.find->tag = t->tag.trimmed();
        const ScanFind f = *p.find;
        retire(p, 0);
        emit tagRead(f);
        checkAllDone();
        return;
    }
    if (o.status == S::LineFailed) {
        emit portProblem(p.target, o.detail.isEmpty()
                                       ? QStringLiteral("%1 cannot be used").arg(p.target.label())
                                       : o.detail);
        retire(p, kLastAddress - p.address + 1);
        checkAllDone();
        return;
    }
    if (o.status == S::Garbled && p.garbledTries < kGarbledRetries) {
        ++p.garbledTries;
        tryAddress(p);
        return;
    }
    if (o.status == S::Reply && o.reply.responseCode == hart::rc::Busy &&
        p.busyTries < kBusyRetries) {
        ++p.busyTries;
        tryAddress(p);
        return;
    }
    const auto identity =
        o.status == S::Reply ? health::identityFromCommand0(o.reply.data) : std::nullopt;
    if (identity) {
        ++done_;
        emit progress(done_, total_);
        p.find = ScanFind{p.target, p.address, *identity, QString()};
        TransactionEngine::Request r;
        QByteArray id(3, '\0');
        hart::putUInt24(id, 0, identity->deviceId);
        r.address = hart::longAddress(true, identity->manufacturer, identity->deviceType, id);
        r.command = hart::cmd::ReadTagDescriptorDate;
        r.preambles = qMax(kScanPreambles, int(identity->preamblesRequired));
        r.retries = 1;
        p.engine->submit(r);
        emit found(*p.find);
        // The addresses after this one are not asked: one transmitter per port is what a
        // service engineer connects, and the others would cost seconds each.
        done_ += kLastAddress - p.address;
        emit progress(done_, total_);
        return;
    }
    ++done_;
    emit progress(done_, total_);
    p.garbledTries = 0;
    p.busyTries = 0;
    if (p.address >= kLastAddress) {
        retire(p, 0);
        checkAllDone();
        return;
    }
    ++p.address;
    tryAddress(p);
}

// Ends the port's loop and closes it. The engine may be the one whose signal we are in, so it
// and its line go on the next turn of the event loop; the port itself is closed now.
void HartScanner::retire(Port &p, int addressesLeft) {
    if (p.done) return;
    p.done = true;
    if (addressesLeft > 0) {
        done_ += addressesLeft;
        emit progress(done_, total_);
    }
    if (p.line) p.line->close();
    if (p.engine) p.engine.release()->deleteLater();
    if (p.line) p.line.release()->deleteLater();
}

void HartScanner::checkAllDone() {
    if (!running_) return;
    for (const auto &p : ports_)
        if (!p->done) return;
    running_ = false;
    emit finished(false);
}

void HartScanner::cancel() {
    if (!running_) return;
    ++run_;
    for (auto &p : ports_)
        retire(*p, 0);
    running_ = false;
    emit finished(true);
}
