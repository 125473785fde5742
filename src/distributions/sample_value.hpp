// How a routine's outcome becomes a stored sample: a finite number is kept, and anything else
// (a non-finite value, no value, an ArithmeticFault) becomes NaN, which the curve and the
// extremes leave out.
#pragma once

#include "specfun/arithmetic.hpp"

#include <cmath>
#include <limits>
#include <optional>

namespace kelvora {

inline constexpr double kLeftOut = std::numeric_limits<double>::quiet_NaN();

inline double AsSample(double v) {
    return std::isfinite(v) ? v : kLeftOut;
}

inline double AsSample(std::optional<double> v) {
    return v ? AsSample(*v) : kLeftOut;
}

// Runs one routine call; its fault leaves only this sample out.
template <typename Routine> double GuardedSample(Routine&& routine) {
    try {
        return AsSample(routine());
    } catch (const ArithmeticFault&) {
        return kLeftOut;
    }
}

// The density (or mass) and the cumulative at one sample position.
struct SampleValues {
    double pdf = kLeftOut;
    double cdf = kLeftOut;
};

} // namespace kelvora
