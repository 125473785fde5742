// Result texts: four decimals in the user's number format, with the integer zero left out
// below 1 (.2500 rather than 0.2500), the way the result fields have always been read.
#include "results/calculate_results.hpp"

#include <cmath>

namespace kelvora {

namespace {

constexpr int kResultDecimals = 4;

// Below this magnitude a value rounds to zero at four decimals.
constexpr double kHalfLastDecimal = 0.00005;

} // namespace

QString FormatResult(double v, const QLocale& locale) {
    if (!std::isfinite(v)) {
        return kNotAvailable;
    }
    // A value that rounds to zero shows as zero, never as "-.0000": a survival of -2e-10 where
    // a summed cumulative ends a hair above 1 is zero to the four decimals shown.
    if (std::fabs(v) < kHalfLastDecimal) {
        v = 0.0;
    }
    QString text = locale.toString(v, 'f', kResultDecimals);

    // The zero is dropped from the rounded text, not from v: 0.99996 rounds to 1.0000 and
    // keeps its digit.
    const QString negative = locale.negativeSign();
    const qsizetype start = text.startsWith(negative) ? negative.size() : 0;
    const QString zero = locale.zeroDigit();
    if (QStringView(text).mid(start).startsWith(zero + locale.decimalPoint())) {
        text.remove(start, zero.size());
    }
    return text;
}

} // namespace kelvora
