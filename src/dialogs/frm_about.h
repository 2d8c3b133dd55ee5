// frmAbout: title, version and what the program is for, and a way to the system's own
// information viewer.
#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QPushButton;

namespace Ui {
class frmAbout;
}

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    QPushButton *cmdOK = nullptr, *cmdSysInfo = nullptr;
    QLabel *Label1 = nullptr, *lblDescription = nullptr, *lblTitle = nullptr, *lblVersion = nullptr;
    QFrame *Line1 = nullptr;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showTexts();

    std::unique_ptr<Ui::frmAbout> ui;
};
