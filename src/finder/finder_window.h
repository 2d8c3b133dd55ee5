// "Find transmitter": scans the serial ports for HART transmitters and lists who answers where;
// "Use this port" hands a listed transmitter of ours back to the main window.
#pragma once

#include "hart/hart_scanner.h"
#include "hart/hartx.h"

#include <QDialog>

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

private:
    void onFound(const ScanFind &f);
    void onTagRead(const ScanFind &f);
    void onFinished(bool cancelled);
    void updateUseButton();

    QList<ScanTarget> targets_;
    HartScanner *scanner_ = nullptr;
    QList<ScanFind> finds_;
    QStringList problems_;
    std::optional<ScanFind> chosen_;
};
