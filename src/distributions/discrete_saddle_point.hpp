// Probability masses by the saddle-point expansion of C. Loader, "Fast and Accurate Computation of
// Binomial Probabilities" (2000). A mass is exp(-(Stirling errors) - (deviance terms)) over a
// square root: no large logarithms cancel, so it keeps about fifteen digits at every count, far
// in the tails and at counts of any size. These masses carry the tails that decide a discrete
// quantile, and the Poisson mass beyond the counts its written forms serve.
//
// Counts are whole numbers held in doubles.
#pragma once

namespace kelvora {

// ln n! - (n + 1/2) ln n + n - ln sqrt(2 pi), the error of Stirling's formula, for a count n >= 1.
double StirlingError(double n);

// x ln(x / m) + m - x, the deviance of a count x from a mean m > 0; never negative, and formed
// without cancellation when x is close to m.
double DevianceTerm(double x, double m);

// C(n, x) p^x q^(n - x) for counts 0 <= x <= n, with q = 1 - p given separately so that neither
// probability loses digits to the subtraction.
double SaddlePointBinomialMass(double x, double n, double p, double q);

// lambda^k exp(-lambda) / k! for a count k >= 0 and a rate lambda > 0.
double SaddlePointPoissonMass(double k, double lambda);

// C(K, k) C(M - K, n - k) / C(M, n) for k inside the support, as a ratio of three binomial
// masses with p = n / M, all of moderate size (the ratio form of Loader's paper).
double SaddlePointHypergeometricMass(double k, double n, double K, double M);

} // namespace kelvora
