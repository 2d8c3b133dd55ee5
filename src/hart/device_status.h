// What the transmitter says about itself: the field-device status byte that comes with every
// reply, the additional status of command 48, and the identity of its command-0 reply, in words
// a service engineer can act on.
#pragma once

#include "hart/hart_catalogue.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace health {

enum StatusBit : quint8 {
    DeviceMalfunction = hart::status::Malfunction,
    ConfigurationChanged = hart::status::ConfigChanged,
    ColdStart = hart::status::ColdStart,
    MoreStatusAvailable = hart::status::MoreStatus,
    LoopCurrentFixed = hart::status::CurrentFixed,
    LoopCurrentSaturated = hart::status::CurrentSaturated,
    NonPrimaryOutOfLimits = hart::status::NonPvOutOfLimits,
    PrimaryOutOfLimits = hart::status::PvOutOfLimits,
};

// Configuration changed and cold start are news, not trouble: every write and every power-up
// sets them. The rest mean the reading on the loop may not be what it seems.
constexpr quint8 kAttentionMask = DeviceMalfunction | MoreStatusAvailable | LoopCurrentFixed |
                                  LoopCurrentSaturated | NonPrimaryOutOfLimits | PrimaryOutOfLimits;

struct Condition {
    quint8 bit = 0;
    QString name;   // short, for the one-line summary: "loop current fixed"
    QString words;  // what it means, in plain words
    QString action; // what to do about it
};

// Who holds a fixed loop current. What to do differs: this program's own simulation or loop
// check is ended where it was started, while a current fixed by another master (a handheld, a
// loop test of another tool) or by a polling address other than 0 is released from here.
enum class FixedBy { Other, ThisProgram };

// The conditions set in `status`, most serious (highest bit) first.
QList<Condition> decodeStatus(quint8 status, FixedBy fixedBy = FixedBy::Other);
inline bool needsAttention(quint8 status) {
    return (status & kAttentionMask) != 0;
}
// One line naming the conditions that need attention ("Device malfunction, loop current
// fixed"); empty when there are none. Shown: in the language spoken; Recorded: in English, for
// the history, whose records keep their words.
enum class Words { Shown, Recorded };
QString attentionSummary(quint8 status, Words words = Words::Shown);

// One byte of the command-48 reply with what is known of its position: HART's general layout,
// and for our own transmitters the maker's bits.
struct AdditionalByte {
    int index = 0;
    quint8 value = 0;
    QString meaning;
};
QList<AdditionalByte> describeAdditionalStatus(const QByteArray &data, quint8 manufacturer);
// "00 1a ff", the bytes as they came.
QString hexBytes(const QByteArray &data);

// The command-0 reply.
struct Identity {
    quint8 manufacturer = 0;
    quint8 deviceType = 0;
    quint8 preamblesRequired = 0;
    quint8 universalRevision = 0;
    quint8 deviceRevision = 0;
    quint32 deviceId = 0; // 24 bits
};
std::optional<Identity> identityFromCommand0(const QByteArray &data);
// "Zanu" for our own maker code, the number for any other.
QString manufacturerName(quint8 id);
// Six lower-case hex digits.
QString deviceIdText(quint32 id);

} // namespace health
