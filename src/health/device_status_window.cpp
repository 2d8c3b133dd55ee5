#include "health/device_status_window.h"

#include "dialogs/centre.h"
#include "hart/device_status.h"
#include "health/device_health.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

QLabel *valueLabel(const QString &name, QWidget *parent) {
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return l;
}

QString orDash(const QString &s) {
    return s.isEmpty() ? QStringLiteral("—") : s;
}

} // namespace

DeviceStatusWindow::DeviceStatusWindow(DeviceHealth &health, QWidget *parent)
    : QDialog(parent), health_(health) {
    setObjectName(QStringLiteral("DeviceStatusWindow"));
    setModal(false);

    identity_ = new QGroupBox(this);
    auto *identity = identity_;
    form_ = new QFormLayout(identity);
    auto *form = form_;
    Manufacturer = valueLabel(QStringLiteral("Manufacturer"), identity);
    DeviceType = valueLabel(QStringLiteral("DeviceType"), identity);
    DeviceId = valueLabel(QStringLiteral("DeviceId"), identity);
    HartRevision = valueLabel(QStringLiteral("HartRevision"), identity);
    SerialNumber = valueLabel(QStringLiteral("SerialNumber"), identity);
    Tag = valueLabel(QStringLiteral("Tag"), identity);
    // Each caption a label of its own, given its words by retranslate(): a row added with empty
    // words gets no label at all, and the values stood there without their names.
    for (QLabel *field : {Manufacturer, DeviceType, DeviceId, HartRevision, SerialNumber, Tag})
        form->addRow(new QLabel(identity), field);

    state_ = new QGroupBox(this);
    auto *state = state_;
    auto *stateLayout = new QVBoxLayout(state);
    StatusByte = valueLabel(QStringLiteral("StatusByte"), state);
    Conditions = valueLabel(QStringLiteral("Conditions"), state);
    Conditions->setWordWrap(true);
    StatusByte->setWordWrap(true);
    ClearChanged = new QPushButton(state);
    ClearChanged->setObjectName(QStringLiteral("ClearChanged"));
    ReleaseCurrent = new QPushButton(state);
    ReleaseCurrent->setObjectName(QStringLiteral("ReleaseCurrent"));
    auto *stateButtons = new QHBoxLayout;
    stateButtons->addWidget(ClearChanged);
    stateButtons->addWidget(ReleaseCurrent);
    stateButtons->addStretch();
    stateLayout->addWidget(StatusByte);
    stateLayout->addWidget(Conditions);
    stateLayout->addLayout(stateButtons);

    more_ = new QGroupBox(this);
    auto *more = more_;
    auto *moreLayout = new QVBoxLayout(more);
    Additional = valueLabel(QStringLiteral("Additional"), more);
    Additional->setWordWrap(true);
    ReadAdditional = new QPushButton(more);
    ReadAdditional->setObjectName(QStringLiteral("ReadAdditional"));
    moreLayout->addWidget(Additional);
    moreLayout->addWidget(ReadAdditional, 0, Qt::AlignLeft);

    CloseButton = new QPushButton(this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(identity);
    layout->addWidget(state);
    layout->addWidget(more);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(ReadAdditional, &QPushButton::clicked, &health_, &DeviceHealth::readAdditionalStatus);
    connect(ClearChanged, &QPushButton::clicked, &health_,
            &DeviceHealth::clearConfigurationChanged);
    connect(ReleaseCurrent, &QPushButton::clicked, &health_, &DeviceHealth::releaseFixedCurrent);
    connect(&health_, &DeviceHealth::changed, this, &DeviceStatusWindow::refresh);
    retranslate();
    refresh();
    adjustSize();
    CentreOnScreen(this);
}

void DeviceStatusWindow::refresh() {
    const auto &id = health_.identity();
    Manufacturer->setText(id ? QStringLiteral("%1 (%2)")
                                   .arg(health::manufacturerName(id->manufacturer))
                                   .arg(id->manufacturer)
                             : orDash({}));
    DeviceType->setText(id ? QString::number(id->deviceType) : orDash({}));
    DeviceId->setText(id ? health::deviceIdText(id->deviceId) : orDash({}));
    HartRevision->setText(id ? QString::number(id->universalRevision) : orDash({}));
    SerialNumber->setText(orDash(health_.serialNumberText()));
    Tag->setText(orDash(health_.tag()));

    const auto silent = health_.silentSince();
    const QString silence =
        silent ? tr("No answer since %1.").arg(silent->toString(QStringLiteral("HH:mm:ss")))
               : QString();
    if (!health_.known()) {
        StatusByte->setText(silent ? silence : tr("No reply from the transmitter yet."));
        Conditions->clear();
        ClearChanged->setEnabled(false);
        ReleaseCurrent->setEnabled(false);
    } else {
        const quint8 s = health_.status();
        const health::FixedBy fixedBy = health_.fixedBy();
        const QString byte = QStringLiteral("0x%1").arg(s, 2, 16, QLatin1Char('0'));
        // What a silent transmitter last said may no longer hold; it is shown as what it is.
        StatusByte->setText(silent
                                ? tr("%1 Status byte of the last reply before: %2; the conditions "
                                     "below may no longer hold.")
                                      .arg(silence, byte)
                                : tr("Status byte of the latest reply: %1").arg(byte));
        QStringList lines;
        for (const health::Condition &c : health::decodeStatus(s, fixedBy)) {
            QString name = c.name;
            name[0] = name[0].toUpper();
            lines << tr("%1: %2\nWhat to do: %3").arg(name, c.words, c.action);
        }
        Conditions->setText(lines.isEmpty() ? tr("The transmitter reports no condition: it is "
                                                 "healthy.")
                                            : lines.join(QStringLiteral("\n\n")));
        ClearChanged->setEnabled((s & health::ConfigurationChanged) != 0);
        ReleaseCurrent->setEnabled((s & health::LoopCurrentFixed) &&
                                   fixedBy == health::FixedBy::Other);
    }

    if (!health_.additionalRead()) {
        Additional->setText(tr("Not read yet."));
    } else {
        const QByteArray data = health_.additionalStatus();
        QStringList lines{tr("Bytes: %1").arg(orDash(health::hexBytes(data)))};
        for (const health::AdditionalByte &b :
             health::describeAdditionalStatus(data, id ? id->manufacturer : 0))
            if (b.value != 0)
                lines << tr("Byte %1 = 0x%2: %3")
                             .arg(b.index)
                             .arg(b.value, 2, 16, QLatin1Char('0'))
                             .arg(b.meaning);
        if (lines.size() == 1 && !data.isEmpty()) lines << tr("No bit is set.");
        Additional->setText(lines.join(QLatin1Char('\n')));
    }
    growToFit();
}

void DeviceStatusWindow::retranslate() {
    setWindowTitle(tr("Device status"));
    identity_->setTitle(tr("Transmitter"));
    const std::pair<QLabel *, QString> rows[] = {
        {Manufacturer, tr("Manufacturer:")},  {DeviceType, tr("Device type:")},
        {DeviceId, tr("Device ID:")},         {HartRevision, tr("HART revision:")},
        {SerialNumber, tr("Serial number:")}, {Tag, tr("Tag:")}};
    for (const auto &[field, caption] : rows)
        if (auto *label = qobject_cast<QLabel *>(form_->labelForField(field)))
            label->setText(caption);
    state_->setTitle(tr("Status"));
    Conditions->setAccessibleName(tr("Conditions"));
    ClearChanged->setText(tr("C&lear \"configuration changed\""));
    ReleaseCurrent->setText(tr("Rel&ease loop current"));
    more_->setTitle(tr("Additional status (command 48)"));
    Additional->setAccessibleName(tr("Additional status"));
    ReadAdditional->setText(tr("&Read additional status"));
    CloseButton->setText(tr("&Close"));
}

void DeviceStatusWindow::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    retranslate();
    refresh();
}

void DeviceStatusWindow::growToFit() {
    // Word-wrapped labels ask for their height only for a given width, which a window does not
    // take into its minimum by itself: with three conditions or more the texts were cut off.
    QLayout *l = layout();
    if (!l) return;
    // A frame hears of its labels' new words only with its next layout request; until then the
    // window's layout reckons with the frame's old height, and a longer text (another condition,
    // another language) was cut off.
    for (QGroupBox *frame : {identity_, state_, more_})
        frame->updateGeometry();
    l->activate();
    const int need =
        l->hasHeightForWidth() ? l->totalHeightForWidth(width()) : l->totalSizeHint().height();
    const QScreen *s = screen();
    const int room = s ? s->availableGeometry().height() - 40 : need;
    // Wider rather than cut off where the screen is too low for the texts at this width.
    if (need > room && width() < 2 * minimumWidth()) {
        resize(width() * 3 / 2, height());
        growToFit();
        return;
    }
    setMinimumHeight(std::min(need, room));
    if (height() < need) resize(width(), std::min(need, room));
}
