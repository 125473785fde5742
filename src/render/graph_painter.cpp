#include "render/graph_painter.hpp"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kelvora {

using namespace graph_layout;

namespace {

const QColor kCurveColour(0, 0, 255);
const QColor kFrameColour(0, 0, 0);
const QColor kTextColour(0, 0, 0);
// Light enough that the curve, the ticks and the frame keep their contrast over it.
const QColor kShadeColour(200, 215, 255);
constexpr double kCurveWidthPx = 2.0;

// A curve point this far outside the area is drawn at this distance: Qt's rasteriser works in
// fixed point and must not see huge coordinates. Far beyond the area a point's direction from
// its visible neighbour is nearly vertical either way, so the visible part does not change.
constexpr double kFarTwips = 1.0e7;

double PxOf(double twips) {
    return twips / kTwipsPerPixel;
}

// Linux has neither "MS Sans Serif" nor "Times New Roman": the labels take Liberation Sans, a
// sans serif of the same proportions, and the Chinese message a Simplified Chinese serif.
QFont LabelFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.0);
    return font;
}

QFont MessageFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK"),
                      QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(18.0);
    return font;
}

// Cuts the segment from a to b down to its part inside `clip` (Liang and Barsky's parametric
// clipping). False when no part of it lies inside.
bool ClipSegment(const QRectF& clip, QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    // For each edge: p * t <= q keeps the point a + t (b - a) on the inner side.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - clip.left(), clip.right() - a.x(), a.y() - clip.top(),
                         clip.bottom() - a.y()};
    double enter = 0.0;
    double leave = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false; // parallel to this edge and outside it
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
    }
    if (enter > leave) {
        return false;
    }
    const QPointF from = a;
    if (enter > 0.0) {
        a = QPointF(from.x() + enter * dx, from.y() + enter * dy);
    }
    if (leave < 1.0) {
        b = QPointF(from.x() + leave * dx, from.y() + leave * dy);
    }
    return true;
}

} // namespace

QString InvalidParameterMessage() {
    return QStringLiteral("错误：非法参数。");
}

GraphPainter::GraphPainter(QPaintDevice& device)
    : painter_(&device), dpr_(device.devicePixelRatioF()),
      H_(std::round(device.height() / device.devicePixelRatioF() * kTwipsPerPixel)),
      hairlineDevicePixels_(std::max(1, static_cast<int>(std::lround(device.devicePixelRatioF())))),
      vector_(painter_.paintEngine() != nullptr &&
              painter_.paintEngine()->type() != QPaintEngine::Raster) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

void GraphPainter::FillBackground() {
    const QPaintDevice* device = painter_.device();
    painter_.fillRect(QRectF(0.0, 0.0, device->width() / dpr_, device->height() / dpr_), Qt::white);
}

// A line hairlineDevicePixels_ wide whose centre lies here covers whole device pixels, starting
// with the one that holds the position.
double GraphPainter::SnapLine(double twips) const {
    const double device = PxOf(twips) * dpr_;
    return (std::floor(device) + hairlineDevicePixels_ / 2.0) / dpr_;
}

QPointF GraphPainter::CurvePoint(const GraphScale& scale, double x, double y) const {
    const double sx = std::clamp(scale.MapX(x), -kFarTwips, kFarTwips);
    const double sy = std::clamp(scale.MapY(y), -kFarTwips, kFarTwips);
    return {PxOf(sx), PxOf(sy)};
}

void GraphPainter::FillUnderCurve(const GraphScale& scale,
                                  const std::array<double, kSampleArraySize>& X,
                                  const std::array<double, kSampleArraySize>& S, double from,
                                  double to) {
    if (!(from < to)) {
        return;
    }
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(kShadeColour);
    painter_.setClipRect(FrameRect());

    // One polygon per unbroken run of the line: its points along the line, closed along the
    // axis. Two points per segment at most, and the two on the axis.
    const double axis = CurvePoint(scale, 0.0, 0.0).y();
    std::array<QPointF, 2 * kSampleCount + 2> polygon;
    std::size_t count = 0;
    const auto flush = [&] {
        if (count >= 2) {
            polygon[count] = QPointF(polygon[count - 1].x(), axis);
            polygon[count + 1] = QPointF(polygon[0].x(), axis);
            painter_.drawPolygon(polygon.data(), static_cast<int>(count + 2));
        }
        count = 0;
    };
    for (std::size_t i = 0; i + 1 < kSampleCount; ++i) {
        const double x0 = X[i];
        const double x1 = X[i + 1];
        const double lo = std::max(std::min(x0, x1), from);
        const double hi = std::min(std::max(x0, x1), to);
        if (!(std::isfinite(x0) && std::isfinite(x1) && std::isfinite(S[i]) &&
              std::isfinite(S[i + 1]) && x0 != x1 && lo < hi)) {
            flush();
            continue;
        }
        // The line's height at u, as the curve's straight segment draws it.
        const auto at = [&](double u) {
            return CurvePoint(scale, u, S[i] + (S[i + 1] - S[i]) * ((u - x0) / (x1 - x0)));
        };
        polygon[count++] = at(x0 < x1 ? lo : hi);
        polygon[count++] = at(x0 < x1 ? hi : lo);
    }
    flush();
    painter_.restore();
}

void GraphPainter::DrawCurve(const GraphScale& scale, const std::array<double, kSampleArraySize>& X,
                             const std::array<double, kSampleArraySize>& S) {
    QPen pen(kCurveColour, kCurveWidthPx);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);

    // The curve stays inside the frame's outer edge: a curve along an axis would otherwise show
    // half its width outside.
    const double halfLine = hairlineDevicePixels_ / dpr_ / 2.0;
    const QRectF clip = FrameRect().adjusted(-halfLine, -halfLine, halfLine, halfLine);
    if (vector_) {
        DrawClippedPath(scale, X, S, clip);
        return;
    }
    painter_.setClipRect(clip);

    std::array<QLineF, kSampleCount - 1> segments;
    int count = 0;
    for (std::size_t i = 0; i + 1 < kSampleCount; ++i) {
        if (std::isfinite(X[i]) && std::isfinite(S[i]) && std::isfinite(X[i + 1]) &&
            std::isfinite(S[i + 1])) {
            segments[static_cast<std::size_t>(count++)] =
                QLineF(CurvePoint(scale, X[i], S[i]), CurvePoint(scale, X[i + 1], S[i + 1]));
        }
    }
    painter_.drawLines(segments.data(), count);
    painter_.setClipping(false);
}

void GraphPainter::DrawClippedPath(const GraphScale& scale,
                                   const std::array<double, kSampleArraySize>& X,
                                   const std::array<double, kSampleArraySize>& S,
                                   const QRectF& clip) {
    // A subpath runs while consecutive visible segments join; a left-out sample or a stretch
    // outside the frame starts a new one.
    QPainterPath path;
    bool joined = false;
    QPointF last;
    for (std::size_t i = 0; i + 1 < kSampleCount; ++i) {
        if (!(std::isfinite(X[i]) && std::isfinite(S[i]) && std::isfinite(X[i + 1]) &&
              std::isfinite(S[i + 1]))) {
            joined = false;
            continue;
        }
        QPointF a = CurvePoint(scale, X[i], S[i]);
        QPointF b = CurvePoint(scale, X[i + 1], S[i + 1]);
        if (!ClipSegment(clip, a, b)) {
            joined = false;
            continue;
        }
        if (!joined || a != last) {
            path.moveTo(a);
        }
        path.lineTo(b);
        last = b;
        joined = true;
    }
    if (!path.isEmpty()) {
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPath(path);
    }
}

// The centre lines of the frame's four sides.
QRectF GraphPainter::FrameRect() const {
    const double left = SnapLine(kPlotLeft);
    const double right = SnapLine(kPlotLeft + kPlotWidth);
    const double bottom = SnapLine(H_ - kBottomMargin);
    const double top = SnapLine(H_ - kBottomMargin - kPlotHeight);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// Frame and ticks are filled as whole device pixels, corners included, so they stay sharp
// even with antialiasing on.
void GraphPainter::FillHairline(QPointF from, QPointF to) {
    const double half = hairlineDevicePixels_ / dpr_ / 2.0;
    const QRectF line = QRectF(from, to).normalized().adjusted(-half, -half, half, half);
    const auto snap = [this](double v) { return std::round(v * dpr_) / dpr_; };
    painter_.fillRect(QRectF(QPointF(snap(line.left()), snap(line.top())),
                             QPointF(snap(line.right()), snap(line.bottom()))),
                      kFrameColour);
}

void GraphPainter::DrawFrameAndTicks(const GraphScale& scale) {
    const QRectF frame = FrameRect();
    FillHairline(frame.topLeft(), frame.topRight());
    FillHairline(frame.topRight(), frame.bottomRight());
    FillHairline(frame.bottomLeft(), frame.bottomRight());
    FillHairline(frame.topLeft(), frame.bottomLeft());

    // Ticks start on the frame line and reach 100 twips into the frame.
    const double tick = PxOf(kTickLength);
    for (int i = 0; i < kTickCount; ++i) {
        const double ys = SnapLine(scale.YTickPosition(i));
        FillHairline(QPointF(frame.left(), ys), QPointF(frame.left() + tick, ys));
        const double xs = SnapLine(scale.XTickPosition(i));
        FillHairline(QPointF(xs, frame.bottom()), QPointF(xs, frame.bottom() - tick));
    }
}

void GraphPainter::DrawTextAt(double leftTwips, double topTwips, const QString& text,
                              const QFontMetricsF& metrics) {
    // A text that would run past the right edge (a long last x label) moves left just enough
    // to be read whole.
    const double areaWidth = painter_.device()->width() / dpr_;
    const double left =
        std::max(0.0, std::min(PxOf(leftTwips), areaWidth - metrics.horizontalAdvance(text)));
    // Whole device pixels for the baseline and the left edge keep the glyphs sharp.
    const double x = std::floor(left * dpr_) / dpr_;
    const double baseline = std::round((PxOf(topTwips) + metrics.ascent()) * dpr_) / dpr_;
    painter_.drawText(QPointF(x, baseline), text);
}

void GraphPainter::DrawLabels(const GraphScale& scale, double yLabelColumn,
                              const TickLabels& xLabels, const TickLabels& yLabels) {
    painter_.setFont(LabelFont());
    painter_.setPen(kTextColour);
    const QFontMetricsF metrics(painter_.font(), painter_.device());
    for (int i = 0; i < kTickCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        DrawTextAt(yLabelColumn, scale.YTickPosition(i) - kLabelOffset, yLabels[at], metrics);
        DrawTextAt(scale.XTickPosition(i) - kLabelOffset, H_ - kBottomMargin + kLabelOffset,
                   xLabels[at], metrics);
    }
}

void GraphPainter::DrawInvalidMessage() {
    painter_.setFont(MessageFont());
    painter_.setPen(kTextColour);
    DrawTextAt(kMessageX, H_ - kMessageAboveBottom, InvalidParameterMessage(),
               QFontMetricsF(painter_.font(), painter_.device()));
}

} // namespace kelvora
