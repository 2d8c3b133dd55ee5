#include "history/history_window.h"

#include "history/history_text.h"
#include "history/session_recorder.h"
#include "platform/csv.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QDateEdit>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace history {

namespace {
// The date edits' lowest date stands for "no limit"; they show it as the special text.
const QDate kOpenDate(2000, 1, 1);

const char *const kColumns[] = {QT_TRANSLATE_NOOP("history::HistoryWindow", "Time"),
                                QT_TRANSLATE_NOOP("history::HistoryWindow", "User"),
                                QT_TRANSLATE_NOOP("history::HistoryWindow", "What"),
                                QT_TRANSLATE_NOOP("history::HistoryWindow", "Old → New"),
                                QT_TRANSLATE_NOOP("history::HistoryWindow", "Outcome")};

// A menu entry is no widget and hears of no change of language; its window does, and names the
// entry again.
class RenameOnLanguageChange : public QObject {
public:
    RenameOnLanguageChange(QAction *action, QWidget *window) : QObject(action), action_(action) {
        window->installEventFilter(this);
        rename();
    }
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::LanguageChange) rename();
        return QObject::eventFilter(watched, event);
    }

private:
    void rename() { action_->setText(HistoryWindow::tr("&History…")); }
    QAction *action_;
};
} // namespace

// A model rather than a table of items: a timeline of a hundred thousand entries opens in a
// fraction of the time a cell object per value takes.
class TimelineModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setRows(QList<TimelineRow> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    const QList<TimelineRow> &rows() const { return rows_; }
    int rowCount(const QModelIndex &parent) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 5; }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 4) return {};
        return HistoryWindow::tr(kColumns[section]);
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || index.row() >= rows_.size()) return {};
        const TimelineRow &r = rows_[index.row()];
        const Event &e = r.event;
        if (role == Qt::ToolTipRole)
            return HistoryWindow::tr("%1 %2 on %3, port %4")
                .arg(e.program, e.version, e.host, e.port);
        if (role != Qt::DisplayRole) return {};
        switch (index.column()) {
        case 0:
            return csv::isoTime(e.localTime());
        case 1:
            return e.user;
        case 2:
            return e.what;
        case 3:
            if (e.oldValue.isEmpty()) return e.newValue;
            return QStringLiteral("%1 \u2192 %2").arg(e.oldValue, e.newValue);
        case 4:
            return r.message.isEmpty() ? r.outcome
                                       : QStringLiteral("%1 (%2)").arg(r.outcome, r.message);
        default:
            return {};
        }
    }

private:
    QList<TimelineRow> rows_;
};

HistoryWindow::HistoryWindow(QWidget *parent, const QString &path)
    : QWidget(parent, Qt::Window), transmitters_(new QTableWidget(0, 3, this)),
      timeline_(new QTableView(this)), model_(new TimelineModel(this)),
      filter_(new QLineEdit(this)), since_(new QDateEdit(this)), until_(new QDateEdit(this)),
      status_(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 600);

    transmitters_->setSelectionBehavior(QAbstractItemView::SelectRows);
    transmitters_->setSelectionMode(QAbstractItemView::SingleSelection);
    transmitters_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    transmitters_->verticalHeader()->hide();

    timeline_->setModel(model_);
    timeline_->setSelectionBehavior(QAbstractItemView::SelectRows);
    timeline_->verticalHeader()->hide();
    // Fixed row heights: measuring each of many rows would cost more than the query.
    timeline_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    timeline_->horizontalHeader()->setStretchLastSection(true);

    filter_->setClearButtonEnabled(true);
    for (QDateEdit *d : {since_, until_}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setMinimumDate(kOpenDate);
        d->setDate(kOpenDate);
    }

    exportButton_ = new QPushButton(this);
    closeButton_ = new QPushButton(this);

    auto *filters = new QHBoxLayout;
    filterLabel_ = new QLabel(this);
    filterLabel_->setBuddy(filter_);
    sinceLabel_ = new QLabel(this);
    sinceLabel_->setBuddy(since_);
    untilLabel_ = new QLabel(this);
    untilLabel_->setBuddy(until_);
    retranslate();
    filters->addWidget(filterLabel_);
    filters->addWidget(filter_, 1);
    filters->addWidget(sinceLabel_);
    filters->addWidget(since_);
    filters->addWidget(untilLabel_);
    filters->addWidget(until_);

    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(filters);
    rightLayout->addWidget(timeline_, 1);

    auto *split = new QSplitter(this);
    split->addWidget(transmitters_);
    split->addWidget(right);
    split->setStretchFactor(1, 3);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(exportButton_);
    buttons->addWidget(closeButton_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    QString notice;
    store_.open(path.isEmpty() ? Store::defaultPath() : path, &notice);
    status_->setText(notice);

    connect(transmitters_, &QTableWidget::itemSelectionChanged, this, &HistoryWindow::showTimeline);
    connect(filter_, &QLineEdit::textChanged, this, &HistoryWindow::showTimeline);
    connect(since_, &QDateEdit::dateChanged, this, &HistoryWindow::showTimeline);
    connect(until_, &QDateEdit::dateChanged, this, &HistoryWindow::showTimeline);
    connect(exportButton_, &QPushButton::clicked, this, &HistoryWindow::exportClicked);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    reload();
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::reload() {
    const QList<Transmitter> seen = store_.transmitters();
    const QSignalBlocker block(transmitters_);
    transmitters_->setRowCount(int(seen.size()));
    for (int i = 0; i < seen.size(); ++i) {
        auto *serial = new QTableWidgetItem(QString::number(seen[i].serial));
        serial->setData(Qt::UserRole, seen[i].serial);
        transmitters_->setItem(i, 0, serial);
        transmitters_->setItem(i, 1, new QTableWidgetItem(seen[i].tag));
        transmitters_->setItem(i, 2,
                               new QTableWidgetItem(csv::isoTime(seen[i].lastSeen.toLocalTime())));
    }
    transmitters_->resizeColumnsToContents();
    if (!seen.isEmpty()) transmitters_->selectRow(0);
    showTimeline();
}

void HistoryWindow::showTimeline() {
    Filter f;
    const QList<QTableWidgetItem *> chosen = transmitters_->selectedItems();
    if (chosen.isEmpty()) {
        model_->setRows({});
        return;
    }
    f.serial = transmitters_->item(chosen.first()->row(), 0)->data(Qt::UserRole).toLongLong();
    f.text = filter_->text().trimmed();
    if (since_->date() != kOpenDate) f.since = since_->date();
    if (until_->date() != kOpenDate) f.until = until_->date();
    model_->setRows(store_.timeline(f));
}

const QList<TimelineRow> &HistoryWindow::rows() const {
    return model_->rows();
}

bool HistoryWindow::exportCsv(const QString &file, QString *error) const {
    QString why;
    if (csv::save(file, csvText(rows()), &why)) return true;
    *error = tr("The history could not be saved to %1: %2").arg(file, why);
    return false;
}

void HistoryWindow::exportClicked() {
    // The file name stays as it is: the export is read by other programs, not by engineers.
    const QString file = QFileDialog::getSaveFileName(
        this, tr("Export history"), QStringLiteral("history.csv"), tr("CSV files (*.csv)"));
    if (file.isEmpty()) return;
    QString error;
    if (!exportCsv(file, &error))
        QMessageBox::warning(this, tr("History"), error + tr(" Choose another file or folder."));
}

void HistoryWindow::retranslate() {
    setWindowTitle(tr("History"));
    transmitters_->setHorizontalHeaderLabels({tr("Serial number"), tr("Tag"), tr("Last seen")});
    transmitters_->setAccessibleName(tr("Transmitters seen"));
    timeline_->setAccessibleName(tr("Timeline"));
    filter_->setPlaceholderText(tr("Filter"));
    filter_->setAccessibleName(tr("Filter"));
    for (QDateEdit *d : {since_, until_})
        d->setSpecialValueText(tr("any"));
    since_->setAccessibleName(tr("From"));
    until_->setAccessibleName(tr("To"));
    exportButton_->setText(tr("&Export CSV…"));
    closeButton_->setText(tr("&Close"));
    filterLabel_->setText(tr("&Filter:"));
    sinceLabel_->setText(tr("F&rom:"));
    untilLabel_->setText(tr("&To:"));
    emit model_->headerDataChanged(Qt::Horizontal, 0, model_->columnCount({}) - 1);
}

void HistoryWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}

SessionRecorder *AttachToSession(Session &session, QObject *owner) {
    return new SessionRecorder(session, QString(), owner);
}

QAction *AddHistoryMenuEntry(QMenu *fileMenu, QWidget *parent) {
    auto *action = fileMenu->addAction(QString());
    new RenameOnLanguageChange(action, parent);
    auto window = std::make_shared<QPointer<HistoryWindow>>();
    QObject::connect(action, &QAction::triggered, parent, [parent, window] {
        if (!*window) *window = new HistoryWindow(parent);
        (*window)->reload();
        (*window)->show();
        (*window)->raise();
        (*window)->activateWindow();
    });
    return action;
}

} // namespace history
