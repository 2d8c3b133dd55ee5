// The history's costs: what recording adds to each transaction on the thread that runs it, what
// 100 000 entries take on disk, and how long the History window takes to open on them.
#include "bench_history.h"

#include "bench_util.h"
#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "history/history_window.h"
#include "history/recorder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <vector>

namespace {

// The replies of one read sequence of a transmitter as the simulator describes it.
QList<QPair<int, QByteArray>> readSequence(int round) {
    hart::Identity id;
    id.marker = hart::kCommand0Marker;
    id.manufacturerId = hart::kZanuManufacturerId;
    id.deviceType = 90;
    id.universalRevision = 5;
    id.deviceId = 0x0b7c2d;
    hart::TagDescriptorDate tag{QStringLiteral("LT-%1").arg(round % 1000), QStringLiteral("WELL"),
                                7, 12, 126};
    hart::OutputInfo output;
    output.rangeUnit = 240;
    output.upperRange = 10;
    output.damping = 0.4f;
    output.privateLabel = hart::kZanuManufacturerId;
    hart::SensorInfo sensor{1801234, 240, 100, 0, 1};
    return {{hart::cmd::ReadUniqueIdentifier, hart::encode(id)},
            {hart::cmd::ReadTagDescriptorDate, hart::encode(tag)},
            {hart::cmd::ReadOutputInfo, hart::encode(output)},
            {hart::cmd::ReadSensorInfo, hart::encode(sensor)},
            {hart::cmd::ReadOutputDirection, hart::encode(hart::OutputDirection{})}};
}

} // namespace

int benchHistory(int count) {
    QTemporaryDir dir;
    if (!dir.isValid()) bench::fail(QStringLiteral("no temporary folder"));
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));
    std::vector<double> perWriteUs;
    qint64 entries = 0;
    {
        history::Recorder recorder(QStringLiteral("zanu-bench"), path);
        if (!recorder.store().isOpen()) bench::fail(recorder.openNotice());
        recorder.setPort(QStringLiteral("COM 1 (/dev/ttyS0)"));
        // A read now and then, with its whole configuration; otherwise writes, each a sent
        // entry and its completion, as a commissioning day has them.
        for (int round = 0; entries < count; ++round) {
            if (round % 25 == 0) {
                for (const auto &[command, reply] : readSequence(round)) {
                    recorder.transactionStarted(command, {});
                    recorder.transactionEnded(command, true, 0, 0, reply);
                }
                ++entries;
                continue;
            }
            const QByteArray request = hart::encodeSingle(float(round % 60) / 2);
            QElapsedTimer t;
            t.start();
            recorder.transactionStarted(hart::cmd::WriteDamping, request);
            recorder.transactionEnded(hart::cmd::WriteDamping, true, 0, 0, request);
            perWriteUs.push_back(double(t.nsecsElapsed()) / 1000.0);
            entries += 2;
        }
    }
    bench::report(QStringLiteral("history.entries"), QString::number(entries));
    bench::report(QStringLiteral("history.write_us.median"), bench::median(perWriteUs), 1);
    bench::report(QStringLiteral("history.write_us.p95"), bench::percentile(perWriteUs, 95), 1);
    bench::report(QStringLiteral("history.write_us.max"), bench::percentile(perWriteUs, 100), 1);
    // The last program to close the file folds the journal back in: this is the file as it stays.
    qint64 bytes = QFileInfo(path).size();
    for (const char *extra : {"-wal", "-shm"})
        bytes += QFileInfo(path + QLatin1String(extra)).size();
    bench::report(QStringLiteral("history.disk_mb"), double(bytes) / (1024.0 * 1024.0), 1);

    std::vector<double> openMs;
    int shown = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer t;
        t.start();
        auto *w = new history::HistoryWindow(nullptr, path);
        w->show();
        QCoreApplication::processEvents();
        openMs.push_back(double(t.nsecsElapsed()) / 1e6);
        shown = int(w->rows().size());
        delete w;
    }
    bench::report(QStringLiteral("history.window_rows"), QString::number(shown));
    bench::report(QStringLiteral("history.window_open_ms.median"), bench::median(openMs), 1);
    bench::report(QStringLiteral("history.window_open_ms.max"), bench::percentile(openMs, 100), 1);
    return 0;
}
