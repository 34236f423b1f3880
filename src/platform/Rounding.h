#pragma once

#include <cmath>

namespace platform {

// Conversions from floating point to integer round half to even throughout the program
// (2.5 -> 2, 3.5 -> 4). Range checks are the caller's.
// The program never changes the floating-point rounding mode, so nearbyint rounds to nearest even.
inline double RoundHalfEven(double value)
{
    return std::nearbyint(value);
}

// Half away from zero, as the progress bar's percentage captions use it.
inline double RoundHalfAwayFromZero(double value)
{
    return std::round(value);
}

}  // namespace platform
