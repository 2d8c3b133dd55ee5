// The window's records: the configuration as last read in full from the transmitter, and what
// is done with it from the "&File" menu: saved to a file, compared with a file and written back
// from one, and printed as a commissioning report.
//
// Writing goes through the window's own chains (the "Send" buttons' paths), one group after the
// other, and ends with a full read, so the transmitter is written exactly as an engineer would
// write it by hand and the comparison afterwards shows what it really holds.
#pragma once

#include "keeper/records_report.h"
#include "records/comparison.h"
#include "records/configuration.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class MainWindowPort;
class Session;
class QAction;
class QPrinter;
class RecordsCompareDialog;

class RecordsKeeper : public QObject {
    Q_OBJECT
public:
    // Adds the menu entries to the window's "&File" menu (before "E&xit") and follows the
    // results of the window's chains. Make it after the window has connected its own handlers.
    RecordsKeeper(Session &session, MainWindowPort &mainWindow);
    // The last loop check and the last output trim of this run, for the report.
    void noteLoopCheck(const LoopCheckResult &result) { lastLoopCheck_ = result; }
    void noteTrim(const TrimResult &result) { lastTrim_ = result; }
    const std::optional<LoopCheckResult> &lastLoopCheck() const { return lastLoopCheck_; }
    const std::optional<TrimResult> &lastTrim() const { return lastTrim_; }
    // The transmitter's history for the report, by serial number; unset, the report has none.
    std::function<QStringList(qint64 serial)> historyLines;
    ~RecordsKeeper() override;

    QAction *SaveConfigMenu = nullptr;  // "&Save configuration…"
    QAction *CompareMenu = nullptr;     // "Com&pare with file…"
    QAction *ReportMenu = nullptr;      // "&Report…"
    QAction *PrintReportMenu = nullptr; // "Prin&t report…"

    // True from the end of a complete read until anything is read or written again.
    bool hasCompleteRead() const { return complete_; }
    // The configuration as last read in full (valid while hasCompleteRead()).
    const records::Configuration &lastRead() const { return read_; }
    quint8 lastDeviceStatus() const { return status_; }
    QDateTime lastReadTime() const { return readTime_; }

    // The menu entries' work once a file is chosen; each explains a refusal in a message box.
    bool saveConfigurationTo(const QString &path);
    // Reads the file and shows the comparison; false (with a message) for a bad file.
    bool compareWithFile(const QString &path);
    bool writeReportTo(const QString &pdfPath);
    bool printReport(QPrinter *printer);

    // Asks (another serial number; the list of changes) and starts writing the groups that
    // differ. False when refused or declined; then nothing is sent.
    bool writeToTransmitter(const records::Configuration &file);
    bool isWriting() const { return state_ != State::Idle; }

    RecordsCompareDialog *compareDialog() const;
    // What the report shows, from the last complete read.
    ReportData reportData() const;

    void SaveConfigMenu_Click();
    void CompareMenu_Click();
    void ReportMenu_Click();
    void PrintReportMenu_Click();

signals:
    void readCompleted();
    // A write from a file has ended: after the read that followed it (ok; `reason` lists the
    // transmitter's warnings, one "warning: <group>: <message>" a line, empty when none), or when
    // a step was refused or went unanswered (not ok, with the reason; the window's own messages
    // have been shown and its read sequence runs as after any failure).
    void writeFinished(bool ok, const QString &reason);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void nameEntries();
    // AfterWarning: a step was written with a warning and the window reads the transmitter again
    // before the rest goes out.
    enum class State { Idle, Writing, AfterWarning, Rereading };

    void onResult(qint16 iAction, qint16 iCommand, qint16 iResult);
    void onWriteStepDone();
    void writeNextGroup();
    void fillGroupFields(records::Group g);
    void resumeAfterWarning();
    void finishWriting();
    void takeSnapshot();
    bool refuseWithoutRead(const QString &title);

    Session &session_;
    MainWindowPort &main_;
    std::optional<LoopCheckResult> lastLoopCheck_;
    std::optional<TrimResult> lastTrim_;
    records::Configuration read_;
    quint8 status_ = 0;
    QDateTime readTime_;
    bool complete_ = false;

    State state_ = State::Idle;
    records::Configuration writing_;
    QList<records::Group> pending_;
    records::Group current_ = records::Group::None;
    int cutAt_ = -1; // the command whose warning cut the window's chain short
    QStringList warnings_;
    QPointer<RecordsCompareDialog> dialog_;
};
