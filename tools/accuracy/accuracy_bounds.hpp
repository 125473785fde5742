// What each output's algorithm promises: the accuracy the comparison allows on top of the
// four-decimal rounding of the shown text.
#pragma once

#include "comparison.hpp"

#include "dist/parameters.hpp"

namespace kelvora::accuracy {

// Half a unit of the fourth decimal, with room for the binary value of the decimal text.
inline constexpr double kHalfDigit = 0.5e-4 * (1.0 + 1e-9);

struct Accuracy {
    double absolute = 0.0;
    double relative = 0.0;
};

// Density or mass, cumulative, survival, mean and variance.
Accuracy ValueAccuracy(const DistributionParameters& p, Output output);

// The survival's relative accuracy in the upper-tail routine the hazard divides by far out.
double SurvivalRelativeAccuracy(const DistributionParameters& p);

// The absolute accuracy of the cumulative.
double CumulativeAccuracy(DistributionId id);

// The relative error of the survival the hazard f / S divides by, at the true survival S: down
// to kUpperTailSurvival the hazard divides by 1 - F, which carries the cumulative's absolute
// error (relative to S); below it by the upper-tail routine, good to `upperTailRelative`.
double HazardSurvivalError(Real survival, double cumulativeAbsolute, double upperTailRelative);

// Continuous quantiles: the shown x is right when the true cumulative reaches q somewhere in
// the interval of x values the shown text stands for, widened by `relative` |x|, to within
// `levelAbsolute` + `levelRelative` min(q, 1 - q). The relative part holds the far tails to
// the digits of their own size.
struct QuantileAccuracy {
    double levelAbsolute = 0.0;
    double levelRelative = 0.0;
    double relative = 0.0;
};
QuantileAccuracy QuantileAccuracyOf(const DistributionParameters& p);

// Discrete quantiles are exact, except where q equals a cumulative value to within the
// rounding of the sums: any count whose cumulative lies within this of q is accepted.
double DiscreteLevelTie(const DistributionParameters& p);

} // namespace kelvora::accuracy
