// Routines of the four discrete distributions and their counting helpers. The parameter counts
// (n, K, M) are 16-bit, and every 16-bit operation is checked (ArithmeticFault on overflow).
// A point k and a quantile are whole numbers held in doubles: the Poisson and Geometric supports
// reach beyond every integer type, and up to 2^53 every count is exact. A point may lie anywhere
// in the double range; NaN faults.
#pragma once

#include "specfun/arithmetic.hpp"

#include <cmath>
#include <optional>

namespace kelvora {

// Counting helpers.
double BinomialCoefficient(Int16 n, Int16 k);    // C(n, k), 0 when min(k, n - k) < 0
double LogBinomialCoefficient(Int16 n, Int16 k); // LogFactorial(n) - LogFactorial(k) - ...
double Factorial(Int16 n);                       // n!, 0 for n < 0
double CopyParameter(double v);                  // Poisson mean and variance

// Binomial (n trials, success probability p, k successes).
double BinomialPmf(double k, Int16 n, double p);
double BinomialCdf(double k, Int16 n, double p);
std::optional<double> BinomialQuantile(double q, Int16 n, double p);
double BinomialMean(Int16 n, double p);
double BinomialVariance(Int16 n, double p);

// The Geometric routines count trials; the x and quantile fields and the graph count the
// failures before the first success. The trial that ends x failures, and back.
inline double GeometricTrial(double failures) {
    return std::floor(failures) + 1.0;
}
inline double GeometricFailures(double trial) {
    return trial - 1.0;
}

// Geometric (success probability p; k >= 1 is the trial that brings the first success).
double GeometricPmf(double k, double p);
double GeometricCdf(double k, double p);
std::optional<double> GeometricQuantile(double q, double p);
double GeometricMean(double p);
double GeometricVariance(double p);

// Hypergeometric (population M, K marked, n drawn, k marked drawn).
double HypergeometricPmf(double k, Int16 n, Int16 K, Int16 M);
double HypergeometricCdf(double k, Int16 n, Int16 K, Int16 M);
std::optional<double> HypergeometricQuantile(double q, Int16 n, Int16 K, Int16 M);
double HypergeometricMean(Int16 n, Int16 K, Int16 M);
double HypergeometricVariance(Int16 n, Int16 K, Int16 M);

// Poisson (rate lambda).
double PoissonPmf(double k, double lambda);
double PoissonCdf(double k, double lambda);
std::optional<double> PoissonQuantile(double q, double lambda); // none at q = 1

} // namespace kelvora
