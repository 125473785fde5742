#include "distributions/discrete_terms.hpp"

#include "distributions/log_space.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kelvora {

namespace {

// Ten standard deviations below its mean a Poisson mass is below 1e-21 yet far above the
// smallest normal double (about 1e-27 at lambda = 708.4, the worst case).
constexpr double kStartDeviations = 10.0;
// A sum stops once its terms no longer change it.
constexpr double kNegligible = 1e-17;
// The normalising sum needs about 20 sqrt(lambda) terms, under 4000 for the summed rates; the
// bound only guards against a pathological rate.
constexpr int kMaxTotalTerms = 1 << 20;

} // namespace

// ---- Binomial -------------------------------------------------------------------------------

// C(n, k) by the multiplicative formula over the smaller of k and n - k. Each step divides
// before it multiplies, so c stays C(big + i, i) and overflows only when the coefficient itself
// leaves the double range (from C(1030, 515) on).
double BinomialCoefficientValue(Int16 n, Int16 k) {
    const Int16 d = Sub16(n, k);
    const Int16 m = std::min(k, d);
    if (m < 0) {
        return 0.0;
    }
    if (m == 0) {
        return 1.0;
    }
    // big + i stays at most big + m = n.
    const int big = std::max(k, d);
    double c = big + 1;
    for (int i = 2; i <= m; ++i) {
        c = c / i * (big + i);
    }
    return c;
}

BinomialTerms::BinomialTerms(Int16 n, double p)
    : n_(n), p_(p), logP_(std::log(p)), logQ_(std::log1p(-p)),
      logGammaN_(n >= 0 ? LogGamma(n + 1.0) : 0.0) {}

double BinomialTerms::Coefficient(Int16 i) {
    const int m = std::min<int>(i, n_ - i);
    if (m >= overflowsFrom_) {
        return std::numeric_limits<double>::infinity();
    }
    if (m == cached_) {
        FillCoefficients();
        if (m >= overflowsFrom_) {
            return std::numeric_limits<double>::infinity();
        }
    }
    if (m >= 0 && m < cached_) {
        return coefficients_[static_cast<std::size_t>(m)];
    }
    return BinomialCoefficientValue(n_, i);
}

// Caches the next kBlock coefficients C(n, m), m = cached_, cached_ + 1, ... (up to n/2), or up
// to the first that overflows. Each lane performs exactly BinomialCoefficientValue's operations
// in its order, so every value is bit-identical to it; the lanes' loops are independent, so run
// side by side their divisions overlap instead of waiting on one another.
void BinomialTerms::FillCoefficients() {
    const int first = cached_;
    const int end = std::min({first + kBlock, kFiniteBelow, n_ / 2 + 1});
    const int count = end - first;
    if (count <= 0) {
        return;
    }
    std::array<double, kBlock> c{};
    std::array<int, kBlock> big{};
    for (int j = 0; j < count; ++j) {
        const int m = first + j;
        big[static_cast<std::size_t>(j)] = n_ - m;
        c[static_cast<std::size_t>(j)] = m == 0 ? 1.0 : big[static_cast<std::size_t>(j)] + 1;
    }
    // Every lane's m is at least `first`: the steps up to it are common to all.
    for (int i = 2; i <= first; ++i) {
        for (std::size_t j = 0; j < kBlock; ++j) {
            c[j] = c[j] / i * (big[j] + i);
        }
    }
    for (int i = std::max(2, first + 1); i < end; ++i) {
        for (int j = i - first; j < count; ++j) {
            const auto lane = static_cast<std::size_t>(j);
            c[lane] = c[lane] / i * (big[lane] + i);
        }
    }
    for (std::size_t j = 0; j < static_cast<std::size_t>(count); ++j) {
        if (!std::isfinite(c[j])) {
            overflowsFrom_ = first + static_cast<int>(j);
            return;
        }
        coefficients_[static_cast<std::size_t>(cached_++)] = c[j];
    }
}

// n = 0 is the distribution concentrated at 0: with i = 0 it reaches the closed form, which
// gives C(0, 0) p^0 (1 - p)^0 = 1.
double BinomialTerms::Mass(Int16 i) {
    if (n_ < 0) {
        return 0.0;
    }
    if (i > n_ || i < 0) {
        return 0.0;
    }
    if (p_ == 0.0) {
        return i == 0 ? 1.0 : 0.0;
    }
    if (p_ == 1.0) {
        return i == n_ ? 1.0 : 0.0;
    }
    const double coefficient = Coefficient(i);
    const Int16 failures = Sub16(n_, i);
    if (std::isfinite(coefficient)) {
        const double failurePower = std::pow(1.0 - p_, failures);
        const double successPower = std::pow(p_, i);
        if (AllNormal(failurePower, successPower)) {
            return Finite(coefficient * successPower * failurePower, "BinomialPmf");
        }
    }
    const double logCoefficient = logGammaN_ - LogGamma(i + 1.0) - LogGamma(failures + 1.0);
    return Finite(std::exp(logCoefficient + i * logP_ + failures * logQ_), "BinomialPmf");
}

// ---- Poisson --------------------------------------------------------------------------------

double PoissonLogFormMass(Int16 k, double lambda) {
    return std::exp(XLogY(k, lambda) - lambda - LogGamma(k + 1.0));
}

namespace {

// The start point ten standard deviations below the mean.
double PoissonStartPoint(double lambda) {
    return std::floor(lambda - kStartDeviations * std::sqrt(lambda));
}

constexpr double kLargestStart = std::numeric_limits<Int16>::max();

} // namespace

bool PoissonRateIsLarge(double lambda) {
    return PoissonStartPoint(lambda) > kLargestStart;
}

PoissonSumStart PoissonStart(double lambda) {
    if (!(lambda > 0.0) || !std::isfinite(lambda)) {
        throw ArithmeticFault("Poisson: no positive finite rate");
    }
    const double first = std::exp(-lambda);
    if (!(first < std::numeric_limits<double>::min())) {
        return {0, first, first, 1.0};
    }
    const double start = PoissonStartPoint(lambda);
    if (start > kLargestStart) {
        return {0, 0.0, 0.0, 1.0, false};
    }
    const auto s = static_cast<Int16>(start);
    const double t = PoissonLogFormMass(s, lambda);
    const double sum = PoissonLowerTail(static_cast<Int16>(s - 1), lambda) + t;
    // Past the mean the terms fall faster than geometrically: within about ten standard
    // deviations they no longer change the sum, and from there no later term does.
    double term = t;
    double total = sum;
    for (int i = s + 1; i <= kMaxTotalTerms && (i <= lambda || term > kNegligible * total); ++i) {
        term = term * lambda / i;
        total = total + term;
    }
    return {s, t, sum, Finite(total, "PoissonCdf")};
}

double PoissonLowerTail(Int16 k, double lambda) {
    if (k < 0) {
        return 0.0;
    }
    double t = PoissonLogFormMass(k, lambda);
    double sum = t;
    // Below the mean each term is smaller than the one above it: the sum ends within k steps,
    // and long before where the terms fall below the sum's last digit.
    for (int i = k; i > 0 && t > kNegligible * sum; --i) {
        t = t * i / lambda;
        sum = sum + t;
    }
    return Finite(sum, "PoissonCdf");
}

// ---- Hypergeometric -------------------------------------------------------------------------

HypergeometricMasses::HypergeometricMasses(Int16 n, Int16 K, Int16 M, double logLowestMass)
    : n_(n), K_(K), M_(M), t_(std::exp(logLowestMass)), logT_(logLowestMass),
      inLogs_(!std::isnormal(t_) && logLowestMass < 0.0) {}

// Inside the support every factor lies between 0 and M.
void HypergeometricMasses::Next(int i) {
    const double a = static_cast<double>(n_ - i) * (K_ - i);
    const double b = static_cast<double>(M_ - K_ - n_ + i + 1) * (i + 1);
    if (!inLogs_) {
        t_ = t_ * a / b;
        return;
    }
    logT_ = logT_ + std::log(a / b);
    t_ = std::exp(logT_);
    inLogs_ = !std::isnormal(t_);
}

} // namespace kelvora
