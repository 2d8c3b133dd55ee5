// What zanu-hart's three modes (one command, --scan, configuration files) share: how a --port
// value becomes a device and a name for messages, how a port we may not open is told apart from
// a silent one, the exit statuses they have in common, the option parser's conventions, and the
// pause kept after the last transaction.
#pragma once

#include "hart/hartx.h"
#include "hart/link/link_timing.h"
#include "hart/link/serial_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

namespace console {

constexpr int kExitUsage = 1;
constexpr int kExitNoAnswer = 2;
// Distinct from "no answer": the cure is a group membership, not a cable.
constexpr int kExitPermission = 7;

struct Port {
    QString device;  // what is opened
    QString label;   // "COM 3", or the path as the user typed it when that is not the device
    int comPort = 0; // 0 when no COM number was given
    // How messages name the port: "COM 3 (/dev/ttyS2)", "link (/tmp/t/link)", "/dev/ttyUSB0".
    QString text() const {
        return label.isEmpty() ? device : QStringLiteral("%1 (%2)").arg(label, device);
    }
};

// "COM3" or "COM 3" names a COM port. Anything else is a device; QSerialPort looks a bare name
// up under /dev, so a name that exists relative to the working directory is made absolute
// here (a script's "--port link" means ./link), and one that exists only under /dev is taken
// from there.
inline std::optional<Port> portFromArgument(const QString &value, QString *error) {
    static const QRegularExpression com(QStringLiteral("^COM\\s*(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (value.trimmed().isEmpty()) {
        *error = QStringLiteral("--port needs a device or COM port");
        return std::nullopt;
    }
    Port p;
    const auto m = com.match(value.trimmed());
    if (m.hasMatch()) {
        bool ok = false;
        const int n = m.captured(1).toInt(&ok);
        if (!ok || n < 1 || n > 12) {
            *error = QStringLiteral("%1: COM ports are COM1 to COM12").arg(value);
            return std::nullopt;
        }
        p.comPort = n;
        p.device = comPortDeviceName(n);
        p.label = QStringLiteral("COM %1").arg(n);
        return p;
    }
    p.device = value;
    if (QDir::isRelativePath(value)) {
        const QString under = QStringLiteral("/dev/") + value;
        if (QFileInfo::exists(value))
            p.device = QFileInfo(value).absoluteFilePath();
        else if (!value.contains(QLatin1Char('/')) && QFileInfo::exists(under))
            p.device = under;
        if (p.device != value) p.label = value;
    }
    return p;
}

// Makes the serial lines of a run and remembers them, so that after an unanswered transaction
// the run can ask whether a port was refused for lack of permission.
class Lines {
public:
    std::unique_ptr<HartLine> make(const QString &device, const QString &label) {
        auto line = std::make_unique<SerialLine>(device, label);
        made_.append(line.get());
        return line;
    }
    bool permissionDenied() const {
        for (const QPointer<SerialLine> &l : made_)
            if (l && l->permissionDenied()) return true;
        return false;
    }

private:
    QList<QPointer<SerialLine>> made_;
};

// Keeps the port (and the process) until RT2 has passed since the last reply: the next run of a
// script then leaves another master the same pause our own next transaction would.
inline void holdLinkGrant(const QElapsedTimer &sinceLastReply, const LinkTiming &timing) {
    const qint64 left = sinceLastReply.isValid() ? timing.linkGrantMs - sinceLastReply.elapsed()
                                                 : qint64(timing.linkGrantMs);
    if (left <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(int(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Both "--opt value" and "--opt=value"; "-h" and "--help" are looked at before parsing.
inline void setUpParser(QCommandLineParser *parser) {
    parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser->setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
}

// The problem a failed parse() had, in the words of zanu-hart's messages.
inline QString parseProblem(const QCommandLineParser &parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("unknown option %1%2")
            .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                 unknown.first());
    return parser.errorText();
}

// The option names an argument list uses ("--port=x" counts as "--port"), for choosing the mode
// before the mode's own parser runs.
inline bool hasOption(const QStringList &args, const QString &name) {
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--")) return false;
        if (args[i] == name || args[i].startsWith(name + QLatin1Char('='))) return true;
    }
    return false;
}

} // namespace console
