#include "specfun/arithmetic.hpp"

#include <cmath>
#include <string>

namespace kelvora {

namespace {

constexpr double kMin16 = -32768.0;
constexpr double kMax16 = 32767.0;

Int16 ToInt16(double v, const char* what) {
    // NaN fails both comparisons and lands here too.
    if (!(v >= kMin16 && v <= kMax16)) {
        throw ArithmeticFault(std::string(what) + ": outside the 16-bit range");
    }
    return static_cast<Int16>(v);
}

Int16 Checked(int v, const char* what) {
    if (v < -32768 || v > 32767) {
        throw ArithmeticFault(std::string(what) + ": 16-bit overflow");
    }
    return static_cast<Int16>(v);
}

} // namespace

Int16 Floor16(double v) {
    return ToInt16(std::floor(v), "floor");
}

Int16 Nearest16(double v) {
    // nearbyint rounds with the current mode, which is round-to-nearest-even by default.
    return ToInt16(std::nearbyint(v), "nearest");
}

Int16 Add16(Int16 a, Int16 b) {
    return Checked(int{a} + int{b}, "add");
}
Int16 Sub16(Int16 a, Int16 b) {
    return Checked(int{a} - int{b}, "subtract");
}
Int16 Mul16(Int16 a, Int16 b) {
    return Checked(int{a} * int{b}, "multiply");
}

void ThrowNotFinite(const char* what) {
    throw ArithmeticFault(std::string(what) + ": no finite result");
}

} // namespace kelvora
