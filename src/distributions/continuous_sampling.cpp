// The sampling distributions with 16-bit degrees of freedom: chi-square, F and Student t.
//
// Their densities use GammaFunction, which is 0 above 35.04, and the powers m^m, n^n and
// (m x + n)^(m + n), which leave the double range from about 144 on. Past those limits each
// density takes its equivalent form in logarithms (LogGamma, ln B), so large degrees of freedom
// keep their values. Sums of degrees of freedom (m + n, df + 1) are formed in double, where they
// are exact and cannot overflow.
#include "distributions/continuous.hpp"

#include "distributions/log_space.hpp"

#include <cmath>
#include <numbers>

namespace kelvora {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kLn2 = std::numbers::ln2;

// ln f of F(m, n) at x >= 0:
// (m/2) ln m + (n/2) ln n + (m/2 - 1) ln x - ((m + n)/2) ln(m x + n) - ln B(m/2, n/2),
// with ln(m x + n) taken as ln x + ln(m + n/x) above x = 1, where m x may overflow.
double FLogDensity(double x, double m, double n) {
    const double logBase = x > 1.0 ? std::log(x) + std::log(m + n / x) : std::log(m * x + n);
    return m / 2.0 * std::log(m) + n / 2.0 * std::log(n) + XLogY(m / 2.0 - 1.0, x) -
           (m + n) / 2.0 * logBase - CheckedLogBeta(m / 2.0, n / 2.0);
}

} // namespace

// Chi-square (n).

double ChiSquareCdf(double x, Int16 n) {
    return Finite(GammaCdf(x * 0.5, 0.0, 1.0, n * 0.5), "ChiSquareCdf");
}

double ChiSquareSurvival(double x, Int16 n) {
    return Finite(GammaSurvival(x * 0.5, 0.0, 1.0, n * 0.5), "ChiSquareSurvival");
}

double ChiSquarePdf(double x, Int16 n) {
    if (x < 0.0) {
        return 0.0;
    }
    const double h = n / 2.0;
    const double exponential = std::exp(x * -0.5);
    const double power = std::pow(x, h - 1.0);
    const double numerator = exponential * power;
    const double twoPower = std::pow(2.0, h);
    const double denominator = twoPower * GammaFunction(h);
    if (AllNormal(exponential, power, numerator, twoPower, denominator) || n < 1) {
        return Finite(numerator / denominator, "ChiSquarePdf");
    }
    return Finite(std::exp(x * -0.5 + XLogY(h - 1.0, x) - h * kLn2 - CheckedLogGamma(h)),
                  "ChiSquarePdf");
}

double ChiSquareMean(Int16 n) {
    return n;
}

double ChiSquareVariance(Int16 n) {
    // In double: 2n is a valid variance for every 16-bit n.
    return 2.0 * n;
}

// F (m, n).

std::optional<double> FCdf(double x, Int16 m, Int16 n) {
    if (m < 1 || n < 1) {
        return std::nullopt;
    }
    if (x <= 0.0) {
        return 0.0;
    }
    return Finite(1.0 - IncompleteBetaRatio(n / 2.0, m / 2.0, n / (n + m * x)), "FCdf");
}

std::optional<double> FSurvival(double x, Int16 m, Int16 n) {
    if (m < 1 || n < 1) {
        return std::nullopt;
    }
    if (x <= 0.0) {
        return 1.0;
    }
    return Finite(IncompleteBetaRatio(n / 2.0, m / 2.0, n / (n + m * x)), "FSurvival");
}

std::optional<double> FPdf(double x, Int16 m, Int16 n) {
    if (m < 1 || n < 1) {
        return std::nullopt;
    }
    if (x < 0.0) {
        return 0.0;
    }
    const double md = m;
    const double nd = n;
    const double radicand =
        std::pow(md, md) * std::pow(nd, nd) * std::pow(x, static_cast<double>(Sub16(m, 2)));
    const double base = md * x + nd;
    const double mPlusN = md + nd;
    // (m x + n)^(m + n) leaves the double range long before its square root does (F(60, 80) at
    // x = 1.4); taking the root of infinity would report a density of 0 where it is about 1, so
    // only then the root is taken inside the power.
    const double power = std::pow(base, mPlusN);
    const double root = std::isinf(power) ? std::pow(base, mPlusN / 2.0) : std::sqrt(power);
    const double beta = BetaFunction(md / 2.0, nd / 2.0);
    const double denominator = root * beta;
    if (AllNormal(radicand, root, beta, denominator)) {
        return Finite(std::sqrt(radicand) / denominator, "FPdf");
    }
    // m^m or n^n overflows from 144, the half power and B(m/2, n/2) later. At x = 0 the
    // density is infinite for m = 1 (a fault), 1 for m = 2 and 0 above.
    return Finite(std::exp(FLogDensity(x, md, nd)), "FPdf");
}

std::optional<double> FMean(Int16 m, Int16 n) {
    if (m < 1 || n < 1 || n < 3) {
        return std::nullopt;
    }
    return Finite(n / static_cast<double>(Sub16(n, 2)), "FMean");
}

std::optional<double> FVariance(Int16 m, Int16 n) {
    if (m < 1 || n < 1 || n < 5) {
        return std::nullopt;
    }
    const double mPlusNMinus2 = static_cast<double>(m) + n - 2.0;
    const double nMinus2 = Sub16(n, 2);
    const double nMinus4 = Sub16(n, 4);
    return Finite(2.0 * std::pow(static_cast<double>(n), 2) * mPlusNMinus2 /
                      (m * std::pow(nMinus2, 2) * nMinus4),
                  "FVariance");
}

// Student t (location c, scale s, df).

double StudentTCdf(double x, double c, double s, Int16 df) {
    const double z = (x - c) / s;
    const double w = df / (std::pow(z, 2) + df);
    const double i = IncompleteBetaRatio(df / 2.0, 0.5, w);
    return Finite(z > 0.0 ? 1.0 - i * 0.5 : i * 0.5, "StudentTCdf");
}

// Only z > 0 has a small upper tail: there it is I_w(df/2, 1/2) / 2 itself.
double StudentTSurvival(double x, double c, double s, Int16 df) {
    const double z = (x - c) / s;
    const double w = df / (std::pow(z, 2) + df);
    const double i = IncompleteBetaRatio(df / 2.0, 0.5, w);
    return Finite(z > 0.0 ? i * 0.5 : 1.0 - i * 0.5, "StudentTSurvival");
}

double StudentTPdf(double x, double c, double s, Int16 df) {
    // Not divided by s: every caller uses the standard form (c = 0, s = 1).
    const double z = (x - c) / s;
    const double dfPlus1 = df + 1.0;
    const double upper = GammaFunction(dfPlus1 / 2.0);
    const double lower = GammaFunction(df / 2.0);
    const double power = std::pow(std::sqrt(std::pow(z, 2) / df + 1.0), dfPlus1);
    if (AllNormal(upper, lower, power) || df < 1) {
        return Finite(upper / std::sqrt(df * kPi) / lower / power, "StudentTPdf");
    }
    // From df = 70 on Gamma((df + 1)/2) is beyond GammaFunction's range.
    return Finite(std::exp(CheckedLogGamma(dfPlus1 / 2.0) - CheckedLogGamma(df / 2.0) -
                           0.5 * std::log(df * kPi) -
                           dfPlus1 / 2.0 * std::log1p(std::pow(z, 2) / df)),
                  "StudentTPdf");
}

double StudentTMean(double c, double /*s*/, Int16 /*df*/) {
    return Finite(c, "StudentTMean");
}

std::optional<double> StudentTVariance(double /*c*/, double s, Int16 df) {
    if (df < 3) {
        return std::nullopt;
    }
    return Finite(df * std::pow(s, 2) / Sub16(df, 2), "StudentTVariance");
}

} // namespace kelvora
