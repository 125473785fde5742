#include "plot/graph_scale.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace kelvora {
namespace {

using Id = DistributionId;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kH = 3195.0;

GraphScale ScaleOf(Id id, const ParameterTexts& texts) {
    PlotRange range;
    EXPECT_TRUE(ChoosePlotRange(id, texts, range));
    return GraphScale(DrawableSpan(range.XMin, range.XMax), AxisSpan{0.0, 1.0}, kH);
}

// The six labels joined by blanks.
QString Joined(const TickLabels& labels) {
    return QStringList(labels.begin(), labels.end()).join(QLatin1Char(' '));
}

struct LabelCase {
    Id id;
    ParameterTexts texts;
    const char* locale;
    const char* labels;
};

void PrintTo(const LabelCase& c, std::ostream* os) {
    *os << "id " << static_cast<int>(c.id) << " in " << c.locale;
}

class XTickLabelTexts : public ::testing::TestWithParam<LabelCase> {};

TEST_P(XTickLabelTexts, ShowTheRangeAtFifthsWithTwoDecimals) {
    const LabelCase& c = GetParam();
    const QLocale locale(QString::fromLatin1(c.locale));
    EXPECT_EQ(Joined(XTickLabels(ScaleOf(c.id, c.texts), locale)), QString::fromUtf8(c.labels));
}

// The ticks are not rounded to simpler values: Beta's first tick is 0.001, shown as 0.00.
INSTANTIATE_TEST_SUITE_P(
    Ranges, XTickLabelTexts,
    ::testing::Values(
        LabelCase{Id::Normal, {"0", "1", ""}, "C", "-3.00 -1.80 -0.60 0.60 1.80 3.00"},
        LabelCase{Id::StudentT, {"3", "", ""}, "C", "-20.00 -12.00 -4.00 4.00 12.00 20.00"},
        LabelCase{Id::Beta, {"2", "2", ""}, "C", "0.00 0.20 0.40 0.60 0.80 1.00"},
        LabelCase{Id::Normal, {"0", "1", ""}, "de_DE", "-3,00 -1,80 -0,60 0,60 1,80 3,00"},
        LabelCase{
            Id::Poisson, {"700", "", ""}, "en_US", "0.00 280.00 560.00 840.00 1,120.00 1,400.00"}));

TEST(TickLabels, ValueThatRoundsToZeroReadsWithoutASign) {
    EXPECT_EQ(FormatTickLabel(-0.001, QLocale::c()), "0.00");
    EXPECT_EQ(FormatTickLabel(-0.0, QLocale::c()), "0.00");
    EXPECT_EQ(FormatTickLabel(-0.006, QLocale::c()), "-0.01");
    EXPECT_EQ(FormatTickLabel(0.5, QLocale(QStringLiteral("de_DE"))), "0,50");
}

TEST(TickLabels, CumulativeOfTheNormalTopsAtItsLargestSampleShownAsOne) {
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Normal, {"0", "1", ""}, -3.0, 3.0, s, e));
    const SeriesChoice choice = ChooseSeries(FunctionKind::Cdf, s, e);
    EXPECT_NEAR(choice.YMax, 0.9986, 1e-4);
    EXPECT_EQ(choice.YMax, s.Cdf[499]);
    const GraphScale scale({-3.0, 3.0}, DrawableSpan(choice.YMin, choice.YMax), kH);
    EXPECT_EQ(YTickLabels(scale, QLocale::c())[5], "1.00");
    EXPECT_EQ(YTickLabels(scale, QLocale::c())[0], "0.00");
}

TEST(SeriesChoice, SeriesWithoutAFiniteSampleGetsAnEmptySpanAtZero) {
    PlotSamples s;
    s.Survival.fill(kNaN);
    const SeriesChoice c = ChooseSeries(FunctionKind::Survival, s, CurveExtremes{});
    EXPECT_EQ(c.YMin, 0.0);
    EXPECT_EQ(c.YMax, 0.0);
    const AxisSpan span = DrawableSpan(c.YMin, c.YMax);
    EXPECT_EQ(span.min, 0.0);
    EXPECT_EQ(span.max, 1.0);
}

struct SpanCase {
    double min;
    double max;
    double drawnMin;
    double drawnMax;
};

void PrintTo(const SpanCase& c, std::ostream* os) {
    *os << "[" << c.min << ", " << c.max << "]";
}

class DrawableSpans : public ::testing::TestWithParam<SpanCase> {};

TEST_P(DrawableSpans, KeepDrawableSpansAndWidenTheOthersToAUnit) {
    const SpanCase& c = GetParam();
    const AxisSpan span = DrawableSpan(c.min, c.max);
    EXPECT_EQ(span.min, c.drawnMin);
    EXPECT_EQ(span.max, c.drawnMax);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawableSpans,
    ::testing::Values(SpanCase{-3.0, 3.0, -3.0, 3.0}, SpanCase{0.0, -10.0, 0.0, -10.0},
                      SpanCase{0.0, 0.0, 0.0, 1.0}, SpanCase{0.25, 0.25, 0.25, 1.25},
                      SpanCase{0.001, kInf, 0.001, 1.001}, SpanCase{-kInf, 2.0, 2.0, 3.0},
                      SpanCase{kNaN, kNaN, 0.0, 1.0}, SpanCase{0.0, 1e-320, 0.0, 1.0},
                      SpanCase{-1e308, 1e308, -1e308, -1e308 + 0x1p-20 * 1e308},
                      SpanCase{1e300, 1e300, 1e300, 1e300 + 0x1p-20 * 1e300}));

} // namespace
} // namespace kelvora
