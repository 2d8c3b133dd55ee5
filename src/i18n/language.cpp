#include "i18n/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace i18n {

namespace {

const char kChoiceKey[] = "language";

// "de_AT.UTF-8@euro" -> "de".
QString languageOf(const QString &locale) {
    return locale.section(QLatin1Char('.'), 0, 0)
        .section(QLatin1Char('@'), 0, 0)
        .section(QLatin1Char('_'), 0, 0)
        .toLower();
}

bool isCLocale(const QString &locale) {
    const QString base = locale.section(QLatin1Char('.'), 0, 0);
    return locale.isEmpty() || base == QLatin1String("C") || base == QLatin1String("POSIX");
}

// Apart from zanu.ini, in the user's own configuration folder: ~/.config/zanu-config/ on Linux.
QSettings preferences() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zanu-config"),
                     QStringLiteral("preferences"));
}

struct Installed {
    QTranslator *ours = nullptr;
    QTranslator *qt = nullptr;
    QString choice;
    QString language = QStringLiteral("en");
};

Installed &installed() {
    static Installed state;
    return state;
}

void uninstall(QTranslator *&translator) {
    if (!translator) return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

} // namespace

QStringList languages() {
    return {QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("nl")};
}

bool isLanguage(const QString &code) {
    return languages().contains(code);
}

QString languageFromEnvironment(const QProcessEnvironment &env) {
    QString locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env.value(QString::fromLatin1(name));
        if (!locale.isEmpty()) break;
    }
    // gettext's rule, which every other program in the engineer's session follows: the C locale
    // means untranslated, even with a LANGUAGE list left over from the desktop.
    if (isCLocale(locale)) return QStringLiteral("en");
    const QString list = env.value(QStringLiteral("LANGUAGE"));
    if (!list.isEmpty()) {
        for (const QString &entry : list.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
            const QString code = languageOf(entry);
            if (isLanguage(code)) return code;
        }
        return QStringLiteral("en");
    }
    const QString code = languageOf(locale);
    return isLanguage(code) ? code : QStringLiteral("en");
}

QString savedChoice() {
    const QString code = preferences().value(QLatin1String(kChoiceKey)).toString();
    return isLanguage(code) ? code : QString();
}

void saveChoice(const QString &code) {
    QSettings settings = preferences();
    if (isLanguage(code))
        settings.setValue(QLatin1String(kChoiceKey), code);
    else
        settings.remove(QLatin1String(kChoiceKey));
}

QString choiceAtStart(const QString &commandLine) {
    return isLanguage(commandLine) ? commandLine : savedChoice();
}

QString applyChoice(const QString &choice) {
    Installed &state = installed();
    const QString language =
        isLanguage(choice) ? choice
                           : languageFromEnvironment(QProcessEnvironment::systemEnvironment());
    state.choice = isLanguage(choice) ? choice : QString();
    if (language == state.language && (language == QLatin1String("en") || state.ours))
        return language; // nothing to reload, and no window need redraw its texts

    uninstall(state.ours);
    uninstall(state.qt);
    state.language = language;
    // English is the sources' own text: no catalogue, and taking the others away has told every
    // window to show it again.
    if (language == QLatin1String("en")) return language;

    auto *ours = new QTranslator(QCoreApplication::instance());
    if (ours->load(QStringLiteral(":/i18n/zanu-config_%1.qm").arg(language))) {
        state.ours = ours;
        QCoreApplication::installTranslator(ours);
    } else {
        delete ours;
        qWarning("zanu-config: the built-in %s texts are missing from this build; the window "
                 "stays English. Rebuild the program with its translations/ folder.",
                 qPrintable(language));
    }
    auto *qt = new QTranslator(QCoreApplication::instance());
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qt->load(QStringLiteral("qtbase_") + language, qtFolder)) {
        state.qt = qt;
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
        qWarning("zanu-config: Qt's own texts (standard buttons, file dialogs) stay English: "
                 "qtbase_%s.qm is not in %s. Install the package qt6-translations-l10n.",
                 qPrintable(language), qPrintable(QDir::toNativeSeparators(qtFolder)));
    }
    return language;
}

QString currentChoice() {
    return installed().choice;
}

QString currentLanguage() {
    return installed().language;
}

} // namespace i18n
