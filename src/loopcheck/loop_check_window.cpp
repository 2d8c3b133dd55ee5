#include "loopcheck/loop_check_window.h"

#include "dialogs/msgbox.h"
#include "dialogs/pointer.h"
#include "session/main_window_port.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString title() {
    return LoopCheckWindow::tr("Loop check");
}
constexpr int kLongestSettlingS = 600;

enum Column { ColPoint, ColReadback, ColMeasured, ColDeviation, ColResult, ColumnCount };

QString num(double v, int decimals = 3) {
    return QLocale::system().toString(v, 'f', decimals);
}

QString num(const std::optional<double> &v) {
    return v ? num(*v) : QString();
}

QString plusMinus(double v) {
    return (v > 0 ? QStringLiteral("+") : QString()) + num(v);
}

// The result's words stay English in the CSV file, which other programs read; on screen they are
// in the window's language.
QString shownResult(const QString &english) {
    const QByteArray key = english.toUtf8();
    return english.isEmpty() ? english
                             : QCoreApplication::translate("LoopCheckResult", key.constData());
}

} // namespace

LoopCheckWindow::LoopCheckWindow(Session &session, MainWindowPort &mainWindow)
    : QWidget(mainWindow.window(), Qt::Window), session_(session), main_(mainWindow),
      procedure_(new LoopCheckProcedure(session, this)) {
    setObjectName(QStringLiteral("LoopCheckWindow"));

    QGroupBox *settings = makeSettings();
    makeTable();
    QHBoxLayout *readingRow = makeReadingRow();
    QHBoxLayout *buttons = makeButtons();
    auto *top = new QVBoxLayout(this);
    top->addWidget(settings);
    top->addWidget(table, 1);
    top->addWidget(stepLabel);
    top->addLayout(readingRow);
    top->addWidget(verdictLabel);
    top->addLayout(buttons);

    connectControls();

    askSavePath = [](QWidget *parent, const QString &suggested) {
        return QFileDialog::getSaveFileName(parent, tr("Save loop check"), suggested,
                                            tr("CSV files (*.csv)"));
    };

    resize(620, 520);
    retranslate();
    onChanged();
}

QGroupBox *LoopCheckWindow::makeSettings() {
    settingsBox_ = new QGroupBox(this);
    auto *settings = settingsBox_;
    auto *form = new QFormLayout(settings);
    pointsEdit = new QLineEdit(QStringLiteral("4; 8; 12; 16; 20"), settings);
    pointsEdit->setObjectName(QStringLiteral("pointsEdit"));
    pointsLabel_ = new QLabel(settings);
    form->addRow(pointsLabel_, pointsEdit);
    auto *tolRow = new QHBoxLayout;
    toleranceEdit = new QLineEdit(num(0.05, 2), settings);
    toleranceEdit->setObjectName(QStringLiteral("toleranceEdit"));
    toleranceUnit = new QComboBox(settings);
    toleranceUnit->setObjectName(QStringLiteral("toleranceUnit"));
    toleranceUnit->addItems({QStringLiteral("mA"), QString()});
    tolRow->addWidget(new QLabel(QStringLiteral("±"), settings));
    tolRow->addWidget(toleranceEdit, 1);
    tolRow->addWidget(toleranceUnit);
    toleranceLabel_ = new QLabel(settings);
    toleranceLabel_->setBuddy(toleranceEdit);
    form->addRow(toleranceLabel_, tolRow);
    settlingEdit = new QLineEdit(QStringLiteral("2"), settings);
    settlingEdit->setObjectName(QStringLiteral("settlingEdit"));
    settlingLabel_ = new QLabel(settings);
    form->addRow(settlingLabel_, settlingEdit);
    return settings;
}

void LoopCheckWindow::makeTable() {
    table = new QTableWidget(0, ColumnCount, this);
    table->setObjectName(QStringLiteral("table"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    stepLabel = new QLabel(this);
    stepLabel->setObjectName(QStringLiteral("stepLabel"));
    stepLabel->setWordWrap(true);
    stepLabel->setMinimumHeight(stepLabel->fontMetrics().lineSpacing() * 4);
    stepLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    verdictLabel = new QLabel(this);
    verdictLabel->setObjectName(QStringLiteral("verdictLabel"));
    verdictLabel->setWordWrap(true);
}

QHBoxLayout *LoopCheckWindow::makeReadingRow() {
    auto *readingRow = new QHBoxLayout;
    readingEdit = new QLineEdit(this);
    readingEdit->setObjectName(QStringLiteral("readingEdit"));
    readingLabel_ = new QLabel(this);
    readingLabel_->setBuddy(readingEdit);
    enterButton = new QPushButton(this);
    skipButton = new QPushButton(this);
    backButton = new QPushButton(this);
    readingRow->addWidget(readingLabel_);
    readingRow->addWidget(readingEdit, 1);
    readingRow->addWidget(enterButton);
    readingRow->addWidget(skipButton);
    readingRow->addWidget(backButton);
    return readingRow;
}

QHBoxLayout *LoopCheckWindow::makeButtons() {
    auto *buttons = new QHBoxLayout;
    startButton = new QPushButton(this);
    cancelButton = new QPushButton(this);
    retryButton = new QPushButton(this);
    saveButton = new QPushButton(this);
    closeButton = new QPushButton(this);
    // Offered only after a check with a failed point: the trim is the fix for what it found.
    trimButton = new QPushButton(this);
    trimButton->setVisible(false);
    for (QPushButton *b :
         {startButton, cancelButton, retryButton, saveButton, trimButton, closeButton})
        buttons->addWidget(b);
    buttons->insertStretch(3);
    for (QPushButton *b : {startButton, enterButton, skipButton, backButton, cancelButton,
                           retryButton, saveButton, closeButton})
        b->setAutoDefault(false);
    return buttons;
}

void LoopCheckWindow::connectControls() {
    connect(startButton, &QPushButton::clicked, this, [this] { startCheck(); });
    connect(enterButton, &QPushButton::clicked, this, &LoopCheckWindow::enterTyped);
    connect(readingEdit, &QLineEdit::returnPressed, this, &LoopCheckWindow::enterTyped);
    connect(skipButton, &QPushButton::clicked, procedure_, &LoopCheckProcedure::skip);
    connect(backButton, &QPushButton::clicked, procedure_, &LoopCheckProcedure::back);
    connect(cancelButton, &QPushButton::clicked, procedure_, &LoopCheckProcedure::cancel);
    connect(retryButton, &QPushButton::clicked, procedure_, &LoopCheckProcedure::retryRelease);
    connect(saveButton, &QPushButton::clicked, this, &LoopCheckWindow::saveClicked);
    connect(trimButton, &QPushButton::clicked, this, [this] { main_.openOutputTrim(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(procedure_, &LoopCheckProcedure::changed, this, &LoopCheckWindow::onChanged);
    connect(procedure_, &LoopCheckProcedure::released, this, &LoopCheckWindow::onReleased);
    connect(procedure_, &LoopCheckProcedure::releaseFailed, this,
            &LoopCheckWindow::onReleaseFailed);
    connect(procedure_, &LoopCheckProcedure::stopped, this, [this](const QString &reason) {
        verdictLabel->setText(tr("The check stopped: %1.").arg(reason));
    });
}

LoopCheckWindow::~LoopCheckWindow() {}

void LoopCheckWindow::retranslate() {
    setWindowTitle(title());
    settingsBox_->setTitle(tr("Settings"));
    pointsLabel_->setText(tr("&Points (mA):"));
    pointsLabel_->setBuddy(pointsEdit);
    pointsEdit->setToolTip(tr("Currents in mA, separated by semicolons or blanks, "
                              "each above 3.9 and below 20.1"));
    toleranceLabel_->setText(tr("&Tolerance:"));
    toleranceUnit->setItemText(1, tr("% of span"));
    toleranceUnit->setAccessibleName(tr("Tolerance unit"));
    settlingLabel_->setText(tr("&Settling time (s):"));
    settlingLabel_->setBuddy(settlingEdit);
    table->setAccessibleName(tr("Loop check points"));
    table->setHorizontalHeaderLabels({tr("Point (mA)"), tr("Read back (mA)"), tr("Measured (mA)"),
                                      tr("Deviation (mA)"), tr("Result")});
    readingLabel_->setText(tr("&Measured (mA):"));
    enterButton->setText(tr("&Enter"));
    skipButton->setText(tr("S&kip"));
    backButton->setText(tr("&Back"));
    startButton->setText(tr("St&art"));
    cancelButton->setText(tr("&Cancel"));
    retryButton->setText(tr("&Retry release"));
    saveButton->setText(tr("Sa&ve CSV…"));
    closeButton->setText(tr("C&lose"));
    trimButton->setText(tr("&Trim output…"));
    trimButton->setAccessibleName(tr("Trim output"));
}

void LoopCheckWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    retranslate();
    onChanged();
}

bool LoopCheckWindow::readSettings(LoopCheckProcedure::Settings *out, QString *error) const {
    LoopCheckProcedure::Settings s;
    const QStringList parts =
        pointsEdit->text().split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const std::optional<double> v = ParseTypedCurrent(part);
        if (!v || !(*v > kLoopCheckLowestMa && *v < kLoopCheckHighestMa)) {
            *error = tr("\"%1\" is not a point the transmitter can hold. Enter currents "
                        "above 3.9 and below 20.1 mA, separated by semicolons or "
                        "blanks, e.g. 4; 8; 12; 16; 20.")
                         .arg(part);
            return false;
        }
        s.pointsMa.append(*v);
    }
    if (s.pointsMa.isEmpty()) {
        *error = tr("No points are given. Enter at least one current between 3.9 and "
                    "20.1 mA, e.g. 4; 8; 12; 16; 20.");
        return false;
    }
    const std::optional<double> tol = ParseTypedCurrent(toleranceEdit->text());
    s.tolerancePercent = toleranceUnit->currentIndex() == 1;
    const double most = s.tolerancePercent ? 100.0 : kOutputSpanMa;
    if (!tol || *tol <= 0 || *tol > most) {
        *error = tr("The tolerance \"%1\" is not usable. Enter a number above 0 and "
                    "at most %2 %3, e.g. 0.05 mA.")
                     .arg(toleranceEdit->text(), num(most, 0), toleranceUnit->currentText());
        return false;
    }
    s.tolerance = *tol;
    const std::optional<double> settle = ParseTypedCurrent(settlingEdit->text());
    if (!settle || *settle < 0 || *settle > kLongestSettlingS) {
        *error = tr("The settling time \"%1\" is not usable. Enter the seconds to wait "
                    "at each point, from 0 to %2, e.g. 2.")
                     .arg(settlingEdit->text())
                     .arg(kLongestSettlingS);
        return false;
    }
    s.settlingMs = qRound(*settle * 1000);
    *out = s;
    return true;
}

bool LoopCheckWindow::startCheck() {
    if (procedure_->holdsLoop() || waitingForLine_) return false;
    const Session &session = session_;
    if (session.isSimulatingCurrent()) {
        MsgBox(tr("A loop current is being simulated from the Current Simulation "
                  "panel. The loop check sets the current itself and would end that "
                  "simulation behind the panel's back. Press Abort in the panel "
                  "first, then start the loop check."),
               vbOKOnly, title());
        return false;
    }
    // Only the output trim holds the loop this way while no check runs: its release would end
    // the check's fixed current behind the check's back.
    if (session.loopCheckRunning()) {
        MsgBox(tr("The output trim holds the loop current. Finish or cancel it in the "
                  "Output trim window, then start the loop check."),
               vbOKOnly, title());
        return false;
    }
    if (!session.transmitterRead()) {
        MsgBox(tr("No transmitter has been read yet. Connect to the transmitter (File, "
                  "Connect) and wait until its data are shown, then start the loop "
                  "check."),
               vbOKOnly, title());
        return false;
    }
    if (session.chainRunning()) {
        MsgBox(tr("The main window is still sending to the transmitter. Wait until it "
                  "has finished, then start the loop check."),
               vbOKOnly, title());
        return false;
    }
    QString error;
    if (!readSettings(&pending_, &error)) {
        MsgBox(error, vbOKOnly, title());
        return false;
    }
    lockMainWindow();
    waitingForLine_ = true;
    beginWhenIdle();
    return true;
}

// A poll may still be on the line; the check begins once its reply has been handled by the
// main window.
void LoopCheckWindow::beginWhenIdle() {
    if (!waitingForLine_) return;
    Session &f = session_;
    f.Timer5->stop();
    if (f.hart()->isBusy()) {
        connect(&f, &Session::lineFree, this, &LoopCheckWindow::beginWhenIdle,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
        return;
    }
    waitingForLine_ = false;
    // That reply may have started a chain of its own (an error reply re-reads the transmitter).
    if (f.chainRunning()) {
        unlockMainWindow();
        MsgBox(tr("The main window started sending to the transmitter. Wait until it "
                  "has finished, then start the loop check again."),
               vbOKOnly, title());
        return;
    }
    LoopCheckResult identity;
    identity.tag = f.Dev.Tag.trimmed(); // packed ASCII pads with blanks
    identity.descriptor = f.Dev.Descriptor.trimmed();
    identity.serialNumber = f.Dev.SerialNumber;
    identity.unit = f.Dev.UnitName;
    identity.lowerRangeValue = f.Dev.LowerRangeValue;
    identity.upperRangeValue = f.Dev.UpperRangeValue;
    verdictLabel->clear();
    procedure_->start(pending_, identity);
}

void LoopCheckWindow::lockMainWindow() {
    if (locked_) return;
    main_.lockForLoopCheck();
    locked_ = true;
}

void LoopCheckWindow::unlockMainWindow() {
    if (!locked_) return;
    main_.unlockAfterLoopCheck();
    locked_ = false;
    // Monitoring picks up again as after any other sequence.
    if (main_.monitoring()) session_.Timer5->start();
}

void LoopCheckWindow::enterTyped() {
    if (procedure_->state() != LoopCheckProcedure::State::AwaitingReading) return;
    const QString text = readingEdit->text().trimmed();
    // The English word is taken in every language: it is the one a printed procedure names.
    if (text.compare(QLatin1String("skip"), Qt::CaseInsensitive) == 0 ||
        text.compare(tr("skip", "typed instead of a reading"), Qt::CaseInsensitive) == 0) {
        readingEdit->clear();
        procedure_->skip();
        return;
    }
    const std::optional<double> v = ParseTypedCurrent(text);
    if (!v) {
        verdictLabel->setText(tr("\"%1\" is not a reading. Type the current in mA "
                                 "(e.g. %2), or \"skip\".")
                                  .arg(text, num(12.003)));
        readingEdit->selectAll();
        return;
    }
    verdictLabel->clear();
    readingEdit->clear();
    procedure_->enterReading(*v);
}

void LoopCheckWindow::fillTable() {
    const LoopCheckResult &r = procedure_->result();
    const bool started = r.started.isValid();
    const QList<double> planned = started ? pending_.pointsMa : QList<double>{};
    table->setRowCount(int(planned.size()));
    for (int row = 0; row < planned.size(); ++row) {
        QStringList cells{num(planned[row]), QString(), QString(), QString(), QString()};
        if (row < r.points.size()) {
            const LoopCheckPoint &p = r.points[row];
            cells[ColReadback] = num(p.readbackMa);
            cells[ColMeasured] = p.skipped ? tr("skipped") : num(p.measuredMa);
            if (const auto d = p.deviationMa()) cells[ColDeviation] = plusMinus(*d);
            cells[ColResult] = shownResult(r.pointText(p));
        }
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem *item = table->item(row, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                table->setItem(row, c, item);
            }
            item->setText(cells[c]);
        }
    }
    if (procedure_->holdsLoop() && procedure_->currentIndex() < table->rowCount())
        table->selectRow(procedure_->currentIndex());
}

void LoopCheckWindow::onChanged() {
    using S = LoopCheckProcedure::State;
    const S st = procedure_->state();
    const bool holds = procedure_->holdsLoop();
    const LoopCheckResult &r = procedure_->result();
    fillTable();

    const int n = int(pending_.pointsMa.size());
    const int i = procedure_->currentIndex();
    const QString point = tr("Point %1 of %2").arg(i + 1).arg(n);
    const QString at = num(pending_.pointsMa.value(i)) + QStringLiteral(" mA");
    QString text;
    QString style;
    switch (st) {
    case S::Idle:
        text = r.started.isValid()
                   ? tr("The check was left without the transmitter confirming the "
                        "end of fixed-current mode. Check the loop current.")
                   : tr("Set the points, the tolerance and the settling time, then "
                        "press Start. The loop current will be fixed at each point in "
                        "turn: tell the control room before you start.");
        if (r.started.isValid()) style = QStringLiteral("color: #b00000; font-weight: bold;");
        break;
    case S::Fixing:
        text = tr("%1: fixing the loop current at %2…").arg(point, at);
        break;
    case S::Settling:
        text = tr("%1: the loop is held at %2; waiting %3 s for it to settle…")
                   .arg(point, at, num(pending_.settlingMs / 1000.0, 1));
        break;
    case S::ReadingBack:
        text = tr("%1: reading back the transmitter's loop current…").arg(point);
        break;
    case S::AwaitingReading:
        text = tr("%1: the transmitter holds %2 and reports %3 mA. Type the current "
                  "measured at the control system or on the reference meter and "
                  "press Enter, or type \"skip\".")
                   .arg(point, at, num(r.points.value(i).readbackMa));
        break;
    case S::Releasing:
        text = tr("Ending fixed-current mode…");
        break;
    case S::ReleaseFailed:
        text = tr("Fixed-current mode has NOT been confirmed ended: %1. The loop may "
                  "still be held at a fixed current. Check the HART connection, then "
                  "press Retry release.")
                   .arg(procedure_->failure());
        style = QStringLiteral("color: #b00000; font-weight: bold;");
        break;
    case S::Done:
        text = tr("Fixed-current mode has ended; the loop follows the level again.");
        break;
    }
    stepLabel->setText(text);
    stepLabel->setStyleSheet(style);

    if (st == S::Done || (st == S::Idle && r.started.isValid())) {
        const QString tol =
            r.tolerancePercent
                ? tr("±%1 % of span (±%2 mA)").arg(num(r.tolerance, 3), num(r.toleranceMa(), 3))
                : tr("±%1 mA").arg(num(r.tolerance, 3));
        verdictLabel->setText(
            tr("Result: %1 (tolerance %2).")
                .arg(shownResult(LoopCheckResult::verdictText(r.verdict())), tol));
    }

    for (QWidget *w : {static_cast<QWidget *>(pointsEdit), static_cast<QWidget *>(toleranceEdit),
                       static_cast<QWidget *>(toleranceUnit), static_cast<QWidget *>(settlingEdit)})
        w->setEnabled(!holds && !waitingForLine_);
    startButton->setEnabled(!holds && !waitingForLine_);
    readingEdit->setEnabled(st == S::AwaitingReading);
    enterButton->setEnabled(st == S::AwaitingReading);
    skipButton->setEnabled(st == S::AwaitingReading);
    backButton->setEnabled(st == S::AwaitingReading || st == S::Settling);
    cancelButton->setEnabled(holds && st != S::Releasing && st != S::ReleaseFailed);
    retryButton->setEnabled(st == S::ReleaseFailed);
    saveButton->setEnabled(!holds && r.started.isValid());
    trimButton->setVisible(!holds && r.started.isValid() &&
                           r.verdict() == LoopCheckResult::Verdict::Failed);
    if (st == S::AwaitingReading) readingEdit->setFocus();
}

void LoopCheckWindow::onReleased() {
    unlockMainWindow();
    emit checked(procedure_->result());
    const After after = after_;
    after_ = After::Nothing;
    if (after == After::CloseWindow) close();
    if (after == After::CloseMainWindow) QTimer::singleShot(0, main_.window(), &QWidget::close);
}

void LoopCheckWindow::onReleaseFailed(const QString &reason) {
    // The box is modal, yet the event loop runs on under it: a close or an exit signal meanwhile
    // must not put a second box over it. The open one answers for them, with what they asked for
    // (after_) taken when it is answered.
    if (releaseBoxOpen_) return;
    QString then, leave;
    switch (after_) {
    case After::Nothing:
        then = tr("Leave loop fixed keeps this window open; its Retry release button "
                  "sends the release again.");
        leave = tr("&Leave loop fixed");
        break;
    case After::CloseWindow:
        then = tr("Leave loop fixed closes the loop check and leaves the loop as it "
                  "is.");
        leave = tr("&Leave loop fixed and close");
        break;
    case After::CloseMainWindow:
        then = tr("Leave loop fixed closes the program and leaves the loop as it is.");
        leave = tr("&Leave loop fixed and exit");
        break;
    }
    const QString prompt =
        tr("Fixed-current mode could not be ended: %1.\n\nThe loop may still be held "
           "at a fixed current, so the control system does not see the real level. "
           "Check the HART connection.\n\nRetry release sends the release again. %2")
            .arg(reason, then);
    releaseBoxOpen_ = true;
    const int answer =
        MsgBox(prompt, vbRetryCancel, title(), QString(), {tr("&Retry release"), leave});
    releaseBoxOpen_ = false;
    if (answer == vbRetry) {
        procedure_->retryRelease();
        return;
    }
    if (after_ == After::Nothing) return;
    const After after = after_;
    after_ = After::Nothing;
    procedure_->abandon();
    emit checked(procedure_->result());
    unlockMainWindow();
    if (after == After::CloseWindow) close();
    if (after == After::CloseMainWindow) QTimer::singleShot(0, main_.window(), &QWidget::close);
}

bool LoopCheckWindow::releaseBeforeMainWindowCloses() {
    if (waitingForLine_) {
        waitingForLine_ = false;
        unlockMainWindow();
        return true;
    }
    if (!procedure_->holdsLoop()) return true;
    after_ = After::CloseMainWindow;
    show();
    raise();
    if (procedure_->state() == LoopCheckProcedure::State::ReleaseFailed)
        onReleaseFailed(procedure_->failure());
    else
        procedure_->cancel();
    return false;
}

void LoopCheckWindow::closeEvent(QCloseEvent *event) {
    if (waitingForLine_) {
        waitingForLine_ = false;
        unlockMainWindow();
        onChanged();
    }
    if (!procedure_->holdsLoop()) {
        event->accept();
        return;
    }
    event->ignore();
    if (after_ == After::Nothing) after_ = After::CloseWindow;
    if (procedure_->state() == LoopCheckProcedure::State::ReleaseFailed)
        onReleaseFailed(procedure_->failure());
    else
        procedure_->cancel();
}

bool LoopCheckWindow::saveCsv(const QString &path) {
    QString error;
    if (procedure_->result().saveCsv(path, &error)) return true;
    MsgBox(tr("The loop check could not be saved to %1: %2\n\nChoose another folder or "
              "file name and save again.")
               .arg(QDir::toNativeSeparators(path), error),
           vbOKOnly, title());
    return false;
}

void LoopCheckWindow::saveClicked() {
    const LoopCheckResult &r = procedure_->result();
    QString tag = r.tag.trimmed();
    tag.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]+")), QStringLiteral("_"));
    const QString name = QStringLiteral("loop-check-%1%2.csv")
                             .arg(tag.isEmpty() ? QString() : tag + QLatin1Char('-'),
                                  r.started.toString(QStringLiteral("yyyyMMdd-HHmm")));
    const QString path = askSavePath(this, QDir::home().filePath(name));
    if (!path.isEmpty()) saveCsv(path);
}
