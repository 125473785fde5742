// The continuous distribution routines: support ends, closed-form quantiles, the cases without
// a value and the faults.
#include "distributions/continuous.hpp"
#include "specfun/normal_beta.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kelvora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ContinuousMoments, FixedValues) {
    EXPECT_EQ(RayleighVariance(1.0), 0.429203673205105);
    EXPECT_EQ(StudentTMean(-2.0, 1.0, 1), -2.0);
    // Sums of degrees of freedom past 16 bits: 2 n^2 (m + n - 2) / (m (n - 2)^2 (n - 4)).
    EXPECT_EQ(ChiSquareVariance(32767), 65534.0);
    EXPECT_NEAR(FVariance(32767, 5).value(), 50.0 * 32770.0 / (32767.0 * 9.0), 1e-12);
}

// Last-bit pins of the t density, whose short pi under a root hides below the oracle tolerance.
TEST(ContinuousDensity, StudentTPinnedValues) {
    EXPECT_EQ(StudentTPdf(0.5, 0.0, 1.0, 5), 0.32791853132274662);
    EXPECT_EQ(StudentTPdf(-1.5, 0.0, 1.0, 30), 0.12896160173967189);
}

TEST(ContinuousSupport, FixedValuesAtAndBeyondTheEnds) {
    // clang-format off
    const std::vector<std::pair<double, double>> cases = {
        {BetaCdf(0.0, 2.0, 3.0), 0.0}, {BetaCdf(-1.0, 2.0, 3.0), 0.0},
        {BetaCdf(1.5, 2.0, 3.0), 1.0}, {BetaCdf(1.0, 2.0, 3.0), IncompleteBetaRatio(2.0, 3.0, 1.0)},
        {BetaPdf(1.2, 2.0, 3.0), 0.0}, {BetaPdf(-0.1, 0.5, 3.0), 0.0},
        {BetaPdf(0.0, 2.0, 3.0), 0.0},
        {CauchyCdf(4.0, 4.0, 2.0), 0.5}, {ChiSquareCdf(0.0, 3), 0.0}, {ChiSquarePdf(-1.0, 3), 0.0},
        {ChiSquarePdf(0.0, 2), 0.5}, {ChiSquarePdf(0.0, 3), 0.0},
        {ExponentialCdf(2.0, 2.0, 4.0), 0.0}, {ExponentialPdf(2.0, 2.0, 4.0), 0.25},
        {ExponentialPdf(1.0, 2.0, 4.0), 0.0}, {FCdf(-1.0, 3, 4).value(), 0.0},
        {FPdf(-1.0, 3, 4).value(), 0.0}, {FPdf(0.0, 3, 4).value(), 0.0},
        {GammaCdf(1.0, 1.0, 2.0, 3.0), 0.0}, {GammaPdf(1.0, 1.0, 2.0, 3.0), 0.0},
        {GammaPdf(1.0, 1.0, 2.0, 1.0), 0.5}, {GammaPdf(1.0, 1.0, 2.0, 40.0), 0.0},
        {LognormalCdf(0.0, 1.0, 2.0), 0.0},
        {LognormalPdf(0.0, 1.0, 2.0), 0.0}, {NormalCdf(3.0, 3.0, 0.5), 0.5},
        {RayleighCdf(0.0, 2.0), 0.0}, {RayleighPdf(-1.0, 2.0), 0.0},
        {StudentTCdf(2.0, 2.0, 3.0, 5), 0.5}, {UniformCdf(-4.0, -3.0, 5.0), 0.0},
        {UniformCdf(6.0, -3.0, 5.0), 1.0}, {UniformCdf(5.0, -3.0, 5.0), 1.0},
        {UniformPdf(-3.0, -3.0, 5.0), 0.125}, {UniformPdf(5.0, -3.0, 5.0), 0.125},
        {UniformPdf(5.1, -3.0, 5.0), 0.0}, {WeibullCdf(1.0, 1.0, 2.0, 3.0), 0.0},
        {WeibullPdf(0.0, 1.0, 2.0, 0.5), 0.0}, {WeibullPdf(1.0, 1.0, 1.0, 1.0), 1.0},
        {WeibullPdf(1.0, 1.0, 2.0, 3.0), 0.0},
        // Closed-form quantiles.
        {CauchyQuantile(0.5, 4.0, 2.0), 4.0}, {ExponentialQuantile(0.0, 2.0, 3.0).value(), 2.0},
        {LognormalQuantile(0.5, 1.5, 2.0).value(), std::exp(1.5)},
        {NormalQuantile(0.5, -7.0, 3.0).value(), -7.0}, {RayleighQuantile(0.0, 2.0).value(), 0.0},
        {UniformQuantile(0.25, -3.0, 5.0).value(), -1.0},
        {UniformQuantile(1.0, -3.0, 5.0).value(), 5.0}, {WeibullQuantile(0.0, 1.5, 2.0, 3.0), 1.5}};
    // clang-format on
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    }
    // With the short pi the Cauchy ends stay finite, far out and of opposite signs.
    EXPECT_LT(CauchyQuantile(0.0, 0.0, 1.0), -1e13);
    EXPECT_GT(CauchyQuantile(1.0, 0.0, 1.0), 1e13);
}

TEST(ContinuousNoValue, UndefinedMomentsAndLevelsGiveNoValue) {
    // clang-format off
    const std::vector<std::optional<double>> cases = {
        CauchyVariance(0.0, 1.0), ExponentialQuantile(-0.1, 0.0, 1.0),
        ExponentialQuantile(1.1, 0.0, 1.0), LognormalQuantile(-0.5, 0.0, 1.0),
        LognormalQuantile(1.5, 0.0, 1.0), NormalQuantile(-0.5, 0.0, 1.0),
        NormalQuantile(1.5, 0.0, 1.0), RayleighQuantile(-0.5, 1.0), RayleighQuantile(2.0, 1.0),
        UniformQuantile(-1e-9, 0.0, 1.0), UniformQuantile(1.5, 0.0, 1.0), FCdf(1.0, 0, 4),
        FCdf(1.0, 3, 0), FPdf(1.0, -1, 4), FMean(3, 2), FMean(0, 10), FVariance(3, 4),
        StudentTVariance(0.0, 1.0, 2)};
    // clang-format on
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_FALSE(cases[i].has_value()) << "case " << i;
    }
}

// The faults that accepted input reaches, and NaN reaching a series or continued fraction.
TEST(ContinuousFaults, FaultCases) {
    // clang-format off
    const std::vector<std::function<void()>> cases = {
        [] { BetaPdf(0.0, 0.5, 2.0); }, [] { BetaPdf(1.0, 2.0, 0.5); },
        [] { ChiSquarePdf(0.0, 1); }, [] { GammaPdf(1e-320, 0.0, 1.0, 0.01); },
        [] { GammaPdf(1.0, 1.0, 2.0, 0.5); },
        [] { GammaPdf(1.0, 0.0, 1.0, 1e37); }, [] { (void)FPdf(0.0, 1, 5); },
        [] { WeibullMean(0.0, 1.0, 0.005); }, [] { WeibullPdf(1.0, 1.0, 2.0, 0.5); },
        [] { (void)ExponentialQuantile(1.0, 0.0, 1.0); }, [] { (void)RayleighQuantile(1.0, 1.0); },
        [] { WeibullQuantile(1.0, 0.0, 1.0, 2.0); }, [] { WeibullQuantile(1.5, 0.0, 1.0, 2.0); },
        [] { (void)NormalQuantile(0.0, 0.0, 1.0); }, [] { (void)NormalQuantile(1.0, 0.0, 1.0); },
        [] { (void)LognormalQuantile(0.0, 0.0, 1.0); },
        [] { (void)LognormalQuantile(1.0, 0.0, 1.0); },
        [] { BetaCdf(kNaN, 2.0, 3.0); }, [] { BetaCdf(0.5, kNaN, 3.0); },
        [] { ChiSquareCdf(kNaN, 3); }, [] { GammaCdf(kNaN, 0.0, 1.0, 2.0); },
        [] { GammaCdf(5.0, 0.0, 1.0, kNaN); }, [] { (void)FCdf(kNaN, 3, 4); },
        [] { StudentTCdf(kNaN, 0.0, 1.0, 5); }};
    // clang-format on
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_THROW(cases[i](), ArithmeticFault) << "case " << i;
    }
}

} // namespace
} // namespace kelvora
