#include "dialogs/centre.h"
#include "window/form1.h"

#include "dialogs/form2.h"
#include "dialogs/frm_about.h"
#include "dialogs/language_menu.h"
#include "dialogs/msgbox.h"
#include "hart/link/com_port_name.h"
#include "settings/settings_file.h"
#include "units/module1.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

void Form1::Form_Load() {
    CentreOnScreen(this);
    if (!OutputTrimMenu) {
        OutputTrimMenu = new QAction(tr("&Output trim…"), this);
        DeviceMenu->insertAction(TrendMenu, OutputTrimMenu);
        connect(OutputTrimMenu, &QAction::triggered, this, &Form1::OutputTrimMenu_Click);
    }
    Timer1->stop();
    Dev.BusyRetryCount = 0;

    const QString path = SettingsFilePath();
    const SettingsRead read = ReadSettingsFile(path);
    if (!read.exists) {
        // No file yet: ask for the port. The dialog stores the choice and writes the file; when
        // it is closed without its button the run goes on with COM 1 and no file is written, so
        // the next start asks again.
        ComPortNumber = 1;
        ChooseComPort();
    } else if (read.anyField) {
        ComPortText = read.lastField;
    }

    for (int n = 1; n <= 12; ++n)
        if (ComPortText == QString::number(n)) ComPortNumber = quint8(n);
    if (read.readFailed) {
        // Said here, before any port is tried, so that the engineer is sent to the file and not
        // to a port setting.
        const QString what = ComPortNumber >= 1 && ComPortNumber <= 12
                                 ? tr("COM %1, read from it, is used.").arg(ComPortNumber)
                                 : tr("No COM port could be taken from it.");
        MsgBox(tr("The settings file could not be read properly.\n\n%1\n\n%2 Choose "
                  "the port under Config, COM-settings to write the file anew.")
                   .arg(read.error, what));
    }

    Combo1->addItems(Module1::UnitListNames());
    Dev.UnitName = Module1::kUnknownUnit;
    Dev.PreviousUnitName = Dev.UnitName;
    SetCombo1ListIndex(Module1::UnitIndexFromName(Dev.UnitName));

    ShowMountingActions();
    Combo2->setCurrentIndex(0);
    i18n::AddLanguageMenu(Configuratie);

    LinkSetup();

    // Selecting "Off" runs its handler through the change of the option; an option already
    // selected does not change, so then the handler is run here, once either way.
    if (Option3[0]->isChecked())
        Option3_Click(0);
    else
        Option3[0]->setChecked(true);
    Option3[1]->setChecked(false);

    ReloadingRange = true;
    session->SendIdentify();
}

void Form1::LinkSetup() {
    HartX1->setLinkSetting6(1);
    HartX1->setCommPort(ComPortNumber);
    HartX1->setLinkSetting3(0);
    HartX1->setLinkSetting9(10);
    HartX1->setLinkSetting10(0);
}

void Form1::Command1_Click() {
    // Exit asks the simulation's button, as it always has; the caption is set and compared in the
    // language now spoken.
    if (Command5->text() == tr("Abort")) {
        MsgBox(tr("Please, Abort Current Simulation Before Exit!!!"), vbOKOnly);
        return;
    }
    close();
}

void Form1::Command2_Click() {
    session->SendIdentify();
}

void Form1::ConnectMenu_Click() {
    session->SendIdentify();
}

void Form1::Exitform_Click() {
    close();
}

void Form1::Infoscreen_Click() {
    frmAbout about(this);
    about.exec();
}

void Form1::Compoort_Click() {
    ChooseComPort();
    LinkSetup();
    session->SendIdentify();
}

void Form1::ChooseComPort() {
    Form2 dialog(ComPortNumber, comPortDeviceName, this);
    dialog.exec();
    const int chosen = dialog.result() == QDialog::Accepted ? dialog.chosenPort() : 0;
    if (chosen == 0) return;
    StoreComPort(chosen);
}

bool Form1::StoreComPort(int chosen) {
    if (chosen < 1 || chosen > 12) return false;
    // The choice is in effect for this run even when it cannot be kept for the next.
    ComPortNumber = quint8(chosen);
    ComPortText = QString::number(chosen);
    QString path, error;
    const bool beside = SettingsSavePath() == ProgramSettingsFilePath();
    if (!SaveSettings(ComPortText, &path, &error)) {
        MsgBox(tr("The COM port could not be saved for the next start.\n\n"
                  "%1\n\n"
                  "COM %2 is used until the program is closed. To keep the "
                  "choice, put that right, then choose the port again under "
                  "Config, COM-settings.")
                   .arg(error, QString::number(chosen)));
    } else if (!beside) {
        // Beside the program is where everyone expects the file; anywhere else must be said, and
        // so must an administrator's file that will outvote this choice at the next start.
        QString note = tr("COM %1 is saved in %2, because the program's folder may "
                          "not be written to.")
                           .arg(QString::number(chosen), QDir::toNativeSeparators(path));
        if (SettingsFilePath() != path)
            note += tr("\n\nThe program starts with the port in %1, which an "
                       "administrator put there; ask to have it changed or removed "
                       "to start on COM %2.")
                        .arg(QDir::toNativeSeparators(SettingsFilePath()), QString::number(chosen));
        MsgBox(note);
    }
    return true;
}
