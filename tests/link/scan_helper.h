// Transmitters, silence and a garbling line on pseudo-terminals, for the scanner's tests and the
// console scan's.
#pragma once

#include "pty_helper.h"

#include <QDir>
#include <QStringList>

#include <memory>
#include <vector>

// A pseudo-terminal whose far side answers every request with a reply whose check byte is
// wrong, as a line full of noise would.
struct PtyGarbler {
    explicit PtyGarbler(PtyMaster &p);
    PtyMaster &pty;
    QByteArray pending;
};

// The pseudo-terminals of one scan: a transmitter at address 0 (tag "LT-0"), one at address 3
// (tag "LT-3"), a silent line and a garbling one.
struct ScanBench {
    ScanBench();
    bool ok() const;
    PtyMaster atZero, atThree, silent, garbling;
    PtyTransmitter zero{atZero}, three{atThree};
    PtyGarbler garbler{garbling};
    // File descriptors of this process open on any of the four terminals.
    int openDescriptors() const;
    QStringList devices() const;
};
