#include "distributions/discrete_tails.hpp"

#include "distributions/discrete_saddle_point.hpp"
#include "distributions/discrete_terms.hpp"

#include <algorithm>
#include <array>
#include <limits>

namespace kelvora {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kSqrtTwoPi = 2.506628274631000502;

// A tail sum stops once its remainder is below this part of the sum.
constexpr double kRemainder = 0x1p-60;
// Past the mode the terms fall at least geometrically and underflow long before this bound; it
// only guards against a pathological input.
constexpr int kMaxTerms = 1 << 22;

// ---- Sums of the masses from k outward --------------------------------------------------------

// A Walk has members low, high (the support, high possibly infinite) and mode, and Mass(i),
// Up(i) = f(i + 1) / f(i) and Down(i) = f(i - 1) / f(i), all log-concave.

// f(k) + f(k - 1) + ... down to the support's low end, for k at or below the mode.
template <typename Walk> double SumDown(const Walk& w, double k) {
    double t = w.Mass(k);
    double sum = t;
    double i = k;
    for (int n = 0; n < kMaxTerms && i > w.low; ++n) {
        const double ratio = w.Down(i);
        t = t * ratio;
        sum = sum + t;
        i = i - 1.0;
        if (ratio < 1.0 && t * ratio <= kRemainder * (1.0 - ratio) * sum) {
            break;
        }
    }
    return sum;
}

// f(j) + f(j + 1) + ... up to the support's high end, for j above the mode.
template <typename Walk> double SumUp(const Walk& w, double j) {
    double t = w.Mass(j);
    double sum = t;
    double i = j;
    for (int n = 0; n < kMaxTerms && i < w.high; ++n) {
        const double ratio = w.Up(i);
        t = t * ratio;
        sum = sum + t;
        i = i + 1.0;
        if (ratio < 1.0 && t * ratio <= kRemainder * (1.0 - ratio) * sum) {
            break;
        }
    }
    return sum;
}

template <typename Walk> double WalkTail(const Walk& w, Tail tail, double k) {
    if (std::isnan(k)) {
        throw ArithmeticFault("Tail: no count");
    }
    const bool lower = tail == Tail::Lower;
    if (k < w.low) {
        return lower ? 0.0 : 1.0;
    }
    if (k >= w.high) {
        return lower ? 1.0 : 0.0;
    }
    if (lower) {
        return k <= w.mode ? SumDown(w, k) : 1.0 - SumUp(w, k + 1.0);
    }
    return k >= w.mode ? SumUp(w, k + 1.0) : 1.0 - SumDown(w, k);
}

struct BinomialWalk {
    BinomialWalk(Int16 trials, double success)
        : n(trials), p(success), q(1.0 - success), odds(success / q), high(trials),
          mode(std::fmin(std::floor((n + 1.0) * p), n)) {}
    double Mass(double i) const { return SaddlePointBinomialMass(i, n, p, q); }
    double Up(double i) const { return (n - i) / (i + 1.0) * odds; }
    double Down(double i) const { return i / (n - i + 1.0) / odds; }
    double n, p, q, odds;
    double low = 0.0;
    double high;
    double mode;
};

struct HypergeometricWalk {
    HypergeometricWalk(Int16 drawn, Int16 marked, Int16 population)
        : n(drawn), K(marked), M(population), low(std::fmax(0.0, n + K - M)), high(std::fmin(n, K)),
          mode(std::fmax(low, std::fmin(std::floor((n + 1.0) * (K + 1.0) / (M + 2.0)), high))) {}
    double Mass(double i) const { return SaddlePointHypergeometricMass(i, n, K, M); }
    double Up(double i) const { return (n - i) * (K - i) / ((i + 1.0) * (M - K - n + i + 1.0)); }
    double Down(double i) const { return i * (M - K - n + i) / ((n - i + 1.0) * (K - i + 1.0)); }
    double n, K, M, low, high, mode;
};

struct PoissonWalk {
    explicit PoissonWalk(double rate) : lambda(rate), mode(std::floor(rate)) {}
    double Mass(double i) const { return SaddlePointPoissonMass(i, lambda); }
    double Up(double i) const { return lambda / (i + 1.0); }
    double Down(double i) const { return i / lambda; }
    double lambda;
    double low = 0.0;
    double high = kInfinity;
    double mode;
};

// ---- Temme's uniform expansion ---------------------------------------------------------------

// The Taylor coefficients of c0(eta) = 1/mu - 1/eta and c1(eta) = 1/eta^3 - 1/mu^3 - 1/mu^2 -
// 1/(12 mu) at eta = 0, where both forms cancel.
constexpr std::array<double, 8> kC0 = {-1.0 / 3.0,    1.0 / 12.0,          -2.0 / 135.0,
                                       1.0 / 864.0,   1.0 / 2835.0,        -139.0 / 777600.0,
                                       1.0 / 25515.0, -571.0 / 261273600.0};
constexpr std::array<double, 6> kC1 = {-1.0 / 540.0,    -1.0 / 288.0, 1.0 / 378.0,
                                       -77.0 / 77760.0, 1.0 / 4860.0, -1.0 / 2488320.0};
// Below this |eta| the series are used; above it the closed forms lose under 1e-11 of c0.
constexpr double kSeriesEta = 0.1;

template <std::size_t N> double Polynomial(const std::array<double, N>& c, double x) {
    double sum = 0.0;
    for (std::size_t i = N; i-- > 0;) {
        sum = sum * x + c[i];
    }
    return sum;
}

struct GammaRatios {
    double P;
    double Q;
};

// P(a, x) and Q(a, x) by N. M. Temme's uniform asymptotic expansion (SIAM J. Math. Anal. 10,
// 1979; DLMF 8.12.3, 8.12.8): Q = erfc(eta sqrt(a/2)) / 2 + R, P = erfc(-eta sqrt(a/2)) / 2 - R,
// R = exp(-a eta^2 / 2) / sqrt(2 pi a) (c0 + c1 / a), with a eta^2 / 2 = a ln(a/x) + x - a and
// eta of the sign of x - a. For a above 1e4 and x/a in [1/2, 2] the next term, c2 / a^2, is
// below 1e-11 of R.
GammaRatios TemmeGammaRatios(double a, double x) {
    const double mu = (x - a) / a;
    const double deviance = DevianceTerm(a, x);
    const double eta = std::copysign(std::sqrt(2.0 * deviance / a), mu);
    double c0 = 0.0;
    double c1 = 0.0;
    if (std::fabs(eta) < kSeriesEta) {
        c0 = Polynomial(kC0, eta);
        c1 = Polynomial(kC1, eta);
    } else {
        c0 = 1.0 / mu - 1.0 / eta;
        c1 = 1.0 / (eta * eta * eta) - 1.0 / (mu * mu * mu) - 1.0 / (mu * mu) - 1.0 / (12.0 * mu);
    }
    const double r = std::exp(-deviance) / (kSqrtTwoPi * std::sqrt(a)) * (c0 + c1 / a);
    const double y = eta * std::sqrt(0.5 * a);
    return {0.5 * std::erfc(-y) - r, 0.5 * std::erfc(y) + r};
}

// P(X <= k) = Q(k + 1, lambda). Outside a = k + 1 in [lambda/2, 2 lambda] the smaller tail is
// below exp(-0.19 a), which underflows for every large rate.
double LargeRateTail(Tail tail, double k, double lambda) {
    const double a = k + 1.0;
    const bool lower = tail == Tail::Lower;
    if (a < 0.5 * lambda) {
        return lower ? 0.0 : 1.0;
    }
    if (a > 2.0 * lambda) {
        return lower ? 1.0 : 0.0;
    }
    const GammaRatios g = TemmeGammaRatios(a, lambda);
    return lower ? g.Q : g.P;
}

} // namespace

double BinomialTail(Tail tail, double k, Int16 n, double p) {
    return Finite(WalkTail(BinomialWalk(n, p), tail, k), "BinomialTail");
}

double HypergeometricTail(Tail tail, double k, Int16 n, Int16 K, Int16 M) {
    return Finite(WalkTail(HypergeometricWalk(n, K, M), tail, k), "HypergeometricTail");
}

double PoissonTail(Tail tail, double k, double lambda) {
    if (std::isnan(k)) {
        throw ArithmeticFault("PoissonTail: no count");
    }
    if (PoissonRateIsLarge(lambda)) {
        if (k < 0.0) {
            return tail == Tail::Lower ? 0.0 : 1.0;
        }
        return Finite(LargeRateTail(tail, k, lambda), "PoissonTail");
    }
    return Finite(WalkTail(PoissonWalk(lambda), tail, k), "PoissonTail");
}

double GeometricTail(Tail tail, double k, double p) {
    if (k < 1.0) {
        return tail == Tail::Lower ? 0.0 : 1.0;
    }
    const double t = k * std::log1p(-p);
    return tail == Tail::Lower ? -std::expm1(t) : std::exp(t);
}

double GeometricLogMass(double k, double p) {
    return k < 1.0 ? 0.0 : p * std::exp((k - 1.0) * std::log1p(-p));
}

double HypergeometricSupportMass(double k, Int16 n, Int16 K, Int16 M) {
    const double population = M;
    const double marked = K;
    const double drawn = n;
    if (k < std::fmax(0.0, drawn - (population - marked)) || k > std::fmin(drawn, marked)) {
        return 0.0;
    }
    return SaddlePointHypergeometricMass(k, drawn, marked, population);
}

} // namespace kelvora
