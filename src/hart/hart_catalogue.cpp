#include "hart/hart_catalogue.h"

#include "hart/link/hart_codec.h"

namespace hart {

namespace {

constexpr Field byte(const char *name, int offset) {
    return {name, offset, FieldType::Byte, 1};
}
constexpr Field uint24(const char *name, int offset) {
    return {name, offset, FieldType::UInt24, 3};
}
constexpr Field single(const char *name, int offset) {
    return {name, offset, FieldType::Float, 4};
}
constexpr Field packed(const char *name, int offset, int size) {
    return {name, offset, FieldType::Packed, size};
}
constexpr Field date(const char *name, int offset) {
    return {name, offset, FieldType::Date, 3};
}
constexpr Field bytes(const char *name, int offset, int size) {
    return {name, offset, FieldType::Bytes, size};
}

QList<Field> identity() {
    namespace I = at::Identity;
    return {byte("marker", I::Marker),
            byte("manufacturer_id", I::ManufacturerId),
            byte("device_type", I::DeviceType),
            byte("preambles_required", I::PreamblesRequired),
            byte("universal_revision", I::UniversalRevision),
            byte("device_revision", I::DeviceRevision),
            byte("software_revision", I::SoftwareRevision),
            byte("hardware_revision", I::HardwareRevision),
            byte("flags", I::Flags),
            uint24("device_id", I::DeviceId)};
}

QList<Field> tagDescriptorDate() {
    namespace T = at::TagDescriptorDate;
    return {packed("tag", T::Tag, T::TagBytes),
            packed("descriptor", T::Descriptor, T::DescriptorBytes), date("date", T::Day)};
}

QList<CommandInfo> buildCatalogue() {
    namespace A = at;
    const QList<Field> message{packed("message", A::Message::Text, A::Message::TextBytes)};
    const QList<Field> finalAssembly{uint24("final_assembly_number", A::FinalAssembly::Number)};
    const QList<Field> pollingAddress{byte("polling_address", A::PollingAddress::Address)};
    const QList<Field> damping{single("damping_s", A::Damping::Seconds)};
    const QList<Field> range{byte("range_unit", A::RangeValues::Unit),
                             single("upper_range_value", A::RangeValues::Upper),
                             single("lower_range_value", A::RangeValues::Lower)};
    const QList<Field> fixedCurrent{single("loop_current_ma", A::FixedCurrent::Current)};
    const QList<Field> unit{byte("pv_unit", A::PvUnit::Unit)};
    const QList<Field> trim{single("loop_current_ma", A::LoopTrim::Current)};
    const QList<Field> direction{byte("output_direction", A::OneByte::Value)};

    return {
        {cmd::ReadUniqueIdentifier, "read unique identifier", {}, identity()},
        {cmd::ReadPrimaryVariable,
         "read primary variable",
         {},
         {byte("pv_unit", A::PrimaryVariable::Unit), single("pv", A::PrimaryVariable::Value)}},
        {cmd::ReadLoopCurrent,
         "read loop current and percent of range",
         {},
         {single("loop_current_ma", A::LoopCurrent::Current),
          single("percent_of_range", A::LoopCurrent::Percent)}},
        {cmd::ReadDynamicVariables,
         "read dynamic variables and loop current",
         {},
         {single("loop_current_ma", A::DynamicVariables::Current),
          byte("pv_unit", A::DynamicVariables::PvUnit), single("pv", A::DynamicVariables::Pv)}},
        {cmd::WritePollingAddress, "write polling address", pollingAddress, pollingAddress},
        {cmd::ReadUniqueIdentifierByTag,
         "read unique identifier associated with tag",
         {packed("tag", A::TagOnly::Tag, A::TagOnly::Size)},
         identity()},
        {cmd::ReadMessage, "read message", {}, message},
        {cmd::ReadTagDescriptorDate, "read tag, descriptor, date", {}, tagDescriptorDate()},
        {cmd::ReadSensorInfo,
         "read PV transducer information",
         {},
         {uint24("transducer_serial_number", A::SensorInfo::SerialNumber),
          byte("limits_unit", A::SensorInfo::LimitsUnit),
          single("upper_sensor_limit", A::SensorInfo::UpperLimit),
          single("lower_sensor_limit", A::SensorInfo::LowerLimit),
          single("minimum_span", A::SensorInfo::MinimumSpan)}},
        {cmd::ReadOutputInfo,
         "read output information",
         {},
         {byte("alarm_selection", A::OutputInfo::AlarmSelection),
          byte("transfer_function", A::OutputInfo::TransferFunction),
          byte("range_unit", A::OutputInfo::RangeUnit),
          single("upper_range_value", A::OutputInfo::UpperRange),
          single("lower_range_value", A::OutputInfo::LowerRange),
          single("damping_s", A::OutputInfo::Damping),
          byte("write_protect", A::OutputInfo::WriteProtect),
          byte("private_label_distributor", A::OutputInfo::PrivateLabel)}},
        {cmd::ReadFinalAssemblyNumber, "read final assembly number", {}, finalAssembly},
        {cmd::WriteMessage, "write message", message, message},
        {cmd::WriteTagDescriptorDate, "write tag, descriptor, date", tagDescriptorDate(),
         tagDescriptorDate()},
        {cmd::WriteFinalAssemblyNumber, "write final assembly number", finalAssembly,
         finalAssembly},
        {cmd::WriteDamping, "write PV damping", damping, damping},
        {cmd::WriteRangeValues, "write PV range values", range, range},
        {cmd::SetUpperRangeValue, "set PV upper range value", {}, {}},
        {cmd::SetLowerRangeValue, "set PV lower range value", {}, {}},
        {cmd::ResetConfigChanged, "reset configuration changed flag", {}, {}},
        {cmd::FixedCurrentMode, "enter/exit fixed current mode", fixedCurrent, fixedCurrent},
        {cmd::WritePvUnits, "write PV units", unit, unit},
        {cmd::TrimLoopCurrentZero, "trim loop current zero", trim, trim},
        {cmd::TrimLoopCurrentGain, "trim loop current gain", trim, trim},
        {cmd::ReadAdditionalStatus,
         "read additional device status",
         {},
         {bytes("device_specific_status", A::AdditionalStatus::DeviceSpecific,
                A::AdditionalStatus::DeviceSpecificBytes)}},
        {cmd::ReadOutputDirection,
         "read output direction",
         {},
         {byte("reserved", A::OutputDirection::Reserved),
          byte("output_direction", A::OutputDirection::Direction)}},
        {cmd::MountingEffect,
         "mounting-effect correction",
         {byte("action", A::OneByte::Value)},
         {byte("action", A::OneByte::Value)}},
        {cmd::WriteOutputDirection, "write output direction", direction, direction},
    };
}

QString floatText(float v) {
    return QString::number(double(v), 'g', 7);
}

constexpr Field uint16(const char *name, int offset) {
    return {name, offset, FieldType::UInt16, 2};
}
constexpr Field bits(const char *name, int offset, quint8 mask) {
    return {name, offset, FieldType::Bits, 1, mask};
}

// The identity reply (commands 0 and 11) as the device's own universal revision lays it out.
// HART 6 joined bytes 1 and 2 into one expanded device type and appended five bytes; HART 7
// appended five more. Byte 7 holds two numbers in every revision.
QList<Field> identityLayout(int revision) {
    namespace I = at::Identity;
    QList<Field> f{byte("marker", I::Marker)};
    if (revision >= 6)
        f << uint16("expanded_device_type", I::ManufacturerId);
    else
        f << byte("manufacturer_id", I::ManufacturerId) << byte("device_type", I::DeviceType);
    f << byte("preambles_required", I::PreamblesRequired)
      << byte("universal_revision", I::UniversalRevision)
      << byte("device_revision", I::DeviceRevision)
      << byte("software_revision", I::SoftwareRevision)
      << bits("hardware_revision", I::HardwareRevision, 0xF8)
      << bits("physical_signalling_code", I::HardwareRevision, 0x07) << byte("flags", I::Flags)
      << uint24("device_id", I::DeviceId);
    if (revision >= 6)
        f << byte("response_preambles", 12) << byte("max_device_variables", 13)
          << uint16("configuration_change_counter", 14) << byte("extended_device_status", 16);
    if (revision >= 7)
        f << uint16("manufacturer_id", 17) << uint16("private_label_distributor", 19)
          << byte("device_profile", 21);
    return f;
}

// Command 15: HART 6 appended the analog channel flags; HART 7 moved the private label
// distributor to command 0 and left its old byte reserved (always 250).
QList<Field> outputInfoLayout(QList<Field> f, int revision) {
    if (revision < 6) return f;
    if (revision >= 7) f.last() = byte("reserved", at::OutputInfo::PrivateLabel);
    f << byte("analog_channel_flags", at::OutputInfo::Size);
    return f;
}

QList<Field> replyLayout(const CommandInfo &c, const QByteArray &data, int revision) {
    switch (c.number) {
    case cmd::ReadUniqueIdentifier:
    case cmd::ReadUniqueIdentifierByTag:
        return identityLayout(data.size() > at::Identity::UniversalRevision
                                  ? getByte(data, at::Identity::UniversalRevision)
                                  : revision);
    case cmd::ReadOutputInfo:
        return outputInfoLayout(c.reply, revision);
    default:
        return c.reply;
    }
}

} // namespace

const QList<CommandInfo> &commands() {
    static const QList<CommandInfo> table = buildCatalogue();
    return table;
}

const CommandInfo *command(int number) {
    for (const CommandInfo &c : commands())
        if (c.number == number) return &c;
    return nullptr;
}

QString decodeField(const Field &field, const QByteArray &data) {
    const QString name = QString::fromLatin1(field.name);
    if (field.offset + field.size > data.size()) return name + QStringLiteral("=(missing)");
    QString value;
    switch (field.type) {
    case FieldType::Byte:
        value = QString::number(getByte(data, field.offset));
        break;
    case FieldType::UInt24:
        value = QString::number(getUInt24(data, field.offset));
        break;
    case FieldType::Float:
        value = floatText(getFloat(data, field.offset));
        break;
    case FieldType::Packed:
        value =
            QLatin1Char('"') + unpackAscii(data.mid(field.offset, field.size)) + QLatin1Char('"');
        break;
    case FieldType::Date:
        value = QStringLiteral("%1-%2-%3")
                    .arg(1900 + getByte(data, field.offset + 2), 4, 10, QLatin1Char('0'))
                    .arg(getByte(data, field.offset + 1), 2, 10, QLatin1Char('0'))
                    .arg(getByte(data, field.offset), 2, 10, QLatin1Char('0'));
        break;
    case FieldType::Bytes:
        value = QString::fromLatin1(data.mid(field.offset, field.size).toHex());
        break;
    case FieldType::UInt16:
        value = QString::number(getByte(data, field.offset) << 8 | getByte(data, field.offset + 1));
        break;
    case FieldType::Bits: {
        int shift = 0;
        while (field.mask && !((field.mask >> shift) & 1))
            ++shift;
        value = QString::number((getByte(data, field.offset) & field.mask) >> shift);
        break;
    }
    }
    return name + QLatin1Char('=') + value;
}

QStringList decodeReply(int number, const QByteArray &data, int universalRevision) {
    const CommandInfo *c = command(number);
    if (!c) return {};
    QStringList out;
    int end = 0;
    for (const Field &f : replyLayout(*c, data, universalRevision)) {
        out << decodeField(f, data);
        end = qMax(end, f.offset + f.size);
    }
    // HART 6/7 devices append bytes to several replies (command 0 above all); show them rather
    // than hide them.
    if (data.size() > end)
        out << QStringLiteral("extra=") + QString::fromLatin1(data.mid(end).toHex());
    return out;
}

void putByte(QByteArray &data, int pos, quint8 value) {
    if (pos < 0) return;
    if (data.size() <= pos) data.resize(pos + 1, '\0');
    data[pos] = char(value);
}

quint8 getByte(const QByteArray &data, int pos) {
    if (pos < 0 || pos >= data.size()) return 0;
    return quint8(data[pos]);
}

} // namespace hart
