// The Poisson distribution (rate lambda).
//
// The mass is lambda^k exp(-lambda) / k! as written while k! (up to 170!), lambda^k and
// exp(-lambda) are normal doubles, and exp(k ln lambda - lambda - ln k!) otherwise. The
// cumulative adds t(i) = t(i-1) lambda / i upward from t(0) = exp(-lambda); once exp(-lambda)
// underflows (lambda above 708.4) the sum starts ten standard deviations below the mean instead,
// from a mass formed in logarithms plus the lower tail below it, and is divided by its own
// total (see PoissonStart).
#include "dist/discrete.hpp"

#include "dist/discrete_terms.hpp"
#include "dist/log_space.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvora {

namespace {

constexpr Int16 kLargestFactorial = 170; // 171! leaves the double range
constexpr Int16 kInt16Max = std::numeric_limits<Int16>::max();

// The smallest i in [0, hi] with q <= P(X <= i), given q <= P(X <= hi), by bisection over the
// lower-tail sums, which grow with i.
Int16 FirstLowerTailReaching(double q, Int16 hi, double lambda, double total) {
    int below = -1; // P(X <= below) < q, with P(X <= -1) = 0
    int reaching = hi;
    while (reaching - below > 1) {
        const int mid = below + (reaching - below) / 2;
        if (q <= PoissonLowerTail(static_cast<Int16>(mid), lambda) / total) {
            reaching = mid;
        } else {
            below = mid;
        }
    }
    return static_cast<Int16>(reaching);
}

} // namespace

double PoissonPmf(Int16 k, double lambda) {
    if (k < 0) {
        return 0.0;
    }
    if (k <= kLargestFactorial) {
        const double kFactorial = Factorial(k);
        const double power = std::pow(lambda, k);
        const double exponential = std::exp(-lambda);
        // A rate of 0 or below, or NaN, keeps the written form and its outcome.
        if (AllNormal(power, exponential) || !(lambda > 0.0)) {
            return Finite(power * exponential / kFactorial, "PoissonPmf");
        }
    }
    return Finite(PoissonLogFormMass(k, lambda), "PoissonPmf");
}

double PoissonCdf(Int16 k, double lambda) {
    if (k < 0) {
        return 0.0;
    }
    // The sum's 16-bit loop counter steps past 32767 after the last term.
    if (k == kInt16Max) {
        throw ArithmeticFault("PoissonCdf: the 16-bit counter steps past 32767");
    }
    const PoissonSumStart start = PoissonStart(lambda);
    if (k < start.s) {
        return Finite(PoissonLowerTail(k, lambda) / start.total, "PoissonCdf");
    }
    double t = start.t;
    double sum = start.sum;
    for (Int16 i = static_cast<Int16>(start.s + 1); i <= k; i = Step(i)) {
        t = t * lambda / i;
        sum = sum + t;
    }
    return Finite(sum / start.total, "PoissonCdf");
}

// The first i with q <= P(X <= i), by PoissonCdf's terms in its order. The search is bounded
// by the 16-bit range of i: a level the sums never reach (q above 1, NaN, or a rate so large
// that the level lies beyond 32767) faults there.
Int16 PoissonQuantile(double q, double lambda) {
    const PoissonSumStart start = PoissonStart(lambda);
    if (start.s > 0) {
        const auto lastBelow = static_cast<Int16>(std::min(start.s - 1, kInt16Max - 1));
        if (q <= PoissonLowerTail(lastBelow, lambda) / start.total) {
            return FirstLowerTailReaching(q, lastBelow, lambda, start.total);
        }
        if (start.s > kInt16Max) {
            throw ArithmeticFault("PoissonQuantile: the level lies beyond the 16-bit range");
        }
    }
    auto i = static_cast<Int16>(start.s);
    double t = start.t;
    double cum = Finite(start.sum, "PoissonQuantile");
    while (!(q <= cum / start.total)) {
        i = Step(i);
        t = t * lambda / i;
        cum = Finite(cum + t, "PoissonQuantile");
    }
    return i;
}

} // namespace kelvora
