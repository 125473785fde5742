#include "distributions/field_number.hpp"
#include "specfun/arithmetic.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

namespace kelvora {
namespace {

// The number a field reads from each text of tests/data/field_numbers.tsv.
TEST(ParseFieldNumber, ReadsTheLeadingNumber) {
    std::ifstream in(KELVORA_FIELD_NUMBERS);
    ASSERT_TRUE(in) << KELVORA_FIELD_NUMBERS;
    int read = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t tab = line.rfind('\t');
        std::string text;
        for (std::size_t i = 0; i < tab; ++i) {
            const char c = line[i];
            if (c != '\\') {
                text += c;
            } else if (const char e = line[++i]; e == 'x') {
                text += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                text += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
            }
        }
        EXPECT_EQ(ParseFieldNumber(text), std::strtod(line.c_str() + tab + 1, nullptr)) << line;
        ++read;
    }
    EXPECT_EQ(read, 49);
}

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
