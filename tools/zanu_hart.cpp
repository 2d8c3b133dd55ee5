// zanu-hart: one HART command from the command line, through the same HART control and serial
// line the configuration tool uses. For checking a modem, a cable or a transmitter without the GUI.
//
//   zanu-hart --port DEVICE_OR_COMn [--polling-address N] [--secondary] [--decode]
//             [--verbose] [--timing KEY=MS,...] CMD [DATAHEX]
//   zanu-hart --port DEVICE_OR_COMn --read-config [FILE]
//   zanu-hart --port DEVICE_OR_COMn --write-config FILE [--dry-run] [--force]
//   (configuration files, in tools/config_console.cpp)
//   zanu-hart --scan [--port DEVICE_OR_COMn]... [--timing KEY=MS,...]  (see scan_console.h)
//   zanu-hart --history [--serial N] [--since YYYY-MM-DD] [--csv] | --history --verify
//
// Prints "rc=N status=0xSS data=HEX" for the reply (and, for command 13, a second line with the
// decoded tag, descriptor and date; with --decode, one line per field of the command catalogue).
// Exit status: 0 a reply came (whatever its response code), 2 no answer (the reason on stderr),
// 1 bad arguments, 7 the port may not be opened (permission), 128 + N ended by signal N (the port
// is closed first, with the settings it had before).
#include "config_console.h"
#include "console_common.h"
#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "hart/hartx.h"
#include "hart/link/com_port_name.h"
#include "hart/link/hart_codec.h"
#include "hart/link/link_log.h"
#include "hart/link/link_timing.h"
#include "hart/link/serial_line.h"
#include "history_console.h"
#include "platform/exit_signals.h"
#include "scan_console.h"
#include "zanu_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

const char kUsage[] =
    "usage: zanu-hart --port DEVICE_OR_COMn [--polling-address N] [--secondary] [--decode]\n"
    "                 [--verbose] [--timing KEY=MS,...] CMD [DATAHEX]\n"
    "\n"
    "Sends HART command 0 to the transmitter at the polling address (default 0) to learn its\n"
    "long address, then CMD (0-255) with the request data DATAHEX (hex digits, up to 255\n"
    "bytes), and prints the reply as: rc=N status=0xSS data=HEX\n"
    "\n"
    "  --port COM3 | /dev/ttyUSB0   the serial port with the HART modem\n"
    "  --polling-address N          0-63\n"
    "  --secondary                  talk as secondary master (default: primary)\n"
    "  --decode                     also print the reply field by field, one per line\n"
    "                               (commands 0-3, 6, 11-19, 34-38, 40, 44, 48, 129, 150, 152)\n"
    "  --verbose                    print every frame sent and received, retries, time-outs\n"
    "                               and port events on stderr\n"
    "  --timing KEYS                change the link timing, e.g. rt1=600,allowance=100 for a\n"
    "                               slow USB adapter (also ZANU_HART_TIMING; this wins).\n"
    "                               Keys (milliseconds, defaults):\n"
    "%1"
    "  --version                    show the version\n"
    "\n"
    "Options take their value as \"--port COM3\" or \"--port=COM3\". A device path relative to\n"
    "the working directory is taken from there. After the last transaction the port is kept\n"
    "for the link grant (rt2), so that back-to-back runs leave another master its turn.\n"
    "\n"
    "Exit status: 0 reply, 2 no answer, 1 bad arguments, 7 no permission to open the port\n"
    "(join the dialout group: sudo usermod -aG dialout $USER, then log in again),\n"
    "128+N ended by signal N.\n"
    "\n"
    "zanu-hart --scan [--port DEVICE_OR_COMn]... looks for transmitters (--scan --help).\n";

QString usageText() {
    return QString::fromLatin1(kUsage).arg(LinkTiming::helpText());
}

struct Args {
    console::Port port;
    int pollingAddress = 0;
    bool primary = true;
    bool decode = false;
    int command = 0;
    QByteArray data;
    bool verbose = false;
    LinkTiming timing;
};

int usage(const QString &problem) {
    std::fprintf(stderr, "zanu-hart: %s\n\n%s", qPrintable(problem), qPrintable(usageText()));
    return console::kExitUsage;
}

std::optional<int> parseInt(const QString &text, int lo, int hi) {
    bool ok = false;
    const int v = text.toInt(&ok, 0);
    if (!ok || v < lo || v > hi) return std::nullopt;
    return v;
}

QString parseRequestData(const QString &hex, QByteArray *data) {
    static const QRegularExpression hexOnly(QStringLiteral("^[0-9A-Fa-f]*$"));
    if (!hexOnly.match(hex).hasMatch())
        return QStringLiteral("request data %1 is not hexadecimal (digits 0-9 and A-F, two "
                              "per byte)")
            .arg(hex);
    if (hex.size() % 2 != 0)
        return QStringLiteral("request data %1 is an odd number of hex digits (two per byte)")
            .arg(hex);
    if (hex.size() / 2 > 255)
        return QStringLiteral("request data is %1 bytes; a HART frame holds at most 255")
            .arg(hex.size() / 2);
    *data = QByteArray::fromHex(hex.toLatin1());
    return QString();
}

// Returns an error text, or an empty string when the arguments are good.
QString parseArgs(const QStringList &argv, Args *args) {
    QString timingError;
    if (!LinkTiming::fromEnvironment(&args->timing, &timingError)) return timingError;
    QCommandLineParser p;
    console::setUpParser(&p);
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("DEVICE"));
    const QCommandLineOption polling(QStringLiteral("polling-address"), QString(),
                                     QStringLiteral("N"));
    const QCommandLineOption secondary(QStringLiteral("secondary"));
    const QCommandLineOption decode(QStringLiteral("decode"));
    const QCommandLineOption verbose(QStringLiteral("verbose"));
    const QCommandLineOption timing(QStringLiteral("timing"), QString(), QStringLiteral("KEYS"));
    p.addOptions({port, polling, secondary, decode, verbose, timing});
    if (!p.parse(argv)) return console::parseProblem(p);
    if (!p.isSet(port)) return QStringLiteral("--port is required");
    QString error;
    const auto given = console::portFromArgument(p.value(port), &error);
    if (!given) return error;
    args->port = *given;
    if (p.isSet(polling)) {
        const auto n = parseInt(p.value(polling), 0, 63);
        if (!n) return QStringLiteral("polling address %1 is not 0-63").arg(p.value(polling));
        args->pollingAddress = *n;
    }
    args->primary = !p.isSet(secondary);
    args->decode = p.isSet(decode);
    args->verbose = p.isSet(verbose);
    for (const QString &t : p.values(timing))
        if (!LinkTiming::parse(t, &args->timing, &timingError)) return timingError;
    const QStringList positional = p.positionalArguments();
    if (positional.isEmpty()) return QStringLiteral("no command given");
    if (positional.size() > 2) return QStringLiteral("too many arguments");
    const auto cmd = parseInt(positional[0], 0, 255);
    if (!cmd) return QStringLiteral("command %1 is not 0-255").arg(positional[0]);
    args->command = *cmd;
    return positional.size() == 2 ? parseRequestData(positional[1], &args->data) : QString();
}

QString portText(const Args &a) {
    return a.port.text();
}

void printFields(int command, const hart::Frame &f, int universalRevision) {
    const hart::CommandInfo *info = hart::command(command);
    if (!info) {
        std::printf("(command %d is not in the catalogue; no fields to show)\n", command);
        return;
    }
    // A refusal carries no data; its fields would all read "missing".
    if (f.data.isEmpty() && !info->reply.isEmpty()) {
        std::printf("(no data)\n");
        return;
    }
    for (const QString &line : hart::decodeReply(command, f.data, universalRevision))
        std::printf("  %s\n", qPrintable(line));
}

void printReply(int command, const hart::Frame &f, bool decode, int universalRevision) {
    std::printf("rc=%d status=0x%02x data=%s\n", int(f.responseCode), int(f.deviceStatus),
                f.data.toHex().constData());
    if (decode) {
        printFields(command, f, universalRevision);
        return;
    }
    if (command != hart::cmd::ReadTagDescriptorDate) return;
    const auto t = hart::decodeTagDescriptorDate(f.data);
    if (!t) {
        std::printf("(command 13 reply too short to decode: %d data bytes)\n", int(f.data.size()));
        return;
    }
    std::printf("tag=\"%s\" descriptor=\"%s\" date=%04d-%02d-%02d\n", qPrintable(t->tag),
                qPrintable(t->descriptor), 1900 + t->yearSince1900, t->month, t->day);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList argl = QCoreApplication::arguments();
    if (argl.contains(QLatin1String("--scan"))) return runScanConsole(argl);
    if (argl.contains(QLatin1String("--help")) || argl.contains(QLatin1String("-h"))) {
        std::fputs(qPrintable(usageText()), stdout);
        std::fputs(kConfigConsoleUsage, stdout);
        std::fputs(kHistoryConsoleUsage, stdout);
        return 0;
    }
    if (argl.contains(QLatin1String("--version"))) {
        std::printf("zanu-hart %s\n", kVersionNumber);
        return 0;
    }
    if (IsHistoryConsoleCommand(argl)) return RunHistoryConsole(argl);
    if (IsConfigConsoleCommand(argl)) return RunConfigConsole(argl);
    Args args;
    const QString problem = parseArgs(argl, &args);
    if (!problem.isEmpty()) return usage(problem);

    if (args.verbose) {
        qSetMessagePattern(QStringLiteral("%{if-category}%{category}: %{endif}%{message}"));
        hart::enableLinkLog();
    }
    // The window's own control does the identify-then-command, so that a transmitter is
    // checked and addressed here exactly as the window does it.
    HartX hart;
    console::Lines lines;
    hart.setLineFactory(
        [&args, &lines](int) { return lines.make(args.port.device, args.port.label); });
    hart.setPortLabel(portText(args));
    hart.setLinkTiming(args.timing);
    hart.setCommPort(1); // any port: the factory above makes the line the arguments name
    hart.setLinkSetting3(qint16(args.pollingAddress));
    hart.setLinkSetting6(args.primary ? 1 : 0);
    int exitCode = console::kExitNoAnswer;
    QElapsedTimer sinceReply;

    auto fail = [&](const QString &why) {
        if (lines.permissionDenied()) {
            std::fprintf(stderr, "zanu-hart: %s\n", qPrintable(why));
            exitCode = console::kExitPermission;
        } else {
            std::fprintf(stderr, "zanu-hart: no answer: %s\n", qPrintable(why));
            exitCode = console::kExitNoAnswer;
        }
        QCoreApplication::exit(exitCode);
    };
    auto send = [&hart](int command, const QByteArray &data) {
        hart.setRequestData(data);
        hart.setCommand(qint16(command));
    };

    // A HART 6 or 7 device lays out some replies differently; its command 0 says which it is.
    int universalRevision = 5;
    QObject::connect(&hart, &HartX::Result, [&](qint16, qint16 command, qint16 result) {
        sinceReply.start();
        if (result == HartX::kNoAnswer) {
            fail(hart.LastError());
            return;
        }
        if (command == hart::cmd::ReadUniqueIdentifier && args.command != 0) {
            const auto identity = hart::decodeIdentity(hart.ReplyData());
            if (!identity) {
                fail(QStringLiteral("the transmitter on %1 did not identify itself (command 0 "
                                    "answered with response code %2 and %3 data bytes)")
                         .arg(portText(args))
                         .arg(hart.ResponseCode())
                         .arg(hart.ReplyData().size()));
                return;
            }
            universalRevision = identity->universalRevision;
            send(args.command, args.data);
            return;
        }
        hart::Frame reply;
        reply.command = quint8(command);
        reply.responseCode = quint8(hart.ResponseCode());
        reply.deviceStatus = hart.DeviceStatus();
        reply.data = hart.ReplyData();
        printReply(args.command, reply, args.decode, universalRevision);
        std::fflush(stdout);
        exitCode = 0;
        QCoreApplication::exit(0);
    });
    ExitSignals exitSignals;
    QObject::connect(&exitSignals, &ExitSignals::received, &app, [&](int signalNumber) {
        std::fprintf(stderr, "zanu-hart: stopped by signal %d before the reply; %s closed\n",
                     signalNumber, qPrintable(portText(args)));
        exitCode = 128 + signalNumber;
        QCoreApplication::exit(exitCode);
    });
    send(hart::cmd::ReadUniqueIdentifier, args.command == 0 ? args.data : QByteArray());
    app.exec();
    if (exitCode == 0 || exitCode == console::kExitNoAnswer)
        console::holdLinkGrant(sinceReply, args.timing);
    return exitCode;
}
