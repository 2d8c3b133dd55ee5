// From the session to the console: a tag written through the window's session on the simulated
// transmitter is in the history zanu-hart prints, with who wrote it, the old and the new tag.
#include "built_program.h"
#include "hart/hart_replies.h"
#include "history/session_recorder.h"
#include "records/from_replies.h"
#include "session/session.h"
#include "sim/sim_device.h"
#include "sim/sim_line.h"

#include <QTemporaryDir>
#include <QtTest>

class TestHistoryE2e : public QObject {
    Q_OBJECT
private slots:
    void tagWrittenInTheWindowIsInZanuHartsHistory();
};

void TestHistoryE2e::tagWrittenInTheWindowIsInZanuHartsHistory() {
    const QString zanuHart = builtProgram(QStringLiteral("zanu-hart"));
    VERIFY_BUILT(zanuHart);
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());

    SimDevice device;
    Session session;
    session.hart()->setLineFactory(
        [&](int) { return std::make_unique<SimLine>(&device, SimLine::Timing::Instant); });
    session.hart()->setCommPort(1);
    history::SessionRecorder recorder(session);
    QString warned;
    connect(&recorder, &history::SessionRecorder::warning, this,
            [&](const QString &w) { warned = w; });

    int done = 0;
    const auto count = [&](const Session::Reply &) { ++done; };
    // The window's read sequence, then its tag write.
    for (int command : {0, 13, 15, 14, 129})
        session.request(qint16(command), {}, count, this);
    session.request(18,
                    hart::encode(hart::TagDescriptorDate{QStringLiteral("TANK7"),
                                                         device.config().descriptor, 7, 12, 126}),
                    count, this);
    QTRY_COMPARE(done, 6);
    QCOMPARE(device.config().tag, QStringLiteral("TANK7"));
    QVERIFY2(warned.isEmpty(), qPrintable(warned));

    // Entries name the transmitter by the serial number it is shown with.
    const qint32 serial = records::SerialWithPrefix(device.serialNumber());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
    const ToolRun run = runTool(
        zanuHart,
        {QStringLiteral("--history"), QStringLiteral("--serial"), QString::number(serial)}, env);
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2); // the read, the write
    QVERIFY2(lines[1].contains(QStringLiteral("  %1  serial %2  tag: LT-101 -> TANK7  done")
                                   .arg(history::loginName())
                                   .arg(serial)),
             qPrintable(run.out));
}

QTEST_GUILESS_MAIN(TestHistoryE2e)
#include "test_history_e2e.moc"
