// The comparison of a configuration file with the connected transmitter: one row per field,
// the file beside the transmitter, differences marked in words, pressures in both units.
#pragma once

#include "records/configuration.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QTableWidget;
class RecordsKeeper;

namespace Ui {
class RecordsCompareDialog;
}

class RecordsCompareDialog : public QDialog {
    Q_OBJECT
public:
    RecordsCompareDialog(RecordsKeeper *keeper, const records::Configuration &file,
                         const QString &fileName, QWidget *parent = nullptr);
    ~RecordsCompareDialog() override;

    QLabel *SummaryLabel = nullptr;
    QTableWidget *ComparisonTable = nullptr;
    QLabel *ChangesLabel = nullptr;
    QPushButton *WriteButton = nullptr;
    QPushButton *CloseButton = nullptr;

    const records::Configuration &file() const { return file_; }
    // Fills the table from the keeper's last complete read (or says that none is at hand).
    void refresh();

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::RecordsCompareDialog> ui;
    RecordsKeeper *keeper_;
    records::Configuration file_;
    QString fileName_;
};
