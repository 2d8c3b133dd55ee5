// What the engineer is told when zanu.ini cannot be read or written: which file, why, and
// whether the file or its folder is to be put right. The test runs as root in CI, where file
// permissions stop nothing; the permission cases then run in a child process that has given
// up root, so that they meet the same refusals as an ordinary user.
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

// `work`'s answer, computed as an ordinary user.
QString asOrdinaryUser(const std::function<QString()> &work) {
    if (::geteuid() != 0) return work();
    int fds[2];
    if (::pipe(fds) != 0) return QStringLiteral("(no pipe)");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const QByteArray out = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0
                                   ? work().toUtf8()
                                   : QByteArray("(could not give up root)");
        const ssize_t written = ::write(fds[1], out.constData(), size_t(out.size()));
        ::_exit(written == out.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray got;
    char buf[512];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0)
        got.append(buf, int(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return QString::fromUtf8(got);
}

// A named pipe, or a link to /dev/null, in the file's place.
bool makeSpecial(const QString &kind, const QString &path) {
    if (kind == QLatin1String("fifo")) return ::mkfifo(QFile::encodeName(path), 0666) == 0;
    return QFile::link(QStringLiteral("/dev/null"), path);
}

bool writeFile(const QString &path, const QByteArray &content) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void unreadable_data();
    void unreadable();
    void unwritable_data();
    void unwritable();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString ini_;
};

void TestSettingsFile::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    // The ordinary user must reach the folder to meet the refusal under test.
    QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::WriteOther | QFile::ExeOther));
    ini_ = QDir(dir_->path()).filePath(QStringLiteral("zanu.ini"));
}

void TestSettingsFile::unreadable_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why"); // after the file's name
    QTest::addColumn<QString>("port");
    QTest::newRow("a folder in its place") << "folder"
                                           << " is a folder, not a settings file."
                                           << "";
    QTest::newRow("no read permission") << "chmod 000"
                                        << " cannot be read: Permission denied."
                                        << "";
    QTest::newRow("oversized, the port in its first line")
        << "oversized"
        << " is larger than a settings file can be (more than 64 KiB); only its first lines "
           "were read."
        << "5";
    QTest::newRow("a named pipe") << "fifo"
                                  << QStringLiteral(" is a named pipe (FIFO), not a "
                                                    "settings file.")
                                  << "";
    QTest::newRow("/dev/null") << "/dev/null"
                               << QStringLiteral(" is a character device, not a settings file.")
                               << "";
}

void TestSettingsFile::unreadable() {
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QFETCH(QString, port);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("zanu.ini")));
    } else if (kind == QLatin1String("oversized")) {
        QVERIFY(writeFile(ini_, "\"5\"\r\n" + QByteArray(200 * 1024, 'x')));
    } else if (kind == QLatin1String("chmod 000")) {
        QVERIFY(writeFile(ini_, "\"5\"\r\n"));
        QVERIFY(QFile::setPermissions(ini_, QFileDevice::Permissions{}));
    } else {
        QVERIFY(makeSpecial(kind, ini_));
    }
    const QString got = asOrdinaryUser([&] {
        const SettingsRead r = ReadSettingsFile(ini_);
        return QStringLiteral("%1|%2|%3|%4")
            .arg(r.exists)
            .arg(r.readFailed)
            .arg(r.lastField, r.error);
    });
    QCOMPARE(got, QStringLiteral("1|1|%1|%2%3").arg(port, QDir::toNativeSeparators(ini_), why));
}

void TestSettingsFile::unwritable_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why"); // after "Could not write <file>: "; %1 is the folder
    QTest::newRow("file without write permission")
        << "chmod 000"
        << "the file may not be written to — allow writing to it, or delete it.";
    QTest::newRow("read-only folder") << "folder 555"
                                      << "the folder %1 may not be written to — allow writing "
                                         "to it.";
    QTest::newRow("folder missing") << "missing"
                                    << "the folder %1 does not exist.";
    QTest::newRow("folder in the way")
        << "in the way"
        << "a folder of that name is in the way — remove or rename it.";
    QTest::newRow("named pipe in the way")
        << "fifo"
        << QStringLiteral("a named pipe (FIFO) of that name is in the way — remove or "
                          "rename it.");
}

void TestSettingsFile::unwritable() {
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QString path = ini_;
    if (kind == QLatin1String("chmod 000")) {
        QVERIFY(writeFile(ini_, "\"5\"\r\n"));
        QVERIFY(QFile::setPermissions(ini_, QFileDevice::Permissions{}));
    } else if (kind == QLatin1String("folder 555")) {
        QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::ExeOwner |
                                                        QFile::ReadOther | QFile::ExeOther));
    } else if (kind == QLatin1String("missing")) {
        path = QDir(dir_->path()).filePath(QStringLiteral("gone/zanu.ini"));
    } else if (kind == QLatin1String("fifo")) {
        QVERIFY(makeSpecial(kind, ini_));
    } else {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("zanu.ini")));
    }
    const QString got = asOrdinaryUser([&] {
        QString error;
        return WriteSettingsFile(path, QStringLiteral("7"), &error) ? QStringLiteral("written")
                                                                    : error;
    });
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    QCOMPARE(got, QStringLiteral("Could not write %1: %2")
                      .arg(QDir::toNativeSeparators(path), why.arg(folder)));
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
