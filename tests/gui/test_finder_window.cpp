// The finder in the main window: what it lists, "Use this port" (zanu.ini, the read, a
// transmitter at another polling address), a port without a COM number, and Cancel.
#include "gui_test_helper.h"

#include "finder/finder_window.h"
#include "health/device_health.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

QByteArray fileContent(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Points the window's finder at simulated ports: each target device name picks its transmitter.
void scanOn(GuiFixture &fx, const QList<ScanTarget> &targets,
            const QMap<QString, SimDevice *> &devices,
            SimLine::Timing timing = SimLine::Timing::Instant) {
    fx.form->Health->finderTargets = [targets] { return targets; };
    fx.form->Health->finderLines = [devices, timing](const ScanTarget &t) {
        return std::make_unique<SimLine>(devices.value(t.device), timing);
    };
}

FinderWindow *openAndScan(GuiFixture &fx) {
    fx.form->FindTransmitterMenu->trigger();
    FinderWindow *w = fx.form->Health->finder();
    if (!w || !spinUntil([&] { return !w->scanner()->isRunning(); }, 20000)) return nullptr;
    return w;
}

} // namespace

class TestFinderWindow : public QObject {
    Q_OBJECT
private slots:
    void listsWhatAnswers();
    void listsTheWindowsOwnLine();
    void useThisPort_data();
    void useThisPort();
    void portWithoutComNumber();
    void cancelMidScanLeavesNoPortOpen();
};

void TestFinderWindow::listsWhatAnswers() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    SimDevice other;
    other.setManufacturerId(38);
    other.config().pollingAddress = 5;
    scanOn(fx, {{"/sim/zanu", 4, "USB modem"}, {"/sim/other", 0, ""}},
           {{"/sim/zanu", &fx.device}, {"/sim/other", &other}});
    FinderWindow *w = openAndScan(fx);
    QVERIFY(w);
    QVERIFY(w->isModal());
    QCOMPARE(w->Found->topLevelItemCount(), 2);
    QMap<QString, QStringList> rows;
    for (int i = 0; i < 2; ++i) {
        QStringList cells;
        for (int c = 0; c < w->Found->columnCount(); ++c)
            cells << w->Found->topLevelItem(i)->text(c);
        rows.insert(cells.first(), cells);
    }
    const QString id = QString::fromLatin1(fx.device.deviceId().toHex());
    QCOMPARE(rows.value("/sim/zanu"),
             (QStringList{"/sim/zanu", "4", "0", "Zanu", QString::number(fx.device.deviceType()),
                          id, fx.device.config().tag}));
    QCOMPARE(rows.value("/sim/other").mid(1, 3), (QStringList{"—", "5", "38"}));
    QCOMPARE(w->Progress->value(), w->Progress->maximum());
    // Only a transmitter of ours can be used; for another the greyed-out button says why.
    for (int i = 0; i < 2; ++i) {
        w->Found->setCurrentItem(w->Found->topLevelItem(i));
        QCOMPARE(w->UseButton->isEnabled(), w->Found->topLevelItem(i)->text(0) == "/sim/zanu");
        QCOMPARE(w->UseButton->accessibleDescription().contains(
                     "Not a Zanu transmitter (manufacturer 38,"),
                 !w->UseButton->isEnabled());
    }
    w->CancelButton->click(); // "Close" once the scan is over
    QVERIFY(spinUntil([&] { return !fx.form->Health->finder(); }));
}

// Under --simulate the transmitter answers on no serial port, only on the window's own line.
void TestFinderWindow::listsTheWindowsOwnLine() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    SimDevice *device = &fx.device;
    fx.form->Health->scanThroughControlLines(
        [device](int) { return std::make_unique<SimLine>(device, SimLine::Timing::Instant); });
    FinderWindow *w = openAndScan(fx);
    QVERIFY(w);
    QCOMPARE(w->Found->topLevelItemCount(), 1);
    const QTreeWidgetItem *row = w->Found->topLevelItem(0);
    QCOMPARE(
        (QStringList{row->text(0), row->text(1), row->text(3)}),
        (QStringList{"simulated transmitter", QString::number(fx.form->ComPortNumber), "Zanu"}));
    w->CancelButton->click();
}

void TestFinderWindow::useThisPort_data() {
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("answer"); // to "set the polling address to 0?"
    QTest::newRow("address 0") << 0 << 0;
    QTest::newRow("address 3, moved to 0") << 3 << int(vbYes);
    QTest::newRow("address 3, left there") << 3 << int(vbNo);
}

void TestFinderWindow::useThisPort() {
    QFETCH(int, address);
    QFETCH(int, answer);
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    fx.device.config().pollingAddress = quint8(address);
    scanOn(fx, {{"/sim/a", 7, ""}}, {{"/sim/a", &fx.device}});
    FinderWindow *w = openAndScan(fx);
    QVERIFY(w);
    QCOMPARE(w->Found->topLevelItemCount(), 1);
    fx.clearBoxes();
    fx.device.clearTrace();
    if (answer) fx.answers = {answer};
    w->UseButton->click();
    QVERIFY(spinUntil([&] { return !f.Health->finder(); }));
    // Moved, it is read twice: where it was found (to check it before writing), then at 0.
    const bool moved = address && answer == vbYes;
    QVERIFY(spinUntil([&] {
        return f.Timer1->isActive() && !f.HartX1->isBusy() && fx.commandsSeen().endsWith(129) &&
               (!moved || fx.device.config().pollingAddress == 0);
    }));
    QVERIFY(spinIdle(fx));

    QCOMPARE(f.ComPortNumber, quint8(7));
    QCOMPARE(fileContent(fx.iniPath()), QByteArray("\"7\"\r\n"));
    QCOMPARE(fx.boxes().size(), address ? 1 : 0);
    const QList<int> seen = fx.commandsSeen();
    if (moved) {
        QVERIFY2(fx.boxes().first().prompt.contains("loop current mode"),
                 qPrintable(fx.boxes().first().prompt));
        QCOMPARE(fx.lastRequestData(6), QByteArray(1, '\0'));
        QCOMPARE(fx.device.config().pollingAddress, quint8(0));
    } else {
        QVERIFY(!seen.contains(6));
        QCOMPARE(fx.device.config().pollingAddress, quint8(address));
    }
    // Either way the transmitter was read again, through to the end of the read sequence.
    QCOMPARE(seen.last(), 129);
}

void TestFinderWindow::portWithoutComNumber() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    const QByteArray ini = fileContent(fx.iniPath());
    scanOn(fx, {{"/dev/ttyFOO7", 0, ""}}, {{"/dev/ttyFOO7", &fx.device}});
    FinderWindow *w = openAndScan(fx);
    QVERIFY(w);
    fx.clearBoxes();
    w->UseButton->click();
    QCOMPARE(fx.boxes().size(), 1);
    QVERIFY(fx.boxes().first().prompt.contains("ZANU_COM5=/dev/ttyFOO7"));
    QVERIFY(fx.form->Health->finder());
    QCOMPARE(fileContent(fx.iniPath()), ini);
    QCOMPARE(fx.form->ComPortNumber, quint8(1));
    w->reject();
}

void TestFinderWindow::cancelMidScanLeavesNoPortOpen() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    QVERIFY(startMonitoring(fx));
    SimDevice silent;
    silent.setSilent(-1);
    QList<ScanTarget> targets;
    QMap<QString, SimDevice *> devices;
    for (int i = 1; i <= 3; ++i) {
        const QString name = QStringLiteral("/sim/silent%1").arg(i);
        targets.append({name, i + 1, ""});
        devices.insert(name, &silent);
    }
    scanOn(fx, targets, devices, SimLine::Timing::Real);
    fx.form->FindTransmitterMenu->trigger();
    FinderWindow *w = fx.form->Health->finder();
    QVERIFY(w);
    QVERIFY(!fx.form->Timer5->isActive()); // no poll while the ports are scanned
    QVERIFY(QTest::qWaitFor([&] { return w->Progress->value() >= 3; }, 5000));
    QVERIFY(w->Trying->text().contains("polling address"));
    QCOMPARE(w->scanner()->openLines(), 3);
    w->CancelButton->click();
    QVERIFY(!w->scanner()->isRunning());
    QCOMPARE(w->scanner()->openLines(), 0);
    QVERIFY(w->Trying->text().contains("cancelled"));
    QCOMPARE(w->CancelButton->text(), QStringLiteral("&Close"));
    w->CancelButton->click();
    QVERIFY(spinUntil([&] { return !fx.form->Health->finder(); }));
    QVERIFY(fx.form->Timer5->isActive()); // monitoring goes on
}

QTEST_MAIN(TestFinderWindow)
#include "test_finder_window.moc"
