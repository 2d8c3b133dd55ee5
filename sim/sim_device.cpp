#include "sim/sim_device.h"

#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

namespace cmd = hart::cmd;
namespace at = hart::at;
namespace rc = hart::rc;
namespace st = hart::status;

constexpr quint8 kDefaultManufacturer = hart::kZanuManufacturerId;
constexpr quint8 kDeviceType = 0x5A;
constexpr quint8 kPreamblesRequired = 5;
constexpr quint8 kUniversalRevision = 5;
constexpr quint8 kDeviceRevision = 1;
constexpr quint8 kSoftwareRevision = 3;
constexpr quint8 kHardwareRevision = 2; // signalling code 0
constexpr quint8 kPrivateLabelDistributor = hart::kZanuManufacturerId;
constexpr int kReplyPreambles = 5;

constexpr quint8 kUnitMH2O = 240;
constexpr double kPaPerMH2O = 9806.65;

// Command 40's own response code: the loop current cannot be fixed while it is held at 4 mA for
// multidrop.
constexpr quint8 kRcInMultidropMode = 11;
// A request that reached us with a wrong check byte: communication error, longitudinal parity.
constexpr quint8 kCommErrorChecksum = 0x80 | 0x08;

// HART 5 polling addresses; any other makes the device multidrop at a fixed 4 mA.
constexpr quint8 kMaxPollingAddress = 15;
constexpr float kMultidropCurrent = 4.0f;
// Command 48, byte 0: the sensor fault behind a device malfunction.
constexpr quint8 kSensorFault = 0x01;

constexpr float kMinCurrent = 3.8f;
constexpr float kMaxCurrent = 20.5f;
constexpr float kMaxDamping = 32.0f;

// The column rises and falls by this much over this period: at most about 6 cm a minute, slow
// enough to read a stable value, fast enough that the live output visibly moves.
constexpr double kWanderAmplitudeM = 0.05;
constexpr double kWanderPeriodS = 300.0;
constexpr double kNoiseSigmaM = 0.0015;
constexpr double kTwoPi = 6.283185307179586;

// Limits are checked with a little slack: the tool converts with rounded factors (psi, mmHg,
// MPa differ from the physical ones in the fifth digit), and an engineer who sends back the limit
// the tool showed must not be refused for that.
constexpr double kLimitSlack = 2e-4; // of the sensor's full scale

constexpr int kTraceLimit = 10000;
constexpr int kTraceTrim = 1000;

double unitFactor(quint8 code) {
    // Codes we do not know are reported as they are; their values are taken as metres of water.
    return SimDevice::pascalPerUnit(code).value_or(kPaPerMH2O);
}

double convert(double value, quint8 from, quint8 to) {
    if (from == to) return value;
    return value * unitFactor(from) / unitFactor(to);
}

double shortest(float v) {
    // Seven significant digits show a single as it was written (0.4, not 0.4000000059604645).
    return QString::number(double(v), 'g', 7).toDouble();
}

QString hex(const QByteArray &bytes) {
    return QString::fromLatin1(bytes.toHex());
}

// What one request did: its response code, and whether it changed the configuration.
struct Outcome {
    quint8 code = rc::Success;
    bool configWritten = false; // an accepted write: sets the configuration-changed bit
    bool stateChanged = false;  // anything of stateJson() changed
};

} // namespace

struct SimDevice::Private {
    Config cfg;
    quint8 manufacturer = kDefaultManufacturer;
    QByteArray deviceId = QByteArray("\x0B\x7C\x2D", 3);
    quint32 serial = 1801234;
    bool configChangedFlag = false;
    bool coldStart = true; // reported in the first reply, then cleared
    bool malfunction = false;

    QElapsedTimer clock;
    double baseM = 3.75;   // applied pressure as last set
    double baseSetS = 0.0; // clock time it was set
    bool noise = true;
    double pvM = 0.0; // damped, mounting offset taken off, mH2O
    double pvUpdatedS = 0.0;

    int busy = 0;
    int silent = 0; // -1: always
    QMap<int, int> forced;
    double corruptP = 0.0;
    double dropP = 0.0;
    std::mt19937 faultRng{1};
    std::mt19937 noiseRng{2};

    QList<TraceEntry> trace;
    double dacOffsetMa = 0.0;
    double dacGain = 1.0;
    QString lastLoop; // the meter's reading as last traced

    // Frames for other devices pass by in silence: ours is the one at our polling address, or
    // the one whose long address the command-0 reply gave out. Command 11 finds a device by its
    // tag, usually sent to everybody (the broadcast address, all zero), and only the device whose
    // tag matches answers.
    bool addressedBy(const hart::FrameParser::Item &item) const {
        const hart::Frame &req = item.frame;
        bool mine = false;
        if (req.address.size() == 1)
            mine = (quint8(req.address[0]) & 0x3F) == cfg.pollingAddress;
        else if (req.address.size() == 5)
            mine = hart::sameDevice(req.address,
                                    hart::longAddress(true, manufacturer, kDeviceType, deviceId));
        if (req.command == cmd::ReadUniqueIdentifierByTag) {
            const bool broadcast = hart::sameDevice(req.address, QByteArray(5, '\0'));
            const QByteArray tag = req.data.left(at::TagOnly::Size);
            mine = (mine || broadcast) && item.outcome == hart::FrameParser::Outcome::Frame &&
                   tag == hart::packAscii(cfg.tag, at::TagOnly::Size);
        }
        return mine;
    }

    // The line's faults, when asked for: bytes dropped, bits flipped.
    QByteArray damaged(QByteArray wire) {
        if (corruptP > 0.0 || dropP > 0.0) {
            std::uniform_real_distribution<double> roll(0.0, 1.0);
            std::uniform_int_distribution<int> bit(0, 7);
            QByteArray damaged;
            damaged.reserve(wire.size());
            for (char c : wire) {
                if (dropP > 0.0 && roll(faultRng) < dropP) continue;
                if (corruptP > 0.0 && roll(faultRng) < corruptP)
                    c = char(quint8(c) ^ quint8(1u << bit(faultRng)));
                damaged.append(c);
            }
            wire = damaged;
        }
        return wire;
    }

    double nowS() const { return double(clock.nsecsElapsed()) / 1e9; }

    double wander(double t) const {
        if (!noise) return 0.0;
        return kWanderAmplitudeM * std::sin(kTwoPi * (t - baseSetS) / kWanderPeriodS);
    }

    double appliedSample() {
        double p = baseM + wander(nowS());
        if (noise) p += std::normal_distribution<double>(0.0, kNoiseSigmaM)(noiseRng);
        return p;
    }

    void updatePv() {
        const double t = nowS();
        const double dt = std::max(0.0, t - pvUpdatedS);
        pvUpdatedS = t;
        const double target = appliedSample() - double(cfg.mountingOffset);
        const double tau = double(cfg.damping);
        if (!(tau > 0.0) || !std::isfinite(tau) || !std::isfinite(pvM)) {
            pvM = target;
            return;
        }
        pvM += (target - pvM) * (1.0 - std::exp(-dt / tau));
    }

    double sensorLimitSlackM() const {
        return kLimitSlack * (SimDevice::kUpperSensorLimitM - SimDevice::kLowerSensorLimitM);
    }

    Outcome execute(SimDevice *q, quint8 command, const QByteArray &req, QByteArray *out);
    bool read(SimDevice *q, quint8 command, QByteArray *out);
    Outcome write(SimDevice *q, quint8 command, const QByteArray &req, QByteArray *out);
    Outcome writeTagDescriptorDate(const QByteArray &req, QByteArray *out);
    Outcome writeDamping(const QByteArray &req, QByteArray *out);
    Outcome fixCurrent(const QByteArray &req, QByteArray *out);
    Outcome trim(quint8 command, const QByteArray &req, QByteArray *out);
    Outcome writeRange(const QByteArray &req);
    hart::Identity identity() const;
    hart::OutputInfo outputInfo() const;
    Outcome setRangeEnd(SimDevice *q, bool upper);
};

SimDevice::SimDevice(QObject *parent) : QObject(parent), d(std::make_unique<Private>()) {
    d->clock.start();
    d->pvM = d->baseM - double(d->cfg.mountingOffset);
}

SimDevice::~SimDevice() = default;

SimDevice::Config &SimDevice::config() {
    return d->cfg;
}

const SimDevice::Config &SimDevice::config() const {
    return d->cfg;
}

quint8 SimDevice::manufacturerId() const {
    return d->manufacturer;
}

quint8 SimDevice::deviceType() const {
    return kDeviceType;
}

QByteArray SimDevice::deviceId() const {
    return d->deviceId;
}

quint32 SimDevice::serialNumber() const {
    return d->serial;
}

void SimDevice::setSerialNumber(quint32 serial) {
    // Command 14 has three bytes for it.
    d->serial = serial & 0xFFFFFF;
}

void SimDevice::setAppliedPressure(double mH2O) {
    if (!std::isfinite(mH2O)) return;
    d->baseM = mH2O;
    d->baseSetS = d->nowS();
}

double SimDevice::appliedPressure() const {
    return d->baseM + d->wander(d->nowS());
}

void SimDevice::setNoise(bool on) {
    if (on == d->noise) return;
    // Restart the wander from the present value so that switching never makes the column jump.
    d->baseM = appliedPressure();
    d->baseSetS = d->nowS();
    d->noise = on;
}

bool SimDevice::noise() const {
    return d->noise;
}

void SimDevice::settle() {
    d->pvM = appliedPressure() - double(d->cfg.mountingOffset);
    d->pvUpdatedS = d->nowS();
}

float SimDevice::primaryValue() {
    d->updatePv();
    return float(convert(d->pvM, kUnitMH2O, d->cfg.unitCode));
}

float SimDevice::percentOfRange() {
    const double pv = double(primaryValue());
    const double lrv = double(d->cfg.lowerRange);
    const double span = double(d->cfg.upperRange) - lrv;
    double percent;
    if (span == 0.0)
        percent = pv < lrv ? 0.0 : 100.0; // a range of no width: the output is a step at LRV
    else
        percent = (pv - lrv) / span * 100.0;
    if (!std::isfinite(percent)) percent = 0.0;
    return float(percent);
}

namespace {

// The loop current the percent of range asks for, before saturation.
double unclampedCurrent(double percent, quint8 direction) {
    const double rising = 4.0 + 16.0 * percent / 100.0;
    return direction == 1 ? 24.0 - rising : rising;
}

} // namespace

float SimDevice::loopCurrent() {
    if (d->cfg.fixedCurrent) return *d->cfg.fixedCurrent;
    if (d->cfg.pollingAddress != 0) return kMultidropCurrent;
    const double mA = unclampedCurrent(double(percentOfRange()), d->cfg.outputDirection);
    return float(std::clamp(mA, double(kMinCurrent), double(kMaxCurrent)));
}

double SimDevice::meterCurrent() {
    const double meant = double(loopCurrent());
    const double driven = 4.0 + double(d->cfg.trimGain) * (meant - 4.0) + double(d->cfg.trimZeroMa);
    return driven * d->dacGain + d->dacOffsetMa;
}

void SimDevice::setDacError(double offsetMa, double gainPercent) {
    if (!std::isfinite(offsetMa) || !std::isfinite(gainPercent)) return;
    d->dacOffsetMa = offsetMa;
    d->dacGain = 1.0 + gainPercent / 100.0;
}

quint8 SimDevice::deviceStatus() {
    quint8 status = 0;
    if (d->malfunction) status |= st::Malfunction;
    if (d->configChangedFlag) status |= st::ConfigChanged;
    if (d->coldStart) status |= st::ColdStart;
    if (additionalStatus().count('\0') != additionalStatus().size()) status |= st::MoreStatus;
    if (d->cfg.fixedCurrent || d->cfg.pollingAddress != 0) {
        status |= st::CurrentFixed;
    } else {
        const double mA = unclampedCurrent(double(percentOfRange()), d->cfg.outputDirection);
        if (mA < double(kMinCurrent) || mA > double(kMaxCurrent)) status |= st::CurrentSaturated;
    }
    // The sensor's limits are about the pressure it sees, whatever the mounting correction
    // makes of it.
    const double applied = appliedPressure();
    const double slack = d->sensorLimitSlackM();
    if (applied > kUpperSensorLimitM + slack || applied < kLowerSensorLimitM - slack)
        status |= st::PvOutOfLimits;
    return status;
}

void SimDevice::clearConfigChanged() {
    d->configChangedFlag = false;
}

void SimDevice::setColdStart(bool pending) {
    d->coldStart = pending;
}

void SimDevice::setMalfunction(bool on) {
    d->malfunction = on;
}

QByteArray SimDevice::additionalStatus() const {
    QByteArray bytes(at::AdditionalStatus::DeviceSpecificBytes, '\0');
    if (d->malfunction) bytes[0] = char(kSensorFault);
    return bytes;
}

float SimDevice::upperSensorLimit() const {
    return float(convert(kUpperSensorLimitM, kUnitMH2O, d->cfg.unitCode));
}

float SimDevice::lowerSensorLimit() const {
    return float(convert(kLowerSensorLimitM, kUnitMH2O, d->cfg.unitCode));
}

float SimDevice::minimumSpan() const {
    return float(convert(kMinimumSpanM, kUnitMH2O, d->cfg.unitCode));
}

std::optional<double> SimDevice::pascalPerUnit(quint8 unitCode) {
    switch (unitCode) {
    case 1:
        return 249.08891; // inH2O (68 F)
    case 2:
        return 3386.389; // inHg (0 C)
    case 3:
        return 2989.0669; // ftH2O
    case 4:
        return 9.80665; // mmH2O
    case 5:
        return 133.3224; // mmHg
    case 6:
        return 6894.757; // psi
    case 7:
        return 1e5; // bar
    case 8:
        return 100.0; // mbar
    case 9:
        return 98.0665; // g/cm2
    case 10:
        return 98066.5; // kg/cm2
    case 11:
        return 1.0; // Pa
    case 12:
        return 1000.0; // kPa
    case 13:
        return 133.32237; // torr
    case 14:
        return 101325.0; // atm
    case 237:
        return 1e6; // MPa
    case 238:
        return 249.082; // inH2O at 4 C
    case 239:
        return 9.80638; // mmH2O at 4 C
    case kUnitMH2O:
        return kPaPerMH2O;
    default:
        return std::nullopt;
    }
}

bool SimDevice::setUnit(quint8 unitCode) {
    Config &c = d->cfg;
    const bool known = pascalPerUnit(unitCode).has_value();
    if (known && unitCode != c.unitCode) {
        c.upperRange = float(convert(double(c.upperRange), c.unitCode, unitCode));
        c.lowerRange = float(convert(double(c.lowerRange), c.unitCode, unitCode));
    }
    c.unitCode = unitCode;
    return known;
}

void SimDevice::setSeed(quint32 seed) {
    d->faultRng.seed(seed);
    d->noiseRng.seed(seed ^ 0x9E3779B9u);
}

void SimDevice::setManufacturerId(quint8 id) {
    d->manufacturer = id;
}

void SimDevice::setDeviceId(const QByteArray &id) {
    if (id.size() == 3) d->deviceId = id;
}

void SimDevice::setBusy(int nextRequests) {
    d->busy = std::max(0, nextRequests);
}

void SimDevice::setSilent(int nextRequests) {
    d->silent = nextRequests < 0 ? -1 : nextRequests;
}

void SimDevice::setForcedResponse(int command, int responseCode) {
    if (responseCode == 0)
        d->forced.remove(command);
    else
        d->forced.insert(command, responseCode & 0xFF);
}

void SimDevice::setCorruptProbability(double p) {
    d->corruptP = std::isfinite(p) ? std::clamp(p, 0.0, 1.0) : 0.0;
}

void SimDevice::setDropProbability(double p) {
    d->dropP = std::isfinite(p) ? std::clamp(p, 0.0, 1.0) : 0.0;
}

void SimDevice::setWriteProtect(bool on) {
    if (d->cfg.writeProtect == on) return;
    d->cfg.writeProtect = on;
    emit configChanged();
}

const QList<SimDevice::TraceEntry> &SimDevice::trace() const {
    return d->trace;
}

void SimDevice::clearTrace() {
    d->trace.clear();
}

QByteArray SimDevice::stateJson() const {
    const Config &c = d->cfg;
    QJsonObject date;
    date.insert(QStringLiteral("day"), int(c.day));
    date.insert(QStringLiteral("month"), int(c.month));
    date.insert(QStringLiteral("year"), 1900 + int(c.year));
    QJsonObject o;
    o.insert(QStringLiteral("tag"), c.tag);
    o.insert(QStringLiteral("descriptor"), c.descriptor);
    o.insert(QStringLiteral("date"), date);
    o.insert(QStringLiteral("unit_code"), int(c.unitCode));
    o.insert(QStringLiteral("urv"), shortest(c.upperRange));
    o.insert(QStringLiteral("lrv"), shortest(c.lowerRange));
    o.insert(QStringLiteral("damping"), shortest(c.damping));
    o.insert(QStringLiteral("output_direction"), int(c.outputDirection));
    o.insert(QStringLiteral("fixed_current"),
             c.fixedCurrent ? QJsonValue(shortest(*c.fixedCurrent)) : QJsonValue(QJsonValue::Null));
    o.insert(QStringLiteral("mounting_offset"), shortest(c.mountingOffset));
    o.insert(QStringLiteral("write_protect"), c.writeProtect);
    o.insert(QStringLiteral("message"), c.message);
    o.insert(QStringLiteral("final_assembly_number"), qint64(c.finalAssemblyNumber));
    o.insert(QStringLiteral("polling_address"), int(c.pollingAddress));
    o.insert(QStringLiteral("trim_zero_ma"), shortest(c.trimZeroMa));
    o.insert(QStringLiteral("trim_gain"), shortest(c.trimGain));
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

QByteArray SimDevice::respond(const QByteArray &requestFrame) {
    hart::FrameParser parser;
    parser.push(requestFrame);
    while (auto item = parser.take()) {
        // The first request in the bytes is the one answered; replies (our own echo) are not
        // requests.
        if (item->frame.type() == hart::FrameType::Stx) return respondTo(*item);
    }
    return {};
}

QByteArray SimDevice::respondTo(const hart::FrameParser::Item &item) {
    const hart::Frame &req = item.frame;
    if (req.type() != hart::FrameType::Stx) return {};

    if (!d->addressedBy(item)) return {};

    TraceEntry entry;
    entry.command = req.command;
    entry.longAddress = req.isLong();
    entry.requestData = req.data;
    emit traceLine(QStringLiteral("REQ cmd=%1 addr=%2 data=%3")
                       .arg(req.command)
                       .arg(req.isLong() ? QStringLiteral("long") : QStringLiteral("short"))
                       .arg(hex(req.data)));

    auto record = [this](const TraceEntry &e) {
        if (d->trace.size() >= kTraceLimit) d->trace.remove(0, kTraceTrim);
        d->trace.append(e);
    };

    if (d->silent != 0) {
        if (d->silent > 0) --d->silent;
        record(entry);
        return {};
    }

    QByteArray data;
    quint8 code;
    Outcome outcome;
    if (item.outcome != hart::FrameParser::Outcome::Frame) {
        code = kCommErrorChecksum;
    } else if (d->busy > 0) {
        --d->busy;
        code = rc::Busy;
    } else if (d->forced.contains(req.command)) {
        code = quint8(d->forced.value(req.command));
    } else {
        outcome = d->execute(this, req.command, req.data, &data);
        code = outcome.code;
    }
    if (outcome.configWritten) d->configChangedFlag = true;

    hart::Frame reply;
    reply.delimiter = quint8(hart::FrameType::Ack) | (req.delimiter & 0x80);
    reply.address = req.address;
    // The device is never in burst mode: a request's burst bit is not ours to echo.
    reply.address[0] = char(quint8(reply.address[0]) & ~0x40);
    reply.command = req.command;
    reply.responseCode = code;
    reply.deviceStatus = deviceStatus();
    reply.data = data;
    d->coldStart = false; // reported now

    entry.replied = true;
    entry.responseCode = code;
    entry.status = reply.deviceStatus;
    entry.replyData = data;
    record(entry);
    emit traceLine(QStringLiteral("RSP cmd=%1 rc=%2 status=0x%3 data=%4")
                       .arg(req.command)
                       .arg(code)
                       .arg(reply.deviceStatus, 2, 16, QLatin1Char('0'))
                       .arg(hex(data)));
    if (outcome.stateChanged) emit configChanged();
    const bool movesLoop =
        req.command == cmd::FixedCurrentMode || req.command == cmd::TrimLoopCurrentZero ||
        req.command == cmd::TrimLoopCurrentGain || req.command == cmd::WritePollingAddress;
    if (movesLoop && code == rc::Success) {
        const QString loop = QString::number(meterCurrent(), 'f', 4);
        if (loop != d->lastLoop) emit traceLine(QStringLiteral("LOOP ma=") + loop);
        d->lastLoop = loop;
    }

    return d->damaged(hart::encode(reply, kReplyPreambles));
}

namespace {

QString withoutTrailingBlanks(QString text) {
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

Outcome refused(quint8 code) {
    Outcome o;
    o.code = code;
    return o;
}

Outcome accepted(quint8 code = rc::Success) {
    Outcome o;
    o.code = code;
    o.configWritten = true;
    o.stateChanged = true;
    return o;
}

bool isWriteCommand(quint8 command) {
    switch (command) {
    case cmd::WritePollingAddress:
    case cmd::WriteMessage:
    case cmd::WriteTagDescriptorDate:
    case cmd::WriteFinalAssemblyNumber:
    case cmd::WriteDamping:
    case cmd::WriteRangeValues:
    case cmd::SetUpperRangeValue:
    case cmd::SetLowerRangeValue:
    case cmd::WritePvUnits:
    case cmd::MountingEffect:
    case cmd::WriteOutputDirection:
    case cmd::TrimLoopCurrentZero:
    case cmd::TrimLoopCurrentGain:
        return true;
    default:
        return false;
    }
}

// The commands served, with the request bytes each needs: the catalogue's request layout.
bool served(quint8 command) {
    static const QList<quint8> kServed{cmd::ReadUniqueIdentifier,
                                       cmd::ReadPrimaryVariable,
                                       cmd::ReadLoopCurrent,
                                       cmd::ReadDynamicVariables,
                                       cmd::WritePollingAddress,
                                       cmd::ReadUniqueIdentifierByTag,
                                       cmd::ReadMessage,
                                       cmd::ReadTagDescriptorDate,
                                       cmd::ReadSensorInfo,
                                       cmd::ReadOutputInfo,
                                       cmd::ReadFinalAssemblyNumber,
                                       cmd::WriteMessage,
                                       cmd::WriteTagDescriptorDate,
                                       cmd::WriteFinalAssemblyNumber,
                                       cmd::WriteDamping,
                                       cmd::WriteRangeValues,
                                       cmd::SetUpperRangeValue,
                                       cmd::SetLowerRangeValue,
                                       cmd::ResetConfigChanged,
                                       cmd::FixedCurrentMode,
                                       cmd::WritePvUnits,
                                       cmd::TrimLoopCurrentZero,
                                       cmd::TrimLoopCurrentGain,
                                       cmd::ReadAdditionalStatus,
                                       cmd::ReadOutputDirection,
                                       cmd::MountingEffect,
                                       cmd::WriteOutputDirection};
    return kServed.contains(command);
}

int requestBytesNeeded(quint8 command) {
    const hart::CommandInfo *info = hart::command(command);
    int bytes = 0;
    if (info)
        for (const hart::Field &f : info->request)
            bytes = std::max(bytes, f.offset + f.size);
    return bytes;
}

} // namespace

Outcome SimDevice::Private::execute(SimDevice *q, quint8 command, const QByteArray &req,
                                    QByteArray *out) {
    if (!served(command)) return refused(rc::NotImplemented);
    if (req.size() < requestBytesNeeded(command)) return refused(rc::TooFewDataBytes);
    if (isWriteCommand(command) && cfg.writeProtect) return refused(rc::WriteProtected);

    if (read(q, command, out)) return {};
    return write(q, command, req, out);
}

// Commands that only read: the reply data, and nothing in the device changes.
bool SimDevice::Private::read(SimDevice *q, quint8 command, QByteArray *out) {
    switch (command) {
    case cmd::ReadUniqueIdentifier:
    case cmd::ReadUniqueIdentifierByTag:
        *out = hart::encode(identity());
        return true;
    case cmd::ReadPrimaryVariable:
        *out = hart::encode(hart::PrimaryVariable{cfg.unitCode, q->primaryValue()});
        return true;
    case cmd::ReadLoopCurrent:
        *out = hart::encode(hart::LoopCurrent{q->loopCurrent(), q->percentOfRange()});
        return true;
    case cmd::ReadDynamicVariables:
        *out =
            hart::encode(hart::DynamicVariables{q->loopCurrent(), cfg.unitCode, q->primaryValue()});
        return true;
    case cmd::ReadMessage:
        *out = hart::packAscii(cfg.message, at::Message::TextBytes);
        return true;
    case cmd::ReadTagDescriptorDate:
        *out = hart::encode(
            hart::TagDescriptorDate{cfg.tag, cfg.descriptor, cfg.day, cfg.month, cfg.year});
        return true;
    case cmd::ReadSensorInfo:
        *out = hart::encode(hart::SensorInfo{serial, cfg.unitCode, q->upperSensorLimit(),
                                             q->lowerSensorLimit(), q->minimumSpan()});
        return true;
    case cmd::ReadOutputInfo:
        *out = hart::encode(outputInfo());
        return true;
    case cmd::ReadFinalAssemblyNumber:
        hart::putUInt24(*out, at::FinalAssembly::Number, cfg.finalAssemblyNumber);
        return true;
    case cmd::ReadAdditionalStatus:
        *out = q->additionalStatus();
        return true;
    case cmd::ReadOutputDirection:
        *out = hart::encode(hart::OutputDirection{0, cfg.outputDirection});
        return true;
    default:
        return false;
    }
}

Outcome SimDevice::Private::write(SimDevice *q, quint8 command, const QByteArray &req,
                                  QByteArray *out) {
    switch (command) {
    case cmd::WritePollingAddress: {
        const quint8 address = hart::getByte(req, at::PollingAddress::Address);
        if (address > kMaxPollingAddress) return refused(rc::InvalidSelection);
        cfg.pollingAddress = address;
        *out = req.left(at::PollingAddress::Size);
        return accepted();
    }
    case cmd::WriteMessage:
        cfg.message = withoutTrailingBlanks(
            hart::unpackAscii(req.mid(at::Message::Text, at::Message::TextBytes)));
        *out = req.left(at::Message::Size);
        return accepted();
    case cmd::WriteFinalAssemblyNumber:
        cfg.finalAssemblyNumber = hart::getUInt24(req, at::FinalAssembly::Number);
        *out = req.left(at::FinalAssembly::Size);
        return accepted();
    case cmd::ResetConfigChanged:
        configChangedFlag = false;
        return {};
    case cmd::WriteTagDescriptorDate:
        return writeTagDescriptorDate(req, out);
    case cmd::WriteDamping:
        return writeDamping(req, out);
    case cmd::WriteRangeValues: {
        Outcome o = writeRange(req);
        if (o.configWritten) *out = req.left(at::RangeValues::Size);
        return o;
    }
    case cmd::SetUpperRangeValue:
    case cmd::SetLowerRangeValue:
        return setRangeEnd(q, command == cmd::SetUpperRangeValue);
    case cmd::FixedCurrentMode:
        return fixCurrent(req, out);
    case cmd::TrimLoopCurrentZero:
    case cmd::TrimLoopCurrentGain:
        return trim(command, req, out);
    case cmd::WritePvUnits: {
        const quint8 unit = hart::getByte(req, at::PvUnit::Unit);
        if (unit != cfg.unitCode && !pascalPerUnit(unit)) return refused(rc::InvalidSelection);
        q->setUnit(unit);
        *out = req.left(at::PvUnit::Size);
        return accepted();
    }
    case cmd::MountingEffect: {
        const quint8 choice = hart::getByte(req, at::OneByte::Value);
        if (choice > 1) return refused(rc::InvalidSelection);
        // The pressure the sensor sees now becomes its zero.
        cfg.mountingOffset = choice == 1 ? float(appliedSample()) : 0.0f;
        *out = req.left(at::OneByte::Size);
        return accepted();
    }
    case cmd::WriteOutputDirection: {
        const quint8 direction = hart::getByte(req, at::OneByte::Value);
        if (direction > 1) return refused(rc::InvalidSelection);
        cfg.outputDirection = direction;
        *out = req.left(at::OneByte::Size);
        return accepted();
    }
    default:
        return refused(rc::NotImplemented);
    }
}

Outcome SimDevice::Private::writeTagDescriptorDate(const QByteArray &req, QByteArray *out) {
    const auto t = hart::decodeTagDescriptorDate(req);
    if (!t) return refused(rc::TooFewDataBytes);
    cfg.tag = withoutTrailingBlanks(t->tag);
    cfg.descriptor = withoutTrailingBlanks(t->descriptor);
    cfg.day = t->day;
    cfg.month = t->month;
    cfg.year = t->yearSince1900;
    *out = req.left(at::TagDescriptorDate::Size);
    return accepted();
}

Outcome SimDevice::Private::writeDamping(const QByteArray &req, QByteArray *out) {
    const float seconds = hart::getFloat(req, at::Damping::Seconds);
    if (std::isnan(seconds)) return refused(rc::InvalidSelection);
    if (seconds > kMaxDamping) return refused(rc::TooLarge);
    if (seconds < 0.0f) return refused(rc::TooSmall);
    cfg.damping = seconds;
    *out = req.left(at::Damping::Size);
    return accepted();
}

Outcome SimDevice::Private::fixCurrent(const QByteArray &req, QByteArray *out) {
    const float mA = hart::getFloat(req, at::FixedCurrent::Current);
    if (std::isnan(mA)) return refused(rc::InvalidSelection);
    if (cfg.pollingAddress != 0) return refused(kRcInMultidropMode);
    const std::optional<float> before = cfg.fixedCurrent;
    if (mA == 0.0f) {
        cfg.fixedCurrent.reset();
    } else {
        if (mA > kMaxCurrent) return refused(rc::TooLarge);
        if (mA < kMinCurrent) return refused(rc::TooSmall);
        cfg.fixedCurrent = mA;
    }
    hart::putFloat(*out, at::FixedCurrent::Current, mA);
    Outcome o;
    // Fixed-current mode is no configuration change, but it is part of the state we show.
    o.stateChanged = before != cfg.fixedCurrent;
    return o;
}

// The zero is trimmed at 4 mA and moves the whole line; the gain is trimmed at 20 mA and turns
// the line about 4 mA, so that a zero trimmed first stays where it is.
Outcome SimDevice::Private::trim(quint8 command, const QByteArray &req, QByteArray *out) {
    const bool zero = command == cmd::TrimLoopCurrentZero;
    const float point = zero ? 4.0f : 20.0f;
    if (!cfg.fixedCurrent || std::abs(*cfg.fixedCurrent - point) > 0.0005f)
        return refused(rc::LoopNotFixedForTrim);
    const float reading = hart::getFloat(req, at::LoopTrim::Current);
    if (std::isnan(reading)) return refused(rc::InvalidSelection);
    const double off = double(reading) - double(point);
    if (off > kMaxTrimDeviationMa) return refused(rc::TooLarge);
    if (off < -kMaxTrimDeviationMa) return refused(rc::TooSmall);
    if (zero) {
        cfg.trimZeroMa = float(double(cfg.trimZeroMa) - off);
    } else {
        // The device takes its 4 mA as right: the span it meant, 16 mA, came out as read - 4.
        const double spanRead = double(reading) - 4.0;
        cfg.trimGain = float(double(cfg.trimGain) * 16.0 / spanRead);
    }
    hart::putFloat(*out, at::LoopTrim::Current, reading);
    return accepted();
}

hart::Identity SimDevice::Private::identity() const {
    hart::Identity id;
    id.marker = hart::kCommand0Marker;
    id.manufacturerId = manufacturer;
    id.deviceType = kDeviceType;
    id.preamblesRequired = kPreamblesRequired;
    id.universalRevision = kUniversalRevision;
    id.deviceRevision = kDeviceRevision;
    id.softwareRevision = kSoftwareRevision;
    id.hardwareRevision = kHardwareRevision;
    id.deviceId = hart::getUInt24(deviceId, 0);
    return id;
}

hart::OutputInfo SimDevice::Private::outputInfo() const {
    hart::OutputInfo o;
    o.rangeUnit = cfg.unitCode; // alarm selection and transfer function (linear) are 0
    o.upperRange = cfg.upperRange;
    o.lowerRange = cfg.lowerRange;
    o.damping = cfg.damping;
    o.writeProtect = cfg.writeProtect ? 1 : 0;
    o.privateLabel = kPrivateLabelDistributor;
    return o;
}

Outcome SimDevice::Private::writeRange(const QByteArray &req) {
    const quint8 unit = hart::getByte(req, at::RangeValues::Unit);
    if (unit != cfg.unitCode && !pascalPerUnit(unit)) return refused(rc::InvalidSelection);
    const float upper = hart::getFloat(req, at::RangeValues::Upper);
    const float lower = hart::getFloat(req, at::RangeValues::Lower);
    // A range end that is no number would make every later output value meaningless.
    if (!std::isfinite(upper) || !std::isfinite(lower)) return refused(rc::InvalidSelection);

    // The checks run in the unit the values came in.
    const double usl = convert(kUpperSensorLimitM, kUnitMH2O, unit);
    const double lsl = convert(kLowerSensorLimitM, kUnitMH2O, unit);
    const double minSpan = convert(kMinimumSpanM, kUnitMH2O, unit);
    const double slack = convert(sensorLimitSlackM(), kUnitMH2O, unit);
    const double urv = double(upper);
    const double lrv = double(lower);
    const bool lrvHigh = lrv > usl + slack;
    const bool lrvLow = lrv < lsl - slack;
    const bool urvHigh = urv > usl + slack;
    const bool urvLow = urv < lsl - slack;
    if ((lrvHigh || lrvLow) && (urvHigh || urvLow)) return refused(rc::BothOutOfLimits);
    if (lrvHigh) return refused(rc::LowerTooHigh);
    if (lrvLow) return refused(rc::LowerTooLow);
    if (urvHigh) return refused(rc::UpperTooHigh);
    if (urvLow) return refused(rc::UpperTooLow);

    cfg.upperRange = unit == cfg.unitCode ? upper : float(convert(urv, unit, cfg.unitCode));
    cfg.lowerRange = unit == cfg.unitCode ? lower : float(convert(lrv, unit, cfg.unitCode));
    return accepted(std::abs(urv - lrv) < minSpan - slack ? rc::SpanTooSmall : rc::Success);
}

Outcome SimDevice::Private::setRangeEnd(SimDevice *q, bool upper) {
    const double pv = double(q->primaryValue());
    const double slack = convert(sensorLimitSlackM(), kUnitMH2O, cfg.unitCode);
    if (pv > double(q->upperSensorLimit()) + slack) return refused(rc::LowerTooHigh);
    if (pv < double(q->lowerSensorLimit()) - slack) return refused(rc::LowerTooLow);
    if (upper) {
        cfg.upperRange = float(pv);
    } else {
        // The lower end moves to the applied pressure and the upper end moves with it, so the
        // span stays; an upper end that would leave the sensor is held at its limit, and the
        // warning says so.
        const double usl = double(q->upperSensorLimit());
        const double lsl = double(q->lowerSensorLimit());
        const double shifted = double(cfg.upperRange) + (pv - double(cfg.lowerRange));
        const double urv = std::clamp(shifted, lsl, usl);
        cfg.lowerRange = float(pv);
        cfg.upperRange = float(std::abs(urv - shifted) > slack ? urv : shifted);
        if (std::abs(urv - shifted) > slack) return accepted(rc::SpanTooSmall);
    }
    const double span = std::abs(double(cfg.upperRange) - double(cfg.lowerRange));
    return accepted(span < double(q->minimumSpan()) - slack ? rc::SpanTooSmall : rc::Success);
}
