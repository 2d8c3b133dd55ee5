#include "window/exit_on_signal.h"

#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "window/form1.h"

#include <QEvent>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace {

const QString kWatchName = QStringLiteral("exitOnSignalWatch");
const QString kReleaseName = QStringLiteral("exitOnSignalRelease");
// The control always reports a transaction's end; this only guards against a line that never
// lets it, since a program asked to end must end.
constexpr int kReleaseLimitMs = 60000;

void toStandardError(const QString &line) {
    std::fprintf(stderr, "zanu-config: %s\n", qPrintable(line));
    std::fflush(stderr);
}

QString portText(const Form1 &form) {
    return form.HartX1->portDescription();
}

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

// As Exit does; a loop check that holds the loop keeps the window until it let the loop go.
bool closeAsExit(Form1 *form, std::function<void()> quit, const ExitReport &report) {
    form->Exitform_Click();
    if (!form->isVisible()) {
        quit();
        return true;
    }
    new ClosingWatch(form, std::move(quit));
    report(QStringLiteral("a loop check or an output trim holds the loop current; the program "
                          "ends once the transmitter has confirmed the end of fixed-current mode "
                          "(see the Loop check or Output trim window). The same signal again ends "
                          "it at once."));
    return false;
}

// Ends the main window's current simulation with the bytes "Abort" sends, then closes. The
// window's chains take no further step by then; the release is a request of its own, whose reply
// (busy ones sent again by the session) comes back here.
class SimulationRelease : public QObject {
public:
    SimulationRelease(Form1 *form, std::function<void()> quit, ExitReport report)
        : QObject(form), form_(form), quit_(std::move(quit)), report_(std::move(report)),
          current_(form->session->SimulatedCurrent) {
        setObjectName(kReleaseName);
        auto *guard = new QTimer(this);
        guard->setSingleShot(true);
        connect(guard, &QTimer::timeout, this, [this] {
            fail(QStringLiteral("no result within %1 s").arg(kReleaseLimitMs / 1000));
        });
        guard->start(kReleaseLimitMs);
        report_(QStringLiteral("a current simulation holds the loop at %1 mA on %2; ending it "
                               "first and waiting for the transmitter to confirm, then the program "
                               "ends. The same signal again ends it at once.")
                    .arg(currentText(), portText(*form)));
        // 0 mA: fixed-current mode off.
        form->session->request(
            hart::cmd::FixedCurrentMode, hart::encodeSingle(0.0f),
            [this](const Session::Reply &r) { onReply(r); }, this);
    }

private:
    QString currentText() const { return QLocale::c().toString(current_, 'f', 3); }

    void onReply(const Session::Reply &r) {
        if (done_) return;
        if (!r.answered()) {
            fail(r.error.isEmpty() ? QStringLiteral("no answer") : r.error);
            return;
        }
        if (r.responseCode != hart::rc::Success) {
            fail(QStringLiteral("the transmitter answered with response code %1")
                     .arg(r.responseCode));
            return;
        }
        report_(QStringLiteral("the transmitter on %1 confirmed the end of the current "
                               "simulation; the loop follows the level again.")
                    .arg(portText(*form_)));
        finish();
    }

    void fail(const QString &reason) {
        if (done_) return;
        report_(QStringLiteral("the transmitter on %1 did not confirm the end of the current "
                               "simulation (%2). Its loop may still be held at %3 mA, and the "
                               "control system then does not see the real level: check the loop "
                               "current, and end the simulation (connect again; the program "
                               "offers to release it).")
                    .arg(portText(*form_), reason, currentText()));
        finish();
    }

    void finish() {
        done_ = true;
        // Not from inside the control's signal, and not with this object still on the stack.
        QTimer::singleShot(0, form_, [form = form_, quit = quit_, report = report_] {
            closeAsExit(form, quit, report);
        });
        deleteLater();
    }

    Form1 *form_;
    std::function<void()> quit_;
    ExitReport report_;
    double current_;
    bool done_ = false;
};

} // namespace

bool CloseOnExitSignal(Form1 *form, std::function<void()> quit, ExitReport report) {
    if (!report) report = toStandardError;
    if (!form) {
        quit();
        return true;
    }
    if (form->findChild<QObject *>(kWatchName, Qt::FindDirectChildrenOnly) ||
        form->findChild<QObject *>(kReleaseName, Qt::FindDirectChildrenOnly))
        return false;
    // No chain step of the window may start on the way out, whatever a box still open returns. A
    // loop check's requests, and the release below, are the session's and go on.
    form->session->endChains();
    for (QTimer *t : {form->Timer1, form->Timer2, form->Timer4, form->Timer5})
        t->stop();
    if (form->session->isSimulatingCurrent()) {
        new SimulationRelease(form, std::move(quit), std::move(report));
        return false;
    }
    return closeAsExit(form, std::move(quit), report);
}
