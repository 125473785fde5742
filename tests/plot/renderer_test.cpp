// Scale, tick labels and pixel checks on the rendered graph. At a device pixel ratio of 1 the
// frame's sides lie on column 40 (600 twips), column 360 (5400), row 26 (H - 2800 = 395) and
// row 179 (H - 500).
#include "registry/registry.hpp"
#include "render/graph_renderer.hpp"
#include "render/graph_scale.hpp"

#include <gtest/gtest.h>

#include <QColor>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace kelvora {
namespace {

using Id = DistributionId;
using Texts = ParameterTexts;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kH = 3195.0;
constexpr int kLeft = 40;
constexpr int kRight = 360;
constexpr int kTop = 26;
constexpr int kBottom = 179;
const QRect kInsideFrame(kLeft + 1, kTop + 1, kRight - kLeft - 1, kBottom - kTop - 1);
const QRect kMessage(66, 79, 230, 32); // (1000, H - 2000) twips, 18 points high

TEST(TickLabels, ShowTheRangeAtFifthsWithTwoDecimals) {
    // The ticks are not rounded to simpler values: Beta's first tick is 0.001, shown as 0.00.
    const std::pair<std::pair<Id, Texts>, std::pair<const char*, const char*>> cases[] = {
        {{Id::Normal, {"0", "1", ""}}, {"C", "-3.00 -1.80 -0.60 0.60 1.80 3.00"}},
        {{Id::StudentT, {"3", "", ""}}, {"C", "-20.00 -12.00 -4.00 4.00 12.00 20.00"}},
        {{Id::Beta, {"2", "2", ""}}, {"C", "0.00 0.20 0.40 0.60 0.80 1.00"}},
        {{Id::Normal, {"0", "1", ""}}, {"de_DE", "-3,00 -1,80 -0,60 0,60 1,80 3,00"}},
        {{Id::Poisson, {"700", "", ""}}, {"en_US", "0.00 280.00 560.00 840.00 1,120.00 1,400.00"}}};
    for (const auto& [dist, expected] : cases) {
        PlotRange range;
        ASSERT_TRUE(ChoosePlotRange(dist.first, dist.second, range));
        const GraphScale scale(DrawableSpan(range.XMin, range.XMax), AxisSpan{0.0, 1.0}, kH);
        const TickLabels labels = XTickLabels(scale, QLocale(QString::fromLatin1(expected.first)));
        EXPECT_EQ(QStringList(labels.begin(), labels.end()).join(QLatin1Char(' ')),
                  QString::fromUtf8(expected.second));
    }
    // A value that rounds to zero reads without a sign.
    EXPECT_EQ(FormatTickLabel(-0.001, QLocale::c()), "0.00");
    EXPECT_EQ(FormatTickLabel(-0.0, QLocale::c()), "0.00");
    EXPECT_EQ(FormatTickLabel(-0.006, QLocale::c()), "-0.01");
}

TEST(TickLabels, CumulativeOfTheNormalTopsAtItsLargestSampleShownAsOne) {
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(Id::Normal, {"0", "1", ""}, -3.0, 3.0, s, e));
    const SeriesChoice choice = ChooseSeries(FunctionKind::Cdf, s, e);
    EXPECT_EQ(choice.YMax, s.Cdf[499]);
    const GraphScale scale({-3.0, 3.0}, DrawableSpan(choice.YMin, choice.YMax), kH);
    EXPECT_EQ(YTickLabels(scale, QLocale::c())[0], "0.00");
    EXPECT_EQ(YTickLabels(scale, QLocale::c())[5], "1.00");
    // A series without a finite sample gets an empty span at zero.
    s.Survival.fill(kNaN);
    const SeriesChoice none = ChooseSeries(FunctionKind::Survival, s, CurveExtremes{});
    EXPECT_EQ(none.YMin, 0.0);
    EXPECT_EQ(none.YMax, 0.0);
}

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == QColor(0, 0, 0);
}

// Antialiased curve pixels are shades of blue: blue well above red and green.
bool IsBlue(QRgb p) {
    return qBlue(p) > 200 && qRed(p) < 160 && qGreen(p) < 160 && qRed(p) == qGreen(p);
}

bool IsNotWhite(QRgb p) {
    return p != qRgb(255, 255, 255);
}

int Count(const QImage& image, const QRect& area, bool (*test)(QRgb)) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

QImage Render(Id id, const Texts& texts, FunctionKind kind, qreal dpr = 1.0) {
    QImage image = MakeGraphImage(dpr);
    PlotSamples samples;
    DrawGraph(image, id, texts, kind, QLocale::c(), samples);
    return image;
}

TEST(DrawGraph, DrawsABlueCurveInsideACrispBlackFrame) {
    const QImage blank = MakeGraphImage(2.0);
    EXPECT_EQ(blank.size(), QSize(770, 426));
    EXPECT_EQ(Count(blank, blank.rect(), IsNotWhite), 0);
    const QImage image = Render(Id::Normal, {"0", "1", ""}, FunctionKind::Pdf);
    EXPECT_EQ(image.size(), QSize(385, 213));
    for (int y = kTop; y <= kBottom; ++y) {
        ASSERT_TRUE(IsBlack(image, kLeft, y) && IsBlack(image, kRight, y)) << y;
    }
    for (int x = kLeft; x <= kRight; ++x) {
        ASSERT_TRUE(IsBlack(image, x, kTop) && IsBlack(image, x, kBottom)) << x;
    }
    EXPECT_EQ(image.pixelColor(kLeft + 1, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(kRight + 1, 100), QColor(Qt::white));
    EXPECT_GT(Count(image, kInsideFrame, IsBlue), 500);
    EXPECT_EQ(Count(image, image.rect(), IsBlue), Count(image, kInsideFrame, IsBlue));
    // The peak of the density touches the top of the frame, in the middle.
    EXPECT_TRUE(IsBlue(image.pixel(200, kTop + 1)));
    // At twice the pixels the sides are two pixels wide and still crisp.
    const QImage two = Render(Id::Normal, {"0", "1", ""}, FunctionKind::Pdf, 2.0);
    EXPECT_TRUE(IsBlack(two, 2 * kLeft, 200) && IsBlack(two, 2 * kLeft + 1, 200));
    EXPECT_EQ(two.pixelColor(2 * kLeft + 2, 200), QColor(Qt::white));
    EXPECT_EQ(two.pixelColor(2 * kLeft - 1, 200), QColor(Qt::white));
}

// The uniform cumulative is the frame's diagonal: in each column the curve's centre (its blue
// pixels weighted by their depth) lies a third of a pixel above the mapped line (the row index
// is the pixel's top edge), to half a pixel: a curve one pixel off is seen.
TEST(DrawGraph, CurvePointsLieWhereTheScaleMapsThem) {
    const QImage image = Render(Id::Uniform, {"0", "1", ""}, FunctionKind::Cdf);
    for (int x = kLeft + 20; x <= kRight - 20; x += 20) {
        double weight = 0.0, sum = 0.0;
        for (int y = kTop + 1; y < kBottom; ++y) {
            const double depth = 255 - qRed(image.pixel(x, y));
            weight += depth;
            sum += depth * y;
        }
        // The samples end one step (of 500) short of the range's end, which MaxCdf tops.
        const double along = (x - kLeft) / double(kRight - kLeft) / (1.0 - 1.0 / 500);
        EXPECT_NEAR(sum / weight + 0.3, kBottom - along * (kBottom - kTop), 0.5) << x;
    }
}

// Beta(0.5, 0.5) falls from the top of the frame to a third of it within its first samples:
// each segment joins a sample to the next, so the fall is one stroke down the left side.
TEST(DrawGraph, SteepCurveJoinsEachSampleToTheNext) {
    const QImage image = Render(Id::Beta, {"0.5", "0.5", ""}, FunctionKind::Pdf);
    // Drawn as steps (each segment level at its first sample) it keeps about a quarter of it.
    EXPECT_GT(Count(image, QRect(kLeft + 1, kTop + 1, 3, kBottom - kTop - 1), IsBlue), 80);
}

TEST(DrawGraph, DrawsSixInwardTicksOnEachAxisWithTheirLabelsBeside) {
    const QImage image = Render(Id::Beta, {"2", "2", ""}, FunctionKind::Cdf);
    for (int i = 0; i < 6; ++i) {
        const int x = kLeft + 64 * i;                                // 960 twips apart
        const int y = static_cast<int>((2695.0 - 460.0 * i) / 15.0); // 460 twips apart
        EXPECT_TRUE(IsBlack(image, x, kBottom - 5)) << i;
        EXPECT_TRUE(IsBlack(image, kLeft + 5, y)) << i;
        // 100 twips = 6.67 px into the frame, and no further (the end ticks are the sides).
        EXPECT_TRUE(i == 0 || i == 5 || !IsBlack(image, x, kBottom - 9)) << i;
        EXPECT_TRUE(i == 0 || i == 5 || !IsBlack(image, kLeft + 9, y)) << i;
        EXPECT_GT(Count(image, QRect(10, y - 7, 29, 14), IsNotWhite), 10) << i;
        const QRect below(std::max(0, x - 8), kBottom + 4, 30, 14);
        EXPECT_GT(Count(image, below.intersected(image.rect()), IsNotWhite), 10) << i;
    }
}

// Geometric at 0 is invalid despite its infinite range.
TEST(DrawGraph, InvalidParametersShowOnlyTheMessage) {
    for (const auto& [id, texts, kind] :
         {std::tuple{Id::Normal, Texts{"0", "0", ""}, FunctionKind::Pdf},
          std::tuple{Id::Normal, Texts{"0", "0", ""}, FunctionKind::Hazard},
          std::tuple{Id::Geometric, Texts{"0", "", ""}, FunctionKind::Pdf}}) {
        const QImage image = Render(id, texts, kind);
        const int ink = Count(image, kMessage, IsNotWhite);
        EXPECT_GT(ink, 300) << static_cast<int>(id);
        EXPECT_EQ(Count(image, image.rect(), IsNotWhite), ink) << static_cast<int>(id);
    }
}

// The shaded region changes only the columns of its span (for a discrete distribution the steps
// of the points the interval holds), reaches the axis at both ends, and only on the density tab.
TEST(DrawGraph, ShadingChangesOnlyTheColumnsOfItsSpan) {
    // clang-format off
    const std::tuple<Id, Texts, GraphShading, double, double> cases[] = {
        {Id::Normal, {"0", "1", ""}, {-1.0, 0.5}, -1.0, 0.5},
        {Id::Poisson, {"3", "", ""}, {0.5, 2.7}, 1.0, 3.0},   // points 1 and 2
        {Id::Geometric, {"0.5", "", ""}, {1.5, 3.2}, 2.0, 4.0}}; // 2 and 3 failures, as x counts
    // clang-format on
    for (const auto& [id, texts, shading, from, to] : cases) {
        PlotRange range;
        ASSERT_TRUE(ChoosePlotRange(id, texts, range));
        const auto column = [&](double x) {
            return kLeft + (x - range.XMin) / (range.XMax - range.XMin) * (kRight - kLeft);
        };
        const QImage plain = Render(id, texts, FunctionKind::Pdf);
        QImage shaded = MakeGraphImage(1.0);
        PlotSamples samples;
        DrawGraph(shaded, id, texts, FunctionKind::Pdf, QLocale::c(), samples, shading);
        int changed = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (plain.pixel(x, y) != shaded.pixel(x, y)) {
                    ++changed;
                    ASSERT_GE(x, std::floor(column(from))) << static_cast<int>(id);
                    ASSERT_LE(x, std::ceil(column(to))) << static_cast<int>(id);
                }
            }
        }
        EXPECT_GT(changed, 500) << static_cast<int>(id);
        for (const double x : {column(from) + 2, column(to) - 2}) {
            EXPECT_EQ(shaded.pixelColor(static_cast<int>(x), kBottom - 2), QColor(200, 215, 255))
                << static_cast<int>(id) << " column " << x;
        }
        QImage cumulative = Render(id, texts, FunctionKind::Cdf);
        DrawGraph(shaded, id, texts, FunctionKind::Cdf, QLocale::c(), samples, shading);
        EXPECT_EQ(shaded, cumulative) << static_cast<int>(id);
    }
}

// Spans of zero width, of infinite width, lost in rounding or too small to divide by draw the
// frame and ticks over a unit span.
TEST(DrawGraph, DegenerateGraphsDrawFrameAndTicks) {
    using K = FunctionKind;
    // clang-format off
    const std::tuple<Id, Texts, K> cases[] = {
        {Id::Binomial, {"0", "0.5", ""}, K::Pdf}, {Id::Hypergeometric, {"30", "30", "20"}, K::Pdf},
        {Id::Uniform, {"0", "1e-300", ""}, K::Hazard}, {Id::Cauchy, {"1e308", "1e307", ""}, K::Cdf},
        {Id::Normal, {"1e300", "1", ""}, K::Pdf}, {Id::Cauchy, {"5", "1e-320", ""}, K::Survival},
        {Id::Uniform, {"-1e308", "1e308", ""}, K::Cdf}, {Id::Weibull, {"1", "1e10", ""}, K::Hazard}};
    // clang-format on
    for (const auto& [id, texts, kind] : cases) {
        const QImage image = Render(id, texts, kind);
        EXPECT_TRUE(IsBlack(image, kLeft, 100)) << static_cast<int>(id) << texts.text2;
        EXPECT_TRUE(IsBlack(image, kRight, 100)) << static_cast<int>(id) << texts.text2;
        EXPECT_TRUE(IsBlack(image, kLeft + 5, kTop)) << static_cast<int>(id) << texts.text2;
    }
}

} // namespace
} // namespace kelvora
