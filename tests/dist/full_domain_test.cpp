// Inputs where a closed form's intermediate leaves the double range although the result is
// representable: GammaFunction beyond 35.04, m^m and n^n in the F density, k! and lambda^k in the
// Poisson mass, exp(-lambda) in the Poisson cumulative, binomial coefficients from n = 1030 and
// the Hypergeometric recurrence over large populations. Each is compared with Boost.Math.
#include "distributions/continuous.hpp"
#include "distributions/discrete.hpp"

#include <boost/math/distributions.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace kelvora {
namespace {

namespace bm = boost::math;

// At the origin the F density is infinite for m = 1, 1 for m = 2 and 0 above, also where n^n
// overflows; far in a tail the densities underflow to 0 rather than fault on inf / inf.
TEST(FullDomain, OriginAndFarTailDensities) {
    EXPECT_THROW((void)FPdf(0.0, 1, 5000), ArithmeticFault);
    EXPECT_NEAR(FPdf(0.0, 2, 5000).value(), 1.0, 1e-12);
    EXPECT_EQ(FPdf(0.0, 3, 5000).value(), 0.0);
    EXPECT_EQ(ChiSquarePdf(0.0, 71), 0.0);
    EXPECT_EQ(GammaPdf(1e10, 0.0, 1.0, 35.0), 0.0);
    EXPECT_EQ(ChiSquarePdf(1e6, 71), 0.0);
    EXPECT_EQ(StudentTPdf(1e200, 0.0, 1.0, 100), 0.0);
    EXPECT_EQ(FPdf(1e300, 300, 300).value(), 0.0);
}

// Gamma(1 + 1/shape) leaves GammaFunction's range below a shape of about 1/34: the mean and
// variance showed 0 (and the variance a negative number between 1/34 and 2/34).
TEST(FullDomain, WeibullMomentsForSmallShapes) {
    for (const double shape : {0.05, 1.0 / 34.5, 0.02, 0.01}) {
        const bm::weibull_distribution<> d(shape, 2.0);
        EXPECT_NEAR(WeibullMean(0.0, 2.0, shape), bm::mean(d), 1e-12 * bm::mean(d)) << shape;
        if (shape >= 0.02) {
            EXPECT_NEAR(WeibullVariance(0.0, 2.0, shape), bm::variance(d), 1e-12 * bm::variance(d))
                << shape;
        }
    }
    // Gamma(201) leaves the double range: no finite moment, unless a small scale brings it back.
    EXPECT_THROW(WeibullMean(0.0, 1.0, 1.0 / 200.0), ArithmeticFault);
    EXPECT_THROW(WeibullVariance(0.0, 1.0, 0.01), ArithmeticFault);
    const double expected = std::exp(std::log(1e-300) + std::lgamma(201.0));
    EXPECT_NEAR(WeibullMean(0.0, 1e-300, 1.0 / 200.0), expected, 1e-12 * expected);
    EXPECT_THROW(WeibullMean(0.0, 1.0, 1e-37), ArithmeticFault); // beyond LogGamma's range
}

// k! overflows from 171 and lambda^k from k ln lambda > 709.8; exp(-lambda) underflows from
// lambda = 708.4 (subnormal) and 745 (0). The quantile is the first k with q <= PoissonCdf(k),
// wherever the cumulative starts its sum.
TEST(FullDomain, PoissonBeyondTheFactorialAndExpMinusLambda) {
    for (const double lambda : {1.0, 150.0, 708.5, 750.0, 5000.0, 30000.0}) {
        const bm::poisson_distribution<> d(lambda);
        const double sd = std::sqrt(lambda);
        for (const double z : {-10.0, -5.0, -1.0, 0.0, 3.0, 8.0}) {
            if (lambda + z * sd < 0.0) {
                continue;
            }
            const auto k = static_cast<Int16>(std::floor(lambda + z * sd));
            const double mass = bm::pdf(d, k), cdf = bm::cdf(d, k);
            EXPECT_NEAR(PoissonPmf(k, lambda), mass, 1e-10 * mass) << lambda << " " << k;
            EXPECT_NEAR(PoissonCdf(k, lambda), cdf, 1e-10 * cdf + 1e-300) << lambda << " " << k;
        }
        for (const double q : {0.0, 1e-30, 0.001, 0.5, 0.999999}) {
            const double r = PoissonQuantile(q, lambda).value();
            EXPECT_LE(q, PoissonCdf(r, lambda)) << lambda << " " << q;
            if (r > 0) {
                EXPECT_LT(PoissonCdf(r - 1.0, lambda), q) << lambda << " " << q;
            }
        }
    }
    const double mass171 = bm::pdf(bm::poisson_distribution<>(1.0), 171);
    EXPECT_NEAR(PoissonPmf(171, 1.0), mass171, 1e-12 * mass171);
    EXPECT_EQ(PoissonCdf(0, 1e4), 0.0);
    EXPECT_EQ(PoissonCdf(32766, 1e3), 1.0);
    EXPECT_EQ(PoissonCdf(100, 1e6), 0.0);
    EXPECT_EQ(PoissonQuantile(0.5, 1000.0), 1000.0);
    EXPECT_EQ(PoissonQuantile(0.5, 5e4), 5e4);
    EXPECT_EQ(PoissonQuantile(0.0, 5e4), 0.0);
}

// C(n, k) overflows from n = 1030 near n/2: Binomial(2000, 0.5) had no mass, cumulative or
// quantile near its mean.
TEST(FullDomain, BinomialBeyondTheCoefficientRange) {
    for (const auto& [n, p] : {std::pair<Int16, double>{1030, 0.5},
                               {2000, 0.5},
                               {5000, 0.01},
                               {32767, 0.5},
                               {32767, 0.999},
                               {32767, 1e-4}}) {
        const bm::binomial_distribution<> d(n, p);
        const double mean = n * p, sd = std::sqrt(mean * (1.0 - p));
        for (const double z : {-6.0, -0.5, 0.0, 1.0, 4.0}) {
            const double at = std::floor(mean + z * sd);
            if (at < 0.0 || at >= n) {
                continue;
            }
            const auto k = static_cast<Int16>(at);
            const double mass = bm::pdf(d, at), cdf = bm::cdf(d, at);
            EXPECT_NEAR(BinomialPmf(k, n, p), mass, 1e-9 * mass) << n << " " << p << " " << k;
            EXPECT_NEAR(BinomialCdf(k, n, p), cdf, 1e-9 * cdf) << n << " " << p << " " << k;
        }
        for (const double q : {0.001, 0.5, 0.999}) {
            const double r = BinomialQuantile(q, n, p).value();
            EXPECT_LE(q, BinomialCdf(r, n, p) * (1.0 + 1e-12)) << n << " " << q;
            if (r > 0) {
                EXPECT_LT(BinomialCdf(r - 1.0, n, p), q) << n << " " << q;
            }
        }
    }
    // Where the coefficient and both powers are normal doubles the mass is the written product
    // to the last bit; where 0.3^k underflows (from k = 589) it is no longer a plain 0.
    for (const Int16 k : {0, 300, 588}) {
        EXPECT_EQ(BinomialPmf(k, 1029, 0.3),
                  BinomialCoefficient(1029, k) * std::pow(0.3, k) * std::pow(0.7, 1029 - k))
            << k;
    }
    const double mass700 = bm::pdf(bm::binomial_distribution<>(1029, 0.3), 700.0);
    EXPECT_NEAR(BinomialPmf(700, 1029, 0.3), mass700, 1e-11 * mass700);
}

// The recurrence's products (n - i)(K - i) and (M - K - n + i + 1)(i + 1), and n K in the
// moments, leave 16 bits over large populations; in double they are exact. The log-factorial
// sums carry an absolute error of about 1e-8 at M = 30000.
TEST(FullDomain, HypergeometricLargePopulations) {
    for (const auto& [M, K, n] : {std::tuple<Int16, Int16, Int16>{30000, 15000, 1000},
                                  {30000, 20000, 20000},
                                  {1000, 200, 200},
                                  {32000, 100, 30000}}) {
        const bm::hypergeometric_distribution<> d(
            static_cast<unsigned>(K), static_cast<unsigned>(n), static_cast<unsigned>(M));
        const double mean = static_cast<double>(n) * K / M, sd = std::sqrt(bm::variance(d));
        for (const double z : {-5.0, -1.0, 0.0, 1.0, 3.0}) {
            const auto k = static_cast<Int16>(std::fmin(std::floor(mean + z * sd), K));
            const double expected = bm::cdf(d, static_cast<unsigned>(k));
            EXPECT_NEAR(HypergeometricCdf(k, n, K, M), expected, 3e-8 * expected) << M << " " << k;
        }
        EXPECT_NEAR(HypergeometricMean(n, K, M), bm::mean(d), 1e-15 * bm::mean(d));
        EXPECT_NEAR(HypergeometricVariance(n, K, M), bm::variance(d), 1e-14 * bm::variance(d));
        const double median = HypergeometricQuantile(0.5, n, K, M).value();
        EXPECT_LE(0.5, HypergeometricCdf(median, n, K, M));
        EXPECT_LT(HypergeometricCdf(median - 1.0, n, K, M), 0.5);
    }
}

} // namespace
} // namespace kelvora
