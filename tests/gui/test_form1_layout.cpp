// The main window as the engineer meets it: every control where it belongs, with its caption,
// font and first visibility; keyboard order, menus, timers and the status bar.
#include "gui_test_helper.h"
#include "units/module1.h"
#include "window/form1.h"

#include <QAccessible>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

namespace {

constexpr double kWindowFont = 0; // the row's control uses the window's own font
constexpr double kAnyFont = -1;   // the control shows no text of its own

// Every member pointer of the window by the name of the control it must be bound to.
QHash<QString, QObject *> members(Form1 &f) {
    QHash<QString, QObject *> m;
    auto add = [&m](const char *name, QObject *o) { m.insert(QLatin1String(name), o); };
    add("Frame1", f.Frame1), add("Frame2", f.Frame2), add("Frame3", f.Frame3);
    add("Frame4", f.Frame4), add("Frame5", f.Frame5), add("Frame6", f.Frame6);
    add("Frame7", f.Frame7);
    add("Text1", f.Text1), add("Text2", f.Text2), add("Text3", f.Text3), add("Text4", f.Text4);
    add("Text5", f.Text5), add("Text6", f.Text6), add("Text7", f.Text7), add("Text8", f.Text8);
    add("Text9_0", f.Text9[0]), add("Text9_1", f.Text9[1]);
    add("Label1", f.Label1), add("Label2", f.Label2), add("Label3", f.Label3);
    add("Label4", f.Label4), add("Label5", f.Label5), add("Label6", f.Label6);
    add("Label7", f.Label7), add("Label8", f.Label8), add("Label10", f.Label10);
    add("Label11", f.Label11), add("Label12", f.Label12), add("Label13", f.Label13);
    add("Label14", f.Label14), add("Label15", f.Label15), add("Label16", f.Label16);
    for (int i = 0; i < 5; ++i)
        m.insert(QStringLiteral("Label9_%1").arg(i), f.Label9[size_t(i)]);
    add("Combo1", f.Combo1), add("Combo2", f.Combo2);
    add("Command1", f.Command1), add("Command2", f.Command2), add("Command3", f.Command3);
    add("Command4", f.Command4), add("Command5", f.Command5), add("Command6", f.Command6);
    add("Command7", f.Command7), add("Command8", f.Command8), add("Command9", f.Command9);
    add("Option1_0", f.Option1[0]), add("Option1_1", f.Option1[1]);
    add("Option3_0", f.Option3[0]), add("Option3_1", f.Option3[1]);
    add("Line1", f.Line1), add("ProgressBar1", f.ProgressBar1);
    add("ProgressBar2", f.ProgressBar2), add("hart1", f.hart1);
    return m;
}

QString captionOf(const QWidget *w) {
    if (auto *g = qobject_cast<const QGroupBox *>(w)) return g->title();
    if (auto *l = qobject_cast<const QLabel *>(w)) return l->text();
    if (auto *b = qobject_cast<const QAbstractButton *>(w)) return b->text();
    if (auto *e = qobject_cast<const QLineEdit *>(w)) return e->text();
    if (auto *c = qobject_cast<const QComboBox *>(w)) return c->currentText();
    return QString();
}

} // namespace

class TestForm1Layout : public QObject {
    Q_OBJECT
private slots:
    void init() { form = std::make_unique<Form1>(); }
    void cleanup() { form.reset(); }

    void controls_data();
    void controls();
    void everyMemberIsBound();
    void tabOrder();
    void displayFieldsAndMarkers();
    void focusableControlsHaveNames();
    void menus_data();
    void menus();
    void menuMnemonicsAreUnique();
    void timers_data();
    void timers();
    void progressBars();
    void windowAndStatusBar();
    void keysReachTheHandlers_data();
    void keysReachTheHandlers();

private:
    std::unique_ptr<Form1> form;
};

void TestForm1Layout::controls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips"); // left, top, width, height
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");

    auto row = [](const char *name, const char *kind, const char *caption, const char *container,
                  int l, int t, int w, int h, bool hidden, double points, bool bold = true) {
        QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(caption)
                            << QString::fromLatin1(container) << QRect(l, t, w, h) << hidden
                            << points << bold;
    };
    const char *C = "centralwidget";
    row("Frame1", "QGroupBox", "Config Data", C, 120, 0, 6255, 8655, false, 12);
    row("Frame2", "QGroupBox", "Fixed Data", "Frame1", 120, 720, 6015, 1575, false, 9.75);
    row("Frame3", "QGroupBox", "Measuring Range", "Frame1", 120, 2280, 6015, 2175, false, 9.75);
    row("Frame4", "QGroupBox", "Extra", "Frame1", 120, 4560, 6015, 1335, false, 9.75);
    row("Frame5", "QGroupBox", "Mounting effect", "Frame1", 120, 6000, 6015, 735, true, 9.75);
    row("Frame7", "QGroupBox", "Current Simulation:", "Frame1", 120, 6840, 5895, 735, true, 9.75);
    row("Frame6", "QGroupBox", "Output signal of transmitter", "Frame1", 120, 7560, 6135, 975, true,
        9.75);

    row("Label2", "QLabel", "Minimum Span:", "Frame2", 600, 360, 1575, 255, false, 8.25);
    row("Text1", "QLineEdit", "", "Frame2", 2400, 360, 1695, 285, false, 8.25);
    row("Label9_0", "QLabel", "", "Frame2", 4560, 360, 975, 255, false, 8.25);
    row("Label3", "QLabel", "Maximum Span:", "Frame2", 600, 720, 1575, 255, false, 8.25);
    row("Text2", "QLineEdit", "", "Frame2", 2400, 720, 1695, 285, false, 8.25);
    row("Label9_2", "QLabel", "", "Frame2", 4560, 720, 975, 255, false, 8.25);
    row("Label4", "QLabel", "Minimum Zero:", "Frame2", 600, 1080, 1575, 255, false, 8.25);
    row("Text3", "QLineEdit", "", "Frame2", 2400, 1080, 1695, 285, false, 8.25);
    row("Label9_1", "QLabel", "", "Frame2", 4560, 1080, 975, 255, false, 8.25);

    row("Label5", "QLabel", "Zero:", "Frame3", 600, 360, 1575, 255, false, 8.25);
    row("Text4", "QLineEdit", "", "Frame3", 1800, 360, 1695, 285, false, 8.25);
    row("Label9_3", "QLabel", "", "Frame3", 3960, 360, 975, 255, false, 8.25);
    row("Label16", "QLabel", "Changed", "Frame3", 4920, 360, 975, 255, true, 9.75);
    row("Label1", "QLabel", "Span:", "Frame3", 600, 720, 1575, 255, false, 8.25);
    row("Text5", "QLineEdit", "", "Frame3", 1800, 720, 1695, 285, false, 8.25);
    row("Label9_4", "QLabel", "", "Frame3", 3960, 720, 975, 255, false, 8.25);
    row("Label15", "QLabel", "Changed", "Frame3", 4920, 720, 975, 255, true, 9.75);
    row("Label8", "QLabel", "Unit:", "Frame3", 600, 1080, 1575, 255, false, 8.25);
    row("Combo1", "QComboBox", "", "Frame3", 1800, 1080, 1695, 315, false, 8.25);
    row("Command3", "QPushButton", "Send", "Frame3", 3960, 1080, 1335, 315, false, kWindowFont);
    // The rule runs from 240 to 5760 at 1560; the frame straddles it.
    row("Line1", "QFrame", "", "Frame3", 240, 1545, 5520, 30, false, kAnyFont);
    row("Command7", "QPushButton", "Set Current Pressure As 4 mA", "Frame3", 240, 1680, 2535, 375,
        false, kWindowFont);
    row("Command6", "QPushButton", "Set Current Pressure As 20 mA", "Frame3", 3240, 1680, 2535, 375,
        false, kWindowFont);

    row("Label6", "QLabel", "Damping:", "Frame4", 600, 360, 1575, 255, false, 8.25);
    row("Text6", "QLineEdit", "", "Frame4", 2400, 360, 975, 285, false, 8.25);
    row("Label10", "QLabel", "Sec.", "Frame4", 3480, 360, 495, 255, false, 8.25);
    row("Label7", "QLabel", "Output:", "Frame4", 600, 720, 1575, 255, false, 8.25);
    row("Option1_0", "QRadioButton", "4-20 mA", "Frame4", 2400, 720, 1695, 255, false, 8.25);
    row("Option1_1", "QRadioButton", "20-4 mA", "Frame4", 2400, 960, 1695, 255, false, 8.25);
    row("Command4", "QPushButton", "Send", "Frame4", 4320, 600, 1335, 315, false, kWindowFont);

    row("Label12", "QLabel", "Tag Number:", "Frame1", 720, 360, 1455, 375, true, 9.75);
    row("Text7", "QLineEdit", "", "Frame1", 2520, 360, 1695, 285, true, 8.25);
    row("Command8", "QPushButton", "Send", "Frame1", 4440, 360, 1335, 315, true, kWindowFont);

    row("Combo2", "QComboBox", "Combo2", "Frame5", 840, 240, 1455, 360, false, 9.75);
    row("Command9", "QPushButton", "Send", "Frame5", 4320, 360, 1335, 315, false, kWindowFont);

    row("Label11", "QLabel", "Fixed Current (mA):", "Frame7", 360, 360, 1815, 255, false, 8.25);
    row("Text8", "QLineEdit", "4.00", "Frame7", 2520, 240, 975, 285, true, 8.25);
    row("Command5", "QPushButton", "Send", "Frame7", 4320, 240, 1335, 315, false, kWindowFont);

    row("Option3_1", "QRadioButton", "On", "Frame6", 360, 240, 855, 255, false, kWindowFont);
    row("Option3_0", "QRadioButton", "Off", "Frame6", 1440, 240, 855, 255, false, kWindowFont);
    row("Text9_0", "QLineEdit", "", "Frame6", 2640, 240, 615, 285, false, 9.75);
    row("Label13", "QLabel", "mA", "Frame6", 3480, 240, 375, 255, false, 8.25);
    row("Text9_1", "QLineEdit", "", "Frame6", 4200, 240, 615, 285, false, 9.75);
    row("Label14", "QLabel", "%", "Frame6", 4920, 240, 375, 255, false, 9.75);
    row("ProgressBar2", "QProgressBar", "", "Frame6", 240, 600, 5415, 255, false, kAnyFont);

    row("ProgressBar1", "QProgressBar", "", C, 120, 8640, 6015, 270, false, kAnyFont);
    row("hart1", "QWidget", "", C, 720, 8760, 495, 495, true, kAnyFont);
    row("Command2", "QPushButton", "Co&nnect", C, 1560, 8880, 1695, 495, false, kWindowFont);
    row("Command1", "QPushButton", "E&xit", C, 4080, 8880, 1695, 495, false, kWindowFont);
}

void TestForm1Layout::controls() {
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(bool, hidden);
    QFETCH(double, points);
    QFETCH(bool, bold);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    auto *w = form->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
    QCOMPARE(captionOf(w), caption);
    QVERIFY(w->parentWidget());
    QCOMPARE(w->parentWidget()->objectName(), container);

    const double f = form->logicalDpiX() / 96.0;
    auto px = [f](int t) { return qRound(qRound(t / 15.0) * f); };
    QCOMPARE(w->geometry(),
             QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
    QCOMPARE(w->isHidden(), hidden);

    // The faces as designed; a caption too long for its box may be set up to a point smaller,
    // never cut off.
    if (points == kWindowFont) {
        points = form->font().pointSizeF();
        bold = form->font().bold();
        QCOMPARE(w->font().family(), form->font().family());
    }
    if (points > 0) {
        QVERIFY2(w->font().pointSizeF() <= points && w->font().pointSizeF() >= points - 1,
                 qPrintable(QString::number(w->font().pointSizeF())));
        QCOMPARE(w->font().bold(), bold);
        // The classic face where installed, otherwise an installed sans face, not a guess.
        QVERIFY2(QFontDatabase::hasFamily(w->font().family()), qPrintable(w->font().family()));
    }
    if ((qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w)) && !caption.isEmpty())
        QVERIFY2(w->sizeHint().width() <= w->width(), qPrintable(caption));
}

void TestForm1Layout::everyMemberIsBound() {
    const auto m = members(*form);
    for (auto it = m.cbegin(); it != m.cend(); ++it) {
        QVERIFY2(it.value(), qPrintable(it.key()));
        QCOMPARE(it.value()->objectName(), it.key());
    }
    QVERIFY(form->HartX1);
    // The control belongs to the window's session, which the window owns.
    QCOMPARE(form->HartX1->parent(), static_cast<QObject *>(form->session));
    QCOMPARE(form->session->parent(), static_cast<QObject *>(form.get()));
    QCOMPARE(form->StatusBar1, form->statusBar());
    for (QLabel *panel : form->StatusPanel) {
        QVERIFY(panel);
        QCOMPARE(panel->parentWidget(), form->StatusBar1);
    }
    for (QObject *o :
         {static_cast<QObject *>(form->bestand), static_cast<QObject *>(form->Configuratie),
          static_cast<QObject *>(form->abboutscherm), static_cast<QObject *>(form->ConnectMenu),
          static_cast<QObject *>(form->Exitform), static_cast<QObject *>(form->Compoort),
          static_cast<QObject *>(form->Infoscreen)})
        QVERIFY(o);
}

void TestForm1Layout::tabOrder() {
    // The read-only output fields Text9_0 and Text9_1 are skipped like the fixed data.
    const QStringList expected = {"Command2", "Command1",  "Text7",     "Command8",  "Text4",
                                  "Text5",    "Combo1",    "Command3",  "Command7",  "Command6",
                                  "Text6",    "Option1_0", "Option1_1", "Command4",  "Combo2",
                                  "Command9", "Text8",     "Command5",  "Option3_0", "Option3_1"};
    const auto named = members(*form);
    QStringList seen;
    QWidget *w = form->Command2;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && named.contains(w->objectName()))
            seen << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != form->Command2 && seen.size() < 100);
    QCOMPARE(seen, expected);
}

void TestForm1Layout::displayFieldsAndMarkers() {
    for (QLineEdit *t : {form->Text1, form->Text2, form->Text3}) {
        QVERIFY(t->isReadOnly());
        QVERIFY(!(t->focusPolicy() & Qt::TabFocus));
        QCOMPARE(t->palette().color(QPalette::Base), form->palette().color(QPalette::Window));
    }
    for (QLineEdit *t : {form->Text4, form->Text5, form->Text6, form->Text7, form->Text8})
        QVERIFY(!t->isReadOnly());
    for (QLineEdit *t : form->Text9)
        QCOMPARE(t->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    for (QLabel *l : {form->Label15, form->Label16})
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(form->Combo2->isEditable());
    // Typed text is taken as typed, never added to the three actions.
    QCOMPARE(form->Combo2->insertPolicy(), QComboBox::NoInsert);
    QVERIFY(!form->Combo1->isEditable());
    QCOMPARE(form->Combo1->count(), 0);
    QCOMPARE(form->Combo2->count(), 0);
    QCOMPARE(form->Line1->frameShape(), QFrame::HLine);
    // Field names read by screen readers and reached by their labels.
    QCOMPARE(form->Label5->buddy(), form->Text4);
    QCOMPARE(form->Label1->buddy(), form->Text5);
    QCOMPARE(form->Label8->buddy(), form->Combo1);
    QCOMPARE(form->Text4->accessibleName(), QStringLiteral("Zero"));
    QCOMPARE(form->Text5->accessibleName(), QStringLiteral("Span"));
}

void TestForm1Layout::focusableControlsHaveNames() {
    const auto named = members(*form);
    for (auto it = named.cbegin(); it != named.cend(); ++it) {
        auto *w = qobject_cast<QWidget *>(it.value());
        if (!w || !(w->focusPolicy() & Qt::TabFocus)) continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(iface, qPrintable(it.key()));
        QVERIFY2(!iface->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(it.key()));
    }
}

void TestForm1Layout::menus_data() {
    QTest::addColumn<QString>("menuName");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("captions");
    // The configuration-file entries sit between Connect and Exit, set off by separators.
    QTest::newRow("File") << "bestand"
                          << "&File" << QStringList{"ConnectMenu", "",           "SaveConfigMenu",
                                                    "CompareMenu", "ReportMenu", "PrintReportMenu",
                                                    "HistoryMenu", "",           "Exitform"}
                          << QStringList{"Co&nnect",
                                         "",
                                         "&Save configuration…",
                                         "Com&pare with file…",
                                         "&Report…",
                                         "Prin&t report…",
                                         "&History…",
                                         "",
                                         "E&xit"};
    QTest::newRow("Config") << "Configuratie"
                            << "&Config" << QStringList{"Compoort", "FindTransmitterMenu"}
                            << QStringList{"COM-&settings", "&Find transmitter…"};
    QTest::newRow("Device") << "DeviceMenu"
                            << "&Device"
                            << QStringList{"DeviceStatusMenu", "LoopCheckMenu", "TrendMenu"}
                            << QStringList{"Device &status…", "&Loop check…", "&Trend…"};
    QTest::newRow("About") << "abboutscherm"
                           << "&About" << QStringList{"Infoscreen"} << QStringList{"&Info"};
}

void TestForm1Layout::menus() {
    QFETCH(QString, menuName);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    QFETCH(QStringList, captions);
    auto *menu = form->findChild<QMenu *>(menuName);
    QVERIFY(menu);
    QCOMPARE(menu->title(), title);
    QVERIFY(form->menuBar()->actions().contains(menu->menuAction()));
    QStringList names, texts;
    for (QAction *a : menu->actions())
        names << a->objectName(), texts << a->text();
    QCOMPARE(names, items);
    QCOMPARE(texts, captions);
}

// Alt plus a letter must lead to one place: among the menu bar's titles, and within each menu.
void TestForm1Layout::menuMnemonicsAreUnique() {
    auto mnemonic = [](const QString &text) {
        const int at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
    };
    QStringList titles;
    QList<QChar> barKeys;
    for (QAction *m : form->menuBar()->actions()) {
        titles << m->text();
        const QChar k = mnemonic(m->text());
        QVERIFY2(!k.isNull() && !barKeys.contains(k), qPrintable(m->text()));
        barKeys << k;
        QList<QChar> keys;
        for (QAction *a : m->menu()->actions()) {
            if (a->isSeparator()) continue;
            const QChar ak = mnemonic(a->text());
            QVERIFY2(!ak.isNull() && !keys.contains(ak), qPrintable(a->text()));
            keys << ak;
        }
    }
    QCOMPARE(titles.first(), QStringLiteral("&File"));
    QCOMPARE(titles.last(), QStringLiteral("&About"));
    QCOMPARE(titles.indexOf(QStringLiteral("&Device")),
             titles.indexOf(QStringLiteral("&Config")) + 1);
}

void TestForm1Layout::timers_data() {
    QTest::addColumn<int>("interval");
    QTest::newRow("Timer1") << 1500;
    QTest::newRow("Timer2") << 1500;
    QTest::newRow("Timer4") << 3500;
    QTest::newRow("Timer5") << 1000;
}

void TestForm1Layout::timers() {
    QFETCH(int, interval);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QHash<QString, QTimer *> timers = {{"Timer1", form->Timer1},
                                             {"Timer2", form->Timer2},
                                             {"Timer4", form->Timer4},
                                             {"Timer5", form->Timer5}};
    QTimer *t = timers.value(name);
    QVERIFY(t);
    QCOMPARE(t->objectName(), name);
    QCOMPARE(t->parent(), form->session);
    QCOMPARE(t->interval(), interval);
    QVERIFY(t->isSingleShot());
    QVERIFY(!t->isActive());
}

void TestForm1Layout::progressBars() {
    QCOMPARE(form->ProgressBar1->minimum(), 0);
    QCOMPARE(form->ProgressBar1->maximum(), 100);
    QCOMPARE(form->ProgressBar2->minimum(), 0);
    QCOMPARE(form->ProgressBar2->maximum(), 10000);
    QCOMPARE(form->ProgressBar1->value(), 0);
    QCOMPARE(form->ProgressBar2->value(), 0);
}

void TestForm1Layout::windowAndStatusBar() {
    QCOMPARE(form->windowTitle(), QStringLiteral("Pelvanor I / Ostrimel Config"));
    QVERIFY(!form->windowIcon().isNull());
    const double f = form->logicalDpiX() / 96.0;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->centralWidget()->size(), QSize(qRound(430 * f), qRound(629 * f)));
    QCOMPARE(form->StatusBar1->height(), qRound(17 * f));
    // The design size is kept: the window cannot be resized.
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(form->size(), form->minimumSize());
    QCOMPARE(form->centralWidget()->geometry().bottom() + 1, form->StatusBar1->geometry().top());

    // As wide as designed, wider only where this locale's time or date needs it.
    QVERIFY(form->StatusPanel[0]->width() >= qRound(96 * f));
    QVERIFY(form->StatusPanel[2]->width() >= qRound(67 * f));
    for (QLabel *panel : {form->StatusPanel[0], form->StatusPanel[2]})
        QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <
                panel->contentsRect().width());
    QVERIFY(form->StatusPanel[1]->width() > form->StatusPanel[0]->width());
    QVERIFY(form->StatusPanel[0]->geometry().right() < form->StatusPanel[1]->geometry().left());
    QVERIFY(form->StatusPanel[1]->geometry().right() < form->StatusPanel[2]->geometry().left());
    const QLocale locale = QLocale::system();
    QCOMPARE(form->StatusPanel[2]->text(),
             locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    const QString time = form->StatusPanel[0]->text();
    QVERIFY(!time.isEmpty());
    QVERIFY(QTime::fromString(time, locale.timeFormat(QLocale::ShortFormat)).isValid());
    QVERIFY(form->StatusPanel[1]->text().isEmpty());
}

// Each key reaches the field's handler with its classic code before the box acts on it: Esc 27,
// Backspace 8, Enter 13 from either Enter key.
void TestForm1Layout::keysReachTheHandlers_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QString>("text"); // expected afterwards; "zero:<pattern>" = the loaded zero
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("command"); // sent because of the key; -1: none

    QTest::newRow("Text4 Esc") << "Text4"
                               << "7" << int(Qt::Key_Escape) << false << "zero:#0.000#"
                               << "Text5" << -1;
    QTest::newRow("Text4 Backspace") << "Text4"
                                     << "7" << int(Qt::Key_Backspace) << false << "zero:plain"
                                     << "Text4" << -1;
    QTest::newRow("Text4 Enter") << "Text4"
                                 << "2,5" << int(Qt::Key_Return) << false << "2.5:#0.000#"
                                 << "Text5" << -1;
    QTest::newRow("Text4 keypad Enter") << "Text4"
                                        << "2,5" << int(Qt::Key_Enter) << true << "2.5:#0.000#"
                                        << "Text5" << -1;
    QTest::newRow("Text4 other key") << "Text4"
                                     << "2,5" << int(Qt::Key_X) << false << "2,5x"
                                     << "Text4" << -1;
    QTest::newRow("Text5 Enter") << "Text5"
                                 << "3" << int(Qt::Key_Return) << false << "3:#0.000#"
                                 << "Command3" << -1;
    QTest::newRow("Text5 keypad Enter") << "Text5"
                                        << "3" << int(Qt::Key_Enter) << true << "3:#0.000#"
                                        << "Command3" << -1;
    QTest::newRow("Text8 Enter") << "Text8"
                                 << "4.00" << int(Qt::Key_Return) << false << "4.00"
                                 << "Text8" << 40;
    QTest::newRow("Text8 keypad Enter") << "Text8"
                                        << "12,5" << int(Qt::Key_Enter) << true << "12,5"
                                        << "Text8" << 40;
    QTest::newRow("Text8 Esc") << "Text8"
                               << "4.00" << int(Qt::Key_Escape) << false << "4.00"
                               << "Text8" << -1;
}

void TestForm1Layout::keysReachTheHandlers() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    QFETCH(int, command);

    GuiFixture fx;
    QVERIFY(fx.loadAndWaitForData());
    fx.form->show();
    fx.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));
    // The panels come back with Timer1's tick; no need to sit out its interval.
    QVERIFY(fx.form->Timer1->isActive());
    fx.form->Timer1->stop();
    fx.form->session->Timer1_Timer();
    QVERIFY(fx.form->Frame7->isVisible());
    QVERIFY(fx.waitIdle());
    fx.form->Option3[0]->click(); // no monitoring traffic in between
    QVERIFY(fx.waitIdle());
    fx.device.clearTrace();

    auto *edit = fx.form->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);

    if (text.startsWith(QLatin1String("zero:"))) {
        const double zero = fx.form->ZeroAsRead.toDouble();
        text = text.endsWith(QLatin1String("plain")) ? Module1::PlainNumberText(zero)
                                                     : Module1::Format(zero, text.mid(5));
    } else if (text.contains(QLatin1Char(':'))) {
        const QStringList parts = text.split(QLatin1Char(':'));
        text = Module1::Format(parts[0].toDouble(), parts[1]);
    }
    QCOMPARE(edit->text(), text);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(fx.waitIdle());
    const QList<int> sent = fx.commandsSeen();
    if (command < 0)
        QVERIFY2(sent.isEmpty(), qPrintable(QString::number(sent.value(0))));
    else
        QVERIFY(sent.contains(command));
}

QTEST_MAIN(TestForm1Layout)
#include "test_form1_layout.moc"
