// True values for the accuracy report: Boost.Math evaluated in long double, for one distribution
// with one parameter set, in the terms the result fields use (x counts failures for the
// Geometric, the Gamma and Weibull take scale and shape, degrees of freedom are whole numbers).
#pragma once

#include "dist/parameters.hpp"

#include <memory>

namespace kelvora::accuracy {

using Real = long double;

// NaN stands for "no value": a moment that does not exist, a quantile level with no finite
// quantile. Infinite values (a density at a pole) are returned as such.
class Reference {
public:
    virtual ~Reference() = default;

    virtual bool IsDiscrete() const = 0;
    // The ends of the support (discrete: the lowest and highest count; may be infinite).
    virtual Real Lowest() const = 0;
    virtual Real Highest() const = 0;

    // At the field number x: the density, or the mass at the count the calculator takes for x
    // (floor(x)).
    virtual Real Density(Real x) const = 0;
    virtual Real Cumulative(Real x) const = 0;
    virtual Real Survival(Real x) const = 0;
    // The hazard f / (1 - F); NaN where the survival is 0 or for a discrete distribution.
    Real Hazard(Real x) const;

    // Continuous: the x with F(x) = q (the support's ends at q = 0 and 1). Discrete: the
    // smallest count k with F(k) >= q.
    virtual Real Quantile(Real q) const = 0;
    // The x with 1 - F(x) = s, for points in the far upper tail.
    virtual Real UpperQuantile(Real s) const = 0;

    // As the mean field shows it: for the Geometric the number of trials, 1/p.
    virtual Real Mean() const = 0;
    virtual Real Variance() const = 0;
};

// The reference for a checked parameter set (from ReadParameters).
std::unique_ptr<Reference> MakeReference(const DistributionParameters& p);

} // namespace kelvora::accuracy
