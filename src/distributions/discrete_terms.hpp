// The terms the discrete masses and cumulatives are built from, shared by the routines and by the
// running sums of the curve sampling, so that both form the same doubles in the same order.
//
// Each closed form is kept as written wherever its factors are normal doubles. Where a factor
// leaves the double range although the term itself is representable (a binomial coefficient from
// n = 1030, exp(-lambda) from lambda = 708.4, a Hypergeometric mass below 1e-308), the term is
// formed from logarithms instead.
#pragma once

#include "specfun/arithmetic.hpp"

#include <array>

namespace kelvora {

// A probability level lies in [0, 1]; NaN is not one.
inline bool IsProbability(double q) {
    return q >= 0.0 && q <= 1.0;
}

// The written coefficient C(n, k) of BinomialCoefficient, infinite where it leaves the double
// range; 0 when min(k, n - k) < 0.
double BinomialCoefficientValue(Int16 n, Int16 k);

// The Binomial(n, p) masses. A coefficient C(n, m), m = min(i, n - i), is computed at most once
// and only while it can be finite: C(n, m) grows with m up to n/2 and C(1030, 515) already
// overflows, so from m = 515 on, or from the first m found to overflow, the mass is
// exp(ln C(n, i) + i ln p + (n - i) ln(1 - p)) with ln C(n, i) from LogGamma.
class BinomialTerms {
public:
    BinomialTerms(Int16 n, double p);
    // BinomialPmf(i, n, p), bit for bit.
    double Mass(Int16 i);

private:
    static constexpr int kFiniteBelow = 515;
    static constexpr int kBlock = 8;
    double Coefficient(Int16 i);
    void FillCoefficients();
    Int16 n_;
    double p_;
    double logP_;
    double logQ_;
    double logGammaN_;
    std::array<double, kFiniteBelow> coefficients_; // C(n, m) for m < cached_
    int cached_ = 0;
    int overflowsFrom_ = kFiniteBelow;
};

// The Poisson mass exp(k ln lambda - lambda - ln k!), ln k! from LogGamma.
double PoissonLogFormMass(Int16 k, double lambda);

// Whether the rate lies above the summed ones: from a start point (below) of 32768 on, about
// lambda = 34,600, where the normalising total alone would take thousands of terms per call,
// the cumulative comes from Temme's uniform expansion instead (see PoissonTail).
bool PoissonRateIsLarge(double lambda);

// Where the Poisson cumulative's upward sum starts. P(X <= k) is (sum + t(s+1) + ... + t(k)) /
// total for k >= s, with t(i) = t(i-1) lambda / i from t = t(s), and PoissonLowerTail(k) / total
// below s. While exp(-lambda) is a normal double (lambda below 708.4) that is the written
// recurrence: s = 0, t = sum = exp(-lambda), total = 1. Above, s lies ten standard deviations
// below the mean, where the mass is still a normal double: t comes from logarithms, sum adds
// the lower tail below s, and total is the whole upward sum, carried on until its terms no
// longer change it. Dividing by it cancels the logarithms' rounding of t, so the cumulative
// ends at exactly 1. For a large rate nothing is summed (`summed` is false).
// A rate that is not a positive number faults.
struct PoissonSumStart {
    int s = 0;
    double t = 0.0;
    double sum = 0.0;
    double total = 1.0;
    bool summed = true;
};
PoissonSumStart PoissonStart(double lambda);

// The upward sum from a start point, term by term. Once the terms fall (past lambda + 1) and the
// next one no longer changes the sum, no later one does: the sum is settled, and its value is
// that of the sum carried on to any k, to the last bit. Defined here, as the sampling's hot loop.
class PoissonUpwardSum {
public:
    PoissonUpwardSum(const PoissonSumStart& start, double lambda)
        : lambda_(lambda), top_(start.s), t_(start.t), sum_(start.sum) {}
    // Adds the next term; false (and nothing added) once the sum is settled.
    bool Step() {
        const double before = top_;
        AdvanceTo(top_ + 1.0);
        return top_ != before;
    }
    // Adds the terms up to k, or until the sum is settled.
    void AdvanceTo(double k) {
        if (settled_) {
            return;
        }
        // From the count lambda + 1 on each term is below the one before by a factor of at most
        // lambda / (lambda + 2): a term too small to change the sum leaves only smaller ones.
        const double fallingFrom = lambda_ + 1.0;
        double top = top_;
        double t = t_;
        double sum = sum_;
        while (top < k) {
            const double i = top + 1.0;
            const double next = t * lambda_ / i;
            const double added = sum + next;
            if (i > fallingFrom && added == sum) {
                settled_ = true;
                break;
            }
            top = i;
            t = next;
            sum = added;
        }
        top_ = top;
        t_ = t;
        sum_ = sum;
    }
    double Sum() const { return sum_; }
    // The last count whose term is in the sum.
    double Top() const { return top_; }

private:
    double lambda_;
    double top_; // a count below 2^53: every count up to it is exact
    double t_;
    double sum_;
    bool settled_ = false;
};

// The lower tail sum(i <= k) t(i) for k below the start point, from the mass at k (formed in
// logarithms) downward.
double PoissonLowerTail(Int16 k, double lambda);

// The Hypergeometric masses from the lowest support point upward by the ratio recurrence
// t(i+1) = t(i) (n - i)(K - i) / ((M - K - n + i + 1)(i + 1)), whose products of 16-bit integers
// are exact in double. Where the lowest mass underflows the walk carries ln t instead, until the
// masses become normal doubles, and then goes on in doubles.
class HypergeometricMasses {
public:
    // `logLowestMass` is ln of the mass at the lowest support point.
    HypergeometricMasses(Int16 n, Int16 K, Int16 M, double logLowestMass);
    double Mass() const { return t_; }
    // From the mass at i to the mass at i + 1.
    void Next(int i);

private:
    Int16 n_;
    Int16 K_;
    Int16 M_;
    double t_;
    double logT_;
    bool inLogs_;
};

} // namespace kelvora
