// From process start to the first request on the line, through the real program and the real
// serial code: zanu-config (a copy in a folder of its own with zanu.ini holding port 5) talks to
// zanu-sim on a pseudo-terminal, and zanu-sim's trace says when the request has arrived. The
// splash window's fixed 1500 ms are taken off, so what remains is the program's own start-up.
#include "bench_link.h"

#include "bench_util.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <optional>
#include <signal.h>
#include <vector>

namespace {

// A copy of the program in `dir` with a zanu.ini choosing COM 5 beside it; returns its path.
QString installProgram(const QTemporaryDir &dir, const QString &configBinary) {
    const QString program = dir.filePath(QStringLiteral("zanu-config"));
    if (!QFile::copy(configBinary, program))
        bench::fail(QStringLiteral("cannot copy %1 to %2").arg(configBinary, program));
    QFile ini(dir.filePath(QStringLiteral("zanu.ini")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("\"5\"\r\n") != 5)
        bench::fail(QStringLiteral("cannot write %1").arg(ini.fileName()));
    return program;
}

constexpr int kSplashMs = 1500;

// Lines from a process's standard output, as they arrive, with the time each was seen.
class LineReader {
public:
    explicit LineReader(QProcess *p) : p_(p) {}

    // The next line starting with `prefix`, or an empty result when `timeoutMs` passes first.
    // Lines before it are dropped.
    QByteArray waitFor(const QByteArray &prefix, int timeoutMs) {
        QElapsedTimer t;
        t.start();
        for (;;) {
            while (!lines_.isEmpty()) {
                const QByteArray line = lines_.takeFirst();
                if (line.startsWith(prefix)) return line;
            }
            const qint64 left = timeoutMs - t.elapsed();
            if (left <= 0) return {};
            if (!p_->waitForReadyRead(int(left)) && p_->state() != QProcess::Running) return {};
            buffer_ += p_->readAllStandardOutput();
            qsizetype nl;
            while ((nl = buffer_.indexOf('\n')) >= 0) {
                lines_.append(buffer_.left(nl));
                buffer_.remove(0, nl + 1);
            }
        }
    }

private:
    QProcess *p_;
    QByteArray buffer_;
    QList<QByteArray> lines_;
};

void stop(QProcess &p) {
    if (p.state() == QProcess::NotRunning) return;
    p.terminate();
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(3000);
    }
}

// zanu-sim on a fresh pseudo-terminal. A fresh one per run: a pty keeps the line settings of a
// client that was killed rather than closed its port, and QSerialPort then refuses to open it
// with "Invalid argument".
class Simulator {
public:
    explicit Simulator(const QString &binary) : out_(&p_) {
        p_.setProgram(binary);
        p_.setArguments({QStringLiteral("--trace"), QStringLiteral("--steady")});
        cleanup_ = bench::addCleanup([this] { stop(p_); });
        p_.start();
        if (!p_.waitForStarted(5000))
            bench::fail(QStringLiteral("cannot start %1: %2").arg(binary, p_.errorString()));
        const QByteArray ptyLine = out_.waitFor("PTY ", 5000);
        if (ptyLine.isEmpty())
            bench::fail(QStringLiteral("zanu-sim did not name its pseudo-terminal: %1")
                            .arg(QString::fromLocal8Bit(p_.readAllStandardError())));
        pty_ = QString::fromLocal8Bit(ptyLine.mid(4).trimmed());
    }
    ~Simulator() {
        bench::removeCleanup(cleanup_);
        stop(p_);
    }
    QString pty() const { return pty_; }
    LineReader &out() { return out_; }

private:
    QProcess p_;
    LineReader out_;
    QString pty_;
    int cleanup_ = 0;
};

} // namespace

int benchStartup(const QString &configBinary, const QString &simBinary, int runs) {
    if (!QFileInfo(configBinary).isExecutable())
        bench::fail(QStringLiteral("%1 is not an executable program").arg(configBinary));
    if (!QFileInfo(simBinary).isExecutable())
        bench::fail(QStringLiteral("%1 is not an executable program").arg(simBinary));

    std::vector<double> firstRequestMs;
    qint64 peakKb = 0, rssKb = 0;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir dir;
        if (!dir.isValid()) bench::fail(QStringLiteral("cannot make a temporary folder"));
        const QString program = installProgram(dir, configBinary);

        Simulator sim(simBinary);
        QProcess tool;
        const int cleanup = bench::addCleanup([&tool] { stop(tool); });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZANU_COM5"), sim.pty());
        tool.setProcessEnvironment(env);
        tool.setProgram(program);
        tool.setWorkingDirectory(dir.path());
        tool.setStandardOutputFile(QProcess::nullDevice());
        tool.setStandardErrorFile(dir.filePath(QStringLiteral("stderr.txt")));

        QElapsedTimer t;
        t.start();
        tool.start();
        const QByteArray first = sim.out().waitFor("REQ ", 20000);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (first.isEmpty()) {
            QFile err(dir.filePath(QStringLiteral("stderr.txt")));
            const QString errText = err.open(QIODevice::ReadOnly)
                                        ? QString::fromLocal8Bit(err.readAll()).trimmed()
                                        : QString();
            bench::fail(QStringLiteral("no request reached zanu-sim within 20 s of starting "
                                       "zanu-config (its error output: %1)")
                            .arg(errText));
        }
        if (!first.startsWith("REQ cmd=0 "))
            bench::fail(QStringLiteral("the first request was not command 0: %1")
                            .arg(QString::fromLocal8Bit(first)));
        firstRequestMs.push_back(ms - kSplashMs);

        // Memory once the window is complete: the read sequence done, the panels revealed and
        // their one read of the output signal made.
        if (sim.out().waitFor("REQ cmd=2 ", 20000).isEmpty())
            bench::fail(QStringLiteral("zanu-config did not finish its read sequence within 20 s"));
        QThread::msleep(300);
        const qint64 pid = tool.processId();
        peakKb = qMax(peakKb, bench::procStatusKb(pid, "VmHWM"));
        rssKb = qMax(rssKb, bench::procStatusKb(pid, "VmRSS"));
        stop(tool);
        bench::removeCleanup(cleanup);
        bench::report(QStringLiteral("startup.run%1_ms").arg(run + 1), ms - kSplashMs, 1);
    }

    bench::report(QStringLiteral("startup.runs"), QString::number(runs));
    bench::report(QStringLiteral("startup.first_request_ms.median"), bench::median(firstRequestMs),
                  1);
    bench::report(QStringLiteral("startup.first_request_ms.min"),
                  bench::percentile(firstRequestMs, 0), 1);
    bench::report(QStringLiteral("startup.first_request_ms.max"),
                  bench::percentile(firstRequestMs, 100), 1);
    bench::report(QStringLiteral("startup.vmhwm_kb.max"), QString::number(peakKb));
    bench::report(QStringLiteral("startup.vmrss_kb.max"), QString::number(rssKb));
    return 0;
}

namespace {

struct Phases {
    double beforeSplashMs = 0; // process start to the splash's timer wait
    double splashMs = 0;       // how long the splash really waited
    double afterSplashMs = 0;  // end of that wait to the first request written
};

// Reads the phases from an strace log (-f -ttt -T): the execve, the event loop's wait for the
// splash timer (the first poll of a second or more that timed out) and the first write of a
// frame (five preambles).
std::optional<Phases> phasesFromTrace(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    static const QRegularExpression pollWait(
        QStringLiteral(R"(^\d+\s+([\d.]+)\s+poll\(.*, (\d+)\) = 0 \(Timeout\) <([\d.]+)>)"));
    static const QRegularExpression ppollWait(QStringLiteral(
        R"(^\d+\s+([\d.]+)\s+ppoll\(.*\{tv_sec=(\d+), tv_nsec=\d+\}.*\) = 0 \(Timeout\) <([\d.]+)>)"));
    static const QRegularExpression timeOf(QStringLiteral(R"(^\d+\s+([\d.]+)\s+(\w+)\()"));
    std::optional<double> start, waitFrom, waitUntil, request;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw);
        const QRegularExpressionMatch t = timeOf.match(line);
        if (!t.hasMatch()) continue;
        const double at = t.captured(1).toDouble();
        if (!start && t.captured(2) == QLatin1String("execve")) start = at;
        if (!waitFrom) {
            QRegularExpressionMatch m = pollWait.match(line);
            const bool isPoll = m.hasMatch();
            if (!isPoll) m = ppollWait.match(line);
            const double timeoutMs =
                isPoll ? m.captured(2).toDouble() : m.captured(2).toDouble() * 1000.0;
            if (m.hasMatch() && timeoutMs >= 1000) {
                waitFrom = at;
                waitUntil = at + m.captured(3).toDouble();
            }
        }
        if (!request && waitUntil && t.captured(2) == QLatin1String("write") &&
            line.contains(QLatin1String(R"("\377\377\377\377\377)")))
            request = at;
    }
    if (!start || !waitFrom || !request) return std::nullopt;
    return Phases{(*waitFrom - *start) * 1000.0, (*waitUntil - *waitFrom) * 1000.0,
                  (*request - *waitUntil) * 1000.0};
}

} // namespace

int benchStartupPhases(const QString &configBinary, const QString &simBinary, int runs) {
    std::vector<double> before, splash, after, own;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir dir;
        if (!dir.isValid()) bench::fail(QStringLiteral("cannot make a temporary folder"));
        const QString program = installProgram(dir, configBinary);
        const QString tracePath = dir.filePath(QStringLiteral("trace.txt"));

        Simulator sim(simBinary);
        QProcess tracer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZANU_COM5"), sim.pty());
        tracer.setProcessEnvironment(env);
        tracer.setWorkingDirectory(dir.path());
        tracer.setStandardOutputFile(QProcess::nullDevice());
        tracer.setStandardErrorFile(QProcess::nullDevice());
        // Only the calls the phases are read from, filtered in the kernel, so that tracing
        // costs the program little.
        tracer.start(QStringLiteral("strace"),
                     {QStringLiteral("-f"), QStringLiteral("--seccomp-bpf"), QStringLiteral("-ttt"),
                      QStringLiteral("-T"), QStringLiteral("-e"),
                      QStringLiteral("trace=execve,poll,ppoll,write"), QStringLiteral("-o"),
                      tracePath, program});
        const int cleanup = bench::addCleanup([&tracer] { stop(tracer); });
        if (!tracer.waitForStarted(5000))
            bench::fail(QStringLiteral("cannot start strace: %1").arg(tracer.errorString()));
        if (sim.out().waitFor("REQ ", 20000).isEmpty())
            bench::fail(QStringLiteral("no request reached zanu-sim within 20 s under strace"));
        QThread::msleep(200);
        // Ending strace would leave the program running detached; end the program instead.
        QFile trace(tracePath);
        if (trace.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> first = trace.readLine().split(' ');
            bool ok = false;
            const qint64 pid = first.value(0).toLongLong(&ok);
            if (ok && pid > 0) ::kill(pid_t(pid), SIGTERM);
        }
        if (!tracer.waitForFinished(5000)) stop(tracer);
        bench::removeCleanup(cleanup);

        const std::optional<Phases> p = phasesFromTrace(tracePath);
        if (!p) bench::fail(QStringLiteral("cannot read the phases from %1").arg(tracePath));
        before.push_back(p->beforeSplashMs);
        splash.push_back(p->splashMs);
        after.push_back(p->afterSplashMs);
        own.push_back(p->beforeSplashMs + p->afterSplashMs);
        bench::report(QStringLiteral("phases.run%1").arg(run + 1),
                      QStringLiteral("%1 + %2 + %3 ms")
                          .arg(p->beforeSplashMs, 0, 'f', 1)
                          .arg(p->splashMs, 0, 'f', 1)
                          .arg(p->afterSplashMs, 0, 'f', 1));
    }
    bench::report(QStringLiteral("phases.runs"), QString::number(runs));
    bench::report(QStringLiteral("phases.before_splash_ms.median"), bench::median(before), 1);
    bench::report(QStringLiteral("phases.splash_ms.min"), bench::percentile(splash, 0), 1);
    bench::report(QStringLiteral("phases.splash_ms.max"), bench::percentile(splash, 100), 1);
    bench::report(QStringLiteral("phases.after_splash_ms.median"), bench::median(after), 1);
    bench::report(QStringLiteral("phases.own_ms.median"), bench::median(own), 1);
    return 0;
}
