// Drawing the graph into the persistent image that the graph area shows and the export
// commands copy or save. Layout in twips (1/1440 inch, 15 to a pixel at 96 dpi).
#pragma once

#include "distributions/distribution_id.hpp"
#include "sampling/function_kind.hpp"
#include "sampling/plot_samples.hpp"

#include <QImage>
#include <QLocale>

#include <optional>

class QPaintDevice;

namespace kelvora {

// The graph area: 5775 x 3195 twips, 385 x 213 pixels at 96 dpi.
inline constexpr int kGraphWidthPx = 385;
inline constexpr int kGraphHeightPx = 213;

// A white image of the graph area's size at the given device pixel ratio.
QImage MakeGraphImage(qreal devicePixelRatio);

// An interval a < x <= b to shade under the density. For a discrete distribution the shading
// covers the steps of the whole points floor(a) < k <= floor(b), the points the interval holds.
struct GraphShading {
    double a = 0.0;
    double b = 0.0;
};

// Chooses the range, samples the curves into `samples` and redraws `image` completely: the
// curve with frame, ticks and labels; the invalid-parameter message; or nothing (the hazard of
// a discrete distribution). With a shading, the density tab first fills the interval's region
// between the axis and the curve; everything else is drawn exactly as without it.
void DrawGraph(QImage& image, DistributionId id, const ParameterTexts& texts, FunctionKind kind,
               const QLocale& locale, PlotSamples& samples,
               const std::optional<GraphShading>& shading = std::nullopt);

// The same graph on a white background, onto a vector device (SVG, PDF) whose size is the
// graph area's in 96-dpi pixels.
void DrawGraphOn(QPaintDevice& device, DistributionId id, const ParameterTexts& texts,
                 FunctionKind kind, const QLocale& locale, PlotSamples& samples);

} // namespace kelvora
