#include "dialogs/form2.h"
#include "dialogs/centre.h"

#include "dialogs/frm_splash.h"
#include "ui_form2.h"

#include <QEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QSerialPortInfo>

#include <cmath>

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

// The dialog is drawn for 96 dpi; on a denser screen every place and size grows with it, as the
// main window's do, so that the larger text still fits its box.
void scaleToScreen(QWidget *dialog) {
    const qreal f = dialog->logicalDpiX() / 96.0;
    if (std::abs(f - 1.0) <= 0.01) return;
    for (QWidget *w : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRect r = w->geometry();
        w->setGeometry(qRound(r.x() * f), qRound(r.y() * f), qRound(r.width() * f),
                       qRound(r.height() * f));
    }
    dialog->resize(qRound(dialog->width() * f), qRound(dialog->height() * f));
}

// The caption's face, the classic 9.75 pt; where its words are wider than its box (in the
// fallback face, or in another language) a slightly smaller one, as on the main window, rather
// than cut off: the box keeps its designed place and size.
void fitCaption(QLabel *caption) {
    constexpr qreal kDesignPoints = 9.75;
    constexpr qreal kSmallest = 6.5;
    QFont f = caption->font();
    f.setPointSizeF(kDesignPoints);
    caption->setFont(f);
    while (caption->sizeHint().width() > caption->width() && f.pointSizeF() - 0.25 >= kSmallest) {
        f.setPointSizeF(f.pointSizeF() - 0.25);
        caption->setFont(f);
    }
}

} // namespace

Form2::Form2(int currentPort, const DeviceNameFn &deviceName, QWidget *parent)
    : QDialog(parent), ui(new Ui::Form2), deviceName_(deviceName), currentPort_(currentPort) {
    ui->setupUi(this);
    scaleToScreen(this);
    Label1 = ui->Label1;
    Command1 = ui->Command1;
    Option1 = {ui->Option1_0, ui->Option1_1, ui->Option1_2,  ui->Option1_3,
               ui->Option1_4, ui->Option1_5, ui->Option1_6,  ui->Option1_7,
               ui->Option1_8, ui->Option1_9, ui->Option1_10, ui->Option1_11};
    DeviceLabel = {ui->Device_0, ui->Device_1, ui->Device_2,  ui->Device_3,
                   ui->Device_4, ui->Device_5, ui->Device_6,  ui->Device_7,
                   ui->Device_8, ui->Device_9, ui->Device_10, ui->Device_11};
    // Designer keeps whole points; fitCaption gives the caption its classic 9.75 pt face.
    Label1->setFont(WithFallbackFamily(Label1->font()));
    Label1->setBuddy(Option1[0]);
    fitCaption(Label1);
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
        fitCaption(Label1);
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
