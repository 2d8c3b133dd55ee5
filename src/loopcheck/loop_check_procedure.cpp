#include "loopcheck/loop_check_procedure.h"

#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"

#include <QLocale>

namespace {

QString mA(double v) {
    return QLocale::system().toString(v, 'f', 3) + QStringLiteral(" mA");
}

} // namespace

LoopCheckProcedure::LoopCheckProcedure(Session &session, QObject *parent)
    : LoopHoldingProcedure(session, parent) {
    settle_.setSingleShot(true);
    settle_.setTimerType(Qt::PreciseTimer);
    connect(&settle_, &QTimer::timeout, this, &LoopCheckProcedure::readBack);
}

LoopCheckProcedure::~LoopCheckProcedure() = default;

void LoopCheckProcedure::start(const Settings &settings, const LoopCheckResult &identity) {
    if (holdsLoop() || settings.pointsMa.isEmpty()) return;
    settings_ = settings;
    result_ = identity;
    result_.tolerance = settings.tolerance;
    result_.tolerancePercent = settings.tolerancePercent;
    result_.settlingMs = settings.settlingMs;
    result_.plannedPoints = int(settings.pointsMa.size());
    result_.points.clear();
    result_.cancelled = false;
    result_.releaseConfirmed = false;
    result_.started = QDateTime::currentDateTime();
    result_.finished = QDateTime();
    begin();
    fixPoint(0);
}

void LoopCheckProcedure::send(Tag tag, int command, std::optional<float> value) {
    pending_.push_back(tag);
    auto done = [this, tag](const Session::Reply &r) { onReply(tag, r); };
    if (tag == Tag::Fix) {
        hold_.fix(value.value_or(0.0f), done);
        return;
    }
    session_.request(qint16(command), QByteArray(), done, this);
}

void LoopCheckProcedure::fixPoint(int index) {
    index_ = index;
    while (result_.points.size() > index)
        result_.points.removeLast();
    LoopCheckPoint p;
    p.setpointMa = settings_.pointsMa.at(index);
    result_.points.append(p);
    running_ = State::Fixing;
    send(Tag::Fix, hart::cmd::FixedCurrentMode, float(p.setpointMa));
    emit changed();
}

void LoopCheckProcedure::readBack() {
    if (state() != State::Settling) return;
    running_ = State::ReadingBack;
    send(Tag::ReadBack, hart::cmd::ReadLoopCurrent, std::nullopt);
    emit changed();
}

void LoopCheckProcedure::sendRelease() {
    settle_.stop();
    // The replies of the steps the release overtook are no longer awaited.
    pending_.clear();
    LoopHoldingProcedure::sendRelease();
}

void LoopCheckProcedure::advance() {
    if (index_ + 1 < settings_.pointsMa.size()) {
        fixPoint(index_ + 1);
        return;
    }
    sendRelease();
}

void LoopCheckProcedure::enterReading(double measuredMa) {
    if (state() != State::AwaitingReading) return;
    LoopCheckPoint &p = result_.points[index_];
    p.measuredMa = measuredMa;
    p.skipped = false;
    advance();
}

void LoopCheckProcedure::skip() {
    if (state() != State::AwaitingReading) return;
    LoopCheckPoint &p = result_.points[index_];
    p.measuredMa.reset();
    p.skipped = true;
    advance();
}

void LoopCheckProcedure::back() {
    // With a request on the line the point is already changing; Back waits for a quiet moment.
    if (state() != State::AwaitingReading && state() != State::Settling) return;
    settle_.stop();
    fixPoint(index_ > 0 ? index_ - 1 : 0);
}

void LoopCheckProcedure::noteEnd(bool releaseConfirmed) {
    result_.releaseConfirmed = releaseConfirmed;
    result_.finished = QDateTime::currentDateTime();
}

void LoopCheckProcedure::onReply(Tag tag, const Session::Reply &r) {
    // A reply to a step overtaken by the release (Cancel while it was on the line) is of no
    // further interest: the release behind it decides.
    if (pending_.empty()) return;
    pending_.pop_front();
    const bool stale = (tag == Tag::Fix && state() != State::Fixing) ||
                       (tag == Tag::ReadBack && state() != State::ReadingBack) || !pending_.empty();
    if (stale) return;

    const QString point = mA(settings_.pointsMa.value(index_));
    if (!r.answered()) {
        const QString reason = LoopHold::notAnswered(r);
        stopWith(tag == Tag::Fix ? tr("Fixing the current at %1: %2").arg(point, reason)
                                 : tr("Reading back at %1: %2").arg(point, reason));
        return;
    }

    // The session has sent a busy request again as often as it does; still busy is a refusal.
    const int code = r.responseCode;
    if (code != 0) {
        const QString reason = LoopHold::refusal(code, r.command);
        stopWith(tr("At %1: %2").arg(point, reason));
        return;
    }

    switch (tag) {
    case Tag::Fix:
        running_ = State::Settling;
        settle_.start(settings_.settlingMs);
        emit changed();
        break;
    case Tag::ReadBack:
        result_.points[index_].readbackMa =
            double(hart::getFloat(r.data, hart::at::LoopCurrent::Current));
        running_ = State::AwaitingReading;
        emit changed();
        break;
    }
}
