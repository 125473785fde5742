#include "quantile/verified_quantile.hpp"

#include "distributions/accurate.hpp"
#include "quantile/bracket_split.hpp"

#include <cmath>

namespace kelvora {

namespace {

// Doublings of the bracket from +-1 reach the double range within 1100 steps; halvings and
// bisections close any bracket within a few hundred.
constexpr int kBracketSteps = 1100;
constexpr int kBisectionSteps = 3000;
constexpr double kRelativeWidth = 1e-15;

// Increasing in x and zero at the quantile: the lower tail minus q, or 1 - q minus the upper
// tail. 1 - q is exact for q >= 1/2.
double Excess(const AccurateForms& f, const DistributionParameters& p, double q, double x) {
    return q <= 0.5 ? AccurateLower(f, p, x) - q : (1.0 - q) - AccurateUpper(f, p, x);
}

std::optional<double> Bisect(const AccurateForms& f, const DistributionParameters& p, double q,
                             std::optional<double> hint) {
    const Support s = f.support(p);
    const double reach = hint && std::isfinite(*hint) ? std::fmax(1.0, std::fabs(*hint)) : 1.0;
    // Excess(a) < 0 <= Excess(b).
    double a = std::isfinite(s.lowest) ? s.lowest : -reach;
    double b = std::isfinite(s.highest) ? s.highest : reach;
    for (int step = 0; !(Excess(f, p, q, a) < 0.0); ++step) {
        if (step == kBracketSteps || !std::isfinite(a *= 2.0)) {
            return std::nullopt;
        }
    }
    for (int step = 0; !(Excess(f, p, q, b) >= 0.0); ++step) {
        if (step == kBracketSteps || !std::isfinite(b *= 2.0)) {
            return std::nullopt;
        }
    }
    for (int step = 0; step < kBisectionSteps; ++step) {
        const double m = SplitBracket(a, b);
        if (!(m > a && m < b) || b - a <= kRelativeWidth * std::fmax(std::fabs(a), std::fabs(b))) {
            return a + (b - a) / 2.0;
        }
        const double e = Excess(f, p, q, m);
        if (std::isnan(e)) {
            return std::nullopt;
        }
        (e < 0.0 ? a : b) = m;
    }
    return std::nullopt;
}

} // namespace

bool QuantileChecksOut(const AccurateForms& f, const DistributionParameters& p, double q,
                       double x) {
    if (!std::isfinite(x)) {
        return false;
    }
    const double shown = FourDecimalValue(x);
    const double tolerance = ShownTolerance(shown);
    if (q <= 0.5) {
        return AccurateLower(f, p, shown - tolerance) <= q &&
               q <= AccurateLower(f, p, shown + tolerance);
    }
    const double r = 1.0 - q;
    return AccurateUpper(f, p, shown + tolerance) <= r &&
           r <= AccurateUpper(f, p, shown - tolerance);
}

std::optional<double> VerifiedQuantile(const AccurateForms& f, const DistributionParameters& p,
                                       double q, std::optional<double> written) {
    if (q <= 0.0 || q >= 1.0) {
        const Support s = f.support(p);
        const double end = q <= 0.0 ? s.lowest : s.highest;
        return std::isfinite(end) ? std::optional<double>(end) : std::nullopt;
    }
    if (written && QuantileChecksOut(f, p, q, *written)) {
        return written;
    }
    const std::optional<double> solved = Bisect(f, p, q, written);
    if (solved && QuantileChecksOut(f, p, q, *solved)) {
        return solved;
    }
    return std::nullopt;
}

} // namespace kelvora
