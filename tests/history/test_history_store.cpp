// The history file under what happens to it in the field: a program killed between send and
// reply, two programs recording at once, an older schema, a damaged file, a folder that cannot
// be written; and the hash chain against edits made to the file behind the program's back.
#include "hart/hart_replies.h"
#include "history/history_store.h"
#include "history/history_text.h"
#include "history/recorder.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

namespace {

// The request of a command 18 that renames the transmitter "KILLED".
const QByteArray kTagRequest =
    hart::encode(hart::TagDescriptorDate{QStringLiteral("KILLED"), QString(), 8, 12, 126});

// What a child does, in a process of its own so that it can be killed or run beside another.
int child(const QString &mode, int count) {
    history::Recorder r(QStringLiteral("test-child"));
    // What it could not record is the parent's failure message.
    if (!r.openNotice().isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(r.openNotice()));
    QObject::connect(&r, &history::Recorder::warning,
                     [](const QString &w) { std::fprintf(stderr, "%s\n", qPrintable(w)); });
    if (mode == QLatin1String("--child-sent")) {
        r.transactionStarted(18, kTagRequest);
        std::fputs("sent\n", stdout);
        std::fflush(stdout);
        return QCoreApplication::exec(); // waits here for the kill
    }
    for (int i = 0; i < count; ++i)
        r.note(QStringLiteral("loop check"), QStringLiteral("point %1").arg(i), QString(),
               QStringLiteral("12.000 mA"), history::kOutcomeDone);
    return 0;
}

QString databasePath(const QTemporaryDir &dir) {
    return dir.filePath(QStringLiteral("zanu-config/history.sqlite"));
}

} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void durability_data();
    void durability();
    void chain_data();
    void chain();
    void reportLines_data();
    void reportLines();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestHistoryStore::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", dir_->path().toUtf8());
}

void TestHistoryStore::durability_data() {
    QTest::addColumn<QString>("situation");
    // The last entry's outcome, the number of entries, whether the chain holds, and what the
    // user was told ("-" for nothing).
    QTest::addColumn<QString>("expected");
    QTest::newRow("killed between send and reply") << "kill"
                                                   << "outcome unknown 1 intact -";
    QTest::newRow("two programs at once") << "two"
                                          << "done 400 intact -";
    QTest::newRow("a file of the first schema") << "first"
                                                << "done 2 intact -";
    QTest::newRow("a damaged file") << "corrupt"
                                    << "done 1 intact moved";
    QTest::newRow("a folder that cannot be written") << "readonly"
                                                     << "- 0 intact cannot";
}

void TestHistoryStore::durability() {
    QFETCH(QString, situation);
    QFETCH(QString, expected);
    const QString path = databasePath(*dir_);
    QString told = QStringLiteral("-");
    auto spawn = [](const QStringList &args) {
        auto *p = new QProcess;
        p->start(QCoreApplication::applicationFilePath(), args);
        return p;
    };
    if (situation == QLatin1String("kill")) {
        std::unique_ptr<QProcess> p(spawn({QStringLiteral("--child-sent")}));
        QByteArray said;
        QTRY_VERIFY2((said += p->readAllStandardOutput()).contains("sent") ||
                         p->state() == QProcess::NotRunning,
                     p->readAllStandardError().constData());
        QVERIFY(::kill(pid_t(p->processId()), SIGKILL) == 0);
        QVERIFY(p->waitForFinished(5000));
    } else if (situation == QLatin1String("two")) {
        std::unique_ptr<QProcess> a(
            spawn({QStringLiteral("--child-notes"), QStringLiteral("200")}));
        std::unique_ptr<QProcess> b(
            spawn({QStringLiteral("--child-notes"), QStringLiteral("200")}));
        QVERIFY(a->waitForFinished(60000) && b->waitForFinished(60000));
        QCOMPARE(a->exitCode() + b->exitCode(), 0);
    } else if (situation == QLatin1String("first")) {
        history::Store old;
        QVERIFY(old.open(path, &told, 1));
        QCOMPARE(old.schemaVersion(), 1);
        history::Event e;
        e.time = QDateTime::currentDateTimeUtc();
        e.kind = e.what = e.outcome = history::kOutcomeDone;
        QVERIFY(old.append(e, nullptr));
    } else if (situation == QLatin1String("corrupt")) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, '\x5a'));
    } else {
        // As root a mode bit stops nothing: a file in the folder's place refuses alike.
        if (::geteuid() == 0) {
            QFile f(dir_->filePath(QStringLiteral("zanu-config")));
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::ExeOwner));
        }
    }
    {
        history::Recorder r(QStringLiteral("test"));
        QString warned;
        connect(&r, &history::Recorder::warning, this, [&](const QString &w) { warned = w; });
        if (!r.openNotice().isEmpty())
            told = r.openNotice().contains(QStringLiteral("moved to")) ? QStringLiteral("moved")
                                                                       : QStringLiteral("cannot");
        // Recording goes on (or is skipped with one warning); it never stops the caller.
        if (situation != QLatin1String("kill") && situation != QLatin1String("two"))
            r.note(QStringLiteral("trim"), QStringLiteral("output trim at 4 mA"), QString(),
                   QString(), history::kOutcomeDone);
        if (situation == QLatin1String("readonly")) QVERIFY(warned.contains(path));
    }
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    history::Store store;
    QString ignored;
    const bool readable = store.open(path, &ignored);
    const QList<history::TimelineRow> rows =
        readable ? store.timeline({}) : QList<history::TimelineRow>();
    const history::Verification v = store.verify();
    if (readable) QCOMPARE(store.schemaVersion(), history::Store::kSchemaVersion);
    QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                 .arg(rows.isEmpty() ? QStringLiteral("-") : rows.last().outcome)
                 .arg(v.entries)
                 .arg(v.intact || !readable ? QStringLiteral("intact") : v.why)
                 .arg(told),
             expected);
}

void TestHistoryStore::chain_data() {
    QTest::addColumn<QString>("edit"); // SQL run on the file behind the store's back
    QTest::addColumn<int>("firstBad"); // 0: the chain holds
    QTest::newRow("untouched") << "" << 0;
    QTest::newRow("a new value changed") << "UPDATE events SET new_value='9 s' WHERE id=2" << 2;
    QTest::newRow("an entry removed") << "DELETE FROM events WHERE id=3" << 4;
    QTest::newRow("the first entry removed") << "DELETE FROM events WHERE id=1" << 2;
    QTest::newRow("a hash made to fit its changed entry")
        << "UPDATE events SET user='someone', hash='00' WHERE id=2" << 2;
    // The stated limit: the chain cut off at its end still holds; only a kept last hash shows it.
    QTest::newRow("the last entry removed") << "DELETE FROM events WHERE id=4" << 0;
}

void TestHistoryStore::chain() {
    QFETCH(QString, edit);
    QFETCH(int, firstBad);
    const QString path = databasePath(*dir_);
    {
        history::Recorder r(QStringLiteral("test"));
        for (int i = 1; i <= 4; ++i)
            r.note(QStringLiteral("write"), QStringLiteral("damping"), QString::number(i - 1),
                   QString::number(i), history::kOutcomeDone);
    }
    if (!edit.isEmpty()) {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tamper"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(edit));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tamper"));
    history::Store store;
    QString notice;
    QVERIFY(store.open(path, &notice));
    const history::Verification v = store.verify();
    QCOMPARE(v.firstBad, qint64(firstBad));
    QCOMPARE(v.intact, firstBad == 0);
}

void TestHistoryStore::reportLines_data() {
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("first"); // the report's first line, up to the first two spaces
    QTest::newRow("none") << 0 << "No history is recorded for serial number 4711.";
    QTest::newRow("all fit") << history::kReportEntries << "";
    QTest::newRow("the oldest left out") << history::kReportEntries + 3
                                         << "Earlier entries left out here: 3. File > History… "
                                            "shows them all.";
}

void TestHistoryStore::reportLines() {
    QFETCH(int, entries);
    QFETCH(QString, first);
    records::Configuration known;
    known.serialNumber = 4711;
    {
        history::Recorder r(QStringLiteral("test"));
        r.seed(known);
        for (int i = 1; i <= entries; ++i)
            r.note(QStringLiteral("write"), QStringLiteral("damping"), QString::number(i - 1),
                   QString::number(i), history::kOutcomeDone);
    }
    const QStringList lines = history::reportLines(4711, databasePath(*dir_));
    QCOMPARE(lines.size(), qMin(entries, history::kReportEntries) + (first.isEmpty() ? 0 : 1));
    if (!first.isEmpty()) QCOMPARE(lines.first(), first);
    // The newest entry is always printed, and last.
    if (entries > 0)
        QVERIFY2(lines.last().contains(
                     QStringLiteral("damping: %1 -> %2").arg(entries - 1).arg(entries)),
                 qPrintable(lines.last()));
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1 && args[1].startsWith(QLatin1String("--child")))
        return child(args[1], args.value(2).toInt());
    TestHistoryStore t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_history_store.moc"
