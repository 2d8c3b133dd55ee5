// zanu.ini: the one setting the program keeps between runs, the COM port, beside the program.
#pragma once

#include <QString>

// The folder the settings file lives in: the program's own folder, unless a test moved it.
QString ProgramDirectory();
void SetProgramDirectory(const QString &dir);
// ProgramDirectory() + "/zanu.ini".
QString SettingsFilePath();

struct SettingsRead {
    bool exists = false;     // false: the file is not there (the dialog asks for the port)
    bool readFailed = false; // opened but could not be read to the end
    QString lastField;       // the last field read ("" when none)
    bool anyField = false;   // at least one field was read
    QString error;           // with readFailed: which file and why, in plain words
};
// Reads every field of the file in turn; the last one decides.
SettingsRead ReadSettingsFile(const QString &path);
// Writes "N" CR LF safely (temporary file beside it, flushed, renamed over). On failure returns
// false and says in plain words which file, why, and what to put right (the file or its folder).
bool WriteSettingsFile(const QString &path, const QString &portText, QString *error);
