// Quantiles of the chi-square, F and Student t distributions (integer degrees of freedom):
// closed forms for the smallest degrees of freedom, otherwise an approximate start refined by
// at most 30 Newton steps on the exact cumulative. Each takes the UPPER-tail probability p and
// returns the x with P(X > x) = p.
#pragma once

#include "specfun/arithmetic.hpp"

namespace kelvora {

struct CdfDensity {
    double cdf;     // lower cumulative P(X <= x)
    double density; // density at x
};

double ChiSquareQuantile(Int16 n, double p);
double FQuantile(Int16 df1, Int16 df2, double p);
double StudentTQuantile(Int16 n, double p);

// Exact integer-df evaluators used only by these solvers.
CdfDensity ChiSquareCdfDensity(Int16 n, double x);
CdfDensity StudentTCdfDensity(Int16 n, double t);

} // namespace kelvora
