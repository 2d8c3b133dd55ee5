#include "gui_test_helper.h"
#include "event_wait.h"

#include "settings/settings_file.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

GuiFixture::GuiFixture(const QByteArray &iniContent, SimLine::Timing timing) {
    MsgBoxSeam::clearHistory();
    MsgBoxSeam::setScript([this](const MsgBoxSeam::Shown &shown) {
        if (!answers.empty()) {
            int a = answers.front();
            answers.pop_front();
            return a;
        }
        return shown.buttons == vbRetryCancel ? int(vbCancel) : int(vbOK);
    });
    SetMousePointer(vbDefault);
    SetProgramDirectory(dir.path());
    // A history of its own: the one under ctest's folder keeps every earlier run's writes, and
    // the report lists them all, so that it took longer with every run.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    if (!iniContent.isNull()) {
        QFile f(iniPath());
        if (f.open(QIODevice::WriteOnly)) f.write(iniContent);
    }
    form = std::make_unique<Form1>();
    if (timing == SimLine::Timing::Instant) {
        // The instant line has no other master and answers at once: the link grant, the quiet
        // wait and a reply time-out sized for 1200 bit/s would only make every window test wait.
        // The link's own tests cover those times.
        LinkTiming fast = form->HartX1->linkTiming();
        fast.linkGrantMs = 0;
        fast.quietMs = 0;
        fast.primaryReplyTimeoutMs = 100;
        fast.secondaryReplyTimeoutMs = 120;
        fast.adapterAllowanceMs = 20;
        form->HartX1->setLinkTiming(fast);
    }
    form->HartX1->setLineFactory([this, timing](int) {
        ++linesMade;
        return std::make_unique<SimLine>(&device, timing);
    });
}

GuiFixture::~GuiFixture() {
    form.reset();
    MsgBoxSeam::clearScript();
    SetMousePointer(vbDefault);
}

QString GuiFixture::iniPath() const {
    return dir.filePath(QStringLiteral("zanu.ini"));
}

bool GuiFixture::loadAndWaitForData(int timeoutMs) {
    form->Form_Load();
    return waitUntil([this] { return form->Command2->text() == QLatin1String("Re&fresh"); },
                     timeoutMs);
}

// On the instant line a transaction takes a few turns of the event loop: qWaitFor's 10 ms nap
// between two looks would be most of a test's time, and spinning would take a core from the tests
// beside this one. Waiting in the loop costs neither, on either line.
bool GuiFixture::waitUntil(const std::function<bool()> &done, int timeoutMs) {
    return waitInLoop(done, timeoutMs);
}

// The control raises Result from the event loop once a transaction has ended: idle means that
// Result has been handled too, and nothing it started is outstanding.
static bool idleAfterEvents(GuiFixture &fx) {
    QCoreApplication::processEvents();
    return !fx.form->HartX1->isBusy();
}

bool GuiFixture::waitIdle(int timeoutMs) {
    return waitUntil([this] { return idleAfterEvents(*this); }, timeoutMs);
}

QList<int> GuiFixture::commandsSeen() const {
    QList<int> out;
    for (const auto &e : device.trace())
        out.append(e.command);
    return out;
}

QByteArray GuiFixture::lastRequestData(int command) const {
    const auto &t = device.trace();
    for (auto it = t.crbegin(); it != t.crend(); ++it)
        if (it->command == command) return it->requestData;
    return {};
}

bool spinUntil(const std::function<bool()> &done, int timeoutMs) {
    return waitInLoop(done, timeoutMs);
}

void spinFor(int ms) {
    spinUntil([] { return false; }, ms);
}

bool spinIdle(GuiFixture &fx) {
    return spinUntil([&] { return idleAfterEvents(fx); });
}

bool nothingWentOut(GuiFixture &fx) {
    QCoreApplication::processEvents();
    return !fx.form->HartX1->isBusy() && fx.device.trace().isEmpty();
}

bool loadAndReveal(GuiFixture &fx) {
    Form1 &f = *fx.form;
    f.Form_Load();
    if (!spinUntil([&] { return f.Timer1->isActive(); })) return false;
    f.session->Timer1_Timer();
    return spinIdle(fx);
}

bool startMonitoring(GuiFixture &fx) {
    fx.form->Option3[1]->click();
    return spinUntil([&] { return fx.form->Timer5->isActive() && !fx.form->HartX1->isBusy(); });
}
