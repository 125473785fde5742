// The exact integer-df cumulative and density evaluators that drive the Newton steps of the
// chi-square and t solvers, and their two short helpers. They sum the classical finite series
// for integer degrees of freedom (Abramowitz and Stegun 26.4.4 / 26.4.5 for chi-square,
// 26.7.3 / 26.7.4 for t), so they differ slightly from the library's general routines.
#include "quantile/newton_solvers.hpp"

#include "quantile/gamma_quantile.hpp"
#include "specfun/constants.hpp"

#include <cmath>

namespace kelvora {

namespace {

// Abramowitz and Stegun 7.1.28: erf(t) = 1 - (1 + a1 t + ... + a6 t^6)^-16, |error| <= 3e-7.
constexpr double kInverseSqrt2 = 0.707106781187;
constexpr double kErfA1 = 0.0705230784;
constexpr double kErfA2 = 0.0422820123;
constexpr double kErfA3 = 0.0092705272;
constexpr double kErfA4 = 0.0001520143;
constexpr double kErfA5 = 0.0002765672;
constexpr double kErfA6 = 0.0000430638;
constexpr double kErfExponent = -16.0;

// Gamma(2 + g), 0 <= g < 1, by a short minimax polynomial (constant term first).
constexpr double kGammaP0 = 0.999999;
constexpr double kGammaP1 = 0.422787;
constexpr double kGammaP2 = 0.41174;
constexpr double kGammaP3 = 0.082112;
constexpr double kGammaP4 = 0.07211;
constexpr double kGammaP5 = 0.004451;
constexpr double kGammaP6 = 0.005159;
constexpr double kGammaP7 = 0.001606;

// Every argument the solvers pass (at most 32767/2 + 0.5) reduces in far fewer steps; the
// bound ends the reduction for arguments so large or so negative that x - 1 == x.
constexpr int kMaxReductionSteps = 1 << 16;

} // namespace

double StandardNormalCdfErf(double x) {
    const double t = std::fabs(x) * kInverseSqrt2;
    const double p =
        1 + t * (kErfA1 + t * (kErfA2 + t * (kErfA3 + t * (kErfA4 + t * (kErfA5 + t * kErfA6)))));
    const double e = 1 - std::pow(p, kErfExponent);
    const double result = x < 0 ? 0.5 - e / 2 : 0.5 + e / 2;
    return Finite(result, "StandardNormalCdfErf");
}

double GammaRecurrencePoly(double x) {
    if (std::isnan(x)) {
        throw ArithmeticFault("GammaRecurrencePoly: argument is not a number");
    }
    double c = 1;
    for (int step = 0; x != 2; ++step) {
        if (step == kMaxReductionSteps) {
            throw ArithmeticFault("GammaRecurrencePoly: argument out of range");
        }
        if (x < 2) {
            c = c / x;
            x = x + 1;
        } else if (x < 3) {
            const double g = x - 2;
            const double poly =
                kGammaP0 +
                g * (kGammaP1 +
                     g * (kGammaP2 +
                          g * (kGammaP3 +
                               g * (kGammaP4 + g * (kGammaP5 + g * (kGammaP6 + g * kGammaP7))))));
            return Finite(c * poly, "GammaRecurrencePoly");
        } else {
            x = x - 1;
            c = c * x;
        }
    }
    return Finite(c, "GammaRecurrencePoly");
}

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
