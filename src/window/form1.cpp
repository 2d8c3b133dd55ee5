#include "window/form1.h"

#include "window/main_window_view.h"

#include "history/history_text.h"
#include "history/history_window.h"
#include "history/session_recorder.h"

#include "dialogs/frm_splash.h"
#include "health/device_health.h"
#include "health/status_indicator.h"
#include "keeper/records_keeper.h"
#include "ui_form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTime>
#include <QTimer>
#include <QValidator>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

namespace {

// The form is laid out in 96-dpi pixels (twips / 15).
constexpr int kClientWidth = 430;   // 6450 twips
constexpr int kCentralHeight = 629; // the status bar starts at 9435 twips
constexpr int kStatusHeight = 17;   // 255 twips
constexpr int kTimePanelWidth = 96; // 1440 twips
constexpr int kDatePanelWidth = 67; // 1000 twips

QRect scaled(const QRect &r, qreal f) {
    return QRect(qRound(r.x() * f), qRound(r.y() * f), qRound(r.width() * f),
                 qRound(r.height() * f));
}

// Designer keeps whole points only; the form's faces are the classic 8.25 and 9.75 pt sizes.
void applyClassicFaces(QWidget *w) {
    const QString classic = QStringLiteral("MS Sans Serif");
    if (w->font().family() != classic) return;
    QFont f = w->font();
    if (f.pointSize() == 8)
        f.setPointSizeF(8.25);
    else if (f.pointSize() == 10)
        f.setPointSizeF(9.75);
    w->setFont(WithFallbackFamily(f));
}

// Combo2's entries; the session reads the chosen entry by its place, never by its text.
constexpr const char *kMountingActions[] = {QT_TRANSLATE_NOOP("Form1", "Esc"),
                                            QT_TRANSLATE_NOOP("Form1", "Reset"),
                                            QT_TRANSLATE_NOOP("Form1", "Set")};

// A caption that does not fit its box at the form's font gets a slightly smaller one rather than
// being cut off; the box keeps its place and size. The size it was given first is kept, so that
// a caption in another language starts again from there, shorter ones included.
void shrinkToFit(QWidget *w) {
    constexpr qreal kSmallest = 6.5;
    const char *const kDesignPoints = "zanuDesignPoints";
    QFont f = w->font();
    if (!w->property(kDesignPoints).isValid())
        w->setProperty(kDesignPoints, f.pointSizeF());
    else if (f.pointSizeF() != w->property(kDesignPoints).toReal()) {
        f.setPointSizeF(w->property(kDesignPoints).toReal());
        w->setFont(f);
    }
    while (w->sizeHint().width() > w->width() && f.pointSizeF() - 0.25 >= kSmallest) {
        f.setPointSizeF(f.pointSizeF() - 0.25);
        w->setFont(f);
    }
}

// The display fields show numbers the program writes; a long one is shown whole in a smaller
// face instead of scrolled out of the box.
void fitDisplayText(QLineEdit *e, qreal designPoints) {
    constexpr qreal kSmallest = 6.5;
    constexpr int kLineEditMargin = 2; // QLineEdit's own horizontal text margin
    const int frame =
        e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
    const QMargins tm = e->textMargins();
    const int room = e->width() - 2 * frame - 2 * kLineEditMargin - tm.left() - tm.right() - 1;
    QFont f = e->font();
    f.setPointSizeF(designPoints);
    while (QFontMetrics(f).horizontalAdvance(e->text()) > room &&
           f.pointSizeF() - 0.25 >= kSmallest)
        f.setPointSizeF(f.pointSizeF() - 0.25);
    if (f != e->font()) e->setFont(f);
}

// A status panel as wide as designed, or as its widest text needs in this locale and font.
void sizePanel(QLabel *panel, int designWidth, const QStringList &samples) {
    const QFontMetrics fm(panel->font());
    int needed = 0;
    for (const QString &s : samples)
        needed = std::max(needed, fm.horizontalAdvance(s));
    needed += 2 * panel->frameWidth() + 2 * fm.averageCharWidth();
    panel->setFixedWidth(std::max(designWidth, needed));
}

// The key codes a classic key-press handler expects for one key press: none for keys that type
// nothing (cursor and function keys, Tab which moves the focus, Delete).
QList<int> keyAsciiCodes(const QKeyEvent *e) {
    switch (e->key()) {
    case Qt::Key_Escape:
        return {27};
    case Qt::Key_Backspace:
        return {8};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {13};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    QList<int> codes;
    for (char32_t c : e->text().toUcs4())
        codes.append(int(c));
    return codes;
}

// The tag field takes only what the transmitter can store, and shows at once what it will store:
// lower case turns upper case and any other character turns into the '?' it would arrive as.
class TagValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        input = Session::StoredTag(input);
        return Acceptable;
    }
};

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent), session(new Session(this)), Dev(session->Dev), ui(new Ui::Form1) {
    ui->setupUi(this);
    bindControls();
    styleControls();

    // The HART control, the chains and their timers are the session's; this window shows them
    // and answers their questions.
    HartX1 = session->hart();
    Timer1 = session->Timer1;
    Timer2 = session->Timer2;
    Timer4 = session->Timer4;
    Timer5 = session->Timer5;
    view_ = std::make_unique<MainWindowView>(*this);
    session->attach(view_.get(), view_.get());
    Health = new DeviceHealth(*session, *view_);

    connectEvents();
    attachFeatures();
    makeStatusBar();
    fitToDesign();
}

// The Designer form's controls under the names the program gives them.
void Form1::bindControls() {
    Frame1 = ui->Frame1;
    Frame2 = ui->Frame2;
    Frame3 = ui->Frame3;
    Frame4 = ui->Frame4;
    Frame5 = ui->Frame5;
    Frame6 = ui->Frame6;
    Frame7 = ui->Frame7;
    Text1 = ui->Text1;
    Text2 = ui->Text2;
    Text3 = ui->Text3;
    Text4 = ui->Text4;
    Text5 = ui->Text5;
    Text6 = ui->Text6;
    Text7 = ui->Text7;
    Text8 = ui->Text8;
    Text9 = {ui->Text9_0, ui->Text9_1};
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    Label3 = ui->Label3;
    Label4 = ui->Label4;
    Label5 = ui->Label5;
    Label6 = ui->Label6;
    Label7 = ui->Label7;
    Label8 = ui->Label8;
    Label10 = ui->Label10;
    Label11 = ui->Label11;
    Label12 = ui->Label12;
    Label13 = ui->Label13;
    Label14 = ui->Label14;
    Label15 = ui->Label15;
    Label16 = ui->Label16;
    Label9 = {ui->Label9_0, ui->Label9_1, ui->Label9_2, ui->Label9_3, ui->Label9_4};
    Combo1 = ui->Combo1;
    Combo2 = ui->Combo2;
    Command1 = ui->Command1;
    Command2 = ui->Command2;
    Command3 = ui->Command3;
    Command4 = ui->Command4;
    Command5 = ui->Command5;
    Command6 = ui->Command6;
    Command7 = ui->Command7;
    Command8 = ui->Command8;
    Command9 = ui->Command9;
    Option1 = {ui->Option1_0, ui->Option1_1};
    Option3 = {ui->Option3_0, ui->Option3_1};
    Line1 = ui->Line1;
    ProgressBar1 = ui->ProgressBar1;
    ProgressBar2 = ui->ProgressBar2;
    hart1 = ui->hart1;
    StatusBar1 = ui->StatusBar1;
    bestand = ui->bestand;
    Configuratie = ui->Configuratie;
    abboutscherm = ui->abboutscherm;
    ConnectMenu = ui->ConnectMenu;
    Exitform = ui->Exitform;
    Compoort = ui->Compoort;
    Infoscreen = ui->Infoscreen;
    DeviceMenu = ui->DeviceMenu;
    DeviceStatusMenu = ui->DeviceStatusMenu;
    FindTransmitterMenu = ui->FindTransmitterMenu;
    LoopCheckMenu = ui->LoopCheckMenu;
    TrendMenu = ui->TrendMenu;
}

// Faces, colours and validators the form file cannot say.
void Form1::styleControls() {
    setWindowIcon(QIcon(ProductPicture(32)));

    // Fonts: the form's own faces, and the buttons and Option3 on the window's default font
    // rather than the bold caption font of the frame they sit in. The menu bar stays on the
    // desktop's menu font.
    applyClassicFaces(this);
    for (QWidget *w : findChildren<QWidget *>())
        applyClassicFaces(w);
    QFont menuFont = QApplication::font(menuBar());
    menuFont.setResolveMask(QFont::AllPropertiesResolved);
    menuBar()->setFont(menuFont);
    QFont windowFont = font();
    windowFont.setResolveMask(QFont::AllPropertiesResolved);
    for (QWidget *w : {static_cast<QWidget *>(Command1), static_cast<QWidget *>(Command2),
                       static_cast<QWidget *>(Command3), static_cast<QWidget *>(Command4),
                       static_cast<QWidget *>(Command5), static_cast<QWidget *>(Command6),
                       static_cast<QWidget *>(Command7), static_cast<QWidget *>(Command8),
                       static_cast<QWidget *>(Command9), static_cast<QWidget *>(Option3[0]),
                       static_cast<QWidget *>(Option3[1])})
        w->setFont(windowFont);

    // The fixed-data fields are display only: grey like the menu bar, skipped by Tab.
    for (QLineEdit *t : {Text1, Text2, Text3}) {
        QPalette p = t->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        t->setPalette(p);
    }
    for (QLabel *l : {Label15, Label16}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(p);
    }

    // The controls sit just below each frame's top edge, which is laid out for a caption that
    // straddles the frame line; frames drawn with the caption above the line would run into
    // them. The classic style draws exactly that, and only the frames use it.
    if (QStyle *classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        classic->setParent(this);
        for (QGroupBox *g : {Frame1, Frame2, Frame3, Frame4, Frame5, Frame6, Frame7})
            g->setStyle(classic);
    }

    Text7->setMaxLength(8);
    Text7->setValidator(new TagValidator(Text7));
}

// The user's events to their handlers.
void Form1::connectEvents() {
    // User events. Programmatic selections of Combo1 go through SetCombo1ListIndex, so only the
    // user's choice arrives here.
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
    connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });
    connect(Text4, &QLineEdit::textChanged, this, [this] { Text4_Change(); });
    connect(Text5, &QLineEdit::textChanged, this, [this] { Text5_Change(); });
    // The option's state, not the mouse: keyboard and accessibility actions select it without a
    // mouse click, and each change runs the handler once, for the button that became selected. A
    // click on the button already selected changes nothing, yet "On" clicked again is how the
    // user resumes a poll that a button's sequence left paused, so that click runs it too.
    for (int i = 0; i < int(Option3.size()); ++i) {
        QRadioButton *option = Option3[size_t(i)];
        auto selectedWhenPressed = std::make_shared<bool>(false);
        connect(option, &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected) Option3_Click(i);
        });
        connect(option, &QRadioButton::pressed, this,
                [option, selectedWhenPressed] { *selectedWhenPressed = option->isChecked(); });
        connect(option, &QRadioButton::clicked, this, [this, i, option, selectedWhenPressed] {
            if (std::exchange(*selectedWhenPressed, false) && option->isChecked()) Option3_Click(i);
        });
    }
    connect(ConnectMenu, &QAction::triggered, this, &Form1::ConnectMenu_Click);
    connect(Exitform, &QAction::triggered, this, &Form1::Exitform_Click);
    connect(Compoort, &QAction::triggered, this, &Form1::Compoort_Click);
    connect(Infoscreen, &QAction::triggered, this, &Form1::Infoscreen_Click);
    connect(DeviceStatusMenu, &QAction::triggered, Health, &DeviceHealth::openStatusWindow);
    connect(FindTransmitterMenu, &QAction::triggered, Health, &DeviceHealth::openFinder);
    connect(LoopCheckMenu, &QAction::triggered, this, &Form1::LoopCheckMenu_Click);
    connect(TrendMenu, &QAction::triggered, this, &Form1::TrendMenu_Click);
    for (QLineEdit *t : {Text4, Text5, Text8})
        t->installEventFilter(this);
    // Enter on a focused button presses it, as on the platform the program comes from (Enter in
    // Span moves on to "Send", and the next Enter sends); Space stays the button's own.
    for (QPushButton *b :
         {Command1, Command2, Command3, Command4, Command5, Command6, Command7, Command8, Command9})
        b->installEventFilter(this);
    // One stray wheel notch over the unit list would convert every value and mark the span
    // changed: the wheel chooses a unit only once the list has the focus.
    Combo1->setFocusPolicy(Qt::StrongFocus);
    Combo1->installEventFilter(this);
}

// The features beside the window: the configuration files and the history.
void Form1::attachFeatures() {
    // Made after the window's own connections, so that it sees each result once the window's
    // handler has decoded it.
    Records = new RecordsKeeper(*session, *view_);
    // Every transaction goes into the history; a history that cannot be written is said in the
    // status bar, and the window works on without it.
    History = history::AttachToSession(*session, this);
    connect(History, &history::SessionRecorder::warning, this,
            [this](const QString &text) { StatusBar1->showMessage(text, 15000); });
    Records->historyLines = [](qint64 serial) { return history::reportLines(serial); };
    {
        // The history's entry joins the file entries, after the report's.
        QAction *entry = history::AddHistoryMenuEntry(bestand, this);
        entry->setObjectName(QStringLiteral("HistoryMenu"));
        bestand->removeAction(entry);
        const QList<QAction *> file = bestand->actions();
        const int at = int(file.indexOf(Records->PrintReportMenu)) + 1;
        bestand->insertAction(at < file.size() ? file[at] : Exitform, entry);
    }
}

// Status bar: time, a text panel that takes the rest, date.
void Form1::makeStatusBar() {
    const char *panelNames[] = {"StatusPanel_0", "StatusPanel_1", "StatusPanel_2"};
    for (size_t i = 0; i < StatusPanel.size(); ++i) {
        auto *l = new QLabel(StatusBar1);
        l->setObjectName(QLatin1String(panelNames[i]));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(i == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        StatusPanel[i] = l;
        StatusBar1->addWidget(l, i == 1 ? 1 : 0);
    }
    showOwnTexts();
    // The health sign sits before the date and takes its room from the text panel, only
    // while it is shown.
    StatusBar1->insertWidget(2, Health->indicator());
    auto *clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("clockTimer"));
    clock->setInterval(kClockInterval);
    connect(clock, &QTimer::timeout, this, &Form1::updateClock);
    clock->start();
    updateClock();
}

// The window's size as designed, grown with the screen's density, scrolling where the screen is
// small.
void Form1::fitToDesign() {
    // The form is drawn for 96 dpi; on a denser screen every place and size grows with it, so
    // the larger text still fits its box.
    const qreal f = logicalDpiX() / 96.0;
    if (std::abs(f - 1.0) > 0.01) {
        for (QWidget *w : centralWidget()->findChildren<QWidget *>()) {
            QWidget *p = w->parentWidget();
            if (p == centralWidget() || qobject_cast<QGroupBox *>(p))
                w->setGeometry(scaled(w->geometry(), f));
        }
    }
    fitCaptions();

    for (QLineEdit *e : {Text1, Text2, Text3, Text9[0], Text9[1]}) {
        const qreal designPoints = e->font().pointSizeF();
        connect(e, &QLineEdit::textChanged, this,
                [e, designPoints] { fitDisplayText(e, designPoints); });
    }

    const QLocale locale = QLocale::system();
    QStringList times, dates;
    for (int h : {0, 12, 23})
        times << locale.toString(QTime(h, 58, 58), QLocale::ShortFormat);
    for (int m = 1; m <= 12; ++m)
        dates << locale.toString(QDate(2088, m, 28), QLocale::ShortFormat);
    sizePanel(StatusPanel[0], qRound(kTimePanelWidth * f), times);
    sizePanel(StatusPanel[2], qRound(kDatePanelWidth * f), dates);
    StatusBar1->setFixedHeight(qRound(kStatusHeight * f));
    const QSize central(qRound(kClientWidth * f), qRound(kCentralHeight * f));
    centralWidget()->setFixedSize(central);
    int menuHeight = menuBar()->heightForWidth(central.width());
    if (menuHeight < 0) menuHeight = menuBar()->sizeHint().height();
    designSize = QSize(central.width(), menuHeight + central.height() + StatusBar1->height());

    // The form keeps its design size wherever the screen has room for it. On a smaller screen
    // (a laptop at 200 %) the window shrinks to the screen and the form scrolls inside it, so
    // that the menu, every field and both buttons stay within reach.
    scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(false);
    // Not a tab stop of its own: moving the focus scrolls the control it lands on into view.
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(takeCentralWidget());
    setCentralWidget(scroller);
    fitToScreen();
}

Form1::~Form1() {
    // The session outlives this window's members by a moment; nothing may reach them meanwhile.
    session->attach(nullptr, nullptr);
}

void Form1::fitToScreen() {
    const QScreen *s = screen();
    if (!s) {
        setFixedSize(designSize);
        return;
    }
    const QRect area = s->availableGeometry();
    // What the window system draws around the window is known only once it is shown.
    const QMargins frame =
        windowHandle() && isVisible() ? windowHandle()->frameMargins() : QMargins();
    const QSize room = area.size().shrunkBy(frame);

    // A scroll bar in one direction takes room in the other, so the two are decided together.
    const int barWidth = scroller->verticalScrollBar()->sizeHint().width();
    const int barHeight = scroller->horizontalScrollBar()->sizeHint().height();
    QSize size = designSize;
    bool tall = size.height() > room.height();
    bool wide = size.width() + (tall ? barWidth : 0) > room.width();
    tall = tall || size.height() + (wide ? barHeight : 0) > room.height();
    if (tall) size.rwidth() += barWidth;
    if (wide) size.rheight() += barHeight;
    setFixedSize(size.boundedTo(room));

    if (!isVisible()) return;
    // Never off the screen: the title bar and the menu come first.
    QRect placed = frameGeometry();
    placed.moveRight(std::min(placed.right(), area.right()));
    placed.moveBottom(std::min(placed.bottom(), area.bottom()));
    placed.moveLeft(std::max(placed.left(), area.left()));
    placed.moveTop(std::max(placed.top(), area.top()));
    if (placed.topLeft() != frameGeometry().topLeft()) move(placed.topLeft());
}

void Form1::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (windowHandle() && !screenWatched) {
        screenWatched = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { fitToScreen(); });
    }
    // The frame is drawn after the window is mapped; fit again once it is there.
    fitToScreen();
    QTimer::singleShot(0, this, [this] { fitToScreen(); });
}

void Form1::fitCaptions() {
    for (QWidget *w : ui->centralwidget->findChildren<QWidget *>())
        if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w)) shrinkToFit(w);
}

// The window's texts that are not in its form.
void Form1::showOwnTexts() {
    Text7->setToolTip(tr("Up to 8 characters. The transmitter stores letters as upper "
                         "case; a character it cannot store shows as ?."));
    // The role is the description: the name a screen reader reads is the panel's text.
    const char *const panelRoles[] = {QT_TR_NOOP("Time"), QT_TR_NOOP("Transmitter serial number"),
                                      QT_TR_NOOP("Date")};
    for (size_t i = 0; i < StatusPanel.size(); ++i)
        StatusPanel[i]->setAccessibleDescription(tr(panelRoles[i]));
}

void Form1::ShowMountingActions() {
    for (int i = 0; i < int(std::size(kMountingActions)); ++i) {
        if (i < Combo2->count())
            Combo2->setItemText(i, tr(kMountingActions[i]));
        else
            Combo2->addItem(tr(kMountingActions[i]));
    }
}

// Everything the window shows in words, again in the language now spoken. The form's own
// captions come from the form; the captions the chains set come from what the session and its
// chains last said, never from the text they had before.
void Form1::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::LanguageChange || !view_) return;
    ui->retranslateUi(this);
    showOwnTexts();
    if (OutputTrimMenu) OutputTrimMenu->setText(tr("&Output trim…"));
    if (Combo2->count() > 0) ShowMountingActions();
    view_->retranslate();
    fitCaptions();
}

void Form1::updateClock() {
    const QLocale locale = QLocale::system();
    StatusPanel[0]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    StatusPanel[2]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
}

// The range and fixed-current fields see each key before the text box does, as a classic
// key-press handler would; the handlers never swallow a key.
bool Form1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        if (auto *button = qobject_cast<QPushButton *>(watched)) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                // A held key repeats; one press is one click.
                if (!key->isAutoRepeat()) button->click();
                return true;
            }
            return QMainWindow::eventFilter(watched, event);
        }
    }
    if (event->type() == QEvent::Wheel && watched == Combo1 && !Combo1->hasFocus()) {
        // Ignored and filtered: the wheel goes on to the window, which may scroll.
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        (watched == Text4 || watched == Text5 || watched == Text8)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        for (int code : keyAsciiCodes(key)) {
            if (watched == Text4)
                Text4_KeyPress(code);
            else if (watched == Text5)
                Text5_KeyPress(code);
            else
                Text8_KeyPress(code);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// The close box ends the program like the menu's Exit: no check, nothing sent, unless a loop
// check still holds the loop.
void Form1::closeEvent(QCloseEvent *event) {
    if (!DeviceWindowsLetClose()) {
        event->ignore();
        return;
    }
    event->accept();
}
