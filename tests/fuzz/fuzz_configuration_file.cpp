// Fuzz target: a configuration file's bytes to a checked configuration.
//
// The whole input is the file. Beyond "no crash" the target checks:
// - the reader either gives a configuration or a reason naming the file;
// - a configuration it accepts, written back and read again, is the same configuration, and
//   writes the same bytes (the writer holds no value the reader would refuse or change).
#include "fuzz_check.h"
#include "records/configuration.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString name = QStringLiteral("fuzz.json");
    records::Configuration first;
    QString error;
    if (!records::fromJson(bytes, name, &first, &error)) {
        FUZZ_CHECK(error.contains(name), "a refusal that does not name the file");
        return 0;
    }
    const QByteArray written = records::toJson(first);
    records::Configuration second;
    FUZZ_CHECK(records::fromJson(written, name, &second, &error),
               "what the writer wrote is refused by the reader");
    FUZZ_CHECK(records::toJson(second) == written, "a configuration reads back changed");
    return 0;
}
