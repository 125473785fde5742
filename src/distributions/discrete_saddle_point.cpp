#include "distributions/discrete_saddle_point.hpp"

#include <array>
#include <cmath>

namespace kelvora {

namespace {

constexpr double kSqrtTwoPi = 2.506628274631000502;
constexpr double kLogTwoPi = 1.837877066409345484;

// StirlingError(n) for n = 1 ... 15 (from 40-digit arithmetic); above, the asymptotic series.
constexpr std::array<double, 15> kStirlingErrors = {
    8.106146679532725822e-2,  4.1340695955409294094e-2, 2.7677925684998339149e-2,
    2.0790672103765093112e-2, 1.6644691189821192163e-2, 1.3876128823070747999e-2,
    1.1896709945891770095e-2, 1.0411265261972096497e-2, 9.2554621827127329177e-3,
    8.3305634333628712565e-3, 7.573675487951840795e-3,  6.9428401072095298657e-3,
    6.4089941880042070684e-3, 5.9513701127588477356e-3, 5.554733551962801371e-3};

// The series 1/(12n) - 1/(360n^3) + 1/(1260n^5) - 1/(1680n^7) + 1/(1188n^9): from n = 16 on its
// remainder is below 2e-16.
constexpr double kS0 = 1.0 / 12.0;
constexpr double kS1 = 1.0 / 360.0;
constexpr double kS2 = 1.0 / 1260.0;
constexpr double kS3 = 1.0 / 1680.0;
constexpr double kS4 = 1.0 / 1188.0;

// The deviance's series in v = (x - m)/(x + m) converges like v^2, below 0.01 where it is used:
// far fewer terms than this bound.
constexpr int kMaxSeriesTerms = 100;

} // namespace

double StirlingError(double n) {
    if (n >= 1.0 && n <= static_cast<double>(kStirlingErrors.size())) {
        return kStirlingErrors[static_cast<std::size_t>(n) - 1];
    }
    const double nn = 1.0 / (n * n);
    return (kS0 - nn * (kS1 - nn * (kS2 - nn * (kS3 - nn * kS4)))) / n;
}

// Near the mean x ln(x/m) + m - x is the difference of nearly equal numbers; there it is summed as
// (x - m) v + 2x (v^3/3 + v^5/5 + ...), every term of one sign.
double DevianceTerm(double x, double m) {
    if (x == 0.0) {
        return m;
    }
    const double difference = x - m;
    const double middle = 0.5 * x + 0.5 * m;
    if (std::fabs(difference) < 0.2 * middle) {
        double v = 0.5 * difference / middle;
        double s = difference * v;
        double term = 2.0 * v * x; // below 0.2 x: no overflow at the top of the double range
        v = v * v;
        for (int j = 1; j < kMaxSeriesTerms; ++j) {
            term = term * v;
            const double next = s + term / (2 * j + 1);
            if (next == s) {
                break;
            }
            s = next;
        }
        return s;
    }
    return x * std::log(x / m) + m - x;
}

// Loader's form: exp(Stirling errors of n, x, n - x minus the deviances of x and n - x from their
// means np and nq) / sqrt(2 pi x (n - x) / n). At the ends one power is left, taken through the
// deviance when its probability is small.
double SaddlePointBinomialMass(double x, double n, double p, double q) {
    if (p == 0.0) {
        return x == 0.0 ? 1.0 : 0.0;
    }
    if (q == 0.0) {
        return x == n ? 1.0 : 0.0;
    }
    if (x < 0.0 || x > n) {
        return 0.0;
    }
    if (x == 0.0) {
        if (n == 0.0) {
            return 1.0;
        }
        return std::exp(p < 0.1 ? -DevianceTerm(n, n * q) - n * p : n * std::log(q));
    }
    if (x == n) {
        return std::exp(q < 0.1 ? -DevianceTerm(n, n * p) - n * q : n * std::log(p));
    }
    const double logCore = StirlingError(n) - StirlingError(x) - StirlingError(n - x) -
                           DevianceTerm(x, n * p) - DevianceTerm(n - x, n * q);
    const double logSpread = kLogTwoPi + std::log(x) + std::log1p(-x / n);
    return std::exp(logCore - 0.5 * logSpread);
}

double SaddlePointPoissonMass(double k, double lambda) {
    if (k < 0.0) {
        return 0.0;
    }
    if (k == 0.0) {
        return std::exp(-lambda);
    }
    return std::exp(-StirlingError(k) - DevianceTerm(k, lambda)) / (kSqrtTwoPi * std::sqrt(k));
}

double SaddlePointHypergeometricMass(double k, double n, double K, double M) {
    const double p = n / M;
    const double q = (M - n) / M;
    const double marked = SaddlePointBinomialMass(k, K, p, q);
    const double unmarked = SaddlePointBinomialMass(n - k, M - K, p, q);
    return marked * unmarked / SaddlePointBinomialMass(n, M, p, q);
}

} // namespace kelvora
