// The four discrete distributions (Binomial, Geometric, Hypergeometric, Poisson) and the
// counting helpers they rest on.
//
// Counts are 16-bit and every operation on them goes through the checked helpers, loop steps
// included: a counted loop whose last pass is at 32767 faults when it steps past it, as a
// 16-bit loop counter would. Every double result passes through Finite where it returns, so an
// overflowing coefficient or term faults instead of steering a sum or a search.
#include "dist/discrete.hpp"

#include "specfun/gamma_family.hpp"

#include <algorithm>
#include <cmath>

namespace kelvora {

namespace {

// A probability level lies in [0, 1]; NaN is not one.
bool IsProbability(double q) {
    return q >= 0.0 && q <= 1.0;
}

// The step of a counted loop: stepping past 32767 is a 16-bit overflow.
Int16 Step(Int16 i) {
    return Add16(i, 1);
}

} // namespace

// ---- Counting helpers -------------------------------------------------------------------

// C(n, k) by the multiplicative formula over the smaller of k and n - k. Each step divides
// before it multiplies, so c stays C(big + i, i) and overflows only when the coefficient itself
// leaves the double range (from C(1030, 515) on).
double BinomialCoefficient(Int16 n, Int16 k) {
    const Int16 d = Sub16(n, k);
    const Int16 m = std::min(k, d);
    if (m < 0) {
        return 0.0;
    }
    if (m == 0) {
        return 1.0;
    }
    const Int16 big = std::max(k, d);
    double c = Add16(big, 1);
    for (Int16 i = 2; i <= m; i = Step(i)) {
        c = c / i * Add16(big, i);
    }
    return Finite(c, "BinomialCoefficient");
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
    for (Int16 i = 2; i <= n; i = Step(i)) {
        f = f * i;
    }
    return Finite(f, "Factorial");
}

double CopyParameter(double v) {
    return Finite(v, "CopyParameter");
}

// ---- Binomial -----------------------------------------------------------------------------

// n = 0 is the distribution concentrated at 0: with k = 0 it reaches the closed form, which
// gives C(0, 0) p^0 (1 - p)^0 = 1.
double BinomialPmf(Int16 k, Int16 n, double p) {
    if (n < 0) {
        return 0.0;
    }
    if (k > n || k < 0) {
        return 0.0;
    }
    if (p == 0.0) {
        return k == 0 ? 1.0 : 0.0;
    }
    if (p == 1.0) {
        return k == n ? 1.0 : 0.0;
    }
    const double failures = std::pow(1.0 - p, Sub16(n, k));
    return Finite(BinomialCoefficient(n, k) * std::pow(p, k) * failures, "BinomialPmf");
}

// The masses summed from 0 up, each with its own coefficient (no recurrence, so no error
// builds up from term to term).
double BinomialCdf(Int16 k, Int16 n, double p) {
    if (k < 0) {
        return 0.0;
    }
    if (k >= n) {
        return 1.0;
    }
    if (p == 0.0) {
        return 1.0;
    }
    if (p == 1.0) {
        return 0.0;
    }
    double sum = 0.0;
    for (Int16 i = 0; i <= k; i = Step(i)) {
        sum = sum + BinomialCoefficient(n, i) * std::pow(p, i) * std::pow(1.0 - p, Sub16(n, i));
    }
    return Finite(sum, "BinomialCdf");
}

// The smallest i with q <= P(X <= i), the masses summed upward.
std::optional<Int16> BinomialQuantile(double q, Int16 n, double p) {
    if (!IsProbability(q) || n < 0) {
        return std::nullopt;
    }
    double cum = 0.0;
    for (Int16 i = 0; i <= n; i = Step(i)) {
        cum = cum + BinomialPmf(i, n, p);
        if (q <= cum) {
            return i;
        }
    }
    // Rounding can leave the summed masses just short of q near 1: the level then lies in the
    // last step of the distribution.
    return n;
}

double BinomialMean(Int16 n, double p) {
    return Finite(n * p, "BinomialMean");
}

double BinomialVariance(Int16 n, double p) {
    return Finite(n * p * (1.0 - p), "BinomialVariance");
}

// ---- Geometric (k counts trials up to and including the first success) ---------------------

double GeometricPmf(Int16 k, double p) {
    if (k < 1) {
        return 0.0;
    }
    if (p == 0.0) {
        return 0.0;
    }
    if (p == 1.0) {
        return k == 1 ? 1.0 : 0.0;
    }
    return Finite(std::pow(1.0 - p, Sub16(k, 1)) * p, "GeometricPmf");
}

double GeometricCdf(Int16 k, double p) {
    if (k <= 0) {
        return 0.0;
    }
    if (p == 0.0) {
        return 0.0;
    }
    if (p == 1.0) {
        return 1.0;
    }
    return Finite(1.0 - std::pow(1.0 - p, k), "GeometricCdf");
}

// Inverts 1 - (1 - p)^k in closed form. q = 1 takes ln 0 and faults.
std::optional<Int16> GeometricQuantile(double q, double p) {
    if (!IsProbability(q)) {
        return std::nullopt;
    }
    if (p == 1.0) {
        return Int16{1};
    }
    if (p == 0.0) {
        return std::nullopt;
    }
    const double ratio = Finite(std::log(1.0 - q), "GeometricQuantile") / std::log(1.0 - p);
    return Nearest16(std::floor(ratio) + 1.0);
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

// The exact mass at the lowest support point. At 0 it is the chance of drawing no marked item,
// C(M - K, n) / C(M, n); above 0 every unmarked item is drawn, leaving C(K, low) / C(M, n).
double HypergeometricLowestMass(Int16 low, Int16 n, Int16 K, Int16 M) {
    if (low == 0) {
        return std::exp(LogBinomialCoefficient(Sub16(M, K), n) - LogBinomialCoefficient(M, n));
    }
    return std::exp(LogBinomialCoefficient(K, low) - LogBinomialCoefficient(M, n));
}

// The mass at i + 1 from the mass t at i: the ratio of successive masses is
// (n - i)(K - i) / ((M - K - n + i + 1)(i + 1)). From the lowest support point up the
// denominator is positive.
double NextHypergeometricMass(double t, Int16 i, Int16 n, Int16 K, Int16 M) {
    const Int16 a = Mul16(Sub16(n, i), Sub16(K, i));
    const Int16 b = Mul16(Add16(Add16(Sub16(Sub16(M, K), n), i), 1), Add16(i, 1));
    return t * a / b;
}

} // namespace

double HypergeometricPmf(Int16 k, Int16 n, Int16 K, Int16 M) {
    if (k < 0 || k > n || k > K || k > M) {
        return 0.0;
    }
    if (k < HypergeometricLowest(n, K, M)) {
        return 0.0;
    }
    if (n == 0) {
        return k == 0 ? 1.0 : 0.0;
    }
    return Finite(std::exp(LogBinomialCoefficient(K, k) +
                           LogBinomialCoefficient(Sub16(M, K), Sub16(n, k)) -
                           LogBinomialCoefficient(M, n)),
                  "HypergeometricPmf");
}

// Sums the masses upward from the lowest support point by the ratio recurrence. Past the top of
// the support, min(n, K), every mass is 0, so the sum stops there: the value is the same and a
// far-away k cannot overflow the recurrence's 16-bit products.
double HypergeometricCdf(Int16 k, Int16 n, Int16 K, Int16 M) {
    if (k < 0) {
        return 0.0;
    }
    const Int16 low = HypergeometricLowest(n, K, M);
    if (k < low) {
        return 0.0;
    }
    const Int16 last = std::min({k, n, K});
    double t = HypergeometricLowestMass(low, n, K, M);
    double result = t;
    for (Int16 i = low; i < last; i = Step(i)) {
        t = NextHypergeometricMass(t, i, n, K, M);
        result = result + t;
    }
    return Finite(result, "HypergeometricCdf");
}

// The smallest support point k with q <= HypergeometricCdf(k), by the same running sum; when
// rounding leaves q above every cumulative value, the top of the support.
std::optional<Int16> HypergeometricQuantile(double q, Int16 n, Int16 K, Int16 M) {
    if (!IsProbability(q)) {
        return std::nullopt;
    }
    const Int16 top = std::min(n, K);
    Int16 k = HypergeometricLowest(n, K, M);
    double t = HypergeometricLowestMass(k, n, K, M);
    double cum = Finite(t, "HypergeometricQuantile");
    while (k < top && !(q <= cum)) {
        t = NextHypergeometricMass(t, k, n, K, M);
        cum = Finite(cum + t, "HypergeometricQuantile");
        k = Step(k);
    }
    return k;
}

double HypergeometricMean(Int16 n, Int16 K, Int16 M) {
    return Finite(static_cast<double>(Mul16(n, K)) / M, "HypergeometricMean");
}

// The finite-population variance n (K/M) ((M-K)/M) (M-n)/(M-1). A population of one makes the
// draw certain: the variance is 0, where the formula would divide 0 by 0.
double HypergeometricVariance(Int16 n, Int16 K, Int16 M) {
    if (M == 1) {
        return 0.0;
    }
    const Int16 drawnMarked = Mul16(n, K);
    const Int16 unmarked = Sub16(M, K);
    const Int16 undrawn = Sub16(M, n);
    const Int16 mMinus1 = Sub16(M, 1);
    const double numerator = static_cast<double>(unmarked) * drawnMarked * undrawn;
    return Finite(numerator / (std::pow(M, 2.0) * mMinus1), "HypergeometricVariance");
}

// ---- Poisson --------------------------------------------------------------------------------

// The factorial comes first, so k >= 171 faults even where the mass is negligible.
double PoissonPmf(Int16 k, double lambda) {
    if (k < 0) {
        return 0.0;
    }
    const double kFactorial = Factorial(k);
    return Finite(std::pow(lambda, k) * std::exp(-lambda) / kFactorial, "PoissonPmf");
}

// Terms t(i) = t(i-1) * lambda / i from t(0) = exp(-lambda); none can overflow, but above
// lambda ~ 745 exp(-lambda) is 0 and so is every sum.
double PoissonCdf(Int16 k, double lambda) {
    if (k < 0) {
        return 0.0;
    }
    double t = std::exp(-lambda);
    double sum = t;
    for (Int16 i = 1; i <= k; i = Step(i)) {
        t = t * lambda / i;
        sum = sum + t;
    }
    return Finite(sum, "PoissonCdf");
}

// The first i with q <= P(X <= i), by PoissonCdf's terms in its order. The search is bounded
// by the 16-bit range of i: a level the sums never reach (q above 1, or every sum 0 for a huge
// lambda) faults there.
Int16 PoissonQuantile(double q, double lambda) {
    double t = std::exp(-lambda);
    double cum = Finite(t, "PoissonQuantile");
    Int16 i = 0;
    while (!(q <= cum)) {
        i = Step(i);
        t = t * lambda / i;
        cum = Finite(cum + t, "PoissonQuantile");
    }
    return i;
}

} // namespace kelvora
