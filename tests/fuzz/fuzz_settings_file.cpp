// Fuzz target: the zanu.ini reader on arbitrary file contents.
//
// The reader only takes a path, so every input is written to a file of its own in a private
// folder (on tmpfs where there is one, to keep the disk out of it). Input layout: byte 0 is the
// plan, the rest is the file. Beyond "no crash, no overflow" the target checks:
// - a field never spans a line end;
// - only a file larger than the reader's limit counts as a read failure;
// - a quoted value on a line of its own at the end of the file decides, byte for byte, whatever
//   came before it (the last field wins, quoted text is taken as it stands);
// - what the writer accepts reads back unchanged, and what it refuses it reports as refused.
#include "fuzz_check.h"
#include "settings/settings_file.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The reader's own limit; a file larger than this is not a settings file.
constexpr qsizetype kReaderLimit = 64 * 1024;

QByteArray g_dir;
QByteArray g_path;

void removeFolder() {
    // The writer's temporary files are gone after each write, but a run stopped in the middle
    // of one leaves it behind; take the folder whole.
    if (!g_dir.isEmpty()) QDir(QString::fromLocal8Bit(g_dir)).removeRecursively();
}

void writeFile(const QByteArray &content) {
    const int fd = ::open(g_path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "cannot write %s: %s\n", g_path.constData(), std::strerror(errno));
        std::exit(2); // the machine, not the reader: not a finding
    }
    const char *p = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            std::fprintf(stderr, "cannot write %s: %s\n", g_path.constData(), std::strerror(errno));
            std::exit(2);
        }
        p += n;
        left -= n;
    }
    ::close(fd);
}

QString withoutLineBreaksOrQuotes(const QByteArray &bytes) {
    QByteArray kept;
    for (char c : bytes)
        if (c != '"' && c != '\r' && c != '\n') kept.append(c);
    return QString::fromLatin1(kept);
}

void checkRead(const SettingsRead &r, qsizetype fileSize) {
    FUZZ_CHECK(r.exists, "a file that is there reads as missing");
    FUZZ_CHECK(r.readFailed == (fileSize > kReaderLimit),
               "read failure does not match the file size");
    FUZZ_CHECK(!r.lastField.contains(QLatin1Char('\r')) && !r.lastField.contains(QLatin1Char('\n')),
               "a field spans a line end");
    FUZZ_CHECK(r.anyField || r.lastField.isEmpty(), "a value without any field");
}

// The writer's promise: what it takes, the reader gives back; what it refuses, it says so.
void checkWriteRoundTrip(const QByteArray &bytes) {
    const QString value = QString::fromLatin1(bytes.left(512));
    QString error;
    const bool written = WriteSettingsFile(QString::fromLocal8Bit(g_path), value, &error);
    const bool storable = !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\r')) &&
                          !value.contains(QLatin1Char('\n'));
    if (!storable) {
        FUZZ_CHECK(!written, "a value that breaks the file format was written");
        FUZZ_CHECK(!error.isEmpty(), "a refused value without a reason");
        return;
    }
    FUZZ_CHECK(written, "a storable value was not written");
    const SettingsRead r = ReadSettingsFile(QString::fromLocal8Bit(g_path));
    FUZZ_CHECK(r.exists && !r.readFailed && r.anyField, "the written file does not read back");
    FUZZ_CHECK(r.lastField == value, "the written value reads back changed");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    const QByteArray base =
        QDir("/dev/shm").exists() ? QByteArray("/dev/shm") : QDir::tempPath().toLocal8Bit();
    QByteArray templ = base + "/zanu-fuzz-ini-XXXXXX";
    if (!::mkdtemp(templ.data())) {
        std::fprintf(stderr, "cannot make a folder under %s: %s\n", base.constData(),
                     std::strerror(errno));
        std::exit(2);
    }
    g_dir = templ;
    g_path = g_dir + "/zanu.ini";
    std::atexit(removeFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (g_path.isEmpty()) LLVMFuzzerInitialize(nullptr, nullptr);
    const quint8 plan = size > 0 ? data[0] : 0;
    const QByteArray body =
        size > 1 ? QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1))
                 : QByteArray();

    if ((plan & 0x0F) == 0x01) {
        checkWriteRoundTrip(body);
        return 0;
    }

    QByteArray content = body;
    if ((plan & 0x0F) == 0x0F && !body.isEmpty()) {
        // Past the reader's limit, so that where it cuts the file lands on fuzzed bytes.
        while (content.size() <= kReaderLimit)
            content += body;
    }

    QString decider;
    const bool appendDecider = (plan & 0x10) && content.size() <= kReaderLimit - 64;
    if (appendDecider) {
        const int n = qMin<int>(plan >> 5, int(content.size()));
        decider = withoutLineBreaksOrQuotes(content.right(n));
        content.chop(n);
        content += "\r\n\"" + decider.toLatin1() + "\"\r\n";
    }

    writeFile(content);
    const SettingsRead r = ReadSettingsFile(QString::fromLocal8Bit(g_path));
    checkRead(r, content.size());
    if (appendDecider) {
        FUZZ_CHECK(r.anyField, "a quoted value on the last line was not read");
        FUZZ_CHECK(r.lastField == decider, "the quoted value on the last line does not decide");
    }
    return 0;
}
