// The sixteen distributions, in selector order.
#pragma once

namespace kelvora {

enum class DistributionId : int {
    Beta = 0,
    Binomial = 1,
    Cauchy = 2,
    ChiSquare = 3,
    Exponential = 4,
    F = 5,
    Gamma = 6,
    Geometric = 7,
    Hypergeometric = 8,
    Lognormal = 9,
    Normal = 10,
    Poisson = 11,
    Rayleigh = 12,
    StudentT = 13,
    Uniform = 14,
    Weibull = 15,
};

inline constexpr int kDistributionCount = 16;

constexpr bool IsDiscrete(DistributionId id) {
    return id == DistributionId::Binomial || id == DistributionId::Geometric ||
           id == DistributionId::Hypergeometric || id == DistributionId::Poisson;
}

} // namespace kelvora
