#include "history/history_store.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>

#include <algorithm>
#include <atomic>

namespace history {

namespace {

// SQLite's primary result codes that mean the file itself is unusable.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
// Two programs opening a new file at the same moment both switch it to WAL and migrate it; SQLite
// answers one of them "locked" at once, without its busy wait, to break the deadlock. That one
// opens again after a moment instead of recording nothing for its whole run.
constexpr int kOpenRetryMs = 3000;
// Another program (the window beside a zanu-hart run) holds the write lock for one short
// transaction at most; waiting this long for it is still far below a HART transaction.
constexpr int kBusyTimeoutMs = 1000;

const char kTimeFormat[] = "yyyy-MM-dd'T'HH:mm:ss.zzz'Z'";

// The hash is kept as its 32 bytes and the previous entry's is not kept at all (it is the row
// before): 100 000 entries must fit in 20 MB.
const char *const kColumns =
    "id, time_ms, utc_offset, user, host, program, version, port, serial, tag, kind, what, "
    "old_value, new_value, outcome, response_code, message, detail, completes, hash";
constexpr int kColumnCount = 20;

bool isBusy(const QSqlError &e) {
    const int code = e.nativeErrorCode().toInt() & 0xff; // the primary code of an extended one
    return code == kSqliteBusy || code == kSqliteLocked;
}

bool isCorruption(const QSqlError &e) {
    const int code = e.nativeErrorCode().toInt();
    return code == kSqliteCorrupt || code == kSqliteNotADatabase;
}

Event eventFrom(const QSqlQuery &q, int at = 0) {
    Event e;
    e.id = q.value(at + 0).toLongLong();
    e.time = QDateTime::fromMSecsSinceEpoch(q.value(at + 1).toLongLong(), Qt::UTC);
    e.utcOffset = q.value(at + 2).toInt();
    e.user = q.value(at + 3).toString();
    e.host = q.value(at + 4).toString();
    e.program = q.value(at + 5).toString();
    e.version = q.value(at + 6).toString();
    e.port = q.value(at + 7).toString();
    e.serial = q.value(at + 8).toLongLong();
    e.tag = q.value(at + 9).toString();
    e.kind = q.value(at + 10).toString();
    e.what = q.value(at + 11).toString();
    e.oldValue = q.value(at + 12).toString();
    e.newValue = q.value(at + 13).toString();
    e.outcome = q.value(at + 14).toString();
    e.responseCode = q.value(at + 15).toInt();
    e.message = q.value(at + 16).toString();
    e.detail = q.value(at + 17).toString();
    e.completes = q.value(at + 18).toLongLong();
    e.hash = q.value(at + 19).toByteArray().toHex();
    return e;
}

} // namespace

QByteArray entryHash(const Event &e) {
    // Fields are separated by a character no field can hold unnoticed: "ab"+"c" and "a"+"bc"
    // must not hash alike.
    const QStringList fields{QString::number(e.id),
                             e.time.toUTC().toString(QLatin1String(kTimeFormat)),
                             QString::number(e.utcOffset),
                             e.user,
                             e.host,
                             e.program,
                             e.version,
                             e.port,
                             QString::number(e.serial),
                             e.tag,
                             e.kind,
                             e.what,
                             e.oldValue,
                             e.newValue,
                             e.outcome,
                             QString::number(e.responseCode),
                             e.message,
                             e.detail,
                             QString::number(e.completes)};
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(e.prevHash);
    h.addData(QByteArrayView("\x1e", 1));
    h.addData(fields.join(QChar(0x1f)).toUtf8());
    return h.result().toHex();
}

Store::Store() {
    static std::atomic<int> count{0};
    connection_ = QStringLiteral("zanu-history-%1").arg(++count);
}

Store::~Store() {
    close();
}

QString Store::defaultPath() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/zanu-config/history.sqlite");
}

void Store::close() {
    last_.reset();
    insert_.reset();
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

bool Store::isOpen() const {
    return last_ != nullptr;
}

bool Store::exec(const QString &sql, QString *error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (q.exec(sql)) return true;
    damaged_ = damaged_ || isCorruption(q.lastError());
    busy_ = busy_ || isBusy(q.lastError());
    if (error) *error = q.lastError().text();
    return false;
}

int Store::schemaVersion() const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("SELECT max(version) FROM schema_version")) || !q.next()) return 0;
    return q.value(0).toInt();
}

bool Store::moveAside(QString *notice) {
    close();
    const QString aside =
        QStringLiteral("%1.corrupt-%2")
            .arg(path_,
                 QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    if (!QFile::rename(path_, aside)) {
        if (notice)
            *notice =
                QCoreApplication::translate(
                    "history::Store", "The history %1 is damaged and could not be moved aside; "
                                      "nothing is recorded. Move or delete the file.")
                    .arg(path_);
        return false;
    }
    // The journal belongs to the damaged file; a new database must not replay it.
    QFile::rename(path_ + QStringLiteral("-wal"), aside + QStringLiteral("-wal"));
    QFile::remove(path_ + QStringLiteral("-shm"));
    if (notice)
        *notice = QCoreApplication::translate(
                      "history::Store", "The history %1 was damaged; it was moved to %2 and a new "
                                        "history started.")
                      .arg(path_, aside);
    return true;
}

bool Store::open(const QString &path, QString *notice, int version) {
    close();
    path_ = path;
    QString problem;
    QElapsedTimer waited;
    waited.start();
    for (int attempt = 0; attempt < 2;) {
        damaged_ = busy_ = false;
        if (openOnce(version, &problem)) return true;
        close();
        if (busy_ && !waited.hasExpired(kOpenRetryMs)) {
            QThread::msleep(20);
            continue;
        }
        if (!damaged_ || ++attempt > 1) break;
        if (!moveAside(notice)) return false;
    }
    if (notice)
        *notice =
            QCoreApplication::translate(
                "history::Store", "The history %1 cannot be opened (%2); reads and writes go on "
                                  "unrecorded. Make its folder writable or free disk space.")
                .arg(path, problem);
    return false;
}

bool Store::openOnce(int version, QString *problem) {
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath())) {
        *problem = QStringLiteral("the folder %1 cannot be created").arg(info.absolutePath());
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        *problem = db.lastError().text();
        return false;
    }
    // Reading the schema is the first thing that touches the file's pages: a file that is no
    // database fails here. WAL lets a reader and a writer work side by side; NORMAL keeps the
    // commit before the wire free of a disk flush, and a power cut loses at most the last
    // entries, never the file.
    if (!exec(QStringLiteral("SELECT count(*) FROM sqlite_master"), problem) ||
        !exec(QStringLiteral("PRAGMA journal_mode=WAL"), problem) ||
        !exec(QStringLiteral("PRAGMA synchronous=NORMAL"), problem) || !migrate(version, problem))
        return false;
    last_ = std::make_unique<QSqlQuery>(db);
    insert_ = std::make_unique<QSqlQuery>(db);
    if (!last_->prepare(QStringLiteral("SELECT id, hash FROM events ORDER BY id DESC LIMIT 1")) ||
        !insert_->prepare(QStringLiteral("INSERT INTO events (%1) VALUES "
                                         "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
                              .arg(QLatin1String(kColumns)))) {
        *problem = last_->lastError().text() + insert_->lastError().text();
        last_.reset();
        insert_.reset();
        return false;
    }
    return true;
}

bool Store::migrate(int version, QString *error) {
    // Each step takes the file from the version before it; a file of any earlier version is
    // brought up one step at a time, its entries and their hashes untouched.
    static const QStringList steps[] = {
        {QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL, "
                        "applied_utc TEXT NOT NULL)"),
         QStringLiteral("CREATE TABLE events (id INTEGER PRIMARY KEY, time_ms INTEGER NOT NULL, "
                        "utc_offset INTEGER NOT NULL, user TEXT, host TEXT, program TEXT, "
                        "version TEXT, port TEXT, serial INTEGER NOT NULL, tag TEXT, "
                        "kind TEXT NOT NULL, what TEXT, old_value TEXT, new_value TEXT, "
                        "outcome TEXT, response_code INTEGER, message TEXT, detail TEXT, "
                        "completes INTEGER NOT NULL, hash BLOB NOT NULL)")},
        {QStringLiteral("CREATE INDEX events_serial ON events (serial, id)"),
         QStringLiteral("CREATE INDEX events_completes ON events (completes)")},
    };
    if (!exec(QStringLiteral("BEGIN IMMEDIATE"), error)) return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    int have = 0;
    if (q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name='schema_version'")) &&
        q.next() && q.value(0).toInt() > 0)
        have = schemaVersion();
    q.finish();
    if (have > kSchemaVersion) {
        exec(QStringLiteral("ROLLBACK"), nullptr);
        *error = QStringLiteral("it was written by a newer version of this program (schema %1)")
                     .arg(have);
        return false;
    }
    for (int v = have + 1; v <= version; ++v) {
        for (const QString &sql : steps[v - 1])
            if (!exec(sql, error)) {
                exec(QStringLiteral("ROLLBACK"), nullptr);
                return false;
            }
        if (!exec(QStringLiteral("INSERT INTO schema_version VALUES (%1, '%2')")
                      .arg(v)
                      .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODate)),
                  error)) {
            exec(QStringLiteral("ROLLBACK"), nullptr);
            return false;
        }
    }
    return exec(QStringLiteral("COMMIT"), error);
}

bool Store::append(Event &e, QString *error) {
    if (!isOpen()) {
        if (error) *error = QStringLiteral("the history is not open");
        return false;
    }
    // IMMEDIATE takes the write lock before the last hash is read, so that a second program
    // appending at the same moment waits instead of forking the chain.
    if (!exec(QStringLiteral("BEGIN IMMEDIATE"), error)) return false;
    if (!last_->exec()) {
        if (error) *error = last_->lastError().text();
        exec(QStringLiteral("ROLLBACK"), nullptr);
        return false;
    }
    e.id = 1;
    e.prevHash.clear();
    if (last_->next()) {
        e.id = last_->value(0).toLongLong() + 1;
        e.prevHash = last_->value(1).toByteArray().toHex();
    }
    last_->finish();
    e.time = e.time.toUTC();
    e.hash = entryHash(e);
    const QVariantList values{e.id,        e.time.toMSecsSinceEpoch(),
                              e.utcOffset, e.user,
                              e.host,      e.program,
                              e.version,   e.port,
                              e.serial,    e.tag,
                              e.kind,      e.what,
                              e.oldValue,  e.newValue,
                              e.outcome,   e.responseCode,
                              e.message,   e.detail,
                              e.completes, QByteArray::fromHex(e.hash)};
    for (int i = 0; i < values.size(); ++i)
        insert_->bindValue(i, values[i]);
    if (!insert_->exec()) {
        if (error) *error = insert_->lastError().text();
        exec(QStringLiteral("ROLLBACK"), nullptr);
        return false;
    }
    return exec(QStringLiteral("COMMIT"), error);
}

QList<Transmitter> Store::transmitters() const {
    QList<Transmitter> out;
    if (!isOpen()) return out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    // The tag of each transmitter's latest entry, with the time of that entry.
    if (!q.exec(QStringLiteral("SELECT e.serial, e.tag, e.time_ms FROM events e JOIN "
                               "(SELECT serial, max(id) AS id FROM events WHERE serial > 0 "
                               "GROUP BY serial) l ON e.id = l.id ORDER BY e.time_ms DESC")))
        return out;
    while (q.next()) {
        Transmitter t;
        t.serial = q.value(0).toLongLong();
        t.tag = q.value(1).toString();
        t.lastSeen = QDateTime::fromMSecsSinceEpoch(q.value(2).toLongLong(), Qt::UTC);
        out << t;
    }
    return out;
}

namespace {

// The filter as an SQL condition on the entry `e` and the entry `c` that completed it, with the
// values to bind in order.
QString whereOf(const Filter &filter, QVariantList &binds) {
    QStringList where{QStringLiteral("e.completes = 0")};
    if (filter.serial >= 0) {
        where << QStringLiteral("e.serial = ?");
        binds << filter.serial;
    }
    // Dates are the user's own: a day runs from local midnight to local midnight.
    if (filter.since.isValid()) {
        where << QStringLiteral("e.time_ms >= ?");
        binds << filter.since.startOfDay().toMSecsSinceEpoch();
    }
    if (filter.until.isValid()) {
        where << QStringLiteral("e.time_ms < ?");
        binds << filter.until.addDays(1).startOfDay().toMSecsSinceEpoch();
    }
    if (!filter.text.isEmpty()) {
        QString like = filter.text;
        like.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('%'), QStringLiteral("\\%"))
            .replace(QLatin1Char('_'), QStringLiteral("\\_"));
        like = QLatin1Char('%') + like + QLatin1Char('%');
        QStringList any;
        for (const char *column : {"e.what", "e.old_value", "e.new_value", "e.user", "e.tag",
                                   "e.kind", "coalesce(c.outcome, e.outcome)", "c.message",
                                   "e.message", "CAST(e.serial AS TEXT)"}) {
            any << QStringLiteral("%1 LIKE ? ESCAPE '\\'").arg(QLatin1String(column));
            binds << like;
        }
        where << QLatin1Char('(') + any.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    }
    return where.join(QStringLiteral(" AND "));
}

} // namespace

QList<TimelineRow> Store::timeline(const Filter &filter, int newest) const {
    QList<TimelineRow> out;
    if (!isOpen()) return out;
    QVariantList binds;
    const QString where = whereOf(filter, binds);
    // A read's configuration is not shown in a timeline; reading it would only cost time.
    QString columns;
    for (const QString &c : QString::fromLatin1(kColumns).split(QStringLiteral(", ")))
        columns +=
            (c == QLatin1String("detail") ? QStringLiteral("''") : QStringLiteral("e.") + c) +
            QStringLiteral(", ");
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // The newest few are taken newest first, so that the database stops after them.
    q.prepare(QStringLiteral("SELECT %1 c.id, c.outcome, c.response_code, c.message FROM events e "
                             "LEFT JOIN events c ON c.completes = e.id WHERE %2 ORDER BY e.id%3")
                  .arg(columns, where,
                       newest > 0 ? QStringLiteral(" DESC LIMIT %1").arg(newest) : QString()));
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    if (!q.exec()) return out;
    while (q.next()) {
        TimelineRow r;
        r.event = eventFrom(q);
        r.completed = !q.value(kColumnCount).isNull();
        r.outcome = r.completed ? q.value(kColumnCount + 1).toString() : r.event.outcome;
        r.responseCode = r.completed ? q.value(kColumnCount + 2).toInt() : r.event.responseCode;
        r.message = r.completed ? q.value(kColumnCount + 3).toString() : r.event.message;
        out << r;
    }
    if (newest > 0) std::reverse(out.begin(), out.end());
    return out;
}

qint64 Store::count(const Filter &filter) const {
    if (!isOpen()) return 0;
    QVariantList binds;
    const QString where = whereOf(filter, binds);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT count(*) FROM events e LEFT JOIN events c ON c.completes = "
                             "e.id WHERE %1")
                  .arg(where));
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    return q.exec() && q.next() ? q.value(0).toLongLong() : 0;
}

Verification Store::verify() const {
    Verification v;
    if (!isOpen()) {
        v.intact = false;
        v.why = QStringLiteral("the history is not open");
        return v;
    }
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM events ORDER BY id").arg(QLatin1String(kColumns)))) {
        v.intact = false;
        v.why = q.lastError().text();
        return v;
    }
    QByteArray previous;
    qint64 previousId = 0;
    while (q.next()) {
        Event e = eventFrom(q);
        ++v.entries;
        e.prevHash = previous;
        QString why;
        if (e.id != previousId + 1)
            why = previousId ? QStringLiteral("it does not follow entry %1: entries between them "
                                              "were removed")
                                   .arg(previousId)
                             : QStringLiteral("it is not the first entry of the chain: earlier "
                                              "entries were removed");
        else if (entryHash(e) != e.hash)
            why = previousId ? QStringLiteral("its content, or entry %1 before it, was changed")
                                   .arg(previousId)
                             : QStringLiteral("its content was changed");
        if (!why.isEmpty()) {
            v.intact = false;
            v.firstBad = e.id;
            v.why = why;
            return v;
        }
        previous = e.hash;
        previousId = e.id;
    }
    v.lastHash = previous;
    return v;
}

} // namespace history
