// "Find transmitter": scans the serial ports for HART transmitters and lists who answers where;
// "Use this port" hands a listed transmitter of ours back to the main window.
#pragma once

#include "hart/hart_scanner.h"
#include "hart/hartx.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

class FinderWindow : public QDialog {
    Q_OBJECT
public:
    FinderWindow(const QList<ScanTarget> &targets, const HartScanner::LineFactory &lines,
                 const LinkTiming &timing, QWidget *parent = nullptr);
    ~FinderWindow() override;

    QLabel *Trying = nullptr;
    QProgressBar *Progress = nullptr;
    QTreeWidget *Found = nullptr;
    QLabel *Notes = nullptr;
    QPushButton *UseButton = nullptr, *ScanAgain = nullptr, *CancelButton = nullptr;

    HartScanner *scanner() const { return scanner_; }
    const QList<ScanFind> &finds() const { return finds_; }
    // The transmitter "Use this port" was pressed for.
    std::optional<ScanFind> chosen() const { return chosen_; }

    void startScan();
    // "Use this port" on the listed transmitter at `row`.
    void useRow(int row);

    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    // The scan's line, kept as how to say it, so that a change of language says it again.
    void showTrying(std::function<QString()> text);
    void onFound(const ScanFind &f);
    void onTagRead(const ScanFind &f);
    void onFinished(bool cancelled);
    void updateUseButton();

    QList<ScanTarget> targets_;
    HartScanner *scanner_ = nullptr;
    QList<ScanFind> finds_;
    QStringList problems_;
    std::function<QString()> trying_;
    bool closes_ = false; // the scan is over: the button closes the window
    std::optional<ScanFind> chosen_;
};
