// The routine calls behind each output of the result calculation, per distribution.
//
// Each function evaluates one output from checked parameters. A fault propagates as
// ArithmeticFault; the caller turns it into "N/A" for that output alone. No value: the output
// does not exist for these arguments (a moment that diverges, a level outside a routine's range).
#pragma once

#include "distributions/parameters.hpp"

#include <optional>

namespace kelvora::results {

// The discrete point the routines receive for the field number x: k = floor(x), and for the
// Geometric, which counts trials rather than failures, k = floor(x) + 1; a whole number held in
// a double, whatever the size of x.
double DiscretePoint(DistributionId id, double x);

std::optional<double> Cumulative(const DistributionParameters& p, double x);
std::optional<double> Density(const DistributionParameters& p, double x);

// The q-quantile as the quantile field shows it: a whole number for the discrete distributions,
// the Geometric one already converted back from trials to failures.
std::optional<double> Quantile(const DistributionParameters& p, double q);

std::optional<double> Mean(const DistributionParameters& p);
std::optional<double> Variance(const DistributionParameters& p);

} // namespace kelvora::results
