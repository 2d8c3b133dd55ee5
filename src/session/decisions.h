// The questions a chain asks its user: a message box, answered by the window with MsgBox and by
// tests with a script. The buttons and answers are numbered as the window's message boxes number
// them, so that the window hands them through unchanged.
#pragma once

#include <QString>
#include <QStringList>

class Decisions {
public:
    enum Buttons { OKOnly = 0, OKCancel = 1, YesNo = 4, RetryCancel = 5 };
    enum Answer { OK = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

    virtual ~Decisions() = default;
    // Shows `prompt` with `buttons` and returns the answer. An empty title is the program's own.
    virtual int ask(const QString &prompt, int buttons = OKOnly, const QString &title = QString(),
                    const QString &detail = QString()) = 0;
};
