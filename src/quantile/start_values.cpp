#include "quantile/start_values.hpp"

#include "specfun/constants.hpp"
#include "specfun/gamma_family.hpp"
#include "specfun/normal_beta.hpp"

#include <cmath>

namespace kelvora {

namespace {

// Above this Paulson's denominator is large enough to trust.
constexpr double kPaulsonSwitch = 0.8;
constexpr double kFTailLn2 = 0.69315;
// Above this the t start inverts A&S 26.7.8.
constexpr double kTSwitch = 0.5;

double UpperPoint(double p) {
    return Finite(NormalUpperPoint(p), "NormalUpperPoint");
}

double Stirling(double x) {
    return Finite(LogGammaStirling(x), "LogGammaStirling");
}

// The leading term of the upper tail, P(F > x) ~ 2 (n/m)^(n/2) x^(-n/2) / (n B(m/2, n/2)),
// solved for x, with the beta function from the short Stirling series.
double FUpperTail(Int16 m, Int16 n, double p) {
    const double a = m / 2.0;
    const double b = n / 2.0;
    return std::exp(2 / static_cast<double>(n) *
                    (Stirling(a + b) - Stirling(a) - Stirling(b) + kFTailLn2 +
                     (b - 1) * std::log(static_cast<double>(n)) -
                     b * std::log(static_cast<double>(m)) - std::log(p)));
}

// The leading term of the upper tail, P(T > t) ~ Gamma(n/2 + 1/2) n^(n/2 - 1) t^-n /
// (sqrt(pi) Gamma(n/2)), solved for t, with the gamma ratio from the short Stirling series.
double TUpperTail(Int16 n, double p) {
    const double half = n / 2.0;
    const double e = std::exp((Stirling(half) - Stirling(half + 0.5)) / n);
    return std::sqrt(static_cast<double>(n)) / std::pow(std::sqrt(kShortPi) * p * n, 1.0 / n) / e;
}

} // namespace

double ChiSquareStart(Int16 n, double p) {
    const double z = UpperPoint(p);
    // (X / n)^(1/3) is nearly normal with mean 1 - d and variance d.
    const double d = 2.0 / (9.0 * n);
    return Finite(n * std::pow(1 - d + z * std::sqrt(d), 3.0), "ChiSquareStart");
}

double FStart(Int16 df1, Int16 df2, double p) {
    const double d1 = 2.0 / (9.0 * df1);
    const double d2 = 2.0 / (9.0 * df2);
    const double bigA = 1 - d1;
    const double bigB = 1 - d2;
    const double z = UpperPoint(p);
    const double r = bigB * bigB - z * d2 * z;
    if (r > kPaulsonSwitch) {
        // The Wilson-Hilferty cube roots of both chi-squares, as a normal ratio.
        return Finite(std::pow((bigA * bigB + z * std::sqrt(bigA * bigA * d2 + r * d1)) / r, 3.0),
                      "FStart");
    }
    return Finite(FUpperTail(df1, df2, p), "FStart");
}

double StudentTStart(Int16 n, double p) {
    const double z = UpperPoint(p);
    const double g0 = 1 - 1.0 / (4.0 * n);
    const double g = g0 * g0;
    const double w = g - z * z / (2.0 * n);
    if (w > kTSwitch) {
        // t (1 - 1/(4n)) / sqrt(1 + t^2/(2n)) is nearly standard normal; solved for t.
        return Finite(z / std::sqrt(w), "StudentTStart");
    }
    if (p <= 0.5) {
        return Finite(TUpperTail(n, p), "StudentTStart");
    }
    // The tail formula holds in the upper tail only; t is symmetric about 0.
    return Finite(-TUpperTail(n, 1 - p), "StudentTStart");
}

} // namespace kelvora
