// The parameter readers. Each reads only the fields its distributions use, converts counts to
// 16 bits (floor for trial counts and degrees of freedom, nearest for the Hypergeometric counts)
// and applies its validity test.
#include "distributions/parameters.hpp"

#include "distributions/field_number.hpp"

#include <cmath>

namespace kelvora {

namespace {

Reading Checked(const DistributionParameters& p, bool valid) {
    if (!valid) {
        return std::nullopt;
    }
    return p;
}

bool IsOpenProbability(double p) {
    return p > 0.0 && p < 1.0;
}

} // namespace

Reading ReadPositivePair(DistributionParameters p, std::string_view text1, std::string_view text2,
                         std::string_view) {
    p.real1 = ParseFieldNumber(text1);
    p.real2 = ParseFieldNumber(text2);
    return Checked(p, p.real1 > 0.0 && p.real2 > 0.0);
}

Reading ReadLocationScale(DistributionParameters p, std::string_view text1, std::string_view text2,
                          std::string_view) {
    p.real1 = ParseFieldNumber(text1);
    p.real2 = ParseFieldNumber(text2);
    return Checked(p, p.real2 > 0.0);
}

Reading ReadPositive(DistributionParameters p, std::string_view text1, std::string_view,
                     std::string_view) {
    p.real1 = ParseFieldNumber(text1);
    return Checked(p, p.real1 > 0.0);
}

Reading ReadTrialsAndProbability(DistributionParameters p, std::string_view text1,
                                 std::string_view text2, std::string_view) {
    p.count1 = Floor16(ParseFieldNumber(text1));
    p.real2 = ParseFieldNumber(text2);
    return Checked(p, p.count1 >= 0 && IsOpenProbability(p.real2));
}

Reading ReadDegreesOfFreedom(DistributionParameters p, std::string_view text1, std::string_view,
                             std::string_view) {
    p.count1 = Floor16(ParseFieldNumber(text1));
    return Checked(p, p.count1 >= 1);
}

Reading ReadDegreesOfFreedomPair(DistributionParameters p, std::string_view text1,
                                 std::string_view text2, std::string_view) {
    p.count1 = Floor16(ParseFieldNumber(text1));
    p.count2 = Floor16(ParseFieldNumber(text2));
    return Checked(p, p.count1 >= 1 && p.count2 >= 1);
}

Reading ReadRate(DistributionParameters p, std::string_view text1, std::string_view,
                 std::string_view) {
    // The routines take the scale 1 / rate. A rate of 0 has no scale, and a rate so small that
    // its reciprocal overflows has none that is a number.
    p.real1 = ParseFieldNumber(text1);
    if (!(p.real1 > 0.0)) {
        return std::nullopt;
    }
    p.real2 = 1.0 / p.real1;
    return Checked(p, std::isfinite(p.real2) && p.real2 > 0.0);
}

Reading ReadProbability(DistributionParameters p, std::string_view text1, std::string_view,
                        std::string_view) {
    p.real1 = ParseFieldNumber(text1);
    return Checked(p, IsOpenProbability(p.real1));
}

Reading ReadPopulationCounts(DistributionParameters p, std::string_view text1,
                             std::string_view text2, std::string_view text3) {
    p.count1 = Nearest16(ParseFieldNumber(text1));
    p.count2 = Nearest16(ParseFieldNumber(text2));
    p.count3 = Nearest16(ParseFieldNumber(text3));
    const Int16 population = p.count1;
    const Int16 marked = p.count2;
    const Int16 drawn = p.count3;
    return Checked(
        p, !(drawn > marked || population <= 0 || marked <= 0 || marked > population || drawn < 0));
}

Reading ReadInterval(DistributionParameters p, std::string_view text1, std::string_view text2,
                     std::string_view) {
    p.real1 = ParseFieldNumber(text1);
    p.real2 = ParseFieldNumber(text2);
    return Checked(p, p.real1 < p.real2);
}

} // namespace kelvora
