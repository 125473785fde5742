// The quantile solvers (gamma, beta, chi-square, F, t), their start values and evaluators.
#include "quantile/beta_quantile.hpp"
#include "quantile/gamma_quantile.hpp"
#include "quantile/newton_solvers.hpp"
#include "quantile/start_values.hpp"
#include "registry/registry.hpp"
#include "specfun/arithmetic.hpp"
#include "specfun/cephes_gamma.hpp"
#include "specfun/solver_forms.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace kelvora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Calls solve and requires that it ends: with a number, checked by valid, or with a fault.
void ExpectEnds(
    const std::function<double()>& solve,
    const std::function<bool(double)>& valid = [](double) { return true; }) {
    try {
        EXPECT_TRUE(valid(solve()));
    } catch (const ArithmeticFault&) {
    }
}

// Worked values: the closed forms, each start value and each solver branch; the beta series
// past its order-20 table (q >= 0.9) stops as if converged and the second pass finishes.
TEST(Quantile, WorkedValues) {
    const std::vector<std::tuple<double, double, double>> cases = {
        {BetaQuantile(0.5, 2, 5), 0.26445, 1e-5},
        {BetaQuantile(0.3, 2, 5), 0.181803, 1e-6},
        {BetaQuantile(0.7, 2, 5), 0.360358, 1e-6},
        {BetaQuantile(0.9, 2, 5), 0.51032, 1e-5},
        {BetaQuantile(0.95, 2, 5), 0.58180, 1e-5},
        {BetaQuantile(0.99, 2, 5), 0.70567, 1e-5},
        {GammaQuantile(1, 1, 0.5), std::log(2.0), 1e-15},
        {GammaQuantile(2, 3, 0.95), 14.23159, 1e-5},
        {GammaQuantile(0.5, 1, 0.9), 1.3527717, 1e-7},
        {GammaQuantile(50, 1, 0.01), 35.03245, 1e-5},
        {ChiSquareQuantile(1, 0.05), 3.841459, 3.8e-5},
        {ChiSquareQuantile(2, 0.05), 5.991465, 6e-6},
        {ChiSquareQuantile(10, 0.05), 18.307038, 1.8e-5},
        {StudentTQuantile(1, 0.025), 12.7062, 1.3e-3},
        {StudentTQuantile(2, 0.025), 4.3027, 4.3e-4},
        {StudentTQuantile(2, 0.975), -4.3027, 4.3e-4},
        {StudentTQuantile(3, 0.05), 2.353363, 2.4e-6},
        {StudentTQuantile(10, 0.025), 2.228139, 2.2e-6},
        {FQuantile(5, 10, 0.05), 3.3258, 3.3e-4},
        {FQuantile(1, 1, 0.05), 161.4476, 1.6e-2},
        {FQuantile(1, 2, 0.5), 2.0 / 3, 6.7e-7}, // Newton steps overshoot below 0
        {FStart(5, 10, 0.05), 3.3278, 3.3e-4},
        {FStart(1, 1, 0.05), 162.115, 0.16},
        {StudentTStart(3, 0.05), 2.80429, 2.8e-5},
        {ChiSquareStart(10, 0.05), 18.2918, 1.8e-4}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [value, expected, tolerance] = cases[i];
        EXPECT_NEAR(value, expected, tolerance) << "case " << i;
    }
}

// An estimate outside (0, 1) goes to the end on the side of q; at q = 0.5 neither end is
// nearer, and it faults rather than return the marker -1 as a quantile.
TEST(BetaQuantile, EstimatesOutsideTheInterval) {
    EXPECT_EQ(BetaQuantile(0.05, 2, 5), 0.0);
    EXPECT_EQ(BetaQuantile(0.97, 5, 1), 1.0);
    EXPECT_THROW(BetaQuantile(0.5, 0.5, 50), ArithmeticFault);
}

TEST(GammaQuantile, LevelsAndArgumentsWithoutAQuantile) {
    const double x = GammaQuantile(2, 1, 0); // the search ends at a tiny positive value
    EXPECT_GT(x, 1e-9);
    EXPECT_LT(x, 3e-9);
    // No finite x has Q(a, x) = 0: the bracket growth overflows and faults.
    for (const double a : {0.5, 2.0, 100.0}) {
        EXPECT_THROW(GammaQuantile(a, 1, 1), ArithmeticFault) << a;
    }
    // Invalid shapes and levels; 1e12 is past the series' term bound near x = a.
    for (const auto& [a, q] :
         {std::pair{0.0, 0.5}, {-2.0, 0.5}, {kNaN, 0.5}, {2.0, kNaN}, {1e12, 0.5}}) {
        EXPECT_THROW(GammaQuantile(a, 1, q), ArithmeticFault) << a << ", " << q;
    }
}

TEST(GammaQuantileHelpers, FixedValuesAndFaults) {
    EXPECT_NEAR(RegularizedGammaQ(1, 2), std::exp(-2.0), 1e-15 * std::exp(-2.0));
    EXPECT_EQ(RegularizedGammaP(3, 0), 0.0);
    EXPECT_EQ(RegularizedGammaQ(3, 0), 1.0);
    EXPECT_EQ(RegularizedGammaP(0, 2), 0.0);
    EXPECT_EQ(RegularizedGammaQ(-1, 2), 1.0);
    EXPECT_EQ(RegularizedGammaQ(2, 2000), 0.0); // the prefactor underflows
    EXPECT_EQ(StandardNormalQuantile(0.5), 0.0);
    EXPECT_NEAR(StandardNormalQuantile(0.975), 1.95996398454, 1e-11);
    EXPECT_NEAR(StandardNormalQuantile(1e-20), -9.2623401, 1e-7);
    for (const double y : {-3.0, 0.0, 1.0}) { // the markers for levels outside (0, 1)
        EXPECT_EQ(StandardNormalQuantile(y), y < 1 ? -999999999999.0 : 999999999999.0) << y;
    }
    EXPECT_NEAR(LogGammaSigned(0.5).value, 0.5723649429, 1e-10);
    EXPECT_EQ(LogGammaSigned(-0.5).sign, -1.0);
    EXPECT_EQ(LogGammaSigned(2).value, 0.0);
    for (const double bad : {0.0, -2.0, -40.0, -1e300, kNaN}) {
        EXPECT_THROW(LogGammaSigned(bad), ArithmeticFault) << bad;
    }
    EXPECT_THROW(RegularizedGammaQ(2, kNaN), ArithmeticFault);
    EXPECT_THROW(RegularizedGammaP(2, std::numeric_limits<double>::infinity()), ArithmeticFault);
    EXPECT_THROW(StandardNormalQuantile(kNaN), ArithmeticFault);
}

// Past about 340 df the two gamma values of the t density at 0 overflow; their ratio does
// not, and the median stays 0 up to the 16-bit limit of the solver.
TEST(NewtonSolvers, TMedianIsZeroForLargeDegreesOfFreedom) {
    for (const Int16 n : {Int16{5}, Int16{341}, Int16{1000}, Int16{8191}}) {
        EXPECT_EQ(StudentTQuantile(n, 0.5), 0.0) << n;
    }
    for (const Int16 n : {Int16{340}, Int16{341}, Int16{2000}, Int16{32767}}) {
        EXPECT_EQ(StudentTCdfDensity(n, 0).cdf, 0.5);
        EXPECT_NEAR(StudentTCdfDensity(n, 0).density, 0.3989423, 1e-3) << n;
    }
    EXPECT_NEAR(StudentTCdfDensity(1, 1).cdf, 0.75, 1e-13); // short pi
    EXPECT_DOUBLE_EQ(StudentTCdfDensity(1, 1).density, 1 / (2 * 3.14159265359));
    EXPECT_EQ(GammaRecurrencePoly(5), 24.0);
    EXPECT_NEAR(GammaRecurrencePoly(0.5), 1.77245, 1e-5);
}

TEST(NewtonSolvers, FaultsOnlyWithoutAFiniteQuantile) {
    // Degrees of freedom whose products 9n, 4n and 2n pass 16 bits (true values by mpmath; the
    // solvers stop at a relative step of 1e-6).
    EXPECT_NEAR(ChiSquareQuantile(3641, 0.05), 3782.4907826, 1e-3);
    EXPECT_NEAR(StudentTQuantile(8192, 0.05), 1.6450397, 1e-6);
    EXPECT_NEAR(StudentTQuantile(32767, 0.05), 1.6449001, 1e-6);
    EXPECT_NEAR(FQuantile(3641, 5, 0.05), 4.3661081, 1e-4);
    EXPECT_NEAR(FQuantile(5, 3641, 0.05), 2.2165548, 2e-5);
    EXPECT_NEAR(FQuantile(5, 3641, 0.95), 0.2290369, 2e-5);
    EXPECT_GT(StudentTQuantile(1, 1e-12), 1e11);
    EXPECT_LT(StudentTQuantile(1, 1 - 1e-12), -1e11);
    for (const auto& [n, p] : {std::pair<Int16, double>{0, 0.05}, {2, 0}, {10, 0}, {10, 1}}) {
        EXPECT_THROW(ChiSquareQuantile(n, p), ArithmeticFault) << n << " at " << p;
    }
    for (const double p : {0.0, 1.0, 1e-16, 1 - 1e-16}) {
        EXPECT_THROW(StudentTQuantile(1, p), ArithmeticFault) << p;
    }
    EXPECT_THROW(StudentTQuantile(2, 0), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(10, 1), ArithmeticFault);
    EXPECT_THROW(FQuantile(5, 10, 0), ArithmeticFault);
    EXPECT_THROW(FQuantile(5, 10, 1), ArithmeticFault);
    EXPECT_THROW(ChiSquareCdfDensity(3, -1), ArithmeticFault);
    for (const double x : {kNaN, 1e300, -1e300}) {
        EXPECT_THROW(GammaRecurrencePoly(x), ArithmeticFault) << x;
    }
}

// Where the written solver gives no answer, the bisection on the accurate tails finds the
// quantile to the last bits, at any magnitude, not merely within the shown tolerance.
TEST(VerifiedQuantile, BisectionWithoutAWrittenAnswerIsExact) {
    const auto normal = ReadParameters(DistributionId::Normal, "1000", "1", "").value();
    EXPECT_NEAR(VerifiedQuantile(normal, 0.975, std::nullopt).value(), 1001.959963984540054, 1e-11);
    const auto exponential = ReadParameters(DistributionId::Exponential, "2", "", "").value();
    EXPECT_NEAR(VerifiedQuantile(exponential, 0.9, std::nullopt).value(), std::log(10.0) / 2.0,
                1e-14);
}

// Every level, shape and degree of freedom ends, with a number or a fault; none may hang.
TEST(Quantile, ExtremeArgumentsEnd) {
    for (const double p : {0.0, 1.0, 1e-300, 1e-16, 1 - 1e-16, 0.5, kNaN}) {
        for (const auto& [a, b] : {std::pair{2.0, 3.0}, {1e-3, 1e-3}, {1e3, 1.0}, {0.5, 1e4}}) {
            ExpectEnds([&] { return BetaQuantile(p, a, b); },
                       [](double x) { return x >= 0 && x <= 1; });
        }
        ExpectEnds([&] { return GammaQuantile(3, 1, p); });
        for (const Int16 n : {1, 2, 3, 143, 3640, 3641, 8191, 8192, 32767}) {
            ExpectEnds([&] { return ChiSquareQuantile(n, p); });
            ExpectEnds([&] { return StudentTQuantile(n, p); });
            ExpectEnds([&] { return FQuantile(n, n, p); });
            ExpectEnds([&] { return FQuantile(1, n, p); });
        }
    }
}

} // namespace
} // namespace kelvora
