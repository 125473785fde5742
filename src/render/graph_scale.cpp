#include "render/graph_scale.hpp"

#include <cmath>

namespace kelvora {

using namespace graph_layout;

namespace {

bool HasFiniteSample(const std::array<double, kSampleArraySize>& series) {
    for (int i = 0; i < kSampleCount; ++i) {
        if (std::isfinite(series[static_cast<std::size_t>(i)])) {
            return true;
        }
    }
    return false;
}

} // namespace

SeriesChoice ChooseSeries(FunctionKind kind, const PlotSamples& samples,
                          const CurveExtremes& extremes) {
    SeriesChoice choice;
    switch (kind) {
    case FunctionKind::Pdf:
        choice = {&samples.Pdf, 0.0, extremes.MaxPdf, kYLabelColumn};
        break;
    case FunctionKind::Cdf:
        choice = {&samples.Cdf, 0.0, extremes.MaxCdf, kYLabelColumn};
        break;
    case FunctionKind::Survival:
        choice = {&samples.Survival, 0.0, extremes.MaxSurvival, kYLabelColumn};
        break;
    case FunctionKind::Hazard:
        choice = {&samples.Hazard, extremes.MinHazard, extremes.MaxHazard, kHazardYLabelColumn};
        break;
    }
    // The extremes then still hold their starting values, which describe no sample.
    if (!HasFiniteSample(*choice.series)) {
        choice.YMin = 0.0;
        choice.YMax = 0.0;
    }
    return choice;
}

AxisSpan DrawableSpan(double min, double max) {
    if (std::isfinite(min) && std::isfinite(max) && min != max) {
        const double span = max - min;
        // The wider axis divides by the span: both scales are then finite.
        if (std::isfinite(span) && std::isfinite(kPlotWidth / span)) {
            return {min, max};
        }
    }
    const double base = std::isfinite(min) ? min : (std::isfinite(max) ? max : 0.0);
    double unit = 1.0;
    if (base + unit == base) {
        unit = std::abs(base) * 0x1p-20;
    }
    if (!std::isfinite(base + unit)) {
        return {base - unit, base};
    }
    return {base, base + unit};
}

GraphScale::GraphScale(AxisSpan x, AxisSpan y, double H)
    : x_(x), y_(y), H_(H), Kx_(kPlotWidth / (x.max - x.min)), Ky_(kPlotHeight / (y.max - y.min)) {}

double GraphScale::MapX(double x) const {
    return (x - x_.min) * Kx_ + kPlotLeft;
}

double GraphScale::MapY(double y) const {
    return H_ - (y - y_.min) * Ky_ - kBottomMargin;
}

double GraphScale::XTickValue(int i) const {
    const double DX = (x_.max - x_.min) / (kTickCount - 1);
    return i * DX + x_.min;
}

double GraphScale::YTickValue(int i) const {
    const double DY = (y_.max - y_.min) / (kTickCount - 1);
    return i * DY + y_.min;
}

double GraphScale::XTickPosition(int i) const {
    const double DX = (x_.max - x_.min) / (kTickCount - 1);
    return i * DX * Kx_ + kPlotLeft;
}

double GraphScale::YTickPosition(int i) const {
    const double DY = (y_.max - y_.min) / (kTickCount - 1);
    return H_ - i * DY * Ky_ - kBottomMargin;
}

namespace {

// `zero` is 0 in the locale's two-decimal form. A value without a sign bit formats as its
// magnitude, so only a negative value needs a second conversion.
QString FormatTickLabel(double v, const QLocale& locale, const QString& zero) {
    QString magnitude = locale.toString(std::abs(v), 'f', 2);
    if (magnitude == zero) {
        return zero;
    }
    if (!std::signbit(v)) {
        return magnitude;
    }
    return locale.toString(v, 'f', 2);
}

TickLabels FormatTickLabels(const GraphScale& scale, const QLocale& locale,
                            double (GraphScale::*value)(int) const) {
    const QString zero = locale.toString(0.0, 'f', 2);
    TickLabels labels;
    for (int i = 0; i < kTickCount; ++i) {
        labels[static_cast<std::size_t>(i)] = FormatTickLabel((scale.*value)(i), locale, zero);
    }
    return labels;
}

} // namespace

QString FormatTickLabel(double v, const QLocale& locale) {
    return FormatTickLabel(v, locale, locale.toString(0.0, 'f', 2));
}

TickLabels XTickLabels(const GraphScale& scale, const QLocale& locale) {
    return FormatTickLabels(scale, locale, &GraphScale::XTickValue);
}

TickLabels YTickLabels(const GraphScale& scale, const QLocale& locale) {
    return FormatTickLabels(scale, locale, &GraphScale::YTickValue);
}

} // namespace kelvora
