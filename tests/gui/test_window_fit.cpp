// The main window on screens of several sizes and scale factors: as designed where it fits,
// otherwise clamped to the screen with the form scrolling, and never placed off the screen.
#include "gui_test_helper.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Screens side by side, in device pixels with the scale factor the desktop applies to them (as
// QT_SCALE_FACTOR does); the platform is given their size in logical pixels.
struct ScreenSpec {
    const char *name;
    int width, height;
    double scale;
    bool fits; // the window as designed (430 x about 670 logical pixels) has room
};
constexpr ScreenSpec kScreens[] = {
    {"1280x1024 at 1", 1280, 1024, 1.0, true},  {"1280x1024 at 1.5", 1280, 1024, 1.5, true},
    {"1280x1024 at 2", 1280, 1024, 2.0, false}, {"1920x1080 at 2", 1920, 1080, 2.0, false},
    {"800x480 at 1", 800, 480, 1.0, false},
};

QByteArray screensConfig() {
    QByteArray json = "{\"screens\": [";
    int x = 0;
    for (const ScreenSpec &s : kScreens) {
        if (x) json += ',';
        json += QStringLiteral("{\"name\": \"%1\", \"x\": %2, \"y\": 0, \"width\": %3, "
                               "\"height\": %4, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, "
                               "\"dpr\": %5}")
                    .arg(QLatin1String(s.name))
                    .arg(x)
                    .arg(qRound(s.width / s.scale))
                    .arg(qRound(s.height / s.scale))
                    .arg(s.scale)
                    .toUtf8();
        x += qRound(s.width / s.scale);
    }
    return json + "]}";
}

QScreen *screenNamed(const QString &name) {
    for (QScreen *s : QGuiApplication::screens())
        if (s->name() == name) return s;
    return nullptr;
}

} // namespace

class TestWindowFit : public QObject {
    Q_OBJECT
private slots:
    void fitsTheScreen_data();
    void fitsTheScreen();
};

void TestWindowFit::fitsTheScreen_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("fits");
    for (const ScreenSpec &s : kScreens)
        QTest::newRow(s.name) << QString::fromLatin1(s.name) << s.fits;
}

void TestWindowFit::fitsTheScreen() {
    QFETCH(QString, screen);
    QFETCH(bool, fits);
    QScreen *target = screenNamed(screen);
    QVERIFY2(target, qPrintable(screen));

    GuiFixture fx;
    Form1 &f = *fx.form;
    f.setScreen(target);
    QVERIFY(loadAndReveal(fx)); // the load step centres the window on its screen
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    spinFor(20);

    const QRect area = target->availableGeometry();
    QVERIFY2(area.contains(f.frameGeometry()),
             qPrintable(QStringLiteral("window %1,%2 %3x%4 on %5,%6 %7x%8")
                            .arg(f.frameGeometry().x())
                            .arg(f.frameGeometry().y())
                            .arg(f.frameGeometry().width())
                            .arg(f.frameGeometry().height())
                            .arg(area.x())
                            .arg(area.y())
                            .arg(area.width())
                            .arg(area.height())));
    QVERIFY(f.menuBar()->isVisible());
    QCOMPARE(f.minimumSize(), f.maximumSize());

    auto *scroller = qobject_cast<QScrollArea *>(f.centralWidget());
    QVERIFY(scroller);
    QWidget *form = scroller->widget();
    QCOMPARE(form->objectName(), QStringLiteral("centralwidget"));
    if (fits) {
        // Exactly as designed: no scroll bar, the form fills the window between the bars.
        QCOMPARE(scroller->size(), form->size());
        QVERIFY(!scroller->verticalScrollBar()->isVisible());
        QVERIFY(!scroller->horizontalScrollBar()->isVisible());
        return;
    }
    QVERIFY(scroller->verticalScrollBar()->isVisible());
    // As tall as the screen allows, not smaller.
    QVERIFY(f.frameGeometry().height() >= area.height() - 2);

    // Every control the user works with is reachable by Tab and then on view.
    QWidget *first = f.Command2;
    first->setFocus();
    QWidget *w = first;
    int steps = 0;
    do {
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
        QVERIFY(w);
        QVERIFY2(form->isAncestorOf(w), qPrintable(w->objectName()));
        const QRect onView(w->mapTo(scroller->viewport(), QPoint()), w->size());
        QVERIFY2(scroller->viewport()->rect().contains(onView), qPrintable(w->objectName()));
    } while (w != first && ++steps < 40);
    QVERIFY(steps > 10);
}

int main(int argc, char **argv) {
    // Screens of their own, whatever platform the suite was started on.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(screensConfig()) < 0) return 2;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestWindowFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_fit.moc"
