// A configuration as the simulated transmitter holds it out of the box, for the tests of the
// file format, the comparison and the console.
#pragma once

#include "records/configuration.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace recordstest {

inline records::Configuration simulatorDefaults() {
    records::Configuration c;
    c.saved = QDateTime(QDate(2026, 3, 1), QTime(14, 5), Qt::OffsetFromUTC, 3600);
    c.programName = QStringLiteral("zanu-config");
    c.programVersion = records::programVersion();
    c.manufacturer = 117;
    c.deviceType = 0x5A;
    c.deviceId = 0x0b7c2d;
    c.serialNumber = 6801234;
    c.hartRevision = 5;
    c.tag = QStringLiteral("LT-101");
    c.descriptor = QStringLiteral("WELL 3 LEVEL");
    c.date = QDate(2026, 12, 7);
    c.unit = QStringLiteral("mH2O");
    c.unitCode = 240;
    c.lowerRangeValue = 0;
    c.upperRangeValue = 10;
    c.dampingS = 0.4;
    c.outputDirection = 0;
    c.upperSensorLimit = 20;
    c.lowerSensorLimit = 0;
    c.minimumSpan = 0.5;
    return c;
}

inline QJsonObject asObject(const records::Configuration &c) {
    return QJsonDocument::fromJson(records::toJson(c)).object();
}

} // namespace recordstest
