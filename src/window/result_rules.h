// Small rules the result handler applies to values from the line, kept free of the window so that
// they can be checked on their own.
#pragma once

#include "records/from_replies.h"

#include <cmath>

namespace ResultRules {

// The serial number's rule is the records' own, shared with zanu-hart.
using records::SerialWithPrefix;

// ProgressBar2's scale: percent of range times 100, worked out in double and kept as a single.
inline float OutputBarScaled(float percent) {
    return float(double(percent) * 100.0);
}

// The bar runs 0..10000; a value outside that, or no number at all, must still give a position
// the bar accepts (QProgressBar ignores out-of-range values and would freeze on the last one).
inline int OutputBarValue(float percent) {
    const float x = OutputBarScaled(percent);
    if (std::isnan(x) || x < 0.0f) return 0;
    if (x > 10000.0f) return 10000;
    return int(std::lround(x));
}

} // namespace ResultRules
