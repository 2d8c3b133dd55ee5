#include "health/status_indicator.h"

#include "hart/device_status.h"

#include <QEvent>
#include <QStyle>

StatusIndicator::StatusIndicator(QWidget *parent) : QToolButton(parent) {
    setObjectName(QStringLiteral("StatusIndicator"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus); // the Device menu reaches the same window from the keyboard
    setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    // Inside the status bar's fixed 17-pixel height, beside the text panels.
    setIconSize(QSize(12, 12));
    setFixedSize(18, 15);
    setAccessibleName(tr("Device status"));
    hide();
}

void StatusIndicator::showStatus(quint8 status) {
    if (shown_ == status && silence_.isEmpty()) return;
    shown_ = status;
    if (!silence_.isEmpty()) {
        silence_.clear();
        silentSince_.clear();
        setText(QString());
        setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    }
    const QString summary = health::attentionSummary(status);
    if (summary.isEmpty()) {
        hide();
        setToolTip(QString());
        setAccessibleDescription(QString());
        return;
    }
    const QString line = tr("Transmitter: %1 — click for details").arg(summary);
    setToolTip(line);
    setAccessibleDescription(line);
    show();
}

void StatusIndicator::showNoAnswer(const QString &time) {
    const QString text = tr("No answer since %1").arg(time);
    if (silence_ == text) return;
    silence_ = text;
    silentSince_ = time;
    // The main window keeps its design width, and text beside the sign would push the date
    // panel off it: a sign of its own, and the words where they are read (tooltip, screen
    // reader, the status and trend windows).
    setText(text);
    setIcon(style()->standardIcon(QStyle::SP_MessageBoxCritical));
    const QString line = tr("Transmitter: %1 — click for details").arg(text);
    setToolTip(line);
    setAccessibleDescription(line);
    show();
}

void StatusIndicator::changeEvent(QEvent *event) {
    QToolButton::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    setAccessibleName(tr("Device status"));
    // The texts are set again from what is shown; the guards against repeating them are
    // cleared first, since the words changed even where the state did not.
    if (!silentSince_.isEmpty()) {
        const QString time = silentSince_;
        silence_.clear();
        showNoAnswer(time);
    } else if (shown_) {
        const quint8 status = *shown_;
        shown_.reset();
        showStatus(status);
    }
}
