// Turns HART transactions into history entries: whoever drives the line (the window's session,
// zanu-hart) tells it of each transaction as it starts and as it ends. What the transmitter is
// and what it held is learnt from the read replies that pass, so that a write is entered with
// its old value beside the new one. A write is entered before it goes on the wire and
// completed after its reply. Recording never stops the caller: a history that cannot be
// written is reported once through warning() and the transactions go on.
#pragma once

#include "history/history_store.h"
#include "records/configuration.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <deque>
#include <optional>

namespace history {

class Recorder : public QObject {
    Q_OBJECT
public:
    // Opens the history at `path` (the default one when empty).
    explicit Recorder(const QString &program, const QString &path = QString(),
                      QObject *parent = nullptr);

    Store &store() { return store_; }
    // The notice of the last open (a damaged file moved aside, or why nothing is recorded).
    QString openNotice() const { return openNotice_; }

    void setPort(const QString &port) { port_ = port; }
    // What the caller's own record knows, for a write before any read passed here.
    void seed(const records::Configuration &known);
    // A read has passed here (or a seed), so that entries name the transmitter.
    bool knowsTransmitter() const { return haveSerial_; }

    void transactionStarted(int command, const QByteArray &request);
    // `answered` false: no reply came (`error` says why).
    void transactionEnded(int command, bool answered, int responseCode, quint8 deviceStatus,
                          const QByteArray &data, const QString &error = QString());

    // Entries only a feature knows (loop check and trim results, a fixed current it holds):
    // entered at once, for the transmitter last read.
    void note(const QString &kind, const QString &what, const QString &oldValue,
              const QString &newValue, const QString &outcome);

signals:
    // The history cannot be written (read-only folder, full disk, damaged file): for the
    // status bar. Said once until an entry goes in again.
    void warning(const QString &text);

private:
    struct Change {
        QString kind, what, oldValue, newValue;
    };
    Change describe(int command, const QByteArray &request) const;
    void learn(int command, const QByteArray &data);
    Event base(const QString &kind) const;
    qint64 add(Event e);

    Store store_;
    QString openNotice_;
    QString program_, port_, user_, host_;
    bool failing_ = false;

    records::Configuration known_;
    bool haveSerial_ = false;
    std::optional<float> fixedMa_;
    std::optional<quint8> status_;
    int readParts_ = 0; // bits of the read sequence seen since the last command 0
    QHash<int, QByteArray> readReplies_;
    // One per transaction started, oldest first, as their ends come: the entry a write was
    // entered as (0 for a read) and what it asked.
    struct Pending {
        int command = 0;
        qint64 entry = 0;
        QByteArray request;
    };
    std::deque<Pending> pending_;
};

// The login name of whoever runs the program.
QString loginName();

} // namespace history
