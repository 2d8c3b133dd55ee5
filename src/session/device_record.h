// What the tool knows of the connected transmitter and what the panels are about to send.
// Fields keep their last value until a reply or an edit writes them again.
#pragma once

#include <QString>
#include <QtGlobal>

struct DeviceRecord {
    QString UnitName;         // a unit display name; "Unknown" at start
    QString PreviousUnitName; // the unit before the last unit selection
    double Damping = 0;       // seconds
    double LowerRangeValue = 0;
    double UpperRangeValue = 0;
    double Span = 0;
    double UpperSensorLimit = 0;
    double LowerSensorLimit = 0;
    double MinimumSpan = 0;
    qint32 SerialNumber = 0;
    quint8 OutputDirection = 0; // 0 rising "4-20 mA", 1 falling "20-4 mA"
    QString Tag;
    QString Descriptor;
    quint8 DateDay = 0;
    quint8 DateMonth = 0;
    quint8 DateYear = 0;            // year - 1900
    quint8 PendingRangeCommand = 0; // hart::cmd::SetUpperRangeValue or SetLowerRangeValue
    quint8 BusyRetryCount = 0;
    quint8 ManufacturerId = 0; // as read by the identification, for diagnostics
    // The rest of the identification, for configuration files and the report.
    quint8 DeviceType = 0;
    quint8 HartRevision = 0; // universal command revision
    quint32 DeviceId = 0;    // 24 bits
};
