// Form2: the COM-port dialog. It works on the caller's port number and text directly, so the
// choice is in effect for this run as soon as the button is pressed, and writes zanu.ini.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace Ui {
class Form2;
}

class Form2 : public QDialog {
    Q_OBJECT
public:
    Form2(quint8 &comPortNumber, QString &comPortText, QWidget *parent = nullptr);
    ~Form2() override;

    QLabel *Label1 = nullptr;
    std::array<QRadioButton *, 12> Option1{}; // element i stands for COM i + 1
    QPushButton *Command1 = nullptr;
    // Beside the choices: the system device each COM number names and whether it is there.
    std::array<QLabel *, 12> DeviceLabel{};

    void Form_Load();
    void Command1_Click();

private:
    Ui::Form2 *ui = nullptr;
    quint8 &m_comPortNumber;
    QString &m_comPortText;
};
