// Reading and checking a distribution's parameters from the three parameter field texts.
// The result calculation and the curve sampling both go through ReadParameters, so the result
// fields and the graph always agree on what is invalid.
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

// Reads the fields the distribution uses and checks them. No value when the set is invalid:
// a check fails, a conversion leaves the 16-bit range, a text's number is beyond the double
// range, an F degree of freedom is below 1, an Exponential rate is 0, or a Binomial n is
// negative. Never throws.
std::optional<DistributionParameters> ReadParameters(DistributionId id, std::string_view text1,
                                                     std::string_view text2,
                                                     std::string_view text3);

} // namespace kelvora
