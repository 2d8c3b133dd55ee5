// The session's transactions into the history: every one, the window's chains and the queued
// requests of the other windows alike, as the session announces them. The entry of a write goes
// in inside transactionStarted, which the session raises before the request is on the wire.
#pragma once

#include "history/recorder.h"

#include <QObject>
#include <QPointer>

class Session;

namespace history {

class SessionRecorder : public QObject {
    Q_OBJECT
public:
    // Records `session`'s transactions into the history at `path` (the default one when empty).
    SessionRecorder(Session &session, const QString &path = QString(), QObject *parent = nullptr);

    Recorder &recorder() { return recorder_; }

signals:
    // For the status bar: the history cannot be written, and the program goes on without it.
    void warning(const QString &text);

private:
    void seedFromSession();

    QPointer<Session> session_;
    Recorder recorder_;
};

} // namespace history
