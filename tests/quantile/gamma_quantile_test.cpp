// The gamma solver and its own incomplete gamma pair, signed log-gamma and normal quantile.
#include "quantile/gamma_quantile.hpp"

#include "specfun/arithmetic.hpp"

#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace kelvora {
namespace {

namespace bm = boost::math;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(GammaQuantile, WorkedValues) {
    EXPECT_NEAR(GammaQuantile(1, 1, 0.5), std::log(2.0), 1e-15);
    EXPECT_NEAR(GammaQuantile(2, 3, 0.95), 14.23159, 1e-5);
    EXPECT_NEAR(GammaQuantile(0.5, 1, 0.9), 1.3527717, 1e-7);
    EXPECT_NEAR(GammaQuantile(50, 1, 0.01), 35.03245, 1e-5);
}

// Newton stops at 1e-15 relative and the halving stage at 5e-15 relative change in Q. At a low
// level q the solver still works on Q = 1 - q near 1, whose absolute error of a few 1e-15
// becomes a relative error of about 1e-15 / (a q) in x, since P grows like x^a.
TEST(GammaQuantile, MatchesBoost) {
    for (const double a : {0.1, 0.5, 1.0, 1.5, 2.0, 5.0, 20.0, 100.0, 1000.0, 1e4}) {
        for (const double q : {1e-6, 0.001, 0.025, 0.1, 0.5, 0.9, 0.975, 0.999, 1 - 1e-6}) {
            const double expected = bm::quantile(bm::gamma_distribution<>(a, 2.0), q);
            const double tolerance = 2e-11 + 1e-14 / (a * q);
            EXPECT_NEAR(GammaQuantile(a, 2, q), expected, tolerance * expected)
                << "shape " << a << " at " << q;
        }
    }
}

TEST(GammaQuantile, LevelZeroEndsInTheSearchAtATinyPositiveValue) {
    const double x = GammaQuantile(2, 1, 0);
    EXPECT_GT(x, 1e-9);
    EXPECT_LT(x, 3e-9);
}

// No finite x has Q(a, x) = 0: the bracket growth overflows and faults instead of doubling on.
TEST(GammaQuantile, LevelOneFaults) {
    for (const double a : {0.5, 2.0, 100.0}) {
        EXPECT_THROW(GammaQuantile(a, 1, 1), ArithmeticFault) << a;
    }
}

TEST(GammaQuantile, InvalidArgumentsFault) {
    EXPECT_THROW(GammaQuantile(0, 1, 0.5), ArithmeticFault);
    EXPECT_THROW(GammaQuantile(-2, 1, 0.5), ArithmeticFault);
    EXPECT_THROW(GammaQuantile(kNaN, 1, 0.5), ArithmeticFault);
    EXPECT_THROW(GammaQuantile(2, 1, kNaN), ArithmeticFault);
    // Near x = a the series needs about 8.3 sqrt(a) terms: past its bound it faults.
    EXPECT_THROW(GammaQuantile(1e12, 1, 0.5), ArithmeticFault);
    for (const double q : {1e-300, 1e-16, 1 - 1e-16}) {
        try {
            GammaQuantile(3, 1, q);
        } catch (const ArithmeticFault&) {
        }
    }
}

TEST(RegularizedGamma, MatchesBoostOnBothExpansions) {
    for (const double a : {0.1, 0.5, 1.0, 3.0, 10.0, 100.0}) {
        for (const double x : {0.01, 0.5, 1.0, 2.0, 5.0, 10.0, 50.0, 120.0}) {
            const double p = bm::gamma_p(a, x);
            const double q = bm::gamma_q(a, x);
            EXPECT_NEAR(RegularizedGammaP(a, x), p, 1e-13 * p + 1e-300) << a << ", " << x;
            EXPECT_NEAR(RegularizedGammaQ(a, x), q, 1e-13 * q + 1e-300) << a << ", " << x;
        }
    }
}

TEST(RegularizedGamma, FixedValues) {
    EXPECT_NEAR(RegularizedGammaQ(1, 2), std::exp(-2.0), 1e-15 * std::exp(-2.0));
    EXPECT_EQ(RegularizedGammaP(3, 0), 0.0);
    EXPECT_EQ(RegularizedGammaQ(3, 0), 1.0);
    EXPECT_EQ(RegularizedGammaP(0, 2), 0.0);
    EXPECT_EQ(RegularizedGammaQ(-1, 2), 1.0);
    EXPECT_EQ(RegularizedGammaQ(2, 2000), 0.0); // the prefactor underflows
    EXPECT_THROW(RegularizedGammaQ(2, kNaN), ArithmeticFault);
    EXPECT_THROW(RegularizedGammaP(2, std::numeric_limits<double>::infinity()), ArithmeticFault);
}

TEST(StandardNormalQuantile, MatchesBoostOnEveryBranch) {
    for (const double y : {1e-300, 1e-20, 1e-14, 1e-5, 0.01, 0.1, 0.135, 0.2, 0.5, 0.7, 0.86, 0.87,
                           0.99, 1 - 1e-10}) {
        const double expected = bm::quantile(bm::normal(), y);
        EXPECT_NEAR(StandardNormalQuantile(y), expected, 1e-13 * std::fabs(expected)) << y;
    }
}

TEST(StandardNormalQuantile, FixedValues) {
    EXPECT_EQ(StandardNormalQuantile(0.5), 0.0);
    EXPECT_NEAR(StandardNormalQuantile(0.975), 1.95996398454, 1e-11);
    EXPECT_NEAR(StandardNormalQuantile(0.025), -1.95996398454, 1e-11);
    EXPECT_NEAR(StandardNormalQuantile(1e-20), -9.2623401, 1e-7);
    EXPECT_EQ(StandardNormalQuantile(0), -999999999999.0);
    EXPECT_EQ(StandardNormalQuantile(-3), -999999999999.0);
    EXPECT_EQ(StandardNormalQuantile(1), 999999999999.0);
    EXPECT_THROW(StandardNormalQuantile(kNaN), ArithmeticFault);
}

TEST(LogGammaSigned, MatchesBoostOnEveryBranch) {
    for (const double x : {-40.3, -34.5, -5.5, -2.5, -0.5, 0.001, 0.5, 1.5, 2.5, 7.0, 12.9, 13.0,
                           20.0, 999.0, 2000.0, 1e9}) {
        int sign = 0;
        const double expected = bm::lgamma(x, &sign);
        const SignedLogGamma got = LogGammaSigned(x);
        EXPECT_NEAR(got.value, expected, 1e-13 * std::fabs(expected) + 1e-15) << x;
        EXPECT_EQ(got.sign, sign) << x;
    }
}

TEST(LogGammaSigned, FixedValuesAndPoles) {
    EXPECT_NEAR(LogGammaSigned(0.5).value, 0.5723649429, 1e-10);
    EXPECT_EQ(LogGammaSigned(0.5).sign, 1.0);
    EXPECT_NEAR(LogGammaSigned(-0.5).value, 1.2655121235, 1e-10);
    EXPECT_EQ(LogGammaSigned(-0.5).sign, -1.0);
    EXPECT_NEAR(LogGammaSigned(20).value, 39.3398841872, 1e-10);
    EXPECT_EQ(LogGammaSigned(2).value, 0.0);
    for (const double pole : {0.0, -2.0, -40.0, -1e300}) {
        EXPECT_THROW(LogGammaSigned(pole), ArithmeticFault) << pole;
    }
    EXPECT_THROW(LogGammaSigned(kNaN), ArithmeticFault);
}

} // namespace
} // namespace kelvora
