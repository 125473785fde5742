// Gamma-family special functions: log-gamma, gamma, the regularised lower incomplete gamma
// ratio, a short Stirling log-gamma for solver start values, and ln n!.
#pragma once

#include "specfun/arithmetic.hpp"
#include "specfun/deferred.hpp"

#include <span>

namespace kelvora {

// The largest argument LogGamma evaluates; above it LogGamma returns 0.
inline constexpr double kLogGammaMaxArgument = 4.08e36;

// ln Gamma(x), SPECFUN rational approximations (ACM TOMS 715); 0 for x <= 0 or x > 4.08e36.
double LogGamma(double x);

// Gamma(x), SPECFUN scheme; 0 at the poles, for 0 < x < 1.18e-38 and for x > 35.04.
double GammaFunction(double x);

// P(a, x) by the method of AS 239 with tolerance 1e-7; 0 for a <= 0 or x <= 0.
double IncompleteGammaRatio(double a, double x);

// Q(a, x) = 1 - P(a, x) by the same branches: the continued fraction's Q directly, elsewhere
// 1 - P (the upper normal tail for large shapes); 1 for a <= 0 or x <= 0.
double IncompleteGammaComplement(double a, double x);

// Both ratios for a fixed shape at many points (the functions above are this object at one
// point): the log-gamma values of the shape are computed once, and the series or continued
// fraction evaluated at the last point serves both tails there.
class IncompleteGammaRatios {
public:
    explicit IncompleteGammaRatios(double a) : a_(a) {}

    double Lower(double x) const; // IncompleteGammaRatio(a, x)
    double Upper(double x) const; // IncompleteGammaComplement(a, x)

    // P from the power series, or ln Q from the continued fraction.
    struct Expansion {
        double value;
        bool fraction;
    };

private:
    enum class Tail { Lower, Upper };
    double Ratio(double x, Tail tail) const;
    Expansion Expand(double x) const;

    double a_;
    Deferred<double> logGammaA_;      // ln Gamma(a), the continued fraction's
    Deferred<double> logGammaAPlus1_; // ln Gamma(a + 1), the series'
    LastPoint<Expansion> expansion_;
};

// A short Stirling series for ln Gamma(x), x > 0 (start values of the F and t solvers only).
double LogGammaStirling(double x);

// ln n! summed in ascending order; 0 for n < 2.
double LogFactorial(Int16 n);

// LogFactorial at each of up to 16 arguments n[i], written to out[i], from one ascending sum:
// each value is bit-identical to LogFactorial's, at the cost of the largest argument alone.
void LogFactorials(std::span<const Int16> n, std::span<double> out);

} // namespace kelvora
