#include "quantile/precise_quantile.hpp"

#include "distributions/accurate.hpp"

#include <cfloat>
#include <cmath>

namespace kelvora {

namespace {

// Growing a probe step by 8 from DBL_MIN passes the double range within 700 steps; bisection,
// with geometric means while the ends lie far apart, closes any bracket within a few hundred.
constexpr int kProbeSteps = 700;
constexpr int kBisectionSteps = 3000;
constexpr double kRelativeWidth = 1e-14;

// Increasing in x and zero at the quantile.
double Excess(const DistributionParameters& p, double q, double x) {
    return q <= 0.5 ? AccurateLower(p, x) - q : (1.0 - q) - AccurateUpper(p, x);
}

// The next point strictly inside (a, b): geometric means while both ends have one sign and lie
// far apart (a quantile may be 1e-200 or 1e200), toward 0 from an end at 0, else the midpoint.
double Split(double a, double b) {
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

struct Bracket {
    double low;  // Excess < 0
    double high; // Excess >= 0
};

// Moves the bracket's ends toward `start` (a close estimate of the root): the end on the far
// side of it by steps growing from the last few bits of `start`, so that a good start leaves a
// bracket of a few units in the last place after three or four tail evaluations.
void Narrow(const DistributionParameters& p, double q, double start, Bracket& b) {
    if (!(start > b.low && start < b.high)) {
        return;
    }
    const double e = Excess(p, q, start);
    if (std::isnan(e)) {
        return;
    }
    if (e == 0.0) {
        b = {start, start}; // the tail meets q exactly here (the median 0 of a symmetric law)
        return;
    }
    const bool rootAbove = e < 0.0;
    (rootAbove ? b.low : b.high) = start;
    double step = std::fmax(4.0 * DBL_EPSILON * std::fabs(start), DBL_MIN);
    for (int i = 0; i < kProbeSteps; ++i) {
        const double probe = rootAbove ? start + step : start - step;
        if (!(probe > b.low && probe < b.high)) {
            return;
        }
        const double ep = Excess(p, q, probe);
        if (std::isnan(ep)) {
            return;
        }
        if (rootAbove == (ep < 0.0)) {
            (rootAbove ? b.low : b.high) = probe;
        } else {
            (rootAbove ? b.high : b.low) = probe;
            return;
        }
        step *= 8.0;
    }
}

} // namespace

std::optional<double> PreciseQuantile(const DistributionParameters& p, double q, double shown) {
    if (!std::isfinite(shown)) {
        return std::nullopt;
    }
    if (q <= 0.0 || q >= 1.0) {
        return shown; // the end of the support, exact
    }
    // The field's promise: the root lies within its tolerance of the four-decimal text.
    const Support s = ContinuousSupport(p);
    const double text = FourDecimalValue(shown);
    const double tolerance = ShownTolerance(text);
    Bracket b{std::fmax(text - tolerance, s.lowest), std::fmin(text + tolerance, s.highest)};
    const double atLow = Excess(p, q, b.low);
    const double atHigh = Excess(p, q, b.high);
    if (atLow == 0.0) {
        return b.low; // the tail equals q at the end of the support
    }
    if (!(atLow < 0.0 && atHigh >= 0.0)) {
        return std::nullopt;
    }
    Narrow(p, q, AccurateQuantileStart(p, q), b);
    if (b.low == b.high) {
        return b.low;
    }
    for (int step = 0; step < kBisectionSteps; ++step) {
        const double width = b.high - b.low;
        if (width <= kRelativeWidth * std::fmax(std::fabs(b.low), std::fabs(b.high))) {
            break;
        }
        const double m = Split(b.low, b.high);
        if (!(m > b.low && m < b.high)) {
            break;
        }
        const double e = Excess(p, q, m);
        if (std::isnan(e)) {
            return std::nullopt;
        }
        if (e == 0.0) {
            return m;
        }
        (e < 0.0 ? b.low : b.high) = m;
    }
    return b.low + (b.high - b.low) / 2.0;
}

} // namespace kelvora
