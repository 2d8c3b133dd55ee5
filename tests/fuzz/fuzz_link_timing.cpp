// Fuzz target: the link timing text of --timing and ZANU_HART_TIMING.
//
// The whole input is the text (as UTF-8). Beyond "no crash" the target checks:
// - a refused text leaves the timing untouched and says why;
// - an accepted timing, written out and read again, is the same timing;
// - reading the same text twice gives the same timing (the text alone decides, the starting
//   values only for keys it does not name).
#include "fuzz_check.h"
#include "hart/link/link_timing.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const LinkTiming defaults;
    LinkTiming timing;
    QString error;
    if (!LinkTiming::parse(text, &timing, &error)) {
        FUZZ_CHECK(timing == defaults, "a refused text changed the timing");
        FUZZ_CHECK(!error.isEmpty(), "a refused text without a reason");
        return 0;
    }
    FUZZ_CHECK(error.isEmpty(), "an accepted text with a reason");
    LinkTiming again;
    QString againError;
    FUZZ_CHECK(LinkTiming::parse(timing.toString(), &again, &againError),
               "the written timing is refused");
    FUZZ_CHECK(again == timing, "the written timing reads back changed");
    LinkTiming twice;
    FUZZ_CHECK(LinkTiming::parse(text, &twice, &againError) && twice == timing,
               "the same text read twice differs");
    return 0;
}
