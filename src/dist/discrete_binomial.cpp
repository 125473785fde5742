// The Binomial distribution (n trials, success probability p). Every mass is formed by
// BinomialTerms: the written C(n, k) p^k (1 - p)^(n - k) while its factors are normal doubles,
// and its logarithm where the coefficient overflows (near n/2 from n = 1030) or a power
// underflows. The cumulative and the quantile sum the same masses from 0 up, each computing a
// coefficient at most once.
#include "dist/discrete.hpp"

#include "dist/discrete_terms.hpp"

namespace kelvora {

double BinomialPmf(Int16 k, Int16 n, double p) {
    return BinomialTerms(n, p).Mass(k);
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
    BinomialTerms terms(n, p);
    double sum = 0.0;
    for (Int16 i = 0; i <= k; i = Step(i)) {
        sum = sum + terms.Mass(i);
    }
    return Finite(sum, "BinomialCdf");
}

// The smallest i with q <= P(X <= i), the masses summed upward.
std::optional<Int16> BinomialQuantile(double q, Int16 n, double p) {
    if (!IsProbability(q) || n < 0) {
        return std::nullopt;
    }
    BinomialTerms terms(n, p);
    double cum = 0.0;
    for (Int16 i = 0; i <= n; i = Step(i)) {
        cum = cum + terms.Mass(i);
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

} // namespace kelvora
