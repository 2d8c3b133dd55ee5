#include "ui/form2.h"
#include "centre.h"

#include "hart/hartx.h"
#include "msgbox.h"
#include "shell/settings_file.h"
#include "ui/frm_splash.h"
#include "ui_form2.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QScreen>
#include <QSerialPortInfo>

namespace {

bool devicePresent(const QString &device) {
    if (device.isEmpty()) return false;
#ifdef Q_OS_WIN
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (info.portName().compare(device, Qt::CaseInsensitive) == 0) return true;
    return false;
#else
    // A pseudo-terminal named through ZANU_COMn is not listed by the port enumeration, so ask
    // the file system.
    return QFileInfo::exists(device);
#endif
}

} // namespace

Form2::Form2(quint8 &comPortNumber, QString &comPortText, QWidget *parent)
    : QDialog(parent), ui(new Ui::Form2), m_comPortNumber(comPortNumber),
      m_comPortText(comPortText) {
    ui->setupUi(this);
    Label1 = ui->Label1;
    Command1 = ui->Command1;
    Option1 = {ui->Option1_0, ui->Option1_1, ui->Option1_2,  ui->Option1_3,
               ui->Option1_4, ui->Option1_5, ui->Option1_6,  ui->Option1_7,
               ui->Option1_8, ui->Option1_9, ui->Option1_10, ui->Option1_11};
    DeviceLabel = {ui->Device_0, ui->Device_1, ui->Device_2,  ui->Device_3,
                   ui->Device_4, ui->Device_5, ui->Device_6,  ui->Device_7,
                   ui->Device_8, ui->Device_9, ui->Device_10, ui->Device_11};
    // Designer keeps whole points; the caption is the classic 9.75 pt face.
    QFont labelFont = Label1->font();
    labelFont.setPointSizeF(9.75);
    Label1->setFont(WithFallbackFamily(labelFont));
    Label1->setBuddy(Option1[0]);
    setWindowIcon(QIcon(ProductPicture(32)));

    for (size_t i = 0; i < Option1.size(); ++i) {
        const int port = int(i) + 1;
        const QString device = comPortDeviceName(port);
        const QString state =
            devicePresent(device) ? QStringLiteral("present") : QStringLiteral("absent");
        const QString full = QStringLiteral("%1, %2").arg(device, state);
        QLabel *l = DeviceLabel[i];
        const QString prefix = QStringLiteral("COM %1: ").arg(port);
        const QString suffix = QStringLiteral(" (%1)").arg(state);
        const QFontMetrics fm(l->font());
        const int room = l->width() - fm.horizontalAdvance(prefix + suffix);
        l->setText(prefix + fm.elidedText(device, Qt::ElideMiddle, std::max(room, 0)) + suffix);
        l->setToolTip(full);
        Option1[i]->setToolTip(full);
        Option1[i]->setAccessibleDescription(full);
    }

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    Form_Load();
}

Form2::~Form2() {
    delete ui;
}

void Form2::Form_Load() {
    setFixedSize(size());
    CentreOnScreen(this);
    // A port that was never valid (0, or a value from outside) has no choice to preselect; the
    // dialog then starts with none selected.
    const int index = int(m_comPortNumber) - 1;
    if (index >= 0 && index < int(Option1.size())) {
        Option1[size_t(index)]->setChecked(true);
        Option1[size_t(index)]->setFocus();
    }
}

void Form2::Command1_Click() {
    int chosen = -1;
    for (size_t i = 0; i < Option1.size(); ++i)
        if (Option1[i]->isChecked()) chosen = int(i);
    // With nothing chosen there is nothing to store: the port and the file stay as they are.
    if (chosen >= 0) {
        m_comPortNumber = quint8(chosen + 1);
        m_comPortText = QString::number(chosen + 1);
        QString error;
        if (!WriteSettingsFile(SettingsFilePath(), m_comPortText, &error)) {
            MsgBox(QStringLiteral("The COM port could not be saved for the next start.\n\n"
                                  "%1\n\n"
                                  "COM %2 is used until the program is closed. To keep the "
                                  "choice, put that right, then choose the port again under "
                                  "Config, COM-settings.")
                       .arg(error)
                       .arg(chosen + 1));
        }
    }
    accept();
}
