#include "settings/settings_file.h"

#include "platform/regular_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString &programDirectoryOverride() {
    static QString dir;
    return dir;
}
std::optional<bool> &programDirectoryWritableOverride() {
    static std::optional<bool> writable;
    return writable;
}
QString &userDirectoryOverride() {
    static QString dir;
    return dir;
}
const QString kSettingsFileName = QStringLiteral("zanu.ini");

// The file holds one short line. Anything larger is not ours; reading stops there like at any
// other field that cannot be read, so a stray huge file cannot stall the start.
constexpr qint64 kMaxSettingsBytes = 64 * 1024;

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Fields of a classic comma-separated sequential file: a field ends at a comma, a line end or
// the end of the file. Quoted fields are taken between the quotes as they stand (commas and
// blanks included); anything after the closing quote up to the separator is dropped. An opening
// quote without its closing quote takes the rest of its line only, so one stray quote cannot
// swallow the lines after it. Unquoted fields lose the blanks around them. A line holding nothing
// is no field at all, so an empty line at the end of the file does not erase the port.
class FieldReader {
public:
    explicit FieldReader(const QByteArray &bytes) : b(bytes) {}

    // Returns false at the end of the data.
    bool next(QString *field) {
        for (;;) {
            while (i < b.size() && isBlank(b[i]))
                ++i;
            if (i >= b.size()) return false;
            if (!isLineEnd(b[i])) break;
            if (!afterComma) {
                skipLineEnd();
                continue; // an empty line: no field
            }
            break; // "5," then the line end: the empty field after the comma
        }
        afterComma = false;
        QByteArray text;
        if (b[i] == '"') {
            ++i;
            while (i < b.size() && b[i] != '"' && !isLineEnd(b[i]))
                text.append(b[i++]);
            if (i < b.size() && b[i] == '"') ++i;
            while (i < b.size() && b[i] != ',' && !isLineEnd(b[i]))
                ++i;
        } else {
            while (i < b.size() && b[i] != ',' && !isLineEnd(b[i]))
                text.append(b[i++]);
            while (!text.isEmpty() && isBlank(text.back()))
                text.chop(1);
        }
        if (i < b.size()) {
            if (b[i] == ',') {
                ++i;
                afterComma = true;
            } else {
                skipLineEnd();
            }
        }
        *field = QString::fromLatin1(text);
        return true;
    }

    // A comma just before the end of the data still separates: the field after it is empty.
    bool pendingEmptyField() const { return afterComma && i >= b.size(); }

private:
    void skipLineEnd() {
        if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n')
            i += 2;
        else
            ++i;
    }

    const QByteArray &b;
    qsizetype i = 0;
    bool afterComma = false;
};

// Which one is in the way when the new file cannot be made: the file itself, or the folder it
// goes into.
QString openProblem(const QString &path, const QString &reason) {
    const QFileInfo info(path);
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    if (!QFileInfo(info.absolutePath()).isDir())
        return QStringLiteral("the folder %1 does not exist.").arg(folder);
    if (info.exists() && !info.isWritable())
        return QStringLiteral(
            "the file may not be written to — allow writing to it, or delete it.");
    if (!QFileInfo(info.absolutePath()).isWritable())
        return QStringLiteral("the folder %1 may not be written to — allow writing to it.")
            .arg(folder);
    return reason;
}

} // namespace

QString ProgramDirectory() {
    const QString &dir = programDirectoryOverride();
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

void SetProgramDirectory(const QString &dir) {
    programDirectoryOverride() = dir;
}

bool ProgramDirectoryWritable() {
    if (const std::optional<bool> &writable = programDirectoryWritableOverride()) return *writable;
    // Only a folder that is there and refuses writing sends the settings elsewhere; a folder that
    // is not there at all is a fault to report where it happens, not to work around quietly.
    const QFileInfo dir(ProgramDirectory());
    if (!dir.exists()) return true;
#ifndef Q_OS_WIN
    // The system's program folders are the package manager's. Root may write there, but a port
    // saved by one "sudo zanu-config" would quietly become every user's administrator's file.
    const QString real = dir.canonicalFilePath() + QLatin1Char('/');
    for (const char *system :
         {"/usr/bin/", "/usr/sbin/", "/usr/local/bin/", "/usr/games/", "/bin/", "/sbin/", "/opt/"})
        if (real.startsWith(QLatin1String(system))) return false;
#endif
    return dir.isWritable();
}

void SetProgramDirectoryWritable(std::optional<bool> writable) {
    programDirectoryWritableOverride() = writable;
}

QString UserSettingsDirectory() {
    const QString &dir = userDirectoryOverride();
    if (!dir.isEmpty()) return dir;
    // Named here rather than taken from the application object, so that the place does not
    // depend on whether main() has named the application yet.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("zanu-config"));
}

void SetUserSettingsDirectory(const QString &dir) {
    userDirectoryOverride() = dir;
}

QString ProgramSettingsFilePath() {
    return QDir(ProgramDirectory()).filePath(kSettingsFileName);
}

QString SettingsFilePath() {
    const QString beside = ProgramSettingsFilePath();
    if (QFileInfo::exists(beside) || ProgramDirectoryWritable()) return beside;
    return QDir(UserSettingsDirectory()).filePath(kSettingsFileName);
}

QString SettingsSavePath() {
    return ProgramDirectoryWritable() ? ProgramSettingsFilePath()
                                      : QDir(UserSettingsDirectory()).filePath(kSettingsFileName);
}

SettingsRead ReadSettingsFile(const QString &path) {
    SettingsRead r;
    const QString shown = QDir::toNativeSeparators(path);
    files::RegularRead read = files::readRegular(path, kMaxSettingsBytes);
    r.exists = !read.missing;
    if (read.outcome != files::RegularRead::Outcome::Read) {
        // Only a file that is really not there asks for the port; one that is there but cannot
        // be read (no permission, a folder or a pipe of that name) is a read failure.
        r.readFailed = r.exists;
        if (r.readFailed)
            r.error = shown + QLatin1Char(' ') +
                      (read.outcome == files::RegularRead::Outcome::NotRegular
                           ? QStringLiteral("is %1, not a settings file.").arg(read.kind)
                           : QStringLiteral("cannot be read: %1.").arg(read.reason));
        return r;
    }
    QByteArray &bytes = read.bytes;
    if (bytes.size() > kMaxSettingsBytes) {
        bytes.truncate(kMaxSettingsBytes);
        r.readFailed = true;
        r.error = QStringLiteral("%1 is larger than a settings file can be (more than %2 KiB); "
                                 "only its first lines were read.")
                      .arg(shown)
                      .arg(kMaxSettingsBytes / 1024);
        // Keep only whole lines: the last one may have been cut off by the size limit.
        const qsizetype lastEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastEnd < 0 ? 0 : lastEnd + 1);
    }

    FieldReader reader(bytes);
    QString field;
    while (reader.next(&field)) {
        r.lastField = field;
        r.anyField = true;
    }
    if (reader.pendingEmptyField()) {
        r.lastField.clear();
        r.anyField = true;
    }
    return r;
}

bool WriteSettingsFile(const QString &path, const QString &portText, QString *error) {
    auto fail = [&](const QString &why) {
        if (error)
            *error =
                QStringLiteral("Could not write %1: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    // A quote or line break would break the one-field format for every later start.
    for (QChar c : portText)
        if (c == u'"' || c == u'\r' || c == u'\n' || c.unicode() > 0xFF)
            return fail(QStringLiteral("the value \"%1\" cannot be stored in it.").arg(portText));
    files::WriteFailure failure;
    const QByteArray content = '"' + portText.toLatin1() + "\"\r\n";
    if (files::writeAtomically(path, content, &failure)) return true;
    switch (failure.stage) {
    case files::WriteFailure::Stage::NotRegular:
        // Renaming the new file over a pipe or a device node would replace it; the engineer
        // decides.
        return fail(QStringLiteral("%1 of that name is in the way — remove or rename it.")
                        .arg(failure.kind));
    case files::WriteFailure::Stage::Open:
        return fail(openProblem(path, failure.reason));
    default:
        return fail(failure.reason);
    }
}

bool SaveSettings(const QString &portText, QString *path, QString *error) {
    const QString target = SettingsSavePath();
    if (path) *path = target;
    if (target != ProgramSettingsFilePath()) {
        const QString folder = QFileInfo(target).absolutePath();
        if (!QDir().mkpath(folder)) {
            if (error)
                *error =
                    QStringLiteral("Could not write %1: the folder %2 could not be made.")
                        .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(folder));
            return false;
        }
    }
    return WriteSettingsFile(target, portText, error);
}
