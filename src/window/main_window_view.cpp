#include "window/main_window_view.h"

#include "dialogs/msgbox.h"
#include "dialogs/pointer.h"
#include "units/module1.h"
#include "window/form1.h"
#include "window/result_rules.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cmath>

static_assert(int(Decisions::OKOnly) == vbOKOnly && int(Decisions::OKCancel) == vbOKCancel &&
                  int(Decisions::YesNo) == vbYesNo && int(Decisions::RetryCancel) == vbRetryCancel,
              "the session's buttons are the message box's");
static_assert(int(Decisions::OK) == vbOK && int(Decisions::Cancel) == vbCancel &&
                  int(Decisions::Retry) == vbRetry && int(Decisions::Yes) == vbYes &&
                  int(Decisions::No) == vbNo,
              "the session's answers are the message box's");

namespace {

const QString kNumberPattern = QStringLiteral("#0.0#");
constexpr int kBarMaximum = 10000;

// Selects the Option1 button of `index`, or neither for an index the window has no button for.
void SelectOutputDirection(const std::array<QRadioButton *, 2> &buttons, int index) {
    if (index == 0 || index == 1) {
        buttons[std::size_t(index)]->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its checked button, so lift exclusivity meanwhile.
    QButtonGroup *group = buttons[0]->group();
    const bool groupExclusive = group && group->exclusive();
    if (groupExclusive) group->setExclusive(false);
    for (QRadioButton *b : buttons) {
        const bool autoExclusive = b->autoExclusive();
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(autoExclusive);
    }
    if (groupExclusive) group->setExclusive(true);
}

const QLineEdit *fieldOf(const Form1 &f, SessionView::Field field) {
    switch (field) {
    case SessionView::Field::Zero:
        return f.Text4;
    case SessionView::Field::Span:
        return f.Text5;
    case SessionView::Field::Damping:
        return f.Text6;
    case SessionView::Field::Tag:
        return f.Text7;
    case SessionView::Field::FixedCurrent:
        break;
    }
    return f.Text8;
}

} // namespace

QString MainWindowView::text(Field field) const {
    return fieldOf(f_, field)->text();
}

QString MainWindowView::fieldName(Field field) const {
    return fieldOf(f_, field)->accessibleName();
}

int MainWindowView::outputDirection() const {
    if (f_.Option1[0]->isChecked()) return 0;
    if (f_.Option1[1]->isChecked()) return 1;
    return -1;
}

int MainWindowView::mountingAction() const {
    const QComboBox *list = f_.Combo2;
    const int index = list->currentIndex();
    // Text typed into the list over a chosen entry is not that entry any more.
    if (index >= 0 && list->isEditable() && list->currentText() != list->itemText(index)) return -1;
    return index;
}

bool MainWindowView::monitoring() const {
    return f_.Option3[1]->isChecked();
}

void MainWindowView::setPointer(Pointer pointer) {
    switch (pointer) {
    case Pointer::Default:
        SetMousePointer(vbDefault);
        break;
    case Pointer::Hourglass:
        SetMousePointer(vbHourglass);
        break;
    case Pointer::ArrowHourglass:
        SetMousePointer(vbArrowHourglass);
        break;
    }
}

void MainWindowView::startProgress() {
    f_.ProgressBar1->setMaximum(100);
    f_.ProgressBar1->setValue(0);
}

void MainWindowView::setProgress(int value) {
    f_.ProgressBar1->setValue(value);
}

void MainWindowView::setPanelsShown(bool shown) {
    QWidget *const panels[] = {f_.Label12, f_.Text7,   f_.Command8, f_.Frame2,
                               f_.Frame3,  f_.Frame4,  f_.Frame5,   f_.Frame6,
                               f_.Frame7,  f_.Label11, f_.Command5, f_.Text8};
    for (QWidget *w : panels)
        w->setVisible(shown);
}

void MainWindowView::rangeRead() {
    f_.ZeroAsRead = f_.Dev.LowerRangeValue;
    f_.SpanAsRead = f_.Dev.Span;
}

void MainWindowView::showDeviceData() {
    const DeviceRecord &d = f_.Dev;
    f_.Text7->setText(d.Tag);
    f_.Text1->setText(Module1::Format(d.MinimumSpan, kNumberPattern));
    f_.Text2->setText(Module1::Format(d.UpperSensorLimit, kNumberPattern));
    f_.Text3->setText(Module1::Format(d.LowerSensorLimit, kNumberPattern));
    for (int i : {0, 1, 2})
        f_.Label9[std::size_t(i)]->setText(d.UnitName);
    // Each of these runs the field's change handling, with ReloadingRange as it still is.
    f_.Text4->setText(Module1::Format(d.LowerRangeValue, kNumberPattern));
    f_.Text5->setText(Module1::Format(d.Span, kNumberPattern));
    f_.ZeroAsRead = f_.Text4->text();
    f_.SpanAsRead = f_.Text5->text();
    f_.Label9[3]->setText(d.UnitName);
    f_.Label9[4]->setText(d.UnitName);
    f_.SetCombo1ListIndex(Module1::UnitIndexFromName(d.UnitName));
    f_.Text6->setText(Module1::Format(d.Damping, kNumberPattern));
    SelectOutputDirection(f_.Option1, d.OutputDirection);
    serialShown_ = d.SerialNumber;
    showSerialNumber();
    f_.ReloadingRange = false;
    refreshOffered_ = true;
    showConnectCaption();
}

void MainWindowView::showSerialNumber() {
    if (serialShown_)
        f_.StatusPanel[1]->setText(Form1::tr("Transmitter Serialnumber: ") +
                                   QString::number(*serialShown_));
}

void MainWindowView::showConnectCaption() {
    f_.Command2->setText(refreshOffered_ ? Form1::tr("Re&fresh") : Form1::tr("Co&nnect"));
}

void MainWindowView::retranslate() {
    showSerialNumber();
    showConnectCaption();
    setSimulationCaption(f_.session->simulationRequested());
}

void MainWindowView::showTag(const QString &tag) {
    f_.Text7->setText(tag);
}

void MainWindowView::showOutput(float mA, float percent) {
    f_.Text9[0]->setText(Module1::Format(mA, QStringLiteral("#.000 ")));
    f_.Text9[1]->setText(Module1::Format(percent, QStringLiteral("#0.0#")));
    f_.ProgressBar2->setValue(ResultRules::OutputBarValue(percent));
    f_.RecordOutputSample(mA, percent);
}

void MainWindowView::clearOutput() {
    f_.Text9[0]->setText(QString());
    f_.Text9[1]->setText(QString());
    f_.ProgressBar2->setValue(0);
}

void MainWindowView::resetOutputBar() {
    f_.ProgressBar2->setMaximum(kBarMaximum);
    f_.ProgressBar2->setMinimum(0);
    f_.ProgressBar2->setValue(0);
}

void MainWindowView::setSimulationCaption(bool running) {
    f_.Command5->setText(running ? Form1::tr("Abort") : Form1::tr("Send"));
}

void MainWindowView::offerConnect() {
    refreshOffered_ = false;
    showConnectCaption();
}

void MainWindowView::endProgram() {
    f_.close();
    // The window may not be on screen yet, and then its closing alone would not end the loop.
    QCoreApplication::quit();
}

int MainWindowView::ask(const QString &prompt, int buttons, const QString &title,
                        const QString &detail) {
    return MsgBox(prompt, buttons, title, detail);
}

QWidget *MainWindowView::window() {
    return &f_;
}

int MainWindowView::comPort() const {
    return f_.ComPortNumber;
}

void MainWindowView::linkSetup() {
    f_.LinkSetup();
}

bool MainWindowView::storeComPort(int port) {
    return f_.StoreComPort(port);
}

void MainWindowView::addFileMenuEntries(const QList<QAction *> &actions) {
    QMenu *file = f_.bestand;
    file->insertSeparator(f_.Exitform);
    for (QAction *a : actions)
        file->insertAction(f_.Exitform, a);
    file->insertSeparator(f_.Exitform);
}

void MainWindowView::lockForLoopCheck() {
    Saved &s = saved_;
    s.frameDisabled = f_.Frame1->testAttribute(Qt::WA_Disabled);
    s.connectDisabled = f_.Command2->testAttribute(Qt::WA_Disabled);
    s.pointer = MousePointer();
    s.actions.clear();
    // Every menu command may start a sequence of its own; only leaving, the About box and the
    // Device windows stay.
    const QList<QAction *> keep = {f_.Exitform, f_.Infoscreen, f_.LoopCheckMenu, f_.TrendMenu};
    QList<QMenu *> menus;
    for (QAction *a : f_.menuBar()->actions())
        if (a->menu()) menus.append(a->menu());
    while (!menus.isEmpty()) {
        QMenu *m = menus.takeFirst();
        for (QAction *a : m->actions()) {
            if (a->menu()) {
                menus.append(a->menu());
                continue;
            }
            if (a->isSeparator() || keep.contains(a)) continue;
            s.actions.append({a, a->isEnabled()});
            a->setEnabled(false);
        }
    }
    f_.Frame1->setEnabled(false);
    f_.Command2->setEnabled(false);
    SetMousePointer(vbArrowHourglass);
}

void MainWindowView::unlockAfterLoopCheck() {
    const Saved &s = saved_;
    for (const auto &a : s.actions)
        if (a.first) a.first->setEnabled(a.second);
    f_.Frame1->setEnabled(!s.frameDisabled);
    f_.Command2->setEnabled(!s.connectDisabled);
    SetMousePointer(s.pointer);
}

void MainWindowView::openOutputTrim() {
    f_.OutputTrimMenu_Click();
}

void MainWindowView::fillGroup(const records::Configuration &c, records::Group group) {
    switch (group) {
    case records::Group::UnitRange:
        f_.SetCombo1ListIndex(Module1::UnitIndexFromName(c.unit));
        f_.Text4->setText(Module1::PlainNumberText(c.lowerRangeValue));
        f_.Text5->setText(Module1::PlainNumberText(c.upperRangeValue - c.lowerRangeValue));
        break;
    case records::Group::DampingDirection:
        f_.Text6->setText(Module1::PlainNumberText(c.dampingS));
        f_.Option1[c.outputDirection == 0 ? 0 : 1]->setChecked(true);
        break;
    case records::Group::Tag:
        f_.Text7->setText(c.tag);
        f_.Dev.Descriptor = c.descriptor;
        f_.Dev.DateDay = quint8(c.date.day());
        f_.Dev.DateMonth = quint8(c.date.month());
        f_.Dev.DateYear = quint8(c.date.year() - 1900);
        break;
    case records::Group::None:
        break;
    }
}

void MainWindowView::pressSend(records::Group group) {
    switch (group) {
    case records::Group::UnitRange:
        f_.Command3_Click();
        break;
    case records::Group::DampingDirection:
        f_.Command4_Click();
        break;
    case records::Group::Tag:
        f_.Command8_Click();
        break;
    case records::Group::None:
        break;
    }
}

void MainWindowView::refresh() {
    f_.Command2_Click();
}
