// Routines of the four discrete distributions and their counting helpers. Counts (k, n, K, M)
// and quantiles are 16-bit; every 16-bit operation is checked (ArithmeticFault on overflow).
#pragma once

#include "specfun/arithmetic.hpp"

#include <optional>

namespace kelvora {

// Counting helpers.
double BinomialCoefficient(Int16 n, Int16 k);    // C(n, k), 0 when min(k, n - k) < 0
double LogBinomialCoefficient(Int16 n, Int16 k); // LogFactorial(n) - LogFactorial(k) - ...
double Factorial(Int16 n);                       // n!, 0 for n < 0
double CopyParameter(double v);                  // Poisson mean and variance

// Binomial (n trials, success probability p, k successes).
double BinomialPmf(Int16 k, Int16 n, double p);
double BinomialCdf(Int16 k, Int16 n, double p);
std::optional<Int16> BinomialQuantile(double q, Int16 n, double p);
double BinomialMean(Int16 n, double p);
double BinomialVariance(Int16 n, double p);

// Geometric (success probability p; k >= 1 is the trial that brings the first success).
double GeometricPmf(Int16 k, double p);
double GeometricCdf(Int16 k, double p);
std::optional<Int16> GeometricQuantile(double q, double p);
double GeometricMean(double p);
double GeometricVariance(double p);

// Hypergeometric (population M, K marked, n drawn, k marked drawn).
double HypergeometricPmf(Int16 k, Int16 n, Int16 K, Int16 M);
double HypergeometricCdf(Int16 k, Int16 n, Int16 K, Int16 M);
std::optional<Int16> HypergeometricQuantile(double q, Int16 n, Int16 K, Int16 M);
double HypergeometricMean(Int16 n, Int16 K, Int16 M);
double HypergeometricVariance(Int16 n, Int16 K, Int16 M);

// Poisson (rate lambda).
double PoissonPmf(Int16 k, double lambda);
double PoissonCdf(Int16 k, double lambda);
Int16 PoissonQuantile(double q, double lambda);

} // namespace kelvora
