// The bisections' next point inside a bracket (a, b) of a quantile, shared by the verified and
// the precise quantile.
#pragma once

#include <cmath>

namespace kelvora {

// Geometric means while both ends have one sign and lie far apart (a quantile may be 1e-200 or
// 1e200), toward 0 from an end at 0, else the midpoint.
inline double SplitBracket(double a, double b) {
    if (a < 0.0 && b > 0.0) {
        return 0.0;
    }
    if (a == 0.0) {
        return b / 16.0;
    }
    if (b == 0.0) {
        return a / 16.0;
    }
    if (a > 0.0 && b > 4.0 * a) {
        return std::sqrt(a) * std::sqrt(b);
    }
    if (b < 0.0 && a < 4.0 * b) {
        return -std::sqrt(-a) * std::sqrt(-b);
    }
    return a + (b - a) / 2.0;
}

} // namespace kelvora
