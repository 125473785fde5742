// Every continuous quantile the fields show passes through here. The written solvers (Newton
// with a fixed budget, series inversion in two passes, polynomial upper points) are kept where
// their answer checks out against accurate tails; where it does not, or where they fault, a
// safeguarded bisection on the same tails finds the quantile, and its result is checked alike.
#pragma once

#include "distributions/accurate.hpp"
#include "distributions/parameters.hpp"

#include <optional>

namespace kelvora {

// True when the true q-quantile lies within the shown tolerance of x's four-decimal text t:
// P(X <= t - tol) <= q <= P(X <= t + tol), judged on the lower tail for q <= 1/2 and on the
// upper tail (computed directly) above. Costs two tail evaluations.
bool QuantileChecksOut(const AccurateForms& forms, const DistributionParameters& p, double q,
                       double x);

// The q-quantile, 0 <= q <= 1, of a continuous distribution, given the written method's answer
// (none where it faulted). q = 0 and q = 1 give the ends of the support; no value where that end
// is infinite, or where no answer checks out.
std::optional<double> VerifiedQuantile(const AccurateForms& forms, const DistributionParameters& p,
                                       double q, std::optional<double> written);

} // namespace kelvora
