// Gamma-family special functions: log-gamma, gamma, the regularised lower incomplete gamma
// ratio, a short Stirling log-gamma for solver start values, and ln n!.
#pragma once

#include "specfun/arithmetic.hpp"

namespace kelvora {

// ln Gamma(x), SPECFUN rational approximations (ACM TOMS 715); 0 for x <= 0 or x > 4.08e36.
double LogGamma(double x);

// Gamma(x), SPECFUN scheme; 0 at the poles, for 0 < x < 1.18e-38 and for x > 35.04.
double GammaFunction(double x);

// P(a, x) by the method of AS 239 with tolerance 1e-7; 0 for a <= 0 or x <= 0.
double IncompleteGammaRatio(double a, double x);

// A short Stirling series for ln Gamma(x), x > 0 (start values of the F and t solvers only).
double LogGammaStirling(double x);

// ln n! summed in ascending order; 0 for n < 2.
double LogFactorial(Int16 n);

} // namespace kelvora
