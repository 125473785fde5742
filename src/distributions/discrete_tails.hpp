// The two tails P(X <= k) and P(X > k) of the Binomial, Poisson and Hypergeometric
// distributions, each formed directly and never as 1 minus the other where it is the small one,
// and the search for the smallest count whose cumulative reaches a level.
//
// A tail that lies away from the mode is the sum of the saddle-point masses from k outward, by
// the ratio recurrence, until the remainder (bounded by log-concavity: each later ratio is
// smaller) falls below 2^-60 of the sum. A tail that holds the mode is 1 minus the other, which
// is then at most about one half, so nothing is lost. Above the summed Poisson rates (see
// PoissonRateIsLarge) both tails come from Temme's uniform expansion of the incomplete gamma
// ratios. Every tail is good to about 1e-13 relative, down to the smallest normal double.
#pragma once

#include "specfun/arithmetic.hpp"

#include <cmath>

namespace kelvora {

enum class Tail { Lower, Upper }; // P(X <= k), P(X > k)

// k is a whole number held in a double (or an infinity).
double BinomialTail(Tail tail, double k, Int16 n, double p);
double HypergeometricTail(Tail tail, double k, Int16 n, Int16 K, Int16 M);
double PoissonTail(Tail tail, double k, double lambda);
// The Geometric's tails at k trials: P(X > k) = (1 - p)^k, in logarithms so that neither tail
// cancels.
double GeometricTail(Tail tail, double k, double p);

// The masses these tails sum, for the precise readout: the first success at trial k,
// p (1 - p)^(k - 1) in logarithms; the Hypergeometric's saddle-point mass, 0 outside the
// support.
double GeometricLogMass(double k, double p);
double HypergeometricSupportMass(double k, Int16 n, Int16 K, Int16 M);

// A cumulative within this relative distance of q counts as reaching it: closer than the tails'
// own accuracy the comparison cannot be decided, and a level typed as the decimal value of a
// cumulative (0.9 for Binomial(1, 0.1) at 0, whose doubles differ in the last bit) is met.
inline constexpr double kLevelTie = 1e-12;

// Whether P(X <= k) >= q, decided on the tail that is accurate there: for q above 1/2 as
// P(X > k) <= 1 - q, where 1 - q is exact.
template <typename TailAt> bool Reaches(const TailAt& tailAt, double q, double k) {
    return q <= 0.5 ? tailAt(Tail::Lower, k) >= q * (1.0 - kLevelTie)
                    : tailAt(Tail::Upper, k) <= (1.0 - q) * (1.0 + kLevelTie);
}

// The smallest whole k in [low, high] with reaches(k), where reaches is monotone and holds at
// high (which may be infinite). The search starts at `guess`: a guess that is the answer costs
// two evaluations (at the guess and one below). Otherwise a bracket is grown from it by steps
// doubling from `step`, then halved to adjacent counts; beyond 2^53, where not every count is a
// double, to adjacent doubles.
template <typename ReachesAt>
double SmallestCountReaching(const ReachesAt& reaches, double low, double high, double guess,
                             double step) {
    // Doubling passes the double range within about 2100 steps, and halving then needs as many.
    constexpr int kMaxSteps = 4200;
    guess = std::fmin(std::fmax(guess, low), high);
    double below = low - 1.0; // never reaches
    double atOrAbove = high;  // always reaches
    if (reaches(guess)) {
        atOrAbove = guess;
        for (int i = 0; i < kMaxSteps; ++i) {
            const double candidate = atOrAbove - step;
            if (candidate < low) {
                break;
            }
            if (!reaches(candidate)) {
                below = candidate;
                break;
            }
            atOrAbove = candidate;
            step = 2.0 * step;
        }
    } else {
        below = guess;
        for (int i = 0; i < kMaxSteps; ++i) {
            const double candidate = below + step;
            if (candidate >= high) {
                break;
            }
            if (reaches(candidate)) {
                atOrAbove = candidate;
                break;
            }
            below = candidate;
            step = 2.0 * step;
        }
    }
    for (int i = 0; i < kMaxSteps; ++i) {
        const double middle = std::floor(below + 0.5 * (atOrAbove - below));
        if (!(middle > below && middle < atOrAbove)) {
            break;
        }
        if (reaches(middle)) {
            atOrAbove = middle;
        } else {
            below = middle;
        }
    }
    return atOrAbove;
}

} // namespace kelvora
