// Rounding a double to the IEEE single that goes on the wire, shared by the unit conversions and
// the HART control.
#pragma once

#include <limits>

// Rounds to single precision the way the hardware does, but without handing the compiler a
// double that lies beyond float's range (that conversion is undefined behaviour in C++).
inline float toSingle(double value) {
    // float's largest finite value plus half a unit in its last place: from here on the
    // correctly rounded result is infinity.
    constexpr double kFloatOverflow = 0x1.ffffffp127;
    if (value >= kFloatOverflow) return std::numeric_limits<float>::infinity();
    if (value <= -kFloatOverflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}
