// DrawGraph: range, samples and painter put together, into the image the graph area shows.
#include "render/graph_renderer.hpp"

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
// distribution. A discrete one samples the mass of point k over [k, k + 1) (Geometric, which
// maps x to floor(x) + 1, over [k - 1, k)), so the points floor(a) < k <= floor(b) cover
// [floor(a) + 1, floor(b) + 1), shifted by one for Geometric.
std::pair<double, double> ShadedSpan(DistributionId id, const GraphShading& shading) {
    if (!IsDiscrete(id)) {
        return {shading.a, shading.b};
    }
    const double shift = id == DistributionId::Geometric ? 0.0 : 1.0;
    return {std::floor(shading.a) + shift, std::floor(shading.b) + shift};
}

} // namespace

QImage MakeGraphImage(qreal devicePixelRatio) {
    QImage image(qRound(kGraphWidthPx * devicePixelRatio),
                 qRound(kGraphHeightPx * devicePixelRatio), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    ClearGraphImage(image);
    return image;
}

void DrawGraph(QImage& image, DistributionId id, const ParameterTexts& texts, FunctionKind kind,
               const QLocale& locale, PlotSamples& samples,
               const std::optional<GraphShading>& shading) {
    ClearGraphImage(image);

    // A range the fields cannot give (a number beyond the double range) comes with parameters
    // that the check rejects as well: the samples' positions are then NaN.
    constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
    PlotRange range{kNoValue, kNoValue};
    if (!ChoosePlotRange(id, texts, range)) {
        range = PlotRange{kNoValue, kNoValue};
    }
    CurveExtremes extremes;
    const bool valid = SampleCurves(id, texts, range.XMin, range.XMax, samples, extremes);

    GraphPainter painter(image);
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

} // namespace kelvora
