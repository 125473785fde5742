// The painter of the graph: draws the curve, the frame with its ticks, the labels and the
// invalid-parameter message onto the graph image or a vector device (SVG, PDF) of the graph
// area's logical size. Positions arrive in twips and are drawn at the device's pixel ratio: 1-px
// lines sit on whole device pixels, so frame and ticks stay crisp on any screen, and the curve
// is antialiased.
#pragma once

#include "render/graph_scale.hpp"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace kelvora {

// The text shown instead of a graph when the parameters are invalid.
QString InvalidParameterMessage();

class GraphPainter {
public:
    // An image, or a vector device whose size is the graph area's in 96-dpi pixels.
    explicit GraphPainter(QPaintDevice& device);

    // The graph area's outer height in twips, to the nearest whole twip.
    double H() const { return H_; }

    // Fills the whole area white (a vector device starts transparent).
    void FillBackground();
    // Fills the region from x = from to x = to between the axis (y = 0) and the line through
    // the samples in a light colour; a left-out sample breaks the region. Drawn before the
    // curve, which then covers the region's upper edge.
    void FillUnderCurve(const GraphScale& scale, const std::array<double, kSampleArraySize>& X,
                        const std::array<double, kSampleArraySize>& S, double from, double to);
    // Straight segments between consecutive samples; a left-out sample breaks the line. On a
    // vector device the curve is clipped here and written as one path: Qt's SVG generator
    // ignores clipping.
    void DrawCurve(const GraphScale& scale, const std::array<double, kSampleArraySize>& X,
                   const std::array<double, kSampleArraySize>& S);
    // The black frame and six inward ticks on each axis.
    void DrawFrameAndTicks(const GraphScale& scale);
    // Each label's top left corner at its text position.
    void DrawLabels(const GraphScale& scale, double yLabelColumn, const TickLabels& xLabels,
                    const TickLabels& yLabels);
    void DrawInvalidMessage();

private:
    void DrawClippedPath(const GraphScale& scale, const std::array<double, kSampleArraySize>& X,
                         const std::array<double, kSampleArraySize>& S, const QRectF& clip);
    QPointF CurvePoint(const GraphScale& scale, double x, double y) const;
    double SnapLine(double twips) const;
    QRectF FrameRect() const;
    void FillHairline(QPointF from, QPointF to);
    // `metrics` are those of the painter's current font on its device.
    void DrawTextAt(double leftTwips, double topTwips, const QString& text,
                    const QFontMetricsF& metrics);

    QPainter painter_;
    double dpr_;
    double H_;
    int hairlineDevicePixels_;
    bool vector_;
};

} // namespace kelvora
