#include "distributions/log_factorial_table.hpp"

#include "specfun/gamma_family.hpp"

#include <algorithm>
#include <cmath>

namespace kelvora {

bool LogFactorialTable::Request(Int16 n) {
    if (size_ == kCapacity) {
        return false;
    }
    arguments_[static_cast<std::size_t>(size_++)] = n;
    computed_ = false;
    return true;
}

void LogFactorialTable::Compute() {
    const auto begin = arguments_.begin();
    auto end = begin + size_;
    std::sort(begin, end);
    end = std::unique(begin, end);
    size_ = static_cast<int>(end - begin);

    double sum = 0.0;
    int summedTo = 1; // ln 1! = ln 0! = 0: the sum starts at i = 2
    for (int j = 0; j < size_; ++j) {
        const int n = arguments_[static_cast<std::size_t>(j)];
        while (summedTo < n) {
            ++summedTo;
            sum = sum + std::log(static_cast<double>(summedTo));
        }
        values_[static_cast<std::size_t>(j)] = n < 2 ? 0.0 : sum;
    }
    computed_ = true;
}

double LogFactorialTable::operator()(Int16 n) const {
    const auto begin = arguments_.begin();
    const auto end = begin + size_;
    const auto at = std::lower_bound(begin, end, n);
    if (!computed_ || at == end || *at != n) {
        return LogFactorial(n);
    }
    return Finite(values_[static_cast<std::size_t>(at - begin)], "LogFactorial");
}

double LogFactorialTable::LogBinomialCoefficient(Int16 n, Int16 k) const {
    const LogFactorialTable& lf = *this;
    return Finite(lf(n) - lf(k) - lf(Sub16(n, k)), "LogBinomialCoefficient");
}

} // namespace kelvora
