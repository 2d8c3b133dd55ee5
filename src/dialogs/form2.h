// Form2: the COM-port dialog. It hands back the chosen port; the caller stores it and writes
// zanu.ini, so the dialog knows neither the settings file nor the HART control.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QRadioButton;

namespace Ui {
class Form2;
}

class Form2 : public QDialog {
    Q_OBJECT
public:
    // The system device a COM number (1..12) names, shown beside each choice.
    using DeviceNameFn = std::function<QString(int comPort)>;

    // `currentPort` (1..12) is preselected; any other value preselects nothing.
    Form2(int currentPort, const DeviceNameFn &deviceName, QWidget *parent = nullptr);
    ~Form2() override;

    QLabel *Label1 = nullptr;
    std::array<QRadioButton *, 12> Option1{}; // element i stands for COM i + 1
    QPushButton *Command1 = nullptr;
    // Beside the choices: the system device each COM number names and whether it is there.
    std::array<QLabel *, 12> DeviceLabel{};

    void Form_Load();
    void Command1_Click();
    // After the button: the port chosen (1..12), or 0 when nothing was selected or the dialog was
    // closed without its button.
    int chosenPort() const { return chosen_; }

protected:
    void changeEvent(QEvent *event) override;

private:
    // Each choice's device and whether it is there, in the language spoken now.
    void showDevices();

    std::unique_ptr<Ui::Form2> ui;
    DeviceNameFn deviceName_;
    int currentPort_ = 0;
    int chosen_ = 0;
};
