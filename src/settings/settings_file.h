// zanu.ini: the one setting the program keeps between runs, the COM port.
#pragma once

#include <QString>

#include <optional>

// Where zanu.ini lives. It has always lived beside the program, and it still does wherever that
// folder may be written to (a build tree, a program copied to a stick). An installed program's
// folder belongs to the system, so there the user's own file takes over, in the same format:
// Qt's application configuration folder, ~/.config/zanu-config/zanu.ini on Linux. A zanu.ini
// an administrator put beside an installed program is still the one read at start.

// The program's own folder, unless a test moved it.
QString ProgramDirectory();
void SetProgramDirectory(const QString &dir);
// Whether ProgramDirectory() may be written to: never a system program folder (/usr/bin, /opt/...),
// else as the file system says. Tests run as root, who may write anywhere, so they say it here
// instead of taking permissions away; std::nullopt asks again.
bool ProgramDirectoryWritable();
void SetProgramDirectoryWritable(std::optional<bool> writable);
// The user's configuration folder for this program, unless a test moved it.
QString UserSettingsDirectory();
void SetUserSettingsDirectory(const QString &dir);

// ProgramDirectory() + "/zanu.ini".
QString ProgramSettingsFilePath();
// The file read at start: the one beside the program when it is there or may be written there,
// else the user's file.
QString SettingsFilePath();
// The file a newly chosen port is written to: beside the program when its folder may be
// written to, else the user's file.
QString SettingsSavePath();

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
// Writes the port to SettingsSavePath(), making the user's folder first when that is where it
// goes. `path` receives the file written or tried, also on failure, so that the caller can say
// where the choice went.
bool SaveSettings(const QString &portText, QString *path, QString *error);
