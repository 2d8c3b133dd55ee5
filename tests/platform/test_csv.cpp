// The CSV both exports are written with, as a spreadsheet reads it back.
#include "platform/csv.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestCsv : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void times_data();
    void times();
    void saveLeavesAFolderInTheWay();
};

void TestCsv::lines_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << QStringList{"Tag", "LT-1"} << "Tag,LT-1\r\n";
    QTest::newRow("empty fields") << QStringList{"20.000", "", "", "Skipped"}
                                  << "20.000,,,Skipped\r\n";
    QTest::newRow("comma") << QStringList{"Tag", "LT,1"} << "Tag,\"LT,1\"\r\n";
    QTest::newRow("quote doubled") << QStringList{"LT\"A"} << "\"LT\"\"A\"\r\n";
    QTest::newRow("line feed") << QStringList{"a\nb", "c"} << "\"a\nb\",c\r\n";
    QTest::newRow("carriage return") << QStringList{"a\rb"} << "\"a\rb\"\r\n";
    QTest::newRow("blanks kept unquoted") << QStringList{" 4 mA "} << " 4 mA \r\n";
}

void TestCsv::lines() {
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    QCOMPARE(csv::line(fields), line);
}

void TestCsv::times_data() {
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<bool>("milliseconds");
    QTest::addColumn<QString>("text");
    const QDate day(2026, 12, 7);
    const QTime at(9, 30, 5, 42);
    QTest::newRow("east") << QDateTime(day, at, Qt::OffsetFromUTC, 3600) << false
                          << "2026-12-07T09:30:05+01:00";
    QTest::newRow("west, half hour") << QDateTime(day, at, Qt::OffsetFromUTC, -(3 * 3600 + 1800))
                                     << false << "2026-12-07T09:30:05-03:30";
    QTest::newRow("UTC written as an offset")
        << QDateTime(day, at, Qt::UTC) << true << "2026-12-07T09:30:05.042+00:00";
    QTest::newRow("invalid") << QDateTime() << false << "";
}

void TestCsv::times() {
    QFETCH(QDateTime, time);
    QFETCH(bool, milliseconds);
    QFETCH(QString, text);
    QCOMPARE(
        csv::isoTime(time, milliseconds ? csv::Precision::Milliseconds : csv::Precision::Seconds),
        text);
}

// Renaming the file into place would replace whatever has the name.
void TestCsv::saveLeavesAFolderInTheWay() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trend.csv"));
    QVERIFY(QDir().mkdir(path));
    QString error;
    QVERIFY(!csv::save(path, QStringLiteral("a,b\r\n"), &error));
    QCOMPARE(error, QStringLiteral("a folder of that name is in the way — remove or rename it."));
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_GUILESS_MAIN(TestCsv)
#include "test_csv.moc"
