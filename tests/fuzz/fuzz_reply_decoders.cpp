// Fuzz target: every reply decoder on arbitrary data of every length.
//
// Input layout: byte 0 picks the command (its number as it stands, so that commands outside the
// catalogue are fed too), the rest is the reply's data field. Beyond "no crash, no read past the
// data" the target checks:
// - the catalogue's text decoder gives "name=value" lines for every command it knows, and nothing
//   for one it does not;
// - a typed decoder either gives a value or says why not, and says why not exactly when the data
//   is shorter than its layout;
// - a decoded reply written again through the same layout gives the bytes it was read from.
#include "fuzz_check.h"
#include "hart/hart_catalogue.h"
#include "hart/hart_replies.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

template <typename T>
void checkTyped(const hart::Decoded<T> &decoded, const QByteArray &data, int size) {
    FUZZ_CHECK(bool(decoded) == (data.size() >= size), "value or reason does not follow the size");
    if (!decoded) {
        FUZZ_CHECK(!decoded.why().isEmpty(), "no value and no reason");
        return;
    }
    FUZZ_CHECK(hart::encode(*decoded) == data.left(size), "decoded reply re-encodes differently");
}

void checkScalar(int size, bool decoded, const QByteArray &data) {
    FUZZ_CHECK(decoded == (data.size() >= size), "value or reason does not follow the size");
}

void checkText(int command, const QByteArray &data) {
    const hart::CommandInfo *info = hart::command(command);
    const QStringList lines = hart::decodeReply(command, data);
    if (!info) {
        FUZZ_CHECK(lines.isEmpty(), "a command outside the catalogue was decoded");
        return;
    }
    FUZZ_CHECK(!lines.isEmpty() || info->reply.isEmpty(), "a known reply decoded to nothing");
    for (const QString &line : lines)
        FUZZ_CHECK(line.indexOf(QLatin1Char('=')) > 0, "a decoded line that is not name=value");
}

void checkTypedFor(int command, const QByteArray &data) {
    namespace at = hart::at;
    namespace cmd = hart::cmd;
    switch (command) {
    case cmd::ReadUniqueIdentifier:
    case cmd::ReadUniqueIdentifierByTag:
        return checkTyped(hart::decodeIdentity(data), data, at::Identity::Size);
    case cmd::ReadTagDescriptorDate:
    case cmd::WriteTagDescriptorDate:
        return checkTyped(hart::decodeTagDescriptorDate(data), data, at::TagDescriptorDate::Size);
    case cmd::ReadSensorInfo:
        return checkTyped(hart::decodeSensorInfo(data), data, at::SensorInfo::Size);
    case cmd::ReadOutputInfo:
        return checkTyped(hart::decodeOutputInfo(data), data, at::OutputInfo::Size);
    case cmd::ReadLoopCurrent:
        return checkTyped(hart::decodeLoopCurrent(data), data, at::LoopCurrent::Size);
    case cmd::ReadPrimaryVariable:
        return checkTyped(hart::decodePrimaryVariable(data), data, at::PrimaryVariable::Size);
    case cmd::ReadDynamicVariables:
        return checkTyped(hart::decodeDynamicVariables(data), data, at::DynamicVariables::Size);
    case cmd::WriteRangeValues:
        return checkTyped(hart::decodeRangeValues(data), data, at::RangeValues::Size);
    case cmd::ReadAdditionalStatus:
        return checkTyped(hart::decodeAdditionalStatus(data), data, at::AdditionalStatus::Size);
    case cmd::ReadOutputDirection:
        return checkTyped(hart::decodeOutputDirection(data), data, at::OutputDirection::Size);
    case cmd::WriteDamping:
    case cmd::FixedCurrentMode:
        return checkScalar(4, bool(hart::decodeSingle(data)), data);
    case cmd::WritePvUnits:
    case cmd::WritePollingAddress:
    case cmd::MountingEffect:
    case cmd::WriteOutputDirection:
        return checkScalar(1, bool(hart::decodeByte(data)), data);
    default:
        return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) return 0;
    const int command = data[0];
    // A copy of exactly the data: a decoder that reads one byte too far meets the sanitizer.
    const QByteArray reply(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    checkText(command, reply);
    checkTypedFor(command, reply);
    return 0;
}
