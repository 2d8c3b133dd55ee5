// The transmitter's health in the status bar: nothing while it is healthy, a warning sign
// naming the conditions (tooltip and accessible text) while any needs attention.
#pragma once

#include <QToolButton>

#include <optional>

class StatusIndicator : public QToolButton {
    Q_OBJECT
public:
    explicit StatusIndicator(QWidget *parent = nullptr);
    // The status byte of the latest reply.
    void showStatus(quint8 status);

private:
    // Every poll brings a status byte, nearly always the one before: texts set again would make
    // a screen reader announce the same description once a second.
    std::optional<quint8> shown_;
};
