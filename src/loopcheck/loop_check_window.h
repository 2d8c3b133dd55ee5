// The "Loop check" window: the settings of a check, the table that fills point by point, the
// engineer's readings, and the guarantee that the loop is let go again. While a check runs the
// main window is locked against anything that sends; it is given back exactly as it was once the
// transmitter confirmed the release. The check's replies come back to it alone.
#pragma once

#include "loopcheck/loop_check_procedure.h"

#include <QWidget>

#include <functional>

class MainWindowPort;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class LoopCheckWindow : public QWidget {
    Q_OBJECT
public:
    LoopCheckWindow(Session &session, MainWindowPort &mainWindow);
    ~LoopCheckWindow() override;

    // Reads the settings fields; on a mistake returns false with what to correct in `error`.
    bool readSettings(LoopCheckProcedure::Settings *out, QString *error) const;
    // Starts a check when the main window is free for it; otherwise says why not and returns
    // false.
    bool startCheck();
    // The main window is about to close. True when nothing holds the loop (or the engineer chose
    // to leave it after an unconfirmed release); false when the release has been sent first, in
    // which case the main window is closed again once the transmitter confirmed it.
    bool releaseBeforeMainWindowCloses();
    // Saves the last result; false with a message box on failure.
    bool saveCsv(const QString &path);

    LoopCheckProcedure &procedure() { return *procedure_; }
    bool mainWindowLocked() const { return locked_; }

    // Controls, public for the tests.
    QLineEdit *pointsEdit = nullptr, *toleranceEdit = nullptr, *settlingEdit = nullptr,
              *readingEdit = nullptr;
    QComboBox *toleranceUnit = nullptr;
    QTableWidget *table = nullptr;
    QLabel *stepLabel = nullptr, *verdictLabel = nullptr;
    QPushButton *startButton = nullptr, *enterButton = nullptr, *skipButton = nullptr,
                *backButton = nullptr, *cancelButton = nullptr, *retryButton = nullptr,
                *saveButton = nullptr, *closeButton = nullptr, *trimButton = nullptr;

    // Where "Save CSV..." asks for a file name; tests replace it.
    std::function<QString(QWidget *, const QString &suggested)> askSavePath;

signals:
    // A check ended (done or stopped, the loop let go or left on purpose): for the report.
    void checked(const LoopCheckResult &result);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class After { Nothing, CloseWindow, CloseMainWindow };

    // The constructor's parts: the settings, the points table and its labels, the reading's row,
    // the buttons, and what each control does.
    QGroupBox *makeSettings();
    void makeTable();
    QHBoxLayout *makeReadingRow();
    QHBoxLayout *makeButtons();
    void connectControls();
    void retranslate();
    void enterTyped();
    void onChanged();
    void onReleased();
    void onReleaseFailed(const QString &reason);
    void fillTable();
    void lockMainWindow();
    void unlockMainWindow();
    void beginWhenIdle();
    void saveClicked();

    QGroupBox *settingsBox_ = nullptr;
    QLabel *pointsLabel_ = nullptr, *toleranceLabel_ = nullptr, *settlingLabel_ = nullptr,
           *readingLabel_ = nullptr;

    Session &session_;
    MainWindowPort &main_;
    LoopCheckProcedure *procedure_;
    LoopCheckProcedure::Settings pending_;
    After after_ = After::Nothing;
    bool waitingForLine_ = false;
    bool abandoned_ = false; // the engineer left the loop unconfirmed on purpose
    bool releaseBoxOpen_ = false;
    bool locked_ = false;
};
