// The main window and the feature windows in every language the program speaks, at 100 % and at
// 150 % text scaling: every text fits its control, and no two entries of a window or of a menu
// share a mnemonic. The 150 % rows run in a child process on a screen of 144 dpi, because a
// process keeps the screen it started with.
#include "gui_test_helper.h"
#include "i18n/language.h"
#include "trim/trim_window.h"

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

void verifyMenus(const QList<QAction *> &actions, const QString &where) {
    QStringList texts;
    for (QAction *a : actions) {
        texts << a->text();
        if (a->menu()) verifyMenus(a->menu()->actions(), where + QLatin1Char('>') + a->text());
    }
    const QStringList clash = clashes(texts);
    QVERIFY2(clash.isEmpty(), qPrintable(where + QStringLiteral(": ") + clash.join(u", ")));
}

// Every caption of `window` within its box (labels and buttons as their size hint says, a frame's
// title with the room its style draws around it) and its mnemonics unique.
void verifyWindow(QWidget *window) {
    QStringList texts;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        QString text;
        if (auto *l = qobject_cast<QLabel *>(w))
            text = l->buddy() ? l->text() : QString();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            text = b->text();
        if (!text.isEmpty()) texts << text;
        const QString name = w->objectName() + QStringLiteral(": ");
        const auto *label = qobject_cast<QLabel *>(w);
        if ((label && !label->wordWrap()) || qobject_cast<QAbstractButton *>(w))
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
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("dpi");
    for (const char *language : {"en", "de", "nl"})
        for (int dpi : {96, 144})
            QTest::addRow("%s at %d %%", language, dpi * 100 / 96)
                << QString::fromLatin1(language) << dpi;
}

void TestLanguages::everyTextFits() {
    QFETCH(QString, language);
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
    QCOMPARE(i18n::applyChoice(language), language);

    GuiFixture fx;
    Form1 &f = *fx.form;
    f.Form_Load();
    QVERIFY(fx.waitUntil([&] { return f.Command2->text() == Form1::tr("Re&fresh"); }));
    QWidget *form = f.Frame1->parentWidget(); // the designed form, without the status bar
    verifyWindow(form);
    verifyMenus(f.menuBar()->actions(), QStringLiteral("menu bar"));

    // The simulation's caption, once a current is held.
    f.Command5->click();
    QVERIFY(fx.waitUntil([&] { return f.session->simulationRequested(); }));
    QCOMPARE(f.Command5->text(), Form1::tr("Abort"));
    verifyWindow(form);
    f.Command5->click();
    QVERIFY(fx.waitIdle());

    TrimWindow trim(*f.session);
    trim.adjustSize();
    trim.layout()->activate();
    verifyWindow(&trim);
}

int main(int argc, char **argv) {
    // One screen of the size the other window tests use, at the text scaling asked for.
    const QByteArray dpi = qEnvironmentVariableIsSet(kDpiVariable) ? qgetenv(kDpiVariable) : "96";
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 2;
    file.write("{\"screens\": [{\"name\": \"desktop\", \"x\": 0, \"y\": 0, \"width\": 1920, "
               "\"height\": 1200, \"logicalDpi\": " +
               dpi + ", \"logicalBaseDpi\": 96, \"dpr\": 1}]}");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    // Larger text, as a desktop's text scaling gives it, rather than a uniformly scaled window.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    TestLanguages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_languages.moc"
