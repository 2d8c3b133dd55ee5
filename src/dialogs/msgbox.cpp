#include "dialogs/msgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

const QString kAppTitle = QStringLiteral("Pelvanor I \\ Ostrimel Config");

namespace {
MsgBoxSeam::Script &script() {
    static MsgBoxSeam::Script s;
    return s;
}
QList<MsgBoxSeam::Shown> &shownList() {
    static QList<MsgBoxSeam::Shown> list;
    return list;
}
} // namespace

namespace MsgBoxSeam {
void setScript(Script s) {
    script() = std::move(s);
}
void clearScript() {
    script() = nullptr;
}
const QList<Shown> &history() {
    return shownList();
}
void clearHistory() {
    shownList().clear();
}
} // namespace MsgBoxSeam

int MsgBox(const QString &prompt, int buttons, const QString &title, const QString &detail,
           const QStringList &buttonTexts) {
    MsgBoxSeam::Shown shown{prompt, buttons, title.isEmpty() ? kAppTitle : title, detail,
                            buttonTexts};
    // Only a test sets a script; a person's run keeps no list of every box it ever showed.
    if (script()) {
        shownList().append(shown);
        return script()(shown);
    }

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(shown.title);
    box.setText(prompt);
    box.setIcon(QMessageBox::NoIcon);
    if (!detail.isEmpty()) box.setDetailedText(detail);
    switch (buttons) {
    case vbOKCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case vbYesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case vbRetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Retry);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    for (int i = 0; i < buttonTexts.size(); ++i) {
        const QMessageBox::StandardButton which =
            i == 0 ? (buttons == vbRetryCancel ? QMessageBox::Retry
                      : buttons == vbYesNo     ? QMessageBox::Yes
                                               : QMessageBox::Ok)
                   : (buttons == vbYesNo ? QMessageBox::No : QMessageBox::Cancel);
        if (QAbstractButton *b = box.button(which)) b->setText(buttonTexts[i]);
    }
    switch (box.exec()) {
    case QMessageBox::Retry:
        return vbRetry;
    case QMessageBox::Cancel:
        return vbCancel;
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    default:
        // Closing a Yes/No box with Escape or its close box is a No.
        if (buttons == vbYesNo) return vbNo;
        return buttons == vbOKOnly || buttons == vbOKCancel ? vbOK : vbCancel;
    }
}
