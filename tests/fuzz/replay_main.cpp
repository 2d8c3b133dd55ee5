// Runs a fuzz target without libFuzzer, as an ordinary test: every file of the given folders
// (the seed corpus, and the inputs that once broke something), then a fixed number of
// deterministic mutations of them. So the targets' checks run with every build, under the
// compiler and sanitizers of the test build, not only when someone starts the fuzzer.
//
//   replay_<target> [--mutations N] DIR|FILE...
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
// Only some targets need setting up.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace {

// Large enough to reach every path of the targets, small enough to stay at a second or two
// under the sanitizers.
constexpr int kDefaultMutations = 5000;
constexpr qsizetype kMaxInput = 4096;

void runOne(const QByteArray &input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.constData()),
                           std::size_t(input.size()));
}

bool collect(const QString &path, std::vector<QByteArray> *inputs) {
    const QFileInfo info(path);
    if (info.isDir()) {
        const QFileInfoList files =
            QDir(path).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QFileInfo &f : files)
            if (!collect(f.filePath(), inputs)) return false;
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    inputs->push_back(file.readAll());
    return true;
}

// The mutations libFuzzer starts with: flip, set, insert, erase, and splice two inputs.
QByteArray mutate(const std::vector<QByteArray> &inputs, std::mt19937 &rng) {
    auto pick = [&](std::size_t n) { return std::size_t(rng() % (n ? n : 1)); };
    QByteArray out = inputs[pick(inputs.size())];
    const int steps = 1 + int(rng() % 4);
    for (int s = 0; s < steps; ++s) {
        const qsizetype n = out.size();
        switch (rng() % 5) {
        case 0:
            if (n) out[qsizetype(pick(std::size_t(n)))] ^= char(1u << (rng() % 8));
            break;
        case 1:
            if (n) out[qsizetype(pick(std::size_t(n)))] = char(rng());
            break;
        case 2:
            out.insert(qsizetype(pick(std::size_t(n) + 1)), char(rng()));
            break;
        case 3:
            if (n) out.remove(qsizetype(pick(std::size_t(n))), 1 + qsizetype(rng() % 8));
            break;
        default: {
            const QByteArray &other = inputs[pick(inputs.size())];
            out = out.left(qsizetype(pick(std::size_t(n) + 1))) +
                  other.mid(qsizetype(pick(std::size_t(other.size()) + 1)));
            break;
        }
        }
    }
    return out.left(kMaxInput);
}

} // namespace

int main(int argc, char **argv) {
    int mutations = kDefaultMutations;
    std::vector<QByteArray> inputs;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--mutations") && i + 1 < argc) {
            mutations = std::atoi(argv[++i]);
            continue;
        }
        if (!collect(QString::fromLocal8Bit(argv[i]), &inputs)) return 2;
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs: give the folders of the corpus\n");
        return 2;
    }
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);

    for (const QByteArray &input : inputs)
        runOne(input);
    std::mt19937 rng(20261207u);
    for (int i = 0; i < mutations; ++i)
        runOne(mutate(inputs, rng));
    std::printf("%zu inputs and %d mutations passed\n", inputs.size(), mutations);
    return 0;
}
