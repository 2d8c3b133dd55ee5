#include "sim/sim_device.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr quint8 kDefaultManufacturer = 117;
constexpr quint8 kDeviceType = 0x5A;
constexpr quint8 kPreamblesRequired = 5;
constexpr quint8 kUniversalRevision = 5;
constexpr quint8 kDeviceRevision = 1;
constexpr quint8 kSoftwareRevision = 3;
constexpr quint8 kHardwareRevision = 2 << 3; // revision in the top five bits, signalling code 0
constexpr quint8 kPrivateLabelDistributor = 117;
constexpr int kReplyPreambles = 5;

constexpr quint8 kUnitMH2O = 240;
constexpr double kPaPerMH2O = 9806.65;

// Response codes (first status byte of a reply).
enum : quint8 {
    RcSuccess = 0,
    RcInvalidSelection = 2,
    RcTooLarge = 3,
    RcTooSmall = 4,
    RcTooFewDataBytes = 5,
    RcWriteProtected = 7,
    RcLowerTooHigh = 9, // 36/37: applied process too high
    RcLowerTooLow = 10, // 36/37: applied process too low
    RcUpperTooHigh = 11,
    RcUpperTooLow = 12,
    RcBothOutOfLimits = 13,
    RcSpanTooSmall = 14, // a warning: the values are taken
    RcBusy = 32,
    RcNotImplemented = 64,
};
// A request that reached us with a wrong check byte: communication error, longitudinal parity.
constexpr quint8 kCommErrorChecksum = 0x80 | 0x08;

// Field device status bits.
enum : quint8 {
    StatusConfigChanged = 0x40,
    StatusCurrentFixed = 0x08,
    StatusCurrentSaturated = 0x04,
    StatusPvOutOfLimits = 0x01,
};

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
    quint8 code = RcSuccess;
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
    Outcome writeRange(const QByteArray &req);
    Outcome setRangeEnd(SimDevice *q, bool upper);
};

SimDevice::SimDevice(QObject *parent) : QObject(parent), d(new Private) {
    d->clock.start();
    d->pvM = d->baseM - double(d->cfg.mountingOffset);
}

SimDevice::~SimDevice() {
    delete d;
}

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
    const double mA = unclampedCurrent(double(percentOfRange()), d->cfg.outputDirection);
    return float(std::clamp(mA, double(kMinCurrent), double(kMaxCurrent)));
}

quint8 SimDevice::deviceStatus() {
    quint8 status = 0;
    if (d->configChangedFlag) status |= StatusConfigChanged;
    if (d->cfg.fixedCurrent) {
        status |= StatusCurrentFixed;
    } else {
        const double mA = unclampedCurrent(double(percentOfRange()), d->cfg.outputDirection);
        if (mA < double(kMinCurrent) || mA > double(kMaxCurrent)) status |= StatusCurrentSaturated;
    }
    d->updatePv();
    const double slack = d->sensorLimitSlackM();
    if (d->pvM > kUpperSensorLimitM + slack || d->pvM < kLowerSensorLimitM - slack)
        status |= StatusPvOutOfLimits;
    return status;
}

void SimDevice::clearConfigChanged() {
    d->configChangedFlag = false;
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

    // Frames for other devices pass by in silence: ours is the one at polling address 0, or the
    // one whose long address the command-0 reply gave out.
    bool mine = false;
    if (req.address.size() == 1)
        mine = (quint8(req.address[0]) & 0x3F) == 0;
    else if (req.address.size() == 5)
        mine = hart::sameDevice(req.address,
                                hart::longAddress(true, d->manufacturer, kDeviceType, d->deviceId));
    if (!mine) return {};

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
        code = RcBusy;
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
    reply.command = req.command;
    reply.responseCode = code;
    reply.deviceStatus = deviceStatus();
    reply.data = data;

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

    QByteArray wire = hart::encode(reply, kReplyPreambles);
    if (d->corruptP > 0.0 || d->dropP > 0.0) {
        std::uniform_real_distribution<double> roll(0.0, 1.0);
        std::uniform_int_distribution<int> bit(0, 7);
        QByteArray damaged;
        damaged.reserve(wire.size());
        for (char c : wire) {
            if (d->dropP > 0.0 && roll(d->faultRng) < d->dropP) continue;
            if (d->corruptP > 0.0 && roll(d->faultRng) < d->corruptP)
                c = char(quint8(c) ^ quint8(1u << bit(d->faultRng)));
            damaged.append(c);
        }
        wire = damaged;
    }
    return wire;
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

Outcome accepted(quint8 code = RcSuccess) {
    Outcome o;
    o.code = code;
    o.configWritten = true;
    o.stateChanged = true;
    return o;
}

bool isWriteCommand(quint8 command) {
    switch (command) {
    case 18:
    case 34:
    case 35:
    case 36:
    case 37:
    case 44:
    case 150:
    case 152:
        return true;
    default:
        return false;
    }
}

int requestBytesNeeded(quint8 command) {
    switch (command) {
    case 18:
        return 21;
    case 34:
    case 40:
        return 4;
    case 35:
        return 9;
    case 44:
    case 150:
    case 152:
        return 1;
    default:
        return 0;
    }
}

} // namespace

Outcome SimDevice::Private::execute(SimDevice *q, quint8 command, const QByteArray &req,
                                    QByteArray *out) {
    switch (command) {
    case 0:
    case 2:
    case 3:
    case 13:
    case 14:
    case 15:
    case 18:
    case 34:
    case 35:
    case 36:
    case 37:
    case 40:
    case 44:
    case 129:
    case 150:
    case 152:
        break;
    default:
        return refused(RcNotImplemented);
    }
    if (req.size() < requestBytesNeeded(command)) return refused(RcTooFewDataBytes);
    if (isWriteCommand(command) && cfg.writeProtect) return refused(RcWriteProtected);

    switch (command) {
    case 0: {
        const quint8 head[] = {254,
                               manufacturer,
                               kDeviceType,
                               kPreamblesRequired,
                               kUniversalRevision,
                               kDeviceRevision,
                               kSoftwareRevision,
                               kHardwareRevision,
                               0};
        out->append(reinterpret_cast<const char *>(head), int(sizeof head));
        out->append(deviceId);
        return {};
    }
    case 2:
        hart::putFloat(*out, 0, q->loopCurrent());
        hart::putFloat(*out, 4, q->percentOfRange());
        return {};
    case 3:
        hart::putFloat(*out, 0, q->loopCurrent());
        out->append(char(cfg.unitCode));
        hart::putFloat(*out, 5, q->primaryValue());
        return {};
    case 13:
        out->append(hart::packAscii(cfg.tag, 6));
        out->append(hart::packAscii(cfg.descriptor, 12));
        out->append(char(cfg.day));
        out->append(char(cfg.month));
        out->append(char(cfg.year));
        return {};
    case 14:
        hart::putUInt24(*out, 0, serial);
        out->append(char(cfg.unitCode));
        hart::putFloat(*out, 4, q->upperSensorLimit());
        hart::putFloat(*out, 8, q->lowerSensorLimit());
        hart::putFloat(*out, 12, q->minimumSpan());
        return {};
    case 15:
        out->append(char(0)); // alarm selection
        out->append(char(0)); // transfer function: linear
        out->append(char(cfg.unitCode));
        hart::putFloat(*out, 3, cfg.upperRange);
        hart::putFloat(*out, 7, cfg.lowerRange);
        hart::putFloat(*out, 11, cfg.damping);
        out->append(char(cfg.writeProtect ? 1 : 0));
        out->append(char(kPrivateLabelDistributor));
        return {};
    case 129:
        out->append(char(0));
        out->append(char(cfg.outputDirection));
        return {};
    case 18:
        cfg.tag = withoutTrailingBlanks(hart::unpackAscii(req.left(6)));
        cfg.descriptor = withoutTrailingBlanks(hart::unpackAscii(req.mid(6, 12)));
        cfg.day = quint8(req[18]);
        cfg.month = quint8(req[19]);
        cfg.year = quint8(req[20]);
        *out = req.left(21);
        return accepted();
    case 34: {
        const float seconds = hart::getFloat(req, 0);
        if (std::isnan(seconds)) return refused(RcInvalidSelection);
        if (seconds > kMaxDamping) return refused(RcTooLarge);
        if (seconds < 0.0f) return refused(RcTooSmall);
        cfg.damping = seconds;
        *out = req.left(4);
        return accepted();
    }
    case 35: {
        Outcome o = writeRange(req);
        if (o.configWritten) *out = req.left(9);
        return o;
    }
    case 36:
    case 37:
        return setRangeEnd(q, command == 36);
    case 40: {
        const float mA = hart::getFloat(req, 0);
        if (std::isnan(mA)) return refused(RcInvalidSelection);
        const std::optional<float> before = cfg.fixedCurrent;
        if (mA == 0.0f) {
            cfg.fixedCurrent.reset();
        } else {
            if (mA > kMaxCurrent) return refused(RcTooLarge);
            if (mA < kMinCurrent) return refused(RcTooSmall);
            cfg.fixedCurrent = mA;
        }
        hart::putFloat(*out, 0, mA);
        Outcome o;
        // Fixed-current mode is no configuration change, but it is part of the state we show.
        o.stateChanged = before != cfg.fixedCurrent;
        return o;
    }
    case 44: {
        const quint8 unit = quint8(req[0]);
        if (unit != cfg.unitCode && !pascalPerUnit(unit)) return refused(RcInvalidSelection);
        q->setUnit(unit);
        *out = req.left(1);
        return accepted();
    }
    case 150: {
        const quint8 choice = quint8(req[0]);
        if (choice > 1) return refused(RcInvalidSelection);
        // The pressure the sensor sees now becomes its zero.
        cfg.mountingOffset = choice == 1 ? float(appliedSample()) : 0.0f;
        *out = req.left(1);
        return accepted();
    }
    case 152: {
        const quint8 direction = quint8(req[0]);
        if (direction > 1) return refused(RcInvalidSelection);
        cfg.outputDirection = direction;
        *out = req.left(1);
        return accepted();
    }
    default:
        return refused(RcNotImplemented);
    }
}

Outcome SimDevice::Private::writeRange(const QByteArray &req) {
    const quint8 unit = quint8(req[0]);
    if (unit != cfg.unitCode && !pascalPerUnit(unit)) return refused(RcInvalidSelection);
    const float upper = hart::getFloat(req, 1);
    const float lower = hart::getFloat(req, 5);
    // A range end that is no number would make every later output value meaningless.
    if (!std::isfinite(upper) || !std::isfinite(lower)) return refused(RcInvalidSelection);

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
    if ((lrvHigh || lrvLow) && (urvHigh || urvLow)) return refused(RcBothOutOfLimits);
    if (lrvHigh) return refused(RcLowerTooHigh);
    if (lrvLow) return refused(RcLowerTooLow);
    if (urvHigh) return refused(RcUpperTooHigh);
    if (urvLow) return refused(RcUpperTooLow);

    cfg.upperRange = unit == cfg.unitCode ? upper : float(convert(urv, unit, cfg.unitCode));
    cfg.lowerRange = unit == cfg.unitCode ? lower : float(convert(lrv, unit, cfg.unitCode));
    return accepted(std::abs(urv - lrv) < minSpan - slack ? RcSpanTooSmall : RcSuccess);
}

Outcome SimDevice::Private::setRangeEnd(SimDevice *q, bool upper) {
    const double pv = double(q->primaryValue());
    const double slack = convert(sensorLimitSlackM(), kUnitMH2O, cfg.unitCode);
    if (pv > double(q->upperSensorLimit()) + slack) return refused(RcLowerTooHigh);
    if (pv < double(q->lowerSensorLimit()) - slack) return refused(RcLowerTooLow);
    if (upper)
        cfg.upperRange = float(pv);
    else
        cfg.lowerRange = float(pv);
    const double span = std::abs(double(cfg.upperRange) - double(cfg.lowerRange));
    return accepted(span < double(q->minimumSpan()) - slack ? RcSpanTooSmall : RcSuccess);
}
