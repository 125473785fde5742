// Pixel checks on the rendered graph. At a device pixel ratio of 1 the frame's sides lie on
// column 40 (600 twips), column 360 (5400), row 26 (H - 2800 = 395) and row 179 (H - 500).
#include "plot/graph_renderer.hpp"

#include <gtest/gtest.h>

#include <QColor>
#include <QRect>

#include <algorithm>
#include <ostream>
#include <utility>

namespace kelvora {
namespace {

using Id = DistributionId;

constexpr int kLeft = 40;
constexpr int kRight = 360;
constexpr int kTop = 26;
constexpr int kBottom = 179;

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == QColor(0, 0, 0);
}

// Antialiased curve pixels are shades of blue: blue well above red and green.
bool IsBlue(QRgb p) {
    return qBlue(p) > 200 && qRed(p) < 160 && qGreen(p) < 160 && qRed(p) == qGreen(p);
}

int CountPixels(const QImage& image, const QRect& area, bool (*test)(QRgb)) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool IsNotWhite(QRgb p) {
    return p != qRgb(255, 255, 255);
}

QImage Render(Id id, const ParameterTexts& texts, FunctionKind kind, qreal dpr = 1.0) {
    QImage image = MakeGraphImage(dpr);
    PlotSamples samples;
    DrawGraph(image, id, texts, kind, QLocale::c(), samples);
    return image;
}

const QRect kInsideFrame(kLeft + 1, kTop + 1, kRight - kLeft - 1, kBottom - kTop - 1);

TEST(GraphImage, HasTheGraphAreasSizeAtTheDevicePixelRatio) {
    const QImage one = MakeGraphImage(1.0);
    EXPECT_EQ(one.size(), QSize(385, 213));
    const QImage two = MakeGraphImage(2.0);
    EXPECT_EQ(two.size(), QSize(770, 426));
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    EXPECT_EQ(CountPixels(two, two.rect(), IsNotWhite), 0);
}

TEST(DrawGraph, DrawsABlueCurveInsideABlackFrame) {
    const QImage image = Render(Id::Normal, {"0", "1", ""}, FunctionKind::Pdf);
    for (int y = kTop; y <= kBottom; ++y) {
        ASSERT_TRUE(IsBlack(image, kLeft, y)) << y;
        ASSERT_TRUE(IsBlack(image, kRight, y)) << y;
    }
    for (int x = kLeft; x <= kRight; ++x) {
        ASSERT_TRUE(IsBlack(image, x, kTop)) << x;
        ASSERT_TRUE(IsBlack(image, x, kBottom)) << x;
    }
    // Crisp 1-px sides: the neighbouring columns are not grey.
    EXPECT_EQ(image.pixelColor(kLeft + 1, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(kRight + 1, 100), QColor(Qt::white));
    EXPECT_GT(CountPixels(image, kInsideFrame, IsBlue), 500);
    EXPECT_EQ(CountPixels(image, image.rect(), IsBlue), CountPixels(image, kInsideFrame, IsBlue));
    // The peak of the density touches the top of the frame, in the middle.
    EXPECT_TRUE(IsBlue(image.pixel(200, kTop + 1)));
}

TEST(DrawGraph, DrawsSixInwardTicksOnEachAxis) {
    const QImage image = Render(Id::Beta, {"2", "2", ""}, FunctionKind::Cdf);
    for (int i = 0; i < 6; ++i) {
        const int x = kLeft + 64 * i;                                // 960 twips apart
        const int y = static_cast<int>((2695.0 - 460.0 * i) / 15.0); // 460 twips apart
        EXPECT_TRUE(IsBlack(image, x, kBottom - 5)) << i;
        EXPECT_TRUE(IsBlack(image, kLeft + 5, y)) << i;
    }
    // 100 twips = 6.67 px into the frame, and no further (the end ticks are the frame's sides).
    for (int i = 1; i < 5; ++i) {
        const int x = kLeft + 64 * i;
        const int y = static_cast<int>((2695.0 - 460.0 * i) / 15.0);
        EXPECT_FALSE(IsBlack(image, x, kBottom - 9)) << i;
        EXPECT_FALSE(IsBlack(image, kLeft + 9, y)) << i;
    }
}

TEST(DrawGraph, LabelsSitBesideTheirTicks) {
    const QImage image = Render(Id::Normal, {"0", "1", ""}, FunctionKind::Pdf);
    // y labels from 200 twips (13 px) up to the frame; x labels below the frame.
    for (int i = 0; i < 6; ++i) {
        const int ys = static_cast<int>((2695.0 - 460.0 * i) / 15.0);
        EXPECT_GT(CountPixels(image, QRect(10, ys - 7, 29, 14), IsNotWhite), 10) << i;
        const int xs = kLeft + 64 * i;
        const QRect below(std::max(0, xs - 8), kBottom + 4, 30, 14);
        EXPECT_GT(CountPixels(image, below.intersected(image.rect()), IsNotWhite), 10) << i;
    }
}

TEST(DrawGraph, LabelTextIsEightPointsOnA96DpiScaleAtAnyPixelRatio) {
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage image = Render(Id::Normal, {"0", "1", ""}, FunctionKind::Pdf, dpr);
        // The rows the bottom y label ("0.00") covers, left of the frame.
        int first = -1;
        int last = -1;
        for (int y = static_cast<int>(165 * dpr); y < static_cast<int>(185 * dpr); ++y) {
            const QRect row(static_cast<int>(10 * dpr), y, static_cast<int>(20 * dpr), 1);
            if (CountPixels(image, row, IsNotWhite) > 0) {
                first = first < 0 ? y : first;
                last = y;
            }
        }
        // Digits of an 8-point face at 96 dpi are about 8 px tall.
        EXPECT_NEAR((last - first + 1) / dpr, 8.0, 1.5) << dpr;
    }
}

TEST(DrawGraph, FrameStaysCrispAtTwiceThePixels) {
    const QImage image = Render(Id::Normal, {"0", "1", ""}, FunctionKind::Pdf, 2.0);
    EXPECT_TRUE(IsBlack(image, 2 * kLeft, 200));
    EXPECT_TRUE(IsBlack(image, 2 * kLeft + 1, 200));
    EXPECT_EQ(image.pixelColor(2 * kLeft + 2, 200), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(2 * kLeft - 1, 200), QColor(Qt::white));
}

TEST(DrawGraph, InvalidParametersShowOnlyTheMessage) {
    for (const FunctionKind kind : {FunctionKind::Pdf, FunctionKind::Hazard}) {
        const QImage image = Render(Id::Normal, {"0", "0", ""}, kind);
        // Its top left corner at (1000, H - 2000) twips = (67, 80) px, 18 points high.
        const QRect message(66, 79, 230, 32);
        const int ink = CountPixels(image, message, IsNotWhite);
        EXPECT_GT(ink, 300);
        EXPECT_EQ(CountPixels(image, image.rect(), IsNotWhite), ink);
        EXPECT_EQ(CountPixels(image, image.rect(), IsBlue), 0);
    }
}

TEST(DrawGraph, HazardOfADiscreteDistributionLeavesAnEmptyArea) {
    for (const auto& [id, texts] :
         {std::pair{Id::Binomial, ParameterTexts{"10", "0.5", ""}},
          std::pair{Id::Geometric, ParameterTexts{"0.5", "", ""}},
          std::pair{Id::Hypergeometric, ParameterTexts{"100", "50", "10"}},
          std::pair{Id::Poisson, ParameterTexts{"10", "", ""}}}) {
        QImage image = Render(Id::Normal, {"0", "1", ""}, FunctionKind::Pdf);
        PlotSamples samples;
        DrawGraph(image, id, texts, FunctionKind::Hazard, QLocale::c(), samples);
        EXPECT_EQ(CountPixels(image, image.rect(), IsNotWhite), 0) << static_cast<int>(id);
        // The other tabs of the same distribution are drawn.
        DrawGraph(image, id, texts, FunctionKind::Pdf, QLocale::c(), samples);
        EXPECT_GT(CountPixels(image, kInsideFrame, IsBlue), 100) << static_cast<int>(id);
    }
}

struct DegenerateCase {
    const char* what;
    Id id;
    ParameterTexts texts;
    FunctionKind kind;
};

void PrintTo(const DegenerateCase& c, std::ostream* os) {
    *os << c.what;
}

class DegenerateGraphs : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(DegenerateGraphs, DrawFrameAndTicksOverAUnitSpan) {
    const DegenerateCase& c = GetParam();
    const QImage image = Render(c.id, c.texts, c.kind);
    EXPECT_TRUE(IsBlack(image, kLeft, 100));
    EXPECT_TRUE(IsBlack(image, kRight, 100));
    EXPECT_TRUE(IsBlack(image, kLeft + 5, kTop));
}

// Spans of zero width, of infinite width, lost in rounding or too small to divide by.
INSTANTIATE_TEST_SUITE_P(
    Cases, DegenerateGraphs,
    ::testing::Values(
        DegenerateCase{"binomial n 0", Id::Binomial, {"0", "0.5", ""}, FunctionKind::Pdf},
        DegenerateCase{"every mass 0", Id::Hypergeometric, {"30", "30", "20"}, FunctionKind::Pdf},
        DegenerateCase{"uniform 1e-300", Id::Uniform, {"0", "1e-300", ""}, FunctionKind::Hazard},
        DegenerateCase{"cauchy infinite", Id::Cauchy, {"1e308", "1e307", ""}, FunctionKind::Cdf},
        DegenerateCase{"normal rounded", Id::Normal, {"1e300", "1", ""}, FunctionKind::Pdf},
        DegenerateCase{"cauchy tiny", Id::Cauchy, {"5", "1e-320", ""}, FunctionKind::Survival},
        DegenerateCase{"uniform whole", Id::Uniform, {"-1e308", "1e308", ""}, FunctionKind::Cdf},
        DegenerateCase{"weibull shape", Id::Weibull, {"1", "1e10", ""}, FunctionKind::Hazard}));

TEST(DrawGraph, GeometricAtZeroIsInvalidDespiteItsInfiniteRange) {
    const QImage image = Render(Id::Geometric, {"0", "", ""}, FunctionKind::Pdf);
    EXPECT_FALSE(IsBlack(image, kLeft, 100));
    EXPECT_GT(CountPixels(image, QRect(66, 79, 230, 32), IsNotWhite), 300);
}

} // namespace
} // namespace kelvora
