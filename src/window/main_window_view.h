// The main window as the session's chains see it (the entry fields they read, the progress,
// panels and captions they change, the message boxes they ask through MsgBox) and as the
// features beside it may use it.
#pragma once

#include "session/decisions.h"
#include "session/main_window_port.h"
#include "session/session_view.h"

#include <QAction>
#include <QList>
#include <QPair>
#include <QPointer>

#include <QtGlobal>

#include <optional>

class Form1;

class MainWindowView : public SessionView, public Decisions, public MainWindowPort {
public:
    explicit MainWindowView(Form1 &form) : f_(form) {}

    QString text(Field field) const override;
    QString fieldName(Field field) const override;
    int outputDirection() const override;
    int mountingAction() const override;
    bool monitoring() const override;

    void setPointer(Pointer pointer) override;
    void startProgress() override;
    void setProgress(int value) override;
    void setPanelsShown(bool shown) override;
    void rangeRead() override;
    void showDeviceData() override;
    void showTag(const QString &tag) override;
    void showOutput(float mA, float percent) override;
    void clearOutput() override;
    void resetOutputBar() override;
    void setSimulationCaption(bool running) override;
    void offerConnect() override;
    void endProgram() override;

    int ask(const QString &prompt, int buttons, const QString &title,
            const QString &detail) override;

    QWidget *window() override;
    int comPort() const override;
    void linkSetup() override;
    bool storeComPort(int port) override;
    void addFileMenuEntries(const QList<QAction *> &actions) override;
    void lockForLoopCheck() override;
    void unlockAfterLoopCheck() override;
    void openOutputTrim() override;
    void fillGroup(const records::Configuration &c, records::Group group) override;
    void pressSend(records::Group group) override;
    void refresh() override;

    // The captions the chains set, again in the language now spoken, from what the chains last
    // said rather than from the captions' stale text.
    void retranslate();

private:
    // What a loop check's lock changed, to be put back as it was.
    struct Saved {
        bool frameDisabled = false;
        bool connectDisabled = false;
        int pointer = 0;
        QList<QPair<QPointer<QAction>, bool>> actions;
    };

    void showSerialNumber();
    void showConnectCaption();

    Form1 &f_;
    std::optional<qint32> serialShown_; // the status bar's serial number, once one is shown
    bool refreshOffered_ = false;       // Command2 says "Refresh" rather than "Connect"
    Saved saved_;
};
