// The device status window: modeless, it follows every reply while it is open. Each condition
// the transmitter reports in plain words with what to do, the additional status (command 48)
// in hex with what is known of each byte, clearing "configuration changed" (command 38), and
// the transmitter's identity.
#pragma once

#include <QDialog>

class DeviceHealth;
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
    QPushButton *CloseButton = nullptr;

    void refresh();

private:
    DeviceHealth &health_;
};
