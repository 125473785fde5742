// Helpers of the log-space forms that stand in for a closed form whose intermediate values leave
// the double range. A routine evaluates its closed form as written and keeps that value when
// every intermediate is a normal double; otherwise it evaluates the mathematically equivalent
// logarithm and exponentiates once, so a value that is representable is not lost to an
// overflowing factor or an underflowing one.
#pragma once

#include "specfun/gamma_family.hpp"
#include "specfun/normal_beta.hpp"

#include <cmath>

namespace kelvora {

// True when every value is finite, non-zero and not subnormal: a closed form whose intermediates
// are all normal has lost nothing to overflow or underflow.
template <typename... Values> bool AllNormal(Values... values) {
    return (std::isnormal(values) && ...);
}

// a ln y, with 0 for a = 0 whatever y: the logarithm of y^0 = 1, also at y = 0.
inline double XLogY(double a, double y) {
    return a == 0.0 ? 0.0 : a * std::log(y);
}

// a ln(1 + y), with 0 for a = 0 whatever y.
inline double XLog1pY(double a, double y) {
    return a == 0.0 ? 0.0 : a * std::log1p(y);
}

// ln Gamma(x) for x in LogGamma's range (0, 4.08e36]. Outside it LogGamma returns 0 rather than
// a logarithm, and Gamma(x) has a pole or leaves the double range by far: a fault.
inline double CheckedLogGamma(double x) {
    if (!(x > 0.0 && x <= kLogGammaMaxArgument)) {
        throw ArithmeticFault("LogGamma: argument outside its range");
    }
    return LogGamma(x);
}

// ln B(a, b) with every LogGamma argument in range.
inline double CheckedLogBeta(double a, double b) {
    return CheckedLogGamma(a) + CheckedLogGamma(b) - CheckedLogGamma(a + b);
}

} // namespace kelvora
