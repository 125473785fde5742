#include "specfun/normal_beta.hpp"

#include "specfun/arithmetic.hpp"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace kelvora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Worst {
    double error = 0.0;
    double at = 0.0;
    void Update(double e, double x) {
        if (e > error) {
            error = e;
            at = x;
        }
    }
};

double Phi(double z) {
    return boost::math::cdf(boost::math::normal_distribution<double>(), z);
}

// ---------------------------------------------------------------------------------------------
// NormalTailArea

TEST(NormalTailArea, NamedValues) {
    EXPECT_EQ(NormalTailArea(0.0), 0.5);
    EXPECT_NEAR(NormalTailArea(-1.96), 0.0249979, 5e-8);
    EXPECT_NEAR(NormalTailArea(-12.7) / 2.956e-37, 1.0, 1e-3);
}

TEST(NormalTailArea, CentralAndTailFormsMeetAtTheSwitch) {
    const double central = NormalTailArea(1.28);
    const double tail = NormalTailArea(1.2800001);
    EXPECT_NEAR(central, 0.8997274, 5e-8);
    EXPECT_NEAR(tail, 0.8997274, 5e-8);
    EXPECT_GT(tail, central);
    EXPECT_LT(tail - central, 1e-7);
}

// One cut-off on |z| for both signs, and no separate lower-tail limit.
TEST(NormalTailArea, ExactlyZeroOrOneBeyondTheCutOff) {
    EXPECT_GT(NormalTailArea(-12.7), 0.0);
    EXPECT_EQ(NormalTailArea(-12.71), 0.0);
    EXPECT_EQ(NormalTailArea(-1e300), 0.0);
    EXPECT_EQ(NormalTailArea(-kInf), 0.0);
    EXPECT_EQ(NormalTailArea(12.71), 1.0);
    EXPECT_EQ(NormalTailArea(kInf), 1.0);
}

// AS 66 is good to about 5e-12 absolute over the whole range, and to about 5e-11 relative in
// the lower tail.
TEST(NormalTailArea, AgreesWithBoost) {
    Worst absolute;
    Worst tail;
    for (double z = -12.7; z <= 12.7; z += 0.0037) {
        const double expected = Phi(z);
        const double ours = NormalTailArea(z);
        absolute.Update(std::abs(ours - expected), z);
        if (z < -1.28) {
            tail.Update(std::abs(ours / expected - 1.0), z);
        }
    }
    EXPECT_LE(absolute.error, 6e-12) << "worst at z = " << absolute.at;
    EXPECT_LE(tail.error, 6e-11) << "worst at z = " << tail.at;
}

TEST(NormalTailArea, NanFaults) {
    EXPECT_THROW(NormalTailArea(kNaN), ArithmeticFault);
}

// ---------------------------------------------------------------------------------------------
// NormalUpperTailArea

// Within the cut-off the upper area is the lower area of -z, bit for bit (the same d).
TEST(NormalUpperTailArea, MirrorsTheLowerAreaWithinTheCutOff) {
    for (double z = -12.7; z <= 12.7; z += 0.37) {
        EXPECT_EQ(NormalUpperTailArea(z), NormalTailArea(-z)) << z;
    }
}

// Beyond 12.7 the tail form goes on with its relative accuracy until exp(-z^2/2) underflows.
TEST(NormalUpperTailArea, FarTailIsRelativelyAccurate) {
    const boost::math::normal_distribution<double> standard;
    Worst worst;
    for (double z = 1.5; z <= 37.5; z += 0.25) {
        const double expected = boost::math::cdf(boost::math::complement(standard, z));
        worst.Update(std::abs(NormalUpperTailArea(z) / expected - 1.0), z);
    }
    EXPECT_LE(worst.error, 1e-9) << "worst at z = " << worst.at;
    EXPECT_EQ(NormalTailArea(-13.0), 0.0);
    EXPECT_GT(NormalUpperTailArea(13.0), 0.0);
    EXPECT_EQ(NormalUpperTailArea(40.0), 0.0);
    EXPECT_EQ(NormalUpperTailArea(-40.0), 1.0);
    EXPECT_THROW(NormalUpperTailArea(kNaN), ArithmeticFault);
}

// ---------------------------------------------------------------------------------------------
// NormalUpperPoint

TEST(NormalUpperPoint, NamedValues) {
    EXPECT_EQ(NormalUpperPoint(0.5), 0.0);
    EXPECT_NEAR(NormalUpperPoint(0.025), 1.959964, 5e-7);
    EXPECT_NEAR(NormalUpperPoint(0.975), -1.959964, 5e-7);
    EXPECT_NEAR(NormalUpperPoint(0.001), 3.090232, 5e-7);
}

TEST(NormalUpperPoint, SignFollowsTheHalf) {
    for (double p : {1e-4, 0.1, 0.3, 0.4999}) {
        EXPECT_GT(NormalUpperPoint(p), 0.0) << p;
        EXPECT_NEAR(NormalUpperPoint(1.0 - p), -NormalUpperPoint(p), 1e-12) << p;
    }
}

// The single polynomial holds to a few parts in 1e8 for 1e-4 <= p <= 1 - 1e-4 (and degrades
// quickly below 1e-5).
TEST(NormalUpperPoint, AgreesWithBoost) {
    Worst worst;
    for (double p = 1e-4; p < 0.5; p *= 1.02) {
        for (double level : {p, 1.0 - p}) {
            const double expected =
                -boost::math::quantile(boost::math::normal_distribution<>(), level);
            worst.Update(std::abs(NormalUpperPoint(level) - expected), level);
        }
    }
    EXPECT_LE(worst.error, 5e-8) << "worst at p = " << worst.at;
}

TEST(NormalUpperPoint, FaultsOutsideTheOpenInterval) {
    for (double p : {0.0, 1.0, -0.1, 1.1, kNaN}) {
        EXPECT_THROW(NormalUpperPoint(p), ArithmeticFault) << p;
    }
}

// ---------------------------------------------------------------------------------------------
// BetaFunction

TEST(BetaFunction, NamedValues) {
    EXPECT_EQ(BetaFunction(1.0, 1.0), 1.0);
    EXPECT_NEAR(BetaFunction(2.0, 3.0) * 12.0, 1.0, 1e-14);
}

TEST(BetaFunction, AgreesWithBoost) {
    Worst worst;
    const std::vector<double> shapes = {1e-3, 0.2, 0.5, 1.0, 2.5, 7.0, 15.0, 60.0, 300.0};
    for (double a : shapes) {
        for (double b : shapes) {
            worst.Update(std::abs(BetaFunction(a, b) / boost::math::beta(a, b) - 1.0), a);
        }
    }
    EXPECT_LE(worst.error, 5e-13) << "worst at a = " << worst.at;
}

// ---------------------------------------------------------------------------------------------
// IncompleteBetaRatio

TEST(IncompleteBetaRatio, EndsOfTheUnitInterval) {
    EXPECT_EQ(IncompleteBetaRatio(2.0, 3.0, 0.0), 0.0);
    EXPECT_EQ(IncompleteBetaRatio(2.0, 3.0, -1.0), 0.0);
    EXPECT_EQ(IncompleteBetaRatio(2.0, 3.0, 1.0), 1.0);
    EXPECT_EQ(IncompleteBetaRatio(2.0, 3.0, 7.0), 1.0);
    // No computation at the ends: even parameters that would fault give the fixed values.
    EXPECT_EQ(IncompleteBetaRatio(30000.0, 30000.0, 0.0), 0.0);
    EXPECT_EQ(IncompleteBetaRatio(kNaN, 1.0, 1.0), 1.0);
}

TEST(IncompleteBetaRatio, UniformCaseIsTheIdentity) {
    for (double x : {1e-6, 0.1, 0.25, 0.5, 0.9, 0.999}) {
        EXPECT_NEAR(IncompleteBetaRatio(1.0, 1.0, x), x, 1e-15) << x;
    }
}

TEST(IncompleteBetaRatio, SymmetricAtHalf) {
    for (double a : {0.5, 2.0, 7.5, 40.0}) {
        EXPECT_NEAR(IncompleteBetaRatio(a, a, 0.5), 0.5, 1e-7) << a;
    }
}

TEST(IncompleteBetaRatio, ExchangingTheTailsIsConsistent) {
    for (double a : {0.5, 3.0, 12.0}) {
        for (double b : {0.7, 4.0, 25.0}) {
            for (double x : {0.05, 0.3, 0.6, 0.95}) {
                EXPECT_NEAR(IncompleteBetaRatio(a, b, x), 1.0 - IncompleteBetaRatio(b, a, 1.0 - x),
                            3e-7)
                    << a << ", " << b << ", " << x;
            }
        }
    }
}

// The 1e-7 accuracy applies to the terms of the series; their truncated tail, multiplied by the
// prefactor, leaves errors of a few 1e-7 for everyday shapes. When one shape is far smaller
// than the other the tail sums slowly and the error grows.
TEST(IncompleteBetaRatio, AgreesWithBoostToTheAccuracy) {
    struct Case {
        const char* name;
        std::vector<double> shapes;
        double absTol;
    };
    const std::vector<Case> cases = {
        {"everyday shapes", {0.5, 1.0, 2.0, 3.5, 8.0, 20.0, 60.0}, 5e-7},
        {"unbalanced shapes", {0.2, 1.0, 50.0, 400.0}, 1.4e-5},
    };
    const std::vector<double> xs = {1e-3, 0.02, 0.1, 0.25, 0.4, 0.5, 0.6, 0.75, 0.9, 0.98, 0.999};
    for (const Case& c : cases) {
        Worst worst;
        for (double a : c.shapes) {
            for (double b : c.shapes) {
                for (double x : xs) {
                    const double expected = boost::math::ibeta(a, b, x);
                    worst.Update(std::abs(IncompleteBetaRatio(a, b, x) - expected), x);
                }
            }
        }
        EXPECT_LE(worst.error, c.absTol) << c.name << ", worst at x = " << worst.at;
    }
}

// Where AS 63 sums the flipped tail, its sum is the complement itself: relative accuracy far
// below the rounding of 1 - I.
TEST(IncompleteBetaRatioComplement, UpperTailIsRelativelyAccurate) {
    Worst worst;
    for (const auto& [a, b] :
         {std::pair{2.0, 3.0}, std::pair{0.5, 0.5}, std::pair{30.0, 4.0}, std::pair{1.0, 200.0}}) {
        for (double gap : {1e-2, 1e-4, 1e-7, 1e-10, 1e-13}) {
            const double x = 1.0 - gap;
            const double expected = boost::math::ibetac(a, b, x);
            worst.Update(std::abs(IncompleteBetaRatioComplement(a, b, x) / expected - 1.0), x);
        }
    }
    EXPECT_LE(worst.error, 2e-7) << "worst at x = " << worst.at;
}

TEST(IncompleteBetaRatioComplement, EndsAndTheUnflippedTail) {
    EXPECT_EQ(IncompleteBetaRatioComplement(2.0, 3.0, 0.0), 1.0);
    EXPECT_EQ(IncompleteBetaRatioComplement(2.0, 3.0, -1.0), 1.0);
    EXPECT_EQ(IncompleteBetaRatioComplement(2.0, 3.0, 1.0), 0.0);
    EXPECT_EQ(IncompleteBetaRatioComplement(2.0, 3.0, 0.1),
              1.0 - IncompleteBetaRatio(2.0, 3.0, 0.1));
    EXPECT_THROW(IncompleteBetaRatioComplement(2.0, 2.0, kNaN), ArithmeticFault);
}

TEST(LogBetaFunction, IsTheLogarithmBehindBetaFunction) {
    for (const auto& [a, b] : {std::pair{0.5, 0.5}, std::pair{3.0, 7.5}, std::pair{40.0, 90.0}}) {
        EXPECT_EQ(BetaFunction(a, b), std::exp(LogBetaFunction(a, b))) << a << ", " << b;
    }
    // B(1000, 1000) underflows; its logarithm does not.
    EXPECT_EQ(BetaFunction(1000.0, 1000.0), 0.0);
    const double expected = 2.0 * boost::math::lgamma(1000.0) - boost::math::lgamma(2000.0);
    EXPECT_NEAR(LogBetaFunction(1000.0, 1000.0), expected, 1e-12 * std::abs(expected));
}

// Beyond a + b of about a thousand, B(a, b) underflows and the partial sums pass the double
// range; the rescaled sum and the logarithmic quotient keep the ratio finite and accurate.
TEST(IncompleteBetaRatio, LargeShapesStayAccurate) {
    Worst worst;
    for (const auto& [a, b] : {std::pair{1000.0, 1000.0}, std::pair{600.0, 900.0},
                               std::pair{1500.0, 50.0}, std::pair{3000.0, 3000.0}}) {
        const double mean = a / (a + b);
        const double sd = std::sqrt(a * b / ((a + b) * (a + b) * (a + b + 1.0)));
        for (double z : {-3.0, -1.0, 0.0, 0.5, 2.0}) {
            const double x = mean + z * sd;
            if (x <= 0.0 || x >= 1.0) {
                continue;
            }
            const double expected = boost::math::ibeta(a, b, x);
            worst.Update(std::abs(IncompleteBetaRatio(a, b, x) - expected), x);
        }
    }
    EXPECT_LE(worst.error, 2e-6) << "worst at x = " << worst.at;
}

TEST(IncompleteBetaRatio, SixteenBitCountersOverflow) {
    // The reduction count floor(qq + cx * psq) = 60000 does not fit.
    EXPECT_THROW(IncompleteBetaRatio(30000.0, 30000.0, 0.5), ArithmeticFault);
    // A tail that would need millions of terms runs the term index past 32767.
    EXPECT_THROW(IncompleteBetaRatio(1.0, 1e-6, 0.999999), ArithmeticFault);
}

TEST(IncompleteBetaRatio, NonFiniteArgumentsFault) {
    EXPECT_THROW(IncompleteBetaRatio(kNaN, 2.0, 0.5), ArithmeticFault);
    EXPECT_THROW(IncompleteBetaRatio(2.0, kNaN, 0.5), ArithmeticFault);
    EXPECT_THROW(IncompleteBetaRatio(2.0, 2.0, kNaN), ArithmeticFault);
    EXPECT_THROW(IncompleteBetaRatio(kInf, 2.0, 0.5), ArithmeticFault);
    EXPECT_THROW(IncompleteBetaRatio(2.0, kInf, 0.5), ArithmeticFault);
}

// ---------------------------------------------------------------------------------------------
// Last-bit pins (see GammaFamilyBits): they catch a mistyped high-order coefficient of the
// upper-point polynomial or a moved central/tail switch, whose effects lie below the oracle
// tolerance.
TEST(NormalBetaBits, PinnedValues) {
    struct Pin {
        const char* name;
        double value;
        double expected;
    };
    const std::vector<Pin> pins = {
        {"NormalTailArea(-0.7)", NormalTailArea(-0.7), 0.24196365221970872},
        {"NormalTailArea(1.285)", NormalTailArea(1.285), 0.90060385798753373},
        {"NormalTailArea(2.3)", NormalTailArea(2.3), 0.98927588997845817},
        {"NormalTailArea(-5.5)", NormalTailArea(-5.5), 1.8989562465310402e-08},
        {"NormalTailArea(-11)", NormalTailArea(-11.0), 1.9106595744279009e-28},
        {"NormalUpperPoint(1e-6)", NormalUpperPoint(1e-6), 4.7539295545577875},
        {"NormalUpperPoint(1e-4)", NormalUpperPoint(1e-4), 3.7190164505346548},
        {"NormalUpperPoint(0.2)", NormalUpperPoint(0.2), 0.84162123182971649},
        {"NormalUpperPoint(0.7)", NormalUpperPoint(0.7), -0.52440051907637408},
        {"IncompleteBetaRatio(0.5, 2.5, 0.2)", IncompleteBetaRatio(0.5, 2.5, 0.2),
         0.68562743779076218},
        {"IncompleteBetaRatio(3, 2.5, 0.7)", IncompleteBetaRatio(3.0, 2.5, 0.7),
         0.75876244607881971},
    };
    for (const Pin& pin : pins) {
        EXPECT_EQ(pin.value, pin.expected) << pin.name;
    }
}

} // namespace
} // namespace kelvora
