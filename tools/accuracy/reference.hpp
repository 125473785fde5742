// Boost.Math in long double, for building the grid: the points at levels of a distribution, the
// ends of its support, and the start of the truth generator's root search for a quantile. Never
// the true values: those come from the mpmath table (truth.hpp).
#pragma once

#include "distributions/parameters.hpp"

#include <memory>

namespace kelvora::accuracy {

using Real = long double;

// NaN stands for "no value"; the terms are the result fields' (x counts failures for the
// Geometric, the Gamma and Weibull take scale and shape, degrees of freedom are whole numbers).
class Reference {
public:
    virtual ~Reference() = default;

    virtual bool IsDiscrete() const = 0;
    // The ends of the support (discrete: the lowest and highest count; may be infinite).
    virtual Real Lowest() const = 0;
    virtual Real Highest() const = 0;

    // Continuous: the x with F(x) = q (the support's ends at q = 0 and 1). Discrete: the
    // smallest count k with F(k) >= q.
    virtual Real Quantile(Real q) const = 0;
    // The x with 1 - F(x) = s, for points in the far upper tail.
    virtual Real UpperQuantile(Real s) const = 0;
};

// The reference for a checked parameter set (from ReadParameters).
std::unique_ptr<Reference> MakeReference(const DistributionParameters& p);

} // namespace kelvora::accuracy
