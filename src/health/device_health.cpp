#include "health/device_health.h"

#include "dialogs/msgbox.h"
#include "finder/finder_window.h"
#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"
#include "hart/link/hart_codec.h"
#include "health/device_status_window.h"
#include "health/status_indicator.h"
#include "session/main_window_port.h"
#include "units/module1.h"

#include <QTimer>

DeviceHealth::DeviceHealth(Session &session, MainWindowPort &mainWindow)
    : QObject(mainWindow.window()), session_(session), main_(mainWindow) {
    // Made before anything is sent, so that it hears every chain result before the chain acts.
    connect(&session_, &Session::chainResultArrived, this, &DeviceHealth::noteResult);
    indicator_ = new StatusIndicator;
    connect(indicator_, &QToolButton::clicked, this, &DeviceHealth::openStatusWindow);
}

DeviceHealth::~DeviceHealth() = default;

DeviceStatusWindow *DeviceHealth::statusWindow() const {
    return window_;
}

FinderWindow *DeviceHealth::finder() const {
    return finder_;
}

health::FixedBy DeviceHealth::fixedBy() const {
    return session_.holdsLoopCurrent() ? health::FixedBy::ThisProgram : health::FixedBy::Other;
}

void DeviceHealth::syncTrend() {
    emit silenceChanged(silentSince_ ? std::optional<qint64>(silentSince_->toMSecsSinceEpoch())
                                     : std::nullopt);
}

void DeviceHealth::noteSilence() {
    // The first unanswered request of a silence fixes its start; retries do not move it.
    if (!silentSince_) silentSince_ = lastAnswer_ ? *lastAnswer_ : QDateTime::currentDateTime();
    indicator_->showNoAnswer(silentSince_->toString(QStringLiteral("HH:mm:ss")));
    syncTrend();
    emit changed();
}

void DeviceHealth::noteResult(qint16 iCommand, qint16 iResult) {
    const HartX &h = *session_.hart();
    Session::Reply r;
    r.command = iCommand;
    r.result = iResult;
    if (r.answered()) {
        r.responseCode = h.ResponseCode();
        r.deviceStatus = h.DeviceStatus();
        r.data = h.ReplyData();
    }
    noteReply(r);
    if (!r.accepted()) {
        // The chain's own message takes it from here; the read that was to come first is off.
        if (r.responseCode != hart::rc::Busy) moveToZeroAfterRead_ = false;
        return;
    }
    if (iCommand == hart::cmd::ReadOutputDirection)
        // The read sequence ends in this reply; once the chain has shown the data, see
        // whether the current was left fixed.
        QTimer::singleShot(0, this, &DeviceHealth::afterReadSequence);
}

void DeviceHealth::noteReply(const Session::Reply &r) {
    if (!r.answered()) {
        noteSilence();
        return;
    }
    known_ = true;
    lastAnswer_ = QDateTime::currentDateTime();
    const bool wasSilent = silentSince_.has_value();
    silentSince_.reset();
    status_ = r.deviceStatus;
    indicator_->showStatus(status_);
    if (wasSilent) syncTrend();
    if (!(status_ & health::LoopCurrentFixed)) declinedFor_.reset();
    if (r.command == hart::cmd::ReadUniqueIdentifier && r.accepted()) {
        if (auto id = health::identityFromCommand0(r.data)) {
            if (!identity_ || identity_->deviceId != id->deviceId ||
                identity_->manufacturer != id->manufacturer) {
                additional_.clear();
                additionalRead_ = false;
            }
            identity_ = id;
        }
    }
    emit changed();
}

QString DeviceHealth::serialNumberText() const {
    return session_.Dev.SerialNumber > 0 ? QString::number(session_.Dev.SerialNumber) : QString();
}

QString DeviceHealth::tag() const {
    return session_.Dev.Tag.trimmed();
}

void DeviceHealth::send(qint16 command, const QByteArray &data,
                        std::function<void(const Session::Reply &)> then) {
    session_.request(
        command, data,
        [this, then = std::move(then)](const Session::Reply &r) {
            if (!r.accepted()) {
                noteResult(r.command, r.result);
                session_.hartx1_Result(0, r.command, r.result);
                return;
            }
            noteReply(r);
            then(r);
        },
        this);
}

void DeviceHealth::resumeMonitoring() {
    // A loop check holds the loop and has stopped the poll; it starts it again when it is done.
    if (main_.monitoring() && !session_.loopCheckRunning()) session_.Timer5->start();
}

void DeviceHealth::afterReadSequence() {
    // Only a read whose data are on screen, and no other read begun since.
    if (!session_.lastReadComplete()) return;
    if (moveToZeroAfterRead_) {
        // Its current is fixed by the multidrop address, which is about to change: no question.
        moveToZeroAfterRead_ = false;
        QByteArray data(hart::at::PollingAddress::Size, '\0');
        hart::putByte(data, hart::at::PollingAddress::Address, 0);
        send(hart::cmd::WritePollingAddress, data, [this](const Session::Reply &) {
            session_.hart()->setLinkSetting3(0);
            QTimer::singleShot(0, this, [this] { session_.SendIdentify(); });
        });
        return;
    }
    if (!(status_ & health::LoopCurrentFixed)) return;
    // Our own simulation holds it: the user knows.
    if (session_.holdsLoopCurrent()) return;
    if (declinedFor_ && identity_ && *declinedFor_ == identity_->deviceId) return;
    if (multidropPort_ && *multidropPort_ == main_.comPort()) return;
    send(hart::cmd::ReadLoopCurrent, QByteArray(), [this](const Session::Reply &r) {
        const float mA = hart::getFloat(r.data, hart::at::LoopCurrent::Current);
        QTimer::singleShot(0, this, [this, mA] { askToReleaseFixedCurrent(mA); });
    });
}

void DeviceHealth::askToReleaseFixedCurrent(float mA) {
    const QString prompt = tr("The transmitter's loop current is fixed at %1 mA.\n\n"
                              "While it stays fixed, the control system does not see the level.\n\n"
                              "Release the loop current now, so that it follows the level again?")
                               .arg(Module1::Format(mA, QStringLiteral("#0.000")));
    if (MsgBox(prompt, vbYesNo, tr("Loop current fixed")) == vbYes) {
        declinedFor_.reset();
        session_.Timer5->stop();
        // 0 mA: leave fixed-current mode.
        send(hart::cmd::FixedCurrentMode, hart::encodeSingle(0.0f), [this](const Session::Reply &) {
            QTimer::singleShot(0, this, [this] { session_.SendIdentify(); });
        });
        return;
    }
    declinedFor_ = identity_ ? identity_->deviceId : 0;
}

void DeviceHealth::openStatusWindow() {
    if (!window_) {
        window_ = new DeviceStatusWindow(*this, main_.window());
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    // Only once a transmitter has answered: otherwise the read would end in the no-answer box
    // for a window the user opened just to look.
    if (known_) readAdditionalStatus();
}

void DeviceHealth::readAdditionalStatus() {
    session_.Timer5->stop();
    send(hart::cmd::ReadAdditionalStatus, QByteArray(), [this](const Session::Reply &r) {
        additional_ = r.data;
        additionalRead_ = true;
        emit changed();
        resumeMonitoring();
    });
}

void DeviceHealth::clearConfigurationChanged() {
    session_.Timer5->stop();
    send(hart::cmd::ResetConfigChanged, QByteArray(),
         [this](const Session::Reply &) { resumeMonitoring(); });
}

void DeviceHealth::releaseFixedCurrent() {
    // Ours is ended where it was started, so that the window's captions stay true.
    if (!known_ || !(status_ & health::LoopCurrentFixed) || session_.holdsLoopCurrent()) return;
    const QString prompt =
        tr("Release the transmitter's loop current?\n\n"
           "It is fixed, and no simulation of this program holds it: another master or a loop test "
           "fixed it. Released, it follows the level again; a tool that still relies on the fixed "
           "value loses it.");
    if (MsgBox(prompt, vbYesNo, tr("Release loop current")) != vbYes) return;
    session_.Timer5->stop();
    // 0 mA: leave fixed-current mode. The reply's own status byte may still be the one from
    // before; the status is read again.
    send(hart::cmd::FixedCurrentMode, hart::encodeSingle(0.0f), [this](const Session::Reply &) {
        QTimer::singleShot(0, this, &DeviceHealth::readAdditionalStatus);
    });
}

void DeviceHealth::openFinder() {
    if (finder_) {
        finder_->raise();
        return;
    }
    // The scan needs the ports to itself: no poll meanwhile, and our own port let go.
    session_.Timer5->stop();
    session_.hart()->setCommPort(main_.comPort());
    finder_ = new FinderWindow(finderTargets ? finderTargets() : QList<ScanTarget>(), finderLines,
                               session_.hart()->linkTiming(), main_.window());
    finder_->setAttribute(Qt::WA_DeleteOnClose);
    connect(finder_, &QDialog::finished, this, [this](int result) {
        const auto chosen = finder_ ? finder_->chosen() : std::nullopt;
        if (result == QDialog::Accepted && chosen)
            QTimer::singleShot(0, this, [this, f = *chosen] { useFoundTransmitter(f); });
        else
            resumeMonitoring();
    });
    finder_->open();
}

void DeviceHealth::useFoundTransmitter(const ScanFind &find) {
    if (!main_.storeComPort(find.target.comPort)) return;
    multidropPort_.reset();
    main_.linkSetup();
    if (find.address == 0) {
        session_.SendIdentify();
        return;
    }
    const QString prompt =
        tr("The transmitter on COM %1 answers at polling address %2, not 0. At a polling "
           "address other than 0 its loop current stays fixed at 4 mA (multidrop), so the "
           "control system does not see the level.\n\n"
           "Set its polling address to 0?\n\n"
           "Warning: this changes its loop current mode. The loop current then follows the "
           "level again; on a loop shared with other transmitters (multidrop) this disturbs "
           "them.")
            .arg(find.target.comPort)
            .arg(find.address);
    // Until it is moved, this run reaches it where it is.
    session_.hart()->setLinkSetting3(qint16(find.address));
    if (MsgBox(prompt, vbYesNo, tr("Polling address")) == vbYes)
        moveToZeroAfterRead_ = true;
    else
        multidropPort_ = find.target.comPort;
    session_.SendIdentify();
}

void DeviceHealth::scanThroughControlLines(const HartX::LineFactory &lines) {
    finderTargets = [this] {
        const int port = main_.comPort() >= 1 && main_.comPort() <= 12 ? main_.comPort() : 1;
        return QList<ScanTarget>{
            {tr("simulated transmitter"), port, tr("the line the main window uses")}};
    };
    finderLines = [lines](const ScanTarget &t) { return lines(t.comPort); };
}
