#include "dist/discrete.hpp"
#include "specfun/arithmetic.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace kelvora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

::testing::AssertionResult Close(double actual, double expected, double relTol) {
    const double allowed = relTol * std::fabs(expected) + 1e-300;
    if (std::fabs(actual - expected) <= allowed) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << actual << " vs " << expected << " (relative "
           << std::fabs(actual - expected) / std::fabs(expected) << ")";
}

// ---- Counting helpers ---------------------------------------------------------------------

struct CoefficientCase {
    Int16 n;
    Int16 k;
    double expected;
};

TEST(BinomialCoefficient, SmallCasesAndOutOfRangeK) {
    const CoefficientCase cases[] = {
        {5, 2, 10.0}, {3, 5, 0.0},         {4, 0, 1.0},
        {4, 4, 1.0},  {0, 0, 1.0},         {10, 3, 120},
        {5, -1, 0.0}, {-1, 0, 0.0},        {52, 5, 2598960.0},
        {1, 1, 1.0},  {32767, 1, 32767.0}, {32767, 2, 536821761.0 /* 32767 * 32766 / 2 */},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BinomialCoefficient(c.n, c.k), c.expected) << "C(" << c.n << ", " << c.k << ")";
    }
}

TEST(BinomialCoefficient, AgreesWithPascalsTriangle) {
    // Exact integers up to C(66, 33) < 2^63.
    std::vector<std::uint64_t> row{1};
    for (int n = 1; n <= 66; ++n) {
        std::vector<std::uint64_t> next(n + 1, 1);
        for (int k = 1; k < n; ++k) {
            next[k] = row[k - 1] + row[k];
        }
        row = next;
        for (int k = 0; k <= n; ++k) {
            EXPECT_TRUE(Close(BinomialCoefficient(n, k), static_cast<double>(row[k]), 2e-14))
                << "C(" << n << ", " << k << ")";
        }
    }
}

TEST(BinomialCoefficient, FaultsOnlyWhenTheCoefficientLeavesTheDoubleRange) {
    EXPECT_TRUE(std::isfinite(BinomialCoefficient(1029, 514)));
    EXPECT_THROW(BinomialCoefficient(1030, 515), ArithmeticFault);
    EXPECT_TRUE(std::isfinite(BinomialCoefficient(32767, 60)));
}

TEST(Factorial, ValuesAndOverflow) {
    EXPECT_EQ(Factorial(-1), 0.0);
    EXPECT_EQ(Factorial(0), 1.0);
    EXPECT_EQ(Factorial(1), 1.0);
    EXPECT_EQ(Factorial(20), 2432902008176640000.0);
    EXPECT_TRUE(Close(Factorial(170), 7.257415615307998967e306, 1e-13));
    EXPECT_THROW(Factorial(171), ArithmeticFault);
    EXPECT_THROW(Factorial(32767), ArithmeticFault);
}

TEST(LogBinomialCoefficient, IsTheLogarithmOfTheCoefficient) {
    const std::array<std::array<Int16, 2>, 7> cases{
        {{5, 2}, {10, 0}, {10, 10}, {52, 5}, {100, 50}, {1000, 3}, {1029, 514}}};
    for (const auto& [n, k] : cases) {
        const double expected = std::log(BinomialCoefficient(n, k));
        EXPECT_NEAR(LogBinomialCoefficient(n, k), expected, 1e-12 * std::fmax(1.0, expected))
            << "C(" << n << ", " << k << ")";
    }
}

// ---- Binomial -----------------------------------------------------------------------------

TEST(Binomial, CdfIsTheRunningSumOfThePmf) {
    for (const Int16 n : {1, 2, 7, 20, 60, 300}) {
        for (const double p : {0.05, 0.5, 0.83}) {
            double sum = 0.0;
            for (Int16 k = -2; k <= n + 2; ++k) {
                sum += BinomialPmf(k, n, p);
                const double expected = k >= n ? 1.0 : sum;
                EXPECT_TRUE(Close(BinomialCdf(k, n, p), expected, 1e-13))
                    << "n=" << n << " p=" << p << " k=" << k;
            }
        }
    }
}

TEST(Binomial, BoundaryValuesNeedNoSummation) {
    EXPECT_EQ(BinomialCdf(3, 3, 0.4), 1.0);
    EXPECT_EQ(BinomialCdf(9, 3, 0.4), 1.0);
    EXPECT_EQ(BinomialCdf(-1, 3, 0.4), 0.0);
    EXPECT_EQ(BinomialPmf(-1, 3, 0.4), 0.0);
    EXPECT_EQ(BinomialPmf(4, 3, 0.4), 0.0);
    // Degenerate success probabilities.
    EXPECT_EQ(BinomialPmf(0, 5, 0.0), 1.0);
    EXPECT_EQ(BinomialPmf(1, 5, 0.0), 0.0);
    EXPECT_EQ(BinomialCdf(2, 5, 0.0), 1.0);
    EXPECT_EQ(BinomialPmf(5, 5, 1.0), 1.0);
    EXPECT_EQ(BinomialPmf(4, 5, 1.0), 0.0);
    EXPECT_EQ(BinomialCdf(4, 5, 1.0), 0.0);
}

TEST(Binomial, ZeroTrialsPutAllMassAtZero) {
    for (const double p : {0.1, 0.5, 0.9}) {
        EXPECT_EQ(BinomialPmf(0, 0, p), 1.0) << p;
        EXPECT_EQ(BinomialPmf(1, 0, p), 0.0) << p;
        EXPECT_EQ(BinomialPmf(-1, 0, p), 0.0) << p;
        EXPECT_EQ(BinomialCdf(0, 0, p), 1.0) << p;
        EXPECT_EQ(BinomialQuantile(0.7, 0, p), Int16{0}) << p;
        EXPECT_EQ(BinomialMean(0, p), 0.0);
    }
    EXPECT_EQ(BinomialPmf(0, -3, 0.5), 0.0);
}

TEST(Binomial, QuantileIsTheSmallestCountReachingTheLevel) {
    for (const Int16 n : {1, 5, 10, 40}) {
        for (const double p : {0.1, 0.5, 0.77}) {
            for (const double q : {0.0, 1e-9, 0.2, 0.5, 0.9, 0.999}) {
                const std::optional<Int16> r = BinomialQuantile(q, n, p);
                ASSERT_TRUE(r.has_value());
                double below = 0.0;
                for (Int16 i = 0; i < *r; ++i) {
                    below += BinomialPmf(i, n, p);
                }
                const double atR = below + BinomialPmf(*r, n, p);
                EXPECT_LE(q, atR) << "n=" << n << " p=" << p << " q=" << q;
                if (*r > 0) {
                    EXPECT_LT(below, q) << "n=" << n << " p=" << p << " q=" << q;
                }
            }
        }
    }
}

TEST(Binomial, QuantileReturnsTheTopWhenRoundingFallsShortOfTheLevel) {
    // The three masses of Binomial(2, 0.3) add up to 1 - 2^-53 in doubles.
    ASSERT_LT(BinomialPmf(0, 2, 0.3) + BinomialPmf(1, 2, 0.3) + BinomialPmf(2, 2, 0.3), 1.0);
    EXPECT_EQ(BinomialQuantile(1.0, 2, 0.3), Int16{2});
}

TEST(Binomial, QuantileHasNoValueOutsideTheUnitIntervalOrForNegativeN) {
    EXPECT_FALSE(BinomialQuantile(-0.1, 10, 0.5).has_value());
    EXPECT_FALSE(BinomialQuantile(1.1, 10, 0.5).has_value());
    EXPECT_FALSE(BinomialQuantile(kNaN, 10, 0.5).has_value());
    EXPECT_FALSE(BinomialQuantile(0.5, -3, 0.5).has_value());
    EXPECT_EQ(BinomialQuantile(0.0, 10, 0.5), Int16{0});
}

// Near the median of Binomial(1100, 0.5) the coefficients leave the double range: the masses
// come from logarithms and the search goes on over them.
TEST(Binomial, QuantileAndMassBeyondTheCoefficientRange) {
    EXPECT_EQ(BinomialQuantile(0.5, 1100, 0.5), Int16{550});
    EXPECT_TRUE(Close(BinomialPmf(515, 1030, 0.5), 0.024856, 1e-4));
}

// ---- Geometric ----------------------------------------------------------------------------

TEST(Geometric, FirstTrialCarriesProbabilityP) {
    for (const double p : {0.01, 0.3, 0.5, 0.99}) {
        EXPECT_EQ(GeometricPmf(1, p), p);
        EXPECT_TRUE(Close(GeometricCdf(1, p), p, 1e-13)); // 1 - (1 - p) rounds 1 - p once
    }
}

TEST(Geometric, OutsideTheSupportAndDegenerateP) {
    EXPECT_EQ(GeometricPmf(0, 0.5), 0.0);
    EXPECT_EQ(GeometricCdf(0, 0.5), 0.0);
    EXPECT_EQ(GeometricCdf(-5, 0.5), 0.0);
    EXPECT_EQ(GeometricPmf(3, 0.0), 0.0);
    EXPECT_EQ(GeometricCdf(3, 0.0), 0.0);
    EXPECT_EQ(GeometricPmf(1, 1.0), 1.0);
    EXPECT_EQ(GeometricPmf(2, 1.0), 0.0);
    EXPECT_EQ(GeometricCdf(2, 1.0), 1.0);
}

TEST(Geometric, CdfIsTheRunningSumOfThePmf) {
    for (const double p : {0.001, 0.2, 0.5, 0.95}) {
        double sum = 0.0;
        for (Int16 k = 1; k <= 60; ++k) {
            sum += GeometricPmf(k, p);
            // 1 - (1 - p)^k cancels digits when the sum is small.
            EXPECT_TRUE(Close(GeometricCdf(k, p), sum, 1e-12)) << "p=" << p << " k=" << k;
        }
    }
}

TEST(Geometric, QuantileLiesOnTheStepHoldingTheLevel) {
    EXPECT_EQ(GeometricQuantile(0.5, 0.5), Int16{2});
    for (const double p : {0.05, 0.3, 0.5, 0.9}) {
        EXPECT_EQ(GeometricQuantile(0.0, p), Int16{1});
        for (const double q : {0.01, 0.37, 0.62, 0.91, 0.9985}) {
            const Int16 r = GeometricQuantile(q, p).value();
            EXPECT_LE(GeometricCdf(static_cast<Int16>(r - 1), p), q) << "p=" << p << " q=" << q;
            EXPECT_LT(q, GeometricCdf(r, p)) << "p=" << p << " q=" << q;
        }
    }
}

TEST(Geometric, QuantileEdgeCases) {
    EXPECT_EQ(GeometricQuantile(1.0, 1.0), Int16{1});
    EXPECT_EQ(GeometricQuantile(0.3, 1.0), Int16{1});
    EXPECT_FALSE(GeometricQuantile(0.3, 0.0).has_value());
    EXPECT_FALSE(GeometricQuantile(-0.1, 0.5).has_value());
    EXPECT_FALSE(GeometricQuantile(1.1, 0.5).has_value());
    EXPECT_FALSE(GeometricQuantile(kNaN, 0.5).has_value());
    EXPECT_THROW(GeometricQuantile(1.0, 0.5), ArithmeticFault);
    EXPECT_THROW(GeometricQuantile(0.5, 1e-6), ArithmeticFault); // about 693148 trials
}

// ---- Poisson ------------------------------------------------------------------------------

TEST(Poisson, ZeroCountHasMassExpMinusLambda) {
    for (const double lambda : {0.01, 1.0, 7.5, 300.0}) {
        EXPECT_EQ(PoissonPmf(0, lambda), std::exp(-lambda));
        EXPECT_EQ(PoissonCdf(0, lambda), std::exp(-lambda));
        EXPECT_EQ(PoissonPmf(-1, lambda), 0.0);
        EXPECT_EQ(PoissonCdf(-1, lambda), 0.0);
    }
}

TEST(Poisson, CdfIsTheRunningSumOfThePmf) {
    for (const double lambda : {0.3, 2.0, 10.0, 60.0}) {
        double sum = 0.0;
        for (Int16 k = 0; k <= 170; ++k) {
            sum += PoissonPmf(k, lambda);
            EXPECT_TRUE(Close(PoissonCdf(k, lambda), sum, 1e-13))
                << "lambda=" << lambda << " k=" << k;
        }
    }
}

// Beyond 170! and where lambda^k overflows the masses continue the recurrence
// P(k) = P(k - 1) lambda / k.
TEST(Poisson, MassContinuesBeyondTheFactorialAndPowerRange) {
    EXPECT_TRUE(Close(PoissonPmf(171, 1.0), PoissonPmf(170, 1.0) / 171.0, 1e-12));
    EXPECT_TRUE(Close(PoissonPmf(150, 1e3), PoissonPmf(149, 1e3) * 1e3 / 150.0, 1e-12));
    EXPECT_TRUE(Close(PoissonPmf(1000, 1e3), PoissonPmf(999, 1e3), 1e-12));
}

TEST(Poisson, CdfCounterStopsAtThe16BitRange) {
    EXPECT_TRUE(Close(PoissonCdf(32766, 3.0), 1.0, 1e-15));
    EXPECT_THROW(PoissonCdf(32767, 3.0), ArithmeticFault);
}

TEST(Poisson, QuantileIsTheFirstCountReachingTheLevel) {
    for (const double lambda : {0.1, 1.0, 4.5, 30.0, 200.0, 700.0}) {
        for (const double q : {0.0, 1e-6, 0.3, 0.5, 0.9, 0.999999}) {
            const Int16 r = PoissonQuantile(q, lambda);
            EXPECT_LE(q, PoissonCdf(r, lambda)) << "lambda=" << lambda << " q=" << q;
            if (r > 0) {
                EXPECT_LT(PoissonCdf(static_cast<Int16>(r - 1), lambda), q)
                    << "lambda=" << lambda << " q=" << q;
            }
        }
    }
}

TEST(Poisson, QuantileHasNoCapAtOneHundred) {
    EXPECT_EQ(PoissonQuantile(0.5, 200.0), Int16{200});
    EXPECT_GT(PoissonQuantile(0.999, 600.0), Int16{600});
}

TEST(Poisson, QuantileSearchEndsOnEveryInput) {
    EXPECT_EQ(PoissonQuantile(0.0, 1e3), Int16{0});
    EXPECT_EQ(PoissonQuantile(-0.5, 2.0), Int16{0});
    EXPECT_THROW(PoissonQuantile(kNaN, 2.0), ArithmeticFault);
    EXPECT_THROW(PoissonQuantile(1.5, 2.0), ArithmeticFault);
    EXPECT_THROW(PoissonQuantile(0.5, 1e6), ArithmeticFault); // the median is beyond 32767
    EXPECT_THROW(PoissonQuantile(0.5, kInf), ArithmeticFault);
    EXPECT_THROW(PoissonQuantile(0.5, kNaN), ArithmeticFault);
    EXPECT_THROW(PoissonQuantile(0.5, -1e3), ArithmeticFault);
}

} // namespace
} // namespace kelvora
