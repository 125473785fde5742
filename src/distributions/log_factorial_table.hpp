// ln n! at a set of arguments, all computed in one ascending pass.
//
// LogFactorial sums ln i from i = 2 upward at every call, so a Hypergeometric mass over a large
// population costs tens of thousands of logarithms. The table forms the same running sum once
// and reads it off at each requested argument: the additions are the same, in the same order,
// so every value is bit-identical to LogFactorial's.
#pragma once

#include "specfun/arithmetic.hpp"

#include <array>

namespace kelvora {

class LogFactorialTable {
public:
    static constexpr int kCapacity = 2048;

    // Requests ln n!; false (and nothing requested) when the table is full.
    bool Request(Int16 n);
    // Computes every requested value; further requests need another Compute.
    void Compute();
    // ln n!. An argument that was not requested, or not yet computed, is handed to
    // LogFactorial itself: the table only saves time.
    double operator()(Int16 n) const;
    // ln C(n, k) as LogBinomialCoefficient forms it.
    double LogBinomialCoefficient(Int16 n, Int16 k) const;

private:
    std::array<Int16, kCapacity> arguments_{};
    std::array<double, kCapacity> values_{};
    int size_ = 0;
    bool computed_ = false;
};

} // namespace kelvora
