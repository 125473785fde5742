#include "specfun/arithmetic.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelvora {
namespace {

TEST(Int16Conversion, FloorRoundsDownIncludingNegatives) {
    EXPECT_EQ(Floor16(10.7), 10);
    EXPECT_EQ(Floor16(-0.5), -1);
    EXPECT_EQ(Floor16(-0.0), 0);
    EXPECT_EQ(Floor16(32767.9), 32767);
    EXPECT_EQ(Floor16(-32768.0), -32768);
}

TEST(Int16Conversion, NearestTiesToEven) {
    EXPECT_EQ(Nearest16(2.5), 2);
    EXPECT_EQ(Nearest16(3.5), 4);
    EXPECT_EQ(Nearest16(-2.5), -2);
    EXPECT_EQ(Nearest16(7.5), 8);
    EXPECT_EQ(Nearest16(1.4999999), 1);
    EXPECT_EQ(Nearest16(32767.4), 32767);
}

TEST(Int16Conversion, OutOfRangeAndNanFault) {
    EXPECT_THROW(Floor16(32768.0), ArithmeticFault);
    EXPECT_THROW(Floor16(-32768.5), ArithmeticFault);
    EXPECT_THROW(Nearest16(32767.5), ArithmeticFault); // ties to even: 32768
    EXPECT_THROW(Nearest16(-32768.6), ArithmeticFault);
    EXPECT_THROW(Floor16(std::numeric_limits<double>::quiet_NaN()), ArithmeticFault);
    EXPECT_THROW(Nearest16(std::numeric_limits<double>::infinity()), ArithmeticFault);
    EXPECT_THROW(Floor16(-std::numeric_limits<double>::infinity()), ArithmeticFault);
}

TEST(Int16Arithmetic, ResultsInsideTheRangePass) {
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_EQ(Sub16(-32767, 1), -32768);
    EXPECT_EQ(Mul16(181, 181), 32761);
    EXPECT_EQ(Mul16(-256, 128), -32768);
}

TEST(Int16Arithmetic, OverflowFaults) {
    EXPECT_THROW(Add16(32767, 1), ArithmeticFault);
    EXPECT_THROW(Sub16(-32768, 1), ArithmeticFault);
    EXPECT_THROW(Mul16(9, 3641), ArithmeticFault);    // 9 * df beyond 3640
    EXPECT_THROW(Mul16(-1, -32768), ArithmeticFault); // the one asymmetric case
}

TEST(FiniteCheck, PassesNumbersAndRejectsInfinityAndNan) {
    EXPECT_EQ(Finite(1.5, "x"), 1.5);
    EXPECT_EQ(Finite(0.0, "x"), 0.0);
    EXPECT_THROW(Finite(std::numeric_limits<double>::infinity(), "x"), ArithmeticFault);
    EXPECT_THROW(Finite(-std::numeric_limits<double>::infinity(), "x"), ArithmeticFault);
    EXPECT_THROW(Finite(std::nan(""), "x"), ArithmeticFault);
}

} // namespace
} // namespace kelvora
