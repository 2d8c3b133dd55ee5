#include "window/status_indicator.h"

#include "hart/device_status.h"

#include <QStyle>

namespace {

// Inside the status bar's fixed 17-pixel height, beside the text panels.
constexpr int kHeight = 15;
constexpr int kIconOnlyWidth = 18;

} // namespace

StatusIndicator::StatusIndicator(QWidget *parent) : QToolButton(parent) {
    setObjectName(QStringLiteral("StatusIndicator"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus); // the Device menu reaches the same window from the keyboard
    setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    setIconSize(QSize(12, 12));
    setFixedSize(kIconOnlyWidth, kHeight);
    setAccessibleName(QStringLiteral("Device status"));
    hide();
}

void StatusIndicator::showStatus(quint8 status) {
    if (shown_ == status && silence_.isEmpty()) return;
    shown_ = status;
    if (!silence_.isEmpty()) {
        silence_.clear();
        setText(QString());
        setToolButtonStyle(Qt::ToolButtonIconOnly);
        setFixedSize(kIconOnlyWidth, kHeight);
    }
    const QString summary = health::attentionSummary(status);
    if (summary.isEmpty()) {
        hide();
        setToolTip(QString());
        setAccessibleDescription(QString());
        return;
    }
    const QString line = QStringLiteral("Transmitter: %1 — click for details").arg(summary);
    setToolTip(line);
    setAccessibleDescription(line);
    show();
}

void StatusIndicator::showNoAnswer(const QString &time) {
    const QString text = QStringLiteral("No answer since %1").arg(time);
    if (silence_ == text) return;
    silence_ = text;
    // Written out beside the sign: a silent line is seen at a glance, not only on hovering.
    setText(text);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setFixedSize(sizeHint().width(), kHeight);
    const QString line = QStringLiteral("Transmitter: %1 — click for details").arg(text);
    setToolTip(line);
    setAccessibleDescription(line);
    show();
}
