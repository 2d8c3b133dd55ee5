// The transmitter's health in the status bar: nothing while it is healthy, a warning sign
// naming the conditions (tooltip and accessible text) while any needs attention.
#pragma once

#include <QToolButton>

class StatusIndicator : public QToolButton {
    Q_OBJECT
public:
    explicit StatusIndicator(QWidget *parent = nullptr);
    // The status byte of the latest reply.
    void showStatus(quint8 status);
};
