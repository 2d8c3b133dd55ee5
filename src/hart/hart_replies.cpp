#include "hart/hart_replies.h"

#include "hart/hart_catalogue.h"
#include "hart/link/hart_codec.h"

namespace hart {

namespace {

constexpr quint8 kSignallingCodeBits = 0x07;
constexpr int kHardwareRevisionShift = 3;

// Every decoder starts here: a reply shorter than its layout says so instead of reading zeros
// that would look like real values.
bool tooShort(const QByteArray &data, int size, const char *what, QString *why) {
    if (data.size() >= size) return false;
    *why = QStringLiteral("the %1 reply has %2 data bytes where %3 are needed")
               .arg(QLatin1String(what))
               .arg(data.size())
               .arg(size);
    return true;
}

QByteArray sized(int size) {
    return QByteArray(size, '\0');
}

} // namespace

Decoded<Identity> decodeIdentity(const QByteArray &data) {
    namespace I = at::Identity;
    QString why;
    if (tooShort(data, I::Size, "identification", &why)) return Decoded<Identity>::failure(why);
    Identity v;
    v.marker = getByte(data, I::Marker);
    v.manufacturerId = getByte(data, I::ManufacturerId);
    v.deviceType = getByte(data, I::DeviceType);
    v.preamblesRequired = getByte(data, I::PreamblesRequired);
    v.universalRevision = getByte(data, I::UniversalRevision);
    v.deviceRevision = getByte(data, I::DeviceRevision);
    v.softwareRevision = getByte(data, I::SoftwareRevision);
    const quint8 hardware = getByte(data, I::HardwareRevision);
    v.hardwareRevision = quint8(hardware >> kHardwareRevisionShift);
    v.signallingCode = quint8(hardware & kSignallingCodeBits);
    v.flags = getByte(data, I::Flags);
    v.deviceId = getUInt24(data, I::DeviceId);
    return v;
}

Decoded<TagDescriptorDate> decodeTagDescriptorDate(const QByteArray &data) {
    namespace T = at::TagDescriptorDate;
    QString why;
    if (tooShort(data, T::Size, "tag, descriptor and date", &why))
        return Decoded<TagDescriptorDate>::failure(why);
    TagDescriptorDate v;
    v.tag = unpackAscii(data.mid(T::Tag, T::TagBytes));
    v.descriptor = unpackAscii(data.mid(T::Descriptor, T::DescriptorBytes));
    v.day = getByte(data, T::Day);
    v.month = getByte(data, T::Month);
    v.yearSince1900 = getByte(data, T::Year);
    return v;
}

Decoded<SensorInfo> decodeSensorInfo(const QByteArray &data) {
    namespace S = at::SensorInfo;
    QString why;
    if (tooShort(data, S::Size, "sensor information", &why))
        return Decoded<SensorInfo>::failure(why);
    SensorInfo v;
    v.serialNumber = getUInt24(data, S::SerialNumber);
    v.limitsUnit = getByte(data, S::LimitsUnit);
    v.upperLimit = getFloat(data, S::UpperLimit);
    v.lowerLimit = getFloat(data, S::LowerLimit);
    v.minimumSpan = getFloat(data, S::MinimumSpan);
    return v;
}

Decoded<OutputInfo> decodeOutputInfo(const QByteArray &data) {
    namespace O = at::OutputInfo;
    QString why;
    if (tooShort(data, O::Size, "output information", &why))
        return Decoded<OutputInfo>::failure(why);
    OutputInfo v;
    v.alarmSelection = getByte(data, O::AlarmSelection);
    v.transferFunction = getByte(data, O::TransferFunction);
    v.rangeUnit = getByte(data, O::RangeUnit);
    v.upperRange = getFloat(data, O::UpperRange);
    v.lowerRange = getFloat(data, O::LowerRange);
    v.damping = getFloat(data, O::Damping);
    v.writeProtect = getByte(data, O::WriteProtect);
    v.privateLabel = getByte(data, O::PrivateLabel);
    return v;
}

Decoded<LoopCurrent> decodeLoopCurrent(const QByteArray &data) {
    namespace L = at::LoopCurrent;
    QString why;
    if (tooShort(data, L::Size, "loop current", &why)) return Decoded<LoopCurrent>::failure(why);
    return LoopCurrent{getFloat(data, L::Current), getFloat(data, L::Percent)};
}

Decoded<PrimaryVariable> decodePrimaryVariable(const QByteArray &data) {
    namespace P = at::PrimaryVariable;
    QString why;
    if (tooShort(data, P::Size, "primary variable", &why))
        return Decoded<PrimaryVariable>::failure(why);
    return PrimaryVariable{getByte(data, P::Unit), getFloat(data, P::Value)};
}

Decoded<DynamicVariables> decodeDynamicVariables(const QByteArray &data) {
    namespace D = at::DynamicVariables;
    QString why;
    if (tooShort(data, D::Size, "dynamic variables", &why))
        return Decoded<DynamicVariables>::failure(why);
    return DynamicVariables{getFloat(data, D::Current), getByte(data, D::PvUnit),
                            getFloat(data, D::Pv)};
}

Decoded<RangeValues> decodeRangeValues(const QByteArray &data) {
    namespace R = at::RangeValues;
    QString why;
    if (tooShort(data, R::Size, "range values", &why)) return Decoded<RangeValues>::failure(why);
    return RangeValues{getByte(data, R::Unit), getFloat(data, R::Upper), getFloat(data, R::Lower)};
}

Decoded<AdditionalStatus> decodeAdditionalStatus(const QByteArray &data) {
    namespace A = at::AdditionalStatus;
    QString why;
    if (tooShort(data, A::Size, "additional status", &why))
        return Decoded<AdditionalStatus>::failure(why);
    return AdditionalStatus{data.left(A::DeviceSpecificBytes)};
}

Decoded<OutputDirection> decodeOutputDirection(const QByteArray &data) {
    namespace D = at::OutputDirection;
    QString why;
    if (tooShort(data, D::Size, "output direction", &why))
        return Decoded<OutputDirection>::failure(why);
    return OutputDirection{getByte(data, D::Reserved), getByte(data, D::Direction)};
}

Decoded<float> decodeSingle(const QByteArray &data) {
    QString why;
    if (tooShort(data, 4, "value", &why)) return Decoded<float>::failure(why);
    return getFloat(data, 0);
}

Decoded<quint8> decodeByte(const QByteArray &data) {
    QString why;
    if (tooShort(data, 1, "value", &why)) return Decoded<quint8>::failure(why);
    return getByte(data, 0);
}

QByteArray encode(const Identity &v) {
    namespace I = at::Identity;
    QByteArray d = sized(I::Size);
    putByte(d, I::Marker, v.marker);
    putByte(d, I::ManufacturerId, v.manufacturerId);
    putByte(d, I::DeviceType, v.deviceType);
    putByte(d, I::PreamblesRequired, v.preamblesRequired);
    putByte(d, I::UniversalRevision, v.universalRevision);
    putByte(d, I::DeviceRevision, v.deviceRevision);
    putByte(d, I::SoftwareRevision, v.softwareRevision);
    putByte(d, I::HardwareRevision,
            quint8((v.hardwareRevision << kHardwareRevisionShift) |
                   (v.signallingCode & kSignallingCodeBits)));
    putByte(d, I::Flags, v.flags);
    putUInt24(d, I::DeviceId, v.deviceId);
    return d;
}

QByteArray encode(const TagDescriptorDate &v) {
    namespace T = at::TagDescriptorDate;
    QByteArray d = sized(T::Size);
    d.replace(T::Tag, T::TagBytes, packAscii(v.tag, T::TagBytes));
    d.replace(T::Descriptor, T::DescriptorBytes, packAscii(v.descriptor, T::DescriptorBytes));
    putByte(d, T::Day, v.day);
    putByte(d, T::Month, v.month);
    putByte(d, T::Year, v.yearSince1900);
    return d;
}

QByteArray encode(const SensorInfo &v) {
    namespace S = at::SensorInfo;
    QByteArray d = sized(S::Size);
    putUInt24(d, S::SerialNumber, v.serialNumber);
    putByte(d, S::LimitsUnit, v.limitsUnit);
    putFloat(d, S::UpperLimit, v.upperLimit);
    putFloat(d, S::LowerLimit, v.lowerLimit);
    putFloat(d, S::MinimumSpan, v.minimumSpan);
    return d;
}

QByteArray encode(const OutputInfo &v) {
    namespace O = at::OutputInfo;
    QByteArray d = sized(O::Size);
    putByte(d, O::AlarmSelection, v.alarmSelection);
    putByte(d, O::TransferFunction, v.transferFunction);
    putByte(d, O::RangeUnit, v.rangeUnit);
    putFloat(d, O::UpperRange, v.upperRange);
    putFloat(d, O::LowerRange, v.lowerRange);
    putFloat(d, O::Damping, v.damping);
    putByte(d, O::WriteProtect, v.writeProtect);
    putByte(d, O::PrivateLabel, v.privateLabel);
    return d;
}

QByteArray encode(const LoopCurrent &v) {
    QByteArray d = sized(at::LoopCurrent::Size);
    putFloat(d, at::LoopCurrent::Current, v.current);
    putFloat(d, at::LoopCurrent::Percent, v.percent);
    return d;
}

QByteArray encode(const PrimaryVariable &v) {
    QByteArray d = sized(at::PrimaryVariable::Size);
    putByte(d, at::PrimaryVariable::Unit, v.unit);
    putFloat(d, at::PrimaryVariable::Value, v.value);
    return d;
}

QByteArray encode(const DynamicVariables &v) {
    QByteArray d = sized(at::DynamicVariables::Size);
    putFloat(d, at::DynamicVariables::Current, v.current);
    putByte(d, at::DynamicVariables::PvUnit, v.pvUnit);
    putFloat(d, at::DynamicVariables::Pv, v.pv);
    return d;
}

QByteArray encode(const RangeValues &v) {
    QByteArray d = sized(at::RangeValues::Size);
    putByte(d, at::RangeValues::Unit, v.unit);
    putFloat(d, at::RangeValues::Upper, v.upper);
    putFloat(d, at::RangeValues::Lower, v.lower);
    return d;
}

QByteArray encode(const AdditionalStatus &v) {
    QByteArray d = v.deviceSpecific.left(at::AdditionalStatus::DeviceSpecificBytes);
    d.resize(at::AdditionalStatus::Size, '\0');
    return d;
}

QByteArray encode(const OutputDirection &v) {
    QByteArray d = sized(at::OutputDirection::Size);
    putByte(d, at::OutputDirection::Reserved, v.reserved);
    putByte(d, at::OutputDirection::Direction, v.direction);
    return d;
}

QByteArray encodeSingle(float v) {
    QByteArray d = sized(4);
    putFloat(d, 0, v);
    return d;
}

QByteArray encodeByte(quint8 v) {
    return QByteArray(1, char(v));
}

} // namespace hart
