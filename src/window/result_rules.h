// Small rules the result handler applies to values from the line, kept free of the window so that
// they can be checked on their own.
#pragma once

#include <QString>
#include <QtGlobal>

#include <cmath>

namespace ResultRules {

// The transducer serial number is a 24-bit field of the reply.
constexpr qint64 kSerialMax = 0xFFFFFF;

// Transducers of two production lines carry a serial whose leading digit the transmitter does
// not store: their numbers start with 18 or 48 on the wire and are shown with 5 or 2 million
// added. Works in 64 bits and stays inside the 24-bit field first, so that no value the line can
// hand us overflows the 32-bit record field.
inline qint32 SerialWithPrefix(qint64 raw) {
    const qint64 serial = qBound<qint64>(0, raw, kSerialMax);
    const QString lead = QString::number(serial).left(2);
    if (lead == QLatin1String("18")) return qint32(serial + 5000000);
    if (lead == QLatin1String("48")) return qint32(serial + 2000000);
    return qint32(serial);
}

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
