// zanu-config: configuration tool for Zanu Pelvanor I and Ostrimel level transmitters.

#include "dialogs/frm_splash.h"
#include "hart/link/link_log.h"
#include "hart/link/link_timing.h"
#include "health/device_health.h"
#include "i18n/language.h"
#include "platform/exit_signals.h"
#include "sim/simulated_transmitter.h"
#include "window/exit_on_signal.h"
#include "window/form1.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <memory>

namespace {

const char kUsage[] =
    "Usage: zanu-config [--simulate] [--language de|nl|en] [--log FILE] [--timing KEY=MS,...]\n"
    "\n"
    "Configuration tool for Zanu Pelvanor I and Ostrimel submersible level transmitters,\n"
    "connected through a HART modem on a serial port (chosen under Config, COM-settings and\n"
    "kept in zanu.ini beside the program, or in ~/.config/zanu-config/zanu.ini where the\n"
    "program's folder may not be written to).\n"
    "\n"
    "Options:\n"
    "  --simulate     talk to a built-in simulated transmitter on every COM port instead of\n"
    "                 the serial ports\n"
    "  --language L   speak L this run: de (Deutsch), nl (Nederlands) or en (English);\n"
    "                 else the choice under Config, Language, else the system's language\n"
    "                 (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
    "  --log FILE     append every HART frame sent and received, retries, time-outs and port\n"
    "                 events to FILE (the zanu.hart.wire and zanu.hart.link log categories)\n"
    "  --timing KEYS  change the HART link timing, e.g. rt1=600,allowance=100 for a slow USB\n"
    "                 adapter; overrides ZANU_HART_TIMING. Keys (milliseconds, defaults):\n"
    "%1"
    "  -h, --help     show this text and end\n"
    "  -v, --version  show the version and end\n"
    "\n"
    "Environment:\n"
    "  ZANU_COM1 .. ZANU_COM12  the device a COM number stands for (default COM 1-4 =\n"
    "                 /dev/ttyS0-3, COM 5-8 = /dev/ttyUSB0-3, COM 9-12 = /dev/ttyACM0-3)\n"
    "  ZANU_HART_TIMING         link timing as for --timing\n"
    "  QT_LOGGING_RULES         e.g. zanu.hart.wire.debug=true logs every frame to stderr\n";

QString usageText() {
    return QString::fromLatin1(kUsage).arg(LinkTiming::helpText());
}

QString versionNumber() {
    return QString::fromLatin1(kVersionNumber);
}

// Help and version must work where no display is available (a console, an installer's check),
// so they are answered before the GUI starts, from the raw arguments. Qt's own options are still
// among them here and are not ours to judge, so only these two are looked for.
bool answeredBeforeGui(int argc, char *argv[]) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // -platform, -reverse and the like are Qt's long options with one dash; read as bundled
    // letters they would contain an h or a v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({help, version});
    (void)parser.parse(args);
    if (parser.isSet(help)) {
        std::fputs(qPrintable(usageText()), stdout);
        return true;
    }
    if (parser.isSet(version)) {
        std::printf("zanu-config %s\n", kVersionNumber);
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[]) {
    if (answeredBeforeGui(argc, argv)) return 0;

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Zanu"));
    QCoreApplication::setApplicationName(QStringLiteral("zanu-config"));
    QCoreApplication::setApplicationVersion(versionNumber());

    // Qt's own options (-platform, -style, ...) have been taken out of the arguments by now.
    QCommandLineParser parser;
    const QCommandLineOption simulateOption(QStringLiteral("simulate"));
    const QCommandLineOption logOption(QStringLiteral("log"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption timingOption(QStringLiteral("timing"), QString(),
                                          QStringLiteral("KEYS"));
    const QCommandLineOption languageOption(QStringLiteral("language"), QString(),
                                            QStringLiteral("L"));
    parser.addOption(simulateOption);
    parser.addOption(languageOption);
    parser.addOption(logOption);
    parser.addOption(timingOption);
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString what = parser.errorText().isEmpty()
                                 ? QStringLiteral("Unexpected argument: ") +
                                       parser.positionalArguments().join(QLatin1Char(' '))
                                 : parser.errorText();
        std::fprintf(stderr, "zanu-config: %s\n\n%s", qPrintable(what), qPrintable(usageText()));
        return 1; // as zanu-hart and zanu-sim, so that scripts read the three alike
    }
    const QString language = parser.value(languageOption);
    if (parser.isSet(languageOption) && !i18n::isLanguage(language)) {
        std::fprintf(stderr, "zanu-config: --language takes de, nl or en, not \"%s\"\n\n%s",
                     qPrintable(language), qPrintable(usageText()));
        return 1;
    }
    // Before the first window, so that the splash already speaks it.
    i18n::applyChoice(i18n::choiceAtStart(language));
    // A field engineer's timing must be what is used, or the program says why not.
    LinkTiming timing;
    QString timingError;
    if (!LinkTiming::fromEnvironment(&timing, &timingError) ||
        (parser.isSet(timingOption) &&
         !LinkTiming::parse(parser.value(timingOption), &timing, &timingError))) {
        std::fprintf(stderr, "zanu-config: %s\n", qPrintable(timingError));
        return 1;
    }
    if (parser.isSet(logOption)) {
        QString logError;
        if (!hart::startLinkLogFile(parser.value(logOption), &logError)) {
            std::fprintf(stderr, "zanu-config: %s\n", qPrintable(logError));
            return 1;
        }
    }

    std::unique_ptr<SimulatedTransmitter> simulated;
    if (parser.isSet(simulateOption)) {
        QString simulatorError;
        simulated =
            SimulatedTransmitter::load(SimulatedTransmitter::defaultFolders(), &simulatorError);
        if (!simulated) {
            std::fprintf(stderr, "zanu-config: %s\n", qPrintable(simulatorError));
            return 1;
        }
    }

    std::unique_ptr<Form1> mainWindow;
    frmSplash splash([&]() -> QWidget * {
        mainWindow = std::make_unique<Form1>();
        mainWindow->HartX1->setLinkTiming(timing);
        if (SimulatedTransmitter *transmitter = simulated.get()) {
            const HartX::LineFactory lines = [transmitter](int) {
                return transmitter->line(TimedLine::Timing::Real);
            };
            mainWindow->HartX1->setLineFactory(lines);
            // The finder looks where the window talks: on no serial port.
            mainWindow->Health->scanThroughControlLines(lines);
        }
        mainWindow->Form_Load();
        return mainWindow.get();
    });
    // Ended from outside (kill, Ctrl+C, the terminal closed): as the menu's Exit, and the
    // window's port is closed with the settings it had before. A loop held at a fixed current,
    // by a loop check or a current simulation, is let go first; whoever sent the signal is told
    // why the program is still there.
    ExitSignals exitSignals;
    QObject::connect(&exitSignals, &ExitSignals::received, &app, [&] {
        CloseOnExitSignal(mainWindow.get(), [] { QCoreApplication::quit(); });
    });

    splash.show();
    const int rc = app.exec();
    // The window's lines talk to the simulated transmitter: the window goes first.
    mainWindow.reset();
    return rc;
}
