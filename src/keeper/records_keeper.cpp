#include "keeper/records_keeper.h"

#include "dialogs/msgbox.h"
#include "hart/hart_catalogue.h"
#include "keeper/records_compare_dialog.h"
#include "keeper/records_report.h"
#include "session/main_window_port.h"
#include "units/module1.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

constexpr int kBusyBit = hart::rc::Busy;

const char *const kSaveTitle = QT_TRANSLATE_NOOP("RecordsKeeper", "Save configuration");
const char *const kCompareTitle = QT_TRANSLATE_NOOP("RecordsKeeper", "Compare with file");
const char *const kWriteTitle = QT_TRANSLATE_NOOP("RecordsKeeper", "Write to transmitter");
const char *const kReportTitle = QT_TRANSLATE_NOOP("RecordsKeeper", "Report");

// Commands after whose reply the transmitter may hold something other than what was read.
bool changesTheTransmitter(int command) {
    switch (command) {
    case hart::cmd::WriteTagDescriptorDate:
    case hart::cmd::WriteDamping:
    case hart::cmd::WriteRangeValues:
    case hart::cmd::SetUpperRangeValue:
    case hart::cmd::SetLowerRangeValue:
    case hart::cmd::WritePvUnits:
    case hart::cmd::MountingEffect:
    case hart::cmd::WriteOutputDirection:
        return true;
    default:
        return false;
    }
}

QString fileSuggestion(const records::Configuration &c, const QString &suffix) {
    QString base = c.tag.trimmed();
    base.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    if (base.isEmpty()) base = QStringLiteral("transmitter");
    return QStringLiteral("%1-%2.%3").arg(base).arg(c.serialNumber).arg(suffix);
}

// A loop check proves one transmitter's loop: the report of another transmitter, read after it in
// the same session, must not show it as its own.
bool sameTransmitter(const LoopCheckResult &check, const records::Configuration &c) {
    return check.serialNumber == c.serialNumber && check.tag.trimmed() == c.tag.trimmed();
}

} // namespace

RecordsKeeper::RecordsKeeper(Session &session, MainWindowPort &mainWindow)
    : QObject(mainWindow.window()), session_(session), main_(mainWindow) {
    setObjectName(QStringLiteral("Records"));
    auto make = [this](const char *name, void (RecordsKeeper::*slot)()) {
        auto *a = new QAction(main_.window());
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    SaveConfigMenu = make("SaveConfigMenu", &RecordsKeeper::SaveConfigMenu_Click);
    CompareMenu = make("CompareMenu", &RecordsKeeper::CompareMenu_Click);
    ReportMenu = make("ReportMenu", &RecordsKeeper::ReportMenu_Click);
    PrintReportMenu = make("PrintReportMenu", &RecordsKeeper::PrintReportMenu_Click);
    nameEntries();
    // Menu entries are no widgets and hear of no change of language; the window they are in does.
    main_.window()->installEventFilter(this);
    main_.addFileMenuEntries({SaveConfigMenu, CompareMenu, ReportMenu, PrintReportMenu});

    // After the window's own handler: by then the reply is decoded into the device record. Only
    // the chains' results: the files are written and read back through the window's chains.
    connect(&session_, &Session::chainResult, this, &RecordsKeeper::onResult);
    connect(session_.Timer2, &QTimer::timeout, this, &RecordsKeeper::onWriteStepDone);
}

void RecordsKeeper::nameEntries() {
    SaveConfigMenu->setText(tr("&Save configuration…"));
    CompareMenu->setText(tr("Com&pare with file…"));
    ReportMenu->setText(tr("&Report…"));
    PrintReportMenu->setText(tr("Prin&t report…"));
}

bool RecordsKeeper::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::LanguageChange) nameEntries();
    return QObject::eventFilter(watched, event);
}

RecordsKeeper::~RecordsKeeper() = default;

void RecordsKeeper::onResult(qint16 /*iAction*/, qint16 iCommand, qint16 iResult) {
    const int rc = session_.hart()->ResponseCode();
    const bool answered = iResult != HartX::kNoAnswer;
    if (answered && (rc & kBusyBit)) return; // resent by the window; nothing has ended
    const bool accepted = answered && rc == 0;

    if (iCommand == hart::cmd::ReadUniqueIdentifier || changesTheTransmitter(iCommand))
        complete_ = false;
    // The read sequence ends with the output direction: the record is whole.
    if (iCommand == hart::cmd::ReadOutputDirection && accepted) takeSnapshot();

    if (state_ == State::Idle) return;
    if (state_ == State::Writing && answered && hart::rc::isWarning(rc, iCommand)) {
        // Written, with a remark. The window has shown its message and reads the transmitter
        // again, as after any response code; the rest of the file follows that read.
        warnings_ << tr("warning: %1: %2")
                         .arg(records::groupText(current_),
                              Module1::ResponseCodeMessageShown(rc, iCommand));
        cutAt_ = iCommand;
        state_ = State::AfterWarning;
        return;
    }
    if (!accepted) {
        // The window has said why (or asked to retry) and reads the transmitter again; the
        // groups not yet written stay unwritten.
        const QString reason = answered ? Module1::ResponseCodeMessageShown(rc, iCommand)
                                        : tr("no answer to HART command %1").arg(iCommand);
        state_ = State::Idle;
        pending_.clear();
        emit writeFinished(false, reason);
        return;
    }
    if (iCommand != hart::cmd::ReadOutputDirection) return;
    if (state_ == State::AfterWarning)
        resumeAfterWarning();
    else if (state_ == State::Rereading)
        finishWriting();
}

// The window's chain stopped at the warning; what that chain had still to send goes out as it
// would have, then the groups after it. With nothing left, the read just done is the read-back.
void RecordsKeeper::resumeAfterWarning() {
    Session &f = session_;
    state_ = State::Writing;
    const int cutAt = cutAt_;
    cutAt_ = -1;
    if (cutAt == hart::cmd::WritePvUnits) {
        fillGroupFields(records::Group::UnitRange);
        f.SendWriteRange();
    } else if (cutAt == hart::cmd::WriteDamping) {
        fillGroupFields(records::Group::DampingDirection);
        f.SendWriteOutputDirection();
    } else if (pending_.isEmpty()) {
        finishWriting();
    } else {
        writeNextGroup();
    }
}

void RecordsKeeper::finishWriting() {
    state_ = State::Idle;
    const QString warnings = warnings_.join(QLatin1Char('\n'));
    warnings_.clear();
    if (!warnings.isEmpty())
        MsgBox(tr("The file's configuration was written to transmitter %1, with "
                  "warnings:\n\n%2\n\nThe transmitter kept the nearest values it "
                  "allows; it has been read again, so the window shows what it now "
                  "holds.")
                   .arg(read_.serialNumber)
                   .arg(warnings),
               vbOKOnly, tr(kWriteTitle));
    emit writeFinished(true, warnings);
}

void RecordsKeeper::takeSnapshot() {
    const DeviceRecord &d = session_.Dev;
    records::Configuration c;
    c.programName = QStringLiteral("zanu-config");
    c.programVersion = records::programVersion();
    c.manufacturer = d.ManufacturerId;
    c.deviceType = d.DeviceType;
    c.deviceId = d.DeviceId;
    c.serialNumber = d.SerialNumber;
    c.hartRevision = d.HartRevision;
    c.tag = records::trimmedField(d.Tag);
    c.descriptor = records::trimmedField(d.Descriptor);
    c.date = QDate(1900 + d.DateYear, d.DateMonth, d.DateDay);
    c.unit = d.UnitName;
    c.unitCode = Module1::UnitCodeFromName(d.UnitName);
    c.lowerRangeValue = records::tidySingle(d.LowerRangeValue);
    c.upperRangeValue = records::tidySingle(d.UpperRangeValue);
    c.dampingS = records::tidySingle(d.Damping);
    c.outputDirection = d.OutputDirection == 0 ? 0 : 1;
    c.upperSensorLimit = records::tidySingle(d.UpperSensorLimit);
    c.lowerSensorLimit = records::tidySingle(d.LowerSensorLimit);
    c.minimumSpan = records::tidySingle(d.MinimumSpan);
    read_ = c;
    status_ = session_.hart()->DeviceStatus();
    readTime_ = QDateTime::currentDateTime();
    complete_ = true;
    emit readCompleted();
}

bool RecordsKeeper::refuseWithoutRead(const QString &title) {
    if (complete_) return false;
    MsgBox(tr("No complete read of the transmitter is at hand. Press Connect (or "
              "Refresh) and wait until the transmitter's data are shown, then try "
              "again."),
           vbOKOnly, title);
    return true;
}

bool RecordsKeeper::saveConfigurationTo(const QString &path) {
    if (refuseWithoutRead(tr(kSaveTitle))) return false;
    records::Configuration c = read_;
    if (c.unitCode == 0) {
        MsgBox(tr("The transmitter works in a unit this program does not know, so "
                  "its configuration cannot be saved. Choose a unit and send it "
                  "with the range first."),
               vbOKOnly, tr(kSaveTitle));
        return false;
    }
    if (!c.date.isValid()) {
        MsgBox(tr("The date held by the transmitter is not a calendar date, so "
                  "its configuration cannot be saved."),
               vbOKOnly, tr(kSaveTitle));
        return false;
    }
    QDateTime now = QDateTime::currentDateTime();
    now.setOffsetFromUtc(now.offsetFromUtc());
    c.saved = now;
    QString error;
    if (!records::writeFile(path, c, &error)) {
        MsgBox(error + tr("\nChoose another folder or file name."), vbOKOnly, tr(kSaveTitle));
        return false;
    }
    return true;
}

bool RecordsKeeper::compareWithFile(const QString &path) {
    records::Configuration file;
    QString error;
    if (!records::readFile(path, &file, &error)) {
        MsgBox(error, vbOKOnly, tr(kCompareTitle));
        return false;
    }
    if (dialog_) dialog_->close();
    dialog_ = new RecordsCompareDialog(this, file, path, main_.window());
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->show();
    return true;
}

bool RecordsKeeper::writeToTransmitter(const records::Configuration &file) {
    if (isWriting()) return false;
    if (refuseWithoutRead(tr(kWriteTitle))) return false;
    if (read_.manufacturer != records::kZanuManufacturerId ||
        file.manufacturer != records::kZanuManufacturerId) {
        MsgBox(tr("Only Zanu transmitters are written. Nothing was sent."), vbOKOnly,
               tr(kWriteTitle));
        return false;
    }
    const records::Comparison cmp = records::compare(file, read_, QLocale::system());
    if (cmp.groups.isEmpty()) {
        MsgBox(tr("The transmitter already holds this configuration. Nothing was "
                  "sent."),
               vbOKOnly, tr(kWriteTitle));
        return false;
    }
    if (!cmp.sameSerial &&
        MsgBox(tr("This file was saved from the transmitter with serial number %1; "
                  "the one connected has serial number %2.\n\nWrite the file's "
                  "configuration to transmitter %2?")
                   .arg(file.serialNumber)
                   .arg(read_.serialNumber),
               vbOKCancel, tr(kWriteTitle)) != vbOK)
        return false;
    if (MsgBox(tr("These changes will be written to transmitter %1:\n\n%2\n\nWrite "
                  "them?")
                   .arg(read_.serialNumber)
                   .arg(cmp.changesShown.join(QLatin1Char('\n'))),
               vbOKCancel, tr(kWriteTitle)) != vbOK)
        return false;
    writing_ = file;
    pending_ = cmp.groups;
    warnings_.clear();
    cutAt_ = -1;
    state_ = State::Writing;
    writeNextGroup();
    return true;
}

// Each group goes out as its "Send" button would send it, from the window's own fields, so the
// requests are the window's requests byte for byte.
void RecordsKeeper::writeNextGroup() {
    if (pending_.isEmpty()) {
        state_ = State::Rereading;
        session_.Timer5->stop();
        main_.refresh();
        return;
    }
    current_ = pending_.takeFirst();
    fillGroupFields(current_);
    if (current_ == records::Group::None) {
        writeNextGroup();
        return;
    }
    main_.pressSend(current_);
}

void RecordsKeeper::fillGroupFields(records::Group g) {
    main_.fillGroup(writing_, g);
}

// Timer2's tick ends every write chain that the transmitter accepted.
void RecordsKeeper::onWriteStepDone() {
    if (state_ == State::Writing) writeNextGroup();
}

bool RecordsKeeper::writeReportTo(const QString &pdfPath) {
    if (refuseWithoutRead(tr(kReportTitle))) return false;
    QString error;
    if (!WriteCommissioningReport(reportData(), pdfPath, &error)) {
        MsgBox(error, vbOKOnly, tr(kReportTitle));
        return false;
    }
    return true;
}

bool RecordsKeeper::printReport(QPrinter *printer) {
    if (refuseWithoutRead(tr(kReportTitle))) return false;
    PrintCommissioningReport(reportData(), printer);
    return true;
}

ReportData RecordsKeeper::reportData() const {
    ReportData r;
    r.config = read_;
    r.deviceStatus = status_;
    r.readTime = readTime_;
    r.printed = QDateTime::currentDateTime();
    const std::optional<LoopCheckResult> &check = lastLoopCheck_;
    if (check && sameTransmitter(*check, read_)) r.loopCheck = check;
    if (lastTrim_ && lastTrim_->deviceId == read_.deviceId) r.trim = lastTrim_;
    if (historyLines && read_.serialNumber > 0) r.history = historyLines(read_.serialNumber);
    return r;
}

void RecordsKeeper::SaveConfigMenu_Click() {
    if (refuseWithoutRead(tr(kSaveTitle))) return;
    QString path = QFileDialog::getSaveFileName(main_.window(), tr(kSaveTitle),
                                                fileSuggestion(read_, QStringLiteral("json")),
                                                tr("Configuration files (*.json)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".json");
    saveConfigurationTo(path);
}

void RecordsKeeper::CompareMenu_Click() {
    const QString path = QFileDialog::getOpenFileName(main_.window(), tr(kCompareTitle), QString(),
                                                      tr("Configuration files (*.json)"));
    if (!path.isEmpty()) compareWithFile(path);
}

void RecordsKeeper::ReportMenu_Click() {
    if (refuseWithoutRead(tr(kReportTitle))) return;
    QString path = QFileDialog::getSaveFileName(main_.window(), tr(kReportTitle),
                                                fileSuggestion(read_, QStringLiteral("pdf")),
                                                tr("PDF documents (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    writeReportTo(path);
}

void RecordsKeeper::PrintReportMenu_Click() {
    if (refuseWithoutRead(tr(kReportTitle))) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, main_.window());
    dialog.setWindowTitle(tr("Print report"));
    if (dialog.exec() == QDialog::Accepted) printReport(&printer);
}

RecordsCompareDialog *RecordsKeeper::compareDialog() const {
    return dialog_.data();
}
