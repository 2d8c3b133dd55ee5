#include "hart/device_status.h"

#include "hart/hart_replies.h"

#include <QCoreApplication>
#include <QStringList>

namespace health {

namespace {

// The conditions' short names. The history records them as they are here, in English whatever
// language the window speaks: a record read back later, or by another program, does not change
// its words with the language of the day it was made.
constexpr struct {
    quint8 bit;
    const char *english;
} kNames[] = {
    {DeviceMalfunction, QT_TRANSLATE_NOOP("health", "device malfunction")},
    {ConfigurationChanged, QT_TRANSLATE_NOOP("health", "configuration changed")},
    {ColdStart, QT_TRANSLATE_NOOP("health", "cold start")},
    {MoreStatusAvailable, QT_TRANSLATE_NOOP("health", "more status available")},
    {LoopCurrentFixed, QT_TRANSLATE_NOOP("health", "loop current fixed")},
    {LoopCurrentSaturated, QT_TRANSLATE_NOOP("health", "loop current saturated")},
    {NonPrimaryOutOfLimits, QT_TRANSLATE_NOOP("health", "secondary variable out of limits")},
    {PrimaryOutOfLimits, QT_TRANSLATE_NOOP("health", "pressure out of sensor limits")},
};

const char *englishName(quint8 bit) {
    for (const auto &n : kNames)
        if (n.bit == bit) return n.english;
    return "";
}

QString shownName(quint8 bit) {
    return QCoreApplication::translate("health", englishName(bit));
}

QList<Condition> allConditions(FixedBy fixedBy) {
    return {
        {DeviceMalfunction, shownName(DeviceMalfunction),
         QCoreApplication::translate(
             "health", "The transmitter has found a fault in itself (sensor or electronics). "
                       "Its measurement cannot be trusted."),
         QCoreApplication::translate(
             "health", "Read the additional status below for details. Power the transmitter "
                       "off and on; if the fault stays, replace the transmitter or send it "
                       "in for repair.")},
        {ConfigurationChanged, shownName(ConfigurationChanged),
         QCoreApplication::translate(
             "health", "The configuration was changed (by this program or another master) "
                       "since the flag was last cleared."),
         QCoreApplication::translate(
             "health", "Check that the configuration is the intended one, then clear the flag "
                       "so that the next change shows.")},
        {ColdStart, shownName(ColdStart),
         QCoreApplication::translate("health",
                                     "The transmitter has just been powered up or reset."),
         QCoreApplication::translate(
             "health", "Nothing, unless it was not expected: then look for a loose wire or a "
                       "supply that drops out.")},
        {MoreStatusAvailable, shownName(MoreStatusAvailable),
         QCoreApplication::translate(
             "health", "The transmitter holds more status information than this byte shows."),
         QCoreApplication::translate("health", "Read the additional status (command 48) below.")},
        {LoopCurrentFixed, shownName(LoopCurrentFixed),
         QCoreApplication::translate(
             "health", "The loop current is held at a fixed value (a loop test, or a polling "
                       "address other than 0). The control system does not see the level."),
         fixedBy == FixedBy::ThisProgram
             ? QCoreApplication::translate(
                   "health", "This program holds it: end the simulation (output signal, "
                             "Abort), or finish the loop check, which releases it itself.")
             : QCoreApplication::translate(
                   "health", "No simulation of this program holds it: another master (a "
                             "handheld, another program's loop test) fixed it, or the "
                             "transmitter answers at a polling address other than 0. Release "
                             "it with \"Release loop current\" below; if it stays fixed, set "
                             "the polling address to 0 with Config, Find transmitter.")},
        {LoopCurrentSaturated, shownName(LoopCurrentSaturated),
         QCoreApplication::translate(
             "health", "The level is outside the measuring range: the loop current stays at "
                       "its lower or upper end and no longer follows the level."),
         QCoreApplication::translate(
             "health", "Check the level, and the measuring range (zero and span) against "
                       "it.")},
        {NonPrimaryOutOfLimits, shownName(NonPrimaryOutOfLimits),
         QCoreApplication::translate(
             "health", "A variable other than the pressure (for example the temperature of "
                       "the electronics) is outside what the transmitter can measure."),
         QCoreApplication::translate("health",
                                     "Check the conditions where the transmitter is installed.")},
        {PrimaryOutOfLimits, shownName(PrimaryOutOfLimits),
         QCoreApplication::translate(
             "health", "The pressure is outside the sensor's limits: the reading is not "
                       "accurate."),
         QCoreApplication::translate(
             "health", "Check that the transmitter's model suits the depth of liquid above it, "
                       "and that the sensor is not blocked or damaged.")},
    };
}

} // namespace

QList<Condition> decodeStatus(quint8 status, FixedBy fixedBy) {
    QList<Condition> out;
    for (const Condition &c : allConditions(fixedBy))
        if (status & c.bit) out.append(c);
    return out;
}

QString attentionSummary(quint8 status, Words words) {
    QStringList names;
    for (const Condition &c : decodeStatus(status & kAttentionMask))
        names << (words == Words::Shown ? c.name : QString::fromLatin1(englishName(c.bit)));
    QString line = names.join(QStringLiteral(", "));
    if (!line.isEmpty()) line[0] = line[0].toUpper();
    return line;
}

QList<AdditionalByte> describeAdditionalStatus(const QByteArray &data, quint8 manufacturer) {
    // The positions HART gives for command 48; the device-specific ones are the maker's own.
    QList<AdditionalByte> out;
    for (int i = 0; i < data.size(); ++i) {
        QString meaning;
        if (i <= 5)
            meaning = QCoreApplication::translate("health", "device-specific status %1").arg(i);
        else if (i == 6)
            meaning = QCoreApplication::translate("health", "extended device status");
        else if (i == 7)
            meaning = QCoreApplication::translate("health", "operating mode");
        else if (i == 8)
            meaning = QCoreApplication::translate("health", "analog outputs saturated");
        else if (i == 9)
            meaning = QCoreApplication::translate("health", "analog outputs fixed");
        else
            meaning = QCoreApplication::translate("health", "device-specific status %1").arg(i);
        // Our transmitters name the cause of a malfunction in the first byte.
        if (i == 0 && manufacturer == hart::kZanuManufacturerId && (quint8(data[i]) & 0x01))
            meaning += QCoreApplication::translate("health", ": sensor fault");
        out.append({i, quint8(data[i]), meaning});
    }
    return out;
}

QString hexBytes(const QByteArray &data) {
    return QString::fromLatin1(data.toHex(' '));
}

std::optional<Identity> identityFromCommand0(const QByteArray &data) {
    const auto id = hart::decodeIdentity(data);
    // The marker byte is the same in every command-0 reply; anything else is not one.
    if (!id || id->marker != hart::kCommand0Marker) return std::nullopt;
    return Identity{id->manufacturerId,    id->deviceType,     id->preamblesRequired,
                    id->universalRevision, id->deviceRevision, id->deviceId};
}

QString manufacturerName(quint8 id) {
    return id == hart::kZanuManufacturerId ? QStringLiteral("Zanu") : QString::number(id);
}

QString deviceIdText(quint32 id) {
    return QStringLiteral("%1").arg(id & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

} // namespace health
