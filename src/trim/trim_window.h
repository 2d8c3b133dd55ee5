// The "Output trim" window: guides the engineer through the loop current trim with a reference
// meter, and lets the loop go however it ends: finishing, Cancel, closing it, or the main window
// asking it to before the program ends.
#pragma once

#include "trim/trim_procedure.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

class TrimWindow : public QWidget {
    Q_OBJECT
public:
    TrimWindow(Session &session, QWidget *parent = nullptr);
    ~TrimWindow() override;

    // Starts when the session allows it; otherwise says why not in a box and returns false.
    bool startTrim();
    // The main window is about to close: true when nothing holds the loop; false when the
    // release has been sent first, and `closeMainWindow` runs once the transmitter confirmed it
    // (or the engineer chose to leave it unconfirmed).
    bool releaseBeforeMainWindowCloses(std::function<void()> closeMainWindow);

    TrimProcedure &procedure() { return *procedure_; }

    // Controls, public for the tests.
    QLabel *warningLabel = nullptr, *stepLabel = nullptr, *readBackLabel = nullptr,
           *resultLabel = nullptr;
    QLineEdit *readingEdit = nullptr;
    QPushButton *startButton = nullptr, *enterButton = nullptr, *cancelButton = nullptr,
                *retryButton = nullptr, *closeButton = nullptr;

signals:
    // A trim ended with the loop let go (or left on purpose); the result holds what was done.
    void finished(const TrimResult &result);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    static QString title();
    void retranslate();
    void enterTyped();
    void onChanged();
    void onReleaseFailed(const QString &reason);
    void showResult();

    Session &session_;
    TrimProcedure *procedure_;
    QLabel *readingLabel_ = nullptr;
    QString stopReason_;       // why the last trim stopped early, empty when it did not
    bool resultShown_ = false; // the last trim's result is on show
    bool closeWhenReleased_ = false;
    std::function<void()> closeMainWindow_;
};
