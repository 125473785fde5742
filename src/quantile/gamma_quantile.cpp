// The inverse of the upper incomplete gamma ratio, after Cephes igami: a Wilson-Hilferty start,
// up to 10 Newton steps that also narrow a bracket, then safeguarded interval halving.
#include "quantile/gamma_quantile.hpp"

#include "specfun/arithmetic.hpp"
#include "specfun/cephes_gamma.hpp"

#include <cmath>

namespace kelvora {

namespace {

// An upper bracket equal to this means none has been found yet.
constexpr double kNoUpperBound = 4503599627370500;
constexpr double kUnderflowLog = 709.782712893384;
constexpr double kNewtonAccuracy = 1e-15;
constexpr double kIntervalAccuracy = 5.000000000000001e-15;
constexpr int kNewtonSteps = 10;
constexpr int kHalvingSteps = 400;
constexpr double kGrowthFraction = 0.0625;
constexpr double kHalvingFraction = 0.5;

// The bracket [x1, x0] with Q(a, x1) = yh >= y0 >= yl = Q(a, x0); Q decreases in x.
struct Bracket {
    double x0 = kNoUpperBound;
    double yl = 0;
    double x1 = 0;
    double yh = 1;
};

// Grows x geometrically, with a doubling step, until Q(a, x) < y0 gives the upper bound. Where
// no finite x qualifies (y0 = 0, i.e. q = 1) x overflows and the growth faults instead of
// doubling for ever.
void FindUpperBound(double a, double y0, double x, Bracket& bracket) {
    double d = kGrowthFraction;
    if (x <= 0) {
        x = 1;
    }
    for (;;) {
        x = Finite((1 + d) * x, "InverseRegularizedGammaQ");
        const double y = RegularizedGammaQ(a, x);
        if (y < y0) {
            bracket.x0 = x;
            bracket.yl = y;
            return;
        }
        d = d + d;
    }
}

// Interval search in [x1, x0]: bisection, switching to regula falsi while the sign of the
// error alternates and widening the step while it does not.
double SearchBracket(double a, double y0, Bracket& bracket) {
    double x = 0;
    double d = kHalvingFraction;
    int dir = 0;
    for (int step = 0; step < kHalvingSteps; ++step) {
        x = bracket.x1 + d * (bracket.x0 - bracket.x1);
        const double y = RegularizedGammaQ(a, x);
        if (std::fabs((bracket.x0 - bracket.x1) / (bracket.x1 + bracket.x0)) < kIntervalAccuracy) {
            break;
        }
        if (std::fabs((y - y0) / y0) < kIntervalAccuracy) {
            break;
        }
        if (x <= 0) {
            break;
        }
        if (y >= y0) {
            bracket.x1 = x;
            bracket.yh = y;
            if (dir < 0) {
                dir = 0;
                d = kHalvingFraction;
            } else if (dir > 1) {
                d = 0.5 * d + 0.5;
            } else {
                d = (y0 - bracket.yl) / (bracket.yh - bracket.yl);
            }
            dir = dir + 1;
        } else {
            bracket.x0 = x;
            bracket.yl = y;
            if (dir > 0) {
                dir = 0;
                d = kHalvingFraction;
            } else if (dir < -1) {
                d = 0.5 * d;
            } else {
                d = (y0 - bracket.yl) / (bracket.yh - bracket.yl);
            }
            dir = dir - 1;
        }
    }
    return x;
}

} // namespace

double InverseRegularizedGammaQ(double a, double y0) {
    if (!(a > 0)) {
        throw ArithmeticFault("InverseRegularizedGammaQ: shape must be positive");
    }
    Bracket bracket;
    // Wilson-Hilferty start: (X / a)^(1/3) is nearly normal with mean 1 - d and variance d.
    double d = 1 / (9 * a);
    const double y = 1 - d - StandardNormalQuantile(y0) * std::sqrt(d);
    double x = a * y * y * y;
    const double lgm = LogGammaSigned(a).value;

    for (int step = 0; step < kNewtonSteps; ++step) {
        if (x > bracket.x0 || x < bracket.x1) {
            break;
        }
        const double yx = RegularizedGammaQ(a, x);
        if (yx < bracket.yl || yx > bracket.yh) {
            break;
        }
        if (yx < y0) {
            bracket.x0 = x;
            bracket.yl = yx;
        } else {
            bracket.x1 = x;
            bracket.yh = yx;
        }
        // The derivative of Q is -x^(a-1) e^-x / Gamma(a); where it underflows, Newton stops.
        d = (a - 1) * std::log(x) - x - lgm;
        if (d < -kUnderflowLog) {
            break;
        }
        d = (yx - y0) / -std::exp(d);
        if (std::fabs(d / x) < kNewtonAccuracy) {
            return Finite(x, "InverseRegularizedGammaQ");
        }
        x = x - d;
    }

    if (bracket.x0 == kNoUpperBound) {
        FindUpperBound(a, y0, x, bracket);
    }
    x = SearchBracket(a, y0, bracket);
    return Finite(x, "InverseRegularizedGammaQ");
}

double GammaQuantile(double shape, double scale, double q) {
    return Finite(scale * InverseRegularizedGammaQ(shape, 1 - q), "GammaQuantile");
}

} // namespace kelvora
