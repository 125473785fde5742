// Result texts: four decimals in the user's number format, with the integer zero left out
// below 1 (.2500 rather than 0.2500), the way the result fields have always been read.
#include "dist/calculate_results.hpp"

#include <cmath>

namespace kelvora {

namespace {

constexpr int kResultDecimals = 4;

} // namespace

QString FormatResult(double v, const QLocale& locale) {
    if (!std::isfinite(v)) {
        return kNotAvailable;
    }
    QString text = locale.toString(v, 'f', kResultDecimals);

    // The zero is dropped from the rounded text, not from v: 0.99996 rounds to 1.0000 and
    // keeps its digit, -0.00004 rounds to -0.0000 and shows -.0000.
    const QString negative = locale.negativeSign();
    const qsizetype start = text.startsWith(negative) ? negative.size() : 0;
    const QString zero = locale.zeroDigit();
    if (QStringView(text).mid(start).startsWith(zero + locale.decimalPoint())) {
        text.remove(start, zero.size());
    }
    return text;
}

} // namespace kelvora
