// Curve sampling: the four functions of a distribution at 500 points of a range.
#pragma once

#include "distributions/distribution_id.hpp"

#include <array>
#include <string_view>

namespace kelvora {

inline constexpr int kSampleCount = 500;
inline constexpr int kSampleArraySize = 501; // entry 500 is never written

// Kept by the window; written only by SampleCurves. A sample whose value has no finite result
// (or whose routine faults) holds NaN and is left out of the curve and the extremes.
struct PlotSamples {
    std::array<double, kSampleArraySize> X{};
    std::array<double, kSampleArraySize> Pdf{};
    std::array<double, kSampleArraySize> Cdf{};
    std::array<double, kSampleArraySize> Survival{};
    std::array<double, kSampleArraySize> Hazard{};
};

struct PlotRange {
    double XMin = 0.0;
    double XMax = 0.0;
};

struct CurveExtremes {
    double MaxPdf = -999999.0;
    double MaxCdf = -999999.0;
    double MaxSurvival = -999999.0;
    double MinHazard = 999999.0;
    double MaxHazard = -999999.0;
};

// The parameter field texts the graph reads.
struct ParameterTexts {
    std::string_view text1;
    std::string_view text2;
    std::string_view text3;
};

// The graph's range for the distribution: fixed, or fitted from the first two parameter fields
// read as numbers without integer conversion (only the fields the distribution's rule uses).
// The ends are not checked: they may be equal (Binomial n = 0), reversed (a negative Binomial
// n) or non-finite (Geometric at p = 0). Returns false, leaving `range` unchanged, when a field
// the rule reads holds a number beyond the double range.
bool ChoosePlotRange(DistributionId id, const ParameterTexts& texts, PlotRange& range);

// Fills X (always, before validation) and, when the parameters are valid, Pdf, Cdf, Survival
// and, for the continuous distributions, Hazard, with the extremes. Returns false for invalid
// parameters (then only X was written).
bool SampleCurves(DistributionId id, const ParameterTexts& texts, double XMin, double XMax,
                  PlotSamples& samples, CurveExtremes& extremes);

} // namespace kelvora
