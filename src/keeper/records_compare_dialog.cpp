#include "keeper/records_compare_dialog.h"

#include "keeper/records_keeper.h"
#include "records/comparison.h"
#include "ui_records_compare_dialog.h"

#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

namespace {

const QColor kDiffersBackground(255, 224, 224);

QString when(const QDateTime &t) {
    return QLocale::system().toString(t.toLocalTime(), QLocale::ShortFormat);
}

} // namespace

RecordsCompareDialog::RecordsCompareDialog(RecordsKeeper *keeper,
                                           const records::Configuration &file,
                                           const QString &fileName, QWidget *parent)
    : QDialog(parent), ui(new Ui::RecordsCompareDialog), keeper_(keeper), file_(file),
      fileName_(QFileInfo(fileName).fileName()) {
    ui->setupUi(this);
    SummaryLabel = ui->SummaryLabel;
    ComparisonTable = ui->ComparisonTable;
    ChangesLabel = ui->ChangesLabel;
    WriteButton = ui->WriteButton;
    CloseButton = ui->CloseButton;
    ComparisonTable->verticalHeader()->hide();
    ComparisonTable->verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 4);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(WriteButton, &QPushButton::clicked, this, [this] {
        keeper_->writeToTransmitter(file_);
        refresh();
    });
    connect(keeper_, &RecordsKeeper::readCompleted, this, &RecordsCompareDialog::refresh);
    connect(keeper_, &RecordsKeeper::writeFinished, this, &RecordsCompareDialog::refresh);
    refresh();
}

RecordsCompareDialog::~RecordsCompareDialog() = default;

void RecordsCompareDialog::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    ui->retranslateUi(this);
    refresh();
}

void RecordsCompareDialog::refresh() {
    setWindowTitle(tr("Compare with file - %1").arg(fileName_));
    const bool haveRead = keeper_->hasCompleteRead();
    const records::Configuration &device = keeper_->lastRead();
    QString summary =
        tr("File %1, saved %2 by %3 %4 from transmitter serial "
           "number %5.")
            .arg(fileName_, when(file_.saved), file_.programName, file_.programVersion)
            .arg(file_.serialNumber);
    if (!haveRead) {
        SummaryLabel->setText(summary + tr("\nThe transmitter is being read; the "
                                           "comparison follows when it is done."));
        ChangesLabel->setText(keeper_->isWriting() ? tr("Writing to the "
                                                        "transmitter…")
                                                   : QString());
        WriteButton->setEnabled(false);
        return;
    }
    summary += tr("\nTransmitter serial number %1, tag %2, read %3.")
                   .arg(device.serialNumber)
                   .arg(device.tag, when(keeper_->lastReadTime()));
    const records::Comparison cmp = records::compare(file_, device, QLocale::system());
    if (!cmp.sameSerial)
        summary += tr("\nThis file comes from another transmitter (serial number "
                      "%1).")
                       .arg(file_.serialNumber);
    SummaryLabel->setText(summary);

    // Pressures in both units when the units differ: the file's unit first, as the file says.
    const bool twoUnits = !cmp.sameUnit;
    QStringList headers{tr("Field"), tr("File (%1)").arg(file_.unit),
                        twoUnits ? tr("Transmitter in %1").arg(file_.unit)
                                 : tr("Transmitter (%1)").arg(device.unit)};
    if (twoUnits)
        headers << tr("File in %1").arg(device.unit) << tr("Transmitter (%1)").arg(device.unit);
    headers << tr("Difference");
    ComparisonTable->clear();
    ComparisonTable->setColumnCount(int(headers.size()));
    ComparisonTable->setHorizontalHeaderLabels(headers);
    ComparisonTable->setRowCount(int(cmp.rows.size()));
    for (int i = 0; i < cmp.rows.size(); ++i) {
        const records::FieldRow &r = cmp.rows[i];
        QStringList cells{r.label, r.file, r.pressure && twoUnits ? r.deviceInFileUnit : r.device};
        if (twoUnits) {
            if (r.pressure)
                cells << r.fileInDeviceUnit << r.device;
            else
                cells << QString() << QString();
        }
        // Short words in the table; which write carries the field is in the tooltip.
        QString status, detail;
        if (r.differs) {
            status = r.group == records::Group::None ? tr("differs (fixed)") : tr("differs");
            detail = r.group == records::Group::None
                         ? tr("Fixed by the transmitter's build; not written.")
                         : tr("Written with the %1.").arg(records::groupText(r.group));
        }
        cells << status;
        for (int col = 0; col < cells.size(); ++col) {
            auto *item = new QTableWidgetItem(cells[col]);
            if (!detail.isEmpty()) item->setToolTip(detail);
            if (r.differs) {
                item->setBackground(kDiffersBackground);
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            ComparisonTable->setItem(i, col, item);
        }
    }
    ComparisonTable->resizeColumnsToContents();
    ComparisonTable->resizeRowsToContents();
    ComparisonTable->horizontalHeader()->setStretchLastSection(true);

    const bool foreign = device.manufacturer != records::kZanuManufacturerId ||
                         file_.manufacturer != records::kZanuManufacturerId;
    if (keeper_->isWriting())
        ChangesLabel->setText(tr("Writing to the transmitter…"));
    else if (foreign)
        ChangesLabel->setText(tr("Only Zanu transmitters are written."));
    else if (cmp.changes.isEmpty())
        ChangesLabel->setText(tr("The transmitter holds the file's configuration."));
    else
        ChangesLabel->setText(tr("Writing will change:\n") +
                              cmp.changesShown.join(QLatin1Char('\n')));
    WriteButton->setEnabled(!keeper_->isWriting() && !foreign && !cmp.groups.isEmpty());
}
