#include "bench_util.h"

#include "dialogs/msgbox.h"
#include "hart/hartx.h"
#include "settings/settings_file.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sys/resource.h>
#include <unistd.h>

namespace bench {

qint64 cpuTimeUs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto us = [](const timeval &t) { return qint64(t.tv_sec) * 1000000 + t.tv_usec; };
    return us(u.ru_utime) + us(u.ru_stime);
}

qint64 procStatusKb(qint64 pid, const char *field) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray want = QByteArray(field) + ':';
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (!line.startsWith(want)) continue;
        // "VmRSS:	   12345 kB"
        const QList<QByteArray> parts = line.mid(want.size()).simplified().split(' ');
        bool ok = false;
        const qint64 kb = parts.value(0).toLongLong(&ok);
        return ok ? kb : -1;
    }
    return -1;
}

qint64 selfStatusKb(const char *field) {
    return procStatusKb(qint64(::getpid()), field);
}

double median(std::vector<double> values) {
    if (values.empty()) return std::nan("");
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return std::nan("");
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(p / 100.0 * double(values.size()));
    const std::size_t i = std::size_t(std::clamp(rank, 1.0, double(values.size()))) - 1;
    return values[i];
}

void report(const QString &key, const QString &value) {
    std::printf("%s: %s\n", qPrintable(key), qPrintable(value));
    std::fflush(stdout);
}

void report(const QString &key, double value, int decimals) {
    report(key, QString::number(value, 'f', decimals));
}

namespace {
std::map<int, std::function<void()>> &cleanups() {
    static std::map<int, std::function<void()>> all;
    return all;
}
} // namespace

int addCleanup(std::function<void()> cleanup) {
    static int next = 0;
    cleanups()[++next] = std::move(cleanup);
    return next;
}

void removeCleanup(int id) {
    cleanups().erase(id);
}

void fail(const QString &what) {
    std::fprintf(stderr, "zanu-bench: %s\n", qPrintable(what));
    const auto all = std::move(cleanups());
    for (const auto &c : all)
        c.second();
    std::exit(1);
}

// COM 1 in a fresh zanu.ini, and any message box a failure of the run: it would wait for a click
// nobody gives.
void prepareWindow(QTemporaryDir &dir) {
    if (!dir.isValid()) bench::fail(QStringLiteral("cannot make a temporary folder"));
    {
        QFile ini(dir.filePath(QStringLiteral("zanu.ini")));
        if (!ini.open(QIODevice::WriteOnly) || ini.write("\"1\"\r\n") != 5)
            bench::fail(QStringLiteral("cannot write %1").arg(ini.fileName()));
    }
    SetProgramDirectory(dir.path());
    MsgBoxSeam::setScript([](const MsgBoxSeam::Shown &box) -> int {
        bench::fail(
            QStringLiteral("the window showed a message box: %1 %2").arg(box.prompt, box.detail));
    });
}
void dropLinkPauses(HartX &control) {
    LinkTiming t = control.linkTiming();
    t.linkGrantMs = 0;
    t.quietMs = 0;
    control.setLinkTiming(t);
}

} // namespace bench
