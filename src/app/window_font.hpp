// The font of the main window. Its controls sit at fixed pixel places made for a narrow
// 8-point face; a wider default face (DejaVu Sans at 9 points, say) would cut off captions
// such as "v1" or "0<p<1", so the window steps its font size down until every caption fits.
#pragma once

#include <QFont>
#include <QStringList>

#include <vector>

namespace kelvora {

// A label's width and every caption it can show.
struct CaptionBox {
    int width = 0;
    QStringList captions;
};

// Puts the installed Simplified Chinese face after the font's own family, so that Chinese
// captions take Simplified glyph forms whatever the machine's language. Latin text keeps the
// font's own face.
QFont WithSimplifiedChineseFallback(const QFont& font);

// `font` if every caption fits its box; otherwise the largest point size, in half-point steps
// down to kSmallestCaptionPointSize, at which they all fit (or that smallest size).
QFont FontFittingCaptions(const QFont& font, const std::vector<CaptionBox>& boxes);

inline constexpr qreal kSmallestCaptionPointSize = 6.5;

} // namespace kelvora
