// kelvora-calc's tools: the values table, the interval probabilities and the central interval,
// each written as text the way the window's tools show them.
#pragma once

#include "catalogue/catalogue.hpp"
#include "cli/arguments.hpp"

#include <QLocale>

#include <string>

namespace kelvora {

// --table: a header line "x<TAB>f<TAB>F<TAB>S<TAB>H", then one row per x with the four texts
// the fields show at that x (H empty for a discrete distribution), or their readouts with
// `precise`. Returns the exit status: 1, with `error` set and no text, for invalid parameters.
int TableText(const CalcArguments& args, const DistributionCatalogue& catalogue,
              const QLocale& locale, std::string& text, std::string& error);

// --interval: "P(X ≤ a)", "P(a < X ≤ b)" and "P(X > b)" (over ⌊a⌋ and ⌊b⌋ for a discrete
// distribution), one labelled line each, as the single calculation writes its results.
std::string IntervalText(const CalcArguments& args, const DistributionCatalogue& catalogue,
                         const QLocale& locale);

// --central: the ends "x₁" and "x₂", and for a discrete distribution "P(x₁ ≤ X ≤ x₂)".
std::string CentralText(const CalcArguments& args, const DistributionCatalogue& catalogue,
                        const QLocale& locale);

} // namespace kelvora
