#include "config_console.h"

#include "hart/hart_catalogue.h"
#include "hart/hartx.h"
#include "hart/link/serial_line.h"
#include "records/comparison.h"
#include "records/configuration.h"
#include "units/module1.h"
#include "window/result_rules.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <optional>

const char kConfigConsoleUsage[] =
    "\n"
    "Configuration files:\n"
    "  zanu-hart --port DEVICE_OR_COMn --read-config [FILE]\n"
    "  zanu-hart --port DEVICE_OR_COMn --write-config FILE [--dry-run] [--force]\n"
    "\n"
    "--read-config reads the transmitter as the window does (HART 0, 13, 15, 14, 129) and\n"
    "writes its configuration as JSON to FILE, or to standard output without FILE.\n"
    "--write-config prints each change as 'name: old -> new', writes the groups that differ\n"
    "(unit then range, damping then output direction, tag with descriptor and date), reads\n"
    "the transmitter again and prints 'verified' or the fields that still differ.\n"
    "  --dry-run   print the changes only\n"
    "  --force     write a file saved from a transmitter with another serial number\n"
    "\n"
    "Exit status: 0 done (verified), 1 bad arguments or bad file, 2 no answer, 3 not a Zanu\n"
    "transmitter, 4 the transmitter refused a command (its message is printed), 5 the file\n"
    "is from another serial number and --force is absent, 6 written but the read-back differs.\n";

namespace {

enum Exit {
    kDone = 0,
    kBad = 1,
    kNoAnswer = 2,
    kOtherMaker = 3,
    kRefused = 4,
    kOtherSerial = 5,
    kNotVerified = 6
};

constexpr int kBusyBit = hart::rc::Busy;
constexpr int kBusyRetryLimit = 10;

void err(const QString &text) {
    std::fprintf(stderr, "zanu-hart: %s\n", text.toLocal8Bit().constData());
}

void out(const QString &text) {
    std::fprintf(stdout, "%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

struct Options {
    QString device, label;
    int comPort = 1;
    bool read = false, write = false, dryRun = false, force = false;
    QString file;
};

QString parse(const QStringList &argv, Options *o) {
    bool havePort = false;
    for (int i = 1; i < argv.size(); ++i) {
        const QString &a = argv[i];
        const bool hasValue = i + 1 < argv.size() && !argv[i + 1].startsWith(QLatin1String("--"));
        if (a == QLatin1String("--port")) {
            if (!hasValue) return QStringLiteral("--port needs a device or COM port");
            const QString &v = argv[++i];
            static const QRegularExpression com(QStringLiteral("^COM\\s*(\\d+)$"),
                                                QRegularExpression::CaseInsensitiveOption);
            const auto m = com.match(v);
            if (m.hasMatch()) {
                const int n = m.captured(1).toInt();
                if (n < 1 || n > 12)
                    return QStringLiteral("%1: COM ports are COM1 to COM12").arg(v);
                o->comPort = n;
                o->device = comPortDeviceName(n);
                o->label = QStringLiteral("COM %1").arg(n);
            } else {
                o->device = v;
            }
            havePort = true;
        } else if (a == QLatin1String("--read-config")) {
            o->read = true;
            if (hasValue) o->file = argv[++i];
        } else if (a == QLatin1String("--write-config")) {
            o->write = true;
            if (!hasValue) return QStringLiteral("--write-config needs a file");
            o->file = argv[++i];
        } else if (a == QLatin1String("--dry-run")) {
            o->dryRun = true;
        } else if (a == QLatin1String("--force")) {
            o->force = true;
        } else {
            return QStringLiteral("unexpected argument %1").arg(a);
        }
    }
    if (!havePort) return QStringLiteral("--port is required");
    if (o->read && o->write)
        return QStringLiteral("--read-config and --write-config exclude each other");
    if ((o->dryRun || o->force) && !o->write)
        return QStringLiteral("--dry-run and --force go with --write-config");
    return QString();
}

// The HART control driven one transaction at a time, with the window's busy resend.
class Master {
public:
    explicit Master(const Options &o) : options_(o) {
        hart_.setLineFactory(
            [this](int) { return std::make_unique<SerialLine>(options_.device, options_.label); });
        hart_.setLinkSetting6(1);
        hart_.setCommPort(quint8(o.comPort));
        hart_.setLinkSetting3(0);
        hart_.setLinkSetting9(10);
        hart_.setLinkSetting10(0);
    }

    HartX &hart() { return hart_; }

    // Sends one request built by `fill` (which writes from DataIndex 0 on) and waits for its
    // end. Returns the exit status for a failure, or nothing when the reply's code is 0.
    std::optional<int> transact(int command, int byteCount,
                                const std::function<void(HartX &)> &fill = {}) {
        hart_.setDataIndex(0);
        if (fill) fill(hart_);
        hart_.setByteCount(qint16(byteCount));
        for (int sends = 1;; ++sends) {
            QEventLoop loop;
            qint16 result = 0;
            auto c = QObject::connect(&hart_, &HartX::Result, &loop, [&](qint16, qint16, qint16 r) {
                result = r;
                loop.quit();
            });
            hart_.setCommand(qint16(command));
            loop.exec();
            QObject::disconnect(c);
            if (result == HartX::kNoAnswer) {
                err(QStringLiteral("no answer to HART command %1: %2")
                        .arg(command)
                        .arg(hart_.LastError()));
                return kNoAnswer;
            }
            const int rc = hart_.ResponseCode();
            if (rc & kBusyBit) {
                if (sends < kBusyRetryLimit) continue;
                err(QStringLiteral("Transmitter is Busy, Aborting Send Process"));
                return kRefused;
            }
            if (rc != 0) {
                err(QStringLiteral("the transmitter refused HART command %1: %2")
                        .arg(command)
                        .arg(Module1::ResponseCodeMessage(rc, command)));
                return kRefused;
            }
            return std::nullopt;
        }
    }

    // The window's read sequence, decoded the way the window decodes it.
    std::optional<int> read(records::Configuration *c) {
        namespace at = hart::at;
        HartX &h = hart_;
        if (auto fail = transact(hart::cmd::ReadUniqueIdentifier, 0)) return fail;
        h.setDataIndex(at::Identity::ManufacturerId);
        c->manufacturer = h.ByteValue();
        h.setDataIndex(at::Identity::DeviceType);
        c->deviceType = h.ByteValue();
        h.setDataIndex(at::Identity::UniversalRevision);
        c->hartRevision = h.ByteValue();
        h.setDataIndex(at::Identity::DeviceId);
        c->deviceId = quint32(h.Int24Value());
        if (c->manufacturer != records::kZanuManufacturerId) {
            err(QStringLiteral("the transmitter on %1 is not a Zanu transmitter (manufacturer "
                               "%2); nothing was done")
                    .arg(options_.device)
                    .arg(c->manufacturer));
            return kOtherMaker;
        }
        namespace T = at::TagDescriptorDate;
        if (auto fail = transact(hart::cmd::ReadTagDescriptorDate, 0)) return fail;
        h.setDataIndex(T::Tag);
        h.setPackedLength(T::TagBytes);
        c->tag = records::trimmedField(h.PackedString());
        h.setDataIndex(T::Descriptor);
        h.setPackedLength(T::DescriptorBytes);
        c->descriptor = records::trimmedField(h.PackedString());
        h.setDataIndex(T::Day);
        const int day = h.ByteValue();
        h.setDataIndex(T::Month);
        const int month = h.ByteValue();
        h.setDataIndex(T::Year);
        c->date = QDate(1900 + h.ByteValue(), month, day);
        if (auto fail = transact(hart::cmd::ReadOutputInfo, 0)) return fail;
        h.setDataIndex(at::OutputInfo::RangeUnit);
        c->unitCode = h.ByteValue();
        c->unit = Module1::UnitNameFromCode(c->unitCode);
        h.setDataIndex(at::OutputInfo::UpperRange);
        c->upperRangeValue = records::tidySingle(h.FloatValue());
        h.setDataIndex(at::OutputInfo::LowerRange);
        c->lowerRangeValue = records::tidySingle(h.FloatValue());
        h.setDataIndex(at::OutputInfo::Damping);
        c->dampingS = records::tidySingle(h.FloatValue());
        if (auto fail = transact(hart::cmd::ReadSensorInfo, 0)) return fail;
        h.setDataIndex(at::SensorInfo::SerialNumber);
        c->serialNumber = ResultRules::SerialWithPrefix(h.Int24Value());
        h.setDataIndex(at::SensorInfo::UpperLimit);
        c->upperSensorLimit = records::tidySingle(h.FloatValue());
        h.setDataIndex(at::SensorInfo::LowerLimit);
        c->lowerSensorLimit = records::tidySingle(h.FloatValue());
        h.setDataIndex(at::SensorInfo::MinimumSpan);
        c->minimumSpan = records::tidySingle(h.FloatValue());
        if (auto fail = transact(hart::cmd::ReadOutputDirection, 0)) return fail;
        h.setDataIndex(at::OutputDirection::Direction);
        c->outputDirection = h.ByteValue() == 0 ? 0 : 1;
        c->programName = QStringLiteral("zanu-hart");
        c->programVersion = records::programVersion();
        return std::nullopt;
    }

    // One write group, in the window's order within it.
    std::optional<int> write(records::Group g, const records::Configuration &c) {
        namespace at = hart::at;
        switch (g) {
        case records::Group::UnitRange:
            if (auto fail = transact(hart::cmd::WritePvUnits, at::PvUnit::Size,
                                     [&](HartX &h) { h.setByteValue(quint8(c.unitCode)); }))
                return fail;
            return transact(hart::cmd::WriteRangeValues, at::RangeValues::Size, [&](HartX &h) {
                h.setDataIndex(at::RangeValues::Unit);
                h.setByteValue(quint8(c.unitCode));
                h.setDataIndex(at::RangeValues::Upper);
                h.setFloatValue(c.upperRangeValue);
                h.setDataIndex(at::RangeValues::Lower);
                h.setFloatValue(c.lowerRangeValue);
            });
        case records::Group::DampingDirection:
            if (auto fail = transact(hart::cmd::WriteDamping, at::Damping::Size,
                                     [&](HartX &h) { h.setFloatValue(c.dampingS); }))
                return fail;
            return transact(hart::cmd::WriteOutputDirection, at::OneByte::Size,
                            [&](HartX &h) { h.setByteValue(quint8(c.outputDirection)); });
        case records::Group::Tag: {
            namespace T = at::TagDescriptorDate;
            return transact(hart::cmd::WriteTagDescriptorDate, T::Size, [&](HartX &h) {
                h.setDataIndex(T::Tag);
                h.setPackedLength(T::TagBytes);
                h.setPackedString(c.tag);
                h.setDataIndex(T::Descriptor);
                h.setPackedLength(T::DescriptorBytes);
                h.setPackedString(c.descriptor);
                h.setDataIndex(T::Day);
                h.setByteValue(quint8(c.date.day()));
                h.setDataIndex(T::Month);
                h.setByteValue(quint8(c.date.month()));
                h.setDataIndex(T::Year);
                h.setByteValue(quint8(c.date.year() - 1900));
            });
        }
        case records::Group::None:
            break;
        }
        return std::nullopt;
    }

private:
    Options options_;
    HartX hart_;
};

int readConfig(const Options &o) {
    Master m(o);
    records::Configuration c;
    if (auto fail = m.read(&c)) return *fail;
    if (c.unit.isEmpty()) {
        err(QStringLiteral("the transmitter works in unit code %1, which this program does not "
                           "know; no file was written")
                .arg(c.unitCode));
        return kBad;
    }
    if (!c.date.isValid()) {
        err(QStringLiteral("the transmitter's date is not a calendar date; no file was written"));
        return kBad;
    }
    QDateTime now = QDateTime::currentDateTime();
    now.setOffsetFromUtc(now.offsetFromUtc());
    c.saved = now;
    if (o.file.isEmpty()) {
        std::fputs(records::toJson(c).constData(), stdout);
        std::fflush(stdout);
        return kDone;
    }
    QString error;
    if (!records::writeFile(o.file, c, &error)) {
        err(error);
        return kBad;
    }
    return kDone;
}

int writeConfig(const Options &o) {
    records::Configuration file;
    QString error;
    if (!records::readFile(o.file, &file, &error)) {
        err(error);
        return kBad;
    }
    if (file.manufacturer != records::kZanuManufacturerId) {
        err(QStringLiteral("%1 describes a transmitter of manufacturer %2; only Zanu "
                           "transmitters are written")
                .arg(QFileInfo(o.file).fileName())
                .arg(file.manufacturer));
        return kOtherMaker;
    }
    Master m(o);
    records::Configuration device;
    if (auto fail = m.read(&device)) return *fail;
    if (file.serialNumber != device.serialNumber && !o.force) {
        err(QStringLiteral("%1 was saved from the transmitter with serial number %2; this one "
                           "has serial number %3. Nothing was written; use --force to write it.")
                .arg(QFileInfo(o.file).fileName())
                .arg(file.serialNumber)
                .arg(device.serialNumber));
        return kOtherSerial;
    }
    const records::Comparison cmp = records::compare(file, device);
    for (const QString &line : cmp.changes)
        out(line);
    if (cmp.changes.isEmpty()) out(QStringLiteral("no changes"));
    if (o.dryRun) return kDone;
    for (records::Group g : cmp.groups)
        if (auto fail = m.write(g, file)) return *fail;
    records::Configuration after;
    if (auto fail = m.read(&after)) return *fail;
    const QStringList differ = records::writableDifferences(file, after);
    if (differ.isEmpty()) {
        out(QStringLiteral("verified"));
        return kDone;
    }
    for (const records::FieldRow &r : records::compare(file, after).rows)
        if (differ.contains(r.key))
            out(QStringLiteral("differs: %1: file %2, transmitter %3")
                    .arg(r.key, r.file, r.device));
    return kNotVerified;
}

} // namespace

bool IsConfigConsoleCommand(const QStringList &args) {
    return args.contains(QLatin1String("--read-config")) ||
           args.contains(QLatin1String("--write-config"));
}

int RunConfigConsole(const QStringList &args) {
    Options o;
    const QString problem = parse(args, &o);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "zanu-hart: %s\n%s", qPrintable(problem), kConfigConsoleUsage);
        return kBad;
    }
    return o.read ? readConfig(o) : writeConfig(o);
}
