// Curve sampling: the four functions of a distribution at 500 points of a range. The registry's
// SampleCurves and ChoosePlotRange put it together for a distribution.
#pragma once

#include "distributions/distribution_id.hpp"

#include <array>
#include <string_view>

namespace kelvora {

inline constexpr int kSampleCount = 500;
inline constexpr int kSampleArraySize = 501; // entry 500 is never written

// Kept by the window; written only by the sampling. A sample whose value has no finite result
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

// X of the 500 samples: equally spaced from XMin, the last one step short of XMax.
void PlaceSamples(double XMin, double XMax, PlotSamples& samples);

// The extremes over the samples (left-out samples are NaN and never count).
void FindExtremes(const PlotSamples& samples, CurveExtremes& extremes);

} // namespace kelvora
