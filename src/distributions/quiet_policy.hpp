// The Boost.Math policy of the accurate evaluations (and of the benchmarks that compare against
// Boost.Math): errors become NaN or infinity, checked by the caller, never exceptions or errno;
// no promotion to long double, so each call stays in double. Include only where Boost.Math is
// on the include path (kelvora_dist privately, kelvora-bench).
#pragma once

#include <boost/math/policies/policy.hpp>

namespace kelvora {

using QuietPolicy = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::pole_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::underflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::denorm_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
    boost::math::policies::rounding_error<boost::math::policies::ignore_error>,
    boost::math::policies::indeterminate_result_error<boost::math::policies::ignore_error>,
    boost::math::policies::promote_float<false>, boost::math::policies::promote_double<false>>;

} // namespace kelvora
