// Where zanu.ini is read and saved: beside the program wherever its folder may be written to,
// else the user's own file, with an administrator's file beside the program still read first.
// Tests run as root, who may write anywhere, so the folder's writability is set through the seam.
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSettingsLocation : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readAndSave_data();
    void readAndSave();
    void userFolderCannotBeMade();
    void systemProgramFolder_data();
    void systemProgramFolder();

private:
    QString programDir() const { return dir_->filePath(QStringLiteral("program")); }
    QString userDir() const { return dir_->filePath(QStringLiteral("home/.config/zanu-config")); }
    static bool put(const QString &file, const QByteArray &content) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    }
    static QByteArray contentOf(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSettingsLocation::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(programDir()));
    SetProgramDirectory(programDir());
    SetUserSettingsDirectory(userDir());
}

void TestSettingsLocation::cleanup() {
    SetProgramDirectory(QString());
    SetUserSettingsDirectory(QString());
    SetProgramDirectoryWritable(std::nullopt);
    dir_.reset();
}

void TestSettingsLocation::readAndSave_data() {
    QTest::addColumn<bool>("writable");     // the program's folder
    QTest::addColumn<QByteArray>("beside"); // zanu.ini beside the program (null: none)
    QTest::addColumn<QByteArray>("user");   // the user's zanu.ini (null: none)
    QTest::addColumn<QString>("readFrom");  // "program" or "user"
    QTest::addColumn<QString>("savedTo");
    QTest::addColumn<QString>("portAfterSave"); // what the next start reads after saving 7

    const QByteArray none;
    QTest::newRow("writable folder, no file yet") << true << none << none << "program"
                                                  << "program"
                                                  << "7";
    QTest::newRow("writable folder keeps its own file")
        << true << QByteArray("\"4\"\r\n") << none << "program"
        << "program"
        << "7";
    QTest::newRow("writable folder ignores a user's file")
        << true << none << QByteArray("\"3\"\r\n") << "program"
        << "program"
        << "7";
    QTest::newRow("read-only folder, first start") << false << none << none << "user"
                                                   << "user"
                                                   << "7";
    QTest::newRow("read-only folder, user's file")
        << false << none << QByteArray("\"3\"\r\n") << "user"
        << "user"
        << "7";
    QTest::newRow("read-only folder, administrator's file wins")
        << false << QByteArray("\"4\"\r\n") << QByteArray("\"3\"\r\n") << "program"
        << "user"
        << "4";
}

void TestSettingsLocation::readAndSave() {
    QFETCH(bool, writable);
    QFETCH(QByteArray, beside);
    QFETCH(QByteArray, user);
    QFETCH(QString, readFrom);
    QFETCH(QString, savedTo);
    QFETCH(QString, portAfterSave);

    const QString besideFile = QDir(programDir()).filePath(QStringLiteral("zanu.ini"));
    const QString userFile = QDir(userDir()).filePath(QStringLiteral("zanu.ini"));
    SetProgramDirectoryWritable(writable);
    if (!beside.isNull()) QVERIFY(put(besideFile, beside));
    if (!user.isNull()) {
        QVERIFY(QDir().mkpath(userDir()));
        QVERIFY(put(userFile, user));
    }
    const auto fileFor = [&](const QString &where) {
        return where == QLatin1String("program") ? besideFile : userFile;
    };

    QCOMPARE(ProgramSettingsFilePath(), besideFile);
    QCOMPARE(SettingsFilePath(), fileFor(readFrom));

    QString path, error;
    QVERIFY2(SaveSettings(QStringLiteral("7"), &path, &error), qPrintable(error));
    QCOMPARE(path, fileFor(savedTo));
    QCOMPARE(contentOf(path), QByteArray("\"7\"\r\n"));     // the same one-line format everywhere
    if (!writable) QCOMPARE(contentOf(besideFile), beside); // the system's folder is left alone

    const SettingsRead next = ReadSettingsFile(SettingsFilePath());
    QCOMPARE(next.lastField, portAfterSave);
}

void TestSettingsLocation::userFolderCannotBeMade() {
    SetProgramDirectoryWritable(false);
    // A file where the configuration folder should be: the folder cannot be made.
    const QString blocker = dir_->filePath(QStringLiteral("home"));
    QVERIFY(put(blocker, "not a folder"));

    QString path, error;
    QVERIFY(!SaveSettings(QStringLiteral("7"), &path, &error));
    QCOMPARE(path, QDir(userDir()).filePath(QStringLiteral("zanu.ini")));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(contentOf(blocker), QByteArray("not a folder"));
}

// Root may write to /usr/bin, but a port saved there by one "sudo zanu-config" would become every
// user's administrator's file; the system's program folders are never written.
void TestSettingsLocation::systemProgramFolder_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("writable");
    QTest::newRow("/usr/bin") << "/usr/bin" << false;
    QTest::newRow("/bin, a link to it") << "/bin" << false;
    QTest::newRow("a build tree") << "" << true;
}

void TestSettingsLocation::systemProgramFolder() {
    QFETCH(QString, folder);
    QFETCH(bool, writable);
    if (!QFileInfo::exists(folder) && !folder.isEmpty()) QSKIP("no such folder here");
    SetProgramDirectory(folder.isEmpty() ? programDir() : folder);
    QCOMPARE(ProgramDirectoryWritable(), writable);
}

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "test_settings_location.moc"
