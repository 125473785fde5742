// Arithmetic conventions shared by the whole numeric library.
//
// Counts, degrees of freedom and discrete quantiles are 16-bit signed integers, and every
// operation on them is checked: a result outside -32768..32767 is an ArithmeticFault. A
// floating-point result that is not finite (overflow, division by zero, an invalid operation)
// is an ArithmeticFault at the point where a routine returns it (see Finite). ArithmeticFault
// is the only exception the numeric library throws.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace kelvora {

class ArithmeticFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Int16 = std::int16_t;

// The largest integer not above v (10.7 -> 10, -0.5 -> -1); NaN or out of range throws.
Int16 Floor16(double v);
// The nearest integer, ties to the even one (2.5 -> 2, 3.5 -> 4); NaN or out of range throws.
Int16 Nearest16(double v);

// Checked 16-bit arithmetic: the exact result must fit in -32768..32767.
Int16 Add16(Int16 a, Int16 b);
Int16 Sub16(Int16 a, Int16 b);
Int16 Mul16(Int16 a, Int16 b);

// Throws the ArithmeticFault of a result that is not finite, naming `what`.
[[noreturn]] void ThrowNotFinite(const char* what);

// Returns v when it is finite; otherwise throws ArithmeticFault naming `what`. Every routine
// passes its result through this where it returns, so that an infinite or NaN value can never
// travel on as if it were a number. Inline: the curve sampling checks every sample this way.
inline double Finite(double v, const char* what) {
    if (!std::isfinite(v)) {
        ThrowNotFinite(what);
    }
    return v;
}

} // namespace kelvora
