// The approximate quantiles from which the chi-square, F and t solvers start their Newton
// iterations. Each takes the upper-tail probability p, 0 < p < 1.
#pragma once

#include "specfun/arithmetic.hpp"

namespace kelvora {

// Wilson-Hilferty; n >= 3.
double ChiSquareStart(Int16 n, double p);

// Paulson's approximation, or the leading term of the upper tail where Paulson's denominator
// falls to 0.8 or below.
double FStart(Int16 df1, Int16 df2, double p);

// Inverts A&S 26.7.8, or uses the leading term of the tail where that breaks down; n >= 3.
double StudentTStart(Int16 n, double p);

} // namespace kelvora
