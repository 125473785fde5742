// Running sums for the discrete cumulatives, each reproducing its routine's additions exactly.
// A query for a k below the last one starts the sum over, so any order of k is answered
// correctly; ascending k costs one term per step.
//
// Each class follows its routine's boundary cases and term formula, so the two must change
// together; the sampling tests compare them bit for bit.
#pragma once

#include "plot/log_factorial_table.hpp"
#include "plot/sample_value.hpp"
#include "specfun/arithmetic.hpp"

#include <array>
#include <limits>

namespace kelvora {

// BinomialCdf(k, n, p): the terms C(n, i) p^i (1 - p)^(n - i), i = 0..k, added from 0. Each
// term needs a coefficient of O(min(i, n - i)) steps. BinomialCoefficient works only with
// min(i, n - i) and max(i, n - i), so C(n, i) and C(n, n - i) are the same double: the upper
// half reuses the lower half's coefficients. Every n whose middle coefficient stays finite is
// at most 1029, so the lower half needs at most 515 of them; from n = 1030 the sum faults
// before it reaches the middle.
class RunningBinomialCdf {
public:
    RunningBinomialCdf(Int16 n, double p) : n_(n), p_(p) {}
    double At(Int16 k);
    // BinomialPmf(k, n, p) when the last At summed up to exactly this k, else NaN.
    double TermAt(Int16 k) const;
    // True when C(n, k) is known to leave the double range, and so BinomialPmf(k, n, p) to
    // fault. C(n, m) grows with m up to n / 2, so once the sum has met the first coefficient
    // that overflows, every coefficient from there to its mirror image overflows too.
    bool CoefficientOverflows(Int16 k) const;

private:
    static constexpr int kCachedCoefficients = 515;
    double Coefficient(Int16 i);
    Int16 n_;
    double p_;
    int next_ = 0;         // terms 0..next_-1 are in sum_
    bool faulted_ = false; // term next_ faults
    double sum_ = 0.0;
    double lastTerm_ = kLeftOut;
    std::array<double, kCachedCoefficients> coefficients_{}; // C(n, m), m < cached_
    int cached_ = 0;
    int overflowsFrom_ = std::numeric_limits<int>::max(); // the first m whose C(n, m) faults
};

// PoissonCdf(k, lambda): t(0) = exp(-lambda), t(i) = t(i-1) * lambda / i, added from 0.
class RunningPoissonCdf {
public:
    explicit RunningPoissonCdf(double lambda) : lambda_(lambda) { Restart(); }
    double At(Int16 k);

private:
    void Restart();
    double lambda_;
    int top_ = 0; // terms 0..top_ are in sum_
    double t_ = 0.0;
    double sum_ = 0.0;
};

// The Hypergeometric (population M, K marked, n drawn): HypergeometricCdf's upward recurrence
// from the lowest support point, and HypergeometricPmf with its log-factorials read from a
// table filled in one pass.
class RunningHypergeometric {
public:
    RunningHypergeometric(Int16 n, Int16 K, Int16 M, const LogFactorialTable& table);
    // Requests every log-factorial the cumulative and the mass at k will read.
    static void RequestLogFactorials(Int16 k, Int16 n, Int16 K, Int16 M, LogFactorialTable& table);
    double CdfAt(Int16 k);
    double PmfAt(Int16 k) const;

private:
    void Restart();
    double LowestMass() const;
    double NextMass(double t, Int16 i) const;
    Int16 n_;
    Int16 K_;
    Int16 M_;
    const LogFactorialTable& table_;
    bool started_ = false;
    bool lowFaulted_ = false;
    Int16 low_ = 0;
    int i_ = 0; // terms low_..i_ are in result_
    double t_ = 0.0;
    double result_ = 0.0;
    bool faulted_ = false; // the step past i_ faults
};

} // namespace kelvora
