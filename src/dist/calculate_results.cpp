#include "dist/calculate_results.hpp"

namespace kelvora {

QString FormatResult(double v, const QLocale& locale) {
    return locale.toString(v, 'f', 4);
}

CalculationOutput CalculateResults(DistributionId, const InputTexts&, const QLocale&) {
    return {};
}

} // namespace kelvora
