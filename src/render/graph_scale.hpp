// The graph's range and scale: which series is shown over which spans, how data maps to the
// graph area's twips, and the tick values and labels. No pixels here; the painter draws what
// this computes.
#pragma once

#include "distributions/distribution_id.hpp"
#include "sampling/function_kind.hpp"
#include "sampling/plot_samples.hpp"

#include <QLocale>
#include <QString>

#include <array>

namespace kelvora {

// The layout, in twips from the graph area's top left corner, y growing downwards.
namespace graph_layout {
inline constexpr double kTwipsPerPixel = 15.0; // at 96 dpi
inline constexpr double kPlotLeft = 600.0;
inline constexpr double kPlotWidth = 4800.0;
inline constexpr double kBottomMargin = 500.0;
inline constexpr double kPlotHeight = 2300.0;
inline constexpr double kTickLength = 100.0;
inline constexpr int kTickCount = 6;
inline constexpr double kYLabelColumn = 200.0;
inline constexpr double kHazardYLabelColumn = 100.0;
inline constexpr double kLabelOffset = 100.0;
inline constexpr double kMessageX = 1000.0;
inline constexpr double kMessageAboveBottom = 2000.0; // the message's top lies at H - 2000
} // namespace graph_layout

// The series a tab shows and the vertical span its extremes give.
struct SeriesChoice {
    const std::array<double, kSampleArraySize>* series = nullptr;
    double YMin = 0.0;
    double YMax = 0.0;
    double yLabelColumn = graph_layout::kYLabelColumn;
};

// Density, cumulative and survival run from 0 to their largest sample; the hazard spans its
// samples exactly. A series without a finite sample gets an empty span at 0.
SeriesChoice ChooseSeries(FunctionKind kind, const PlotSamples& samples,
                          const CurveExtremes& extremes);

struct AxisSpan {
    double min = 0.0;
    double max = 1.0;
};

// [min, max] when it can be drawn: both ends finite and apart, with a finite scale. Otherwise
// a unit span from the value (min, else max, else 0), widened where the value is so large that
// adding 1 changes nothing.
AxisSpan DrawableSpan(double min, double max);

// Data to twips over drawable spans. XMin maps to the frame's left side, XMax to its right,
// YMin to H - 500 and YMax to H - 2800.
class GraphScale {
public:
    GraphScale(AxisSpan x, AxisSpan y, double H);

    const AxisSpan& x() const { return x_; }
    const AxisSpan& y() const { return y_; }
    double H() const { return H_; }
    double MapX(double x) const;
    double MapY(double y) const;

    // Tick i (0..5) at i fifths of each span: its value and its position in twips.
    double XTickValue(int i) const;
    double YTickValue(int i) const;
    double XTickPosition(int i) const;
    double YTickPosition(int i) const;

private:
    AxisSpan x_;
    AxisSpan y_;
    double H_;
    double Kx_;
    double Ky_;
};

// A tick label: two decimals with a leading zero, in the locale's separators, grouping and
// negative form. A value that rounds to zero reads 0.00, never -0.00.
QString FormatTickLabel(double v, const QLocale& locale);

using TickLabels = std::array<QString, graph_layout::kTickCount>;
TickLabels XTickLabels(const GraphScale& scale, const QLocale& locale);
TickLabels YTickLabels(const GraphScale& scale, const QLocale& locale);

} // namespace kelvora
