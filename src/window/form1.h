// Form1: the main window. One class, whose methods live in the file of the subsystem they
// belong to; the groups below say which file holds which.
#pragma once

#include "hart/hartx.h"
#include "session/device_record.h"
#include "session/session.h"

#include <QMainWindow>
#include <QVariant>

#include <array>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <optional>

class DeviceHealth;
class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class RecordsKeeper;
namespace history {
class SessionRecorder;
}
class QStatusBar;
class QTimer;
class QWidget;
class LoopCheckWindow;
class MainWindowView;
class TrendWindow;
class TrimWindow;

namespace Ui {
class Form1;
}

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // ---- Controls (src/window/form1.cpp binds them to the Designer form) ----
    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr,
              *Frame5 = nullptr, *Frame6 = nullptr, *Frame7 = nullptr;
    QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr,
              *Text5 = nullptr, *Text6 = nullptr, *Text7 = nullptr, *Text8 = nullptr;
    std::array<QLineEdit *, 2> Text9{};
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
           *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr,
           *Label14 = nullptr, *Label15 = nullptr, *Label16 = nullptr;
    std::array<QLabel *, 5> Label9{};
    QComboBox *Combo1 = nullptr, *Combo2 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr,
                *Command9 = nullptr;
    std::array<QRadioButton *, 2> Option1{};
    std::array<QRadioButton *, 2> Option3{};
    QFrame *Line1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr, *ProgressBar2 = nullptr;
    QWidget *hart1 = nullptr;
    HartX *HartX1 = nullptr; // the session's control
    QStatusBar *StatusBar1 = nullptr;
    std::array<QLabel *, 3> StatusPanel{}; // panels 1 (time), 2 (text), 3 (date)
    // The session's chain timers (src/session/session.h says what each paces).
    QTimer *Timer1 = nullptr, *Timer2 = nullptr, *Timer4 = nullptr, *Timer5 = nullptr;
    // The status bar's time and date.
    static constexpr std::chrono::milliseconds kClockInterval{1000};
    // The transmitter's health, its status window and the finder: src/window/device_health.cpp
    DeviceHealth *Health = nullptr;
    QMenu *bestand = nullptr, *Configuratie = nullptr, *abboutscherm = nullptr;
    QAction *ConnectMenu = nullptr, *Exitform = nullptr, *Compoort = nullptr, *Infoscreen = nullptr;
    // Configuration files and the report, with their "&File" menu entries:
    // src/window/records_keeper.cpp.
    RecordsKeeper *Records = nullptr;
    // The history of every transaction, and its File menu entry: src/history/.
    history::SessionRecorder *History = nullptr;
    QMenu *DeviceMenu = nullptr; // between Config and About
    QAction *DeviceStatusMenu = nullptr;
    QAction *FindTransmitterMenu = nullptr; // under Config

    // ---- Program-wide state ----
    // The one owner of the transmitter: the HART control, the device record, what runs.
    Session *const session;
    DeviceRecord &Dev;        // the session's device record
    quint8 ComPortNumber = 0; // 1..12, 0 until known
    QString ComPortText;      // as last read from or written to zanu.ini
    bool ReloadingRange = false;
    QVariant ZeroAsRead; // a number (from the reply to 15) or a text (of Text4)
    QVariant SpanAsRead;

    // ---- Application shell: src/window/form_load.cpp ----
    void Form_Load();
    void LinkSetup();
    void Command1_Click();
    void Command2_Click();
    void ConnectMenu_Click();
    void Exitform_Click();
    void Infoscreen_Click();
    void Compoort_Click();
    // Shows the COM-port dialog; a chosen port is taken for this run and written to zanu.ini.
    void ChooseComPort();
    // Takes port 1..12 for this run and writes it to zanu.ini; says so when it cannot be kept.
    // False (and nothing changed) for a number outside 1..12.
    bool StoreComPort(int port);
    // Fills Combo2 with the mounting-effect actions, or names them again in the language spoken.
    void ShowMountingActions();

    // ---- The session's chains, from the window ----
    // Tells the user which field needs a number, and returns false, when one of `fields` holds
    // none (empty, letters only): such text would go out as 0. The buttons ask before they change
    // anything; the session asks again when it sends.
    bool FieldsHoldNumbers(std::initializer_list<const QLineEdit *> fields);

    // ---- Measuring range panel: src/window/range_panel.cpp ----
    void Text4_Change();
    void Text5_Change();
    void Text4_KeyPress(int keyAscii);
    void Text5_KeyPress(int keyAscii);
    void Combo1_Click();
    // Sets Combo1's list position the way the program does it, which always runs Combo1_Click.
    void SetCombo1ListIndex(int index);
    void Command3_Click();
    void Command6_Click();
    void Command7_Click();

    // ---- Settings panel: src/window/settings_panel.cpp ----
    void Command4_Click();
    void Command8_Click();
    void Command9_Click();

    // ---- Output monitoring and simulation: src/window/output_panel.cpp ----
    void Option3_Click(int index);
    void Command5_Click();
    void Text8_KeyPress(int keyAscii);

    // ---- Device menu: loop check and trend: src/window/device_menu.cpp ----
    QAction *LoopCheckMenu = nullptr, *TrendMenu = nullptr;
    LoopCheckWindow *loopCheckWindow = nullptr; // made when first opened
    TrendWindow *trendWindow = nullptr;         // made when first opened
    void LoopCheckMenu_Click();
    void TrendMenu_Click();
    QAction *OutputTrimMenu = nullptr;
    TrimWindow *trimWindow = nullptr; // made when first opened
    void OutputTrimMenu_Click();
    // Every answered poll of the output signal, as the result handler shows it.
    void RecordOutputSample(float mA, float percent);
    // Asked by every close path first. False while a loop check still holds the loop: the check
    // then ends fixed-current mode and closes the window itself once that is confirmed.
    bool DeviceWindowsLetClose();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::Form1> ui;
    std::unique_ptr<MainWindowView> view_; // what the session's chains see of this window
    QScrollArea *scroller = nullptr;       // holds the form; scrolls only where the screen is small
    QSize designSize;                      // the whole window as designed
    bool screenWatched = false;
    void updateClock();
    // The constructor's steps, in the order they run.
    void bindControls();
    void styleControls();
    void connectEvents();
    void attachFeatures();
    void makeStatusBar();
    void fitToDesign();
    void showOwnTexts();
    // Every caption that does not fit its box at the form's font gets a smaller one.
    void fitCaptions();
    // Design size where the screen has room, else the screen's room with the form scrolling;
    // a shown window is also moved back onto the screen.
    void fitToScreen();
};
