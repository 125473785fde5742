#include "specfun/arithmetic.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelvora {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Counts are floored or rounded to nearest with ties to even; beyond 16 bits, or not a number,
// they fault.
TEST(Int16Conversion, FloorAndNearestAndTheirRange) {
    EXPECT_EQ(Floor16(10.7), 10);
    EXPECT_EQ(Floor16(-0.5), -1);
    EXPECT_EQ(Floor16(32767.9), 32767);
    EXPECT_EQ(Floor16(-32768.0), -32768);
    EXPECT_EQ(Nearest16(2.5), 2);
    EXPECT_EQ(Nearest16(-2.5), -2);
    EXPECT_EQ(Nearest16(7.5), 8);
    EXPECT_EQ(Nearest16(32767.4), 32767);
    for (const double bad : {32768.0, -32768.5, std::nan(""), -kInf}) {
        EXPECT_THROW(Floor16(bad), ArithmeticFault) << bad;
    }
    EXPECT_THROW(Nearest16(32767.5), ArithmeticFault); // ties to even: 32768
    EXPECT_THROW(Nearest16(kInf), ArithmeticFault);
}

TEST(Int16Arithmetic, OverflowFaults) {
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_EQ(Sub16(-32767, 1), -32768);
    EXPECT_EQ(Mul16(-256, 128), -32768);
    EXPECT_THROW(Add16(32767, 1), ArithmeticFault);
    EXPECT_THROW(Sub16(-32768, 1), ArithmeticFault);
    EXPECT_THROW(Mul16(9, 3641), ArithmeticFault);    // 9 * df beyond 3640
    EXPECT_THROW(Mul16(-1, -32768), ArithmeticFault); // the one asymmetric case
}

TEST(FiniteCheck, PassesNumbersAndRejectsInfinityAndNan) {
    EXPECT_EQ(Finite(1.5, "x"), 1.5);
    for (const double bad : {kInf, -kInf, std::nan("")}) {
        EXPECT_THROW(Finite(bad, "x"), ArithmeticFault) << bad;
    }
}

} // namespace
} // namespace kelvora
