#include "window/exit_on_signal.h"

#include "window/form1.h"

#include <QEvent>

#include <utility>

namespace {

const QString kWatchName = QStringLiteral("exitOnSignalWatch");

// Waits for the main window to leave the screen: a close it accepts hides it. The window lives
// on as an object until main() ends, so its destruction cannot be what is waited for.
class ClosingWatch : public QObject {
public:
    ClosingWatch(Form1 *form, std::function<void()> quit) : QObject(form), quit_(std::move(quit)) {
        setObjectName(kWatchName);
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // Minimising hides the window as well, but that is the window system's doing.
        if (event->type() == QEvent::Hide && !event->spontaneous() && quit_) {
            watched->removeEventFilter(this);
            const std::function<void()> quit = std::exchange(quit_, nullptr);
            deleteLater();
            quit();
        }
        return false;
    }

private:
    std::function<void()> quit_;
};

} // namespace

bool CloseOnExitSignal(Form1 *form, std::function<void()> quit) {
    if (!form) {
        quit();
        return true;
    }
    if (form->findChild<QObject *>(kWatchName, Qt::FindDirectChildrenOnly)) return false;
    // No chain step of the window may start on the way out, whatever a box still open returns. A
    // loop check has its own connection to the control for the release.
    QObject::disconnect(form->HartX1, nullptr, form, nullptr);
    form->Exitform_Click();
    if (!form->isVisible()) {
        quit();
        return true;
    }
    new ClosingWatch(form, std::move(quit));
    return false;
}
