// The short normal area and gamma function of the chi-square and t solvers' evaluators
// (src/quantile/newton_evaluators.cpp), their only users. They are coarser than NormalTailArea
// (AS 66) and GammaFunction (TOMS 715) on purpose: the solvers' results depend on them.
#include "specfun/solver_forms.hpp"

#include "specfun/arithmetic.hpp"

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

} // namespace kelvora
