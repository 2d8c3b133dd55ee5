#include "history/session_recorder.h"

#include "hart/hartx.h"
#include "records/configuration.h"
#include "session/session.h"
#include "units/module1.h"

namespace history {

SessionRecorder::SessionRecorder(Session &session, const QString &path, QObject *parent)
    : QObject(parent), session_(&session), recorder_(QStringLiteral("zanu-config"), path, this) {
    connect(&recorder_, &Recorder::warning, this, &SessionRecorder::warning);
    connect(&session, &Session::transactionStarted, this,
            [this](qint16 command, const QByteArray &request) {
                if (session_) recorder_.setPort(session_->hart()->portDescription());
                seedFromSession();
                recorder_.transactionStarted(command, request);
            });
    connect(&session, &Session::transactionEnded, this, [this](const Session::Reply &r) {
        recorder_.transactionEnded(r.command, r.answered(), r.responseCode, r.deviceStatus, r.data,
                                   r.error);
    });
}

// Attached after the window had read the transmitter, the recorder has seen no read of its
// own: the old values of a write then come from what the session holds.
void SessionRecorder::seedFromSession() {
    if (!session_ || !session_->transmitterRead() || recorder_.knowsTransmitter()) return;
    const DeviceRecord &d = session_->Dev;
    records::Configuration c;
    c.manufacturer = d.ManufacturerId;
    c.deviceType = d.DeviceType;
    c.deviceId = d.DeviceId;
    c.serialNumber = d.SerialNumber;
    c.tag = d.Tag.trimmed();
    c.descriptor = d.Descriptor.trimmed();
    c.date = QDate(1900 + d.DateYear, d.DateMonth, d.DateDay);
    c.unit = d.UnitName;
    c.unitCode = Module1::UnitCodeFromName(d.UnitName);
    c.lowerRangeValue = d.LowerRangeValue;
    c.upperRangeValue = d.UpperRangeValue;
    c.dampingS = d.Damping;
    c.outputDirection = d.OutputDirection;
    recorder_.seed(c);
}

} // namespace history
