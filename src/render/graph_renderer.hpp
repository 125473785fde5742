// Drawing the graph into the persistent image that the graph area shows and the export
// commands copy or save. Layout in twips (1/1440 inch, 15 to a pixel at 96 dpi).
#pragma once

#include "distributions/distribution_id.hpp"
#include "sampling/function_kind.hpp"
#include "sampling/plot_samples.hpp"

#include <QImage>
#include <QLocale>

class QPaintDevice;

namespace kelvora {

// The graph area: 5775 x 3195 twips, 385 x 213 pixels at 96 dpi.
inline constexpr int kGraphWidthPx = 385;
inline constexpr int kGraphHeightPx = 213;

// A white image of the graph area's size at the given device pixel ratio.
QImage MakeGraphImage(qreal devicePixelRatio);

// Chooses the range, samples the curves into `samples` and redraws `image` completely: the
// curve with frame, ticks and labels; the invalid-parameter message; or nothing (the hazard of
// a discrete distribution).
void DrawGraph(QImage& image, DistributionId id, const ParameterTexts& texts, FunctionKind kind,
               const QLocale& locale, PlotSamples& samples);

// The same graph on a white background, onto a vector device (SVG, PDF) whose size is the
// graph area's in 96-dpi pixels.
void DrawGraphOn(QPaintDevice& device, DistributionId id, const ParameterTexts& texts,
                 FunctionKind kind, const QLocale& locale, PlotSamples& samples);

} // namespace kelvora
