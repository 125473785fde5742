// The chi-square, F and t solvers, their start values and their integer-df evaluators.
#include "quantile/newton_solvers.hpp"

#include "quantile/start_values.hpp"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace kelvora {
namespace {

namespace bm = boost::math;

const std::vector<double> kLevels = {0.001, 0.01, 0.025, 0.05,  0.1,  0.25, 0.5,
                                     0.75,  0.9,  0.95,  0.975, 0.99, 0.999};

struct Worked {
    const char* name;
    double value;
    double expected;
    double tolerance;
};

TEST(NewtonSolvers, WorkedValues) {
    const std::vector<Worked> cases = {
        {"chi-square 1, closed form", ChiSquareQuantile(1, 0.05), 3.841459, 1e-5},
        {"chi-square 2, closed form", ChiSquareQuantile(2, 0.05), 5.991465, 1e-6},
        {"chi-square 10", ChiSquareQuantile(10, 0.05), 18.307038, 1e-6},
        {"t 1, closed form", StudentTQuantile(1, 0.025), 12.7062, 1e-4},
        {"t 2, closed form", StudentTQuantile(2, 0.025), 4.3027, 1e-4},
        {"t 2, lower tail", StudentTQuantile(2, 0.975), -4.3027, 1e-4},
        {"t 3, tail start", StudentTQuantile(3, 0.05), 2.353363, 1e-6},
        {"t 10, normal start", StudentTQuantile(10, 0.025), 2.228139, 1e-6},
        {"F 5/10, Paulson start", FQuantile(5, 10, 0.05), 3.3258, 1e-4},
        {"F 1/1, tail start", FQuantile(1, 1, 0.05), 161.4476, 1e-4},
        {"Paulson start of F 5/10", FStart(5, 10, 0.05), 3.3278, 1e-4},
        {"tail start of F 1/1", FStart(1, 1, 0.05), 162.115, 1e-3},
        {"tail start of t 3", StudentTStart(3, 0.05), 2.80429, 1e-5},
        {"Wilson-Hilferty start of chi-square 10", ChiSquareStart(10, 0.05), 18.2918, 1e-5},
        {"F(1, 2) median, whose Newton steps overshoot below 0", FQuantile(1, 2, 0.5), 2.0 / 3,
         1e-6},
    };
    for (const Worked& c : cases) {
        EXPECT_NEAR(c.value, c.expected, c.tolerance * std::fabs(c.expected)) << c.name;
    }
}

TEST(NewtonSolvers, TMedianIsExactlyZeroAfterAllThirtySteps) {
    EXPECT_EQ(StudentTQuantile(5, 0.5), 0.0);
    // Past about 340 degrees of freedom the two gamma values of the density at 0 overflow;
    // their ratio does not, and the median stays 0 up to the 16-bit limit of the solver.
    for (const Int16 n : {Int16{341}, Int16{342}, Int16{1000}, Int16{8191}}) {
        EXPECT_EQ(StudentTQuantile(n, 0.5), 0.0) << n;
    }
}

TEST(NewtonEvaluators, TDensityAtZeroHoldsForLargeDegreesOfFreedom) {
    for (const Int16 n : {Int16{340}, Int16{341}, Int16{342}, Int16{2000}, Int16{32767}}) {
        const CdfDensity at0 = StudentTCdfDensity(n, 0);
        const double expected = bm::pdf(bm::students_t_distribution<double>(n), 0.0);
        EXPECT_EQ(at0.cdf, 0.5);
        EXPECT_NEAR(at0.density, expected, 1e-5 * expected) << n;
    }
}

TEST(NewtonSolvers, LowerTailsMirrorTheUpperTails) {
    for (const Int16 n : {3, 5, 6, 9}) {
        for (const double p : {0.001, 0.01, 0.05}) {
            EXPECT_NEAR(StudentTQuantile(n, 1 - p), -StudentTQuantile(n, p),
                        1e-6 * StudentTQuantile(n, p))
                << "t " << n << " at " << p;
        }
    }
    for (const auto& [m, n] : {std::pair<Int16, Int16>{50, 1}, {5, 5}, {1, 10}, {30, 3}}) {
        EXPECT_NEAR(FQuantile(m, n, 0.95) * FQuantile(n, m, 0.05), 1.0, 1e-12)
            << "F " << m << "/" << n;
    }
}

// The t evaluator sums exact terms (atan and square roots), and the even chi-square one exact
// exponentials: the solvers meet Boost.Math to their own 1e-6 relative stopping rule.
TEST(NewtonSolvers, ExactEvaluatorsMeetBoostToTheStoppingRule) {
    for (const Int16 n : {4, 6, 10, 20, 50, 100, 500, 1000}) {
        for (const double q : kLevels) {
            const double expected = bm::quantile(bm::chi_squared(n), q);
            EXPECT_NEAR(ChiSquareQuantile(n, 1 - q), expected, 1e-6 * expected)
                << "chi-square " << n << " at " << q;
        }
    }
    for (const Int16 n : {3, 4, 5, 6, 10, 30, 100, 300}) {
        for (const double q : kLevels) {
            const double expected = bm::quantile(bm::students_t(n), q);
            EXPECT_NEAR(StudentTQuantile(n, 1 - q), expected, 1e-6 * std::fabs(expected))
                << "t " << n << " at " << q;
        }
    }
}

// Odd chi-square cumulatives start from the A&S 7.1.28 erf, good to 3e-7 absolute: that, not the
// Newton tolerance, limits the quantile, so the check is on the level it reproduces (at n = 3,
// q = 0.001 the quantile itself is off by 1e-4 relative).
TEST(NewtonSolvers, OddChiSquareReproducesTheLevelToTheErfAccuracy) {
    for (const Int16 n : {3, 5, 7, 9, 11, 21, 51, 101, 501}) {
        for (const double q : kLevels) {
            const double x = ChiSquareQuantile(n, 1 - q);
            EXPECT_NEAR(bm::cdf(bm::chi_squared(n), x), q, 3e-7) << n << " at " << q;
        }
    }
}

// FCdf stops AS 63 at terms below 1e-7, leaving up to 7e-7 in the cumulative on this grid (the
// quantile is then off by up to 3e-6 relative, at F(50, 1), q = 0.25).
TEST(NewtonSolvers, FReproducesTheLevelToTheIncompleteBetaAccuracy) {
    const std::vector<Int16> dfs = {1, 2, 3, 4, 5, 7, 10, 20, 30, 50};
    for (const Int16 m : dfs) {
        for (const Int16 n : dfs) {
            for (const double q : kLevels) {
                if ((m == 1 && n == 50 && q == 0.001) || (m == 50 && n == 1 && q == 0.999)) {
                    continue; // FPdf overflows there (m^m n^n x^(m-2) past the double range)
                }
                const double x = FQuantile(m, n, 1 - q);
                EXPECT_NEAR(bm::cdf(bm::fisher_f(m, n), x), q, 7e-7)
                    << m << "/" << n << " at " << q;
            }
        }
    }
}

TEST(NewtonEvaluators, AgreeWithBoost) {
    for (double x = 0.1; x < 40; x += 0.1) {
        for (const Int16 n : {2, 4, 6, 10, 20, 50}) {
            const CdfDensity cd = ChiSquareCdfDensity(n, x);
            EXPECT_NEAR(cd.cdf, bm::cdf(bm::chi_squared(n), x), 1e-14) << n << " at " << x;
            EXPECT_NEAR(cd.density, bm::pdf(bm::chi_squared(n), x), 1e-14) << n << " at " << x;
        }
        for (const Int16 n : {1, 3, 5, 21}) {
            const CdfDensity cd = ChiSquareCdfDensity(n, x);
            EXPECT_NEAR(cd.cdf, bm::cdf(bm::chi_squared(n), x), 3e-7) << n << " at " << x;
            EXPECT_NEAR(cd.density, bm::pdf(bm::chi_squared(n), x), 1e-13) << n << " at " << x;
        }
    }
    for (double t = -10; t <= 10; t += 0.25) {
        for (const Int16 n : {1, 2, 3, 4, 5, 10, 30}) {
            if (t == 0) {
                continue; // the density at 0 comes from the six-digit gamma polynomial
            }
            const CdfDensity cd = StudentTCdfDensity(n, t);
            EXPECT_NEAR(cd.cdf, bm::cdf(bm::students_t(n), t), 1e-12) << n << " at " << t;
            EXPECT_NEAR(cd.density, bm::pdf(bm::students_t(n), t), 1e-12) << n << " at " << t;
        }
    }
    for (double x = -6; x <= 6; x += 0.01) {
        EXPECT_NEAR(StandardNormalCdfErf(x), bm::cdf(bm::normal(), x), 1.5e-7) << x;
    }
}

TEST(NewtonEvaluators, FixedValues) {
    for (const Int16 n : {1, 2, 3, 10}) {
        EXPECT_EQ(ChiSquareCdfDensity(n, 0).cdf, 0.0);
        EXPECT_EQ(ChiSquareCdfDensity(n, 0).density, 0.0);
    }
    EXPECT_DOUBLE_EQ(ChiSquareCdfDensity(2, 3).cdf, 1 - std::exp(-1.5));
    EXPECT_DOUBLE_EQ(ChiSquareCdfDensity(2, 3).density, std::exp(-1.5) / 2);
    EXPECT_NEAR(StudentTCdfDensity(1, 1).cdf, 0.75, 1e-13); // short pi
    EXPECT_DOUBLE_EQ(StudentTCdfDensity(1, 1).density, 1 / (2 * 3.14159265359));
    // At 0 the density is a ratio of the six-digit gamma polynomial.
    EXPECT_NEAR(StudentTCdfDensity(5, 0).density, bm::pdf(bm::students_t(5), 0.0), 3e-6);
    EXPECT_EQ(StandardNormalCdfErf(0), 0.5);
    EXPECT_EQ(GammaRecurrencePoly(2), 1.0);
    EXPECT_EQ(GammaRecurrencePoly(5), 24.0);
    EXPECT_NEAR(GammaRecurrencePoly(0.5), 1.77245, 1e-5);
}

TEST(NewtonSolvers, SixteenBitProductsOfTheDegreesOfFreedomAreChecked) {
    EXPECT_NO_THROW(ChiSquareQuantile(3640, 0.05));
    EXPECT_THROW(ChiSquareQuantile(3641, 0.05), ArithmeticFault);
    EXPECT_THROW(FQuantile(3641, 5, 0.05), ArithmeticFault);
    EXPECT_THROW(FQuantile(5, 3641, 0.05), ArithmeticFault);
    EXPECT_THROW(FQuantile(5, 3641, 0.95), ArithmeticFault);
    EXPECT_NO_THROW(StudentTQuantile(8191, 0.05));
    EXPECT_THROW(StudentTQuantile(8192, 0.05), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(32767, 0.05), ArithmeticFault);
}

TEST(NewtonSolvers, LevelsWithoutAFiniteQuantileFault) {
    EXPECT_THROW(ChiSquareQuantile(2, 0), ArithmeticFault);
    EXPECT_THROW(ChiSquareQuantile(10, 0), ArithmeticFault);
    EXPECT_THROW(ChiSquareQuantile(10, 1), ArithmeticFault);
    EXPECT_THROW(FQuantile(5, 10, 0), ArithmeticFault);
    EXPECT_THROW(FQuantile(5, 10, 1), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(2, 0), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(2, 1), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(10, 1), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(1, 0), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(1, 1), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(1, 1e-16), ArithmeticFault);
    EXPECT_THROW(StudentTQuantile(1, 1 - 1e-16), ArithmeticFault);
    EXPECT_GT(StudentTQuantile(1, 1e-12), 1e11);
    EXPECT_LT(StudentTQuantile(1, 1 - 1e-12), -1e11);
    EXPECT_THROW(ChiSquareCdfDensity(3, -1), ArithmeticFault);
    EXPECT_THROW(ChiSquareQuantile(0, 0.05), ArithmeticFault);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(GammaRecurrencePoly(nan), ArithmeticFault);
    EXPECT_THROW(GammaRecurrencePoly(1e300), ArithmeticFault);
    EXPECT_THROW(GammaRecurrencePoly(-1e300), ArithmeticFault);
}

// Every level and degree of freedom ends, with a number or a fault.
TEST(NewtonSolvers, ExtremeArgumentsEnd) {
    const std::vector<std::function<double(Int16, double)>> solvers = {
        ChiSquareQuantile, StudentTQuantile, [](Int16 n, double p) { return FQuantile(n, n, p); },
        [](Int16 n, double p) { return FQuantile(1, n, p); }};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const auto& solve : solvers) {
        for (const Int16 n : {1, 2, 3, 143, 3640, 3641, 8191, 8192, 32767}) {
            for (const double p : {0.0, 1.0, 1e-300, 1e-16, 1 - 1e-16, 0.5, nan}) {
                try {
                    solve(n, p);
                } catch (const ArithmeticFault&) {
                }
            }
        }
    }
}

} // namespace
} // namespace kelvora
