// Accurate evaluations of the twelve continuous distributions, used to check what the written
// routines give and to stand in where they miss: a fault (a 16-bit counter, an overflowing
// intermediate), a truncated series (AS 63's 1e-7 term test for large shapes) or an
// approximation whose error reaches the shown digits (the incomplete gamma's normal
// approximation above shape 1000). Boost.Math's special functions in double precision
// (ibeta, gamma_p, erfc and their complements) give each tail directly, to a few units in the
// last place, and continued fractions give the hazard far out where density and survival both
// underflow.
#pragma once

#include "distributions/parameters.hpp"

namespace kelvora {

// The closed support [lowest, highest] of a continuous distribution (ends may be infinite).
struct Support {
    double lowest;
    double highest;
};
Support ContinuousSupport(const DistributionParameters& p);

// P(X <= x) and P(X > x), each evaluated directly (never one as 1 minus the other). NaN where the
// parameters cannot be evaluated.
double AccurateLower(const DistributionParameters& p, double x);
double AccurateUpper(const DistributionParameters& p, double x);

// The density; at the lower end of the support its right-hand limit (+inf where infinite).
double AccurateDensity(const DistributionParameters& p, double x);

// The hazard f / S, also far out where f and S both underflow; NaN where S = 0.
double AccurateHazard(const DistributionParameters& p, double x);

// Boost.Math's q-quantile for 0 < q < 1 (from the complement above 1/2), a close start for a
// search on the tails above; NaN where it cannot be evaluated.
double AccurateQuantileStart(const DistributionParameters& p, double q);

// What a result field promises: its four-decimal text lies within half a unit of the fourth
// decimal plus 1e-5 of the value from the true value.
double FourDecimalValue(double v); // the value of v's four-decimal text
double ShownTolerance(double v);   // 0.5e-4 + 1e-5 |v|
// True when v's four-decimal text keeps that promise for the true value `truth`.
bool ShowsWithinTolerance(double v, double truth);

} // namespace kelvora
