#include "dialogs/frm_splash.h"
#include "dialogs/centre.h"

#include "dialogs/msgbox.h"
#include "ui_frm_splash.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

QString VersionText() {
    return QCoreApplication::translate("frmSplash", "Version %1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

QFont WithFallbackFamily(QFont font) {
    if (QFontDatabase::hasFamily(font.family())) return font;
    QString sans = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (sans.isEmpty() || !QFontDatabase::hasFamily(sans)) {
        QFont probe;
        probe.setStyleHint(QFont::SansSerif);
        sans = probe.defaultFamily();
    }
    font.setFamily(sans);
    return font;
}

// Drawn on a 64-unit square: a well with liquid, and the transmitter hanging on its cable near
// the bottom, which is where this family of instruments lives.
QList<PictureShape> ProductPictureShapes() {
    QList<PictureShape> shapes;
    QPainterPath well;
    well.addRoundedRect(QRectF(8, 6, 48, 54), 4, 4);
    shapes.append({well, QColor(236, 240, 244), Qt::NoPen});
    QLinearGradient water(0, 20, 0, 60);
    water.setColorAt(0, QColor(96, 160, 224));
    water.setColorAt(1, QColor(16, 64, 144));
    QPainterPath liquid;
    liquid.moveTo(8, 22);
    liquid.cubicTo(20, 18, 28, 26, 40, 22);
    liquid.cubicTo(46, 20, 52, 20, 56, 22);
    liquid.lineTo(56, 56);
    liquid.quadTo(56, 60, 52, 60);
    liquid.lineTo(12, 60);
    liquid.quadTo(8, 60, 8, 56);
    liquid.closeSubpath();
    shapes.append({liquid.intersected(well), water, Qt::NoPen});
    shapes.append({well, Qt::NoBrush, QPen(QColor(64, 64, 72), 2)});

    QPainterPath cable;
    cable.moveTo(32, 0);
    cable.lineTo(32, 36);
    shapes.append({cable, Qt::NoBrush, QPen(QColor(24, 24, 24), 2)});
    QLinearGradient steel(26, 0, 38, 0);
    steel.setColorAt(0, QColor(120, 124, 132));
    steel.setColorAt(0.4, QColor(232, 234, 238));
    steel.setColorAt(1, QColor(96, 100, 108));
    QPainterPath body;
    body.addRoundedRect(QRectF(27, 35, 10, 18), 2, 2);
    body.moveTo(27, 52);
    body.lineTo(37, 52);
    body.lineTo(35, 56);
    body.lineTo(29, 56);
    body.closeSubpath();
    shapes.append({body.simplified(), steel, QPen(QColor(48, 48, 56), 1)});
    QPainterPath band;
    band.addRect(QRectF(27.5, 39, 9, 2));
    shapes.append({band, QColor(200, 32, 32), Qt::NoPen});
    return shapes;
}

QPixmap ProductPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    for (const PictureShape &shape : ProductPictureShapes()) {
        p.setPen(shape.pen);
        p.setBrush(shape.fill);
        p.drawPath(shape.path);
    }
    p.end();
    return pm;
}

frmSplash::frmSplash(MainWindowFactory factory, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui(new Ui::frmSplash),
      factory_(std::move(factory)) {
    ui->setupUi(this);
    Frame1 = ui->Frame1;
    Picture1 = ui->Picture1;
    lblProductName = ui->lblProductName;
    lblCopyright = ui->lblCopyright;
    lblCompany = ui->lblCompany;
    lblVersion = ui->lblVersion;
    lblCompanyProduct = ui->lblCompanyProduct;
    for (QLabel *l : {lblProductName, lblCopyright, lblCompany, lblVersion, lblCompanyProduct})
        l->setFont(WithFallbackFamily(l->font()));
    Picture1->setPixmap(ProductPicture(128));
    setWindowIcon(QIcon(ProductPicture(32)));
    setWindowTitle(kAppTitle);

    // Clicks on the picture and labels are not theirs to keep; they reach the frame.
    Frame1->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kShowInterval);
    // A coarse timer may fire 5 % either side; the splash is meant to show for the full time.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

    Form_Load();
    Timer1->start();
}

frmSplash::~frmSplash() = default;

void frmSplash::Form_Load() {
    lblVersion->setText(VersionText());
    lblProductName->setText(kAppTitle);
    adjustSize();
    setFixedSize(size());
    CentreOnScreen(this);
}

void frmSplash::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        lblVersion->setText(VersionText());
        lblProductName->setText(kAppTitle);
    }
    QWidget::changeEvent(event);
}

void frmSplash::Timer1_Timer() {
    Timer1->stop();
    HandOver();
}

void frmSplash::Frame1_Click() {
    HandOver();
}

void frmSplash::HandOver() {
    // The main window's load step may wait in a modal dialog; the timer or another key must not
    // start a second hand-over meanwhile.
    if (handedOver_) return;
    handedOver_ = true;
    Timer1->stop();
    main_ = factory_ ? factory_() : nullptr;
    if (main_) main_->show();
    close();
}

void frmSplash::keyPressEvent(QKeyEvent *event) {
    event->accept();
    HandOver();
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease &&
        Frame1->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        Frame1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
