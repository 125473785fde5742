// Short forms used by the chi-square and t solvers' evaluators alone (see solver_forms.cpp).
#pragma once

namespace kelvora {

// Phi(x) by Abramowitz and Stegun 7.1.28, |error| <= 1.5e-7.
double StandardNormalCdfErf(double x);
// Gamma(x) by recurrence to [2, 3) and a short polynomial.
double GammaRecurrencePoly(double x);

} // namespace kelvora
