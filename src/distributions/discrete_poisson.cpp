// The Poisson distribution (rate lambda).
//
// The mass is lambda^k exp(-lambda) / k! as written while k! (up to 170!), lambda^k and
// exp(-lambda) are normal doubles, exp(k ln lambda - lambda - ln k!) otherwise up to k = 32767,
// and the saddle-point mass beyond, where the logarithmic form's large terms would cancel. The
// cumulative adds t(i) = t(i-1) lambda / i upward from t(0) = exp(-lambda); once exp(-lambda)
// underflows (lambda above 708.4) the sum starts ten standard deviations below the mean instead,
// from a mass formed in logarithms plus the lower tail below it, and is divided by its own total
// (see PoissonStart). Above the summed rates (see PoissonRateIsLarge) the cumulative comes from
// Temme's expansion, except at counts up to 32766, far in the lower tail, which keep their sums.
#include "distributions/discrete.hpp"

#include "distributions/discrete_saddle_point.hpp"
#include "distributions/discrete_tails.hpp"
#include "distributions/discrete_terms.hpp"
#include "distributions/discrete_walkers.hpp"
#include "distributions/log_space.hpp"

#include <cmath>
#include <limits>

namespace kelvora {

namespace {

constexpr double kLargestFactorial = 170.0; // 171! leaves the double range
// The logarithmic mass's exponent cancels terms of about k ln k, and ln k! leaves LogGamma's
// range at 4e36: beyond this count the saddle-point mass takes over.
constexpr double kLargestLogFormCount = 32767.0;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

void RequireCount(double k, const char* what) {
    if (std::isnan(k)) {
        throw ArithmeticFault(what);
    }
}

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

// The first i with q <= P(X <= i), by PoissonCdf's terms in its order; no answer when the sum
// settles below q.
std::optional<double> UpwardSearch(double q, double lambda, const PoissonSumStart& start) {
    if (start.s > 0) {
        const auto lastBelow = static_cast<Int16>(start.s - 1);
        if (q <= PoissonLowerTail(lastBelow, lambda) / start.total) {
            return FirstLowerTailReaching(q, lastBelow, lambda, start.total);
        }
    }
    PoissonUpwardSum sum(start, lambda);
    while (!(q <= sum.Sum() / start.total)) {
        if (!sum.Step()) {
            return std::nullopt;
        }
    }
    return sum.Top();
}

} // namespace

// A count that is NaN passes every test below and faults in the saddle-point form's Finite.
double PoissonPmf(double k, double lambda) {
    if (k < 0.0) {
        return 0.0;
    }
    if (k <= kLargestFactorial) {
        const auto count = static_cast<Int16>(k);
        const double kFactorial = Factorial(count);
        const double power = std::pow(lambda, count);
        const double exponential = std::exp(-lambda);
        // A rate of 0 or below, or NaN, keeps the written form and its outcome.
        if (AllNormal(power, exponential) || !(lambda > 0.0)) {
            return Finite(power * exponential / kFactorial, "PoissonPmf");
        }
    }
    if (k <= kLargestLogFormCount) {
        return Finite(PoissonLogFormMass(static_cast<Int16>(k), lambda), "PoissonPmf");
    }
    return Finite(SaddlePointPoissonMass(k, lambda), "PoissonPmf");
}

double PoissonCdf(double k, double lambda) {
    RequireCount(k, "PoissonCdf: no count");
    if (k < 0.0) {
        return 0.0;
    }
    RunningPoissonCdf walker(lambda);
    return Finite(walker.At(k), "PoissonCdf");
}

// The written upward search where its answer checks out on the accurate tails; a search on
// those tails from the mean otherwise, and for a large rate. q = 1 has no finite answer.
std::optional<double> PoissonQuantile(double q, double lambda) {
    if (!IsProbability(q)) {
        return std::nullopt;
    }
    const PoissonSumStart start = PoissonStart(lambda);
    if (q == 0.0) {
        return 0.0;
    }
    if (q == 1.0) {
        return std::nullopt;
    }
    const auto tailAt = [lambda](Tail tail, double k) { return PoissonTail(tail, k, lambda); };
    const auto reaches = [&](double k) { return Reaches(tailAt, q, k); };
    const std::optional<double> written =
        start.summed ? UpwardSearch(q, lambda, start) : std::nullopt;
    const double k = written ? SmallestCountReaching(reaches, 0.0, kInfinity, *written, 1.0)
                             : SmallestCountReaching(reaches, 0.0, kInfinity, std::floor(lambda),
                                                     std::fmax(1.0, std::floor(std::sqrt(lambda))));
    return Finite(k, "PoissonQuantile");
}

} // namespace kelvora
