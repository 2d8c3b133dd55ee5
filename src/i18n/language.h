// Which language the program speaks: the system's, unless the command line or the user's own
// choice under Config says otherwise, and the catalogues that make it speak it. Widget-free, so
// that the choice itself can be tested without a window.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace i18n {

// The languages the program speaks, by their two-letter codes: "en", "de", "nl".
QStringList languages();
bool isLanguage(const QString &code);

// The system's language as gettext reads it: under the C (or POSIX) locale English, whatever
// LANGUAGE says; else the first of LANGUAGE's list we speak ("de_AT:de" -> "de"), or the
// language of LC_ALL, LC_MESSAGES or LANG, whichever is set first. "en" where we speak none.
QString languageFromEnvironment(const QProcessEnvironment &env);

// The user's own choice, kept in the user's preferences (never in zanu.ini, whose one-line format
// holds the port only); empty means "follow the system". A value we do not speak reads as empty.
QString savedChoice();
void saveChoice(const QString &code);

// What the run starts with: the command line's language (empty when not given), else the saved
// choice, else the system's. Returns the choice it came from, empty for the system's.
QString choiceAtStart(const QString &commandLine);

// Speaks `choice` (a language code, or empty for the system's) from now on: our catalogue and
// Qt's own (standard buttons, file dialogs) replace the ones before, and every window receives
// QEvent::LanguageChange. Returns the language now spoken.
QString applyChoice(const QString &choice);
// The choice last applied (empty: the system's) and the language it led to.
QString currentChoice();
QString currentLanguage();

} // namespace i18n
