// "&File > &History…": the transmitters seen and the chosen one's timeline, with a text filter,
// a date range and an export as CSV. It reads the history; it records nothing.
#pragma once

#include "history/history_store.h"

#include <QWidget>

class QAction;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTableWidget;
class Session;

namespace history {

class SessionRecorder;
class TimelineModel;

class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // Reads the history at `path` (the default one when empty).
    explicit HistoryWindow(QWidget *parent = nullptr, const QString &path = QString());
    ~HistoryWindow() override;

    // Reads the list of transmitters and the timeline again.
    void reload();
    // The timeline as shown (filter and dates applied), for the export and for tests.
    const QList<TimelineRow> &rows() const;
    // Writes the rows shown to `file`; false with the message in *error.
    bool exportCsv(const QString &file, QString *error) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void showTimeline();
    void exportClicked();

    Store store_;
    QTableWidget *transmitters_;
    QTableView *timeline_;
    TimelineModel *model_;
    QLineEdit *filter_;
    QDateEdit *since_, *until_;
    QLabel *status_;
    QPushButton *exportButton_ = nullptr, *closeButton_ = nullptr;
    QLabel *filterLabel_ = nullptr, *sinceLabel_ = nullptr, *untilLabel_ = nullptr;
};

// Records `session`'s transactions for as long as `owner` lives. The returned recorder's
// warning() is for the status bar.
SessionRecorder *AttachToSession(Session &session, QObject *owner);
// Adds "&History…" to `fileMenu`; it opens the History window over `parent`, one at a time.
QAction *AddHistoryMenuEntry(QMenu *fileMenu, QWidget *parent);

} // namespace history
