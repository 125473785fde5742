// The four discrete distributions against Boost.Math over grids of parameters and counts.
//
// Masses and cumulatives are closed forms or finite sums, so agreement is close to rounding.
// Values below kTiny are compared absolutely: there the written order of a mass's factors can
// underflow one factor (p^k or (1 - p)^(n - k) below 1e-308) before the product would.
#include "dist/discrete.hpp"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/geometric.hpp>
#include <boost/math/distributions/hypergeometric.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kelvora {
namespace {

constexpr double kTiny = 1e-30;

::testing::AssertionResult Agrees(double actual, double oracle, double relTol) {
    if (std::fabs(actual - oracle) <= relTol * std::fabs(oracle) + kTiny) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << actual << " vs Boost " << oracle << " (relative "
           << std::fabs(actual - oracle) / std::fabs(oracle) << ", allowed " << relTol << ")";
}

struct BinomialRow {
    Int16 n;
    double p;
};

// 1 - p rounds once, and its power carries that error times n - k: the tolerance grows with n
// (about 8e-14 measured at n = 1000).
constexpr double kBinomialTolerance = 2e-13;

TEST(DiscreteOracle, BinomialMatchesBoost) {
    const BinomialRow rows[] = {{1, 0.5},   {2, 0.3},    {5, 0.001},  {10, 0.5},   {10, 0.77},
                                {20, 0.1},  {50, 0.3},   {50, 0.999}, {100, 0.5},  {100, 0.02},
                                {500, 0.3}, {1000, 0.5}, {1000, 0.1}, {1000, 0.77}};
    for (const auto& row : rows) {
        const boost::math::binomial_distribution<double> oracle(row.n, row.p);
        // Every count of the small rows; about a hundred spread over the large ones, whose
        // cumulative recomputes each coefficient and costs O(k min(k, n - k)).
        const int stride = 1 + row.n / 100;
        for (int kk = 0; kk <= row.n; kk += stride) {
            const auto k = static_cast<Int16>(kk);
            EXPECT_TRUE(Agrees(BinomialPmf(k, row.n, row.p), pdf(oracle, static_cast<double>(k)),
                               kBinomialTolerance))
                << "pmf n=" << row.n << " p=" << row.p << " k=" << k;
            EXPECT_TRUE(Agrees(BinomialCdf(k, row.n, row.p), cdf(oracle, static_cast<double>(k)),
                               kBinomialTolerance))
                << "cdf n=" << row.n << " p=" << row.p << " k=" << k;
        }
    }
}

TEST(DiscreteOracle, PoissonMatchesBoost) {
    for (const double lambda : {0.01, 0.5, 1.0, 3.7, 10.0, 50.0, 200.0, 700.0}) {
        const boost::math::poisson_distribution<double> oracle(lambda);
        for (Int16 k = 0; k <= 170; ++k) {
            // Beyond here lambda^k leaves the double range and the mass faults by design.
            if (k * std::log(lambda) < 700.0) {
                EXPECT_TRUE(
                    Agrees(PoissonPmf(k, lambda), pdf(oracle, static_cast<double>(k)), 1e-14))
                    << "pmf lambda=" << lambda << " k=" << k;
            }
            EXPECT_TRUE(Agrees(PoissonCdf(k, lambda), cdf(oracle, static_cast<double>(k)), 1e-14))
                << "cdf lambda=" << lambda << " k=" << k;
        }
    }
}

TEST(DiscreteOracle, GeometricMatchesBoost) {
    for (const double p : {0.001, 0.1, 0.5, 0.9, 0.999}) {
        const boost::math::geometric_distribution<double> oracle(p);
        for (Int16 k = 1; k <= 2000; ++k) {
            // Boost counts the failures before the first success: k - 1.
            EXPECT_TRUE(Agrees(GeometricPmf(k, p), pdf(oracle, k - 1.0), 1e-14))
                << "pmf p=" << p << " k=" << k;
            // 1 - (1 - p)^k loses digits to cancellation when p is small.
            EXPECT_TRUE(Agrees(GeometricCdf(k, p), cdf(oracle, k - 1.0), 1e-13))
                << "cdf p=" << p << " k=" << k;
        }
    }
}

struct HypergeometricRow {
    Int16 M;
    Int16 K;
    Int16 n;
    // The masses are exponentials of differences of ln n! sums, whose rounding grows with M.
    double tolerance;
};

TEST(DiscreteOracle, HypergeometricMatchesBoostOnTheSupport) {
    const HypergeometricRow rows[] = {
        {100, 50, 10, 1e-13},   {10, 8, 5, 1e-13},      {10, 5, 6, 1e-13},
        {20, 1, 1, 1e-13},      {8, 2, 2, 1e-13},       {50, 10, 20, 1e-13},
        {60, 30, 30, 1e-13},    {500, 250, 100, 5e-12}, {1000, 30, 900, 5e-12},
        {1000, 100, 30, 5e-12}, {32000, 1, 1, 1e-10},
    };
    for (const auto& row : rows) {
        // Boost: (marked, drawn, population).
        const boost::math::hypergeometric_distribution<double> oracle(static_cast<unsigned>(row.K),
                                                                      static_cast<unsigned>(row.n),
                                                                      static_cast<unsigned>(row.M));
        const int low = std::max(0, row.n + row.K - row.M);
        const int top = std::min(row.n, row.K);
        for (int k = low; k <= top; ++k) {
            const auto kk = static_cast<Int16>(k);
            const auto ku = static_cast<unsigned>(k);
            EXPECT_TRUE(
                Agrees(HypergeometricPmf(kk, row.n, row.K, row.M), pdf(oracle, ku), row.tolerance))
                << "pmf M=" << row.M << " K=" << row.K << " n=" << row.n << " k=" << k;
            EXPECT_TRUE(
                Agrees(HypergeometricCdf(kk, row.n, row.K, row.M), cdf(oracle, ku), row.tolerance))
                << "cdf M=" << row.M << " K=" << row.K << " n=" << row.n << " k=" << k;
        }
        EXPECT_TRUE(Agrees(HypergeometricMean(row.n, row.K, row.M), mean(oracle), 1e-15));
        EXPECT_TRUE(Agrees(HypergeometricVariance(row.n, row.K, row.M), variance(oracle), 1e-14));
    }
}

} // namespace
} // namespace kelvora
