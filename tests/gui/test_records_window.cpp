// Configuration files and the report on the window, against the simulated transmitter: saving
// what was read, comparing, writing back only the groups that differ through the window's own
// chains (checked in the transmitter's trace), the questions asked first, and the report's text.
#include "chain_helper.h"

#include "keeper/records_compare_dialog.h"
#include "keeper/records_keeper.h"
#include "keeper/records_report.h"
#include "records/comparison.h"

#include "units/module1.h"

#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QtTest>
#include <sys/stat.h>

namespace {

// The commands that change the transmitter, in the order they reached it.
QList<int> writesSeen(const GuiFixture &f) {
    static const QList<int> writes{18, 34, 35, 36, 37, 44, 150, 152};
    QList<int> out;
    for (int c : f.commandsSeen())
        if (writes.contains(c)) out << c;
    return out;
}

struct Ready {
    GuiFixture fx;
    RecordsKeeper *keeper = nullptr;
    QTemporaryDir files;
    bool ok = false;
    Ready() {
        ok = chain::settle(fx);
        keeper = fx.form->Records;
        // Each write chain ends on Timer2's tick; the tests need not sit through 1.5 s of it.
        fx.form->Timer2->setInterval(5);
    }
    QString save(records::Configuration c, const QString &name = "f.json") {
        const QString path = files.filePath(name);
        c.saved = QDateTime::currentDateTime().toOffsetFromUtc(3600);
        QString error;
        if (!records::writeFile(path, c, &error)) qWarning() << error;
        return path;
    }
    bool writeAndWait(const records::Configuration &c, bool *finishedOk = nullptr) {
        bool done = false;
        auto conn =
            QObject::connect(keeper, &RecordsKeeper::writeFinished, [&](bool ok, const QString &) {
                done = true;
                if (finishedOk) *finishedOk = ok;
            });
        const bool started = keeper->writeToTransmitter(c);
        const bool ended = started && spinUntil([&] { return done; }, 10000);
        QObject::disconnect(conn);
        return ended && spinIdle(fx);
    }
};

} // namespace

class TestRecordsWindow : public QObject {
    Q_OBJECT
private slots:
    void menuEntries();
    void saveRefusedBeforeACompleteRead();
    void saveWritesWhatWasRead();
    void writeBackOnlyChangedGroups_data();
    void writeBackOnlyChangedGroups();
    void warningGoesOnRefusalStops_data();
    void warningGoesOnRefusalStops();
    void otherSerialAsksFirst_data();
    void otherSerialAsksFirst();
    void otherMakerNeverWritten();
    void compareDialogMarksDifferences();
    void badFileChangesNothing();
    void onlyRegularFiles_data();
    void onlyRegularFiles();
    void reportRenders();
    void reportShowsThisTransmittersLoopCheck_data();
    void reportShowsThisTransmittersLoopCheck();
    void comparisonPicture();
};

// No two entries of "&File" share a mnemonic (their names and places are the layout test's).
void TestRecordsWindow::menuEntries() {
    GuiFixture fx;
    QStringList keys;
    for (QAction *a : fx.form->bestand->actions()) {
        if (a->isSeparator()) continue;
        const int amp = int(a->text().indexOf(QLatin1Char('&')));
        QVERIFY2(amp >= 0, qPrintable(a->text()));
        keys << a->text().mid(amp + 1, 1).toLower();
    }
    QCOMPARE(keys.size(), 7);
    keys.removeDuplicates();
    QCOMPARE(keys.size(), 7);
}

void TestRecordsWindow::saveRefusedBeforeACompleteRead() {
    GuiFixture fx;
    QTemporaryDir dir;
    const QString path = dir.filePath("f.json");
    QVERIFY(!fx.form->Records->saveConfigurationTo(path));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(fx.boxes().size(), 1);
    QVERIFY(fx.boxes()[0].prompt.startsWith("No complete read of the transmitter"));
    // A read that starts again and fails leaves no complete read behind either.
    QVERIFY(chain::settle(fx));
    QVERIFY(fx.form->Records->hasCompleteRead());
    fx.device.setSilent(-1);
    fx.form->Command2_Click();
    QVERIFY(spinIdle(fx));
    QVERIFY(!fx.form->Records->hasCompleteRead());
    QVERIFY(!fx.form->Records->saveConfigurationTo(path));
    QVERIFY(!QFile::exists(path));
}

// What was read, not what is on screen: a unit chosen and a zero typed but not sent stay out.
void TestRecordsWindow::saveWritesWhatWasRead() {
    Ready r;
    QVERIFY(r.ok);
    r.fx.form->SetCombo1ListIndex(Module1::UnitIndexFromName("Bar"));
    r.fx.form->Text4->setText("3");
    const QString path = r.files.filePath("lt101.json");
    QVERIFY(r.keeper->saveConfigurationTo(path));
    records::Configuration c;
    QString error;
    QVERIFY2(records::readFile(path, &c, &error), qPrintable(error));
    QCOMPARE(c.unit, QString("mH2O"));
    QCOMPARE(c.unitCode, 240);
    QCOMPARE(c.lowerRangeValue, 0.0);
    QCOMPARE(c.upperRangeValue, 10.0);
    QCOMPARE(c.dampingS, 0.4);
    QCOMPARE(c.tag, QString("LT-101"));
    QCOMPARE(c.descriptor, QString("WELL 3 LEVEL"));
    QCOMPARE(c.date, QDate(2026, 12, 7));
    QCOMPARE(c.serialNumber, qint64(6801234));
    QCOMPARE(c.deviceIdText(), QString("0b7c2d"));
    QCOMPARE(c.deviceType, 0x5A);
    QCOMPARE(c.hartRevision, 5);
    QCOMPARE(c.manufacturer, 117);
    QCOMPARE(c.upperSensorLimit, 20.0);
    QCOMPARE(c.minimumSpan, 0.5);
    QCOMPARE(c.programName, QString("zanu-config"));
    QVERIFY(c.saved.secsTo(QDateTime::currentDateTime()) < 60);
}

void TestRecordsWindow::writeBackOnlyChangedGroups_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("damping");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QList<int>>("writes");
    QTest::newRow("nothing differs")
        << "mH2O" << 0.0 << 10.0 << 0.4 << 0 << "LT-101" << QList<int>{};
    QTest::newRow("damping") << "mH2O" << 0.0 << 10.0 << 2.5 << 0 << "LT-101"
                             << QList<int>{34, 152};
    QTest::newRow("direction") << "mH2O" << 0.0 << 10.0 << 0.4 << 1 << "LT-101"
                               << QList<int>{34, 152};
    QTest::newRow("tag") << "mH2O" << 0.0 << 10.0 << 0.4 << 0 << "LT-202" << QList<int>{18};
    QTest::newRow("range") << "mH2O" << 0.5 << 8.25 << 0.4 << 0 << "LT-101" << QList<int>{44, 35};
    QTest::newRow("unit and range")
        << "kPa" << 0.0 << 50.0 << 0.4 << 0 << "LT-101" << QList<int>{44, 35};
    QTest::newRow("all three") << "mH2O" << 1.0 << 9.0 << 1.0 << 1 << "PT-9"
                               << QList<int>{44, 35, 34, 152, 18};
}

void TestRecordsWindow::writeBackOnlyChangedGroups() {
    QFETCH(QString, unit);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, damping);
    QFETCH(int, direction);
    QFETCH(QString, tag);
    QFETCH(QList<int>, writes);
    Ready r;
    QVERIFY(r.ok);
    records::Configuration file = r.keeper->lastRead();
    file.unit = unit;
    file.unitCode = Module1::UnitCodeFromName(unit);
    file.lowerRangeValue = lower;
    file.upperRangeValue = upper;
    file.dampingS = damping;
    file.outputDirection = direction;
    file.tag = tag;
    if (writes.isEmpty()) {
        QVERIFY(!r.keeper->writeToTransmitter(file));
        QVERIFY(r.fx.boxes().last().prompt.startsWith("The transmitter already holds"));
        spinFor(20);
        QCOMPARE(writesSeen(r.fx), QList<int>{});
        return;
    }
    bool ok = false;
    QVERIFY(r.writeAndWait(file, &ok));
    QVERIFY(ok);
    QCOMPARE(writesSeen(r.fx), writes);
    // The list of changes was shown before anything went out.
    QCOMPARE(r.fx.boxes().size(), 1);
    QVERIFY(r.fx.boxes()[0].prompt.startsWith("These changes will be written"));
    // Read again in full after the writes, and the transmitter now holds the file.
    const QList<int> seen = r.fx.commandsSeen();
    QVERIFY(seen.lastIndexOf(129) > seen.lastIndexOf(writes.last()));
    QVERIFY(r.keeper->hasCompleteRead());
    QCOMPARE(records::writableDifferences(file, r.keeper->lastRead()), QStringList{});
    QCOMPARE(r.fx.device.config().unitCode, quint8(file.unitCode));
}

void TestRecordsWindow::warningGoesOnRefusalStops_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("writes");
    QTest::addColumn<QString>("lastBox");
    QTest::newRow("range refused")
        << 35 << 9 << false << QList<int>{44, 35} << "Lowerrange too high";
    QTest::newRow("range warning, damping follows")
        << 35 << 14 << true << QList<int>{44, 35, 34, 152}
        << "warning: unit and range: Span too Small";
    QTest::newRow("damping warning, direction follows")
        << 34 << 8 << true << QList<int>{44, 35, 34, 152}
        << "warning: damping and output direction: Set to Nearest Value";
}

// A warning's value was written: the rest follows the window's read; a refusal ends the write.
void TestRecordsWindow::warningGoesOnRefusalStops() {
    QFETCH(int, command);
    QFETCH(int, code);
    QFETCH(bool, ok);
    QFETCH(QList<int>, writes);
    QFETCH(QString, lastBox);
    Ready r;
    QVERIFY(r.ok);
    records::Configuration file = r.keeper->lastRead();
    file.lowerRangeValue = 2;
    file.dampingS = 3;
    r.fx.device.setForcedResponse(command, code);
    bool finishedOk = !ok;
    QVERIFY(r.writeAndWait(file, &finishedOk));
    QCOMPARE(finishedOk, ok);
    QVERIFY(spinUntil([&] { return r.keeper->hasCompleteRead(); })); // read back
    spinFor(50);
    QCOMPARE(writesSeen(r.fx), writes);
    QVERIFY2(r.fx.boxes().last().prompt.contains(lastBox), qPrintable(r.fx.boxes().last().prompt));
}

void TestRecordsWindow::otherSerialAsksFirst_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("writes");
    QTest::newRow("declined") << int(vbCancel) << QList<int>{};
    QTest::newRow("accepted") << int(vbOK) << QList<int>{34, 152};
}

void TestRecordsWindow::otherSerialAsksFirst() {
    QFETCH(int, answer);
    QFETCH(QList<int>, writes);
    Ready r;
    QVERIFY(r.ok);
    records::Configuration file = r.keeper->lastRead();
    file.serialNumber = 6801299;
    file.dampingS = 5;
    r.fx.answers = {answer, vbOK};
    if (writes.isEmpty()) {
        QVERIFY(!r.keeper->writeToTransmitter(file));
        spinFor(20);
    } else {
        QVERIFY(r.writeAndWait(file));
    }
    QVERIFY(r.fx.boxes()[0].prompt.contains("serial number 6801299"));
    QCOMPARE(r.fx.boxes()[0].buttons, int(vbOKCancel));
    QCOMPARE(writesSeen(r.fx), writes);
}

void TestRecordsWindow::otherMakerNeverWritten() {
    Ready r;
    QVERIFY(r.ok);
    records::Configuration file = r.keeper->lastRead();
    file.manufacturer = 38;
    file.dampingS = 5;
    QVERIFY(!r.keeper->writeToTransmitter(file));
    spinFor(20);
    QCOMPARE(writesSeen(r.fx), QList<int>{});
    QVERIFY(r.fx.boxes().last().prompt.startsWith("Only Zanu transmitters are written"));
}

// Every field is a row; in two units the pressures show in both; the write button writes and the
// table is rebuilt from the read that follows.
void TestRecordsWindow::compareDialogMarksDifferences() {
    Ready r;
    QVERIFY(r.ok);
    records::Configuration file = r.keeper->lastRead();
    file.unit = "Bar";
    file.unitCode = 7;
    file.upperRangeValue = 0.5;
    file.upperSensorLimit = records::tidySingle(Module1::ConvertPressure(20, "mH2O", "Bar"));
    file.minimumSpan = records::tidySingle(Module1::ConvertPressure(0.5, "mH2O", "Bar"));
    QVERIFY(r.keeper->compareWithFile(r.save(file)));
    RecordsCompareDialog *d = r.keeper->compareDialog();
    QVERIFY(d);
    QTableWidget *t = d->ComparisonTable;
    QCOMPARE(t->rowCount(), 16);
    QCOMPARE(t->columnCount(), 6);
    QCOMPARE(t->horizontalHeaderItem(2)->text(), QString("Transmitter in Bar"));
    QCOMPARE(t->horizontalHeaderItem(4)->text(), QString("Transmitter (mH2O)"));
    QStringList marked;
    for (int i = 0; i < t->rowCount(); ++i)
        if (!t->item(i, 5)->text().isEmpty()) marked << t->item(i, 0)->text();
    QCOMPARE(marked, (QStringList{"Unit", "Upper range value (20 mA)"}));
    const int upper = 10;
    QCOMPARE(t->item(upper, 1)->text(), local("0.5 Bar"));
    QCOMPARE(t->item(upper, 4)->text(), local("10 mH2O"));
    QVERIFY(d->ChangesLabel->text().contains("Unit: mH2O -> Bar")); // by caption, not key
    QVERIFY(d->WriteButton->isEnabled());

    bool done = false;
    connect(r.keeper, &RecordsKeeper::writeFinished, this, [&] { done = true; });
    d->WriteButton->click();
    QVERIFY(spinUntil([&] { return done; }, 10000));
    QCOMPARE(writesSeen(r.fx), (QList<int>{44, 35}));
    QCOMPARE(t->columnCount(), 4); // one unit now
    // What was written now matches; the sensor limits the transmitter converts with its own
    // factors may still be marked, as fixed fields.
    for (int i = 0; i < t->rowCount(); ++i) {
        const QString status = t->item(i, 3)->text();
        QVERIFY2(status.isEmpty() || status == "differs (fixed)",
                 qPrintable(t->item(i, 0)->text()));
    }
    QVERIFY(!d->WriteButton->isEnabled());
    d->close();
}

void TestRecordsWindow::badFileChangesNothing() {
    Ready r;
    QVERIFY(r.ok);
    const QString path = r.save(r.keeper->lastRead(), "broken.json");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const QByteArray bad = f.readAll().replace("\"mH2O\"", "\"furlong\"");
    f.resize(0);
    f.write(bad);
    f.close();
    QVERIFY(!r.keeper->compareWithFile(path));
    QVERIFY(!r.keeper->compareDialog());
    QCOMPARE(r.fx.boxes().size(), 1);
    QVERIFY(r.fx.boxes()[0].prompt.startsWith(
        "broken.json: \"configuration.unit\" is \"furlong\", not a unit this program knows"));
    spinFor(20);
    QCOMPARE(writesSeen(r.fx), QList<int>{});
}

void TestRecordsWindow::onlyRegularFiles_data() {
    QTest::addColumn<QStringList>("actionTargetKind"); // target: "fifo" or a path
    QTest::newRow("compare with a FIFO") << QStringList{"compare", "fifo", "pipe"};
    QTest::newRow("report onto a device") << QStringList{"report", "/dev/null", "device"};
}

void TestRecordsWindow::onlyRegularFiles() {
    QFETCH(QStringList, actionTargetKind);
    const QString action = actionTargetKind[0], target = actionTargetKind[1];
    Ready r;
    QVERIFY(r.ok);
    const QString path = target == "fifo" ? r.files.filePath("pipe.json") : target;
    if (target == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QVERIFY(
        !(action == "compare" ? r.keeper->compareWithFile(path) : r.keeper->writeReportTo(path)));
    const QString prompt = r.fx.boxes().value(0).prompt;
    QVERIFY2(prompt.contains(QFileInfo(path).fileName()) && prompt.contains(actionTargetKind[2]),
             qPrintable(prompt));
    QCOMPARE(QFileInfo(path).isFile(), false); // left as it was
}

void TestRecordsWindow::reportRenders() {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    Ready r;
    QVERIFY(r.ok);
    const QString pdf = r.files.filePath("report.pdf");
    QVERIFY(r.keeper->writeReportTo(pdf));
    QProcess p;
    p.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(p.waitForFinished(20000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString &expected :
         {QString("Commissioning report"), QString("Serial number"), QString("6801234"),
          QString("LT-101"), QString("WELL 3 LEVEL"), QString("0b7c2d"),
          QString("Lower range value (4 mA)"), local("10 mH2O"), QString("4-20 mA"),
          QString("Minimum span"), QString("Device status"), QString("1.0.3"),
          QString("Checked by:"), QString("Signature:")})
        QVERIFY2(text.contains(expected), qPrintable(expected + " not in:\n" + text));
}

void TestRecordsWindow::reportShowsThisTransmittersLoopCheck_data() {
    QTest::addColumn<int>("serial"); // of the loop check; 0: none made
    QTest::newRow("this transmitter's") << 6801234;
    QTest::newRow("none made") << 0;
    QTest::newRow("another transmitter's") << 6801235;
}

void TestRecordsWindow::reportShowsThisTransmittersLoopCheck() {
    QFETCH(int, serial);
    const bool shown = serial == 6801234;
    Ready r;
    QVERIFY(r.ok);
    LoopCheckResult check;
    check.serialNumber = serial;
    check.tag = "LT-101";
    check.started = check.finished = QDateTime(QDate(2026, 3, 2), QTime(9, 15));
    check.plannedPoints = 3;
    check.points = {{4, 4.0, 4.01, false}, {12, 12.0, {}, true}, {20, 20.0, 19.9, false}};
    check.releaseConfirmed = true;
    if (serial) r.fx.form->Records->noteLoopCheck(check);
    const QString html = CommissioningReportHtml(r.keeper->reportData());
    QCOMPARE(html.contains("No loop check of this transmitter was made"), !shown);
    const QStringList parts{
        QLocale::system().toString(check.started, QLocale::LongFormat).toHtmlEscaped(),
        local("±0.05 mA"),
        ">+" + local("0.01") + "<",
        ">Skipped<",
        ">Fail<",
        ">Failed<",
        "Yes, confirmed by the transmitter"};
    for (const QString &part : parts)
        QVERIFY2(html.contains(part) == shown, qPrintable(part + " in:\n" + html));
}

// The comparison as the README shows it. Needs a real display server (Xvfb will do).
void TestRecordsWindow::comparisonPicture() {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs the xcb platform on a display");
    Ready r;
    QVERIFY(r.ok);
    records::Configuration file = r.keeper->lastRead();
    file.unit = "Bar";
    file.unitCode = 7;
    file.upperRangeValue = 0.8;
    file.upperSensorLimit = records::tidySingle(Module1::ConvertPressure(20, "mH2O", "Bar"));
    file.minimumSpan = records::tidySingle(Module1::ConvertPressure(0.5, "mH2O", "Bar"));
    file.dampingS = 2;
    file.tag = "LT-102";
    QVERIFY(r.keeper->compareWithFile(r.save(file, "lt-102.json")));
    RecordsCompareDialog *d = r.keeper->compareDialog();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QTest::qWait(200);
    const QString dir = qEnvironmentVariable("ZANU_BUILD_DIR", QDir::currentPath());
    const QString path = QDir(dir).filePath(QStringLiteral("compare-with-file.png"));
    QVERIFY2(d->grab().save(path), qPrintable(path));
    d->close();
}

QTEST_MAIN(TestRecordsWindow)
#include "test_records_window.moc"
