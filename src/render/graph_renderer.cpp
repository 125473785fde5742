// DrawGraph: range, samples and painter put together, into the image the graph area shows.
#include "render/graph_renderer.hpp"

#include "registry/registry.hpp"
#include "render/graph_painter.hpp"
#include "render/graph_scale.hpp"

#include <QColor>

#include <cmath>
#include <limits>
#include <utility>

namespace kelvora {

namespace {

// 96 dots per inch: point sizes come out in the same pixels as on a 96-dpi screen, whatever
// the device pixel ratio adds on top.
constexpr int kDotsPerMeter96Dpi = 3780;

void ClearGraphImage(QImage& image) {
    if (image.dotsPerMeterX() != kDotsPerMeter96Dpi) {
        image.setDotsPerMeterX(kDotsPerMeter96Dpi);
    }
    if (image.dotsPerMeterY() != kDotsPerMeter96Dpi) {
        image.setDotsPerMeterY(kDotsPerMeter96Dpi);
    }
    image.fill(Qt::white);
}

// The sample positions whose samples show the shaded event: (a, b] for a continuous
// distribution. A discrete one draws the mass of point k over [k, k + 1) (the Geometric's k
// counting failures, as its x field does), so the points floor(a) < k <= floor(b) cover
// [floor(a) + 1, floor(b) + 1).
std::pair<double, double> ShadedSpan(DistributionId id, const GraphShading& shading) {
    if (!IsDiscrete(id)) {
        return {shading.a, shading.b};
    }
    return {std::floor(shading.a) + 1.0, std::floor(shading.b) + 1.0};
}

} // namespace

QImage MakeGraphImage(qreal devicePixelRatio) {
    QImage image(qRound(kGraphWidthPx * devicePixelRatio),
                 qRound(kGraphHeightPx * devicePixelRatio), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    ClearGraphImage(image);
    return image;
}

namespace {

void DrawGraphWith(GraphPainter& painter, DistributionId id, const ParameterTexts& texts,
                   FunctionKind kind, const QLocale& locale, PlotSamples& samples,
                   const std::optional<GraphShading>& shading) {
    // A range the fields cannot give (a number beyond the double range) comes with parameters
    // that the check rejects as well: the samples' positions are then NaN.
    constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
    PlotRange range{kNoValue, kNoValue};
    if (!ChoosePlotRange(id, texts, range)) {
        range = PlotRange{kNoValue, kNoValue};
    }
    CurveExtremes extremes;
    const bool valid = SampleCurves(id, texts, range.XMin, range.XMax, samples, extremes);

    if (!valid) {
        painter.DrawInvalidMessage();
        return;
    }
    // The discrete distributions have no hazard curve: the area stays empty.
    if (kind == FunctionKind::Hazard && IsDiscrete(id)) {
        return;
    }
    const SeriesChoice choice = ChooseSeries(kind, samples, extremes);
    const GraphScale scale(DrawableSpan(range.XMin, range.XMax),
                           DrawableSpan(choice.YMin, choice.YMax), painter.H());
    if (shading && kind == FunctionKind::Pdf) {
        const auto [from, to] = ShadedSpan(id, *shading);
        painter.FillUnderCurve(scale, samples.X, *choice.series, from, to);
    }
    painter.DrawCurve(scale, samples.X, *choice.series);
    painter.DrawFrameAndTicks(scale);
    painter.DrawLabels(scale, choice.yLabelColumn, XTickLabels(scale, locale),
                       YTickLabels(scale, locale));
}

} // namespace

void DrawGraph(QImage& image, DistributionId id, const ParameterTexts& texts, FunctionKind kind,
               const QLocale& locale, PlotSamples& samples,
               const std::optional<GraphShading>& shading) {
    ClearGraphImage(image);
    GraphPainter painter(image);
    DrawGraphWith(painter, id, texts, kind, locale, samples, shading);
}

void DrawGraphOn(QPaintDevice& device, DistributionId id, const ParameterTexts& texts,
                 FunctionKind kind, const QLocale& locale, PlotSamples& samples) {
    GraphPainter painter(device);
    painter.FillBackground();
    DrawGraphWith(painter, id, texts, kind, locale, samples, std::nullopt);
}

} // namespace kelvora
