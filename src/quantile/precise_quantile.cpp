#include "quantile/precise_quantile.hpp"

#include "distributions/accurate.hpp"
#include "quantile/bracket_split.hpp"

#include <cfloat>
#include <cmath>

namespace kelvora {

namespace {

// Growing a probe step by 8 from DBL_MIN passes the double range within 700 steps; bisection,
// with geometric means while the ends lie far apart, closes any bracket within a few hundred.
constexpr int kProbeSteps = 700;
constexpr int kBisectionSteps = 3000;
constexpr double kRelativeWidth = 1e-14;

// Beyond this a standard normal tail is below the smallest double level.
constexpr double kFarNormal = 40.0;

// Increasing in x and zero at the quantile; 1 - q is exact for q >= 1/2.
long double Excess(const AccurateForms& f, const DistributionParameters& p, double q, double x) {
    return q <= 0.5 ? PreciseLower(f, p, x) - q : (1.0 - q) - PreciseUpper(f, p, x);
}

struct Bracket {
    double low;  // Excess < 0
    double high; // Excess >= 0
};

// Moves the bracket's ends toward `start` (a close estimate of the root): the end on the far
// side of it by steps growing from the last few bits of `start`, so that a good start leaves a
// bracket of a few units in the last place after three or four tail evaluations.
void Narrow(const AccurateForms& f, const DistributionParameters& p, double q, double start,
            Bracket& b) {
    if (!(start > b.low && start < b.high)) {
        return;
    }
    const long double e = Excess(f, p, q, start);
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
        const long double ep = Excess(f, p, q, probe);
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

// The root of Excess inside [low, high] (a bracket the root is known to lie in).
std::optional<double> Solve(const AccurateForms& f, const DistributionParameters& p, double q,
                            double low, double high) {
    Bracket b{low, high};
    if (!(Excess(f, p, q, b.low) < 0.0L)) {
        return Excess(f, p, q, b.low) == 0.0L ? std::optional<double>(b.low) : std::nullopt;
    }
    if (!(Excess(f, p, q, b.high) >= 0.0L)) {
        return std::nullopt;
    }
    Narrow(f, p, q, f.quantileStart(p, q), b);
    if (b.low == b.high) {
        return b.low;
    }
    for (int step = 0; step < kBisectionSteps; ++step) {
        const double width = b.high - b.low;
        if (width <= kRelativeWidth * std::fmax(std::fabs(b.low), std::fabs(b.high))) {
            break;
        }
        const double m = SplitBracket(b.low, b.high);
        if (!(m > b.low && m < b.high)) {
            break;
        }
        const long double e = Excess(f, p, q, m);
        if (std::isnan(e)) {
            return std::nullopt;
        }
        if (e == 0.0L) {
            return m;
        }
        (e < 0.0L ? b.low : b.high) = m;
    }
    return b.low + (b.high - b.low) / 2.0;
}

// A standard value z mapped from x, widened by a little so that rounding keeps the root inside.
double Widened(double z, double direction) {
    return z + direction * 1e-9 * (1.0 + std::fabs(z));
}

} // namespace

std::optional<double> PreciseQuantile(const AccurateForms& f, const DistributionParameters& p,
                                      double q, double shown) {
    if (!std::isfinite(shown)) {
        return std::nullopt;
    }
    if (q <= 0.0 || q >= 1.0) {
        return shown; // the end of the support, exact
    }
    if (q == 0.5 && f.symmetric) {
        return f.standard != nullptr ? p.real1 : 0.0;
    }
    // The field's promise: the root lies within its tolerance of the four-decimal text.
    const Support s = f.support(p);
    const double text = FourDecimalValue(shown);
    const double tolerance = ShownTolerance(text);
    const double low = std::fmax(text - tolerance, s.lowest);
    const double high = std::fmin(text + tolerance, s.highest);
    if (f.standard == nullptr) {
        return Solve(f, p, q, low, high);
    }
    // A location-scale law is solved standardised, so that the location is exact (the median of
    // N(-2, 1e8) is -2, not -2 plus the noise of a tail of 1e8 width).
    DistributionParameters standard = p;
    standard.real1 = 0.0;
    standard.real2 = 1.0;
    const double mu = p.real1;
    const double sigma = p.real2;
    if (f.logScale) {
        const double zLow = low > 0.0 ? Widened((std::log(low) - mu) / sigma, -1.0) : -kFarNormal;
        const double zHigh = Widened((std::log(high) - mu) / sigma, 1.0);
        const std::optional<double> z = Solve(*f.standard, standard, q, zLow, zHigh);
        return z ? std::optional<double>(std::exp(mu + sigma * *z)) : std::nullopt;
    }
    const std::optional<double> z =
        Solve(*f.standard, standard, q, Widened((low - mu) / sigma, -1.0),
              Widened((high - mu) / sigma, 1.0));
    return z ? std::optional<double>(mu + sigma * *z) : std::nullopt;
}

} // namespace kelvora
