#include "pty_helper.h"

#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

PtyMaster::PtyMaster() {
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0) return;
    slave_ = QString::fromLocal8Bit(::ptsname(fd_));
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char buf[512];
        for (;;) {
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            // With no side open the master reads EIO and stays readable: look again in 5 ms
            // rather than wake every wait in a loop that never sleeps.
            if (n < 0 && errno == EIO) {
                notifier_->setEnabled(false);
                QTimer::singleShot(5, notifier_, [this] { notifier_->setEnabled(true); });
            }
            if (n <= 0) break;
            const QByteArray bytes(buf, int(n));
            got += bytes;
            if (onBytes) onBytes(bytes);
        }
    });
}

PtyMaster::~PtyMaster() {
    closeMaster();
}

bool PtyMaster::write(const QByteArray &bytes) {
    return fd_ >= 0 && ::write(fd_, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

void PtyMaster::closeMaster() {
    delete notifier_;
    notifier_ = nullptr;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

PtyTransmitter::PtyTransmitter(PtyMaster &p) : pty(p) {
    pty.onBytes = [this](const QByteArray &b) {
        pending += b;
        hart::FrameParser parser;
        parser.push(pending);
        auto item = parser.take();
        if (!item) return;
        const QByteArray frame = pending;
        pending.clear();
        if (echo) pty.write(frame);
        for (const Chunk &c : device(frame))
            QTimer::singleShot(c.atMs, [this, c] { pty.write(c.bytes); });
    };
}
