#include "hart/hartx.h"

#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "hart/link/com_port_name.h"
#include "hart/link/hart_codec.h"
#include "hart/link/serial_line.h"
#include "hart/link/transaction_engine.h"
#include "units/single.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include <cmath>
#include <deque>
#include <limits>
#include <optional>
#include <utility>

// How the control fills in what the calling code leaves open:
// - iAction of Result is always 0; iResult is 0 for a received reply (any response code) and
//   kNoAnswer (2) for everything else: silence, garbled replies, a port that cannot be opened
//   or vanished, a command number outside 0..255. LastError() says which.
// - A command other than 0 goes only to the device that answered the caller's own command 0
//   (the one the caller has checked), at its long address. Without such a device nothing is
//   sent. After a transaction that went unanswered, or on a line made afresh, the transmitter
//   may have been swapped: the control first sends command 0 on its own to the polling address
//   of LinkSetting3, and a device whose manufacturer, device type or device id differ ends the
//   transaction as unanswered, with nothing sent to it. A reply to that command 0 that holds no
//   identity (busy, an error code) does not end it: the command then goes to the long address
//   of the checked device, which no other device acts on. Only the command's Result is raised.
// - Port and link settings written while a transaction is on the line apply from the next
//   transaction on; the one in progress finishes on the line it started on.

namespace {

constexpr int kMaxDataBytes = 255;
constexpr int kMaxExtraAllowanceUnits = 3000; // 30 s; anything longer is a typo, not a modem

struct DeviceIdentity {
    quint8 manufacturer = 0;
    quint8 deviceType = 0;
    QByteArray deviceId;
    int preamblesRequired = 0;
};

bool sameDevice(const DeviceIdentity &a, const DeviceIdentity &b) {
    return a.manufacturer == b.manufacturer && a.deviceType == b.deviceType &&
           a.deviceId == b.deviceId;
}

QString describe(const DeviceIdentity &id) {
    return QCoreApplication::translate("hart", "manufacturer %1, device type %2, device id %3")
        .arg(id.manufacturer)
        .arg(id.deviceType)
        .arg(QString::fromLatin1(id.deviceId.toHex().toUpper()));
}

std::optional<DeviceIdentity> identityFromCommand0(const QByteArray &data) {
    const auto decoded = hart::decodeIdentity(data);
    if (!decoded) return std::nullopt;
    DeviceIdentity id;
    id.manufacturer = decoded->manufacturerId;
    id.deviceType = decoded->deviceType;
    id.preamblesRequired = decoded->preamblesRequired;
    // Kept as the three bytes of the long address it becomes.
    hart::putUInt24(id.deviceId, 0, decoded->deviceId);
    return id;
}

} // namespace

struct HartX::Private {
    struct Pending {
        qint16 command = 0;
        QByteArray data;
    };
    struct Completion {
        qint16 command = 0;
        qint16 result = HartX::kNoAnswer;
        hart::Frame reply; // when result != kNoAnswer
        QString error;
    };

    HartX *q = nullptr;
    LineFactory factory;

    // Settings as written.
    quint8 commPort = 0;
    QString portLabel;
    qint16 pollingAddress = 0;
    bool primaryMaster = true;
    qint16 preambles = hart::kMinPreambles;
    qint16 extraAllowance = 0; // 10 ms units
    LinkTiming timing;

    // The one data buffer: the request before a transaction, the reply data after it.
    QByteArray buffer;
    qint16 dataIndex = 0;
    qint16 byteCount = 0;
    qint16 packedLength = 0;
    bool byteCountWritten = false;
    int lastCommand = -1;
    QByteArray lastRequest;
    // The request of the transaction whose Result came last: a busy resend repeats it even when
    // another command (a monitoring poll) was written while it was on the line.
    std::optional<Pending> delivered;
    qint16 responseCode = 0;
    quint8 deviceStatus = 0;
    QString lastError;

    // The line and its engine, made lazily for the port they serve.
    std::unique_ptr<HartLine> line;
    std::unique_ptr<TransactionEngine> engine;
    int linePort = -1;
    // The device that answered the caller's own command 0: the only one long frames go to.
    std::optional<DeviceIdentity> accepted;
    // It may have been swapped since (a transaction went unanswered, the line was made afresh):
    // it has to answer command 0 again before the next long frame.
    bool verify = false;
    quint64 identityGeneration = 0;       // bumped whenever the addressed device may have changed
    quint64 startGeneration = 0;          // identityGeneration when the current transaction started
    std::optional<DeviceIdentity> target; // `accepted` when the current transaction started

    std::deque<Pending> queue;
    std::optional<Pending> current;
    bool identifying = false;
    quint64 engineJob = 0;
    bool startScheduled = false;
    bool delivering = false;

    void scheduleStart();
    void startNext();
    // To the long address of `device`, or to the polling address with command 0.
    void submit(const std::optional<DeviceIdentity> &device, const QByteArray &data);
    void forgetDevice() {
        accepted.reset();
        verify = false;
        ++identityGeneration;
    }
    void onEngineFinished(quint64 id, const TransactionEngine::Outcome &outcome);
    void complete(Completion c);
    void deliver(const Completion &c);
    bool ensureLine(QString *error);
    void dropLine();
    QString portText() const;
    QString failureText(const TransactionEngine::Outcome &o) const;
    bool writable(int pos, int n) const { return pos >= 0 && pos + n <= kMaxDataBytes; }
};

HartX::HartX(QObject *parent) : QObject(parent), d(std::make_unique<Private>()) {
    d->q = this;
    d->factory = [](int port) -> std::unique_ptr<HartLine> {
        return std::make_unique<SerialLine>(comPortDeviceName(port),
                                            QStringLiteral("COM %1").arg(port));
    };
}

HartX::~HartX() {
    // The engine refers to the line; it goes first.
    d->engine.reset();
    d->line.reset();
}

void HartX::setLineFactory(LineFactory factory) {
    d->factory = std::move(factory);
    if (!d->current)
        d->dropLine();
    else
        d->linePort = -1; // replaced once the transaction on it has ended
}

void HartX::setLinkTiming(const LinkTiming &timing) {
    d->timing = timing;
    if (d->engine) d->engine->setTiming(timing);
}

LinkTiming HartX::linkTiming() const {
    return d->timing;
}

// ---------------------------------------------------------------------------------------------
// Settings

void HartX::setCommPort(quint8 port) {
    if (port != d->commPort) d->forgetDevice();
    d->commPort = port;
    if (!d->current) d->dropLine();
}

QString HartX::portDescription() const {
    return d->portText();
}

void HartX::setPortLabel(const QString &label) {
    d->portLabel = label;
}

void HartX::setLinkSetting3(qint16 value) {
    const qint16 v = qint16(qBound(0, int(value), 63));
    if (v != d->pollingAddress) d->forgetDevice();
    d->pollingAddress = v;
}

void HartX::setLinkSetting6(qint16 value) {
    d->primaryMaster = value != 0;
}

void HartX::setLinkSetting9(qint16 value) {
    d->preambles = value;
}

void HartX::setLinkSetting10(qint16 value) {
    d->extraAllowance = qint16(qBound(0, int(value), kMaxExtraAllowanceUnits));
}

// ---------------------------------------------------------------------------------------------
// Request buffer

void HartX::setDataIndex(qint16 index) {
    d->dataIndex = index;
}

void HartX::setByteCount(qint16 count) {
    d->byteCount = qint16(qBound(0, int(count), kMaxDataBytes));
    d->byteCountWritten = true;
}

void HartX::setRequestData(const QByteArray &data) {
    for (int i = 0; i < data.size(); ++i) {
        setDataIndex(qint16(i));
        setByteValue(quint8(data[i]));
    }
    setDataIndex(0);
    setByteCount(qint16(data.size()));
}

void HartX::setPackedLength(qint16 length) {
    d->packedLength = length;
}

void HartX::setByteValue(quint8 value) {
    if (!d->writable(d->dataIndex, 1)) return;
    if (d->buffer.size() <= d->dataIndex)
        d->buffer.append(QByteArray(d->dataIndex + 1 - d->buffer.size(), '\0'));
    d->buffer[d->dataIndex] = char(value);
}

void HartX::setFloatValue(double value) {
    if (!d->writable(d->dataIndex, 4)) return;
    hart::putFloat(d->buffer, d->dataIndex, toSingle(value));
}

void HartX::setPackedString(const QString &text) {
    if (d->packedLength <= 0 || !d->writable(d->dataIndex, d->packedLength)) return;
    const QByteArray packed = hart::packAscii(text, d->packedLength);
    if (d->buffer.size() < d->dataIndex + packed.size())
        d->buffer.append(QByteArray(d->dataIndex + packed.size() - d->buffer.size(), '\0'));
    d->buffer.replace(d->dataIndex, packed.size(), packed);
}

void HartX::setCommand(qint16 command) {
    Private::Pending p;
    p.command = command;
    if (d->byteCountWritten) {
        p.data = d->buffer.left(d->byteCount);
        if (p.data.size() < d->byteCount)
            p.data.append(QByteArray(d->byteCount - p.data.size(), '\0'));
    } else if (d->delivered && command == d->delivered->command) {
        // Only Command written again: the busy resend, with the request exactly as before.
        p.data = d->delivered->data;
    } else if (command == d->lastCommand) {
        p.data = d->lastRequest;
    }
    // else: a read command after a write; the left-over bytes are not its request.
    d->lastCommand = command;
    d->lastRequest = p.data;
    d->byteCountWritten = false;
    d->queue.push_back(p);
    d->scheduleStart();
    emit commandQueued(command);
}

// ---------------------------------------------------------------------------------------------
// Reply

qint16 HartX::ResponseCode() const {
    return d->responseCode;
}
quint8 HartX::DeviceStatus() const {
    return d->deviceStatus;
}

QByteArray HartX::ReplyData() const {
    return d->buffer;
}

quint8 HartX::ByteValue() const {
    if (d->dataIndex < 0 || d->dataIndex >= d->buffer.size()) return 0;
    return quint8(d->buffer[d->dataIndex]);
}

float HartX::FloatValue() const {
    return hart::getFloat(d->buffer, d->dataIndex);
}

qint32 HartX::Int24Value() const {
    return qint32(hart::getUInt24(d->buffer, d->dataIndex));
}

QString HartX::PackedString() const {
    if (d->dataIndex < 0 || d->packedLength <= 0 || d->dataIndex >= d->buffer.size())
        return QString();
    return hart::unpackAscii(d->buffer.mid(d->dataIndex, d->packedLength));
}

QString HartX::LastError() const {
    return d->lastError;
}
bool HartX::isBusy() const {
    return d->current.has_value() || !d->queue.empty();
}
quint8 HartX::commPort() const {
    return d->commPort;
}
qint16 HartX::byteCount() const {
    return d->byteCount;
}
QByteArray HartX::requestBuffer() const {
    return d->buffer;
}

QByteArray HartX::lastRequest() const {
    return d->lastRequest;
}

// ---------------------------------------------------------------------------------------------
// Transactions

void HartX::Private::scheduleStart() {
    if (startScheduled || current || delivering || queue.empty()) return;
    startScheduled = true;
    QMetaObject::invokeMethod(
        q,
        [this] {
            startScheduled = false;
            startNext();
        },
        Qt::QueuedConnection);
}

void HartX::Private::dropLine() {
    engine.reset();
    line.reset();
    linePort = -1;
}

QString HartX::Private::portText() const {
    if (!portLabel.isEmpty()) return portLabel;
    const QString dev = line ? line->deviceName() : comPortDeviceName(commPort);
    return dev.isEmpty() ? QStringLiteral("COM %1").arg(commPort)
                         : QStringLiteral("COM %1 (%2)").arg(commPort).arg(dev);
}

bool HartX::Private::ensureLine(QString *error) {
    if (line && engine && linePort == commPort) return true;
    dropLine();
    if (commPort < 1 || commPort > 12) {
        *error = commPort == 0
                     ? QCoreApplication::translate("hart",
                                                   "No COM port is set — choose one under Config > "
                                                   "COM-settings.")
                     : QCoreApplication::translate(
                           "hart", "COM %1 is not a port this program can use — choose "
                                   "COM 1 to COM 12 under Config > COM-settings.")
                           .arg(commPort);
        return false;
    }
    line = factory ? factory(commPort) : nullptr;
    if (!line) {
        *error = QCoreApplication::translate("hart", "COM %1 cannot be used — choose another one "
                                                     "under Config > COM-settings.")
                     .arg(commPort);
        return false;
    }
    engine = std::make_unique<TransactionEngine>(line.get());
    engine->setTiming(timing);
    // Another adapter, or ZANU_COMn pointed elsewhere, may put another device behind the port.
    if (accepted) verify = true;
    QObject::connect(
        engine.get(), &TransactionEngine::finished, q,
        [this](quint64 id, const TransactionEngine::Outcome &o) { onEngineFinished(id, o); });
    linePort = commPort;
    return true;
}

void HartX::Private::startNext() {
    if (current || delivering || queue.empty()) return;
    current = queue.front();
    queue.pop_front();

    Completion fail;
    fail.command = current->command;
    if (current->command < 0 || current->command > 255) {
        fail.error = QCoreApplication::translate(
                         "hart", "Command %1 is not a HART command number (0 to 255); "
                                 "nothing was sent.")
                         .arg(current->command);
        complete(fail);
        return;
    }
    if (!ensureLine(&fail.error)) {
        complete(fail);
        return;
    }
    startGeneration = identityGeneration;
    target = accepted;
    identifying = false;
    if (current->command == hart::cmd::ReadUniqueIdentifier) {
        submit(std::nullopt, current->data);
        return;
    }
    if (!accepted) {
        fail.error = QCoreApplication::translate(
                         "hart", "No transmitter has been identified on %1 yet, so command %2 "
                                 "was not sent — connect first, so that the transmitter is "
                                 "read and checked.")
                         .arg(portText())
                         .arg(current->command);
        complete(fail);
        return;
    }
    identifying = verify;
    if (identifying)
        submit(std::nullopt, QByteArray());
    else
        submit(*accepted, current->data);
}

void HartX::Private::submit(const std::optional<DeviceIdentity> &device, const QByteArray &data) {
    TransactionEngine::Request r;
    if (device) {
        r.address = hart::longAddress(primaryMaster, device->manufacturer, device->deviceType,
                                      device->deviceId);
        r.command = quint8(current->command);
    } else {
        r.address = hart::shortAddress(primaryMaster, quint8(pollingAddress));
        r.command = 0;
    }
    r.data = data;
    r.preambles = qMax<int>(preambles, hart::kMinPreambles);
    if (accepted) r.preambles = qMax(r.preambles, accepted->preamblesRequired);
    if (device) r.preambles = qMax(r.preambles, device->preamblesRequired);
    r.extraAllowanceMs = extraAllowance * 10;
    engineJob = engine->submit(r);
}

QString HartX::Private::failureText(const TransactionEngine::Outcome &o) const {
    return TransactionEngine::failureText(o, portText(), line ? line->deviceName() : QString());
}

void HartX::Private::onEngineFinished(quint64 id, const TransactionEngine::Outcome &o) {
    if (!current || id != engineJob) return;
    Completion c;
    c.command = current->command;

    if (o.status != TransactionEngine::Status::Reply) {
        // The transmitter may have been swapped meanwhile; it is checked before the next write.
        if (accepted) verify = true;
        // A port that vanished may come back under another device name (an adapter plugged
        // into another socket, ZANU_COMn pointed elsewhere): make the line afresh next time.
        if (o.status == TransactionEngine::Status::LineFailed) linePort = -1;
        c.error = failureText(o);
        complete(c);
        return;
    }

    // A port or polling-address change while this was on the line makes what it learned
    // about the wrong device.
    const bool sameTarget = identityGeneration == startGeneration;
    if (identifying) {
        identifying = false;
        const std::optional<DeviceIdentity> found = identityFromCommand0(o.reply.data);
        if (found && !sameDevice(*found, *target)) {
            c.error = QCoreApplication::translate(
                          "hart", "A different device now answers on %1 (%2), not the "
                                  "transmitter that was read (%3). Nothing was sent to it — "
                                  "connect again to read and check the device now connected.")
                          .arg(portText(), describe(*found), describe(*target));
            complete(c);
            return;
        }
        if (found && sameTarget) {
            accepted->preamblesRequired = found->preamblesRequired;
            verify = false;
        }
        // Without an identity in the reply (busy, an error code) the device cannot be checked
        // here, but its long address reaches only the transmitter that was read.
        submit(*target, current->data);
        return;
    }

    if (sameTarget) {
        if (current->command == hart::cmd::ReadUniqueIdentifier) {
            if (auto found = identityFromCommand0(o.reply.data)) {
                accepted = found;
                verify = false;
            }
        } else {
            verify = false; // the checked device answered at its long address
        }
    }
    c.result = 0;
    c.reply = o.reply;
    complete(c);
}

void HartX::Private::complete(Completion c) {
    // Result is raised from the event loop, never from inside the call that led here (which
    // may be setCommand's own start, or the line's signal).
    QPointer<HartX> guard(q);
    QMetaObject::invokeMethod(
        q,
        [this, guard, c = std::move(c)] {
            if (guard) deliver(c);
        },
        Qt::QueuedConnection);
}

void HartX::Private::deliver(const Completion &c) {
    if (c.result == HartX::kNoAnswer) {
        lastError = c.error;
    } else {
        buffer = c.reply.data;
        responseCode = c.reply.responseCode;
        deviceStatus = c.reply.deviceStatus;
        lastError.clear();
    }
    if (current) delivered = current;
    current.reset();
    identifying = false;
    // Commands written from inside the Result slot (the next step of a chain) or during a
    // message box it shows wait until the slot has returned.
    delivering = true;
    QPointer<HartX> guard(q);
    emit q->Result(0, c.command, c.result);
    if (!guard) return;
    delivering = false;
    if (linePort != commPort) dropLine();
    scheduleStart();
}
