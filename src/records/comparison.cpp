#include "records/comparison.h"

#include "units/module1.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace records {

namespace {

// The transmitter holds singles: a file value and a read value are the same when they round to
// the same single. Across units, the conversion itself runs in single precision (and with the
// transmitter family's own factors), so a little more room is needed.
constexpr double kSameUnitTolerance = 1e-6;
constexpr double kConvertedTolerance = 1e-4;

bool samePressure(double a, double b, double tolerance) {
    if (!std::isfinite(a) || !std::isfinite(b)) return a == b;
    return std::abs(a - b) <= tolerance * std::max({std::abs(a), std::abs(b), 1e-3});
}

QString pressureText(double v, const QString &unit, const QLocale &locale) {
    return numberText(v, locale) + QLatin1Char(' ') + unit;
}

// The words a person reads in the compare dialog and the report, translated where they are made;
// zanu-hart installs no catalogue, so what it prints stays English for the scripts that read it.
QString text(const char *english) {
    return QCoreApplication::translate("records", english);
}

QString dateText(const QDate &d) {
    return d.isValid() ? d.toString(Qt::ISODate) : text(QT_TRANSLATE_NOOP("records", "(none)"));
}

} // namespace

QString numberText(double value, const QLocale &locale) {
    return Module1::PlainNumberText(tidySingle(value), locale);
}

QString groupText(Group g) {
    switch (g) {
    case Group::UnitRange:
        return text(QT_TRANSLATE_NOOP("records", "unit and range"));
    case Group::DampingDirection:
        return text(QT_TRANSLATE_NOOP("records", "damping and output direction"));
    case Group::Tag:
        return text(QT_TRANSLATE_NOOP("records", "tag, descriptor and date"));
    case Group::None:
        break;
    }
    return QString();
}

QString deviceStatusText(quint8 status) {
    static const struct {
        quint8 bit;
        const char *words;
    } bits[] = {
        {0x80, QT_TRANSLATE_NOOP("records", "device malfunction")},
        {0x40, QT_TRANSLATE_NOOP("records", "configuration changed")},
        {0x20, QT_TRANSLATE_NOOP("records", "cold start")},
        {0x10, QT_TRANSLATE_NOOP("records", "more status available")},
        {0x08, QT_TRANSLATE_NOOP("records", "loop current fixed")},
        {0x04, QT_TRANSLATE_NOOP("records", "loop current saturated")},
        {0x02, QT_TRANSLATE_NOOP("records", "non-primary variable out of limits")},
        {0x01, QT_TRANSLATE_NOOP("records", "primary variable out of limits")},
    };
    QStringList words;
    for (const auto &b : bits)
        if (status & b.bit) words << text(b.words);
    if (words.isEmpty()) return text(QT_TRANSLATE_NOOP("records", "OK (no status bits set)"));
    QString line = words.join(QStringLiteral(", "));
    line[0] = line[0].toUpper();
    return line;
}

Comparison compare(const Configuration &file, const Configuration &device, const QLocale &locale) {
    Comparison out;
    out.sameSerial = file.serialNumber == device.serialNumber;
    out.sameUnit = file.unit == device.unit;
    const double pressureTolerance = out.sameUnit ? kSameUnitTolerance : kConvertedTolerance;

    auto plain = [&](const QString &key, const QString &label, const QString &f, const QString &d,
                     Group g) {
        FieldRow r;
        r.key = key;
        r.label = label;
        r.file = f;
        r.device = d;
        r.differs = f != d;
        r.group = g;
        out.rows << r;
    };
    auto pressure = [&](const QString &key, const QString &label, double f, double d, Group g) {
        FieldRow r;
        r.key = key;
        r.label = label;
        r.pressure = true;
        r.file = pressureText(f, file.unit, locale);
        r.device = pressureText(d, device.unit, locale);
        const double fInDevice = Module1::ConvertPressure(f, file.unit, device.unit);
        const double dInFile = Module1::ConvertPressure(d, device.unit, file.unit);
        r.fileInDeviceUnit = pressureText(fInDevice, device.unit, locale);
        r.deviceInFileUnit = pressureText(dInFile, file.unit, locale);
        r.differs = !samePressure(f, dInFile, pressureTolerance);
        r.group = g;
        out.rows << r;
    };

    plain(QStringLiteral("manufacturer"), text(QT_TRANSLATE_NOOP("records", "Manufacturer")),
          QString::number(file.manufacturer), QString::number(device.manufacturer), Group::None);
    plain(QStringLiteral("device_type"), text(QT_TRANSLATE_NOOP("records", "Device type")),
          QString::number(file.deviceType), QString::number(device.deviceType), Group::None);
    plain(QStringLiteral("device_id"), text(QT_TRANSLATE_NOOP("records", "Device ID")),
          file.deviceIdText(), device.deviceIdText(), Group::None);
    plain(QStringLiteral("serial_number"), text(QT_TRANSLATE_NOOP("records", "Serial number")),
          QString::number(file.serialNumber), QString::number(device.serialNumber), Group::None);
    plain(QStringLiteral("hart_revision"), text(QT_TRANSLATE_NOOP("records", "HART revision")),
          QString::number(file.hartRevision), QString::number(device.hartRevision), Group::None);

    plain(QStringLiteral("tag"), text(QT_TRANSLATE_NOOP("records", "Tag")), file.tag,
          trimmedField(device.tag), Group::Tag);
    plain(QStringLiteral("descriptor"), text(QT_TRANSLATE_NOOP("records", "Descriptor")),
          file.descriptor, trimmedField(device.descriptor), Group::Tag);
    plain(QStringLiteral("date"), text(QT_TRANSLATE_NOOP("records", "Date")), dateText(file.date),
          dateText(device.date), Group::Tag);
    plain(QStringLiteral("unit"), text(QT_TRANSLATE_NOOP("records", "Unit")), file.unit,
          device.unit, Group::UnitRange);
    pressure(QStringLiteral("lower_range_value"),
             text(QT_TRANSLATE_NOOP("records", "Lower range value (4 mA)")), file.lowerRangeValue,
             device.lowerRangeValue, Group::UnitRange);
    pressure(QStringLiteral("upper_range_value"),
             text(QT_TRANSLATE_NOOP("records", "Upper range value (20 mA)")), file.upperRangeValue,
             device.upperRangeValue, Group::UnitRange);
    {
        FieldRow r;
        r.key = QStringLiteral("damping_s");
        r.label = text(QT_TRANSLATE_NOOP("records", "Damping"));
        r.file = numberText(file.dampingS, locale) + QStringLiteral(" s");
        r.device = numberText(device.dampingS, locale) + QStringLiteral(" s");
        r.differs = !samePressure(file.dampingS, device.dampingS, kSameUnitTolerance);
        r.group = Group::DampingDirection;
        out.rows << r;
    }
    plain(QStringLiteral("output"), text(QT_TRANSLATE_NOOP("records", "Output")), file.outputText(),
          device.outputText(), Group::DampingDirection);

    pressure(QStringLiteral("upper_sensor_limit"),
             text(QT_TRANSLATE_NOOP("records", "Upper sensor limit")), file.upperSensorLimit,
             device.upperSensorLimit, Group::None);
    pressure(QStringLiteral("lower_sensor_limit"),
             text(QT_TRANSLATE_NOOP("records", "Lower sensor limit")), file.lowerSensorLimit,
             device.lowerSensorLimit, Group::None);
    pressure(QStringLiteral("minimum_span"), text(QT_TRANSLATE_NOOP("records", "Minimum span")),
             file.minimumSpan, device.minimumSpan, Group::None);

    for (const Group g : {Group::UnitRange, Group::DampingDirection, Group::Tag}) {
        bool needed = false;
        for (const FieldRow &r : out.rows)
            if (r.group == g && r.differs) needed = true;
        if (needed) out.groups << g;
    }
    for (const Group g : out.groups)
        for (const FieldRow &r : out.rows)
            if (r.group == g && r.differs) {
                out.changes << QStringLiteral("%1: %2 -> %3").arg(r.key, r.device, r.file);
                out.changesShown << QStringLiteral("%1: %2 -> %3").arg(r.label, r.device, r.file);
            }
    return out;
}

QStringList writableDifferences(const Configuration &file, const Configuration &device) {
    QStringList keys;
    for (const FieldRow &r : compare(file, device).rows)
        if (r.group != Group::None && r.differs) keys << r.key;
    return keys;
}

} // namespace records
