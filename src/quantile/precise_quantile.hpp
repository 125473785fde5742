// The continuous quantile beyond the four shown decimals: the shown quantile narrowed on the
// accurate tails until its bracket is about 1e-14 relative, so that ten significant digits are
// right wherever the tails are.
#pragma once

#include "distributions/parameters.hpp"

#include <optional>

namespace kelvora {

// The q-quantile, 0 <= q <= 1, of a continuous distribution, given the value the quantile field
// shows (`shown`, checked within the field's tolerance of the true quantile). The root of the
// lower tail minus q for q <= 1/2, and of 1 - q minus the upper tail above, so that neither tail
// is formed as 1 minus the other. No value where no bracket of the root can be formed.
std::optional<double> PreciseQuantile(const DistributionParameters& p, double q, double shown);

} // namespace kelvora
