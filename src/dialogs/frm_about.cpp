#include "dialogs/frm_about.h"
#include "dialogs/centre.h"

#include "dialogs/frm_splash.h"
#include "dialogs/msgbox.h"
#include "dialogs/sys_info.h"
#include "ui_frm_about.h"

#include <QEvent>
#include <QProcess>
#include <QScreen>

frmAbout::frmAbout(QWidget *parent) : QDialog(parent), ui(new Ui::frmAbout) {
    ui->setupUi(this);
    cmdOK = ui->cmdOK;
    cmdSysInfo = ui->cmdSysInfo;
    Label1 = ui->Label1;
    lblDescription = ui->lblDescription;
    lblTitle = ui->lblTitle;
    lblVersion = ui->lblVersion;
    Line1 = ui->Line1;

    QFont maker = Label1->font();
    maker.setWeight(QFont::Black);
    Label1->setFont(WithFallbackFamily(maker));
    setWindowIcon(QIcon(ProductPicture(32)));

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::showTexts() {
    setWindowTitle(tr("About %1").arg(kAppTitle));
    lblVersion->setText(VersionText());
    lblTitle->setText(kAppTitle);
}

void frmAbout::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        showTexts();
    }
    QDialog::changeEvent(event);
}

void frmAbout::Form_Load() {
    showTexts();
    adjustSize();
    setFixedSize(size());
    CentreOnScreen(this);
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    const QString path = SystemInfoViewerPath();
    if (path.isEmpty() || !QProcess::startDetached(path, {}))
        MsgBox(tr("System Information Is Unavailable At This Time"), vbOKOnly);
}
