// Upper-tail quantiles of the chi-square, F and t distributions: closed forms for one and two
// degrees of freedom, otherwise an approximate start (start_values.hpp) refined by Newton's
// method on the exact cumulative.
#include "quantile/newton_solvers.hpp"

#include "distributions/continuous.hpp"
#include "quantile/start_values.hpp"
#include "specfun/constants.hpp"
#include "specfun/normal_beta.hpp"

#include <cmath>
#include <optional>
#include <string>

namespace kelvora {

namespace {

constexpr int kNewtonSteps = 30;
constexpr double kNewtonTolerance = 1e-6;

void RequireDegreesOfFreedom(Int16 n, const char* what) {
    if (n < 1) {
        throw ArithmeticFault(std::string(what) + ": degrees of freedom below 1");
    }
}

double Present(std::optional<double> v, const char* what) {
    if (!v) {
        throw ArithmeticFault(std::string(what) + ": no value");
    }
    return Finite(*v, what);
}

// Newton's method on cdf(x) = target from `start`, at most kNewtonSteps steps; stops when the
// relative change falls below kNewtonTolerance or the density vanishes. Non-convergence is not
// an error: the last iterate is the result. `admit(x, next)` gives the iterate that follows x
// when Newton proposes `next`.
template <typename Evaluate, typename Admit>
double RefineByNewton(double start, double target, Evaluate evaluate, Admit admit) {
    double x = start;
    double next = start;
    for (int step = 0; step < kNewtonSteps; ++step) {
        const CdfDensity at = evaluate(x);
        if (at.density == 0) {
            return x;
        }
        next = admit(x, x - (at.cdf - target) / at.density);
        if (std::fabs(next) * kNewtonTolerance > std::fabs(x - next)) {
            return next;
        }
        x = next;
    }
    return next;
}

// The chi-square and t iterations take every Newton step (a negative chi-square iterate faults
// in the evaluator).
double EveryStep(double, double next) {
    return next;
}

// Where the F cumulative is concave near 0 (df1 <= 2; the F(1, 2) median is one such case),
// Newton from above can overshoot below 0, where the density is 0 and the iteration would end
// outside the support: halve toward 0 instead.
double HalveTowardZero(double x, double next) {
    return next < 0 ? x / 2 : next;
}

} // namespace

double ChiSquareQuantile(Int16 n, double p) {
    RequireDegreesOfFreedom(n, "ChiSquareQuantile");
    if (n == 1) {
        const double z = Finite(NormalUpperPoint(p / 2), "NormalUpperPoint");
        return Finite(z * z, "ChiSquareQuantile");
    }
    if (n == 2) {
        return Finite(std::log(p) * -2, "ChiSquareQuantile");
    }
    const double target = 1 - p;
    const double start = ChiSquareStart(n, p);
    const double x = RefineByNewton(
        start, target, [n](double at) { return ChiSquareCdfDensity(n, at); }, EveryStep);
    return Finite(x, "ChiSquareQuantile");
}

double FQuantile(Int16 df1, Int16 df2, double p) {
    RequireDegreesOfFreedom(df1, "FQuantile");
    RequireDegreesOfFreedom(df2, "FQuantile");
    if (p > 0.5) {
        // Both start formulas are built for the upper tail, and from them Newton can run off
        // below 0 in the lower one: a lower point of F(df1, df2) is the reciprocal of an upper
        // point of F(df2, df1).
        return Finite(1 / FQuantile(df2, df1, 1 - p), "FQuantile");
    }
    const double target = 1 - p;
    const double start = FStart(df1, df2, p);
    const double x = RefineByNewton(
        start, target,
        [df1, df2](double at) {
            return CdfDensity{Present(FCdf(at, df1, df2), "FCdf"),
                              Present(FPdf(at, df1, df2), "FPdf")};
        },
        HalveTowardZero);
    return Finite(x, "FQuantile");
}

double StudentTQuantile(Int16 n, double p) {
    RequireDegreesOfFreedom(n, "StudentTQuantile");
    if (n == 1) {
        // The short pi exceeds pi by 2e-13, so within about 3e-14 of either end the angle passes
        // the pole and the tangent comes out huge with the wrong sign: no finite quantile there.
        const double t = std::tan((0.5 - p) * kShortPi);
        if ((0.5 - p) * t < 0) {
            throw ArithmeticFault("StudentTQuantile: no finite quantile this close to 0 or 1");
        }
        return Finite(t, "StudentTQuantile");
    }
    if (n == 2) {
        const double s = p <= 0.5 ? 1 : -1;
        const double c = std::pow(1 - 2 * p, 2.0);
        return Finite(s * std::sqrt(2 * c / (1 - c)), "StudentTQuantile");
    }
    const double target = 1 - p;
    const double start = StudentTStart(n, p);
    const double x = RefineByNewton(
        start, target, [n](double at) { return StudentTCdfDensity(n, at); }, EveryStep);
    return Finite(x, "StudentTQuantile");
}

} // namespace kelvora
