// The main window as the session's chains see it: the entry fields they read, the progress,
// panels and captions they change, and the message boxes they ask through MsgBox.
#pragma once

#include "session/decisions.h"
#include "session/session_view.h"

class Form1;

class MainWindowView : public SessionView, public Decisions {
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

private:
    Form1 &f_;
};
