#include "history/recorder.h"

#include "hart/device_status.h"
#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "records/from_replies.h"
#include "units/module1.h"

#include <QCoreApplication>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace history {

namespace {

namespace cmd = hart::cmd;

// The replies of the read sequence after command 0, as bits of readParts_.
enum ReadPart { Tag = 1, Output = 2, Sensor = 4, Direction = 8, AllParts = 15 };

int readPart(int command) {
    switch (command) {
    case cmd::ReadTagDescriptorDate:
        return Tag;
    case cmd::ReadOutputInfo:
        return Output;
    case cmd::ReadSensorInfo:
        return Sensor;
    case cmd::ReadOutputDirection:
        return Direction;
    default:
        return 0;
    }
}

// Commands that only read: everything else changes the transmitter and is entered as a write,
// so that a command added later is never missed.
bool onlyReads(int command) {
    switch (command) {
    case cmd::ReadUniqueIdentifier:
    case cmd::ReadPrimaryVariable:
    case cmd::ReadLoopCurrent:
    case cmd::ReadDynamicVariables:
    case cmd::ReadUniqueIdentifierByTag:
    case cmd::ReadMessage:
    case cmd::ReadTagDescriptorDate:
    case cmd::ReadSensorInfo:
    case cmd::ReadOutputInfo:
    case cmd::ReadFinalAssemblyNumber:
    case cmd::ReadAdditionalStatus:
    case cmd::ReadOutputDirection:
        return true;
    default:
        return false;
    }
}

QString number(double v) {
    return QString::number(records::tidySingle(v), 'g', 7);
}

QString range(const records::Configuration &c) {
    return QStringLiteral("%1 to %2 %3")
        .arg(number(c.lowerRangeValue), number(c.upperRangeValue), c.unit);
}

QString dateText(const QDate &d) {
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

QString milliamps(float v) {
    return QStringLiteral("%1 mA").arg(QString::number(double(v), 'f', 3));
}

} // namespace

QString loginName() {
#ifdef Q_OS_UNIX
    // The account, not an environment variable a script may have set to anything.
    if (const passwd *pw = ::getpwuid(::geteuid())) return QString::fromLocal8Bit(pw->pw_name);
#endif
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return user.isEmpty() ? QStringLiteral("unknown") : user;
}

Recorder::Recorder(const QString &program, const QString &path, QObject *parent)
    : QObject(parent), program_(program), user_(loginName()), host_(QSysInfo::machineHostName()) {
    store_.open(path.isEmpty() ? Store::defaultPath() : path, &openNotice_);
    failing_ = !store_.isOpen();
}

void Recorder::seed(const records::Configuration &known) {
    known_ = known;
    haveSerial_ = known.serialNumber != 0;
}

Event Recorder::base(const QString &kind) const {
    Event e;
    const QDateTime now = QDateTime::currentDateTime();
    e.time = now.toUTC();
    e.utcOffset = now.offsetFromUtc();
    e.user = user_;
    e.host = host_;
    e.program = program_;
    e.version = records::programVersion();
    e.port = port_;
    e.serial = haveSerial_ ? known_.serialNumber : 0;
    e.tag = known_.tag;
    e.kind = kind;
    return e;
}

qint64 Recorder::add(Event e) {
    QString error;
    if (!store_.isOpen()) {
        // A warning given at opening is repeated to whoever connected after it.
        if (!failing_) return 0;
        failing_ = false;
        emit warning(openNotice_);
        return 0;
    }
    if (store_.append(e, &error)) {
        failing_ = false;
        return e.id;
    }
    if (!failing_) {
        failing_ = true;
        emit warning(tr("The history %1 cannot be written (%2); reads and writes go "
                        "on unrecorded. Free disk space or make the folder writable.")
                         .arg(store_.path(), error));
    }
    return 0;
}

Recorder::Change Recorder::describe(int command, const QByteArray &request) const {
    const records::Configuration &k = known_;
    switch (command) {
    case cmd::WriteTagDescriptorDate: {
        const auto t = hart::decodeTagDescriptorDate(request);
        if (!t) break;
        QStringList what, before, after;
        const QString tag = records::trimmedField(t->tag);
        const QString descriptor = records::trimmedField(t->descriptor);
        const QString date = dateText(t->date());
        if (tag != k.tag) what << QStringLiteral("tag"), before << k.tag, after << tag;
        if (descriptor != k.descriptor)
            what << QStringLiteral("descriptor"), before << k.descriptor, after << descriptor;
        if (date != dateText(k.date))
            what << QStringLiteral("date"), before << dateText(k.date), after << date;
        if (what.isEmpty())
            return {QStringLiteral("write"), QStringLiteral("tag, descriptor, date"),
                    QStringLiteral("%1; %2; %3").arg(k.tag, k.descriptor, dateText(k.date)),
                    QStringLiteral("%1; %2; %3").arg(tag, descriptor, date)};
        return {QStringLiteral("write"), what.join(QStringLiteral(", ")),
                before.join(QStringLiteral("; ")), after.join(QStringLiteral("; "))};
    }
    case cmd::WriteDamping:
        if (const auto v = hart::decodeSingle(request))
            return {QStringLiteral("write"), QStringLiteral("damping"),
                    QStringLiteral("%1 s").arg(number(k.dampingS)),
                    QStringLiteral("%1 s").arg(number(*v))};
        break;
    case cmd::WriteRangeValues:
        if (const auto v = hart::decodeRangeValues(request)) {
            records::Configuration next = k;
            next.lowerRangeValue = v->lower;
            next.upperRangeValue = v->upper;
            next.unit = Module1::UnitNameFromCode(v->unit);
            return {QStringLiteral("write"), QStringLiteral("range"), range(k), range(next)};
        }
        break;
    case cmd::WritePvUnits:
        if (const auto v = hart::decodeByte(request))
            return {QStringLiteral("write"), QStringLiteral("unit"), k.unit,
                    Module1::UnitNameFromCode(*v)};
        break;
    case cmd::WriteOutputDirection:
        if (const auto v = hart::decodeByte(request))
            return {QStringLiteral("write"), QStringLiteral("output direction"), k.outputText(),
                    *v == 0 ? records::kOutputRising : records::kOutputFalling};
        break;
    case cmd::SetUpperRangeValue:
        return {QStringLiteral("write"), QStringLiteral("upper range value to applied pressure"),
                range(k), QStringLiteral("(applied pressure)")};
    case cmd::SetLowerRangeValue:
        return {QStringLiteral("write"), QStringLiteral("lower range value to applied pressure"),
                range(k), QStringLiteral("(applied pressure)")};
    case cmd::MountingEffect:
        if (const auto v = hart::decodeByte(request))
            return {QStringLiteral("write"), QStringLiteral("mounting-effect correction"),
                    QString(), *v ? QStringLiteral("set") : QStringLiteral("reset")};
        break;
    case cmd::FixedCurrentMode:
        if (const auto v = hart::decodeSingle(request)) {
            const QString before = fixedMa_ ? milliamps(*fixedMa_) : QStringLiteral("not fixed");
            if (*v == 0.0f)
                return {QStringLiteral("fixed current"), QStringLiteral("fixed loop current ended"),
                        before, QStringLiteral("not fixed")};
            return {QStringLiteral("fixed current"),
                    fixedMa_ ? QStringLiteral("fixed loop current changed")
                             : QStringLiteral("fixed loop current started"),
                    before, milliamps(*v)};
        }
        break;
    case cmd::WritePollingAddress:
        if (const auto v = hart::decodeByte(request))
            return {QStringLiteral("write"), QStringLiteral("polling address"), QString(),
                    QString::number(*v)};
        break;
    case cmd::ResetConfigChanged:
        return {QStringLiteral("write"), QStringLiteral("configuration-changed flag reset"),
                QString(), QString()};
    case 45: // trim the loop current's zero (4 mA) / gain (20 mA) to the measured current
    case 46:
        if (const auto v = hart::decodeSingle(request))
            return {QStringLiteral("trim"),
                    command == 45 ? QStringLiteral("output trim at 4 mA")
                                  : QStringLiteral("output trim at 20 mA"),
                    QString(), QStringLiteral("measured %1").arg(milliamps(*v))};
        break;
    default:
        break;
    }
    const hart::CommandInfo *info = hart::command(command);
    return {QStringLiteral("write"),
            info
                ? QStringLiteral("HART command %1 (%2)").arg(command).arg(QLatin1String(info->name))
                : QStringLiteral("HART command %1").arg(command),
            QString(), QString::fromLatin1(request.toHex(' '))};
}

void Recorder::transactionStarted(int command, const QByteArray &request) {
    Pending p;
    p.command = command;
    p.request = request;
    if (!onlyReads(command)) {
        const Change c = describe(command, request);
        Event e = base(c.kind);
        e.what = c.what;
        e.oldValue = c.oldValue;
        e.newValue = c.newValue;
        e.outcome = kOutcomeUnknown;
        p.entry = add(e);
    }
    pending_.push_back(p);
}

void Recorder::transactionEnded(int command, bool answered, int responseCode, quint8 deviceStatus,
                                const QByteArray &data, const QString &error) {
    Pending p;
    // A transaction that began before we were attached has nothing pending; its command is
    // still learnt from.
    if (!pending_.empty() && pending_.front().command == command) {
        p = pending_.front();
        pending_.pop_front();
    }
    const bool accepted =
        answered && (responseCode == 0 || hart::rc::isWarning(responseCode, command));
    if (p.entry) {
        Event e = base(QStringLiteral("completed"));
        e.completes = p.entry;
        if (!answered) {
            e.outcome = QStringLiteral("no answer");
            e.message = error;
        } else {
            e.responseCode = responseCode;
            e.message =
                responseCode ? Module1::ResponseCodeMessage(responseCode, command) : QString();
            e.outcome = responseCode == 0                 ? kOutcomeDone
                        : accepted                        ? QStringLiteral("done with warning")
                        : (responseCode & hart::rc::Busy) ? QStringLiteral("busy, not carried out")
                                                          : QStringLiteral("refused");
        }
        add(e);
    }
    if (!answered) return;
    // The status conditions, from every reply: an entry when what needs attention changes.
    const quint8 conditions = deviceStatus & health::kAttentionMask;
    if (status_ ? *status_ != conditions : conditions != 0) {
        Event e = base(QStringLiteral("status"));
        e.what = QStringLiteral("status conditions");
        e.oldValue =
            status_ ? health::attentionSummary(*status_, health::Words::Recorded) : QString();
        if (status_ && e.oldValue.isEmpty()) e.oldValue = QStringLiteral("none");
        e.newValue = conditions ? health::attentionSummary(conditions, health::Words::Recorded)
                                : QStringLiteral("none");
        add(e);
    }
    status_ = conditions;
    if (accepted) learn(command, p.entry ? p.request : data);
}

void Recorder::learn(int command, const QByteArray &data) {
    // For a write the request is what the transmitter took; for a read, its reply.
    switch (command) {
    case cmd::ReadUniqueIdentifier:
        readParts_ = 0;
        readReplies_.clear();
        readReplies_.insert(command, data);
        return;
    case cmd::WriteTagDescriptorDate:
        if (const auto t = hart::decodeTagDescriptorDate(data)) {
            known_.tag = records::trimmedField(t->tag);
            known_.descriptor = records::trimmedField(t->descriptor);
            known_.date = t->date();
        }
        return;
    case cmd::WriteDamping:
        if (const auto v = hart::decodeSingle(data)) known_.dampingS = records::tidySingle(*v);
        return;
    case cmd::WriteRangeValues:
        if (const auto v = hart::decodeRangeValues(data)) {
            known_.lowerRangeValue = records::tidySingle(v->lower);
            known_.upperRangeValue = records::tidySingle(v->upper);
            known_.unitCode = v->unit;
            known_.unit = Module1::UnitNameFromCode(v->unit);
        }
        return;
    case cmd::WritePvUnits:
        if (const auto v = hart::decodeByte(data)) {
            known_.unitCode = *v;
            known_.unit = Module1::UnitNameFromCode(*v);
        }
        return;
    case cmd::WriteOutputDirection:
        if (const auto v = hart::decodeByte(data)) known_.outputDirection = *v;
        return;
    case cmd::FixedCurrentMode:
        if (const auto v = hart::decodeSingle(data)) {
            if (*v == 0.0f)
                fixedMa_.reset();
            else
                fixedMa_ = *v;
        }
        return;
    default:
        break;
    }
    const int part = readPart(command);
    if (!part || !readReplies_.contains(cmd::ReadUniqueIdentifier)) return;
    readReplies_.insert(command, data);
    readParts_ |= part;
    if (readParts_ != AllParts) return;
    const auto id = hart::decodeIdentity(readReplies_.value(cmd::ReadUniqueIdentifier));
    const auto tag = hart::decodeTagDescriptorDate(readReplies_.value(cmd::ReadTagDescriptorDate));
    const auto output = hart::decodeOutputInfo(readReplies_.value(cmd::ReadOutputInfo));
    const auto sensor = hart::decodeSensorInfo(readReplies_.value(cmd::ReadSensorInfo));
    const auto direction =
        hart::decodeOutputDirection(readReplies_.value(cmd::ReadOutputDirection));
    readParts_ = 0;
    readReplies_.clear();
    if (!id || !tag || !output || !sensor || !direction) return;
    known_ = records::fromReplies(*id, *tag, *output, *sensor, *direction);
    haveSerial_ = true;
    known_.programName = program_;
    known_.programVersion = records::programVersion();
    QDateTime now = QDateTime::currentDateTime();
    now.setOffsetFromUtc(now.offsetFromUtc());
    known_.saved = now;
    Event e = base(QStringLiteral("read"));
    e.what = QStringLiteral("configuration read");
    e.newValue = QStringLiteral("manufacturer %1, device type %2, device id %3, serial %4, tag %5")
                     .arg(known_.manufacturer)
                     .arg(known_.deviceType)
                     .arg(known_.deviceIdText())
                     .arg(known_.serialNumber)
                     .arg(known_.tag);
    e.outcome = kOutcomeDone;
    e.detail = QString::fromUtf8(records::toJson(known_));
    add(e);
}

void Recorder::note(const QString &kind, const QString &what, const QString &oldValue,
                    const QString &newValue, const QString &outcome) {
    Event e = base(kind);
    e.what = what;
    e.oldValue = oldValue;
    e.newValue = newValue;
    e.outcome = outcome;
    add(e);
}

} // namespace history
