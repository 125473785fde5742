#include "distributions/hazard.hpp"

#include "distributions/continuous.hpp"

#include <cmath>

namespace kelvora {

std::optional<double> UpperTailSurvival(const DistributionParameters& p, double x) {
    using Id = DistributionId;
    // The same parameter slots and standard forms as the cumulative of the result calculation
    // and the sampling.
    switch (p.id) {
    case Id::Beta:
        return BetaSurvival(x, p.real1, p.real2);
    case Id::Cauchy:
        return CauchySurvival(x, p.real1, p.real2);
    case Id::ChiSquare:
        return ChiSquareSurvival(x, p.count1);
    case Id::Exponential:
        return ExponentialSurvival(x, 0.0, p.real2);
    case Id::F:
        return FSurvival(x, p.count1, p.count2);
    case Id::Gamma:
        return GammaSurvival(x, 0.0, p.real1, p.real2);
    case Id::Lognormal:
        return LognormalSurvival(x, p.real1, p.real2);
    case Id::Normal:
        return NormalSurvival(x, p.real1, p.real2);
    case Id::Rayleigh:
        return RayleighSurvival(x, p.real1);
    case Id::StudentT:
        return StudentTSurvival(x, 0.0, 1.0, p.count1);
    case Id::Uniform:
        return UniformSurvival(x, p.real1, p.real2);
    case Id::Weibull:
        return WeibullSurvival(x, 0.0, p.real1, p.real2);
    case Id::Binomial:
    case Id::Geometric:
    case Id::Hypergeometric:
    case Id::Poisson:
        break;
    }
    return std::nullopt;
}

std::optional<double> Hazard(const DistributionParameters& p, double x, double density,
                             double cumulative) {
    if (IsDiscrete(p.id)) {
        return std::nullopt;
    }
    return HazardFrom(density, cumulative, [&] { return UpperTailSurvival(p, x); });
}

std::optional<double> DensityAtLowerEnd(const DistributionParameters& p) {
    // The exponent of x in the density near 0, and the limit where that exponent is 0.
    double power = 0.0;
    double limit = 0.0;
    switch (p.id) {
    case DistributionId::Beta:
        power = p.real1 - 1.0;
        limit = p.real2;
        break;
    case DistributionId::ChiSquare:
        power = p.count1 / 2.0 - 1.0;
        limit = 0.5;
        break;
    case DistributionId::F:
        power = p.count1 / 2.0 - 1.0;
        limit = 1.0;
        break;
    case DistributionId::Gamma:
    case DistributionId::Weibull:
        power = p.real2 - 1.0;
        limit = 1.0 / p.real1;
        break;
    case DistributionId::Exponential:
        limit = 1.0 / p.real2;
        break;
    default:
        return std::nullopt;
    }
    if (power < 0.0) {
        return std::nullopt;
    }
    return power == 0.0 ? limit : 0.0;
}

} // namespace kelvora
