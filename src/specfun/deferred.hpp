// Values that a routine evaluated at many points computes once instead of at every point: a
// parameter-only value (B(a, b), Gamma(shape)) on first use, and the value at the last point
// (the series both tails share). Only a value is kept: a computation that faults keeps nothing,
// and the next use computes it again and faults the same way, so the routine still faults
// exactly where, and only if, it uses the value. The state lives in the routine's own object:
// nothing is shared between objects or threads.
#pragma once

#include <bit>
#include <cstdint>

namespace kelvora {

// Computed by the first Get that succeeds, kept for every later one.
template <typename T> class Deferred {
public:
    template <typename Compute> T Get(Compute&& compute) const {
        if (!ready_) {
            value_ = compute();
            ready_ = true;
        }
        return value_;
    }

private:
    mutable bool ready_ = false;
    mutable T value_{};
};

// The value at the last point asked for, recomputed when the point changes. Points are compared
// by their bits: -0 and 0 are different points, as they may be to the computation.
template <typename T> class LastPoint {
public:
    template <typename Compute> T Get(double x, Compute&& compute) const {
        const auto bits = std::bit_cast<std::uint64_t>(x);
        if (!ready_ || bits != bits_) {
            ready_ = false;
            value_ = compute();
            bits_ = bits;
            ready_ = true;
        }
        return value_;
    }

private:
    mutable bool ready_ = false;
    mutable std::uint64_t bits_ = 0;
    mutable T value_{};
};

} // namespace kelvora
