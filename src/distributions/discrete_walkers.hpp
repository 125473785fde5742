// The walkers of the discrete cumulatives: running sums that BinomialCdf, PoissonCdf and
// HypergeometricCdf evaluate through (one walker per call) and the graph keeps across its 500
// samples. A query for a k below the last one starts the sum over, so any order of k is
// answered correctly; ascending k costs one term per step. A value that is no finite number, or
// a fault in a term, gives NaN, which the routines turn into their fault.
#pragma once

#include "distributions/discrete_terms.hpp"
#include "distributions/log_factorial_table.hpp"
#include "distributions/sample_value.hpp"
#include "specfun/arithmetic.hpp"

#include <optional>

namespace kelvora {

// For a large rate the counts up to here keep their lower-tail sums.
inline constexpr double kLargestLowerTailCount = 32766.0;

// BinomialCdf(k, n, p): the masses of BinomialTerms, added from 0. The upper half reuses the
// lower half's coefficients, so one pass costs one coefficient per m = min(i, n - i) below 515
// and a logarithmic term elsewhere.
class RunningBinomialCdf {
public:
    RunningBinomialCdf(Int16 n, double p) : n_(n), p_(p), terms_(n, p) {}
    double At(double k);
    // BinomialPmf(k, n, p) when the last At summed up to exactly this k, else NaN.
    double TermAt(double k) const;
    // BinomialPmf(k, n, p) from the same coefficients.
    double MassAt(double k);

private:
    Int16 n_;
    double p_;
    BinomialTerms terms_;
    int next_ = 0; // terms 0..next_-1 are in sum_
    double sum_ = 0.0;
    double lastTerm_ = kLeftOut;
};

// PoissonCdf(k, lambda): from PoissonStart's point s upward, the terms of PoissonUpwardSum
// divided by its total; below s each value is PoissonLowerTail's own sum; for a large rate
// (nothing summed) the lower-tail sum up to kLargestLowerTailCount and Temme's expansion
// beyond.
class RunningPoissonCdf {
public:
    explicit RunningPoissonCdf(double lambda);
    double At(double k);

private:
    void Restart();
    double lambda_;
    bool faulted_ = false; // PoissonStart faults: so does every cumulative
    PoissonSumStart start_;
    std::optional<PoissonUpwardSum> sum_;
};

// The Hypergeometric (population M, K marked, n drawn): HypergeometricCdf's upward recurrence
// from the lowest support point, and HypergeometricPmf with its log-factorials read from a
// table filled in one pass.
class RunningHypergeometric {
public:
    RunningHypergeometric(Int16 n, Int16 K, Int16 M, const LogFactorialTable& table);
    // Requests every log-factorial the cumulative and the mass at k will read.
    static void RequestLogFactorials(double k, Int16 n, Int16 K, Int16 M, LogFactorialTable& table);
    double CdfAt(double k);
    double PmfAt(double k) const;

private:
    void Restart();
    double LogLowestMass() const;
    Int16 n_;
    Int16 K_;
    Int16 M_;
    const LogFactorialTable& table_;
    bool started_ = false;
    bool lowFaulted_ = false;
    Int16 low_ = 0;
    int i_ = 0; // terms low_..i_ are in result_
    std::optional<HypergeometricMasses> masses_;
    double result_ = 0.0;
    bool faulted_ = false; // the first term faults
};

} // namespace kelvora
