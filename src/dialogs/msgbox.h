// Every message box of the program goes through MsgBox, so that the texts stay in one style and
// tests can answer boxes from a script and read back what was shown.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Buttons and answers, numbered as the classic message-box constants.
enum MsgBoxButtons { vbOKOnly = 0, vbOKCancel = 1, vbYesNo = 4, vbRetryCancel = 5 };
enum MsgBoxAnswer { vbOK = 1, vbCancel = 2, vbRetry = 4, vbYes = 6, vbNo = 7 };

// The application title, used where a box has no title of its own.
extern const QString kAppTitle; // "Pelvanor I \ Ostrimel Config"

// Shows a modal box and returns the answer. `detail` is extra text shown under "Show Details"
// (the reason behind a failure); the prompt itself stays as given. `buttonTexts` gives the
// buttons words of their own, in the order they stand (Retry, Cancel), for a box of the
// program's own where "Retry" alone would not say what is tried again.
int MsgBox(const QString &prompt, int buttons = vbOKOnly, const QString &title = QString(),
           const QString &detail = QString(), const QStringList &buttonTexts = {});

namespace MsgBoxSeam {
struct Shown {
    QString prompt;
    int buttons = vbOKOnly;
    QString title;
    QString detail;
    QStringList buttonTexts;
};
// With a script set, no box is shown: the script gets what would have been shown and answers.
using Script = std::function<int(const Shown &)>;
void setScript(Script script);
void clearScript();
// Every box asked for while a script was set, since the last clearHistory().
const QList<Shown> &history();
void clearHistory();
} // namespace MsgBoxSeam
