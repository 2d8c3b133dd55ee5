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

const QString kTitle = QStringLiteral("Output trim");

QString mA(std::optional<double> v) {
    return v ? QLocale().toString(*v, 'f', 4) + QStringLiteral(" mA") : QStringLiteral("-");
}

QPushButton *button(const QString &text, QWidget *parent) {
    auto *b = new QPushButton(text, parent);
    b->setAccessibleName(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    return b;
}

} // namespace

TrimWindow::TrimWindow(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window), session_(session), procedure_(new TrimProcedure(session, this)) {
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose, false);

    warningLabel = new QLabel(
        QStringLiteral("The trim fixes the loop current at 4 mA and at 20 mA. Put the control "
                       "system's loop in manual first, and connect a reference meter in series "
                       "with the loop. The trim corrects the output stage only: the measuring "
                       "range and the mounting effect stay as they are."),
        this);
    warningLabel->setWordWrap(true);
    stepLabel = new QLabel(this);
    stepLabel->setWordWrap(true);
    stepLabel->setAccessibleName(QStringLiteral("Step"));
    readBackLabel = new QLabel(this);
    readBackLabel->setAccessibleName(QStringLiteral("Loop current read back"));
    resultLabel = new QLabel(this);
    resultLabel->setWordWrap(true);
    resultLabel->setAccessibleName(QStringLiteral("Result"));
    resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto *readingLabel = new QLabel(QStringLiteral("&Meter reading (mA):"), this);
    readingEdit = new QLineEdit(this);
    readingEdit->setAccessibleName(QStringLiteral("Meter reading in mA"));
    readingLabel->setBuddy(readingEdit);
    enterButton = button(QStringLiteral("&Enter reading"), this);
    startButton = button(QStringLiteral("&Start"), this);
    cancelButton = button(QStringLiteral("&Cancel"), this);
    retryButton = button(QStringLiteral("&Retry release"), this);
    closeButton = button(QStringLiteral("C&lose"), this);

    auto *reading = new QHBoxLayout;
    reading->addWidget(readingLabel);
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
        resultLabel->setText(QStringLiteral("The trim stopped: %1.").arg(reason));
    });
    connect(procedure_, &TrimProcedure::released, this, [this] {
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
        MsgBox(why, vbOKOnly, kTitle);
        return false;
    }
    resultLabel->clear();
    readingEdit->clear();
    return procedure_->start();
}

void TrimWindow::enterTyped() {
    const QString text = readingEdit->text().trimmed();
    // Either decimal sign: the engineer's own or the one printed on the meter.
    if (!Module1::HoldsNumber(text)) {
        MsgBox(QStringLiteral("\"%1\" is no number. Type the current the reference meter shows, "
                              "in mA, for example %2.")
                   .arg(text, QLocale().toString(procedure_->pointMa(), 'f', 3)),
               vbOKOnly, kTitle);
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
    const QString what = procedure_->point() == TrimProcedure::Point::Zero ? QStringLiteral("zero")
                                                                           : QStringLiteral("gain");
    switch (s) {
    case S::Idle:
        stepLabel->setText(QStringLiteral("Press Start to fix the loop current at 4 mA."));
        break;
    case S::Fixing:
        stepLabel->setText(QStringLiteral("Fixing the loop current at %1 mA...").arg(point));
        break;
    case S::AwaitingReading:
        stepLabel->setText(
            procedure_->readBackMa()
                ? QStringLiteral("The %1 was trimmed. Read the meter again and type what it "
                                 "shows; within %2 mA of %3 mA the trim goes on.")
                      .arg(what, QLocale().toString(TrimProcedure::kToleranceMa, 'f', 3), point)
                : QStringLiteral("The loop current is fixed at %1 mA. Type what the reference "
                                 "meter shows.")
                      .arg(point));
        break;
    case S::Trimming:
        stepLabel->setText(QStringLiteral("Trimming the %1...").arg(what));
        break;
    case S::ReadingBack:
        stepLabel->setText(QStringLiteral("Reading the loop current back..."));
        break;
    case S::Releasing:
        stepLabel->setText(QStringLiteral("Letting the loop go (fixed-current mode off)..."));
        break;
    case S::ReleaseFailed:
        stepLabel->setText(QStringLiteral("The transmitter did not confirm the end of "
                                          "fixed-current mode: %1.")
                               .arg(procedure_->failure()));
        break;
    case S::Done:
        stepLabel->setText(QStringLiteral("Done: the loop follows the level again."));
        break;
    }
    readBackLabel->setText(procedure_->readBackMa()
                               ? QStringLiteral("The transmitter drives %1 (command 2).")
                                     .arg(mA(procedure_->readBackMa()))
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
    const TrimResult &r = procedure_->result();
    QString text = QStringLiteral("4 mA: before %1, after %2 (%3 zero trims)\n"
                                  "20 mA: before %4, after %5 (%6 gain trims)")
                       .arg(mA(r.before4), mA(r.after4))
                       .arg(r.zeroTrims)
                       .arg(mA(r.before20), mA(r.after20))
                       .arg(r.gainTrims);
    if (!r.complete()) text += QStringLiteral("\nThe trim was not completed.");
    const QString stoppedText = resultLabel->text();
    resultLabel->setText(stoppedText.isEmpty() ? text : stoppedText + QLatin1Char('\n') + text);
}

void TrimWindow::onReleaseFailed(const QString &reason) {
    const QString prompt =
        QStringLiteral("The transmitter did not confirm the end of fixed-current mode (%1). "
                       "Its loop may still be held, and the control system then does not see the "
                       "real level.\n\nRetry the release, or leave it and check the loop current "
                       "yourself.")
            .arg(reason);
    if (MsgBox(prompt, vbRetryCancel, kTitle) == vbRetry) {
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
