// The loop check's record: pass and fail at the edges of the tolerance, the verdict, typed
// readings with either decimal mark, and the CSV the report and the engineer get.
#include "loopcheck/loop_check_result.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

LoopCheckPoint measured(double setpoint, double reading) {
    LoopCheckPoint p;
    p.setpointMa = setpoint;
    p.readbackMa = setpoint;
    p.measuredMa = reading;
    return p;
}

} // namespace

class TestLoopCheckResult : public QObject {
    Q_OBJECT
private slots:
    void toleranceEdges_data();
    void toleranceEdges();
    void verdict_data();
    void verdict();
    void typedReadings_data();
    void typedReadings();
    void csv();
    void csvToAFolderThatCannotBeWritten();
};

void TestLoopCheckResult::toleranceEdges_data() {
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<bool>("percent");
    QTest::addColumn<double>("setpoint");
    QTest::addColumn<double>("reading");
    QTest::addColumn<bool>("passes");
    QTest::newRow("0.05 mA, reading at +tolerance") << 0.05 << false << 4.0 << 4.05 << true;
    QTest::newRow("0.05 mA, reading at -tolerance") << 0.05 << false << 20.0 << 19.95 << true;
    QTest::newRow("0.05 mA, 0.1 uA beyond") << 0.05 << false << 4.0 << 4.0501 << false;
    QTest::newRow("0.05 mA, 0.1 uA below") << 0.05 << false << 12.0 << 11.9499 << false;
    QTest::newRow("0.05 mA, exact") << 0.05 << false << 12.5 << 12.5 << true;
    // 0.5 % of the 16 mA span is 0.08 mA.
    QTest::newRow("0.5 % of span, at edge") << 0.5 << true << 12.0 << 12.08 << true;
    QTest::newRow("0.5 % of span, beyond") << 0.5 << true << 12.0 << 12.081 << false;
    QTest::newRow("0.5 % is not 0.5 % of the reading") << 0.5 << true << 20.0 << 19.91 << false;
    QTest::newRow("dead loop reads 0 mA") << 0.05 << false << 4.0 << 0.0 << false;
}

void TestLoopCheckResult::toleranceEdges() {
    QFETCH(double, tolerance);
    QFETCH(bool, percent);
    QFETCH(double, setpoint);
    QFETCH(double, reading);
    QFETCH(bool, passes);
    LoopCheckResult r;
    r.tolerance = tolerance;
    r.tolerancePercent = percent;
    const LoopCheckPoint p = measured(setpoint, reading);
    QCOMPARE(r.passes(p), passes);
    QCOMPARE(r.pointText(p), passes ? QStringLiteral("Pass") : QStringLiteral("Fail"));
}

void TestLoopCheckResult::verdict_data() {
    QTest::addColumn<QList<double>>("readings"); // NaN: skipped
    QTest::addColumn<int>("planned");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("verdict");
    const double skip = qQNaN();
    QTest::newRow("all within") << QList<double>{4.0, 12.01} << 2 << false << "Passed";
    QTest::newRow("one outside") << QList<double>{4.0, 12.2} << 2 << false << "Failed";
    QTest::newRow("one skipped, rest within")
        << QList<double>{skip, 12.0} << 2 << false << "Passed";
    QTest::newRow("all skipped") << QList<double>{skip, skip} << 2 << false << "Incomplete";
    QTest::newRow("cancelled after a good point")
        << QList<double>{4.0} << 2 << true << "Incomplete";
    QTest::newRow("cancelled after a bad point") << QList<double>{4.2} << 2 << true << "Failed";
}

void TestLoopCheckResult::verdict() {
    QFETCH(QList<double>, readings);
    QFETCH(int, planned);
    QFETCH(bool, cancelled);
    QFETCH(QString, verdict);
    LoopCheckResult r;
    r.plannedPoints = planned;
    r.cancelled = cancelled;
    const double setpoints[] = {4.0, 12.0};
    for (int i = 0; i < readings.size(); ++i) {
        LoopCheckPoint p = measured(setpoints[i], readings[i]);
        if (qIsNaN(readings[i])) p.measuredMa.reset(), p.skipped = true;
        r.points.append(p);
    }
    QCOMPARE(LoopCheckResult::verdictText(r.verdict()), verdict);
}

void TestLoopCheckResult::typedReadings_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value"); // NaN: not a reading
    QTest::newRow("point") << "12.003" << 12.003;
    QTest::newRow("comma") << "12,003" << 12.003;
    QTest::newRow("blanks around") << "  4,5 " << 4.5;
    QTest::newRow("negative") << "-0.2" << -0.2;
    QTest::newRow("empty") << "" << qQNaN();
    QTest::newRow("letters") << "abc" << qQNaN();
    QTest::newRow("trailing unit") << "12 mA" << qQNaN();
    QTest::newRow("two decimal marks") << "12,0.3" << qQNaN();
    QTest::newRow("thousands grouping") << "1.000,5" << qQNaN();
    QTest::newRow("infinite") << "1e999" << qQNaN();
}

void TestLoopCheckResult::typedReadings() {
    QFETCH(QString, typed);
    QFETCH(double, value);
    const std::optional<double> got = ParseTypedCurrent(typed);
    if (qIsNaN(value)) {
        QVERIFY2(!got, qPrintable(QString::number(got.value_or(0))));
        return;
    }
    QVERIFY(got);
    QCOMPARE(*got, value);
}

void TestLoopCheckResult::csv() {
    LoopCheckResult r;
    r.tag = QStringLiteral("LT,1\"A");
    r.serialNumber = 1234567;
    r.unit = QStringLiteral("mH2O");
    r.upperRangeValue = 10;
    r.started = QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0), Qt::OffsetFromUTC, 3600);
    r.finished = r.started.addSecs(90);
    r.plannedPoints = 2;
    r.releaseConfirmed = true;
    r.points = {measured(4.0, 4.012), LoopCheckPoint{20.0, 19.998, std::nullopt, true}};
    const QStringList lines = r.toCsv().split(QStringLiteral("\r\n"));
    QVERIFY(lines.contains(QStringLiteral("Tag,\"LT,1\"\"A\"")));
    QVERIFY(lines.contains(QStringLiteral("Started,2026-12-07T09:30:00+01:00")));
    r.finished = QDateTime::currentDateTime(); // a local time, as the check records it
    QVERIFY(r.toCsv().contains(
        QRegularExpression(QStringLiteral("\r\nFinished,[-0-9T:]{19}[+-][0-9]{2}:[0-9]{2}\r\n"))));
    QVERIFY(lines.contains(QStringLiteral("Serial number,1234567")));
    QVERIFY(lines.contains(QStringLiteral("Tolerance,0.0500 mA")));
    QVERIFY(lines.contains(QStringLiteral("Result,Passed")));
    QVERIFY(lines.contains(QStringLiteral("Fixed current released,Yes")));
    const int header = int(lines.indexOf(
        QStringLiteral("Point (mA),Read back (mA),Measured (mA),Deviation (mA),Result")));
    QVERIFY(header > 0);
    QCOMPARE(lines[header - 1], QString());
    QCOMPARE(lines[header + 1], QStringLiteral("4.000,4.000,4.012,0.012,Pass"));
    QCOMPARE(lines[header + 2], QStringLiteral("20.000,19.998,,,Skipped"));

    QTemporaryDir dir;
    QString error;
    const QString path = dir.filePath(QStringLiteral("check.csv"));
    QVERIFY(r.saveCsv(path, &error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), r.toCsv());
}

void TestLoopCheckResult::csvToAFolderThatCannotBeWritten() {
    LoopCheckResult r;
    QString error;
    QVERIFY(!r.saveCsv(QStringLiteral("/nonexistent-folder/check.csv"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestLoopCheckResult)
#include "test_loop_check_result.moc"
