// Small measuring tools shared by the benchmarks: clocks, process figures from /proc, and the
// "name: value" lines that bench/run turns into RESULTS.md.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <functional>
#include <vector>

class HartX;

namespace bench {

// CPU time (user + system) this process has used so far, in microseconds.
qint64 cpuTimeUs();
// A field of /proc/<pid>/status in kB (VmRSS, VmHWM, ...); -1 when it cannot be read.
qint64 procStatusKb(qint64 pid, const char *field);
qint64 selfStatusKb(const char *field);

double median(std::vector<double> values);
double percentile(std::vector<double> values, double p); // p in 0..100, nearest rank

// One figure for bench/run: "key: value" on stdout, flushed at once so that a benchmark that
// dies later still leaves what it measured.
void report(const QString &key, const QString &value);
void report(const QString &key, double value, int decimals);

// Says what went wrong on stderr and ends the run with status 1, after running the clean-ups
// registered for that case (child processes must not outlive a failed run).
[[noreturn]] void fail(const QString &what);
// Returns an id for removeCleanup().
int addCleanup(std::function<void()> cleanup);
void removeCleanup(int id);

// Makes `dir` the program folder of a main window to be measured: COM 1 in a fresh zanu.ini, and
// any message box a failure of the run, since it would wait for a click nobody gives.
void prepareWindow(QTemporaryDir &dir);
// For the runs on the instant simulated line that count memory and CPU per poll, not time: no
// link grant and no quiet wait, which there would only stretch 100 000 polls to two hours.
void dropLinkPauses(HartX &control);

} // namespace bench
