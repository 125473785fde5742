// Sampling and the range rule.
#include "distributions/accurate.hpp"
#include "distributions/hazard.hpp"
#include "registry/registry.hpp"
#include "sampling/plot_samples.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
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
// from 1); their values are checked bit for bit below.
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
}

TEST(SampleCurves, InvalidParametersFailWithNewPositionsAndEveryOtherArrayUntouched) {
    // The parameter checks themselves are the result calculation's; here what a failed
    // sampling leaves behind.
    const std::pair<Id, Texts> cases[] = {{Id::Uniform, {"2", "2", ""}},
                                          {Id::Hypergeometric, {"100", "5", "6"}},
                                          {Id::Binomial, {"40000", "0.5", ""}},
                                          {Id::Normal, {"1e999", "1", ""}}};
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

// The sampling, which evaluates each distribution with its parameters fixed, shares work between
// the points and the tails and walks the discrete sums, against the result calculation's
// routines called afresh at every sample, bit for bit (tests/data/sampling_cases.tsv): faults and
// the accurate fallbacks of the continuous ones, ranges running downwards and beyond the support.
TEST(Sampling, EqualsTheRoutinesCalledAtEverySample) {
    std::ifstream in(KELVORA_SAMPLING_CASES);
    ASSERT_TRUE(in) << KELVORA_SAMPLING_CASES;
    const auto rows = DistributionRows();
    int compared = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::array<std::string, 6> f;
        for (std::string& field : f) {
            std::getline(fields, field, '\t');
        }
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const DistributionRow& r) { return r.key == f[0]; });
        ASSERT_NE(row, rows.end()) << line;
        const Id id = row->id;
        PlotSamples s;
        CurveExtremes e;
        ASSERT_TRUE(SampleCurves(id, {f[1], f[2], f[3]}, std::stod(f[4]), std::stod(f[5]), s, e))
            << line;
        const DistributionParameters p = *ReadParameters(id, f[1], f[2], f[3]);
        // A routine's value, else (continuous only) its accurate form's, else left out.
        const auto sample = [&](auto routine, auto accurate) {
            double v = std::nan("");
            try {
                v = routine().value_or(v);
            } catch (const ArithmeticFault&) {
            }
            if (std::isfinite(v) || IsDiscrete(id)) {
                return std::isfinite(v) ? v : std::nan("");
            }
            return std::isfinite(accurate()) ? accurate() : std::nan("");
        };
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            const double x = s.X[i];
            const double cdf =
                sample([&] { return Cumulative(p, x); }, [&] { return AccurateLower(p, x); });
            const double pdf =
                sample([&] { return Density(p, x); }, [&] { return AccurateDensity(p, x); });
            const double hazard = IsDiscrete(id) ? s.Hazard[i]
                                                 : sample([&] { return Hazard(p, x, pdf, cdf); },
                                                          [&] { return AccurateHazard(p, x); });
            ASSERT_TRUE(Same(s.Cdf[i], cdf) && Same(s.Pdf[i], pdf) && Same(s.Hazard[i], hazard))
                << line << " sample " << i << ": " << s.Cdf[i] << " " << s.Pdf[i] << " "
                << s.Hazard[i] << " vs " << cdf << " " << pdf << " " << hazard;
        }
        ++compared;
    }
    EXPECT_GT(compared, 40);
}

} // namespace
} // namespace kelvora
