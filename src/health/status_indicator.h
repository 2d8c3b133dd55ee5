// The transmitter's health in the status bar: nothing while it is healthy, a warning sign
// naming the conditions (tooltip and accessible text) while any needs attention, and a stop
// sign saying "No answer since HH:MM:SS" once the transmitter has stopped answering.
#pragma once

#include <QToolButton>

#include <optional>

class StatusIndicator : public QToolButton {
    Q_OBJECT
public:
    explicit StatusIndicator(QWidget *parent = nullptr);
    // The status byte of the latest reply.
    void showStatus(quint8 status);
    // The transmitter has not answered since `time` (local, "HH:MM:SS"). The status byte it
    // last sent is stale then, so the silence is what the sign says.
    void showNoAnswer(const QString &time);

protected:
    void changeEvent(QEvent *event) override;

private:
    // Every poll brings a status byte, nearly always the one before: texts set again would make
    // a screen reader announce the same description once a second.
    std::optional<quint8> shown_;
    QString silence_;
    QString silentSince_;
};
