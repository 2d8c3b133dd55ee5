#include "platform/exit_signals.h"

#include <QSocketNotifier>
#include <QString>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int wakeUp[2] = {-1, -1};

void onSignal(int signalNumber) {
    // Only async-signal-safe calls here; the event loop reads the byte.
    const int saved = errno;
    const char b = char(signalNumber);
    const ssize_t ignored = ::write(wakeUp[1], &b, 1);
    (void)ignored;
    errno = saved;
}
#endif

} // namespace

ExitSignals::ExitSignals(QObject *parent) : QObject(parent) {
#ifdef Q_OS_UNIX
    if (wakeUp[0] >= 0) {
        error_ = QStringLiteral("exit signals are already being watched");
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUp) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        wakeUp[0] = wakeUp[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char b = 0;
        if (::read(wakeUp[0], &b, 1) == 1) emit received(int(b));
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    // The handler runs once; a second signal finds the default handling and ends the program.
    sa.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int s : kSignals)
        ::sigaction(s, &sa, nullptr);
#endif
}

ExitSignals::~ExitSignals() {
#ifdef Q_OS_UNIX
    if (!notifier_) return;
    for (int s : kSignals)
        ::signal(s, SIG_DFL);
    delete notifier_;
    notifier_ = nullptr;
    ::close(wakeUp[0]);
    ::close(wakeUp[1]);
    wakeUp[0] = wakeUp[1] = -1;
#endif
}
