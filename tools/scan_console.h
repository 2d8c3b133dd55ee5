// `zanu-hart --scan`: the finder of the configuration tool, from a console.
#pragma once

#include <QStringList>

// `args` are the program's arguments (argv[0] first). Prints one line per transmitter that
// answers and then "found N"; returns 0 when something answered, 2 when nothing did, 1 for bad
// arguments.
int runScanConsole(const QStringList &args);
