// The random cases of the property tests, each evaluated once under the C locale and under a
// locale that groups thousands, with helpers to read the shown texts back as numbers.
#pragma once

#include "random_inputs.hpp"

#include "dist/calculate_results.hpp"

#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// GoogleTest shows QString values as their UTF-8 text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << text.toStdString();
}

namespace kelvora::properties {

// f, F, S, H, quantile, mean, variance.
inline constexpr int kOutputCount = 7;
enum Output { kDensity, kCumulative, kSurvival, kHazard, kQuantile, kMean, kVariance };
inline constexpr std::array<const char*, kOutputCount> kOutputNames = {
    "f", "F", "S", "H", "quantile", "mean", "variance"};

struct EvaluatedCase {
    RandomCase input;
    CalculationOutput plain;   // QLocale::c()
    CalculationOutput grouped; // en_US: comma thousands separator
};

QLocale GroupingLocale();

std::array<QString, kOutputCount> TextsOf(const ResultTexts& texts);

// The shown number of a C-locale text; no value for "N/A".
std::optional<double> ShownValue(const QString& text);

const char* DistributionName(DistributionId id);

// One line naming the distribution and the five input texts, for failure messages.
std::string Describe(const RandomCase& c);

// kCaseCount cases from a fixed seed, evaluated on first use and shared by the tests.
inline constexpr int kCaseCount = 3000;
const std::vector<EvaluatedCase>& EvaluatedCases();

} // namespace kelvora::properties
