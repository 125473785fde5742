// The stated accuracy of each algorithm behind the shown results. Where a routine is a closed
// form the bound is a few hundred roundings; where it is a series or an iteration, it is the
// routine's own tolerance with a margin for the remainder it leaves.
#include "accuracy_bounds.hpp"

#include "dist/hazard.hpp"

namespace kelvora::accuracy {

namespace {

using Id = DistributionId;

// AS 63 and AS 239 stop at a term or a convergent change of 1e-7; the remainder after that
// term is a few times its size.
constexpr double kIncompleteRatio = 1e-6;
// AS 66: rational forms good to about 1e-9 absolute in Phi, and to 1e-8 relative in its tail.
constexpr double kNormalTail = 1e-9;
constexpr double kNormalTailRelative = 1e-8;
// Closed forms and the exact sums of the discrete distributions, evaluated in double: powers
// with exponents of tens of thousands and sums of up to 32767 terms lose some digits.
constexpr double kClosedForm = 1e-12;
constexpr double kLongSum = 1e-9;
constexpr double kPowers = 1e-9;
constexpr double kMoments = 1e-10;
// The level q itself, as a double.
constexpr double kExactLevel = 1e-15;

bool UsesIncompleteRatio(Id id) {
    return id == Id::Beta || id == Id::F || id == Id::StudentT || id == Id::Gamma ||
           id == Id::ChiSquare;
}

} // namespace

double CumulativeAccuracy(DistributionId id) {
    if (UsesIncompleteRatio(id)) {
        return kIncompleteRatio;
    }
    switch (id) {
    case Id::Normal:
    case Id::Lognormal:
        return kNormalTail;
    case Id::Binomial:
    case Id::Hypergeometric:
    case Id::Poisson:
        return kLongSum;
    default:
        return kClosedForm;
    }
}

double HazardSurvivalError(Real survival, double cumulativeAbsolute, double upperTailRelative) {
    if (survival >= kUpperTailSurvival) {
        return static_cast<double>(cumulativeAbsolute / survival);
    }
    return upperTailRelative;
}

Accuracy ValueAccuracy(const DistributionParameters& p, Output output) {
    switch (output) {
    case Output::Density:
        return {0.0, kPowers};
    case Output::Cumulative:
    case Output::Survival:
        return {CumulativeAccuracy(p.id), 0.0};
    case Output::Mean:
    case Output::Variance:
        return {0.0, kMoments};
    case Output::Hazard:   // depends on the survival: see HazardSurvivalError
    case Output::Quantile: // compared in the level: see QuantileAccuracyOf
        break;
    }
    return {};
}

double SurvivalRelativeAccuracy(const DistributionParameters& p) {
    if (UsesIncompleteRatio(p.id)) {
        return kIncompleteRatio;
    }
    if (p.id == Id::Normal || p.id == Id::Lognormal) {
        return kNormalTailRelative;
    }
    return kClosedForm;
}

QuantileAccuracy QuantileAccuracyOf(const DistributionParameters& p) {
    switch (p.id) {
    case Id::Beta:
        // Series inversion of the AS 63 cumulative, stopping at a term of 1e-6 of the estimate.
        return {kIncompleteRatio, 1e-6, 1e-6};
    case Id::ChiSquare:
    case Id::StudentT:
        // Newton to a relative step of 1e-6 on the solvers' evaluators, whose odd-df forms
        // rest on A&S 7.1.28 (Phi to 1.5e-7).
        return {2e-7, 1e-6, 1e-6};
    case Id::F:
        // Newton to a relative step of 1e-6 on the AS 63 cumulative.
        return {kIncompleteRatio, 1e-6, 1e-6};
    case Id::Gamma:
        // Cephes igami: 1e-15 on its own incomplete gamma pair.
        return {kExactLevel, 1e-9, 1e-12};
    case Id::Normal:
    case Id::Lognormal:
        // The normal upper point is one polynomial in -ln(4q(1 - q)).
        return {kExactLevel, 1e-6, 0.0};
    default:
        // Closed forms; -ln(1 - q) alone is off by 1e-16 / q relative.
        return {kExactLevel, 1e-9, 1e-13};
    }
}

double DiscreteLevelTie(const DistributionParameters&) {
    return kLongSum;
}

} // namespace kelvora::accuracy
