// The device status window: modeless, it follows every reply while it is open. Each condition
// the transmitter reports in plain words with what to do, the additional status (command 48)
// in hex with what is known of each byte, clearing "configuration changed" (command 38),
// releasing a loop current another master left fixed (command 40), and the transmitter's
// identity. It grows with its texts, so that every condition is read whole.
#pragma once

#include <QDialog>

class DeviceHealth;
class QFormLayout;
class QGroupBox;
class QLabel;
class QPushButton;

class DeviceStatusWindow : public QDialog {
    Q_OBJECT
public:
    DeviceStatusWindow(DeviceHealth &health, QWidget *parent = nullptr);

    QLabel *Manufacturer = nullptr, *DeviceType = nullptr, *DeviceId = nullptr,
           *HartRevision = nullptr, *SerialNumber = nullptr, *Tag = nullptr;
    QLabel *StatusByte = nullptr;
    QLabel *Conditions = nullptr;
    QLabel *Additional = nullptr;
    QPushButton *ReadAdditional = nullptr;
    QPushButton *ClearChanged = nullptr;
    QPushButton *ReleaseCurrent = nullptr;
    QPushButton *CloseButton = nullptr;

    void refresh();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void growToFit();

    QGroupBox *identity_ = nullptr, *state_ = nullptr, *more_ = nullptr;
    QFormLayout *form_ = nullptr;

    DeviceHealth &health_;
};
