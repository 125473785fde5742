#include "distributions/field_number.hpp"
#include "specfun/arithmetic.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace kelvora {
namespace {

struct ParseCase {
    const char* text;
    double expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseFieldNumberCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseFieldNumberCases, ReadsTheLeadingNumber) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(ParseFieldNumber(c.text), c.expected) << "text: \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Plain, ParseFieldNumberCases,
                         ::testing::Values(ParseCase{"0", 0.0}, ParseCase{"0.5", 0.5},
                                           ParseCase{"10", 10.0}, ParseCase{"-3", -3.0},
                                           ParseCase{"+7", 7.0}, ParseCase{"-.5", -0.5},
                                           ParseCase{".25", 0.25}, ParseCase{"5.", 5.0},
                                           ParseCase{"007", 7.0}, ParseCase{"0.1", 0.1},
                                           ParseCase{"123456789012", 123456789012.0}));

INSTANTIATE_TEST_SUITE_P(NoLeadingNumberGivesZero, ParseFieldNumberCases,
                         ::testing::Values(ParseCase{"", 0.0}, ParseCase{"-", 0.0},
                                           ParseCase{",5", 0.0}, ParseCase{"abc", 0.0},
                                           ParseCase{".", 0.0}, ParseCase{"-.", 0.0},
                                           ParseCase{"E5", 0.0}, ParseCase{"   ", 0.0},
                                           ParseCase{"--1", 0.0}, ParseCase{"+-1", 0.0},
                                           ParseCase{"\xce\xbb", 0.0}));

INSTANTIATE_TEST_SUITE_P(StopsAtTheFirstMisfit, ParseFieldNumberCases,
                         ::testing::Values(ParseCase{"1,5", 1.0}, ParseCase{"1.2.3", 1.2},
                                           ParseCase{"2-3", 2.0}, ParseCase{"4abc", 4.0},
                                           ParseCase{"1,000.5", 1.0}, ParseCase{"3\xce\xbb", 3.0},
                                           ParseCase{"1\r2", 1.0}));

INSTANTIATE_TEST_SUITE_P(BlanksDroppedAnywhere, ParseFieldNumberCases,
                         ::testing::Values(ParseCase{" 1 2 ", 12.0}, ParseCase{"- 5", -5.0},
                                           ParseCase{"1\t.\n5", 1.5}, ParseCase{"1 e 2", 100.0},
                                           ParseCase{"\n\n-\t.5", -0.5}));

INSTANTIATE_TEST_SUITE_P(
    Exponents, ParseFieldNumberCases,
    ::testing::Values(ParseCase{"1E3", 1000.0}, ParseCase{"1e3", 1000.0}, ParseCase{"2D2", 200.0},
                      ParseCase{"2d-1", 0.2}, ParseCase{"1.5E+2", 150.0}, ParseCase{"1E", 1.0},
                      ParseCase{"1E+", 1.0}, ParseCase{"1E-", 1.0}, ParseCase{"1Ex", 1.0},
                      ParseCase{"1E2.5", 100.0}, ParseCase{".5e1", 5.0}, ParseCase{"1e-400", 0.0},
                      ParseCase{"0e999999999999", 0.0}, ParseCase{"1e308", 1e308},
                      ParseCase{"4.9e-324", 4.9e-324}));

TEST(ParseFieldNumber, BeyondTheDoubleRangeFaults) {
    EXPECT_THROW(ParseFieldNumber("1e309"), ArithmeticFault);
    EXPECT_THROW(ParseFieldNumber("-1e309"), ArithmeticFault);
    EXPECT_THROW(ParseFieldNumber("1D99999999999999999999"), ArithmeticFault);
    EXPECT_THROW(ParseFieldNumber(std::string(400, '9')), ArithmeticFault);
    EXPECT_THROW(ParseFieldNumber("0.0000001e316"), ArithmeticFault);
}

TEST(ParseFieldNumber, TinyNumbersUnderflowToZeroWithoutFault) {
    EXPECT_EQ(ParseFieldNumber("1e-99999999999"), 0.0);
    EXPECT_EQ(ParseFieldNumber("-1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(ParseFieldNumber("-1e-400")));
    EXPECT_EQ(ParseFieldNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(ParseFieldNumber("1000e-310"), 1e-307);
}

TEST(ParseFieldNumber, RoundsLikeTheDecimalLiteral) {
    EXPECT_EQ(ParseFieldNumber("0.1"), 0.1);
    EXPECT_EQ(ParseFieldNumber("3.14159265358979"), 3.14159265358979);
    EXPECT_EQ(ParseFieldNumber("2.2250738585072014e-308"), 2.2250738585072014e-308);
    EXPECT_EQ(ParseFieldNumber("00000.000012345"), 0.000012345);
}

TEST(ParseFieldNumber, MegabyteTextsAreReadInLinearTime) {
    // Each of these would take minutes if the parse were quadratic in the length.
    const std::string digits(1 << 20, '7');
    EXPECT_THROW(ParseFieldNumber(digits), ArithmeticFault);
    EXPECT_EQ(ParseFieldNumber(std::string(1 << 20, '0') + "5"), 5.0);
    EXPECT_EQ(ParseFieldNumber(std::string(1 << 20, ' ') + "5"), 5.0);
    EXPECT_EQ(ParseFieldNumber("0." + std::string(1 << 20, '0') + "5"), 0.0);
    const std::string fraction = "0." + std::string(1 << 20, '3');
    EXPECT_NEAR(ParseFieldNumber(fraction), 1.0 / 3.0, 1e-16);
    EXPECT_EQ(ParseFieldNumber(std::string(1 << 20, '-')), 0.0);
    EXPECT_EQ(ParseFieldNumber("1" + std::string(1 << 20, '.')), 1.0);
}

} // namespace
} // namespace kelvora
