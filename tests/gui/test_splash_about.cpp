// Leaving the program, the splash window's hand-over, and the About window.
#include "dialogs/frm_about.h"
#include "dialogs/frm_splash.h"
#include "gui_test_helper.h"
#include "settings/settings_file.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

void onNextDialog(std::function<void(QWidget *)> act) {
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start(20);
}

// Calls back when the watched window is about to be shown.
class ShowWatch : public QObject {
public:
    explicit ShowWatch(std::function<void(QWidget *)> cb) : cb_(std::move(cb)) {}
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::Show && o->isWidgetType()) cb_(static_cast<QWidget *>(o));
        return false;
    }

private:
    std::function<void(QWidget *)> cb_;
};

} // namespace

class TestSplashAbout : public QObject {
    Q_OBJECT
private slots:
    void exitCheck_data();
    void exitCheck();
    void splashTexts();
    void splashHandOver_data();
    void splashHandOver();
    void aboutTexts();
    void aboutFromMenuIsModal();
    void systemInfoUnavailable();
};

void TestSplashAbout::exitCheck_data() {
    QTest::addColumn<QString>("command5");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("boxShown");
    QTest::addColumn<bool>("stillOpen");
    QTest::newRow("button while simulating") << "Abort"
                                             << "button" << true << true;
    QTest::newRow("button otherwise") << "Send"
                                      << "button" << false << false;
    QTest::newRow("menu while simulating") << "Abort"
                                           << "menu" << false << false;
    QTest::newRow("close box while simulating") << "Abort"
                                                << "closebox" << false << false;
    QTest::newRow("keyboard mnemonic while simulating") << "Abort"
                                                        << "alt-x" << true << true;
    QTest::newRow("keyboard mnemonic otherwise") << "Send"
                                                 << "alt-x" << false << false;
}

void TestSplashAbout::exitCheck() {
    QFETCH(QString, command5);
    QFETCH(QString, how);
    QFETCH(bool, boxShown);
    QFETCH(bool, stillOpen);

    GuiFixture fx;
    fx.form->show();
    fx.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));
    fx.form->Command5->setText(command5);
    fx.device.clearTrace();
    fx.clearBoxes();

    if (how == QLatin1String("button"))
        QTest::mouseClick(fx.form->Command1, Qt::LeftButton);
    else if (how == QLatin1String("menu"))
        fx.form->Exitform->trigger();
    else if (how == QLatin1String("closebox"))
        fx.form->close();
    else
        QTest::keyClick(fx.form.get(), Qt::Key_X, Qt::AltModifier);
    // A mnemonic presses its button the way a click does, a moment later.
    QTRY_VERIFY_WITH_TIMEOUT(
        fx.boxes().size() == (boxShown ? 1 : 0) && fx.form->isVisible() == stillOpen, 3000);

    QCOMPARE(fx.boxes().size(), boxShown ? 1 : 0);
    if (boxShown) {
        QCOMPARE(fx.boxes().first().prompt,
                 QStringLiteral("Please, Abort Current Simulation Before Exit!!!"));
        QCOMPARE(fx.boxes().first().buttons, int(vbOKOnly));
        QCOMPARE(fx.boxes().first().title, kAppTitle);
    }
    QCOMPARE(fx.form->isVisible(), stillOpen);
    // Leaving never talks to the transmitter, not even to end a simulation.
    QVERIFY(nothingWentOut(fx));
}

void TestSplashAbout::splashTexts() {
    frmSplash splash([]() -> Form1 * { return nullptr; });
    splash.Timer1->stop();
    QCOMPARE(splash.lblVersion->text(), QStringLiteral("Version 1.0.3"));
    QCOMPARE(splash.lblProductName->text(), QStringLiteral("Pelvanor I \\ Ostrimel Config"));
    for (QLabel *l : {splash.lblCopyright, splash.lblCompany, splash.lblCompanyProduct})
        QVERIFY(!l->text().trimmed().isEmpty());
    for (QLabel *l : {splash.lblProductName, splash.lblCopyright, splash.lblCompany,
                      splash.lblVersion, splash.lblCompanyProduct}) {
        QCOMPARE(l->parentWidget(), splash.Frame1);
        QVERIFY(QFontDatabase::hasFamily(l->font().family()));
    }
    QCOMPARE(splash.Picture1->parentWidget(), splash.Frame1);
    QVERIFY(!splash.Picture1->pixmap().isNull());
    QCOMPARE(splash.Timer1->interval(), 1500);
}

void TestSplashAbout::splashHandOver_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("timer") << "timer";
    QTest::newRow("key") << "key";
    QTest::newRow("click on the frame") << "frame";
    QTest::newRow("click on the picture") << "picture";
    QTest::newRow("click on a label") << "label";
}

void TestSplashAbout::splashHandOver() {
    QFETCH(QString, how);

    QTemporaryDir dir;
    SetProgramDirectory(dir.path());
    {
        QFile ini(dir.filePath(QStringLiteral("zanu.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("\"1\"\r\n");
    }
    MsgBoxSeam::setScript([](const MsgBoxSeam::Shown &s) {
        return s.buttons == vbRetryCancel ? int(vbCancel) : int(vbOK);
    });
    SimDevice device;
    std::vector<std::unique_ptr<Form1>> made;
    bool loadRanBeforeShow = false;
    ShowWatch showWatch([&loadRanBeforeShow](QWidget *w) {
        loadRanBeforeShow = static_cast<Form1 *>(w)->Combo1->count() == 13;
    });
    QElapsedTimer clock;
    clock.start();
    qint64 handOverMs = -1;
    frmSplash splash([&]() -> Form1 * {
        made.push_back(std::make_unique<Form1>());
        Form1 *f = made.back().get();
        f->HartX1->setLineFactory([&device](int) {
            return std::make_unique<SimLine>(&device, SimLine::Timing::Instant);
        });
        f->installEventFilter(&showWatch);
        handOverMs = clock.elapsed();
        f->Form_Load();
        return f;
    });
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QVERIFY(splash.Timer1->isActive());

    if (how == QLatin1String("key"))
        QTest::keyClick(&splash, Qt::Key_Space);
    else if (how == QLatin1String("frame"))
        QTest::mouseClick(splash.Frame1, Qt::LeftButton, {}, QPoint(4, 4));
    else if (how == QLatin1String("picture"))
        QTest::mouseClick(splash.Picture1, Qt::LeftButton);
    else if (how == QLatin1String("label"))
        QTest::mouseClick(splash.lblCopyright, Qt::LeftButton);

    QTRY_COMPARE_WITH_TIMEOUT(made.size(), size_t(1), 3000);
    if (how == QLatin1String("timer"))
        QVERIFY(handOverMs >= 1400);
    else
        QVERIFY(handOverMs < 1400);
    Form1 *f = made.front().get();
    QVERIFY(f->isVisible());
    QVERIFY(!splash.isVisible());
    QCOMPARE(splash.mainWindow(), static_cast<QWidget *>(f));
    // The load step ran: lists filled, the first request on its way.
    QCOMPARE(f->Combo1->count(), 13);
    QCOMPARE(int(f->ComPortNumber), 1);
    QVERIFY(loadRanBeforeShow);

    // Later events find nothing more to do; after an early hand-over the timer never fires.
    QTest::keyClick(&splash, Qt::Key_Space);
    splash.Frame1_Click();
    // A stopped timer cannot fire later.
    QVERIFY(!splash.Timer1->isActive());
    QCOMPARE(made.size(), size_t(1));
    QVERIFY(QTest::qWaitFor([f] { return !f->HartX1->isBusy(); }, 5000));
    made.clear();
    MsgBoxSeam::clearScript();
}

void TestSplashAbout::aboutTexts() {
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Pelvanor I \\ Ostrimel Config"));
    QCOMPARE(about.lblTitle->text(), kAppTitle);
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 1.0.3"));
    QCOMPARE(about.lblDescription->text(),
             QStringLiteral("This application can be used for configuring the Zanu Series "
                            "Pelvanor 'I' submersible level transmitters. It will only work on "
                            "Zanu transmitters."));
    QCOMPARE(about.Label1->text(), QStringLiteral("ZANU"));
    QVERIFY(QFontDatabase::hasFamily(about.Label1->font().family()));
    QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
    QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    QCOMPARE(about.Line1->frameShape(), QFrame::HLine);
    QVERIFY(about.isModal());
    // The description is shown whole, not cut off.
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.lblDescription->height() >=
            about.lblDescription->heightForWidth(about.lblDescription->width()));
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void TestSplashAbout::aboutFromMenuIsModal() {
    GuiFixture fx;
    fx.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fx.form.get()));
    QString seen;
    bool modal = false;
    onNextDialog([&](QWidget *w) {
        seen = QString::fromLatin1(w->metaObject()->className());
        modal = w->isModal() && QApplication::activeModalWidget() == w;
        if (auto *a = qobject_cast<frmAbout *>(w))
            QTest::mouseClick(a->cmdOK, Qt::LeftButton);
        else
            w->close();
    });
    fx.form->Infoscreen->trigger(); // returns only when the window is closed
    QCOMPARE(seen, QStringLiteral("frmAbout"));
    QVERIFY(modal);
    QVERIFY(fx.form->isVisible());
}

void TestSplashAbout::systemInfoUnavailable() {
    MsgBoxSeam::clearHistory();
    MsgBoxSeam::setScript([](const MsgBoxSeam::Shown &) { return int(vbOK); });
    frmAbout about;
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
#ifdef Q_OS_WIN
    QSKIP("the viewer may exist here");
#endif
    QCOMPARE(MsgBoxSeam::history().size(), 1);
    QCOMPARE(MsgBoxSeam::history().first().prompt,
             QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(MsgBoxSeam::history().first().buttons, int(vbOKOnly));
    QCOMPARE(MsgBoxSeam::history().first().title, kAppTitle);
    MsgBoxSeam::clearScript();
}

QTEST_MAIN(TestSplashAbout)
#include "test_splash_about.moc"
