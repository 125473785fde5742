// A distribution's converted parameters, and the readers that fill and check them from the
// parameter field texts. Which reader a distribution uses is in its registry row.
#pragma once

#include "distributions/distribution_id.hpp"
#include "specfun/arithmetic.hpp"

#include <optional>
#include <string_view>

namespace kelvora {

// The converted parameters of one distribution. Only the members the distribution uses are
// set; the rest stay 0.
//   Beta a, b           -> real1 = a, real2 = b
//   Binomial n, p       -> count1 = floor(n), real2 = p
//   Cauchy m, s         -> real1 = m, real2 = s
//   ChiSquare n         -> count1 = floor(n)
//   Exponential rate    -> real1 = rate, real2 = scale 1 / rate
//   F m, n              -> count1 = floor(m), count2 = floor(n)
//   Gamma scale, shape  -> real1 = scale, real2 = shape
//   Geometric p         -> real1 = p
//   Hypergeometric M, K, n -> count1 = nearest(M), count2 = nearest(K), count3 = nearest(n)
//   Lognormal, Normal   -> real1 = mu, real2 = sigma
//   Poisson lambda      -> real1 = lambda
//   Rayleigh sigma      -> real1 = sigma
//   StudentT df         -> count1 = floor(df)
//   Uniform a, b        -> real1 = a, real2 = b
//   Weibull scale, shape -> real1 = scale, real2 = shape
struct DistributionParameters {
    DistributionId id = DistributionId::Beta;
    double real1 = 0.0;
    double real2 = 0.0;
    Int16 count1 = 0;
    Int16 count2 = 0;
    Int16 count3 = 0;
};

// The readers: each reads the fields it names into `p` and applies its validity test, giving no
// value for an invalid set. A text's number beyond the double range or a count conversion
// beyond 16 bits throws ArithmeticFault (ReadParameters turns that into no value).
using Reading = std::optional<DistributionParameters>;

// Two real parameters that must both be positive (Beta shapes, Gamma and Weibull scale and
// shape).
Reading ReadPositivePair(DistributionParameters p, std::string_view text1, std::string_view text2,
                         std::string_view text3);
// A location and a scale that must be positive (Cauchy, Lognormal, Normal).
Reading ReadLocationScale(DistributionParameters p, std::string_view text1, std::string_view text2,
                          std::string_view text3);
// One real parameter that must be positive (Poisson rate, Rayleigh scale).
Reading ReadPositive(DistributionParameters p, std::string_view text1, std::string_view text2,
                     std::string_view text3);
// A trial count (floor, at least 0) and a probability strictly between 0 and 1 (Binomial).
Reading ReadTrialsAndProbability(DistributionParameters p, std::string_view text1,
                                 std::string_view text2, std::string_view text3);
// One degree of freedom (floor, at least 1: chi-square, t).
Reading ReadDegreesOfFreedom(DistributionParameters p, std::string_view text1,
                             std::string_view text2, std::string_view text3);
// Two degrees of freedom (floor, each at least 1: F).
Reading ReadDegreesOfFreedomPair(DistributionParameters p, std::string_view text1,
                                 std::string_view text2, std::string_view text3);
// A rate, kept with its scale 1 / rate, both positive numbers (Exponential).
Reading ReadRate(DistributionParameters p, std::string_view text1, std::string_view text2,
                 std::string_view text3);
// A probability strictly between 0 and 1 (Geometric).
Reading ReadProbability(DistributionParameters p, std::string_view text1, std::string_view text2,
                        std::string_view text3);
// Population M, marked K and drawn n (nearest integers) with 0 <= n <= K <= M, M and K positive.
Reading ReadPopulationCounts(DistributionParameters p, std::string_view text1,
                             std::string_view text2, std::string_view text3);
// Two ends a < b (Uniform).
Reading ReadInterval(DistributionParameters p, std::string_view text1, std::string_view text2,
                     std::string_view text3);

} // namespace kelvora
