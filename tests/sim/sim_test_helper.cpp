#include "sim_test_helper.h"

namespace simtest {

QByteArray hex(const char *text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

QByteArray longAddressOf(const SimDevice &device) {
    return hart::longAddress(true, device.manufacturerId(), device.deviceType(), device.deviceId());
}

QByteArray requestFrame(const QByteArray &address, quint8 command, const QByteArray &data) {
    hart::Frame f;
    f.delimiter = address.size() == 5 ? 0x82 : 0x02;
    f.address = address;
    f.command = command;
    f.data = data;
    return hart::encode(f, hart::kMinPreambles);
}

QByteArray requestTo(const SimDevice &device, quint8 command, const QByteArray &data) {
    return requestFrame(longAddressOf(device), command, data);
}

std::optional<hart::Frame> parseReply(const QByteArray &bytes) {
    hart::FrameParser parser;
    parser.push(bytes);
    while (auto item = parser.take()) {
        if (item->outcome == hart::FrameParser::Outcome::Frame && item->frame.isReply())
            return item->frame;
    }
    return std::nullopt;
}

std::optional<hart::Frame> transact(SimDevice &device, quint8 command, const QByteArray &data) {
    return parseReply(device.respond(requestTo(device, command, data)));
}

void makeSteady(SimDevice &device, double appliedMH2O) {
    device.setNoise(false);
    device.setAppliedPressure(appliedMH2O);
    device.settle();
    // Its first reply is behind it, so a status byte shows only what the test is about.
    device.setColdStart(false);
}

} // namespace simtest
