// Every window the program shows, in the language the system names (LANG) for each language it
// speaks, at 100 % and at 150 % text scaling: the texts are that language's, every text fits its
// control, and no two entries of a window or of a menu share a mnemonic. The 150 % rows run in a
// child process on a screen of 144 dpi, because a process keeps the screen it started with. The
// test command also runs the 100 % rows on a real display server (xcb, under xvfb-run).
#include "dialogs/form2.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_splash.h"
#include "gui_test_helper.h"
#include "hart/link/com_port_name.h"
#include "health/device_health.h"
#include "i18n/language.h"
#include "keeper/records_keeper.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

const char *const kDpiVariable = "ZANU_TEST_DPI";

int screenDpi() {
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
}

// The key a caption's '&' makes its mnemonic, lower case; none for "&&" or no '&'.
QChar mnemonic(const QString &text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// The captions among `texts` whose mnemonic another one already has.
QStringList clashes(const QStringList &texts) {
    QStringList out;
    QHash<QChar, QString> seen;
    for (const QString &t : texts) {
        const QChar m = mnemonic(t);
        if (m.isNull()) continue;
        if (seen.contains(m)) out << seen[m] + QStringLiteral(" / ") + t;
        seen.insert(m, t);
    }
    return out;
}

void verifyMenu(const QList<QAction *> &actions, const QString &where) {
    QStringList texts;
    for (QAction *a : actions)
        texts << a->text();
    const QStringList clash = clashes(texts);
    QVERIFY2(clash.isEmpty(), qPrintable(where + QStringLiteral(": ") + clash.join(u", ")));
}

// Every caption of `window` within its box (labels and buttons as their size hint says, a frame's
// title with the room its style draws around it), its mnemonics unique, and those of each of its
// menus. A control hidden in a layout has no box yet; one placed by hand has its designed one.
void verifyWindow(QWidget *window) {
    QStringList texts;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) && w->parentWidget() && w->parentWidget()->layout()) continue;
        const auto *label = qobject_cast<QLabel *>(w);
        const auto *button = qobject_cast<QAbstractButton *>(w);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if ((label && label->buddy()) || button) texts << text;
        const QString name =
            window->objectName() + QLatin1Char('/') + w->objectName() + QStringLiteral(": ");
        if (!text.isEmpty() && ((label && !label->wordWrap()) || button))
            QVERIFY2(w->sizeHint().width() <= w->width(),
                     qPrintable(name + QString::number(w->sizeHint().width()) + QLatin1Char('>') +
                                QString::number(w->width())));
        if (auto *g = qobject_cast<QGroupBox *>(w)) {
            const int room = g->width() - 2 * g->fontMetrics().averageCharWidth();
            QVERIFY2(g->fontMetrics().horizontalAdvance(g->title()) <= room,
                     qPrintable(name + g->title()));
        }
    }
    const QStringList clash = clashes(texts);
    QVERIFY2(clash.isEmpty(),
             qPrintable(window->objectName() + QStringLiteral(": ") + clash.join(u", ")));
    for (QMenuBar *bar : window->window()->findChildren<QMenuBar *>())
        verifyMenu(bar->actions(), QStringLiteral("menu bar"));
    for (QMenu *menu : window->window()->findChildren<QMenu *>())
        verifyMenu(menu->actions(), menu->title());
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT
private slots:
    void init() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { i18n::applyChoice(QStringLiteral("en")); }
    void everyTextFits_data();
    void everyTextFits();
};

void TestLanguages::everyTextFits_data() {
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("fileMenu");
    QTest::addColumn<QString>("exitButton");
    QTest::addColumn<int>("dpi");
    const char *const languages[][4] = {{"C", "en", "&File", "E&xit"},
                                        {"de_DE.UTF-8", "de", "&Datei", "&Beenden"},
                                        {"nl_NL.UTF-8", "nl", "&Bestand", "Af&sluiten"}};
    for (int dpi : {96, 144})
        for (const auto &l : languages)
            QTest::addRow("LANG=%s at %d %%", l[0], dpi * 100 / 96)
                << l[0] << l[1] << l[2] << l[3] << dpi;
}

void TestLanguages::everyTextFits() {
    QFETCH(QString, lang);
    QFETCH(QString, language);
    QFETCH(QString, fileMenu);
    QFETCH(QString, exitButton);
    QFETCH(int, dpi);
    if (dpi != screenDpi()) {
        // A child that did not get its screen fails rather than starting another.
        QVERIFY2(!qEnvironmentVariableIsSet(kDpiVariable), "the screen's dpi was not taken");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(kDpiVariable), QString::number(dpi));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("everyTextFits:") + QLatin1String(QTest::currentDataTag())});
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitCode(), 0);
        return;
    }
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        qunsetenv(name);
    qputenv("LANG", lang.toLatin1());
    QCOMPARE(i18n::applyChoice(QString()), language);

    GuiFixture fx;
    Form1 &f = *fx.form;
    f.Form_Load();
    f.show();
    QVERIFY(fx.waitUntil([&] { return f.Command2->text() == Form1::tr("Re&fresh"); }));
    QVERIFY(fx.waitIdle());
    // The language's own words, under C byte for byte the sources' English.
    QCOMPARE(f.menuBar()->actions().constFirst()->text(), fileMenu);
    QCOMPARE(f.Command1->text(), exitButton);
    QWidget *form = f.Frame1->parentWidget(); // the designed form, without the status bar
    verifyWindow(form);

    // Every other window, opened as the engineer opens it (the finder on no port at all), or
    // made as the program makes it.
    f.Health->finderTargets = [] { return QList<ScanTarget>(); };
    for (QAction *a : {f.DeviceStatusMenu, f.FindTransmitterMenu, f.LoopCheckMenu, f.TrendMenu,
                       f.OutputTrimMenu, f.findChild<QAction *>(QStringLiteral("HistoryMenu"))})
        a->trigger();
    const QString file = fx.dir.filePath(QStringLiteral("read.json"));
    QVERIFY(f.Records->saveConfigurationTo(file) && f.Records->compareWithFile(file));
    frmAbout about(&f);
    Form2 ports(f.ComPortNumber, comPortDeviceName, &f);
    frmSplash splash([]() -> QWidget * { return nullptr; });
    splash.Timer1->stop();
    for (QWidget *w : std::initializer_list<QWidget *>{&about, &ports, &splash})
        w->show();
    int seen = 0;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w == &f || !w->isVisible()) continue;
        QVERIFY(QTest::qWaitForWindowExposed(w));
        verifyWindow(w);
        ++seen;
    }
    QCOMPARE(seen, 10);

    // The simulation's caption, once a current is held.
    f.Command5->click();
    QVERIFY(fx.waitUntil([&] { return f.session->simulationRequested(); }));
    QCOMPARE(f.Command5->text(), Form1::tr("Abort"));
    verifyWindow(form);
    f.Command5->click();
    QVERIFY(fx.waitIdle());
}

int main(int argc, char **argv) {
    // One screen of the size the other window tests use, at the text scaling asked for; or the
    // display server the test command gives it, for the windows as that server draws them.
    const QByteArray dpi = qEnvironmentVariableIsSet(kDpiVariable) ? qgetenv(kDpiVariable) : "96";
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 2;
    file.write("{\"screens\": [{\"name\": \"desktop\", \"x\": 0, \"y\": 0, \"width\": 1920, "
               "\"height\": 1200, \"logicalDpi\": " +
               dpi + ", \"logicalBaseDpi\": 96, \"dpr\": 1}]}");
    file.close();
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("xcb"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    // Larger text, as a desktop's text scaling gives it, rather than a uniformly scaled window.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    TestLanguages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_languages.moc"
