// Batch commissioning from the console: read a transmitter's configuration into a file, or
// write a file's configuration to a transmitter, with the same commands the window sends.
#pragma once

#include <QStringList>

// True when the arguments ask for --read-config or --write-config.
bool IsConfigConsoleCommand(const QStringList &args);
// Runs it and returns the exit status: 0 done (and, for a write, verified), 1 bad arguments or
// a bad file, 2 no answer, 3 another maker's transmitter, 4 the transmitter refused a command,
// 5 the file is from another transmitter and --force is absent, 6 written but the read-back
// differs.
int RunConfigConsole(const QStringList &args);

extern const char kConfigConsoleUsage[];
