#include "dist/parameters.hpp"

#include <gtest/gtest.h>

#include <ostream>

namespace kelvora {
namespace {

using Id = DistributionId;

struct CheckCase {
    Id id;
    const char* text1;
    const char* text2;
    const char* text3;
    bool valid;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << "id " << static_cast<int>(c.id) << " (\"" << c.text1 << "\", \"" << c.text2 << "\", \""
        << c.text3 << "\")";
}

class ParameterCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ParameterCheck, AcceptsExactlyTheValidSets) {
    const CheckCase& c = GetParam();
    const auto read = ReadParameters(c.id, c.text1, c.text2, c.text3);
    EXPECT_EQ(read.has_value(), c.valid);
    if (read) {
        EXPECT_EQ(read->id, c.id);
    }
}

// "1e400" is beyond the double range; "40000" is beyond the 16-bit range of a count. A field a
// distribution does not read may hold anything.
INSTANTIATE_TEST_SUITE_P(
    ContinuousTwoParameter, ParameterCheck,
    ::testing::Values(
        CheckCase{Id::Beta, "2", "3", "", true}, CheckCase{Id::Beta, "0", "3", "", false},
        CheckCase{Id::Beta, "2", "-1", "", false}, CheckCase{Id::Beta, "", "3", "", false},
        CheckCase{Id::Beta, "1e400", "3", "", false}, CheckCase{Id::Beta, "2", "3", "1e400", true},
        CheckCase{Id::Cauchy, "0", "1", "", true}, CheckCase{Id::Cauchy, "-5", "0", "", false},
        CheckCase{Id::Cauchy, "3", "-2", "", false}, CheckCase{Id::Gamma, "1", "2", "", true},
        CheckCase{Id::Gamma, "0", "2", "", false}, CheckCase{Id::Gamma, "1", "-2", "", false},
        CheckCase{Id::Lognormal, "0", "1", "", true}, CheckCase{Id::Lognormal, "0", "0", "", false},
        CheckCase{Id::Normal, "-3", "2", "", true}, CheckCase{Id::Normal, "5", "0", "", false},
        CheckCase{Id::Normal, "5", "1e400", "", false}, CheckCase{Id::Uniform, "0", "1", "", true},
        CheckCase{Id::Uniform, "1", "1", "", false}, CheckCase{Id::Uniform, "2", "1", "", false},
        CheckCase{Id::Uniform, "-1e400", "0", "", false},
        CheckCase{Id::Weibull, "1", "2", "", true}, CheckCase{Id::Weibull, "1", "0", "", false}));

INSTANTIATE_TEST_SUITE_P(ContinuousOneParameter, ParameterCheck,
                         ::testing::Values(CheckCase{Id::Exponential, "2", "", "", true},
                                           CheckCase{Id::Exponential, "0", "", "", false},
                                           CheckCase{Id::Exponential, "", "", "", false},
                                           CheckCase{Id::Exponential, "-1", "", "", false},
                                           CheckCase{Id::Exponential, "1e-320", "", "",
                                                     false}, // 1 / rate overflows
                                           CheckCase{Id::Exponential, "2", "1e400", "", true},
                                           CheckCase{Id::Rayleigh, "1", "", "", true},
                                           CheckCase{Id::Rayleigh, "0", "", "", false},
                                           CheckCase{Id::Rayleigh, "1", "1e400", "", true}));

INSTANTIATE_TEST_SUITE_P(
    DegreesOfFreedom, ParameterCheck,
    ::testing::Values(
        CheckCase{Id::ChiSquare, "1", "", "", true}, CheckCase{Id::ChiSquare, "0.9", "", "", false},
        CheckCase{Id::ChiSquare, "40000", "", "", false},
        CheckCase{Id::ChiSquare, "5", "1e400", "", true},
        CheckCase{Id::StudentT, "1", "", "", true}, CheckCase{Id::StudentT, "0.9", "", "", false},
        CheckCase{Id::StudentT, "-1", "", "", false}, CheckCase{Id::F, "3", "5", "", true},
        CheckCase{Id::F, "1", "1", "", true}, CheckCase{Id::F, "0.5", "5", "", false},
        CheckCase{Id::F, "3", "0.5", "", false}, CheckCase{Id::F, "3", "0", "", false},
        CheckCase{Id::F, "-2", "-2", "", false}, CheckCase{Id::F, "40000", "5", "", false}));

INSTANTIATE_TEST_SUITE_P(
    Discrete, ParameterCheck,
    ::testing::Values(
        CheckCase{Id::Binomial, "10", "0.5", "", true},
        CheckCase{Id::Binomial, "10", "1", "", false},
        CheckCase{Id::Binomial, "10", "0", "", false},
        CheckCase{Id::Binomial, "-3", "0.5", "", false},
        CheckCase{Id::Binomial, "-0.5", "0.5", "", false}, // floor gives -1
        CheckCase{Id::Binomial, "0", "0.5", "", true},
        CheckCase{Id::Binomial, "40000", "0.5", "", false},
        CheckCase{Id::Binomial, "10", "0.5", "1e400", true},
        CheckCase{Id::Geometric, "0.5", "", "", true}, CheckCase{Id::Geometric, "1", "", "", false},
        CheckCase{Id::Geometric, "0", "", "", false},
        CheckCase{Id::Geometric, "0.5", "1e400", "", true},
        CheckCase{Id::Poisson, "3", "", "", true}, CheckCase{Id::Poisson, "0", "", "", false},
        CheckCase{Id::Poisson, "-1", "", "", false}, CheckCase{Id::Poisson, "3", "1e400", "", true},
        CheckCase{Id::Hypergeometric, "100", "50", "10", true},
        CheckCase{Id::Hypergeometric, "10", "8", "5", true},
        CheckCase{Id::Hypergeometric, "10", "5", "0", true},
        CheckCase{Id::Hypergeometric, "10", "5", "6", false},  // n > K
        CheckCase{Id::Hypergeometric, "0", "0", "0", false},   // M <= 0
        CheckCase{Id::Hypergeometric, "10", "11", "1", false}, // K > M
        CheckCase{Id::Hypergeometric, "10", "0", "0", false},  // K <= 0
        CheckCase{Id::Hypergeometric, "10", "5", "-1", false}, // n < 0
        CheckCase{Id::Hypergeometric, "40000", "5", "1", false},
        CheckCase{Id::Hypergeometric, "100", "50", "1e400", false}));

struct ConversionCase {
    Id id;
    const char* text1;
    const char* text2;
    const char* text3;
    double real1;
    double real2;
    Int16 count1;
    Int16 count2;
    Int16 count3;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << "id " << static_cast<int>(c.id) << " (\"" << c.text1 << "\", \"" << c.text2 << "\", \""
        << c.text3 << "\")";
}

class ParameterConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ParameterConversion, FillsTheMembersTheDistributionUses) {
    const ConversionCase& c = GetParam();
    const auto read = ReadParameters(c.id, c.text1, c.text2, c.text3);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->real1, c.real1);
    EXPECT_EQ(read->real2, c.real2);
    EXPECT_EQ(read->count1, c.count1);
    EXPECT_EQ(read->count2, c.count2);
    EXPECT_EQ(read->count3, c.count3);
}

INSTANTIATE_TEST_SUITE_P(
    ByTable, ParameterConversion,
    ::testing::Values(ConversionCase{Id::Beta, "2.5", "0.5", "9", 2.5, 0.5, 0, 0, 0},
                      ConversionCase{Id::Binomial, "10.9", "0.25", "", 0.0, 0.25, 10, 0, 0},
                      ConversionCase{Id::ChiSquare, "7.99", "", "", 0.0, 0.0, 7, 0, 0},
                      ConversionCase{Id::Exponential, "2", "", "", 2.0, 0.5, 0, 0, 0},
                      ConversionCase{Id::F, "3.7", "12.2", "", 0.0, 0.0, 3, 12, 0},
                      ConversionCase{Id::Gamma, "1.5", "4", "", 1.5, 4.0, 0, 0, 0},
                      ConversionCase{Id::Geometric, "0.125", "", "", 0.125, 0.0, 0, 0, 0},
                      // Nearest with ties to even: 7.5 -> 8, 2.5 -> 2, 1.5 -> 2.
                      ConversionCase{Id::Hypergeometric, "7.5", "2.5", "1.5", 0.0, 0.0, 8, 2, 2},
                      ConversionCase{Id::Hypergeometric, " 1 00", "49.6", "10.4", 0.0, 0.0, 100, 50,
                                     10},
                      ConversionCase{Id::Poisson, "3.5", "7", "", 3.5, 0.0, 0, 0, 0},
                      ConversionCase{Id::Rayleigh, "2", "", "", 2.0, 0.0, 0, 0, 0},
                      ConversionCase{Id::StudentT, "1.9", "", "", 0.0, 0.0, 1, 0, 0},
                      ConversionCase{Id::Uniform, "-1", "1,5", "", -1.0, 1.0, 0, 0, 0},
                      ConversionCase{Id::Weibull, "2", "3", "", 2.0, 3.0, 0, 0, 0}));

TEST(ReadParameters, UnknownDistributionHasNoParameters) {
    EXPECT_FALSE(ReadParameters(static_cast<Id>(16), "1", "1", "1").has_value());
    EXPECT_FALSE(ReadParameters(static_cast<Id>(-1), "1", "1", "1").has_value());
}

} // namespace
} // namespace kelvora
