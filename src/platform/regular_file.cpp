#include "platform/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace files {

namespace {

#ifdef Q_OS_UNIX
QString kindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return QStringLiteral("a folder");
    if (S_ISFIFO(mode)) return QStringLiteral("a named pipe (FIFO)");
    if (S_ISSOCK(mode)) return QStringLiteral("a socket");
    if (S_ISCHR(mode)) return QStringLiteral("a character device");
    if (S_ISBLK(mode)) return QStringLiteral("a block device");
    return QStringLiteral("a special file");
}

RegularRead failed(RegularRead::Outcome outcome, int fd) {
    RegularRead r;
    r.outcome = outcome;
    r.reason = qt_error_string(errno);
    if (fd >= 0) ::close(fd);
    return r;
}
#endif

} // namespace

QString specialKind(const QString &path) {
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return kindOfMode(st.st_mode);
#else
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) return {};
    return info.isDir() ? QStringLiteral("a folder") : QStringLiteral("a special file");
#endif
}

RegularRead readRegular(const QString &path, qint64 limit) {
    RegularRead r;
    if (const QString kind = specialKind(path); !kind.isEmpty()) {
        r.outcome = RegularRead::Outcome::NotRegular;
        r.kind = kind;
        return r;
    }
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const bool missing = errno == ENOENT;
        r = failed(RegularRead::Outcome::OpenFailed, -1);
        r.missing = missing;
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) return failed(RegularRead::Outcome::ReadFailed, fd);
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        r.outcome = RegularRead::Outcome::NotRegular;
        r.kind = kindOfMode(st.st_mode);
        return r;
    }
    r.size = st.st_size;
    char chunk[16384];
    while (r.bytes.size() <= limit) {
        const qint64 want = std::min<qint64>(sizeof chunk, limit + 1 - r.bytes.size());
        const ssize_t n = ::read(fd, chunk, size_t(want));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failed(RegularRead::Outcome::ReadFailed, fd);
        if (n == 0) break;
        r.bytes.append(chunk, n);
    }
    ::close(fd);
    return r;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.outcome = RegularRead::Outcome::OpenFailed;
        r.missing = !QFileInfo::exists(path);
        r.reason = file.errorString();
        return r;
    }
    r.size = file.size();
    r.bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        r.outcome = RegularRead::Outcome::ReadFailed;
        r.reason = file.errorString();
        r.bytes.clear();
    }
    return r;
#endif
}

bool writeAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                     WriteFailure *failure) {
    WriteFailure f;
    const auto fail = [&](WriteFailure::Stage stage, const QString &reason) {
        f.stage = stage;
        f.reason = reason;
        if (failure) *failure = f;
        return false;
    };
    if (const QString kind = specialKind(path); !kind.isEmpty()) {
        f.kind = kind;
        return fail(WriteFailure::Stage::NotRegular, QString());
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(WriteFailure::Stage::Open, file.errorString());
    if (!write(file)) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(WriteFailure::Stage::Write, why);
    }
    if (!file.commit()) return fail(WriteFailure::Stage::Commit, file.errorString());
    if (failure) *failure = f;
    return true;
}

bool writeAtomically(const QString &path, const QByteArray &bytes, WriteFailure *failure) {
    return writeAtomically(
        path, [&](QIODevice &file) { return file.write(bytes) == bytes.size(); }, failure);
}

} // namespace files
