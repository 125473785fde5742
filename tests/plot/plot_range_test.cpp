#include "plot/plot_samples.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace kelvora {
namespace {

using Id = DistributionId;

struct RangeCase {
    Id id;
    ParameterTexts texts;
    double XMin;
    double XMax;
};

void PrintTo(const RangeCase& c, std::ostream* os) {
    *os << "id " << static_cast<int>(c.id) << " (\"" << c.texts.text1 << "\", \"" << c.texts.text2
        << "\")";
}

class PlotRangeRule : public ::testing::TestWithParam<RangeCase> {};

TEST_P(PlotRangeRule, GivesTheDistributionsRange) {
    const RangeCase& c = GetParam();
    PlotRange range;
    ASSERT_TRUE(ChoosePlotRange(c.id, c.texts, range));
    EXPECT_EQ(range.XMin, c.XMin);
    EXPECT_EQ(range.XMax, c.XMax);
}

// Fixed ranges ignore their fields, even unreadable ones; Binomial takes n as typed, without
// the floor the sampling applies.
INSTANTIATE_TEST_SUITE_P(
    All, PlotRangeRule,
    ::testing::Values(RangeCase{Id::Beta, {"2", "3", ""}, 0.001, 1.0},
                      RangeCase{Id::Binomial, {"10.7", "0.5", ""}, 0.0, 10.7},
                      RangeCase{Id::Cauchy, {"1", "2", ""}, -29.0, 31.0},
                      RangeCase{Id::ChiSquare, {"1e999", "", ""}, 0.001, 10.0},
                      RangeCase{Id::Exponential, {"3", "", ""}, 0.001, 6.0},
                      RangeCase{Id::F, {"4", "9", ""}, 0.001, 15.0},
                      RangeCase{Id::Gamma, {"2", "3", ""}, 0.001, 27.0},
                      RangeCase{Id::Geometric, {"0.25", "", ""}, 0.001, 28.0},
                      RangeCase{Id::Hypergeometric, {"100", "50", "10"}, 0.001, 10.0},
                      RangeCase{Id::Lognormal, {"1", "1", ""}, 0.001, 5.0},
                      RangeCase{Id::Normal, {"0", "1", ""}, -3.0, 3.0},
                      RangeCase{Id::Normal, {"10", "2", ""}, 4.0, 16.0},
                      RangeCase{Id::Poisson, {"10", "", ""}, 0.0, 20.0},
                      RangeCase{Id::Rayleigh, {"1.5", "", ""}, 0.0, 6.0},
                      RangeCase{Id::StudentT, {"7", "", ""}, -20.0, 20.0},
                      RangeCase{Id::Uniform, {"3", "-1", ""}, 3.0, -1.0},
                      RangeCase{Id::Weibull, {"1", "2", ""}, 0.001, 2.0},
                      RangeCase{Id::Binomial, {"", "", ""}, 0.0, 0.0}));

TEST(PlotRange, GeometricAtZeroHasAnInfiniteEnd) {
    PlotRange range;
    ASSERT_TRUE(ChoosePlotRange(Id::Geometric, {"0", "", ""}, range));
    EXPECT_EQ(range.XMax, std::numeric_limits<double>::infinity());
}

TEST(PlotRange, FieldBeyondTheDoubleRangeGivesNoRangeAndLeavesItUnchanged) {
    for (const Id id : {Id::Binomial, Id::Cauchy, Id::Gamma, Id::Normal, Id::Uniform}) {
        PlotRange range{1.0, 2.0};
        const ParameterTexts texts = id == Id::Binomial ? ParameterTexts{"1e999", "1", ""}
                                                        : ParameterTexts{"1", "-1e999", ""};
        EXPECT_FALSE(ChoosePlotRange(id, texts, range)) << static_cast<int>(id);
        EXPECT_EQ(range.XMin, 1.0);
        EXPECT_EQ(range.XMax, 2.0);
    }
}

} // namespace
} // namespace kelvora
