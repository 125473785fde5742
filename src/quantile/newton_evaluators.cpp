// The exact integer-df cumulative and density evaluators that drive the Newton steps of the
// chi-square and t solvers. They sum the classical finite series
// for integer degrees of freedom (Abramowitz and Stegun 26.4.4 / 26.4.5 for chi-square,
// 26.7.3 / 26.7.4 for t), so they differ slightly from the library's general routines.
#include "quantile/newton_solvers.hpp"

#include "specfun/cephes_gamma.hpp"
#include "specfun/constants.hpp"
#include "specfun/solver_forms.hpp"

#include <cmath>

namespace kelvora {

CdfDensity ChiSquareCdfDensity(Int16 n, double x) {
    if (x == 0) {
        return {0, 0};
    }
    if (x < 0) {
        throw ArithmeticFault("ChiSquareCdfDensity: square root of a negative number");
    }
    const double m = x / 2;
    const double r = std::sqrt(x);
    double term = 0;
    double c = 0;
    int i0 = 0;
    if (n % 2 == 0) {
        term = m * std::exp(-m);
        c = 1 - std::exp(-m);
        i0 = 2;
    } else {
        term = std::sqrt(m) * std::exp(-m) / std::sqrt(kShortPi);
        c = 2 * (StandardNormalCdfErf(r) - 0.5);
        i0 = 1;
    }
    for (int i = i0; i <= n - 2; i += 2) {
        c = c - 2 * term / i;
        term = term * x / i;
    }
    return {Finite(c, "ChiSquareCdfDensity"), Finite(term / x, "ChiSquareCdfDensity")};
}

CdfDensity StudentTCdfDensity(Int16 n, double t) {
    if (t == 0) {
        // Gamma((n+1)/2) / (sqrt(n pi) Gamma(n/2)). From about 340 degrees of freedom the
        // gamma values or their product with sqrt(n pi) overflow although the density (about
        // 0.4) does not: the ratio is then formed from the logarithms of the two values.
        double density = 0;
        try {
            density = GammaRecurrencePoly(n / 2.0 + 0.5) /
                      (std::sqrt(n * kShortPi) * GammaRecurrencePoly(n / 2.0));
        } catch (const ArithmeticFault&) {
            density = 0;
        }
        if (density == 0) {
            const double logRatio =
                LogGammaSigned(n / 2.0 + 0.5).value - LogGammaSigned(n / 2.0).value;
            density = std::exp(logRatio) / std::sqrt(n * kShortPi);
        }
        return {0.5, Finite(density, "StudentTCdfDensity")};
    }
    const double s = t < 0 ? -1 : 1;
    const double w = t * t / (n + t * t);
    double sum = 0;
    double term = 0;
    int i0 = 0;
    if (n % 2 == 0) {
        sum = std::sqrt(w);
        term = (1 - w) * std::sqrt(w) / 2;
        i0 = 2;
    } else {
        term = std::sqrt((1 - w) * w) / kShortPi;
        sum = 1 - 2 * std::atan(std::sqrt((1 - w) / w)) / kShortPi;
        i0 = 1;
    }
    for (int i = i0; i <= n - 2; i += 2) {
        sum = sum + 2 * term / i;
        term = (i + 1) * term / i * (1 - w);
    }
    return {Finite(s * sum / 2 + 0.5, "StudentTCdfDensity"),
            Finite(term / std::fabs(t), "StudentTCdfDensity")};
}

} // namespace kelvora
