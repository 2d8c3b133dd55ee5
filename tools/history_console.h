// zanu-hart --history: the history of reads and writes, one entry per line or as CSV, and the
// check of its hash chain.
#pragma once

#include <QStringList>

// True when the arguments ask for --history.
bool IsHistoryConsoleCommand(const QStringList &args);
// Prints the history; returns 0, 1 for bad arguments or a history that cannot be read, or 8
// when --verify finds an entry that does not fit its chain.
int RunHistoryConsole(const QStringList &args);

extern const char kHistoryConsoleUsage[];
