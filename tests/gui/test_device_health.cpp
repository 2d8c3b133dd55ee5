// The transmitter's health in the main window, on the simulated transmitter: the status-bar
// sign, the device status window, the question about a fixed loop current, clearing
// "configuration changed", and the way to the finder from the no-answer message.
#include "gui_test_helper.h"

#include "health/device_health.h"
#include "health/device_status_window.h"
#include "health/status_indicator.h"
#include "trend/trend_window.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

namespace {

enum class Fault { None, Malfunction, PvOutOfLimits, FixedCurrent12 };

void apply(SimDevice &d, Fault fault) {
    d.setNoise(false);
    switch (fault) {
    case Fault::None:
        break;
    case Fault::Malfunction:
        d.setMalfunction(true);
        break;
    case Fault::PvOutOfLimits:
        d.setAppliedPressure(SimDevice::kUpperSensorLimitM + 1.0);
        break;
    case Fault::FixedCurrent12:
        d.config().fixedCurrent = 12.0f;
        break;
    }
    d.settle();
}

int count(const QList<int> &list, int value) {
    return int(std::count(list.begin(), list.end(), value));
}

} // namespace

class TestDeviceHealth : public QObject {
    Q_OBJECT
private slots:
    void indicatorNamesTheConditions_data();
    void indicatorNamesTheConditions();
    void fixedCurrentFoundOnConnect_data();
    void fixedCurrentFoundOnConnect();
    void statusWindowExplainsAndFollows();
    void clearingConfigurationChanged();
    void noAnswerPointsToTheFinder();
    void releaseFromTheStatusWindow_data();
    void releaseFromTheStatusWindow();
    void deadLineSaysSinceWhen();
};

void TestDeviceHealth::indicatorNamesTheConditions_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("summary"); // empty: no sign
    QTest::newRow("healthy") << int(Fault::None) << "";
    QTest::newRow("malfunction") << int(Fault::Malfunction) << "Device malfunction";
    QTest::newRow("pressure beyond the sensor")
        << int(Fault::PvOutOfLimits) << "pressure out of sensor limits";
    QTest::newRow("fixed at 12 mA, left so") << int(Fault::FixedCurrent12) << "Loop current fixed";
}

void TestDeviceHealth::indicatorNamesTheConditions() {
    QFETCH(int, fault);
    QFETCH(QString, summary);
    GuiFixture fx;
    apply(fx.device, Fault(fault));
    fx.answers = {vbNo}; // leave a fixed current as it is
    QVERIFY(loadAndReveal(fx));
    StatusIndicator *sign = fx.form->Health->indicator();
    QCOMPARE(sign->parentWidget(), fx.form->StatusBar1);
    QCOMPARE(sign->isVisibleTo(fx.form.get()), !summary.isEmpty());
    if (summary.isEmpty()) {
        QVERIFY(sign->toolTip().isEmpty());
        return;
    }
    QVERIFY2(sign->toolTip().contains(summary), qPrintable(sign->toolTip()));
    QCOMPARE(sign->accessibleDescription(), sign->toolTip());
    QVERIFY(!sign->toolTip().contains(QLatin1Char('\n')));
    // Clicking it opens the status window.
    sign->click();
    QVERIFY(fx.form->Health->statusWindow());
    QVERIFY(fx.form->Health->statusWindow()->isVisible());
}

void TestDeviceHealth::fixedCurrentFoundOnConnect_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes releases it") << int(vbYes);
    QTest::newRow("No leaves it") << int(vbNo);
}

void TestDeviceHealth::fixedCurrentFoundOnConnect() {
    QFETCH(int, answer);
    GuiFixture fx;
    apply(fx.device, Fault::FixedCurrent12);
    fx.answers = {answer};
    Form1 &f = *fx.form;
    f.Form_Load();
    QVERIFY(spinUntil([&] { return !fx.boxes().isEmpty(); }));
    const MsgBoxSeam::Shown box = fx.boxes().first();
    QCOMPARE(box.title, QStringLiteral("Loop current fixed"));
    QCOMPARE(box.buttons, int(vbYesNo));
    QVERIFY2(box.prompt.contains(QLatin1String("12.000 mA")), qPrintable(box.prompt));
    QVERIFY(box.prompt.contains(QLatin1String("control system does not see the level")));
    QVERIFY(spinIdle(fx));
    spinFor(50);
    QVERIFY(spinIdle(fx));
    const QList<int> seen = fx.commandsSeen();
    if (answer == vbYes) {
        QCOMPARE(count(seen, 40), 1);
        QCOMPARE(fx.lastRequestData(40), QByteArray(4, '\0'));
        // Read again after the release: a second read sequence starts after the 40.
        QVERIFY(seen.lastIndexOf(0) > seen.indexOf(40));
        QVERIFY(spinUntil([&] { return f.Timer1->isActive(); }));
        QVERIFY(!fx.device.config().fixedCurrent);
        QVERIFY(!f.Health->indicator()->isVisibleTo(&f));
    } else {
        QCOMPARE(count(seen, 40), 0);
        QVERIFY(fx.device.config().fixedCurrent);
        QVERIFY(f.Health->indicator()->isVisibleTo(&f));
        // A Refresh does not ask again about the same transmitter.
        f.Command2->click();
        QVERIFY(spinUntil([&] { return f.Timer1->isActive(); }));
        QVERIFY(spinIdle(fx));
        QCOMPARE(fx.boxes().size(), 1);
    }
    // Nothing else was shown; the question is the only box.
    QCOMPARE(fx.boxes().size(), 1);
}

void TestDeviceHealth::statusWindowExplainsAndFollows() {
    GuiFixture fx;
    apply(fx.device, Fault::Malfunction);
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    f.DeviceStatusMenu->trigger();
    DeviceStatusWindow *w = f.Health->statusWindow();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QVERIFY(!w->isModal());
    QVERIFY(spinIdle(fx));
    QVERIFY(fx.commandsSeen().contains(48));
    QVERIFY2(w->Conditions->text().contains(QLatin1String("Device malfunction:")),
             qPrintable(w->Conditions->text()));
    QVERIFY(w->Conditions->text().contains(QLatin1String("What to do:")));
    QVERIFY2(w->Additional->text().contains(QLatin1String("01 00 00 00 00 00")),
             qPrintable(w->Additional->text()));
    QVERIFY(w->Additional->text().contains(QLatin1String("sensor fault")));
    QCOMPARE(w->Manufacturer->text(), QStringLiteral("Zanu (117)"));
    QCOMPARE(w->DeviceId->text(), QString::fromLatin1(fx.device.deviceId().toHex()));
    QCOMPARE(w->Tag->text(), fx.device.config().tag);
    QCOMPARE(w->SerialNumber->text(), QString::number(f.Dev.SerialNumber));

    // While it is open it follows the replies of the monitoring poll.
    fx.device.setMalfunction(false);
    QVERIFY(startMonitoring(fx));
    QVERIFY(spinUntil([&] { return !w->Conditions->text().contains("Device malfunction"); }));
    QVERIFY(!f.Health->indicator()->isVisibleTo(&f));
    // Reading command 48 paused the poll; it runs again.
    QVERIFY(f.Timer5->isActive() || f.HartX1->isBusy());
}

void TestDeviceHealth::clearingConfigurationChanged() {
    GuiFixture fx;
    QVERIFY(loadAndReveal(fx));
    Form1 &f = *fx.form;
    f.Text7->setText(QStringLiteral("NEW TAG"));
    f.Command8->click(); // writing the tag changes the configuration
    QVERIFY(spinIdle(fx));
    QVERIFY(f.Health->status() & 0x40);
    f.Health->openStatusWindow();
    DeviceStatusWindow *w = f.Health->statusWindow();
    QVERIFY(spinIdle(fx));
    QVERIFY(w->ClearChanged->isEnabled());
    QVERIFY(w->Conditions->text().contains(QLatin1String("Configuration changed")));
    w->ClearChanged->click();
    QVERIFY(spinIdle(fx));
    QCOMPARE(fx.commandsSeen().last(), 38);
    QVERIFY(!(f.Health->status() & 0x40));
    QVERIFY(!(fx.device.deviceStatus() & 0x40));
    QVERIFY(!w->ClearChanged->isEnabled());
    QVERIFY(fx.boxes().isEmpty());
}

void TestDeviceHealth::noAnswerPointsToTheFinder() {
    GuiFixture fx;
    fx.device.setSilent(-1);
    fx.form->Form_Load();
    QVERIFY(QTest::qWaitFor([&] { return !fx.boxes().isEmpty(); }, 10000));
    const MsgBoxSeam::Shown box = fx.boxes().first();
    QCOMPARE(box.prompt, QStringLiteral("No Device Response!!!! Connect transmitter?"));
    QVERIFY2(box.detail.contains(QLatin1String("Find transmitter")), qPrintable(box.detail));
    QVERIFY(!fx.form->Health->known());
}

void TestDeviceHealth::releaseFromTheStatusWindow_data() {
    QTest::addColumn<bool>("ours");
    QTest::addColumn<QString>("advice");
    // Another master's with two more conditions: three or more texts are to be shown whole.
    QTest::newRow("another master's, among others") << false << "No simulation of this program";
    QTest::newRow("our own simulation") << true << "This program holds it";
}

void TestDeviceHealth::releaseFromTheStatusWindow() {
    QFETCH(bool, ours);
    QFETCH(QString, advice);
    GuiFixture fx;
    Form1 &f = *fx.form;
    if (!ours) {
        apply(fx.device, Fault::FixedCurrent12);
        fx.device.setMalfunction(true);
        fx.device.setAppliedPressure(SimDevice::kUpperSensorLimitM + 1.0);
        fx.device.settle();
    }
    fx.answers = {vbNo, vbYes}; // leave it on connect, release it from the window
    QVERIFY(loadAndReveal(fx));
    if (ours) {
        f.Text8->setText(QStringLiteral("12"));
        f.Command5->click();
        QVERIFY(spinIdle(fx));
    }
    f.Health->openStatusWindow();
    DeviceStatusWindow *w = f.Health->statusWindow();
    QVERIFY(spinIdle(fx));
    QVERIFY2(w->Conditions->text().contains(advice), qPrintable(w->Conditions->text()));
    QCOMPARE(w->ReleaseCurrent->isEnabled(), !ours);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QVERIFY(health::decodeStatus(f.Health->status()).size() >= (ours ? 1 : 3));
    QVERIFY(w->Conditions->height() >= w->Conditions->heightForWidth(w->Conditions->width()));
    if (ours) return;

    fx.device.clearTrace();
    fx.clearBoxes();
    w->ReleaseCurrent->click();
    QVERIFY(spinUntil([&] { return fx.commandsSeen().contains(48); }) && spinIdle(fx));
    QCOMPARE(fx.boxes().size(), 1);
    QCOMPARE(fx.boxes().first().title, QStringLiteral("Release loop current"));
    QCOMPARE(fx.commandsSeen().mid(0, 2), (QList<int>{40, 48}));
    QCOMPARE(fx.lastRequestData(40), QByteArray(4, '\0')); // 0.0 mA: fixed-current mode off
    QVERIFY(!fx.device.config().fixedCurrent && !w->ReleaseCurrent->isEnabled());
}

// The sign and the trend say since when the transmitter is silent (its last answer), and the
// trend's line breaks over that time.
void TestDeviceHealth::deadLineSaysSinceWhen() {
    GuiFixture fx;
    Form1 &f = *fx.form;
    QVERIFY(loadAndReveal(fx));
    f.TrendMenu->trigger();
    QVERIFY(startMonitoring(fx));
    TrendWindow *trend = f.trendWindow;
    fx.device.setSilent(-1);
    f.Timer5->stop();
    f.session->Timer5_Timer();
    QVERIFY(QTest::qWaitFor([&] { return !fx.boxes().isEmpty(); }, 10000));
    const auto since = f.Health->silentSince();
    QVERIFY(since);
    const QString text =
        QStringLiteral("No answer since %1").arg(since->toString(QStringLiteral("HH:mm:ss")));
    StatusIndicator *sign = f.Health->indicator();
    QVERIFY(sign->isVisibleTo(&f) && sign->text() == text);
    QTRY_VERIFY(trend->statusLabel->text().startsWith(text));

    // It answers again: both say so no more.
    fx.device.setSilent(0);
    f.Command2->click();
    QVERIFY(spinUntil([&] { return !sign->isVisibleTo(&f) && !trend->noAnswerSince(); }));
}

QTEST_MAIN(TestDeviceHealth)
#include "test_device_health.moc"
