// The HART commands this program and its simulated transmitter use: their numbers, names and the
// layout of their request and reply data. The window's request procedures and result handler,
// the simulator and zanu-hart's decoder all read positions from here, so a layout exists once.
// Because a mistake here would then be made on both sides of the wire at once, the table is
// checked against byte vectors captured from independent implementations, never against the
// simulator (tests/hart).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace hart {

// The manufacturer id of the transmitter family (command-0 reply byte 1); it is also the private
// label distributor of command 15.
constexpr quint8 kZanuManufacturerId = 117;
// Command-0 reply byte 0 of every HART field device.
constexpr quint8 kCommand0Marker = 254;

namespace cmd {
// Universal commands.
constexpr quint8 ReadUniqueIdentifier = 0;
constexpr quint8 ReadPrimaryVariable = 1;
constexpr quint8 ReadLoopCurrent = 2; // and percent of range
constexpr quint8 ReadDynamicVariables = 3;
constexpr quint8 WritePollingAddress = 6;
constexpr quint8 ReadUniqueIdentifierByTag = 11;
constexpr quint8 ReadMessage = 12;
constexpr quint8 ReadTagDescriptorDate = 13;
constexpr quint8 ReadSensorInfo = 14; // PV transducer information
constexpr quint8 ReadOutputInfo = 15;
constexpr quint8 ReadFinalAssemblyNumber = 16;
constexpr quint8 WriteMessage = 17;
constexpr quint8 WriteTagDescriptorDate = 18;
constexpr quint8 WriteFinalAssemblyNumber = 19;
// Common-practice commands.
constexpr quint8 WriteDamping = 34;
constexpr quint8 WriteRangeValues = 35;
constexpr quint8 SetUpperRangeValue = 36; // to the applied pressure
constexpr quint8 SetLowerRangeValue = 37; // to the applied pressure, keeping the span
constexpr quint8 ResetConfigChanged = 38;
constexpr quint8 FixedCurrentMode = 40;
constexpr quint8 WritePvUnits = 44;
constexpr quint8 TrimLoopCurrentZero = 45; // with the loop fixed at 4 mA
constexpr quint8 TrimLoopCurrentGain = 46; // with the loop fixed at 20 mA
constexpr quint8 ReadAdditionalStatus = 48;
// Device-specific commands of the transmitter family.
constexpr quint8 ReadOutputDirection = 129;
constexpr quint8 MountingEffect = 150;
constexpr quint8 WriteOutputDirection = 152;
} // namespace cmd

// Positions inside the data field (for replies: after the two status bytes). `Size` is the
// length of the whole field as this program sends or expects it.
namespace at {
namespace Identity { // reply of 0 and 11
constexpr int Marker = 0;
constexpr int ManufacturerId = 1;
constexpr int DeviceType = 2;
constexpr int PreamblesRequired = 3;
constexpr int UniversalRevision = 4;
constexpr int DeviceRevision = 5;
constexpr int SoftwareRevision = 6;
constexpr int HardwareRevision = 7; // revision in the top five bits, signalling code below
constexpr int Flags = 8;
constexpr int DeviceId = 9; // 3 bytes
constexpr int Size = 12;
} // namespace Identity
namespace PrimaryVariable { // reply of 1
constexpr int Unit = 0;
constexpr int Value = 1;
constexpr int Size = 5;
} // namespace PrimaryVariable
namespace LoopCurrent { // reply of 2
constexpr int Current = 0;
constexpr int Percent = 4;
constexpr int Size = 8;
} // namespace LoopCurrent
namespace DynamicVariables { // reply of 3 (this transmitter has a PV only)
constexpr int Current = 0;
constexpr int PvUnit = 4;
constexpr int Pv = 5;
constexpr int Size = 9;
} // namespace DynamicVariables
namespace PollingAddress { // request and reply of 6
constexpr int Address = 0;
constexpr int Size = 1;
} // namespace PollingAddress
namespace TagOnly { // request of 11
constexpr int Tag = 0;
constexpr int Size = 6;
} // namespace TagOnly
namespace Message { // reply of 12, request and reply of 17
constexpr int Text = 0;
constexpr int TextBytes = 24; // 32 characters
constexpr int Size = 24;
} // namespace Message
namespace TagDescriptorDate { // reply of 13, request and reply of 18
constexpr int Tag = 0;
constexpr int TagBytes = 6; // 8 characters
constexpr int Descriptor = 6;
constexpr int DescriptorBytes = 12; // 16 characters
constexpr int Day = 18;
constexpr int Month = 19;
constexpr int Year = 20; // year - 1900
constexpr int Size = 21;
} // namespace TagDescriptorDate
namespace SensorInfo {          // reply of 14
constexpr int SerialNumber = 0; // 3 bytes
constexpr int LimitsUnit = 3;
constexpr int UpperLimit = 4;
constexpr int LowerLimit = 8;
constexpr int MinimumSpan = 12;
constexpr int Size = 16;
} // namespace SensorInfo
namespace OutputInfo { // reply of 15
constexpr int AlarmSelection = 0;
constexpr int TransferFunction = 1;
constexpr int RangeUnit = 2;
constexpr int UpperRange = 3;
constexpr int LowerRange = 7;
constexpr int Damping = 11;
constexpr int WriteProtect = 15;
constexpr int PrivateLabel = 16;
constexpr int Size = 17;
} // namespace OutputInfo
namespace FinalAssembly { // reply of 16, request and reply of 19
constexpr int Number = 0; // 3 bytes
constexpr int Size = 3;
} // namespace FinalAssembly
namespace Damping { // request and reply of 34
constexpr int Seconds = 0;
constexpr int Size = 4;
} // namespace Damping
namespace RangeValues { // request and reply of 35
constexpr int Unit = 0;
constexpr int Upper = 1;
constexpr int Lower = 5;
constexpr int Size = 9;
} // namespace RangeValues
namespace FixedCurrent {   // request and reply of 40
constexpr int Current = 0; // mA, 0 leaves fixed-current mode
constexpr int Size = 4;
} // namespace FixedCurrent
namespace LoopTrim {       // request and reply of 45 and 46
constexpr int Current = 0; // request: what the reference meter reads; reply: what was used
constexpr int Size = 4;
} // namespace LoopTrim
namespace PvUnit { // request and reply of 44
constexpr int Unit = 0;
constexpr int Size = 1;
} // namespace PvUnit
namespace AdditionalStatus {      // reply of 48
constexpr int DeviceSpecific = 0; // 6 bytes
constexpr int DeviceSpecificBytes = 6;
constexpr int Size = 6;
} // namespace AdditionalStatus
namespace OutputDirection { // reply of 129
constexpr int Reserved = 0;
constexpr int Direction = 1; // 0 rising 4-20 mA, 1 falling 20-4 mA
constexpr int Size = 2;
} // namespace OutputDirection
namespace OneByte { // request and reply of 150 (0 reset, 1 set) and 152 (direction)
constexpr int Value = 0;
constexpr int Size = 1;
} // namespace OneByte
} // namespace at

// Response codes (first status byte of a reply, bit 7 clear).
namespace rc {
constexpr quint8 Success = 0;
constexpr quint8 InvalidSelection = 2;
constexpr quint8 TooLarge = 3;
constexpr quint8 TooSmall = 4;
constexpr quint8 TooFewDataBytes = 5;
constexpr quint8 WriteProtected = 7;
constexpr quint8 SetToNearest = 8; // warning
constexpr quint8 LowerTooHigh = 9; // 36/37: applied process too high
constexpr quint8 LowerTooLow = 10; // 36/37: applied process too low
constexpr quint8 UpperTooHigh = 11;
constexpr quint8 UpperTooLow = 12;
constexpr quint8 BothOutOfLimits = 13;
constexpr quint8 SpanTooSmall = 14;       // warning; for 37 also "new LRV pushed URV over USL"
constexpr quint8 LoopNotFixedForTrim = 9; // 45/46: incorrect loop current mode or value
constexpr quint8 AccessRestricted = 16;
constexpr quint8 Busy = 32;
constexpr quint8 NotImplemented = 64;

// HART's warning class: the command was carried out, with a remark (8 for every command, 14 for
// the range commands 35-37, and the device-specific warning blocks 24-27 and 96-111). A writer
// that treats these as refusals stops halfway through a configuration that was in fact written.
constexpr bool isWarning(int code, int command) {
    if (code == SetToNearest) return true;
    if (code == SpanTooSmall) return command >= 35 && command <= 37;
    return (code >= 24 && code <= 27) || (code >= 96 && code <= 111);
}
} // namespace rc

// Field device status bits (second status byte of a reply).
namespace status {
constexpr quint8 Malfunction = 0x80;
constexpr quint8 ConfigChanged = 0x40;
constexpr quint8 ColdStart = 0x20;
constexpr quint8 MoreStatus = 0x10;
constexpr quint8 CurrentFixed = 0x08;
constexpr quint8 CurrentSaturated = 0x04;
constexpr quint8 NonPvOutOfLimits = 0x02;
constexpr quint8 PvOutOfLimits = 0x01;
} // namespace status

enum class FieldType {
    Byte,   // one unsigned byte
    UInt24, // three bytes, big-endian
    Float,  // IEEE single, big-endian
    Packed, // packed ASCII of `size` bytes
    Date,   // day, month, year - 1900
    Bytes,  // `size` bytes shown as hex
    UInt16, // two bytes, big-endian
    Bits,   // some bits of one byte (`mask`), shifted down to a number
};

struct Field {
    const char *name;
    int offset;
    FieldType type;
    int size;           // bytes the field takes
    quint8 mask = 0xFF; // Bits only: the bits of the byte that are this field
};

struct CommandInfo {
    quint8 number = 0;
    const char *name = "";
    QList<Field> request;
    QList<Field> reply;
};

// Every command of the catalogue, in number order.
const QList<CommandInfo> &commands();
// The entry for `number`, or nothing for a command outside the catalogue.
const CommandInfo *command(int number);

// One field of a data block as text: "name=value". Packed text is shown in quotes, dates as
// YYYY-MM-DD, floats with up to seven significant digits. A field the data is too short to hold
// is shown as "name=(missing)".
QString decodeField(const Field &field, const QByteArray &data);
// Every reply field of `command` in `data`, one "name=value" per entry; bytes beyond the layout
// are listed as "extra=HEX". Empty for a command outside the catalogue.
// HART 6 and 7 lay out some replies differently (commands 0, 11 and 15), so their fields are
// named by the device's universal revision: for 0 and 11 the reply's own revision byte, for
// the others `universalRevision` as the device's command-0 reply gave it.
QStringList decodeReply(int command, const QByteArray &data, int universalRevision = 5);

// A single byte inside a data field, as putFloat and putUInt24 for the wider types: reads outside
// the field give 0, writes grow it.
void putByte(QByteArray &data, int pos, quint8 value);
quint8 getByte(const QByteArray &data, int pos);

} // namespace hart
