// Building requests for the simulated transmitter and taking its replies apart, shared by the
// simulator tests.
#pragma once

#include "hart/link/hart_codec.h"
#include "sim/sim_device.h"

#include <QByteArray>

#include <optional>

namespace simtest {

// "F0 41 20 00 00" -> bytes; blanks are for the reader.
QByteArray hex(const char *text);

// The long address a master builds from this device's command-0 reply (primary master).
QByteArray longAddressOf(const SimDevice &device);
// A whole request frame with five preambles.
QByteArray requestFrame(const QByteArray &address, quint8 command, const QByteArray &data = {});
QByteArray requestTo(const SimDevice &device, quint8 command, const QByteArray &data = {});

// The reply frame in `bytes`, if it holds one that parses with a good checksum.
std::optional<hart::Frame> parseReply(const QByteArray &bytes);
// Sends one long-address request and parses the reply.
std::optional<hart::Frame> transact(SimDevice &device, quint8 command, const QByteArray &data = {});

// A device with the process held still at `appliedMH2O`, the damping caught up and the cold start
// already reported, so that every value it reports is exact.
void makeSteady(SimDevice &device, double appliedMH2O = 3.75);

} // namespace simtest
