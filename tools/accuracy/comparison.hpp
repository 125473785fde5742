// One shown result against its true value, by the accuracy contract: a four-decimal text is
// right within half a unit of its last decimal plus 1e-5 of the value, a discrete quantile is
// exact, and "N/A" is right only where no finite true value exists within the double range.
#pragma once

#include "distributions/parameters.hpp"

#include <QString>

#include <array>
#include <vector>

namespace kelvora::accuracy {

// Wide enough for the truth table's values and the comparison of a shown text with them.
using Real = long double;

enum class Output { Density, Cumulative, Survival, Hazard, Quantile, Mean, Variance };
inline constexpr int kOutputCount = 7;
inline constexpr std::array<Output, kOutputCount> kOutputs = {
    Output::Density,  Output::Cumulative, Output::Survival, Output::Hazard,
    Output::Quantile, Output::Mean,       Output::Variance};

const char* OutputName(Output output);

// |shown - v| <= kHalfDigit + kRelative |v|; the half unit with room for the binary value of a
// decimal text.
inline constexpr double kHalfDigit = 0.5e-4 * (1.0 + 1e-9);
inline constexpr double kRelative = 1e-5;

enum class Verdict {
    Agrees,            // within the contract, or "N/A" where no finite true value exists
    WrongValue,        // (a) a number too far from the true value, or where none exists
    FalseNotAvailable, // (b) "N/A" although the true value is a finite double
    NoTruth,           // (c) the truth table has no line for the case
    Convention,        // a kept convention: the shown value departs from the true one on purpose
};

// What one case puts into the fields: the checked parameters and the field numbers of x and q.
struct CaseValues {
    DistributionParameters params;
    double x = 0.0;
    double q = 0.0;
};

// A line of the truth table.
struct Truth {
    Real value = 0;         // NaN where no value exists, infinite where the value is
    std::vector<Real> also; // discrete quantiles: counts also right (q ties a cumulative)
};

struct Comparison {
    Output output = Output::Density;
    Verdict verdict = Verdict::Agrees;
    Real shown = 0;      // NaN for "N/A"
    Real truth = 0;      // NaN where no value exists
    Real error = 0;      // |shown - truth| in units of the allowance; infinite for (b) and (c)
    int convention = -1; // the index in Conventions() of a kept convention
};

// `truth` is null where the table has no line for the case.
Comparison Compare(Output output, const QString& shownText, const CaseValues& values,
                   const Truth* truth);

// The kept conventions, the only departures from the true value the comparison accepts.
struct Convention {
    const char* name;
    bool (*applies)(const CaseValues& values, Output output, Real shown);
};
inline constexpr int kConventionCount = 3;
const std::array<Convention, kConventionCount>& Conventions();

} // namespace kelvora::accuracy
