// One shown result against its true value: within what the algorithms promise, a wrong value,
// or "N/A" where a finite true value exists.
#pragma once

#include "reference.hpp"

#include "dist/parameters.hpp"

#include <QString>

#include <array>

namespace kelvora::accuracy {

enum class Output { Density, Cumulative, Survival, Hazard, Quantile, Mean, Variance };
inline constexpr int kOutputCount = 7;
inline constexpr std::array<Output, kOutputCount> kOutputs = {
    Output::Density,  Output::Cumulative, Output::Survival, Output::Hazard,
    Output::Quantile, Output::Mean,       Output::Variance};

const char* OutputName(Output output);

enum class Verdict {
    Agrees,            // within the allowance, or "N/A" where no finite true value exists
    WrongValue,        // (a) a number farther from the true value than the allowance
    FalseNotAvailable, // (b) "N/A" although the true value is finite and a double
};

// What one case puts into the fields: the checked parameters, the field numbers of x and q
// (no x where the text has no usable number).
struct CaseValues {
    DistributionParameters params;
    bool hasX = false;
    double x = 0.0;
    double q = 0.0;
};

struct Comparison {
    Output output = Output::Density;
    Verdict verdict = Verdict::Agrees;
    Real shown = 0;     // NaN for "N/A"
    Real truth = 0;     // NaN where no value exists
    Real error = 0;     // |shown - truth|; infinite where only one of them is finite
    Real allowance = 0; // the largest error the algorithms' accuracy allows
    // Quantiles of continuous distributions: how far q lies outside the true cumulative
    // around the shown quantile (0 when it is met). NaN otherwise.
    Real levelError = 0;
    // The hazard: the true survival it divides by. NaN otherwise.
    Real survival = 0;
};

Comparison Compare(Output output, const QString& shownText, const Reference& truth,
                   const CaseValues& values);

} // namespace kelvora::accuracy
