#include "dialogs/form2.h"
#include "dialogs/centre.h"

#include "dialogs/frm_splash.h"
#include "ui_form2.h"

#include <QEvent>
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

Form2::Form2(int currentPort, const DeviceNameFn &deviceName, QWidget *parent)
    : QDialog(parent), ui(new Ui::Form2), deviceName_(deviceName), currentPort_(currentPort) {
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

    showDevices();

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    Form_Load();
}

Form2::~Form2() = default;

void Form2::showDevices() {
    for (size_t i = 0; i < Option1.size(); ++i) {
        const int port = int(i) + 1;
        const QString device = deviceName_ ? deviceName_(port) : QString();
        const QString state = devicePresent(device) ? tr("present") : tr("absent");
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
}

void Form2::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        showDevices();
    }
    QDialog::changeEvent(event);
}

void Form2::Form_Load() {
    setFixedSize(size());
    CentreOnScreen(this);
    // A port that was never valid (0, or a value from outside) has no choice to preselect; the
    // dialog then starts with none selected.
    const int index = currentPort_ - 1;
    if (index >= 0 && index < int(Option1.size())) {
        Option1[size_t(index)]->setChecked(true);
        Option1[size_t(index)]->setFocus();
    }
}

void Form2::Command1_Click() {
    // With nothing chosen there is nothing to store: the caller keeps port and file as they are.
    chosen_ = 0;
    for (size_t i = 0; i < Option1.size(); ++i)
        if (Option1[i]->isChecked()) chosen_ = int(i) + 1;
    accept();
}
