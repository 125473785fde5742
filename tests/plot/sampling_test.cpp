#include "dist/discrete.hpp"
#include "plot/plot_samples.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kelvora {
namespace {

using Id = DistributionId;

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every entry of an array set to one recognisable value.
void FillAll(PlotSamples& s, double v) {
    for (auto* a : {&s.X, &s.Pdf, &s.Cdf, &s.Survival, &s.Hazard}) {
        a->fill(v);
    }
}

TEST(SampleCurves, BetaPositionsStepFromXMinAndStopOneStepShortOfXMax) {
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Beta, {"0.5", "0.5", ""}, 0.001, 1.0, s, e));
    EXPECT_DOUBLE_EQ(s.X[1] - s.X[0], 0.001998);
    EXPECT_EQ(s.X[0], 0.001);
    EXPECT_DOUBLE_EQ(s.X[499], 0.998002);
    for (auto* a : {&s.X, &s.Pdf, &s.Cdf, &s.Survival, &s.Hazard}) {
        EXPECT_EQ((*a)[500], 0.0);
    }
}

struct KRangeCase {
    Id id;
    ParameterTexts texts;
    double XMin;
    double XMax;
    int firstK;
    int lastK;
};

void PrintTo(const KRangeCase& c, std::ostream* os) {
    *os << "id " << static_cast<int>(c.id) << " over [" << c.XMin << ", " << c.XMax << ")";
}

double MassAt(Id id, int k, const ParameterTexts& t) {
    const auto k16 = static_cast<Int16>(k);
    switch (id) {
    case Id::Binomial:
        return BinomialPmf(k16, static_cast<Int16>(std::stoi(std::string(t.text1))),
                           std::stod(std::string(t.text2)));
    case Id::Geometric:
        return GeometricPmf(k16, std::stod(std::string(t.text1)));
    case Id::Poisson:
        return PoissonPmf(k16, std::stod(std::string(t.text1)));
    default:
        return HypergeometricPmf(k16, static_cast<Int16>(std::stoi(std::string(t.text3))),
                                 static_cast<Int16>(std::stoi(std::string(t.text2))),
                                 static_cast<Int16>(std::stoi(std::string(t.text1))));
    }
}

class DiscreteKRange : public ::testing::TestWithParam<KRangeCase> {};

// Every sample holds the mass at its k; the k run from firstK to lastK without a gap.
TEST_P(DiscreteKRange, SamplesEveryKOfTheRangeAndNoOther) {
    const KRangeCase& c = GetParam();
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(c.id, c.texts, c.XMin, c.XMax, s, e));
    const int shift = c.id == Id::Geometric ? 1 : 0;
    int previous = c.firstK;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const int k = static_cast<int>(std::floor(s.X[i])) + shift;
        ASSERT_TRUE(k == previous || k == previous + 1) << "sample " << i;
        ASSERT_EQ(s.Pdf[i], MassAt(c.id, k, c.texts)) << "sample " << i;
        previous = k;
    }
    EXPECT_EQ(static_cast<int>(std::floor(s.X[0])) + shift, c.firstK);
    EXPECT_EQ(previous, c.lastK);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, DiscreteKRange,
    ::testing::Values(KRangeCase{Id::Binomial, {"10", "0.5", ""}, 0.0, 10.0, 0, 9},
                      KRangeCase{Id::Geometric, {"0.5", "", ""}, 0.001, 14.0, 1, 14},
                      KRangeCase{Id::Poisson, {"3", "", ""}, 0.0, 6.0, 0, 5},
                      KRangeCase{Id::Hypergeometric, {"100", "50", "10"}, 0.001, 10.0, 0, 9}));

struct InvalidCase {
    Id id;
    ParameterTexts texts;
};

void PrintTo(const InvalidCase& c, std::ostream* os) {
    *os << "id " << static_cast<int>(c.id) << " (\"" << c.texts.text1 << "\", \"" << c.texts.text2
        << "\", \"" << c.texts.text3 << "\")";
}

class InvalidParameters : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidParameters, FailWithNewPositionsAndEveryOtherArrayUntouched) {
    const InvalidCase& c = GetParam();
    PlotSamples s;
    FillAll(s, 7.0);
    CurveExtremes e;
    e.MaxPdf = 5.0;
    EXPECT_FALSE(SampleCurves(c.id, c.texts, 0.0, 5.0, s, e));
    EXPECT_EQ(s.X[0], 0.0);
    EXPECT_EQ(s.X[499], 4.99);
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        ASSERT_EQ(s.Pdf[i], 7.0);
        ASSERT_EQ(s.Cdf[i], 7.0);
        ASSERT_EQ(s.Survival[i], 7.0);
        ASSERT_EQ(s.Hazard[i], 7.0);
    }
    EXPECT_EQ(e.MaxPdf, -999999.0);
    EXPECT_EQ(e.MinHazard, 999999.0);
}

// The last five are the checks shared with the result calculation beyond the table of
// validity: F below 1, Exponential rate 0, a negative Binomial n, a count beyond 16 bits and a
// number beyond the double range.
INSTANTIATE_TEST_SUITE_P(Sets, InvalidParameters,
                         ::testing::Values(InvalidCase{Id::Uniform, {"2", "2", ""}},
                                           InvalidCase{Id::Exponential, {"-1", "", ""}},
                                           InvalidCase{Id::Normal, {"0", "0", ""}},
                                           InvalidCase{Id::StudentT, {"0.9", "", ""}},
                                           InvalidCase{Id::Binomial, {"10", "1", ""}},
                                           InvalidCase{Id::Hypergeometric, {"100", "5", "6"}},
                                           InvalidCase{Id::F, {"0.5", "3", ""}},
                                           InvalidCase{Id::Exponential, {"0", "", ""}},
                                           InvalidCase{Id::Binomial, {"-3", "0.5", ""}},
                                           InvalidCase{Id::Binomial, {"40000", "0.5", ""}},
                                           InvalidCase{Id::Normal, {"1e999", "1", ""}}));

TEST(SampleCurves, BinomialWithNoTrialsIsValid) {
    PlotSamples s;
    CurveExtremes e;
    EXPECT_TRUE(SampleCurves(Id::Binomial, {"0", "0.5", ""}, 0.0, 0.0, s, e));
    EXPECT_EQ(s.Cdf[0], 1.0);
}

TEST(SampleCurves, DiscreteDistributionsLeaveHazardAsThePreviousCallWroteIt) {
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Normal, {"0", "1", ""}, -3.0, 3.0, s, e));
    const auto hazard = s.Hazard;
    for (const auto& [id, texts] : {std::pair{Id::Binomial, ParameterTexts{"10", "0.5", ""}},
                                    std::pair{Id::Geometric, ParameterTexts{"0.5", "", ""}},
                                    std::pair{Id::Hypergeometric, ParameterTexts{"10", "5", "5"}},
                                    std::pair{Id::Poisson, ParameterTexts{"4", "", ""}}}) {
        ASSERT_TRUE(SampleCurves(id, texts, 0.001, 10.0, s, e));
        for (std::size_t i = 0; i < kSampleArraySize; ++i) {
            ASSERT_TRUE(SameBits(s.Hazard[i], hazard[i])) << "id " << static_cast<int>(id);
        }
    }
}

TEST(SampleCurves, ZeroPointRuleAppliesAtExactlyZeroForBetaChiSquareAndF) {
    for (const Id id : {Id::Beta, Id::ChiSquare, Id::F}) {
        PlotSamples s;
        CurveExtremes e;
        // Beta a = 0.5 and ChiSquare n = 1 have a pole at 0.
        const char* shape = id == Id::Beta ? "0.5" : "1";
        ASSERT_TRUE(SampleCurves(id, {shape, shape, ""}, 0.0, 1.0, s, e));
        EXPECT_EQ(s.Pdf[0], 0.0);
        EXPECT_EQ(s.Cdf[0], 0.0);
        EXPECT_EQ(s.Survival[0], 1.0);
        EXPECT_EQ(s.Hazard[0], 0.0);
        EXPECT_GT(s.Pdf[1], 0.0);
    }
}

struct ExtremesCase {
    Id id;
    ParameterTexts texts;
    double XMin;
    double XMax;
};

void PrintTo(const ExtremesCase& c, std::ostream* os) {
    *os << "id " << static_cast<int>(c.id) << " (\"" << c.texts.text1 << "\", \"" << c.texts.text2
        << "\")";
}

class Extremes : public ::testing::TestWithParam<ExtremesCase> {};

// Each maximum bounds its finite samples and is one of them; likewise the hazard minimum. A
// left-out sample (NaN) is never an extreme.
TEST_P(Extremes, AreAttainedByFiniteSamples) {
    const ExtremesCase& c = GetParam();
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(c.id, c.texts, c.XMin, c.XMax, s, e));
    const bool continuous = !IsDiscrete(c.id);
    struct Series {
        const std::array<double, kSampleArraySize>& values;
        double extreme;
        bool isMax;
    };
    std::vector<Series> series = {
        {s.Pdf, e.MaxPdf, true}, {s.Cdf, e.MaxCdf, true}, {s.Survival, e.MaxSurvival, true}};
    if (continuous) {
        series.push_back({s.Hazard, e.MaxHazard, true});
        series.push_back({s.Hazard, e.MinHazard, false});
    }
    for (const Series& x : series) {
        ASSERT_TRUE(std::isfinite(x.extreme));
        bool attained = false;
        for (std::size_t i = 0; i < kSampleCount; ++i) {
            const double v = x.values[i];
            if (std::isnan(v)) {
                continue;
            }
            EXPECT_TRUE(x.isMax ? v <= x.extreme : v >= x.extreme) << i;
            attained = attained || v == x.extreme;
        }
        EXPECT_TRUE(attained);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Extremes,
    ::testing::Values(ExtremesCase{Id::Normal, {"0", "1", ""}, -3.0, 3.0},
                      ExtremesCase{Id::Gamma, {"1", "3", ""}, 0.001, 24.0},
                      ExtremesCase{Id::Beta, {"2", "5", ""}, 0.001, 1.0},
                      // the upper samples have survival 0 and no hazard
                      ExtremesCase{Id::Exponential, {"1000", "", ""}, 0.001, 6.0},
                      ExtremesCase{Id::Uniform, {"0", "1", ""}, 0.0, 1.0},
                      ExtremesCase{Id::Binomial, {"10", "0.3", ""}, 0.0, 10.0},
                      ExtremesCase{Id::Poisson, {"700", "", ""}, 0.0, 1400.0}));

// Beyond the top of the support, and where the density and the survival both underflow, there
// is no hazard.
TEST(SampleCurves, SurvivalZeroLeavesTheHazardOut) {
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Uniform, {"0", "1", ""}, 0.0, 2.0, s, e));
    EXPECT_EQ(s.Survival[499], 0.0);
    EXPECT_TRUE(std::isnan(s.Hazard[499]));
    EXPECT_TRUE(std::isfinite(s.Hazard[0]));
    ASSERT_TRUE(SampleCurves(Id::Exponential, {"1000", "", ""}, 0.001, 6.0, s, e));
    EXPECT_TRUE(std::isnan(s.Hazard[499]));
}

// Where 1 - F rounds to 0 the hazard divides by the upper tail, as the hazard field does: the
// exponential's hazard is its rate at every sample.
TEST(SampleCurves, HazardFarInTheUpperTailDividesByTheUpperTail) {
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Exponential, {"10", "", ""}, 0.001, 6.0, s, e));
    ASSERT_EQ(s.Survival[499], 0.0);
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        EXPECT_NEAR(s.Hazard[i], 10.0, 1e-9) << s.X[i];
    }
}

TEST(SampleCurves, PositionsBeyondTheSixteenBitRangeAreLeftOut) {
    for (const auto& [id, p] :
         {std::pair{Id::Poisson, "20000"}, std::pair{Id::Geometric, "1e-4"}}) {
        PlotSamples s;
        CurveExtremes e;
        PlotRange range;
        ASSERT_TRUE(ChoosePlotRange(id, {p, "", ""}, range));
        ASSERT_TRUE(SampleCurves(id, {p, "", ""}, range.XMin, range.XMax, s, e));
        EXPECT_FALSE(std::isnan(s.Cdf[0]));
        EXPECT_TRUE(std::isnan(s.Pdf[499]));
        EXPECT_TRUE(std::isnan(s.Cdf[499]));
        EXPECT_TRUE(std::isnan(s.Survival[499]));
    }
}

} // namespace
} // namespace kelvora
