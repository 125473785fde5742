#include "dist/discrete.hpp"
#include "specfun/arithmetic.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

namespace kelvora {
namespace {

struct Urn {
    Int16 M; // population
    Int16 K; // marked
    Int16 n; // drawn
    Int16 Low() const { return static_cast<Int16>(std::max(0, n + K - M)); }
    Int16 Top() const { return std::min(n, K); }
};

std::ostream& operator<<(std::ostream& os, const Urn& u) {
    return os << "M=" << u.M << " K=" << u.K << " n=" << u.n;
}

// Includes urns where n + K > M, whose support starts above 0.
constexpr Urn kUrns[] = {
    {100, 50, 10}, {10, 8, 5}, {10, 5, 6}, {8, 2, 2}, {20, 20, 7}, {20, 1, 1},
    {50, 10, 20},  {1, 1, 1},  {1, 1, 0},  {5, 5, 5}, {12, 9, 9},  {60, 30, 30},
};

TEST(Hypergeometric, MassIsZeroOffTheSupportAndSumsToOneOnIt) {
    for (const Urn& u : kUrns) {
        double sum = 0.0;
        for (Int16 k = -2; k <= u.n + 2; ++k) {
            const double mass = HypergeometricPmf(k, u.n, u.K, u.M);
            if (k < u.Low() || k > u.Top()) {
                EXPECT_EQ(mass, 0.0) << u << " k=" << k;
            } else {
                EXPECT_GT(mass, 0.0) << u << " k=" << k;
            }
            sum += mass;
        }
        EXPECT_NEAR(sum, 1.0, 1e-13) << u;
    }
}

TEST(Hypergeometric, CdfIsTheRunningSumOfThePmf) {
    for (const Urn& u : kUrns) {
        double sum = 0.0;
        for (Int16 k = -2; k <= u.n + 3; ++k) {
            sum += HypergeometricPmf(k, u.n, u.K, u.M);
            EXPECT_NEAR(HypergeometricCdf(k, u.n, u.K, u.M), sum, 1e-13 * sum + 1e-300)
                << u << " k=" << k;
        }
    }
}

TEST(Hypergeometric, DrawnAndMarkedCountsAreInterchangeable) {
    for (const Urn& u : kUrns) {
        for (Int16 k = u.Low(); k <= u.Top(); ++k) {
            const double mass = HypergeometricPmf(k, u.n, u.K, u.M);
            EXPECT_NEAR(HypergeometricPmf(k, u.K, u.n, u.M), mass, 1e-12 * mass) << u << " k=" << k;
            // Counting the unmarked items drawn instead of the marked ones.
            EXPECT_NEAR(HypergeometricPmf(static_cast<Int16>(u.n - k), u.n,
                                          static_cast<Int16>(u.M - u.K), u.M),
                        mass, 1e-12 * mass)
                << u << " k=" << k;
        }
    }
}

TEST(Hypergeometric, CdfReachesOneAtTheTopOfTheSupport) {
    EXPECT_EQ(HypergeometricCdf(-1, 2, 5, 10), 0.0);
    EXPECT_EQ(HypergeometricPmf(-1, 2, 5, 10), 0.0);
    for (const Urn& u : kUrns) {
        EXPECT_NEAR(HypergeometricCdf(u.n, u.n, u.K, u.M), 1.0, 1e-13) << u;
    }
}

TEST(Hypergeometric, SupportStartsAboveZeroWhenDrawsMustHitMarkedItems) {
    // Five drawn from ten of which eight are marked: at least three marked items come out.
    for (Int16 k = 0; k < 3; ++k) {
        EXPECT_EQ(HypergeometricPmf(k, 5, 8, 10), 0.0) << k;
        EXPECT_EQ(HypergeometricCdf(k, 5, 8, 10), 0.0) << k;
    }
    // P(3) = C(8, 3) C(2, 2) / C(10, 5) = 56 / 252.
    EXPECT_NEAR(HypergeometricPmf(3, 5, 8, 10), 56.0 / 252.0, 1e-15);
    EXPECT_NEAR(HypergeometricCdf(3, 5, 8, 10), 56.0 / 252.0, 1e-15);
    EXPECT_NEAR(HypergeometricCdf(4, 5, 8, 10), (56.0 + 140.0) / 252.0, 1e-14);
    EXPECT_NEAR(HypergeometricCdf(5, 5, 8, 10), 1.0, 1e-14);
    EXPECT_NEAR(HypergeometricCdf(20, 5, 8, 10), 1.0, 1e-14);
}

TEST(Hypergeometric, CdfFarBeyondTheSupportIsOneWithoutOverflow) {
    const double atTop = HypergeometricCdf(10, 10, 50, 100);
    EXPECT_EQ(HypergeometricCdf(300, 10, 50, 100), atTop);
    EXPECT_EQ(HypergeometricCdf(32767, 10, 50, 100), atTop);
}

// (n - 0)(K - 0) = 40000 leaves the 16-bit range; the recurrence forms it in double.
TEST(Hypergeometric, RecurrenceProductsBeyondSixteenBits) {
    double sum = 0.0;
    for (Int16 k = 0; k <= 60; ++k) {
        sum += HypergeometricPmf(k, 200, 200, 1000);
        EXPECT_NEAR(HypergeometricCdf(k, 200, 200, 1000), sum, 1e-11 * sum) << k;
    }
}

TEST(Hypergeometric, QuantileIsTheSmallestSupportPointReachingTheLevel) {
    for (const Urn& u : kUrns) {
        for (const double q : {0.0, 0.01, 0.25, 0.5, 0.75, 0.99, 1.0}) {
            const Int16 r = HypergeometricQuantile(q, u.n, u.K, u.M).value();
            EXPECT_GE(r, u.Low()) << u << " q=" << q;
            EXPECT_LE(r, u.Top()) << u << " q=" << q;
            if (r < u.Top()) {
                EXPECT_LE(q, HypergeometricCdf(r, u.n, u.K, u.M)) << u << " q=" << q;
            }
            if (r > u.Low()) {
                EXPECT_LT(HypergeometricCdf(static_cast<Int16>(r - 1), u.n, u.K, u.M), q)
                    << u << " q=" << q;
            }
        }
    }
    EXPECT_EQ(HypergeometricQuantile(0.0, 5, 8, 10), Int16{3});
    EXPECT_EQ(HypergeometricQuantile(0.5, 10, 50, 100), Int16{5});
}

TEST(Hypergeometric, QuantileReturnsTheTopWhenRoundingFallsShortOfTheLevel) {
    ASSERT_LT(HypergeometricCdf(1, 1, 1, 5), 1.0);
    EXPECT_EQ(HypergeometricQuantile(1.0, 1, 1, 5), Int16{1});
}

TEST(Hypergeometric, QuantileHasNoValueOutsideTheUnitInterval) {
    EXPECT_FALSE(HypergeometricQuantile(-0.1, 10, 50, 100).has_value());
    EXPECT_FALSE(HypergeometricQuantile(1.1, 10, 50, 100).has_value());
    EXPECT_FALSE(
        HypergeometricQuantile(std::numeric_limits<double>::quiet_NaN(), 10, 50, 100).has_value());
}

TEST(Hypergeometric, MomentsWhenNTimesKLeavesThe16BitRange) {
    EXPECT_EQ(HypergeometricMean(2, 5, 10), 1.0);
    EXPECT_EQ(HypergeometricMean(200, 200, 1000), 40.0);
    EXPECT_NEAR(HypergeometricVariance(200, 200, 1000), 200 * 0.2 * 0.8 * 800.0 / 999.0, 1e-12);
}

TEST(Hypergeometric, SingleItemPopulationHasZeroVariance) {
    EXPECT_EQ(HypergeometricVariance(1, 1, 1), 0.0);
    EXPECT_EQ(HypergeometricVariance(0, 1, 1), 0.0);
}

} // namespace
} // namespace kelvora
