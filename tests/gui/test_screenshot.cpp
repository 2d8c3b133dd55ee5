// A picture of the main window on the simulated transmitter after a full read, for a person to
// compare with the intended layout. Needs a real display server (Xvfb will do).
#include "dialogs/form2.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_splash.h"
#include "gui_test_helper.h"
#include "hart/link/com_port_name.h"
#include "loopcheck/loop_check_window.h"
#include "trend/trend_window.h"

#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestScreenshot : public QObject {
    Q_OBJECT
private slots:
    void mainWindowAfterRead();
};

void TestScreenshot::mainWindowAfterRead() {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs the xcb platform on a display");
    GuiFixture fx;
    fx.form->Form_Load();
    fx.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fx.form.get()));
    QVERIFY(QTest::qWaitFor([&] { return fx.form->Command2->text() == QLatin1String("Re&fresh"); },
                            10000));
    // The panels come back with the first tick after the data are shown.
    QVERIFY(QTest::qWaitFor([&] { return fx.form->Frame6->isVisible(); }, 5000));
    QVERIFY(fx.waitIdle());
    QCoreApplication::processEvents(); // pending layout and paint requests, before the grab

    const QString dir = qEnvironmentVariable("ZANU_BUILD_DIR", QDir::currentPath());
    const QString path = QDir(dir).filePath(QStringLiteral("main-window.png"));
    const QPixmap shot = fx.form->grab();
    QVERIFY(!shot.isNull());
    QVERIFY2(shot.save(path), qPrintable(path));
    qInfo("main window saved to %s", qPrintable(path));

    // And with the live output signal on, the busiest the window gets.
    QTest::mouseClick(fx.form->Option3[1], Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !fx.form->Text9[0]->text().isEmpty(); }, 5000));
    QCoreApplication::processEvents(); // pending layout and paint requests, before the grab
    const QString path2 = QDir(dir).filePath(QStringLiteral("main-window-monitoring.png"));
    QVERIFY2(fx.form->grab().save(path2), qPrintable(path2));
    // The trend after ten minutes of a moving level (the trend's clock a second per poll).
    fx.form->TrendMenu->trigger();
    TrendWindow *trend = fx.form->trendWindow;
    qint64 now = QDateTime::currentMSecsSinceEpoch() - 600 * 1000;
    trend->clock = [&now] { return now += 1000; };
    fx.device.setNoise(true);
    for (int i = 0; i < 600; ++i) {
        if (i == 300) fx.device.setAppliedPressure(fx.device.appliedPressure() + 0.3);
        fx.form->Timer5->stop();
        fx.form->session->Timer5_Timer();
        QVERIFY(spinIdle(fx));
    }
    trend->refresh();
    QVERIFY(QTest::qWaitForWindowExposed(trend));
    QCoreApplication::processEvents(); // pending layout and paint requests, before the grab
    QVERIFY(trend->grab().save(QDir(dir).filePath(QStringLiteral("trend.png"))));
    QTest::mouseClick(fx.form->Option3[0], Qt::LeftButton);
    QVERIFY(fx.waitIdle());

    // A loop check half way: two points done, the third waiting for its reading.
    fx.form->LoopCheckMenu->trigger();
    LoopCheckWindow *check = fx.form->loopCheckWindow;
    check->settlingEdit->setText(QStringLiteral("0"));
    QVERIFY(check->startCheck());
    for (const char *reading : {"4.01", "8,07"}) {
        QVERIFY(QTest::qWaitFor([&] {
            return check->procedure().state() == LoopCheckProcedure::State::AwaitingReading;
        }));
        check->readingEdit->setText(QLatin1String(reading));
        check->enterButton->click();
    }
    QVERIFY(QTest::qWaitFor(
        [&] { return check->procedure().state() == LoopCheckProcedure::State::AwaitingReading; }));
    QVERIFY(QTest::qWaitForWindowExposed(check));
    QCoreApplication::processEvents(); // pending layout and paint requests, before the grab
    QVERIFY(check->grab().save(QDir(dir).filePath(QStringLiteral("loop-check.png"))));
    QVERIFY(fx.form->grab().save(QDir(dir).filePath(QStringLiteral("main-window-locked.png"))));
    check->cancelButton->click();
    QVERIFY(QTest::qWaitFor([&] { return !check->procedure().holdsLoop(); }));

    // The other windows, shown without waiting in them.
    auto save = [&dir](QWidget &w, const char *name) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QString p = QDir(dir).filePath(QLatin1String(name));
        QVERIFY2(w.grab().save(p), qPrintable(p));
        w.close();
    };
    frmAbout about(fx.form.get());
    save(about, "about.png");
    Form2 ports(fx.form->ComPortNumber, comPortDeviceName, fx.form.get());
    save(ports, "com-port.png");
    frmSplash splash([]() -> Form1 * { return nullptr; });
    splash.Timer1->stop();
    save(splash, "splash.png");
}

QTEST_MAIN(TestScreenshot)
#include "test_screenshot.moc"
