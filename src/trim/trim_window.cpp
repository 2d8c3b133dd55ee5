#include "trim/trim_window.h"

#include "dialogs/msgbox.h"
#include "units/module1.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString mA(std::optional<double> v) {
    return v ? QLocale().toString(*v, 'f', 4) + QStringLiteral(" mA") : QStringLiteral("-");
}

void name(QPushButton *b, const QString &text) {
    b->setText(text);
    b->setAccessibleName(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
}

} // namespace

TrimWindow::TrimWindow(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window), session_(session), procedure_(new TrimProcedure(session, this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);

    warningLabel = new QLabel(this);
    warningLabel->setWordWrap(true);
    stepLabel = new QLabel(this);
    stepLabel->setWordWrap(true);
    readBackLabel = new QLabel(this);
    resultLabel = new QLabel(this);
    resultLabel->setWordWrap(true);
    resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    readingLabel_ = new QLabel(this);
    readingEdit = new QLineEdit(this);
    readingLabel_->setBuddy(readingEdit);
    enterButton = new QPushButton(this);
    startButton = new QPushButton(this);
    cancelButton = new QPushButton(this);
    retryButton = new QPushButton(this);
    closeButton = new QPushButton(this);
    retranslate();

    auto *reading = new QHBoxLayout;
    reading->addWidget(readingLabel_);
    reading->addWidget(readingEdit);
    reading->addWidget(enterButton);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {startButton, cancelButton, retryButton, closeButton})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(warningLabel);
    layout->addWidget(stepLabel);
    layout->addLayout(reading);
    layout->addWidget(readBackLabel);
    layout->addWidget(resultLabel);
    layout->addLayout(buttons);

    connect(startButton, &QPushButton::clicked, this, &TrimWindow::startTrim);
    connect(enterButton, &QPushButton::clicked, this, &TrimWindow::enterTyped);
    connect(readingEdit, &QLineEdit::returnPressed, this, &TrimWindow::enterTyped);
    connect(cancelButton, &QPushButton::clicked, procedure_, &TrimProcedure::cancel);
    connect(retryButton, &QPushButton::clicked, procedure_, &TrimProcedure::retryRelease);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(procedure_, &TrimProcedure::changed, this, &TrimWindow::onChanged);
    connect(procedure_, &TrimProcedure::stopped, this, [this](const QString &reason) {
        stopReason_ = reason;
        showResult();
    });
    connect(procedure_, &TrimProcedure::released, this, [this] {
        resultShown_ = true;
        showResult();
        emit finished(procedure_->result());
        if (std::exchange(closeWhenReleased_, false)) close();
        if (auto closeMain = std::exchange(closeMainWindow_, nullptr)) closeMain();
    });
    connect(procedure_, &TrimProcedure::releaseFailed, this, &TrimWindow::onReleaseFailed);
    onChanged();
}

TrimWindow::~TrimWindow() = default;

bool TrimWindow::startTrim() {
    if (procedure_->holdsLoop()) return false;
    if (const QString why = TrimProcedure::whyNot(session_); !why.isEmpty()) {
        MsgBox(why, vbOKOnly, title());
        return false;
    }
    resultLabel->clear();
    stopReason_.clear();
    resultShown_ = false;
    readingEdit->clear();
    return procedure_->start();
}

void TrimWindow::enterTyped() {
    const QString text = readingEdit->text().trimmed();
    // Either decimal sign: the engineer's own or the one printed on the meter.
    if (!Module1::HoldsNumber(text)) {
        MsgBox(tr("\"%1\" is no number. Type the current the reference meter shows, "
                  "in mA, for example %2.")
                   .arg(text, QLocale().toString(procedure_->pointMa(), 'f', 3)),
               vbOKOnly, title());
        readingEdit->setFocus();
        return;
    }
    readingEdit->clear();
    procedure_->enterReading(Module1::NumberOf(text));
}

void TrimWindow::onChanged() {
    using S = TrimProcedure::State;
    const S s = procedure_->state();
    const QString point = QLocale().toString(procedure_->pointMa(), 'f', 3);
    const bool zero = procedure_->point() == TrimProcedure::Point::Zero;
    switch (s) {
    case S::Idle:
        stepLabel->setText(tr("Press Start to fix the loop current at 4 mA."));
        break;
    case S::Fixing:
        stepLabel->setText(tr("Fixing the loop current at %1 mA...").arg(point));
        break;
    case S::AwaitingReading:
        stepLabel->setText(
            procedure_->readBackMa()
                ? (zero ? tr("The zero was trimmed. Read the meter again and type what it "
                             "shows; within %1 mA of %2 mA the trim goes on.")
                        : tr("The gain was trimmed. Read the meter again and type what it "
                             "shows; within %1 mA of %2 mA the trim goes on."))
                      .arg(QLocale().toString(TrimProcedure::kToleranceMa, 'f', 3), point)
                : tr("The loop current is fixed at %1 mA. Type what the reference "
                     "meter shows.")
                      .arg(point));
        break;
    case S::Trimming:
        stepLabel->setText(zero ? tr("Trimming the zero...") : tr("Trimming the gain..."));
        break;
    case S::ReadingBack:
        stepLabel->setText(tr("Reading the loop current back..."));
        break;
    case S::Releasing:
        stepLabel->setText(tr("Letting the loop go (fixed-current mode off)..."));
        break;
    case S::ReleaseFailed:
        stepLabel->setText(tr("The transmitter did not confirm the end of "
                              "fixed-current mode: %1.")
                               .arg(procedure_->failure()));
        break;
    case S::Done:
        stepLabel->setText(tr("Done: the loop follows the level again."));
        break;
    }
    readBackLabel->setText(
        procedure_->readBackMa()
            ? tr("The transmitter drives %1 (command 2).").arg(mA(procedure_->readBackMa()))
            : QString());
    const bool awaiting = s == S::AwaitingReading;
    readingEdit->setEnabled(awaiting);
    enterButton->setEnabled(awaiting);
    if (awaiting) readingEdit->setFocus();
    startButton->setEnabled(!procedure_->holdsLoop());
    cancelButton->setEnabled(procedure_->holdsLoop() && s != S::Releasing && s != S::ReleaseFailed);
    retryButton->setEnabled(s == S::ReleaseFailed);
    closeButton->setEnabled(s != S::Releasing);
}

void TrimWindow::showResult() {
    const QString stopped =
        stopReason_.isEmpty() ? QString() : tr("The trim stopped: %1.").arg(stopReason_);
    if (!resultShown_) {
        resultLabel->setText(stopped);
        return;
    }
    const TrimResult &r = procedure_->result();
    QString text = tr("4 mA: before %1, after %2 (%3 zero trims)\n"
                      "20 mA: before %4, after %5 (%6 gain trims)")
                       .arg(mA(r.before4), mA(r.after4))
                       .arg(r.zeroTrims)
                       .arg(mA(r.before20), mA(r.after20))
                       .arg(r.gainTrims);
    if (!r.complete()) text += tr("\nThe trim was not completed.");
    resultLabel->setText(stopped.isEmpty() ? text : stopped + QLatin1Char('\n') + text);
}

void TrimWindow::onReleaseFailed(const QString &reason) {
    const QString prompt =
        tr("The transmitter did not confirm the end of fixed-current mode (%1). "
           "Its loop may still be held, and the control system then does not see the "
           "real level.\n\nRetry the release, or leave it and check the loop current "
           "yourself.")
            .arg(reason);
    if (MsgBox(prompt, vbRetryCancel, title()) == vbRetry) {
        procedure_->retryRelease();
        return;
    }
    if (!closeWhenReleased_ && !closeMainWindow_) return;
    procedure_->abandon();
    emit finished(procedure_->result());
    if (std::exchange(closeWhenReleased_, false)) close();
    if (auto closeMain = std::exchange(closeMainWindow_, nullptr)) closeMain();
}

bool TrimWindow::releaseBeforeMainWindowCloses(std::function<void()> closeMainWindow) {
    if (!procedure_->holdsLoop()) return true;
    closeMainWindow_ = std::move(closeMainWindow);
    closeWhenReleased_ = true;
    procedure_->cancel();
    return false;
}

void TrimWindow::closeEvent(QCloseEvent *event) {
    if (!procedure_->holdsLoop()) {
        event->accept();
        return;
    }
    // The window goes once the transmitter has let the loop go.
    closeWhenReleased_ = true;
    procedure_->cancel();
    event->ignore();
}

QString TrimWindow::title() {
    return tr("Output trim");
}

void TrimWindow::retranslate() {
    setWindowTitle(title());
    warningLabel->setText(
        tr("The trim fixes the loop current at 4 mA and at 20 mA. Put the control "
           "system's loop in manual first, and connect a reference meter in series "
           "with the loop. The trim corrects the output stage only: the measuring "
           "range and the mounting effect stay as they are."));
    stepLabel->setAccessibleName(tr("Step"));
    readBackLabel->setAccessibleName(tr("Loop current read back"));
    resultLabel->setAccessibleName(tr("Result"));
    readingLabel_->setText(tr("&Meter reading (mA):"));
    readingEdit->setAccessibleName(tr("Meter reading in mA"));
    name(enterButton, tr("&Enter reading"));
    name(startButton, tr("&Start"));
    name(cancelButton, tr("&Cancel"));
    name(retryButton, tr("&Retry release"));
    name(closeButton, tr("C&lose"));
}

void TrimWindow::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    retranslate();
    onChanged();
    showResult();
}
