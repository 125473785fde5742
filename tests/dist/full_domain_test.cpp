// Inputs where a closed form's intermediate leaves the double range although the result is
// representable: GammaFunction beyond 35.04, m^m and n^n in the F density, k! and lambda^k in the
// Poisson mass, exp(-lambda) in the Poisson cumulative, binomial coefficients from n = 1030 and
// the Hypergeometric recurrence over large populations. Each is compared with Boost.Math.
#include "dist/continuous.hpp"
#include "dist/discrete.hpp"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/hypergeometric.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/distributions/weibull.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace kelvora {
namespace {

namespace bm = boost::math;

::testing::AssertionResult Relative(double actual, double expected, double tolerance) {
    const double error = std::fabs(actual - expected) / std::fabs(expected);
    if (std::isfinite(actual) && error <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual << " vs Boost " << expected << " (relative "
                                         << error << ", allowed " << tolerance << ")";
}

// One value of ours against Boost's. The log-space forms cancel terms of size about `scale`,
// so their relative error is a few units of 1e-16 times that.
struct DensityCase {
    std::string name;
    std::function<double()> ours;
    std::function<double()> boost;
    double tolerance;
};

void PrintTo(const DensityCase& c, std::ostream* os) {
    *os << c.name;
}

class LogSpaceForm : public ::testing::TestWithParam<DensityCase> {};

TEST_P(LogSpaceForm, AgreesWithBoost) {
    const DensityCase& c = GetParam();
    EXPECT_TRUE(Relative(c.ours(), c.boost(), c.tolerance));
}

DensityCase T(double x, Int16 df, double tolerance) {
    return {"StudentTPdf(" + std::to_string(x) + ", df " + std::to_string(df) + ")",
            [=] { return StudentTPdf(x, 0.0, 1.0, df); },
            [=] { return bm::pdf(bm::students_t(df), x); }, tolerance};
}
DensityCase Chi(double x, Int16 n, double tolerance) {
    return {"ChiSquarePdf(" + std::to_string(x) + ", n " + std::to_string(n) + ")",
            [=] { return ChiSquarePdf(x, n); }, [=] { return bm::pdf(bm::chi_squared(n), x); },
            tolerance};
}
DensityCase G(double x, double scale, double shape, double tolerance) {
    return {"GammaPdf(" + std::to_string(x) + ", scale " + std::to_string(scale) + ", shape " +
                std::to_string(shape) + ")",
            [=] { return GammaPdf(x, 0.0, scale, shape); },
            [=] { return bm::pdf(bm::gamma_distribution<>(shape, scale), x); }, tolerance};
}
DensityCase F(double x, Int16 m, Int16 n, double tolerance) {
    return {"FPdf(" + std::to_string(x) + ", " + std::to_string(m) + ", " + std::to_string(n) + ")",
            [=] { return FPdf(x, m, n).value(); }, [=] { return bm::pdf(bm::fisher_f(m, n), x); },
            tolerance};
}
DensityCase B(double x, double a, double b, double tolerance) {
    return {"BetaPdf(" + std::to_string(x) + ", " + std::to_string(a) + ", " + std::to_string(b) +
                ")",
            [=] { return BetaPdf(x, a, b); },
            [=] { return bm::pdf(bm::beta_distribution<>(a, b), x); }, tolerance};
}

// Gamma((df + 1)/2) leaves GammaFunction's range from df = 70 (the density was 0 there and a
// fault from 71), Gamma(n/2) from n = 71, Gamma(shape) above 35.04.
INSTANTIATE_TEST_SUITE_P(BeyondGammaFunction, LogSpaceForm,
                         ::testing::Values(T(1.5, 70, 1e-13), T(0.5, 71, 1e-13),
                                           T(-3.0, 200, 1e-13), T(0.0, 1000, 1e-12),
                                           T(40.0, 1000, 1e-11), T(2.0, 32766, 1e-10),
                                           Chi(71.0, 71, 1e-13), Chi(30.0, 71, 1e-13),
                                           Chi(150.0, 100, 1e-13), Chi(5000.0, 5000, 1e-11),
                                           Chi(33000.0, 32767, 1e-10), Chi(1000.0, 71, 1e-12),
                                           G(30.0, 1.0, 35.05, 1e-13), G(50.0, 1.0, 50.0, 1e-13),
                                           G(10.0, 2.0, 50.0, 1e-13), G(170.0, 1.0, 171.7, 1e-12),
                                           G(1000.0, 1.0, 1000.0, 1e-12), G(1e5, 1.0, 1e5, 1e-9),
                                           G(720.0, 1.0, 30.0, 1e-12), G(0.5, 1.0, 1e-39, 1e-13)));

// m^m or n^n overflows from 144, (m x + n)^((m + n)/2) and B(m/2, n/2) later; F(5, 140) at 1
// was a plain 0. Large Beta shapes underflow both the powers and B(a, b).
INSTANTIATE_TEST_SUITE_P(BeyondThePowers, LogSpaceForm,
                         ::testing::Values(F(1.0, 5, 140, 1e-13), F(1.0, 144, 3, 1e-13),
                                           F(0.2, 3, 144, 1e-13), F(1.0, 500, 500, 1e-12),
                                           F(0.9, 2000, 30000, 1e-10), F(3.0, 30000, 2000, 1e-10),
                                           F(1e-6, 1, 1000, 1e-12), F(1e3, 3, 400, 1e-10),
                                           B(0.5, 1000.0, 1000.0, 1e-11),
                                           B(0.97, 5000.0, 200.0, 1e-11), B(1e-3, 2.0, 1e5, 1e-9)));

TEST(FullDomainDensity, TheFDensityNamedInTheIssue) {
    EXPECT_NEAR(FPdf(1.0, 5, 140).value(), 0.5996, 5e-5);
}

// At the origin the F density is infinite for m = 1, 1 for m = 2 and 0 above, also where
// n^n overflows; the chi-square density is 0 for n >= 3.
TEST(FullDomainDensity, OriginValuesWithLargeDegreesOfFreedom) {
    EXPECT_THROW((void)FPdf(0.0, 1, 5000), ArithmeticFault);
    EXPECT_NEAR(FPdf(0.0, 2, 5000).value(), 1.0, 1e-12);
    EXPECT_EQ(FPdf(0.0, 3, 5000).value(), 0.0);
    EXPECT_EQ(ChiSquarePdf(0.0, 71), 0.0);
    EXPECT_THROW(ChiSquarePdf(0.0, 1), ArithmeticFault);
}

// Far in a tail the densities underflow to 0 rather than fault on inf / inf.
TEST(FullDomainDensity, FarTailsUnderflowToZero) {
    EXPECT_EQ(GammaPdf(1e10, 0.0, 1.0, 35.0), 0.0);
    EXPECT_EQ(ChiSquarePdf(1e6, 71), 0.0);
    EXPECT_EQ(StudentTPdf(1e200, 0.0, 1.0, 100), 0.0);
    EXPECT_EQ(FPdf(1e300, 300, 300).value(), 0.0);
}

// Gamma(1 + 1/shape) leaves GammaFunction's range below a shape of about 1/34: the mean and
// variance showed 0 (and the variance a negative number between 1/34 and 2/34).
TEST(FullDomainMoments, WeibullMomentsForSmallShapes) {
    for (const double shape : {0.05, 1.0 / 34.5, 0.02, 0.01, 1.0 / 150.0}) {
        const bm::weibull_distribution<> d(shape, 2.0);
        EXPECT_TRUE(Relative(WeibullMean(0.0, 2.0, shape), bm::mean(d), 1e-12)) << shape;
        if (shape >= 0.02) {
            EXPECT_TRUE(Relative(WeibullVariance(0.0, 2.0, shape), bm::variance(d), 1e-12))
                << shape;
        }
    }
    // Gamma(201) leaves the double range: no finite moment exists.
    EXPECT_THROW(WeibullMean(0.0, 1.0, 1.0 / 200.0), ArithmeticFault);
    EXPECT_THROW(WeibullVariance(0.0, 1.0, 0.01), ArithmeticFault);
    // A small scale brings the mean back into range.
    EXPECT_TRUE(Relative(WeibullMean(0.0, 1e-300, 1.0 / 200.0),
                         std::exp(std::log(1e-300) + std::lgamma(201.0)), 1e-12));
    EXPECT_THROW(WeibullMean(0.0, 1.0, 1e-37), ArithmeticFault); // beyond LogGamma's range
}

// ---- Discrete -------------------------------------------------------------------------------

// k! overflows from 171 and lambda^k from k ln lambda > 709.8; exp(-lambda) underflows from
// lambda = 708.4 (subnormal) and 745 (0).
TEST(FullDomainPoisson, MassAgreesWithBoostBeyondTheFactorial) {
    for (const double lambda : {1.0, 150.0, 700.0, 708.5, 750.0, 5000.0, 30000.0}) {
        const bm::poisson_distribution<> d(lambda);
        const double sd = std::sqrt(lambda);
        for (const double at : {lambda - 5.0 * sd, lambda - sd, lambda, lambda + 3.0 * sd}) {
            if (at < 0.0) {
                continue;
            }
            const auto k = static_cast<Int16>(std::floor(at));
            EXPECT_TRUE(Relative(PoissonPmf(k, lambda), bm::pdf(d, k), 1e-10))
                << "lambda " << lambda << " k " << k;
        }
    }
    EXPECT_TRUE(
        Relative(PoissonPmf(171, 1.0), bm::pdf(bm::poisson_distribution<>(1.0), 171), 1e-12));
    EXPECT_TRUE(
        Relative(PoissonPmf(150, 1e3), bm::pdf(bm::poisson_distribution<>(1e3), 150), 1e-12));
}

TEST(FullDomainPoisson, CumulativeAgreesWithBoostOnceExpMinusLambdaUnderflows) {
    for (const double lambda : {708.5, 745.2, 1000.0, 5000.0, 30000.0}) {
        const bm::poisson_distribution<> d(lambda);
        const double sd = std::sqrt(lambda);
        for (double z = -12.0; z <= 12.0; z += 0.5) {
            const auto k = static_cast<Int16>(std::floor(lambda + z * sd));
            const double expected = bm::cdf(d, k);
            const double actual = PoissonCdf(k, lambda);
            EXPECT_NEAR(actual, expected, 1e-10 * expected + 1e-300)
                << "lambda " << lambda << " k " << k;
        }
    }
    EXPECT_EQ(PoissonCdf(0, 1e4), 0.0);
    EXPECT_EQ(PoissonCdf(32766, 1e3), 1.0);
    EXPECT_EQ(PoissonCdf(100, 1e6), 0.0); // every count lies far below the mean
}

// The quantile is the first k with q <= PoissonCdf(k), wherever the cumulative starts its sum.
TEST(FullDomainPoisson, QuantileIsTheFirstCountReachingTheLevel) {
    for (const double lambda : {708.5, 1000.0, 20000.0, 30000.0}) {
        for (const double q : {0.0, 1e-30, 1e-12, 0.001, 0.3, 0.5, 0.9, 0.999999}) {
            const Int16 r = PoissonQuantile(q, lambda);
            EXPECT_LE(q, PoissonCdf(r, lambda)) << "lambda " << lambda << " q " << q;
            if (r > 0) {
                EXPECT_LT(PoissonCdf(static_cast<Int16>(r - 1), lambda), q)
                    << "lambda " << lambda << " q " << q;
            }
        }
    }
    EXPECT_EQ(PoissonQuantile(0.5, 1000.0), Int16{1000});
    // The median of a rate of 5e4 lies beyond the 16-bit range; q = 0 is still 0.
    EXPECT_THROW(PoissonQuantile(0.5, 5e4), ArithmeticFault);
    EXPECT_EQ(PoissonQuantile(0.0, 5e4), Int16{0});
}

// C(n, k) overflows from n = 1030 near n/2: Binomial(2000, 0.5) had no mass, cumulative or
// quantile near its mean.
TEST(FullDomainBinomial, AgreesWithBoostBeyondTheCoefficientRange) {
    struct Row {
        Int16 n;
        double p;
    };
    for (const Row& row : {Row{1030, 0.5}, Row{2000, 0.5}, Row{5000, 0.01}, Row{32767, 0.5},
                           Row{32767, 0.999}, Row{32767, 1e-4}}) {
        const bm::binomial_distribution<> d(row.n, row.p);
        const double mean = row.n * row.p;
        const double sd = std::sqrt(mean * (1.0 - row.p));
        for (const double z : {-6.0, -2.0, -0.5, 0.0, 1.0, 4.0}) {
            const double at = std::floor(mean + z * sd);
            if (at < 0.0 || at >= row.n) {
                continue;
            }
            const auto k = static_cast<Int16>(at);
            EXPECT_TRUE(Relative(BinomialPmf(k, row.n, row.p), bm::pdf(d, at), 1e-9))
                << "n " << row.n << " p " << row.p << " k " << k;
            const double expected = bm::cdf(d, at);
            EXPECT_NEAR(BinomialCdf(k, row.n, row.p), expected, 1e-9 * expected)
                << "n " << row.n << " p " << row.p << " k " << k;
        }
        for (const double q : {0.001, 0.5, 0.999}) {
            const Int16 r = BinomialQuantile(q, row.n, row.p).value();
            EXPECT_LE(q, BinomialCdf(r, row.n, row.p) * (1.0 + 1e-12)) << row.n << " " << q;
            if (r > 0) {
                EXPECT_LT(BinomialCdf(static_cast<Int16>(r - 1), row.n, row.p), q)
                    << row.n << " " << q;
            }
        }
    }
}

// Where the coefficient and both powers are normal doubles the mass is the written product to
// the last bit; where 0.3^k underflows (from k = 589) it is no longer a plain 0.
TEST(FullDomainBinomial, WrittenProductKeptWhereItsFactorsAreNormal) {
    for (const Int16 k : {0, 3, 300, 514, 588}) {
        const double written =
            BinomialCoefficient(1029, k) * std::pow(0.3, k) * std::pow(1.0 - 0.3, 1029 - k);
        EXPECT_EQ(BinomialPmf(k, 1029, 0.3), written) << k;
    }
    ASSERT_EQ(std::pow(0.3, 700), 0.0);
    EXPECT_TRUE(Relative(BinomialPmf(700, 1029, 0.3),
                         bm::pdf(bm::binomial_distribution<>(1029, 0.3), 700.0), 1e-11));
}

// The recurrence's products (n - i)(K - i) and (M - K - n + i + 1)(i + 1), and n K in the
// moments, leave 16 bits over large populations; in double they are exact.
TEST(FullDomainHypergeometric, LargePopulationsAgreeWithBoost) {
    // The log-factorial sums of the masses carry an absolute error of about 1e-8 at M = 30000.
    struct Urn {
        Int16 M;
        Int16 K;
        Int16 n;
    };
    for (const Urn& u : {Urn{30000, 15000, 1000}, Urn{30000, 20000, 20000}, Urn{1000, 200, 200},
                         Urn{32000, 100, 30000}}) {
        const bm::hypergeometric_distribution<> d(
            static_cast<unsigned>(u.K), static_cast<unsigned>(u.n), static_cast<unsigned>(u.M));
        const double mean = static_cast<double>(u.n) * u.K / u.M;
        const double sd = std::sqrt(bm::variance(d));
        for (const double z : {-5.0, -1.0, 0.0, 1.0, 3.0}) {
            const auto k = static_cast<Int16>(std::fmin(std::floor(mean + z * sd), u.K));
            const double expected = bm::cdf(d, static_cast<unsigned>(k));
            EXPECT_NEAR(HypergeometricCdf(k, u.n, u.K, u.M), expected, 3e-8 * expected)
                << "M " << u.M << " K " << u.K << " n " << u.n << " k " << k;
        }
        EXPECT_TRUE(Relative(HypergeometricMean(u.n, u.K, u.M), bm::mean(d), 1e-15));
        EXPECT_TRUE(Relative(HypergeometricVariance(u.n, u.K, u.M), bm::variance(d), 1e-14));
        const Int16 median = HypergeometricQuantile(0.5, u.n, u.K, u.M).value();
        EXPECT_LE(0.5, HypergeometricCdf(median, u.n, u.K, u.M));
        EXPECT_LT(HypergeometricCdf(static_cast<Int16>(median - 1), u.n, u.K, u.M), 0.5);
    }
}

} // namespace
} // namespace kelvora
