#include "records/from_replies.h"

#include "units/module1.h"

#include <QString>

namespace records {

qint32 SerialWithPrefix(qint64 raw) {
    constexpr qint64 kSerialMax = 0xFFFFFF; // the reply's 24-bit field
    const qint64 serial = qBound<qint64>(0, raw, kSerialMax);
    const QString lead = QString::number(serial).left(2);
    if (lead == QLatin1String("18")) return qint32(serial + 5000000);
    if (lead == QLatin1String("48")) return qint32(serial + 2000000);
    return qint32(serial);
}

Configuration fromReplies(const hart::Identity &identity, const hart::TagDescriptorDate &tag,
                          const hart::OutputInfo &output, const hart::SensorInfo &sensor,
                          const hart::OutputDirection &direction) {
    Configuration c;
    c.manufacturer = identity.manufacturerId;
    c.deviceType = identity.deviceType;
    c.hartRevision = identity.universalRevision;
    c.deviceId = identity.deviceId;
    c.tag = trimmedField(tag.tag);
    c.descriptor = trimmedField(tag.descriptor);
    c.date = tag.date();
    c.unitCode = output.rangeUnit;
    c.unit = Module1::UnitNameFromCode(c.unitCode);
    c.upperRangeValue = tidySingle(output.upperRange);
    c.lowerRangeValue = tidySingle(output.lowerRange);
    c.dampingS = tidySingle(output.damping);
    c.serialNumber = SerialWithPrefix(sensor.serialNumber);
    c.upperSensorLimit = tidySingle(sensor.upperLimit);
    c.lowerSensorLimit = tidySingle(sensor.lowerLimit);
    c.minimumSpan = tidySingle(sensor.minimumSpan);
    c.outputDirection = direction.direction == 0 ? 0 : 1;
    return c;
}

} // namespace records
