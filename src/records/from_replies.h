// What the transmitter's read replies become in a record. The window and zanu-hart both turn
// replies into records; the rules for that live here once, so that a file saved by one matches
// what the other shows.
#pragma once

#include "hart/hart_replies.h"
#include "records/configuration.h"

#include <QtGlobal>

namespace records {

// Transducers of two production lines carry a serial whose leading digit the transmitter does
// not store: their numbers start with 18 or 48 on the wire and are shown with 5 or 2 million
// added. Works in 64 bits and stays inside the 24-bit field first, so that no value the line can
// hand us overflows the 32-bit record field.
qint32 SerialWithPrefix(qint64 raw);

// The read sequence's replies (0, 13, 15, 14, 129) as a configuration: serial with its prefix,
// singles in their shortest form, text fields without their padding, the unit by its name
// (empty for a code the unit list does not have). Who wrote it is the caller's to fill in.
Configuration fromReplies(const hart::Identity &identity, const hart::TagDescriptorDate &tag,
                          const hart::OutputInfo &output, const hart::SensorInfo &sensor,
                          const hart::OutputDirection &direction);

} // namespace records
