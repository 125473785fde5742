// The Binomial distribution (n trials, success probability p). Every mass is formed by
// BinomialTerms: the written C(n, k) p^k (1 - p)^(n - k) while its factors are normal doubles,
// and its logarithm where the coefficient overflows (near n/2 from n = 1030) or a power
// underflows. The cumulative and the quantile sum the same masses from 0 up, each computing a
// coefficient at most once; the quantile's answer is then checked on the accurate tails.
#include "distributions/discrete.hpp"

#include "distributions/discrete_tails.hpp"
#include "distributions/discrete_terms.hpp"
#include "distributions/discrete_walkers.hpp"

#include <cmath>

namespace kelvora {

namespace {

void RequireCount(double k, const char* what) {
    if (std::isnan(k)) {
        throw ArithmeticFault(what);
    }
}

} // namespace

double BinomialPmf(double k, Int16 n, double p) {
    RequireCount(k, "BinomialPmf: no count");
    if (n < 0 || k < 0.0 || k > n) {
        return 0.0;
    }
    return BinomialTerms(n, p).Mass(static_cast<Int16>(k));
}

// The masses summed from 0 up, each with its own coefficient (no recurrence, so no error
// builds up from term to term), by the walker the graph uses too.
double BinomialCdf(double k, Int16 n, double p) {
    RequireCount(k, "BinomialCdf: no count");
    return Finite(RunningBinomialCdf(n, p).At(k), "BinomialCdf");
}

// The smallest i with q <= P(X <= i). The masses summed upward give the answer, which stands
// where the accurate tails confirm it; rounding can let the running sum reach q a step early or
// late (near 1 it may reach 1 long before n), and a search on the tails then finds the count.
std::optional<double> BinomialQuantile(double q, Int16 n, double p) {
    if (!IsProbability(q) || n < 0) {
        return std::nullopt;
    }
    // A success probability of 0 or 1 puts all the mass at one end.
    if (p == 0.0) {
        return 0.0;
    }
    if (p == 1.0) {
        return static_cast<double>(n);
    }
    // The ends of the support.
    if (q == 0.0) {
        return 0.0;
    }
    if (q == 1.0) {
        return static_cast<double>(n);
    }
    BinomialTerms terms(n, p);
    double cum = 0.0;
    int written = n;
    for (int i = 0; i <= n; ++i) {
        cum = cum + terms.Mass(static_cast<Int16>(i));
        if (q <= cum) {
            written = i;
            break;
        }
    }
    const auto tailAt = [n, p](Tail tail, double k) { return BinomialTail(tail, k, n, p); };
    const auto reaches = [&](double k) { return Reaches(tailAt, q, k); };
    return SmallestCountReaching(reaches, 0.0, n, written, 1.0);
}

double BinomialMean(Int16 n, double p) {
    return Finite(n * p, "BinomialMean");
}

double BinomialVariance(Int16 n, double p) {
    return Finite(n * p * (1.0 - p), "BinomialVariance");
}

} // namespace kelvora
