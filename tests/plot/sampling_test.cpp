// Sampling, the range rule and the running sums of the discrete sampling.
#include "distributions/accurate.hpp"
#include "distributions/discrete.hpp"
#include "distributions/hazard.hpp"
#include "distributions/log_factorial_table.hpp"
#include "registry/registry.hpp"
#include "sampling/plot_samples.hpp"
#include "specfun/gamma_family.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace kelvora {
namespace {

using Id = DistributionId;
using Texts = ParameterTexts;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Equal bits, or both left out.
bool Same(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Case {
    Id id;
    Texts texts;
    double XMin;
    double XMax;
};

std::string Name(const Case& c) {
    return "id " + std::to_string(static_cast<int>(c.id)) + " (" + std::string(c.texts.text1) +
           ", " + std::string(c.texts.text2) + ", " + std::string(c.texts.text3) + ") over [" +
           std::to_string(c.XMin) + ", " + std::to_string(c.XMax) + ")";
}

TEST(PlotRange, FollowsEachDistributionsRule) {
    // Fixed ranges ignore their fields, even unreadable ones; Binomial takes n as typed, without
    // the floor the sampling applies.
    // clang-format off
    const Case cases[] = {
        {Id::Beta, {"2", "3", ""}, 0.001, 1.0}, {Id::Binomial, {"10.7", "0.5", ""}, 0.0, 10.7},
        {Id::Cauchy, {"1", "2", ""}, -29.0, 31.0}, {Id::ChiSquare, {"1e999", "", ""}, 0.001, 10.0},
        {Id::Exponential, {"3", "", ""}, 0.001, 6.0}, {Id::F, {"4", "9", ""}, 0.001, 15.0},
        {Id::Gamma, {"2", "3", ""}, 0.001, 27.0}, {Id::Geometric, {"0.25", "", ""}, 0.001, 28.0},
        {Id::Hypergeometric, {"100", "50", "10"}, 0.001, 10.0},
        {Id::Lognormal, {"1", "1", ""}, 0.001, 5.0}, {Id::Normal, {"10", "2", ""}, 4.0, 16.0},
        {Id::Poisson, {"10", "", ""}, 0.0, 20.0}, {Id::Rayleigh, {"1.5", "", ""}, 0.0, 6.0},
        {Id::StudentT, {"7", "", ""}, -20.0, 20.0}, {Id::Uniform, {"3", "-1", ""}, 3.0, -1.0},
        {Id::Weibull, {"1", "2", ""}, 0.001, 2.0}, {Id::Binomial, {"", "", ""}, 0.0, 0.0},
        {Id::Geometric, {"0", "", ""}, 0.001, kInf}};
    // clang-format on
    for (const Case& c : cases) {
        PlotRange range;
        ASSERT_TRUE(ChoosePlotRange(c.id, c.texts, range)) << Name(c);
        EXPECT_EQ(range.XMin, c.XMin) << Name(c);
        EXPECT_EQ(range.XMax, c.XMax) << Name(c);
    }
    for (const Id id : {Id::Binomial, Id::Cauchy, Id::Gamma, Id::Normal, Id::Uniform}) {
        PlotRange range{1.0, 2.0};
        const Texts texts = id == Id::Binomial ? Texts{"1e999", "1", ""} : Texts{"1", "-1e999", ""};
        EXPECT_FALSE(ChoosePlotRange(id, texts, range)) << static_cast<int>(id);
        EXPECT_EQ(range.XMin, 1.0);
        EXPECT_EQ(range.XMax, 2.0);
    }
}

TEST(SampleCurves, BetaPositionsStepFromXMinAndStopOneStepShortOfXMax) {
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Beta, {"0.5", "0.5", ""}, 0.001, 1.0, s, e));
    EXPECT_EQ(s.X[0], 0.001);
    EXPECT_DOUBLE_EQ(s.X[1] - s.X[0], 0.001998);
    EXPECT_DOUBLE_EQ(s.X[499], 0.998002);
    for (auto* a : {&s.X, &s.Pdf, &s.Cdf, &s.Survival, &s.Hazard}) {
        EXPECT_EQ((*a)[500], 0.0);
    }
}

// The samples step through k from the first to the last of the range (Geometric counts trials
// from 1); the masses of the others are checked bit for bit below.
TEST(SampleCurves, DiscreteSamplesRunFromTheFirstToTheLastKAndLeaveTheHazard) {
    const std::pair<Case, std::pair<int, int>> cases[] = {
        {{Id::Binomial, {"10", "0.5", ""}, 0.0, 10.0}, {0, 9}},
        {{Id::Geometric, {"0.5", "", ""}, 0.001, 14.0}, {1, 14}},
        {{Id::Poisson, {"3", "", ""}, 0.0, 6.0}, {0, 5}},
        {{Id::Hypergeometric, {"100", "50", "10"}, 0.001, 10.0}, {0, 9}}};
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Normal, {"0", "1", ""}, -3.0, 3.0, s, e));
    const auto hazard = s.Hazard;
    for (const auto& [c, ks] : cases) {
        ASSERT_TRUE(SampleCurves(c.id, c.texts, c.XMin, c.XMax, s, e));
        // A discrete sampling leaves the hazard as the previous call wrote it.
        for (std::size_t i = 0; i < kSampleArraySize; ++i) {
            ASSERT_TRUE(Same(s.Hazard[i], hazard[i])) << Name(c);
        }
        const int shift = c.id == Id::Geometric ? 1 : 0;
        EXPECT_EQ(static_cast<int>(std::floor(s.X[0])) + shift, ks.first) << Name(c);
        EXPECT_EQ(static_cast<int>(std::floor(s.X[499])) + shift, ks.second) << Name(c);
    }
    ASSERT_TRUE(SampleCurves(Id::Geometric, {"0.5", "", ""}, 0.001, 14.0, s, e));
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const auto k = static_cast<Int16>(std::floor(s.X[i]) + 1);
        ASSERT_EQ(s.Pdf[i], GeometricPmf(k, 0.5)) << i;
    }
}

TEST(SampleCurves, InvalidParametersFailWithNewPositionsAndEveryOtherArrayUntouched) {
    // The last five are checks beyond the table of validity: F below 1, Exponential rate 0, a
    // negative Binomial n, a count beyond 16 bits and a number beyond the double range.
    // clang-format off
    const std::pair<Id, Texts> cases[] = {
        {Id::Uniform, {"2", "2", ""}},     {Id::Exponential, {"-1", "", ""}},
        {Id::Normal, {"0", "0", ""}},      {Id::StudentT, {"0.9", "", ""}},
        {Id::Binomial, {"10", "1", ""}},   {Id::Hypergeometric, {"100", "5", "6"}},
        {Id::F, {"0.5", "3", ""}},         {Id::Exponential, {"0", "", ""}},
        {Id::Binomial, {"-3", "0.5", ""}}, {Id::Binomial, {"40000", "0.5", ""}},
        {Id::Normal, {"1e999", "1", ""}}};
    // clang-format on
    for (const auto& [id, texts] : cases) {
        PlotSamples s;
        for (auto* a : {&s.X, &s.Pdf, &s.Cdf, &s.Survival, &s.Hazard}) {
            a->fill(7.0);
        }
        CurveExtremes e;
        e.MaxPdf = 5.0;
        EXPECT_FALSE(SampleCurves(id, texts, 0.0, 5.0, s, e)) << static_cast<int>(id);
        EXPECT_EQ(s.X[0], 0.0);
        EXPECT_EQ(s.X[499], 4.99);
        for (auto* a : {&s.Pdf, &s.Cdf, &s.Survival, &s.Hazard}) {
            ASSERT_EQ(std::count(a->begin(), a->end(), 7.0), static_cast<long>(a->size()));
        }
        EXPECT_EQ(e.MaxPdf, -999999.0);
        EXPECT_EQ(e.MinHazard, 999999.0);
    }
    PlotSamples s;
    CurveExtremes e;
    EXPECT_TRUE(SampleCurves(Id::Binomial, {"0", "0.5", ""}, 0.0, 0.0, s, e));
    EXPECT_EQ(s.Cdf[0], 1.0);
}

// At exactly 0 Beta, ChiSquare and F take the density's right-hand limit without calling their
// routines: left out where it is infinite, finite or 0 elsewhere.
TEST(SampleCurves, ZeroPointRuleGivesTheRightHandLimit) {
    const std::array<std::tuple<Id, const char*, double>, 5> cases = {{{Id::Beta, "0.5", kNaN},
                                                                       {Id::Beta, "1", 2.0},
                                                                       {Id::ChiSquare, "1", kNaN},
                                                                       {Id::ChiSquare, "2", 0.5},
                                                                       {Id::F, "3", 0.0}}};
    for (const auto& [id, shape, limit] : cases) {
        PlotSamples s;
        CurveExtremes e;
        ASSERT_TRUE(SampleCurves(id, {shape, "2", ""}, 0.0, 1.0, s, e));
        EXPECT_TRUE(Same(s.Pdf[0], limit)) << shape;
        EXPECT_TRUE(Same(s.Hazard[0], limit)) << shape;
        EXPECT_EQ(s.Cdf[0], 0.0);
        EXPECT_EQ(s.Survival[0], 1.0);
        EXPECT_GT(s.Pdf[1], 0.0);
    }
}

// Each extreme is the largest (smallest) finite sample of its series: a left-out sample (NaN)
// is never an extreme.
TEST(SampleCurves, ExtremesAreAttainedByFiniteSamples) {
    const Case cases[] = {{Id::Normal, {"0", "1", ""}, -3.0, 3.0},
                          {Id::Beta, {"2", "5", ""}, 0.001, 1.0},
                          // the upper samples have survival 0 and no hazard
                          {Id::Exponential, {"1000", "", ""}, 0.001, 6.0},
                          {Id::Binomial, {"10", "0.3", ""}, 0.0, 10.0},
                          {Id::Poisson, {"700", "", ""}, 0.0, 1400.0}};
    for (const Case& c : cases) {
        PlotSamples s;
        CurveExtremes e;
        ASSERT_TRUE(SampleCurves(c.id, c.texts, c.XMin, c.XMax, s, e));
        const auto extreme = [](const auto& values, double sign) {
            double m = -kInf;
            for (std::size_t i = 0; i < kSampleCount; ++i) {
                m = std::isnan(values[i]) ? m : std::max(m, sign * values[i]);
            }
            return sign * m;
        };
        EXPECT_EQ(e.MaxPdf, extreme(s.Pdf, 1.0)) << Name(c);
        EXPECT_EQ(e.MaxCdf, extreme(s.Cdf, 1.0)) << Name(c);
        EXPECT_EQ(e.MaxSurvival, extreme(s.Survival, 1.0)) << Name(c);
        if (!IsDiscrete(c.id)) {
            EXPECT_EQ(e.MaxHazard, extreme(s.Hazard, 1.0)) << Name(c);
            EXPECT_EQ(e.MinHazard, extreme(s.Hazard, -1.0)) << Name(c);
        }
    }
}

// Beyond the top of the support there is no hazard; where the density and the survival both
// underflow it keeps its value, and where only 1 - F rounds to 0 it divides by the upper tail.
TEST(SampleCurves, HazardIsLeftOutOnlyWhereSurvivalIsZero) {
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Uniform, {"0", "1", ""}, 0.0, 2.0, s, e));
    EXPECT_EQ(s.Survival[499], 0.0);
    EXPECT_TRUE(std::isnan(s.Hazard[499]));
    EXPECT_TRUE(std::isfinite(s.Hazard[0]));
    ASSERT_TRUE(SampleCurves(Id::Exponential, {"1000", "", ""}, 0.001, 6.0, s, e));
    EXPECT_EQ(s.Pdf[499], 0.0);
    EXPECT_NEAR(s.Hazard[499], 1000.0, 1e-9);
    ASSERT_TRUE(SampleCurves(Id::Exponential, {"10", "", ""}, 0.001, 6.0, s, e));
    ASSERT_EQ(s.Survival[499], 0.0);
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        EXPECT_NEAR(s.Hazard[i], 10.0, 1e-9) << s.X[i];
    }
}

// Ranges reaching far beyond 32767 (up to 1e300 for a rate of 5e299) keep every sample.
TEST(SampleCurves, PositionsFarAlongTheRangeHaveValues) {
    for (const auto& [id, p] : {std::pair{Id::Poisson, "40000"},
                                {Id::Poisson, "5e299"},
                                {Id::Geometric, "1e-4"},
                                {Id::Geometric, "1e-300"}}) {
        PlotSamples s;
        CurveExtremes e;
        PlotRange range;
        ASSERT_TRUE(ChoosePlotRange(id, {p, "", ""}, range));
        ASSERT_TRUE(SampleCurves(id, {p, "", ""}, range.XMin, range.XMax, s, e));
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            ASSERT_TRUE(std::isfinite(s.Pdf[i]) && std::isfinite(s.Cdf[i])) << p << " " << i;
        }
        EXPECT_GT(s.Cdf[499], 0.99) << p;
    }
}

// The continuous sampling, which evaluates each distribution with its parameters fixed and shares
// work between the points and the tails, against the result calculation's routines called afresh
// at every sample, bit for bit: faults and the accurate fallbacks (lower ends of Gamma and
// Weibull below shape 1), the hazard's upper tail (t, Gamma, normal, Cauchy far out), the
// logarithmic forms of large shapes, and points beyond the support.
TEST(ContinuousSampling, EqualsTheRoutinesCalledAtEverySample) {
    // clang-format off
    const Case cases[] = {
        {Id::Beta, {"0.5", "0.5", ""}, 0.001, 1}, {Id::Beta, {"300", "2", ""}, 0.001, 1.5},
        {Id::Cauchy, {"0", "1", ""}, -1e6, 1e6}, {Id::ChiSquare, {"100", "", ""}, 0.001, 400},
        {Id::Exponential, {"10", "", ""}, -1, 6}, {Id::F, {"1", "1", ""}, 0.001, 15},
        {Id::F, {"200", "300", ""}, 0.001, 3}, {Id::Gamma, {"1", "50", ""}, 0.001, 400},
        {Id::Gamma, {"2", "0.5", ""}, 0, 40}, {Id::Lognormal, {"0", "1", ""}, 0.001, 50},
        {Id::Normal, {"0", "1", ""}, -40, 40}, {Id::Rayleigh, {"1", "", ""}, 0, 40},
        {Id::StudentT, {"200", "", ""}, -20, 20}, {Id::StudentT, {"3", "", ""}, 30, -30},
        {Id::Uniform, {"0", "1", ""}, -1, 2}, {Id::Weibull, {"1", "0.5", ""}, 0, 30}};
    // clang-format on
    const auto sample = [](auto routine, auto accurate) {
        double v = std::nan("");
        try {
            v = routine().value_or(v);
        } catch (const ArithmeticFault&) {
        }
        return std::isfinite(v) ? v : (std::isfinite(accurate()) ? accurate() : std::nan(""));
    };
    for (const Case& c : cases) {
        PlotSamples s;
        CurveExtremes e;
        ASSERT_TRUE(SampleCurves(c.id, c.texts, c.XMin, c.XMax, s, e)) << Name(c);
        const DistributionParameters p = *ReadParameters(c.id, c.texts.text1, c.texts.text2, "");
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            const double x = s.X[i];
            const double cdf =
                sample([&] { return Cumulative(p, x); }, [&] { return AccurateLower(p, x); });
            const double pdf =
                sample([&] { return Density(p, x); }, [&] { return AccurateDensity(p, x); });
            const double hazard = sample([&] { return Hazard(p, x, pdf, cdf); },
                                         [&] { return AccurateHazard(p, x); });
            ASSERT_TRUE(Same(s.Cdf[i], cdf) && Same(s.Pdf[i], pdf) && Same(s.Hazard[i], hazard))
                << Name(c) << " sample " << i << ": " << s.Cdf[i] << " " << s.Pdf[i] << " "
                << s.Hazard[i] << " vs " << cdf << " " << pdf << " " << hazard;
        }
    }
}

template <typename Routine> double Direct(Routine routine) {
    try {
        const double v = routine();
        return std::isfinite(v) ? v : std::nan("");
    } catch (const ArithmeticFault&) {
        return std::nan("");
    }
}

// The running sums against the routines called at every sample, bit for bit. Ranges run upwards
// as the graph's do, downwards (XMax below XMin, which restarts the sums) and beyond the
// support. Binomial n = 1029 is the largest n whose coefficients all stay finite; from 1030 the
// middle terms come from logarithms. Poisson rates above 708.4 start their sums below the mean;
// a sum that has settled serves every later count; rates of 40000 and 1e6 sum nothing.
// Hypergeometric with n + K > M starts at its lowest support point; 30000/20000/20000 starts in
// logarithms.
TEST(IncrementalSampling, EqualsTheRoutinesCalledAtEverySample) {
    constexpr Id B = Id::Binomial, P = Id::Poisson, H = Id::Hypergeometric;
    // clang-format off
    const Case cases[] = {
        {B, {"10", "0.5", ""}, 0, 10}, {B, {"10", "0.3", ""}, -3, 14}, {B, {"50", "0.5", ""}, 60, -5},
        {B, {"1029", "0.7", ""}, 0, 1029}, {B, {"1030", "0.5", ""}, 0, 1030},
        {B, {"32767", "0.5", ""}, 0, 32767}, {B, {"7", "1e-300", ""}, 0, 7}, {B, {"0", "0.5", ""}, -1, 1},
        {P, {"10", "", ""}, 0, 20}, {P, {"0.001", "", ""}, 0, 0.002}, {P, {"700", "", ""}, 0, 1400},
        {P, {"708.5", "", ""}, 0, 1417}, {P, {"20000", "", ""}, 0, 40000},
        {P, {"20000", "", ""}, 21000, 18000}, {P, {"1e6", "", ""}, 0, 32767},
        {P, {"5000", "", ""}, 32000, 32768}, {P, {"30000", "", ""}, 25000, 1e6},
        {P, {"10", "", ""}, -5, 1e300}, {P, {"40000", "", ""}, 0, 80000},
        {B, {"10", "0.5", ""}, -40000, 40000}, {H, {"100", "50", "10"}, 0.001, 10},
        {H, {"10", "8", "5"}, 0.001, 10}, {H, {"40", "30", "25"}, 40, -3},
        {H, {"30000", "20000", "20000"}, 9990, 14000}, {H, {"30000", "15000", "1000"}, 0, 1000},
        {H, {"32767", "2", "1"}, 0.001, 10}};
    // clang-format on
    for (const Case& c : cases) {
        PlotSamples s;
        CurveExtremes e;
        ASSERT_TRUE(SampleCurves(c.id, c.texts, c.XMin, c.XMax, s, e)) << Name(c);
        const double p1 = std::stod(std::string(c.texts.text1));
        const double p2 = c.texts.text2.empty() ? 0.0 : std::stod(std::string(c.texts.text2));
        const double p3 = c.texts.text3.empty() ? 0.0 : std::stod(std::string(c.texts.text3));
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            double pmf = std::nan("");
            double cdf = std::nan("");
            try {
                const double k = std::floor(s.X[i]);
                if (c.id == Id::Binomial) {
                    const Int16 n = Floor16(p1);
                    pmf = Direct([&] { return BinomialPmf(k, n, p2); });
                    cdf = Direct([&] { return BinomialCdf(k, n, p2); });
                } else if (c.id == Id::Poisson) {
                    pmf = Direct([&] { return PoissonPmf(k, p1); });
                    cdf = Direct([&] { return PoissonCdf(k, p1); });
                } else {
                    const Int16 M = Nearest16(p1);
                    const Int16 K = Nearest16(p2);
                    const Int16 n = Nearest16(p3);
                    pmf = Direct([&] { return HypergeometricPmf(k, n, K, M); });
                    cdf = Direct([&] { return HypergeometricCdf(k, n, K, M); });
                }
            } catch (const ArithmeticFault&) {
            }
            ASSERT_TRUE(Same(s.Cdf[i], cdf))
                << Name(c) << " sample " << i << ": " << s.Cdf[i] << " vs " << cdf;
            ASSERT_TRUE(Same(s.Pdf[i], pmf))
                << Name(c) << " sample " << i << ": " << s.Pdf[i] << " vs " << pmf;
        }
    }
}

TEST(LogFactorialTable, ReadsOffLogFactorialBitForBit) {
    LogFactorialTable table;
    const Int16 arguments[] = {-5, 0, 1, 2, 170, 1000, 1000, 29000, 32767};
    for (const Int16 n : arguments) {
        ASSERT_TRUE(table.Request(n));
    }
    table.Compute();
    for (const Int16 n : arguments) {
        EXPECT_TRUE(Same(table(n), LogFactorial(n))) << n;
    }
    // Not requested: handed on to LogFactorial.
    EXPECT_TRUE(Same(table(12345), LogFactorial(12345)));
}

} // namespace
} // namespace kelvora
