// The Beta quantile by series inversion of the incomplete beta function: from the current
// estimate x with Newton step D = (q - I_x(a, b)) / f(x), the inverse cumulative is expanded as
// x + D + sum_k c_k D^k, the coefficients c_k following from the derivatives of ln f by a
// two-dimensional recurrence (the inverse-beta series of ACM TOMS 724). At most two passes.
#include "quantile/beta_quantile.hpp"

#include "distributions/continuous.hpp"
#include "specfun/arithmetic.hpp"

#include <array>
#include <cmath>

namespace kelvora {

namespace {

constexpr int kPasses = 2;
constexpr double kPassTolerance = 1e-4;
constexpr double kSeriesTolerance = 1e-6;
constexpr int kOrderLimit = 100;
// The table holds the coefficients of orders 2..20: 19 rows and 19 columns.
constexpr int kTableSize = 19;
constexpr int kHighestOrder = kTableSize + 1;
// An estimate that left (0, 1).
constexpr double kOutside = -1;

using CoefficientTable = std::array<std::array<double, kTableSize>, kTableSize>;

} // namespace

double BetaQuantile(double q, double a, double b) {
    CoefficientTable t{};
    double x = a / (a + b);
    double xold = 0;
    int passes = kPasses;
    while (!(std::fabs((x - xold) / x) < kPassTolerance) && passes != 0) {
        xold = x;
        passes = passes - 1;
        const double cdf = Finite(BetaCdf(x, a, b), "BetaCdf");
        const double pdf = Finite(BetaPdf(x, a, b), "BetaPdf");
        const double delta = pdf != 0 ? (q - cdf) / pdf : 1;
        const double w0 = 1 - x;
        // u and v carry the k-th derivatives of (b - 1) ln(1 - x) and (a - 1) ln x, scaled.
        double u = (b - 1) * delta / w0;
        double v = (1 - a) * delta / x;
        t[0][0] = u + v;
        double last = delta * t[0][0] / 2;
        x = (delta + x) + last;
        for (int k = 3; k < kOrderLimit + 1 && std::fabs(last / x) > kSeriesTolerance; ++k) {
            // Past the table's last order the series stops as if it had converged.
            if (k > kHighestOrder) {
                break;
            }
            u = u * ((k - 2) * delta) / w0;
            v = v * ((2 - k) * delta) / x;
            t[0][k - 2] = u + v;
            for (int j = 3; j <= k - 1; ++j) {
                double s = t[j - 3][k - j] * t[0][0];
                double c = 1;
                for (int m = 1; m <= k - j; ++m) {
                    c = (k - j - m + 1) * c / m;
                    s = c * t[0][m] * t[j - 3][k - j - m] + s;
                }
                t[j - 2][k - j] = t[j - 3][k - j + 1] / (j - 1) + s;
            }
            t[k - 2][0] = t[k - 3][0] * t[0][0] + t[k - 3][1] / (k - 1);
            last = delta * t[k - 2][0] / k;
            x = last + x;
            if (x >= 1 || x <= 0) {
                x = kOutside;
                break;
            }
        }
    }
    if (x < 0) {
        if (q < 0.5) {
            x = 0;
        } else if (q > 0.5) {
            x = 1;
        } else {
            throw ArithmeticFault("BetaQuantile: the series left (0, 1) at the median");
        }
    }
    return Finite(x, "BetaQuantile");
}

} // namespace kelvora
