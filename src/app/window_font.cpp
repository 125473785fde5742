#include "app/window_font.hpp"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace kelvora {

namespace {

constexpr const char* kSimplifiedChineseFamily = "Noto Sans CJK SC";

bool CaptionsFit(const QFont& font, const std::vector<CaptionBox>& boxes) {
    const QFontMetrics metrics(font);
    for (const CaptionBox& box : boxes) {
        for (const QString& caption : box.captions) {
            if (metrics.horizontalAdvance(caption) > box.width) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

QFont WithSimplifiedChineseFallback(const QFont& font) {
    const QString chinese = QString::fromLatin1(kSimplifiedChineseFamily);
    if (!QFontDatabase::hasFamily(chinese)) {
        return font;
    }
    // A list of families skips aliases such as "Sans Serif": name the face they resolve to.
    QStringList families{QFontInfo(font).family()};
    if (families.front() != chinese) {
        families.append(chinese);
    }
    QFont result = font;
    result.setFamilies(families);
    return result;
}

QFont FontFittingCaptions(const QFont& font, const std::vector<CaptionBox>& boxes) {
    if (font.pointSizeF() <= 0 || CaptionsFit(font, boxes)) {
        return font;
    }
    QFont smaller = font;
    for (qreal size = font.pointSizeF() - 0.5; size > kSmallestCaptionPointSize; size -= 0.5) {
        smaller.setPointSizeF(size);
        if (CaptionsFit(smaller, boxes)) {
            return smaller;
        }
    }
    smaller.setPointSizeF(kSmallestCaptionPointSize);
    return smaller;
}

} // namespace kelvora
