// The counting helpers, the Geometric and the Hypergeometric distributions (the Binomial and the
// Poisson are in discrete_binomial.cpp and discrete_poisson.cpp).
//
// The parameter counts n, K and M are 16-bit, and every operation on them goes through the
// checked helpers; a point k is a whole number held in a double, narrowed only once it is known
// to lie inside the support. Every double result passes through Finite where it returns, so an
// overflowing coefficient or term faults instead of steering a sum or a search.
#include "distributions/discrete.hpp"

#include "distributions/discrete_tails.hpp"
#include "distributions/discrete_terms.hpp"
#include "distributions/discrete_walkers.hpp"
#include "specfun/gamma_family.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace kelvora {

// ---- Counting helpers -------------------------------------------------------------------

double BinomialCoefficient(Int16 n, Int16 k) {
    return Finite(BinomialCoefficientValue(n, k), "BinomialCoefficient");
}

double LogBinomialCoefficient(Int16 n, Int16 k) {
    return Finite(LogFactorial(n) - LogFactorial(k) - LogFactorial(Sub16(n, k)),
                  "LogBinomialCoefficient");
}

// n! as a running product; from 171! on it leaves the double range and faults.
double Factorial(Int16 n) {
    if (n < 0) {
        return 0.0;
    }
    double f = 1.0;
    for (int i = 2; i <= n; ++i) {
        f = f * i;
    }
    return Finite(f, "Factorial");
}

double CopyParameter(double v) {
    return Finite(v, "CopyParameter");
}

// ---- Geometric (k counts trials up to and including the first success) ---------------------

namespace {

void RequireCount(double k, const char* what) {
    if (std::isnan(k)) {
        throw ArithmeticFault(what);
    }
}

// pow(1 - p, k) carries the rounding of 1 - p (up to 2^-54) k times: up to this count that
// stays below 4e-12 of the power, and the written forms hold. Beyond, the power is
// exp(k ln(1 - p)) with the logarithm from log1p, good to the last digits at any count.
constexpr double kLargestPowerCount = 32767.0;
// The roundings of 1 - p and 1 - q move the quantile formula's ratio ln(1 - q) / ln(1 - p) by
// up to about 1.1e-16 / p, and by 5.6e-17 / p^2 of itself: below this p, where that reaches the
// floor, both logarithms come from log1p.
constexpr double kSmallestPlainLogProbability = 1e-4;

} // namespace

double GeometricPmf(double k, double p) {
    RequireCount(k, "GeometricPmf: no count");
    if (k < 1.0) {
        return 0.0;
    }
    if (p == 0.0) {
        return 0.0;
    }
    if (p == 1.0) {
        return k == 1.0 ? 1.0 : 0.0;
    }
    if (k <= kLargestPowerCount) {
        return Finite(std::pow(1.0 - p, k - 1.0) * p, "GeometricPmf");
    }
    return Finite(std::exp((k - 1.0) * std::log1p(-p)) * p, "GeometricPmf");
}

double GeometricCdf(double k, double p) {
    RequireCount(k, "GeometricCdf: no count");
    if (k <= 0.0) {
        return 0.0;
    }
    if (p == 0.0) {
        return 0.0;
    }
    if (p == 1.0) {
        return 1.0;
    }
    if (k <= kLargestPowerCount) {
        return Finite(1.0 - std::pow(1.0 - p, k), "GeometricCdf");
    }
    return Finite(-std::expm1(k * std::log1p(-p)), "GeometricCdf");
}

// Inverts 1 - (1 - p)^k in closed form. q = 1 takes ln 0 and faults: the support has no top.
std::optional<double> GeometricQuantile(double q, double p) {
    if (!IsProbability(q)) {
        return std::nullopt;
    }
    if (p == 1.0) {
        return 1.0;
    }
    if (p == 0.0) {
        return std::nullopt;
    }
    const bool small = p < kSmallestPlainLogProbability;
    const double logFailure = small ? std::log1p(-p) : std::log(1.0 - p);
    const double logLevel = small ? std::log1p(-q) : std::log(1.0 - q);
    const double ratio = Finite(logLevel, "GeometricQuantile") / logFailure;
    return Finite(std::floor(ratio) + 1.0, "GeometricQuantile");
}

double GeometricMean(double p) {
    return Finite(1.0 / p, "GeometricMean");
}

double GeometricVariance(double p) {
    return Finite((1.0 - p) / std::pow(p, 2.0), "GeometricVariance");
}

// ---- Hypergeometric (population M, K marked, n drawn) --------------------------------------

namespace {

// The fewest marked items a draw can hold: when n + K > M at least n - (M - K) of the drawn
// items are marked.
Int16 HypergeometricLowest(Int16 n, Int16 K, Int16 M) {
    return std::max(Int16{0}, Sub16(n, Sub16(M, K)));
}

// ln C(n, k) from ln n!, ln k! and ln (n - k)!, as LogBinomialCoefficient forms it.
double LogBinomial(double logFactorialN, double logFactorialK, double logFactorialNMinusK) {
    return Finite(logFactorialN - logFactorialK - logFactorialNMinusK, "LogBinomialCoefficient");
}

// ln of the exact mass at the lowest support point. At 0 it is the chance of drawing no marked
// item, C(M - K, n) / C(M, n); above 0 every unmarked item is drawn, leaving C(K, low) / C(M, n).
double HypergeometricLogLowestMass(Int16 low, Int16 n, Int16 K, Int16 M) {
    const Int16 from = low == 0 ? Sub16(M, K) : K;
    const Int16 chosen = low == 0 ? n : low;
    const std::array<Int16, 6> arguments = {from, chosen, Sub16(from, chosen), M, n, Sub16(M, n)};
    std::array<double, 6> lf{};
    LogFactorials(arguments, lf);
    return LogBinomial(lf[0], lf[1], lf[2]) - LogBinomial(lf[3], lf[4], lf[5]);
}

} // namespace

// C(K, k) C(M - K, n - k) / C(M, n), its nine log-factorials from one ascending sum.
double HypergeometricPmf(double point, Int16 n, Int16 K, Int16 M) {
    RequireCount(point, "HypergeometricPmf: no count");
    if (point < 0.0 || point > n || point > K || point > M) {
        return 0.0;
    }
    const auto k = static_cast<Int16>(point);
    if (k < HypergeometricLowest(n, K, M)) {
        return 0.0;
    }
    if (n == 0) {
        return k == 0 ? 1.0 : 0.0;
    }
    const Int16 unmarked = Sub16(M, K);
    const Int16 unmarkedDrawn = Sub16(n, k);
    const std::array<Int16, 9> arguments = {
        K, k, Sub16(K, k), unmarked, unmarkedDrawn, Sub16(unmarked, unmarkedDrawn),
        M, n, Sub16(M, n)};
    std::array<double, 9> lf{};
    LogFactorials(arguments, lf);
    return Finite(std::exp(LogBinomial(lf[0], lf[1], lf[2]) + LogBinomial(lf[3], lf[4], lf[5]) -
                           LogBinomial(lf[6], lf[7], lf[8])),
                  "HypergeometricPmf");
}

// Sums the masses upward from the lowest support point by the ratio recurrence. Past the top of
// the support, min(n, K), every mass is 0, so the sum stops there.
// The exact masses summed from the lowest support point by the walker the graph uses too.
double HypergeometricCdf(double k, Int16 n, Int16 K, Int16 M) {
    RequireCount(k, "HypergeometricCdf: no count");
    if (k < 0.0) {
        return 0.0;
    }
    LogFactorialTable table;
    RunningHypergeometric::RequestLogFactorials(k, n, K, M, table);
    table.Compute();
    RunningHypergeometric walker(n, K, M, table);
    return Finite(walker.CdfAt(k), "HypergeometricCdf");
}

// The smallest support point k with q <= P(X <= k): the running sum of HypergeometricCdf gives
// the answer, which stands where the accurate tails confirm it; otherwise (the masses' rounding
// can let the sum reach q early or late, or reach 1 before the top) a search on the tails
// finds it. q = 0 and q = 1 are the ends of the support.
std::optional<double> HypergeometricQuantile(double q, Int16 n, Int16 K, Int16 M) {
    if (!IsProbability(q)) {
        return std::nullopt;
    }
    const Int16 top = std::min(n, K);
    const Int16 low = HypergeometricLowest(n, K, M);
    if (q == 0.0) {
        return low;
    }
    if (q == 1.0) {
        return top;
    }
    int k = low;
    HypergeometricMasses masses(n, K, M, HypergeometricLogLowestMass(low, n, K, M));
    double cum = Finite(masses.Mass(), "HypergeometricQuantile");
    while (k < top && !(q <= cum)) {
        masses.Next(k);
        cum = Finite(cum + masses.Mass(), "HypergeometricQuantile");
        ++k;
    }
    const auto tailAt = [&](Tail tail, double c) { return HypergeometricTail(tail, c, n, K, M); };
    const auto reaches = [&](double c) { return Reaches(tailAt, q, c); };
    return SmallestCountReaching(reaches, low, top, k, 1.0);
}

// n K in double: the product of two 16-bit counts is exact there.
double HypergeometricMean(Int16 n, Int16 K, Int16 M) {
    return Finite(static_cast<double>(n) * K / M, "HypergeometricMean");
}

// The finite-population variance n (K/M) ((M-K)/M) (M-n)/(M-1). A population of one makes the
// draw certain: the variance is 0, where the formula would divide 0 by 0.
double HypergeometricVariance(Int16 n, Int16 K, Int16 M) {
    if (M == 1) {
        return 0.0;
    }
    const double drawnMarked = static_cast<double>(n) * K;
    const Int16 unmarked = Sub16(M, K);
    const Int16 undrawn = Sub16(M, n);
    const Int16 mMinus1 = Sub16(M, 1);
    const double numerator = static_cast<double>(unmarked) * drawnMarked * undrawn;
    return Finite(numerator / (std::pow(M, 2.0) * mMinus1), "HypergeometricVariance");
}

} // namespace kelvora
