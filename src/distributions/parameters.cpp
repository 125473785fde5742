// Reading and checking the parameters of the sixteen distributions.
//
// Each distribution reads only the fields it uses, converts counts to 16 bits (floor for
// trial counts and degrees of freedom, nearest for the Hypergeometric counts) and applies its
// validity test. A number beyond the double range or a count beyond the 16-bit range makes the
// set invalid rather than escaping as a fault: the caller shows the same outcome either way.
#include "distributions/parameters.hpp"

#include "distributions/field_number.hpp"

#include <cmath>

namespace kelvora {

namespace {

std::optional<DistributionParameters> Checked(const DistributionParameters& p, bool valid) {
    if (!valid) {
        return std::nullopt;
    }
    return p;
}

// Two real parameters that must both be positive (Beta shapes, Gamma and Weibull scale and
// shape).
std::optional<DistributionParameters>
ReadPositivePair(DistributionParameters p, std::string_view text1, std::string_view text2) {
    p.real1 = ParseFieldNumber(text1);
    p.real2 = ParseFieldNumber(text2);
    return Checked(p, p.real1 > 0.0 && p.real2 > 0.0);
}

// A location and a scale that must be positive (Cauchy, Lognormal, Normal).
std::optional<DistributionParameters>
ReadLocationScale(DistributionParameters p, std::string_view text1, std::string_view text2) {
    p.real1 = ParseFieldNumber(text1);
    p.real2 = ParseFieldNumber(text2);
    return Checked(p, p.real2 > 0.0);
}

// One real parameter that must be positive (Poisson rate, Rayleigh scale).
std::optional<DistributionParameters> ReadPositive(DistributionParameters p,
                                                   std::string_view text1) {
    p.real1 = ParseFieldNumber(text1);
    return Checked(p, p.real1 > 0.0);
}

// A probability strictly between 0 and 1.
bool IsOpenProbability(double p) {
    return p > 0.0 && p < 1.0;
}

// Throws ArithmeticFault when a text's number or a count conversion leaves its range.
std::optional<DistributionParameters> ReadOrFault(DistributionId id, std::string_view text1,
                                                  std::string_view text2, std::string_view text3) {
    DistributionParameters p;
    p.id = id;
    switch (id) {
    case DistributionId::Beta:
    case DistributionId::Gamma:
    case DistributionId::Weibull:
        return ReadPositivePair(p, text1, text2);
    case DistributionId::Cauchy:
    case DistributionId::Lognormal:
    case DistributionId::Normal:
        return ReadLocationScale(p, text1, text2);
    case DistributionId::Poisson:
    case DistributionId::Rayleigh:
        return ReadPositive(p, text1);
    case DistributionId::Binomial:
        p.count1 = Floor16(ParseFieldNumber(text1));
        p.real2 = ParseFieldNumber(text2);
        return Checked(p, p.count1 >= 0 && IsOpenProbability(p.real2));
    case DistributionId::ChiSquare:
    case DistributionId::StudentT:
        p.count1 = Floor16(ParseFieldNumber(text1));
        return Checked(p, p.count1 >= 1);
    case DistributionId::Exponential: {
        // The routines take the scale 1 / rate. A rate of 0 has no scale, and a rate so small
        // that its reciprocal overflows has none that is a number.
        p.real1 = ParseFieldNumber(text1);
        if (!(p.real1 > 0.0)) {
            return std::nullopt;
        }
        p.real2 = 1.0 / p.real1;
        return Checked(p, std::isfinite(p.real2) && p.real2 > 0.0);
    }
    case DistributionId::F:
        p.count1 = Floor16(ParseFieldNumber(text1));
        p.count2 = Floor16(ParseFieldNumber(text2));
        return Checked(p, p.count1 >= 1 && p.count2 >= 1);
    case DistributionId::Geometric:
        p.real1 = ParseFieldNumber(text1);
        return Checked(p, IsOpenProbability(p.real1));
    case DistributionId::Hypergeometric: {
        p.count1 = Nearest16(ParseFieldNumber(text1));
        p.count2 = Nearest16(ParseFieldNumber(text2));
        p.count3 = Nearest16(ParseFieldNumber(text3));
        const Int16 population = p.count1;
        const Int16 marked = p.count2;
        const Int16 drawn = p.count3;
        return Checked(p, !(drawn > marked || population <= 0 || marked <= 0 ||
                            marked > population || drawn < 0));
    }
    case DistributionId::Uniform:
        p.real1 = ParseFieldNumber(text1);
        p.real2 = ParseFieldNumber(text2);
        return Checked(p, p.real1 < p.real2);
    }
    return std::nullopt; // not one of the sixteen
}

} // namespace

std::optional<DistributionParameters> ReadParameters(DistributionId id, std::string_view text1,
                                                     std::string_view text2,
                                                     std::string_view text3) {
    try {
        return ReadOrFault(id, text1, text2, text3);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

} // namespace kelvora
