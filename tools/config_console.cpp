#include "config_console.h"

#include "console_common.h"
#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "hart/hartx.h"
#include "hart/link/serial_line.h"
#include "history/recorder.h"
#include "platform/exit_signals.h"
#include "records/comparison.h"
#include "records/configuration.h"
#include "records/from_replies.h"
#include "units/module1.h"
#include "units/single.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>

#include <cstdio>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

const char kConfigConsoleUsage[] =
    "\n"
    "Configuration files:\n"
    "  zanu-hart --port DEVICE_OR_COMn --read-config [FILE] [--timing KEY=MS,...]\n"
    "  zanu-hart --port DEVICE_OR_COMn --write-config FILE [--dry-run] [--force]\n"
    "            [--timing KEY=MS,...]\n"
    "\n"
    "--read-config reads the transmitter as the window does (HART 0, 13, 15, 14, 129) and\n"
    "writes its configuration as JSON to FILE, or to standard output without FILE. FILE must\n"
    "be a regular file or a new one (not a FIFO, device or directory).\n"
    "--write-config prints each change as 'name: old -> new', writes the groups that differ\n"
    "(unit then range, damping then output direction, tag with descriptor and date), reads\n"
    "the transmitter again and prints 'verified' or 'differs: ...' for each field that still\n"
    "differs. A warning from the transmitter (8 Set to Nearest Value, 14 Span too Small) is\n"
    "printed as 'warning: GROUP: MESSAGE' and the write goes on; a refusal stops the groups\n"
    "after it, but the transmitter is still read back. The run ends with one line per group:\n"
    "  GROUP: written | written with warning (MESSAGE) | refused (MESSAGE)\n"
    "       | skipped (an earlier group was refused) | not started (ended by signal N)\n"
    "SIGTERM, SIGINT or SIGHUP let the transaction on the wire finish, then print these lines\n"
    "and end with status 128+N (a second signal ends at once).\n"
    "  --dry-run   print the changes only\n"
    "  --force     write a file saved from a transmitter with another serial number\n"
    "\n"
    "Exit status: 0 done (verified), 1 bad arguments or bad file, 2 no answer (or a reply too\n"
    "short to read), 3 not a Zanu Pelvanor I / Ostrimel transmitter, 4 the transmitter refused\n"
    "a command (its message is printed), 5 the file is from another serial number and --force\n"
    "is absent, 6 written but the read-back differs, 7 no permission to open the port (join the\n"
    "dialout group), 128+N ended by signal N.\n"
    "Both record in the history as the window does (see --history): each write before it is\n"
    "sent, with its old and new value, and its outcome after the reply.\n";

namespace {

enum Exit {
    kDone = 0,
    kBad = 1,
    kNoAnswer = console::kExitNoAnswer,
    kOtherMaker = 3,
    kRefused = 4,
    kOtherSerial = 5,
    kNotVerified = 6,
    kPermission = console::kExitPermission,
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
    console::Port port;
    bool read = false, write = false, dryRun = false, force = false;
    QString file;
    LinkTiming timing;
};

// "--read-config" takes its file as an optional value, which the parser has no form for: the
// file is the positional argument, and "--read-config=FILE" is split into that form.
QStringList splitOptionalValue(const QStringList &argv) {
    const QString prefix = QStringLiteral("--read-config=");
    QStringList out;
    for (const QString &a : argv) {
        if (a.startsWith(prefix)) {
            out << prefix.chopped(1) << a.mid(prefix.size());
        } else {
            out << a;
        }
    }
    return out;
}

QString parse(const QStringList &argv, Options *o) {
    QString error;
    if (!LinkTiming::fromEnvironment(&o->timing, &error)) return error;
    QCommandLineParser p;
    console::setUpParser(&p);
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("DEVICE"));
    const QCommandLineOption read(QStringLiteral("read-config"));
    const QCommandLineOption write(QStringLiteral("write-config"), QString(),
                                   QStringLiteral("FILE"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"));
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption timing(QStringLiteral("timing"), QString(), QStringLiteral("KEYS"));
    p.addOptions({port, read, write, dryRun, force, timing});
    if (!p.parse(splitOptionalValue(argv))) return console::parseProblem(p);
    if (!p.isSet(port)) return QStringLiteral("--port is required");
    const auto given = console::portFromArgument(p.value(port), &error);
    if (!given) return error;
    o->port = *given;
    for (const QString &t : p.values(timing))
        if (!LinkTiming::parse(t, &o->timing, &error)) return error;
    o->read = p.isSet(read);
    o->write = p.isSet(write);
    o->dryRun = p.isSet(dryRun);
    o->force = p.isSet(force);
    const QStringList rest = p.positionalArguments();
    if (o->read && o->write)
        return QStringLiteral("--read-config and --write-config exclude each other");
    if ((o->dryRun || o->force) && !o->write)
        return QStringLiteral("--dry-run and --force go with --write-config");
    if (rest.size() > (o->read ? 1 : 0))
        return QStringLiteral("unexpected argument %1").arg(rest.last());
    o->file = o->write ? p.value(write) : rest.value(0);
    if (o->write && o->file.isEmpty()) return QStringLiteral("--write-config needs a file");
    return QString();
}

// What a path is when it is there but is no regular file; empty otherwise. Opening a FIFO for
// writing blocks until a reader comes, and a device or directory is never what was meant.
QString notARegularFile(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) return QString();
    if (info.isDir()) return QStringLiteral("a directory");
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISFIFO(st.st_mode)) return QStringLiteral("a FIFO (named pipe)");
        if (S_ISSOCK(st.st_mode)) return QStringLiteral("a socket");
        if (S_ISCHR(st.st_mode)) return QStringLiteral("a character device");
        if (S_ISBLK(st.st_mode)) return QStringLiteral("a block device");
    }
#endif
    return QStringLiteral("not a regular file");
}

// How one transaction ended, as the console reports it.
struct Step {
    enum Kind { Ok, Warning, Refused, NoAnswer, Stopped };
    Kind kind = Ok;
    int command = 0;
    int code = 0;
    QString message;               // the response code's message, or why nothing came
    bool permissionDenied = false; // NoAnswer: the port may not be opened
};

// How one write group ended.
struct GroupReport {
    records::Group group = records::Group::None;
    enum State { Pending, Written, Warned, Refused, Skipped, NoAnswer, Partly, NotStarted };
    State state = Pending;
    QString message;
    bool permissionDenied = false;

    QString line(int signalNumber) const {
        const QString name = records::groupText(group);
        switch (state) {
        case Written:
            return QStringLiteral("%1: written").arg(name);
        case Warned:
            return QStringLiteral("%1: written with warning (%2)").arg(name, message);
        case Refused:
            return QStringLiteral("%1: refused (%2)").arg(name, message);
        case Skipped:
            return QStringLiteral("%1: skipped (an earlier group was refused)").arg(name);
        case NoAnswer:
            return QStringLiteral("%1: not confirmed (no answer: %2)").arg(name, message);
        case Partly:
            return QStringLiteral("%1: partly written (%2; ended by signal %3)")
                .arg(name, message)
                .arg(signalNumber);
        case NotStarted:
        case Pending:
            break;
        }
        return signalNumber
                   ? QStringLiteral("%1: not started (ended by signal %2)")
                         .arg(name)
                         .arg(signalNumber)
                   : QStringLiteral("%1: skipped (an earlier group got no answer)").arg(name);
    }
};

// The HART control driven one transaction at a time, with the window's busy resend. A signal
// lets the transaction on the wire finish and keeps any further one from starting.
class Master {
public:
    explicit Master(const Options &o) : options_(o) {
        hart_.setLineFactory(
            [this](int) { return lines_.make(options_.port.device, options_.port.label); });
        hart_.setPortLabel(options_.port.text());
        hart_.setLinkTiming(options_.timing);
        hart_.setLinkSetting6(1);
        hart_.setCommPort(quint8(qMax(1, o.port.comPort)));
        hart_.setLinkSetting3(0);
        hart_.setLinkSetting9(10);
        hart_.setLinkSetting10(0);
        QObject::connect(&signals_, &ExitSignals::received, [this](int n) {
            if (stopSignal_ == 0) stopSignal_ = n;
        });
        // Recorded like the window: a write goes in before it is sent. A history that cannot
        // be written is said once and the run goes on.
        recorder_.setPort(options_.port.text());
        if (!recorder_.openNotice().isEmpty()) err(recorder_.openNotice());
        QObject::connect(&recorder_, &history::Recorder::warning, [this](const QString &text) {
            if (text != recorder_.openNotice()) err(text);
        });
    }
    // The link grant after our last transaction, before the port is let go.
    ~Master() {
        if (sinceLast_.isValid()) console::holdLinkGrant(sinceLast_, options_.timing);
    }

    HartX &hart() { return hart_; }
    int stopSignal() const { return stopSignal_; }

    // The exit status for a step that failed a read, after saying why.
    int fail(const Step &s) {
        switch (s.kind) {
        case Step::Ok:
        case Step::Warning:
            return kDone;
        case Step::Refused:
            err(QStringLiteral("the transmitter refused HART command %1: %2")
                    .arg(s.command)
                    .arg(s.message));
            return kRefused;
        case Step::NoAnswer:
            if (s.permissionDenied) {
                err(s.message);
                return kPermission;
            }
            err(QStringLiteral("no answer to HART command %1: %2").arg(s.command).arg(s.message));
            return kNoAnswer;
        case Step::Stopped:
            break;
        }
        err(QStringLiteral("stopped by signal %1 after the transaction on the wire had ended; "
                           "%2 closed")
                .arg(stopSignal_)
                .arg(options_.port.text()));
        return 128 + stopSignal_;
    }

    // Sends one request and waits for its end.
    Step transact(int command, const QByteArray &data = {}) {
        Step s;
        s.command = command;
        hart_.setRequestData(data);
        for (int sends = 1;; ++sends) {
            if (stopSignal_) {
                s.kind = Step::Stopped;
                return s;
            }
            QEventLoop loop;
            qint16 result = 0;
            auto c = QObject::connect(&hart_, &HartX::Result, &loop, [&](qint16, qint16, qint16 r) {
                result = r;
                // The control lets go of a failed line once this slot has returned.
                s.permissionDenied = lines_.permissionDenied();
                loop.quit();
            });
            recorder_.transactionStarted(command, data);
            hart_.setCommand(qint16(command));
            loop.exec();
            QObject::disconnect(c);
            sinceLast_.start();
            recorder_.transactionEnded(command, result != HartX::kNoAnswer, hart_.ResponseCode(),
                                       hart_.DeviceStatus(), hart_.ReplyData(), hart_.LastError());
            if (result == HartX::kNoAnswer) {
                s.kind = Step::NoAnswer;
                s.message = hart_.LastError();
                return s;
            }
            s.code = hart_.ResponseCode();
            if (s.code & kBusyBit) {
                if (sends < kBusyRetryLimit) continue;
                s.kind = Step::Refused;
                s.message = QStringLiteral("Transmitter is Busy, Aborting Send Process");
                return s;
            }
            if (s.code != 0) {
                s.kind = hart::rc::isWarning(s.code, command) ? Step::Warning : Step::Refused;
                s.message = Module1::ResponseCodeMessage(s.code, command);
            }
            return s;
        }
    }

    // The exit status when `s` failed or its reply is too short for `decode`'s layout, after
    // saying why; the decoded reply in *out otherwise. A short reply is not read as zeros: they
    // would be saved, or compared and written back, as if the transmitter had said them.
    template <typename T>
    std::optional<int> take(const Step &s, hart::Decoded<T> (*decode)(const QByteArray &), T *out) {
        if (s.kind != Step::Ok && s.kind != Step::Warning) return fail(s);
        const hart::Decoded<T> d = decode(hart_.ReplyData());
        if (!d) {
            err(QStringLiteral("no usable answer to HART command %1 on %2: %3; nothing was done. "
                               "See the whole reply with: zanu-hart --port %4 --decode %1")
                    .arg(s.command)
                    .arg(options_.port.text(), d.why(), options_.port.device));
            return kNoAnswer;
        }
        *out = *d;
        return std::nullopt;
    }

    // The window's read sequence. Returns the exit status of a failure, after saying why.
    std::optional<int> read(records::Configuration *c) {
        namespace cmd = hart::cmd;
        hart::Identity id;
        hart::TagDescriptorDate tag;
        hart::OutputInfo output;
        hart::SensorInfo sensor;
        hart::OutputDirection direction;
        if (auto f = take(transact(cmd::ReadUniqueIdentifier), hart::decodeIdentity, &id)) return f;
        if (id.manufacturerId != records::kZanuManufacturerId) {
            err(QStringLiteral("the transmitter on %1 is not a Zanu transmitter (manufacturer "
                               "%2); nothing was done")
                    .arg(options_.port.text())
                    .arg(id.manufacturerId));
            return kOtherMaker;
        }
        if (auto f =
                take(transact(cmd::ReadTagDescriptorDate), hart::decodeTagDescriptorDate, &tag))
            return f;
        if (auto f = take(transact(cmd::ReadOutputInfo), hart::decodeOutputInfo, &output)) return f;
        if (auto f = take(transact(cmd::ReadSensorInfo), hart::decodeSensorInfo, &sensor)) return f;
        const Step s = transact(cmd::ReadOutputDirection);
        // Another Zanu product has no command 129; its range and unit mean something else,
        // and the window's write path is made for these two transmitters only.
        if (s.kind == Step::Refused && s.code == hart::rc::NotImplemented) {
            err(QStringLiteral("the transmitter on %1 (manufacturer %2, Zanu; device type %3) "
                               "answers HART command 129 with \"Command Not Implemented\": it is "
                               "not a Pelvanor I or Ostrimel; nothing was done")
                    .arg(options_.port.text())
                    .arg(id.manufacturerId)
                    .arg(id.deviceType));
            return kOtherMaker;
        }
        if (auto f = take(s, hart::decodeOutputDirection, &direction)) return f;
        *c = records::fromReplies(id, tag, output, sensor, direction);
        c->programName = QStringLiteral("zanu-hart");
        c->programVersion = records::programVersion();
        return std::nullopt;
    }

    // One write group, in the window's order within it. A warning is printed and the group
    // goes on: the transmitter has taken the value.
    GroupReport write(records::Group g, const records::Configuration &c) {
        GroupReport r;
        r.group = g;
        QStringList warnings;
        int sent = 0;
        for (const auto &request : requests(g, c)) {
            const Step s = transact(request.command, request.data);
            switch (s.kind) {
            case Step::Ok:
                break;
            case Step::Warning:
                out(QStringLiteral("warning: %1: %2").arg(records::groupText(g), s.message));
                warnings << s.message;
                break;
            case Step::Refused:
                err(QStringLiteral("the transmitter refused HART command %1: %2")
                        .arg(s.command)
                        .arg(s.message));
                r.state = GroupReport::Refused;
                r.message = s.message;
                return r;
            case Step::NoAnswer:
                fail(s);
                r.state = GroupReport::NoAnswer;
                r.message = s.message;
                r.permissionDenied = s.permissionDenied;
                return r;
            case Step::Stopped:
                r.state = sent == 0 ? GroupReport::NotStarted : GroupReport::Partly;
                r.message = QStringLiteral("HART command %1 written, %2 not sent")
                                .arg(requests(g, c).first().command)
                                .arg(s.command);
                return r;
            }
            ++sent;
        }
        r.state = warnings.isEmpty() ? GroupReport::Written : GroupReport::Warned;
        r.message = warnings.join(QStringLiteral("; "));
        return r;
    }

private:
    struct Request {
        int command;
        QByteArray data;
    };

    static QList<Request> requests(records::Group g, const records::Configuration &c) {
        namespace cmd = hart::cmd;
        const auto unit = quint8(c.unitCode);
        switch (g) {
        case records::Group::UnitRange:
            return {{cmd::WritePvUnits, hart::encodeByte(unit)},
                    {cmd::WriteRangeValues,
                     hart::encode(hart::RangeValues{unit, toSingle(c.upperRangeValue),
                                                    toSingle(c.lowerRangeValue)})}};
        case records::Group::DampingDirection:
            return {{cmd::WriteDamping, hart::encodeSingle(toSingle(c.dampingS))},
                    {cmd::WriteOutputDirection, hart::encodeByte(quint8(c.outputDirection))}};
        case records::Group::Tag:
            return {{cmd::WriteTagDescriptorDate,
                     hart::encode(hart::TagDescriptorDate{c.tag, c.descriptor, quint8(c.date.day()),
                                                          quint8(c.date.month()),
                                                          quint8(c.date.year() - 1900)})}};
        case records::Group::None:
            break;
        }
        return {};
    }

    Options options_;
    console::Lines lines_;
    HartX hart_;
    ExitSignals signals_;
    int stopSignal_ = 0;
    QElapsedTimer sinceLast_;
    history::Recorder recorder_{QStringLiteral("zanu-hart")};
};

int readConfig(const Options &o) {
    if (!o.file.isEmpty()) {
        const QString kind = notARegularFile(o.file);
        if (!kind.isEmpty()) {
            err(QStringLiteral("%1 is %2, not a regular file; nothing was read. Name a regular "
                               "file, or leave FILE out to print the configuration.")
                    .arg(o.file, kind));
            return kBad;
        }
    }
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

// Reads the transmitter again and prints what still differs from the file; the exit status of
// the read when it fails, else whether everything matched.
std::optional<int> readBack(Master &m, const records::Configuration &file, bool *matches) {
    records::Configuration after;
    if (auto fail = m.read(&after)) return fail;
    const QStringList differ = records::writableDifferences(file, after);
    *matches = differ.isEmpty();
    for (const records::FieldRow &r : records::compare(file, after).rows)
        if (differ.contains(r.key))
            out(QStringLiteral("differs: %1: file %2, transmitter %3")
                    .arg(r.key, r.file, r.device));
    return std::nullopt;
}

int writeGroups(Master &m, const records::Configuration &file, const QList<records::Group> &todo) {
    QList<GroupReport> reports;
    bool refused = false, unanswered = false, denied = false;
    for (records::Group g : todo) {
        GroupReport r;
        r.group = g;
        if (refused) {
            r.state = GroupReport::Skipped;
        } else if (!unanswered && !m.stopSignal()) {
            r = m.write(g, file);
        }
        refused = refused || r.state == GroupReport::Refused;
        unanswered = unanswered || r.state == GroupReport::NoAnswer;
        denied = denied || r.permissionDenied;
        reports << r;
    }
    int exit = refused ? kRefused : unanswered ? (denied ? kPermission : kNoAnswer) : kDone;
    if (m.stopSignal()) {
        m.fail(Step{Step::Stopped, 0, 0, QString(), false});
    } else if (!unanswered) {
        bool matches = true;
        if (auto fail = readBack(m, file, &matches)) {
            if (!refused) exit = *fail;
        } else if (!refused) {
            if (matches) out(QStringLiteral("verified"));
            exit = matches ? kDone : kNotVerified;
        }
    }
    if (m.stopSignal()) exit = 128 + m.stopSignal();
    for (const GroupReport &r : reports)
        out(r.line(m.stopSignal()));
    return exit;
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
    if (auto fail = m.read(&device)) {
        // Stopped before anything was written: every group says so.
        if (m.stopSignal())
            for (records::Group g :
                 {records::Group::UnitRange, records::Group::DampingDirection, records::Group::Tag})
                out(GroupReport{g, GroupReport::NotStarted, QString(), false}.line(m.stopSignal()));
        return *fail;
    }
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
    return writeGroups(m, file, cmp.groups);
}

} // namespace

bool IsConfigConsoleCommand(const QStringList &args) {
    return console::hasOption(args, QStringLiteral("--read-config")) ||
           console::hasOption(args, QStringLiteral("--write-config"));
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
