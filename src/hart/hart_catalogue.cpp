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
    }
    return name + QLatin1Char('=') + value;
}

QStringList decodeReply(int number, const QByteArray &data) {
    const CommandInfo *c = command(number);
    if (!c) return {};
    QStringList out;
    int end = 0;
    for (const Field &f : c->reply) {
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
