// The benchmarks zanu-bench runs; each prints its figures as "key: value" lines and returns the
// process status.
#pragma once

#include "sim/sim_line.h"

#include <QElapsedTimer>
#include <QString>

// The simulated line, counting the bytes that go each way and when, so that wire time comes from
// what really was on the line (preambles, addresses, retries included).
class MeteredLine : public SimLine {
public:
    MeteredLine(SimDevice *device, Timing timing);
    void send(const QByteArray &frame) override;

    qint64 sentBytes = 0;
    qint64 receivedBytes = 0;
    int framesSent = 0;
    QElapsedTimer clock;
    qint64 firstSendUs = -1;
    qint64 lastReceiveUs = -1;
};

// HartX on the simulated line with real 1200 bit/s timing: commands 13 and 2 in turn.
int benchTransactions(int count);
// Encoding and parsing of a command-13 reply, whole and in the line's 4-byte chunks.
int benchCodec(int milliseconds);
// HartX on the instant simulated line: command 2 back to back, resident memory along the way.
// With clearTrace the simulated transmitter's request trace is emptied every 1000 polls.
int benchPolls(int count, bool clearTrace);
// The main window monitoring the output signal on the real-timing simulated line.
int benchMonitor(int seconds);
// The main window's read sequence (command 0 to the last reply) on the real-timing simulated
// line, against the protocol time its bytes, turnarounds and link grants need.
int benchSequence(int runs);
// zanu-config against zanu-sim on a pseudo-terminal: process start to the first request.
int benchStartup(const QString &configBinary, const QString &simBinary, int runs);
// The same under strace: the program's own work before and after the splash's wait, and how long
// that wait really was.
int benchStartupPhases(const QString &configBinary, const QString &simBinary, int runs);
// The finder's scan on real-timing simulated lines: 12 silent ports against 1, and how soon a
// transmitter at address 0 among 11 silent ports is listed.
int benchScan(int runs);
// The Trend window over a day and more of polls on the instant line (one second each on the
// trend's clock): resident memory along the way.
// Without the trend window, the same run for comparison.
int benchTrend(int polls, bool withTrend);
