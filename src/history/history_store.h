// The history of what was read from and written to transmitters, kept in one SQLite file that
// zanu-config and zanu-hart share. Entries are only ever added: a write is entered as sent
// before it goes on the wire and a second entry completes it, so a kill between the two leaves
// "outcome unknown" instead of a gap, and no later entry can hide an earlier one. Each entry
// carries a SHA-256 over its content and the hash of the entry before it.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace history {

// Outcomes as the entries and every view of them spell them.
inline const QString kOutcomeUnknown = QStringLiteral("outcome unknown");
inline const QString kOutcomeDone = QStringLiteral("done");

struct Event {
    qint64 id = 0;
    QDateTime time;    // UTC
    int utcOffset = 0; // seconds east of UTC where and when it was recorded
    QString user, host, program, version, port;
    qint64 serial = 0; // 0 until the transmitter's serial number was read
    QString tag;
    QString kind; // "read", "write", "fixed current", "status", "loop check", "trim", ...
    QString what, oldValue, newValue;
    QString outcome;
    int responseCode = -1; // -1: no reply
    QString message;
    QString detail;            // a read's configuration, as the configuration files hold it
    qint64 completes = 0;      // the entry (sent, outcome unknown) this one completes
    QByteArray prevHash, hash; // hex; the previous entry's is not stored, it is the row before

    // Local time where it was recorded, with that offset.
    QDateTime localTime() const { return time.toOffsetFromUtc(utcOffset); }
};

// One line of a timeline: an entry, and for a write that was sent, the entry that completed it
// (none when the program never learnt the outcome).
struct TimelineRow {
    Event event;
    bool completed = false;
    QString outcome; // the completion's, or the entry's own when it needs none
    int responseCode = -1;
    QString message;
};

struct Transmitter {
    qint64 serial = 0;
    QString tag;
    QDateTime lastSeen; // UTC
};

struct Filter {
    qint64 serial = -1; // -1: every transmitter
    QDate since, until; // local dates, both inclusive; invalid: open
    QString text;       // in what, values, user, tag, outcome or message
};

struct Verification {
    bool intact = true;
    qint64 entries = 0;
    qint64 firstBad = 0; // the id of the first entry that does not fit
    QString why;
    QByteArray lastHash; // hex: kept elsewhere, it shows a later rewrite of the whole chain
};

class Store {
public:
    // 1: the entries. 2: indexes for the per-transmitter views.
    static constexpr int kSchemaVersion = 2;

    Store();
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // $XDG_DATA_HOME/zanu-config/history.sqlite, ~/.local/share/... without it.
    static QString defaultPath();

    // Opens or creates the file and brings its schema up to `version`. A file that is no
    // database (or a damaged one) is renamed to history.sqlite.corrupt-<time> and a new one
    // started; *notice then says so. False with *notice saying why when nothing can be kept.
    bool open(const QString &path, QString *notice, int version = kSchemaVersion);
    bool isOpen() const;
    QString path() const { return path_; }
    int schemaVersion() const;

    // Adds `e` (its id, previous hash and hash filled in). False with the reason in *error.
    bool append(Event &e, QString *error);

    QList<Transmitter> transmitters() const;
    // The entries the filter lets through, oldest first; with `newest`, only the newest so many.
    QList<TimelineRow> timeline(const Filter &filter, int newest = 0) const;
    // How many entries the filter lets through.
    qint64 count(const Filter &filter) const;
    Verification verify() const;

private:
    bool openOnce(int version, QString *problem);
    bool migrate(int version, QString *error);
    bool exec(const QString &sql, QString *error);
    bool moveAside(QString *notice);
    void close();

    QString connection_;
    QString path_;
    bool damaged_ = false; // a statement found the file damaged
    bool busy_ = false;    // a statement found the file locked by another program
    std::unique_ptr<QSqlQuery> last_, insert_;
};

// What an entry's hash is taken over: its content, then the previous entry's hash.
QByteArray entryHash(const Event &e);

} // namespace history
