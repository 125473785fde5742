// The continuous tails, density and hazard in long double, for the readout's ten digits: the
// extra bits and the wider exponent range keep full relative accuracy where the double forms
// underflow (tails near 1e-300, the t and Cauchy densities at 1e150 and beyond). Boost.Math's
// distributions instantiated for long double.
#pragma once

#include "distributions/parameters.hpp"

namespace kelvora {

// P(X <= x) and P(X > x), each evaluated directly; NaN where they cannot be evaluated.
long double PreciseLower(const DistributionParameters& p, double x);
long double PreciseUpper(const DistributionParameters& p, double x);

// The density, at the lower end of the support its right-hand limit (+inf where infinite).
long double PreciseDensity(const DistributionParameters& p, double x);

// The hazard f / S; far out, where S leaves even the long double range, the double
// continued-fraction forms; NaN where S = 0.
long double PreciseHazard(const DistributionParameters& p, double x);

} // namespace kelvora
