// Values that a routine evaluated at many points computes once instead of at every point: a
// parameter-only value (B(a, b), Gamma(shape)) on first use, and the value at the last point
// (the series both tails share). Each keeps a fault with the value, so the routine still faults
// exactly where, and only if, it uses the value. The state lives in the routine's own object:
// nothing is shared between objects or threads.
#pragma once

#include "specfun/arithmetic.hpp"

#include <bit>
#include <cstdint>
#include <exception>

namespace kelvora {

// Computed by the first Get, kept for every later one.
template <typename T> class Deferred {
public:
    template <typename Compute> T Get(Compute&& compute) const {
        if (!ready_) {
            try {
                value_ = compute();
            } catch (const ArithmeticFault&) {
                fault_ = std::current_exception();
            }
            ready_ = true;
        }
        if (fault_) {
            std::rethrow_exception(fault_);
        }
        return value_;
    }

private:
    mutable bool ready_ = false;
    mutable T value_{};
    mutable std::exception_ptr fault_;
};

// The value at the last point asked for, recomputed when the point changes. Points are compared
// by their bits: -0 and 0 are different points, as they may be to the computation.
template <typename T> class LastPoint {
public:
    template <typename Compute> T Get(double x, Compute&& compute) const {
        const auto bits = std::bit_cast<std::uint64_t>(x);
        if (!ready_ || bits != bits_) {
            ready_ = false;
            if (fault_) {
                fault_ = nullptr;
            }
            try {
                value_ = compute();
            } catch (const ArithmeticFault&) {
                fault_ = std::current_exception();
            }
            bits_ = bits;
            ready_ = true;
        }
        if (fault_) {
            std::rethrow_exception(fault_);
        }
        return value_;
    }

private:
    mutable bool ready_ = false;
    mutable std::uint64_t bits_ = 0;
    mutable T value_{};
    mutable std::exception_ptr fault_;
};

} // namespace kelvora
