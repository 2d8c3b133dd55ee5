#include "finder/finder_window.h"

#include "dialogs/centre.h"
#include "dialogs/msgbox.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { ColPort, ColCom, ColAddress, ColMaker, ColType, ColId, ColTag, ColCount };

} // namespace

FinderWindow::FinderWindow(const QList<ScanTarget> &targets, const HartScanner::LineFactory &lines,
                           const LinkTiming &timing, QWidget *parent)
    : QDialog(parent), targets_(targets) {
    setObjectName(QStringLiteral("FinderWindow"));
    scanner_ = new HartScanner(this);
    if (lines) scanner_->setLineFactory(lines);
    scanner_->setLinkTiming(timing);

    Trying = new QLabel(this);
    Trying->setObjectName(QStringLiteral("Trying"));
    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Found = new QTreeWidget(this);
    Found->setObjectName(QStringLiteral("Found"));
    Found->setRootIsDecorated(false);
    Found->setColumnCount(ColCount);
    Found->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Notes = new QLabel(this);
    Notes->setObjectName(QStringLiteral("Notes"));
    Notes->setWordWrap(true);
    Notes->setTextInteractionFlags(Qt::TextSelectableByMouse);

    UseButton = new QPushButton(this);
    UseButton->setObjectName(QStringLiteral("UseButton"));
    ScanAgain = new QPushButton(this);
    ScanAgain->setObjectName(QStringLiteral("ScanAgain"));
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(UseButton);
    buttons->addWidget(ScanAgain);
    buttons->addStretch();
    buttons->addWidget(CancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Trying);
    layout->addWidget(Progress);
    layout->addWidget(Found, 1);
    layout->addWidget(Notes);
    layout->addLayout(buttons);
    resize(640, 320);
    retranslate();

    connect(scanner_, &HartScanner::trying, this, [this](const ScanTarget &t, int address) {
        const QString label = t.label();
        showTrying([label, address] {
            return tr("Trying %1, polling address %2 …").arg(label).arg(address);
        });
    });
    connect(scanner_, &HartScanner::progress, this, [this](int done, int total) {
        Progress->setMaximum(qMax(1, total));
        Progress->setValue(done);
    });
    connect(scanner_, &HartScanner::found, this, &FinderWindow::onFound);
    connect(scanner_, &HartScanner::tagRead, this, &FinderWindow::onTagRead);
    connect(scanner_, &HartScanner::portProblem, this,
            [this](const ScanTarget &t, const QString &problem) {
                problems_ << QStringLiteral("%1: %2").arg(t.label(), problem);
            });
    connect(scanner_, &HartScanner::finished, this, &FinderWindow::onFinished);
    connect(Found, &QTreeWidget::currentItemChanged, this, &FinderWindow::updateUseButton);
    connect(Found, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { useRow(Found->indexOfTopLevelItem(item)); });
    connect(UseButton, &QPushButton::clicked, this,
            [this] { useRow(Found->indexOfTopLevelItem(Found->currentItem())); });
    connect(ScanAgain, &QPushButton::clicked, this, &FinderWindow::startScan);
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        if (scanner_->isRunning())
            scanner_->cancel();
        else
            reject();
    });
    CentreOnScreen(this);
    startScan();
}

FinderWindow::~FinderWindow() {
    scanner_->cancel();
}

void FinderWindow::startScan() {
    finds_.clear();
    problems_.clear();
    Found->clear();
    Notes->clear();
    Progress->setValue(0);
    ScanAgain->setEnabled(false);
    closes_ = false;
    retranslate();
    updateUseButton();
    if (targets_.isEmpty()) {
        showTrying([] {
            return tr("No serial port found. Connect the HART modem, then press Scan again.");
        });
        ScanAgain->setEnabled(true);
        closes_ = true;
        retranslate();
        return;
    }
    const int ports = int(targets_.size());
    showTrying([ports] { return tr("Scanning %1 port(s) …").arg(ports); });
    scanner_->start(targets_);
}

void FinderWindow::onFound(const ScanFind &f) {
    finds_.append(f);
    auto *item = new QTreeWidgetItem(Found);
    item->setText(ColPort, f.target.device);
    item->setToolTip(ColPort, f.target.info);
    item->setText(ColCom,
                  f.target.comPort > 0 ? QString::number(f.target.comPort) : QStringLiteral("—"));
    item->setText(ColAddress, QString::number(f.address));
    item->setText(ColMaker, health::manufacturerName(f.identity.manufacturer));
    item->setText(ColType, QString::number(f.identity.deviceType));
    item->setText(ColId, health::deviceIdText(f.identity.deviceId));
    item->setText(ColTag, f.tag);
    if (!Found->currentItem() && f.identity.manufacturer == hart::kZanuManufacturerId)
        Found->setCurrentItem(item);
    updateUseButton();
}

void FinderWindow::onTagRead(const ScanFind &f) {
    for (int i = 0; i < finds_.size(); ++i) {
        if (finds_[i].target.device != f.target.device || finds_[i].address != f.address) continue;
        finds_[i].tag = f.tag;
        if (QTreeWidgetItem *item = Found->topLevelItem(i)) item->setText(ColTag, f.tag);
    }
}

void FinderWindow::onFinished(bool cancelled) {
    ScanAgain->setEnabled(true);
    closes_ = true;
    const int ports = int(targets_.size());
    const int found = int(finds_.size());
    if (cancelled)
        showTrying([] { return tr("Scan cancelled; every port is closed again."); });
    else if (found == 0)
        showTrying([ports] {
            return tr("No transmitter answered on %1 port(s). Check that the modem is connected to "
                      "the loop (with a load of at least 250 Ω) and that the transmitter is "
                      "powered.")
                .arg(ports);
        });
    else
        showTrying([found] { return tr("%1 transmitter(s) found.").arg(found); });
    retranslate();
}

void FinderWindow::updateUseButton() {
    const int row = Found->indexOfTopLevelItem(Found->currentItem());
    const bool listed = row >= 0 && row < finds_.size();
    const bool ours = listed && finds_[row].identity.manufacturer == hart::kZanuManufacturerId;
    UseButton->setEnabled(ours);
    // A greyed-out button that does not say why looks like a fault of the program. The tooltip
    // reaches the mouse, the description a screen reader.
    QString why;
    if (!listed)
        why = tr("Select a transmitter in the list first.");
    else if (!ours)
        why = tr("Not a Zanu transmitter (manufacturer %1, device type %2): this "
                 "program configures only Zanu's Pelvanor I and Ostrimel "
                 "transmitters. Use its maker's tool for it.")
                  .arg(health::manufacturerName(finds_[row].identity.manufacturer))
                  .arg(finds_[row].identity.deviceType);
    UseButton->setToolTip(why);
    UseButton->setAccessibleDescription(why);
}

void FinderWindow::useRow(int row) {
    if (row < 0 || row >= finds_.size()) return;
    const ScanFind &f = finds_[row];
    if (f.identity.manufacturer != hart::kZanuManufacturerId) return;
    if (f.target.comPort == 0) {
        MsgBox(tr("%1 has no COM number, and this program opens its port by COM "
                  "number.\n\n"
                  "To use it, give it one: start the program with the environment "
                  "variable ZANU_COMn set to the device, for example\n"
                  "    ZANU_COM5=%1\n"
                  "then choose that COM port (here COM 5) under Config, "
                  "COM-settings, or find it again here.")
                   .arg(f.target.device),
               vbOKOnly, tr("Find transmitter"));
        return;
    }
    scanner_->cancel();
    chosen_ = f;
    accept();
}

void FinderWindow::showTrying(std::function<QString()> text) {
    trying_ = std::move(text);
    Trying->setText(trying_());
}

void FinderWindow::retranslate() {
    setWindowTitle(tr("Find transmitter"));
    Progress->setAccessibleName(tr("Scan progress"));
    Found->setAccessibleName(tr("Transmitters found"));
    Found->setHeaderLabels({tr("Port"), tr("COM"), tr("Address"), tr("Manufacturer"), tr("Type"),
                            tr("Device ID"), tr("Tag")});
    UseButton->setText(tr("&Use this port"));
    ScanAgain->setText(tr("Scan &again"));
    CancelButton->setText(closes_ ? tr("&Close") : tr("Cancel"));
    if (trying_) Trying->setText(trying_());
    if (problems_.isEmpty() || !closes_)
        Notes->clear();
    else
        Notes->setText(tr("Ports that could not be scanned:\n") +
                       problems_.join(QLatin1Char('\n')));
}

void FinderWindow::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    retranslate();
    updateUseButton();
}

void FinderWindow::reject() {
    scanner_->cancel();
    QDialog::reject();
}
