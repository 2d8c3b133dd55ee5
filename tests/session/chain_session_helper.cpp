#include "chain_session_helper.h"
#include "event_wait.h"

#include "sim/sim_line.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTimer>

#include <functional>
#include <limits>

namespace {

using Field = SessionView::Field;

const std::map<QString, Field> kFields{{QStringLiteral("zero"), Field::Zero},
                                       {QStringLiteral("span"), Field::Span},
                                       {QStringLiteral("damping"), Field::Damping},
                                       {QStringLiteral("tag"), Field::Tag},
                                       {QStringLiteral("current"), Field::FixedCurrent}};

float number(const QString &text) {
    return text == QLatin1String("nan") ? std::numeric_limits<float>::quiet_NaN() : text.toFloat();
}

QString shown(double value) {
    return QString::number(value);
}

} // namespace

QString ScriptedView::text(Field field) const {
    const auto it = entries.find(field);
    return it == entries.end() ? QString() : it->second;
}

QString ScriptedView::fieldName(Field field) const {
    for (const auto &[name, f] : kFields)
        if (f == field) return name;
    return QString();
}

void ScriptedView::setPanelsShown(bool shown) {
    told << QStringLiteral("panels %1").arg(int(shown));
}

void ScriptedView::showOutput(float mA, float percent) {
    told << QStringLiteral("output %1 %2").arg(mA, 0, 'f', 3).arg(percent, 0, 'f', 1);
}

void ScriptedView::setSimulationCaption(bool running) {
    told << (running ? QStringLiteral("caption Abort") : QStringLiteral("caption Send"));
}

int ScriptedDecisions::ask(const QString &prompt, int buttons, const QString &title,
                           const QString &detail) {
    asked << title + QLatin1Char('|') + prompt;
    lastDetail = detail;
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == RetryCancel ? Cancel : OK;
}

ChainRig::ChainRig(const QStringList &device) {
    HartX &h = *session.hart();
    // The instant line has no other master and answers at once; one try and a short reply
    // time keep a silent transmitter's rows short. The link's own tests cover those times.
    LinkTiming fast = h.linkTiming();
    fast.linkGrantMs = fast.quietMs = fast.retries = 0;
    fast.primaryReplyTimeoutMs = 60;
    fast.adapterAllowanceMs = 10;
    h.setLinkTiming(fast);
    h.setLineFactory(
        [this](int) { return std::make_unique<SimLine>(&this->device, SimLine::Timing::Instant); });
    h.setCommPort(1);
    session.attach(&view, &user);
    QObject::connect(&this->device, &SimDevice::traceLine, &this->device,
                     [this](const QString &line) {
                         if (!line.startsWith(QLatin1String("REQ"))) return;
                         ++requests_;
                         const auto [from, to] = atRequest_.equal_range(requests_);
                         for (auto it = from; it != to; ++it)
                             fault(it->second);
                     });

    SimDevice::Config &c = this->device.config();
    this->device.setNoise(false);
    bool read = true;
    for (const QString &item : device) {
        const QString key = item.section(QLatin1Char('='), 0, 0);
        const QString value = item.section(QLatin1Char('='), 1);
        if (key == QLatin1String("noread")) read = false;
        if (key == QLatin1String("unit")) c.unitCode = quint8(value.toInt());
        if (key == QLatin1String("upper")) c.upperRange = number(value);
        if (key == QLatin1String("lower")) c.lowerRange = number(value);
        if (key == QLatin1String("damping")) c.damping = number(value);
        if (key == QLatin1String("direction")) c.outputDirection = quint8(value.toInt());
        if (key == QLatin1String("serial")) this->device.setSerialNumber(value.toUInt());
        if (key == QLatin1String("maker")) this->device.setManufacturerId(quint8(value.toInt()));
        if (key == QLatin1String("pressure")) this->device.setAppliedPressure(value.toDouble());
        if (key == QLatin1String("offset")) c.mountingOffset = number(value);
    }
    this->device.settle();
    if (read) {
        // Every row but the reads' own starts where the user does: the transmitter read and the
        // panels shown.
        session.SendIdentify();
        waitIdle();
        session.Timer1_Timer();
        waitIdle();
    }
    this->device.clearTrace();
    view.told.clear();
    user.asked.clear();
    requests_ = 0;
}

bool ChainRig::waitIdle() {
    return waitInLoop([this] { return !session.hart()->isBusy(); });
}

bool ChainRig::fault(const QString &step) {
    const QStringList f = step.split(QLatin1Char(' '));
    const QString what = f.value(0);
    const int n = f.value(1).section(QLatin1Char(':'), 0, 0).toInt();
    const int code = f.value(1).section(QLatin1Char(':'), 1).toInt();
    if (what == QLatin1String("busy")) {
        device.setBusy(n);
    } else if (what == QLatin1String("silent")) {
        device.setSilent(n);
    } else if (what == QLatin1String("code")) {
        device.setForcedResponse(n, code);
    } else if (what == QLatin1String("once")) {
        device.setForcedResponse(n, code);
        const QString reply = QStringLiteral("RSP cmd=%1 ").arg(n);
        QObject::connect(&device, &SimDevice::traceLine, &device,
                         [this, n, reply](const QString &l) {
                             if (l.startsWith(reply)) device.setForcedResponse(n, 0);
                         });
    } else if (what == QLatin1String("at")) {
        atRequest_.emplace(n, step.section(QLatin1Char(' '), 2));
    } else {
        return false;
    }
    return true;
}

bool ChainRig::step(const QString &s) {
    if (s.contains(QLatin1Char('='))) {
        const QString key = s.section(QLatin1Char('='), 0, 0);
        const QString value = s.section(QLatin1Char('='), 1);
        if (const auto it = kFields.find(key); it != kFields.end())
            view.entries[it->second] = value;
        else if (key == QLatin1String("direction"))
            view.direction = value.toInt();
        else if (key == QLatin1String("mounting"))
            view.mounting = value.toInt();
        else if (key == QLatin1String("monitoring"))
            view.monitoringOn = value == QLatin1String("1");
        else if (key == QLatin1String("dev.unit"))
            session.Dev.UnitName = value;
        else if (key == QLatin1String("dev.pending"))
            session.Dev.PendingRangeCommand = quint8(value.toInt());
        else
            return false;
        return true;
    }
    if (s == QLatin1String("wait")) return waitIdle();
    if (s.startsWith(QLatin1String("raw "))) {
        session.hart()->setDataIndex(0);
        session.hart()->setByteCount(0);
        session.hart()->setCommand(qint16(s.mid(4).toInt()));
        return true;
    }
    Session &S = session;
    const std::map<QString, std::function<void()>> actions{
        {QStringLiteral("identify"), [&] { S.SendIdentify(); }},
        {QStringLiteral("readTag"), [&] { S.SendReadTag(); }},
        {QStringLiteral("readInfo"), [&] { S.SendReadOutputInfo(); }},
        {QStringLiteral("readLimits"), [&] { S.SendReadSensorLimits(); }},
        {QStringLiteral("readDirection"), [&] { S.SendReadOutputDirection(); }},
        {QStringLiteral("pressure"), [&] { S.SendReadPressure(); }},
        {QStringLiteral("setUpper"), [&] { S.SendSetUpperRange(); }},
        {QStringLiteral("setLower"), [&] { S.SendSetLowerRange(); }},
        {QStringLiteral("unit"), [&] { S.SendWriteUnit(); }},
        {QStringLiteral("range"), [&] { S.SendWriteRange(); }},
        {QStringLiteral("damping"), [&] { S.SendWriteDamping(); }},
        {QStringLiteral("writeDirection"), [&] { S.SendWriteOutputDirection(); }},
        {QStringLiteral("tag"), [&] { S.SendWriteTag(); }},
        {QStringLiteral("mounting"), [&] { S.SendMountingEffect(); }},
        {QStringLiteral("on"), [&] { S.SendFixedCurrentOn(); }},
        {QStringLiteral("off"), [&] { S.SendFixedCurrentOff(); }},
        {QStringLiteral("toggle"), [&] { S.toggleSimulation(); }},
        {QStringLiteral("enter"), [&] { S.simulationEntered(); }},
        {QStringLiteral("monitor"), [&] { S.startMonitoring(); }},
        {QStringLiteral("stop"), [&] { S.stopMonitoring(); }},
        {QStringLiteral("tick1"), [&] { S.Timer1_Timer(); }},
        {QStringLiteral("tick2"), [&] { S.Timer2_Timer(); }},
        {QStringLiteral("tick4"), [&] { S.Timer4_Timer(); }},
        {QStringLiteral("tick5"), [&] { S.Timer5_Timer(); }},
    };
    if (const auto it = actions.find(s); it != actions.end()) {
        it->second();
        return true;
    }
    return fault(s);
}

QStringList ChainRig::wire() const {
    QStringList out;
    for (const SimDevice::TraceEntry &e : device.trace())
        out << req(e.command, e.requestData);
    return out;
}

QString ChainRig::probe(const QString &key) const {
    const DeviceRecord &d = session.Dev;
    const SimDevice::Config &c = device.config();
    const std::map<QString, std::function<QString()>> probes{
        {QStringLiteral("timer1"), [&] { return shown(session.Timer1->isActive()); }},
        {QStringLiteral("timer2"), [&] { return shown(session.Timer2->isActive()); }},
        {QStringLiteral("timer4"), [&] { return shown(session.Timer4->isActive()); }},
        {QStringLiteral("timer5"), [&] { return shown(session.Timer5->isActive()); }},
        {QStringLiteral("pointer"), [&] { return shown(int(view.pointer)); }},
        {QStringLiteral("progress"), [&] { return shown(view.progress); }},
        {QStringLiteral("detail"), [&] { return shown(!user.lastDetail.isEmpty()); }},
        {QStringLiteral("dev.unit"), [&] { return d.UnitName; }},
        {QStringLiteral("dev.lower"), [&] { return shown(d.LowerRangeValue); }},
        {QStringLiteral("dev.upper"), [&] { return shown(d.UpperRangeValue); }},
        {QStringLiteral("dev.damping"), [&] { return shown(d.Damping); }},
        {QStringLiteral("dev.direction"), [&] { return shown(d.OutputDirection); }},
        {QStringLiteral("dev.serial"), [&] { return QString::number(d.SerialNumber); }},
        {QStringLiteral("dev.tag"), [&] { return d.Tag; }},
        {QStringLiteral("dev.maker"), [&] { return shown(d.ManufacturerId); }},
        {QStringLiteral("dev.busy"), [&] { return shown(d.BusyRetryCount); }},
        {QStringLiteral("sim.tag"), [&] { return c.tag; }},
        {QStringLiteral("sim.lower"), [&] { return shown(double(c.lowerRange)); }},
        {QStringLiteral("sim.upper"), [&] { return shown(double(c.upperRange)); }},
        {QStringLiteral("sim.damping"), [&] { return shown(double(c.damping)); }},
        {QStringLiteral("sim.direction"), [&] { return shown(c.outputDirection); }},
        {QStringLiteral("sim.unit"), [&] { return shown(c.unitCode); }},
        {QStringLiteral("sim.offset"), [&] { return shown(double(c.mountingOffset)); }},
        {QStringLiteral("sim.fixed"),
         [&] { return c.fixedCurrent ? shown(double(*c.fixedCurrent)) : QStringLiteral("none"); }},
    };
    const auto it = probes.find(key);
    return key + QLatin1Char('=') + (it == probes.end() ? QStringLiteral("?") : it->second());
}

QString req(int command, const QByteArray &data) {
    return data.isEmpty()
               ? QString::number(command)
               : QStringLiteral("%1 %2").arg(command).arg(QString::fromLatin1(data.toHex()));
}
