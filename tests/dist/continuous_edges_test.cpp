// Support boundaries, closed-form quantiles, the cases without a value, and the faults of the
// continuous distribution routines.
#include "dist/continuous.hpp"

#include "specfun/normal_beta.hpp"

#include <boost/math/distributions/fisher_f.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace kelvora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Exact {
    const char* name;
    double value;
    double expected;
};

TEST(ContinuousSupport, FixedValuesAtAndBeyondTheEnds) {
    const std::vector<Exact> cases = {
        {"BetaCdf at 0", BetaCdf(0.0, 2.0, 3.0), 0.0},
        {"BetaCdf below 0", BetaCdf(-1.0, 2.0, 3.0), 0.0},
        {"BetaCdf above 1", BetaCdf(1.5, 2.0, 3.0), 1.0},
        {"BetaCdf at 1", BetaCdf(1.0, 2.0, 3.0), IncompleteBetaRatio(2.0, 3.0, 1.0)},
        {"BetaPdf above 1", BetaPdf(1.2, 2.0, 3.0), 0.0},
        {"BetaPdf below 0", BetaPdf(-0.1, 0.5, 3.0), 0.0},
        {"BetaPdf at 0, a > 1", BetaPdf(0.0, 2.0, 3.0), 0.0},
        {"CauchyCdf at the location", CauchyCdf(4.0, 4.0, 2.0), 0.5},
        {"ChiSquareCdf at 0", ChiSquareCdf(0.0, 3), 0.0},
        {"ChiSquarePdf below 0", ChiSquarePdf(-1.0, 3), 0.0},
        {"ChiSquarePdf at 0, n = 2", ChiSquarePdf(0.0, 2), 0.5},
        {"ChiSquarePdf at 0, n = 3", ChiSquarePdf(0.0, 3), 0.0},
        {"ExponentialCdf at the location", ExponentialCdf(2.0, 2.0, 4.0), 0.0},
        {"ExponentialPdf at the location", ExponentialPdf(2.0, 2.0, 4.0), 0.25},
        {"ExponentialPdf below the location", ExponentialPdf(1.0, 2.0, 4.0), 0.0},
        {"FCdf below 0", FCdf(-1.0, 3, 4).value(), 0.0},
        {"FCdf at 0", FCdf(0.0, 3, 4).value(), 0.0},
        {"FPdf below 0", FPdf(-1.0, 3, 4).value(), 0.0},
        {"FPdf at 0, m = 3", FPdf(0.0, 3, 4).value(), 0.0},
        {"GammaCdf at the location", GammaCdf(1.0, 1.0, 2.0, 3.0), 0.0},
        {"GammaPdf at the location", GammaPdf(1.0, 1.0, 2.0, 3.0), 0.0},
        {"GammaPdf at the location, shape 0.5", GammaPdf(1.0, 1.0, 2.0, 0.5), 0.0},
        {"GammaPdf at the location, shape 40", GammaPdf(1.0, 1.0, 2.0, 40.0), 0.0},
        {"GammaPdf far in the tail", GammaPdf(800.0, 0.0, 1.0, 2.0), 0.0},
        {"LognormalCdf at 0", LognormalCdf(0.0, 1.0, 2.0), 0.0},
        {"LognormalPdf at 0", LognormalPdf(0.0, 1.0, 2.0), 0.0},
        {"NormalCdf at the mean", NormalCdf(3.0, 3.0, 0.5), 0.5},
        {"RayleighCdf at 0", RayleighCdf(0.0, 2.0), 0.0},
        {"RayleighPdf below 0", RayleighPdf(-1.0, 2.0), 0.0},
        {"StudentTCdf at the location", StudentTCdf(2.0, 2.0, 3.0, 5), 0.5},
        {"UniformCdf below a", UniformCdf(-4.0, -3.0, 5.0), 0.0},
        {"UniformCdf above b", UniformCdf(6.0, -3.0, 5.0), 1.0},
        {"UniformCdf at b", UniformCdf(5.0, -3.0, 5.0), 1.0},
        {"UniformPdf at a", UniformPdf(-3.0, -3.0, 5.0), 0.125},
        {"UniformPdf at b", UniformPdf(5.0, -3.0, 5.0), 0.125},
        {"UniformPdf above b", UniformPdf(5.1, -3.0, 5.0), 0.0},
        {"WeibullCdf at the location", WeibullCdf(1.0, 1.0, 2.0, 3.0), 0.0},
        {"WeibullPdf below the location", WeibullPdf(0.0, 1.0, 2.0, 0.5), 0.0},
        {"WeibullPdf at the location, shape 1", WeibullPdf(1.0, 1.0, 1.0, 1.0), 1.0},
        {"WeibullPdf at the location, shape 3", WeibullPdf(1.0, 1.0, 2.0, 3.0), 0.0},
        {"WeibullPdf far in the tail", WeibullPdf(1e4, 0.0, 1.0, 1.0), 0.0},
    };
    for (const Exact& c : cases) {
        EXPECT_EQ(c.value, c.expected) << c.name;
    }
}

TEST(ContinuousQuantile, ClosedFormValues) {
    const std::vector<Exact> cases = {
        {"Cauchy median", CauchyQuantile(0.5, 4.0, 2.0), 4.0},
        {"Exponential at 0", ExponentialQuantile(0.0, 2.0, 3.0).value(), 2.0},
        {"Lognormal median", LognormalQuantile(0.5, 1.5, 2.0).value(), std::exp(1.5)},
        {"Normal median", NormalQuantile(0.5, -7.0, 3.0).value(), -7.0},
        {"Rayleigh at 0", RayleighQuantile(0.0, 2.0).value(), 0.0},
        {"Uniform at 0.25", UniformQuantile(0.25, -3.0, 5.0).value(), -1.0},
        {"Uniform at 1", UniformQuantile(1.0, -3.0, 5.0).value(), 5.0},
        {"Weibull at 0", WeibullQuantile(0.0, 1.5, 2.0, 3.0), 1.5},
    };
    for (const Exact& c : cases) {
        EXPECT_EQ(c.value, c.expected) << c.name;
    }
    // With the short pi the ends stay finite, far out and of opposite signs.
    EXPECT_LT(CauchyQuantile(0.0, 0.0, 1.0), -1e13);
    EXPECT_GT(CauchyQuantile(1.0, 0.0, 1.0), 1e13);
}

// Each closed-form quantile inverts its cumulative (the normal ones to the accuracy of the
// upper-point polynomial).
TEST(ContinuousQuantile, InvertsTheCumulative) {
    struct RoundTrip {
        const char* name;
        std::function<double(double)> quantile;
        std::function<double(double)> cdf;
        double tol;
    };
    const std::vector<RoundTrip> cases = {
        {"Cauchy", [](double q) { return CauchyQuantile(q, 1.0, 3.0); },
         [](double x) { return CauchyCdf(x, 1.0, 3.0); }, 1e-15},
        {"Exponential", [](double q) { return *ExponentialQuantile(q, -1.0, 2.0); },
         [](double x) { return ExponentialCdf(x, -1.0, 2.0); }, 1e-15},
        {"Lognormal", [](double q) { return *LognormalQuantile(q, 0.5, 0.8); },
         [](double x) { return LognormalCdf(x, 0.5, 0.8); }, 2e-8},
        {"Normal", [](double q) { return *NormalQuantile(q, 10.0, 4.0); },
         [](double x) { return NormalCdf(x, 10.0, 4.0); }, 2e-8},
        {"Rayleigh", [](double q) { return *RayleighQuantile(q, 1.5); },
         [](double x) { return RayleighCdf(x, 1.5); }, 1e-15},
        {"Uniform", [](double q) { return *UniformQuantile(q, 2.0, 9.0); },
         [](double x) { return UniformCdf(x, 2.0, 9.0); }, 1e-15},
        {"Weibull", [](double q) { return WeibullQuantile(q, 1.0, 2.0, 1.7); },
         [](double x) { return WeibullCdf(x, 1.0, 2.0, 1.7); }, 1e-15},
    };
    for (const RoundTrip& c : cases) {
        for (double q : {0.001, 0.05, 0.3, 0.5, 0.8, 0.99}) {
            EXPECT_NEAR(c.cdf(c.quantile(q)), q, c.tol) << c.name << " at q = " << q;
        }
    }
}

TEST(ContinuousNoValue, UndefinedMomentsAndLevelsGiveNoValue) {
    const std::vector<std::pair<const char*, std::optional<double>>> cases = {
        {"CauchyVariance", CauchyVariance(0.0, 1.0)},
        {"ExponentialQuantile below 0", ExponentialQuantile(-0.1, 0.0, 1.0)},
        {"ExponentialQuantile above 1", ExponentialQuantile(1.1, 0.0, 1.0)},
        {"LognormalQuantile below 0", LognormalQuantile(-0.5, 0.0, 1.0)},
        {"LognormalQuantile above 1", LognormalQuantile(1.5, 0.0, 1.0)},
        {"NormalQuantile below 0", NormalQuantile(-0.5, 0.0, 1.0)},
        {"NormalQuantile above 1", NormalQuantile(1.5, 0.0, 1.0)},
        {"RayleighQuantile below 0", RayleighQuantile(-0.5, 1.0)},
        {"RayleighQuantile above 1", RayleighQuantile(2.0, 1.0)},
        {"UniformQuantile below 0", UniformQuantile(-1e-9, 0.0, 1.0)},
        {"UniformQuantile above 1", UniformQuantile(1.5, 0.0, 1.0)},
        {"FCdf, m = 0", FCdf(1.0, 0, 4)},
        {"FCdf, n = 0", FCdf(1.0, 3, 0)},
        {"FPdf, m = -1", FPdf(1.0, -1, 4)},
        {"FMean, n = 2", FMean(3, 2)},
        {"FMean, m = 0", FMean(0, 10)},
        {"FVariance, n = 4", FVariance(3, 4)},
        {"StudentTVariance, df = 2", StudentTVariance(0.0, 1.0, 2)},
    };
    for (const auto& [name, value] : cases) {
        EXPECT_FALSE(value.has_value()) << name;
    }
}

TEST(ContinuousMoments, NamedValues) {
    EXPECT_EQ(FMean(3, 4).value(), 2.0);
    EXPECT_EQ(StudentTVariance(0.0, 1.0, 3).value(), 3.0);
    EXPECT_EQ(StudentTMean(-2.0, 1.0, 1), -2.0);
    EXPECT_EQ(RayleighVariance(1.0), 0.429203673205105);
    EXPECT_EQ(CopyFirstParameter(-3.0, 2.0), -3.0);
    EXPECT_EQ(SquareSecondParameter(-3.0, 2.0), 4.0);
}

// Last-bit pins of the t density, whose short pi sits under a square root where a wrong last
// digit stays below the oracle tolerance.
TEST(ContinuousDensity, StudentTPinnedValues) {
    EXPECT_EQ(StudentTPdf(0.5, 0.0, 1.0, 5), 0.32791853132274662);
    EXPECT_EQ(StudentTPdf(-1.5, 0.0, 1.0, 30), 0.12896160173967189);
}

// The chi-square variance is formed in double; the F variance keeps its 16-bit integer terms.
TEST(ContinuousMoments, DegreesOfFreedomAtTheTopOfTheRange) {
    EXPECT_EQ(ChiSquareMean(32767), 32767.0);
    EXPECT_EQ(ChiSquareVariance(32767), 65534.0);
    EXPECT_THROW(FVariance(32767, 5), ArithmeticFault); // m + n overflows
    EXPECT_NO_THROW(FVariance(32760, 5));
}

// Without care the power (m x + n)^(m + n) overflows and its root reports a density of 0.
TEST(ContinuousDensity, LargeDegreesOfFreedomKeepTheirFDensity) {
    const boost::math::fisher_f_distribution<> d(60, 80);
    for (double x : {1.4, 2.0, 3.0}) {
        const double expected = boost::math::pdf(d, x);
        EXPECT_NEAR(FPdf(x, 60, 80).value() / expected, 1.0, 1e-12) << x;
    }
}

// The faults that ordinary accepted input reaches.
TEST(ContinuousFaults, FaultCases) {
    struct Fault {
        const char* name;
        std::function<void()> call;
    };
    const std::vector<Fault> cases = {
        {"BetaPdf at 0 with a < 1", [] { BetaPdf(0.0, 0.5, 2.0); }},
        {"BetaPdf at 1 with b < 1", [] { BetaPdf(1.0, 2.0, 0.5); }},
        {"ChiSquarePdf at 0 with n = 1", [] { ChiSquarePdf(0.0, 1); }},
        {"GammaPdf at a pole of the density", [] { GammaPdf(1e-320, 0.0, 1.0, 0.01); }},
        {"GammaPdf with a shape beyond LogGamma's range", [] { GammaPdf(1.0, 0.0, 1.0, 1e37); }},
        {"FPdf at 0 with m = 1", [] { (void)FPdf(0.0, 1, 5); }},
        {"WeibullMean with Gamma(201) beyond the double range",
         [] { WeibullMean(0.0, 1.0, 0.005); }},
        {"WeibullPdf at the location with shape < 1", [] { WeibullPdf(1.0, 1.0, 2.0, 0.5); }},
        {"ExponentialQuantile at 1", [] { (void)ExponentialQuantile(1.0, 0.0, 1.0); }},
        {"RayleighQuantile at 1", [] { (void)RayleighQuantile(1.0, 1.0); }},
        {"WeibullQuantile at 1", [] { WeibullQuantile(1.0, 0.0, 1.0, 2.0); }},
        {"WeibullQuantile above 1", [] { WeibullQuantile(1.5, 0.0, 1.0, 2.0); }},
        {"NormalQuantile at 0", [] { (void)NormalQuantile(0.0, 0.0, 1.0); }},
        {"NormalQuantile at 1", [] { (void)NormalQuantile(1.0, 0.0, 1.0); }},
        {"LognormalQuantile at 0", [] { (void)LognormalQuantile(0.0, 0.0, 1.0); }},
        {"LognormalQuantile at 1", [] { (void)LognormalQuantile(1.0, 0.0, 1.0); }},
    };
    for (const Fault& c : cases) {
        EXPECT_THROW(c.call(), ArithmeticFault) << c.name;
    }
}

// The cumulatives that run a series or continued fraction end on NaN with a fault.
TEST(ContinuousFaults, NanReachingASeriesFaults) {
    EXPECT_THROW(BetaCdf(kNaN, 2.0, 3.0), ArithmeticFault);
    EXPECT_THROW(BetaCdf(0.5, kNaN, 3.0), ArithmeticFault);
    EXPECT_THROW(ChiSquareCdf(kNaN, 3), ArithmeticFault);
    EXPECT_THROW(GammaCdf(kNaN, 0.0, 1.0, 2.0), ArithmeticFault);
    EXPECT_THROW(GammaCdf(5.0, 0.0, 1.0, kNaN), ArithmeticFault);
    EXPECT_THROW((void)FCdf(kNaN, 3, 4), ArithmeticFault);
    EXPECT_THROW(StudentTCdf(kNaN, 0.0, 1.0, 5), ArithmeticFault);
}

} // namespace
} // namespace kelvora
