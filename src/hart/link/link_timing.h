// The link layer's timing: HART's own figures plus the slack that USB-serial adapters need. The
// defaults are what a healthy line needs; tests shorten them, and a field engineer can lengthen
// them for a slow adapter or a long cable without a new build (ZANU_HART_TIMING, --timing).
#pragma once

#include "hart/link/hart_codec.h"

#include <QString>

struct LinkTiming {
    // RT1: how long a master waits for the start of a reply after the end of its request,
    // 33 character times for a primary master, 41 for a secondary one.
    int primaryReplyTimeoutMs = 305;
    int secondaryReplyTimeoutMs = 376;
    // On top of RT1: USB-serial adapters hold received bytes for up to 16 ms (FTDI latency
    // timer), hand them over in chunks, and add a few ms to the end of every write.
    int adapterAllowanceMs = 50;
    // Once a reply has started, a silence longer than this ends it. HART allows one character
    // time (9.2 ms); chunked delivery through an adapter needs more, and a longer gap costs
    // nothing on a healthy line because the frame's own byte count says when it is complete.
    int interCharGapMs = 60;
    // Listen before talk: the line must have been quiet this long before we start a request, so
    // we do not talk over another master or a bursting device. Bounded: after maxListenMs of
    // traffic we send anyway rather than never.
    int quietMs = 60;
    int maxListenMs = 1000;
    // RT2, the link grant: after each transaction of ours, 8 character times for the other master
    // (a handheld, or the control system's multiplexer) to take its turn before our next request.
    int linkGrantMs = 75;
    // Further tries after the first one, for silence and garbled replies.
    int retries = 2;
    // If the line never reports the end of sending, the request is taken as lost after its wire
    // time plus this much.
    int sendWatchdogMs = 2000;
    // Once the reply time has passed while bytes keep coming, this long more at most: the
    // longest frame there is (20 preambles, long address, 255 data bytes) at 1200 bit/s.
    int longestReplyMs = int(hart::wireTimeUs(20 + 264) / 1000) + 1;

    bool operator==(const LinkTiming &o) const;
    bool operator!=(const LinkTiming &o) const { return !(*this == o); }

    // "rt1=600,allowance=100": the named fields of *timing changed, the others left as they are.
    // On a bad text *timing is untouched, and *error says why (which key, what is allowed).
    static bool parse(const QString &text, LinkTiming *timing, QString *error);
    // Every field as "key=value,...", in the form parse() reads.
    QString toString() const;
    // The keys and what they mean, for --help texts.
    static QString helpText();
    // ZANU_HART_TIMING applied to the defaults; false with *error when it is set but bad.
    static bool fromEnvironment(LinkTiming *timing, QString *error);
};
