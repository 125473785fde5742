#include "distributions/hazard.hpp"

namespace kelvora {

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
