// Files the program reads and writes, handled so that nothing put in a file's place can hurt: a
// named pipe must never hang a read, and a device or pipe must never be replaced by a write.
// QtCore only, below the settings and the configuration files that both need it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

class QIODevice;

namespace files {

// What is at `path` when it is there and no regular file, in words ("a folder", "a named pipe
// (FIFO)", "a character device"); empty for a regular file or nothing at all.
QString specialKind(const QString &path);

struct RegularRead {
    enum class Outcome { Read, NotRegular, OpenFailed, ReadFailed };
    Outcome outcome = Outcome::Read;
    QByteArray bytes;     // with Read: at most the first `limit` + 1 bytes
    qint64 size = 0;      // with Read: the size the open file gave for itself
    QString kind;         // with NotRegular: as specialKind() says it
    QString reason;       // with OpenFailed or ReadFailed: the system's words
    bool missing = false; // with OpenFailed: nothing is at the path
};
// Reads at most `limit` + 1 bytes of a regular file, so that a caller can tell a file that is too
// large. The kind is asked by name first, so that a device is not even opened (opening a serial
// line may move its modem lines); the open does not wait, and the open handle is checked again,
// so that a pipe put in the file's place after the first look cannot hold the read.
RegularRead readRegular(const QString &path, qint64 limit);

struct WriteFailure {
    enum class Stage { None, NotRegular, Open, Write, Commit };
    Stage stage = Stage::None;
    QString kind;   // with NotRegular: as specialKind() says it
    QString reason; // otherwise: the system's words
};
// Writes through a temporary file beside `path` that is renamed over it only once everything is
// written, so that a full disk or a failed write leaves an existing file as it was. The rename
// would replace a pipe another program reads, or a device node, so a path naming anything but a
// regular file is refused. `write` fills the temporary file and returns false when it could not.
bool writeAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                     WriteFailure *failure);
bool writeAtomically(const QString &path, const QByteArray &bytes, WriteFailure *failure);

} // namespace files
