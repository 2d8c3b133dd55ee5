#include "trim/trim_procedure.h"

#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"

#include <QLocale>

#include <cmath>

namespace {

QString mA(double v) {
    return QLocale::system().toString(v, 'f', 3) + QStringLiteral(" mA");
}

} // namespace

TrimProcedure::TrimProcedure(Session &session, QObject *parent)
    : LoopHoldingProcedure(session, parent) {}

TrimProcedure::~TrimProcedure() = default;

QString TrimProcedure::whyNot(const Session &session) {
    if (session.isSimulatingCurrent())
        return tr("A loop current is being simulated from the Current Simulation "
                  "panel. Press Abort in the panel first, then start the trim.");
    if (session.loopCheckRunning())
        return tr("A loop check holds the loop current. Let it finish or cancel it, "
                  "then start the trim.");
    if (!session.transmitterRead())
        return tr("No transmitter has been read yet. Connect to the transmitter "
                  "(File, Connect) and wait until its data are shown, then start the "
                  "trim.");
    // Commands 45 and 46 change the output stage's calibration: only on a transmitter of the
    // family this program knows, never on whatever else answers on the line.
    if (session.Dev.ManufacturerId != hart::kZanuManufacturerId)
        return tr("The transmitter read is not a Zanu transmitter (manufacturer %1); "
                  "this program trims only Pelvanor I and Ostrimel transmitters.")
            .arg(session.Dev.ManufacturerId);
    if (session.chainRunning())
        return tr("The main window is still sending to the transmitter. Wait until "
                  "it has finished, then start the trim.");
    return {};
}

bool TrimProcedure::start() {
    if (hold_.holds() || !whyNot(session_).isEmpty()) return false;
    result_ = TrimResult();
    result_.deviceId = session_.Dev.DeviceId;
    result_.tag = session_.Dev.Tag;
    result_.started = QDateTime::currentDateTime();
    begin();
    fixPoint(Point::Zero);
    return true;
}

void TrimProcedure::fixPoint(Point p) {
    point_ = p;
    readBack_.reset();
    running_ = State::Fixing;
    hold_.fix(float(pointMa()), [this](const Session::Reply &r) { onFixed(r); });
    emit changed();
}

QString TrimProcedure::problem(const Session::Reply &r) {
    if (!r.answered()) return LoopHold::notAnswered(r);
    if (r.responseCode == hart::rc::Success) return {};
    // The response-code table has no words of its own for this refusal of 45 and 46.
    if (r.responseCode == hart::rc::LoopNotFixedForTrim &&
        (r.command == hart::cmd::TrimLoopCurrentZero ||
         r.command == hart::cmd::TrimLoopCurrentGain))
        return tr("the transmitter refused command %1 (the loop current is not "
                  "fixed at the value the trim needs)")
            .arg(r.command);
    return LoopHold::refusal(r.responseCode, r.command);
}

void TrimProcedure::onFixed(const Session::Reply &r) {
    if (state() != State::Fixing) return;
    if (const QString why = problem(r); !why.isEmpty()) {
        stopWith(tr("Fixing the current at %1: %2").arg(mA(pointMa()), why));
        return;
    }
    running_ = State::AwaitingReading;
    emit changed();
}

void TrimProcedure::enterReading(double meterMa) {
    if (state() != State::AwaitingReading || !std::isfinite(meterMa)) return;
    std::optional<double> &before = point_ == Point::Zero ? result_.before4 : result_.before20;
    if (!before) before = meterMa;
    if (std::abs(meterMa - pointMa()) <= kToleranceMa) {
        (point_ == Point::Zero ? result_.after4 : result_.after20) = meterMa;
        if (point_ == Point::Zero)
            fixPoint(Point::Gain);
        else
            sendRelease();
        return;
    }
    running_ = State::Trimming;
    const quint8 command =
        point_ == Point::Zero ? hart::cmd::TrimLoopCurrentZero : hart::cmd::TrimLoopCurrentGain;
    session_.request(
        command, hart::encodeSingle(float(meterMa)),
        [this](const Session::Reply &r) { onTrimmed(r); }, this);
    emit changed();
}

void TrimProcedure::onTrimmed(const Session::Reply &r) {
    if (state() != State::Trimming) return;
    if (const QString why = problem(r); !why.isEmpty()) {
        stopWith(tr("Trimming at %1: %2").arg(mA(pointMa()), why));
        return;
    }
    ++(point_ == Point::Zero ? result_.zeroTrims : result_.gainTrims);
    running_ = State::ReadingBack;
    session_.request(
        hart::cmd::ReadLoopCurrent, QByteArray(),
        [this](const Session::Reply &r) { onReadBack(r); }, this);
    emit changed();
}

void TrimProcedure::onReadBack(const Session::Reply &r) {
    if (state() != State::ReadingBack) return;
    if (const QString why = problem(r); !why.isEmpty()) {
        stopWith(tr("Reading back at %1: %2").arg(mA(pointMa()), why));
        return;
    }
    const auto current = hart::decodeLoopCurrent(r.data);
    if (!current) {
        stopWith(tr("Reading back at %1: %2").arg(mA(pointMa()), current.why()));
        return;
    }
    readBack_ = double(current->current);
    running_ = State::AwaitingReading;
    emit changed();
}

void TrimProcedure::noteEnd(bool releaseConfirmed) {
    result_.releaseConfirmed = releaseConfirmed;
    result_.finished = QDateTime::currentDateTime();
}
