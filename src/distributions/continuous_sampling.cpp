// The sampling distributions with 16-bit degrees of freedom: chi-square, F and Student t. Their
// cumulative, density and survival are their forms (continuous_forms.hpp) at one point, defined
// here.
//
// Their densities use GammaFunction, which is 0 above 35.04, and the powers m^m, n^n and
// (m x + n)^(m + n), which leave the double range from about 144 on. Past those limits each
// density takes its equivalent form in logarithms (LogGamma, ln B), so large degrees of freedom
// keep their values. Sums of degrees of freedom (m + n, df + 1) are formed in double, where they
// are exact and cannot overflow.
#include "distributions/continuous.hpp"

#include "distributions/continuous_forms.hpp"
#include "distributions/log_space.hpp"

#include <cmath>
#include <numbers>

namespace kelvora {

namespace {

constexpr double kLn2 = std::numbers::ln2;

} // namespace

// Chi-square (n).

double ChiSquareCdf(double x, Int16 n) {
    return ChiSquareForm(n).Cdf(x);
}

double ChiSquareSurvival(double x, Int16 n) {
    return ChiSquareForm(n).Survival(x);
}

double ChiSquarePdf(double x, Int16 n) {
    return ChiSquareForm(n).Pdf(x);
}

double ChiSquareForm::Cdf(double x) const {
    return Finite(gamma_.Cdf(x * 0.5), "ChiSquareCdf");
}

double ChiSquareForm::Survival(double x) const {
    return Finite(gamma_.Survival(x * 0.5), "ChiSquareSurvival");
}

double ChiSquareForm::Pdf(double x) const {
    const Int16 n = n_;
    if (x < 0.0) {
        return 0.0;
    }
    const double h = n / 2.0;
    const double twoPower = twoPower_.Get([h] { return std::pow(2.0, h); });
    const double denominator =
        denominator_.Get([h, twoPower] { return twoPower * GammaFunction(h); });
    // A 2^h Gamma(h) that is not a normal number (from n = 71) sends every x to the logarithms.
    if (AllNormal(twoPower, denominator) || n < 1) {
        const double exponential = std::exp(x * -0.5);
        const double power = std::pow(x, h - 1.0);
        const double numerator = exponential * power;
        if (AllNormal(exponential, power, numerator, twoPower, denominator) || n < 1) {
            return Finite(numerator / denominator, "ChiSquarePdf");
        }
    }
    return Finite(std::exp(x * -0.5 + XLogY(h - 1.0, x) - h * kLn2 -
                           logGamma_.Get([h] { return CheckedLogGamma(h); })),
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
    return FForm(m, n).Cdf(x);
}

std::optional<double> FSurvival(double x, Int16 m, Int16 n) {
    return FForm(m, n).Survival(x);
}

std::optional<double> FPdf(double x, Int16 m, Int16 n) {
    return FForm(m, n).Pdf(x);
}

std::optional<double> FForm::Cdf(double x) const {
    const Int16 m = m_;
    const Int16 n = n_;
    if (m < 1 || n < 1) {
        return std::nullopt;
    }
    if (x <= 0.0) {
        return 0.0;
    }
    return Finite(1.0 - ratios_.Lower(n / (n + m * x)), "FCdf");
}

// The survival is the ratio itself, from the same series as the cumulative.
std::optional<double> FForm::Survival(double x) const {
    const Int16 m = m_;
    const Int16 n = n_;
    if (m < 1 || n < 1) {
        return std::nullopt;
    }
    if (x <= 0.0) {
        return 1.0;
    }
    return Finite(ratios_.Lower(n / (n + m * x)), "FSurvival");
}

std::optional<double> FForm::Pdf(double x) const {
    const Int16 m = m_;
    const Int16 n = n_;
    if (m < 1 || n < 1) {
        return std::nullopt;
    }
    if (x < 0.0) {
        return 0.0;
    }
    const double md = m;
    const double nd = n;
    const double powers = powers_.Get([md, nd] { return std::pow(md, md) * std::pow(nd, nd); });
    const double beta = beta_.Get([md, nd] { return BetaFunction(md / 2.0, nd / 2.0); });
    // m^m n^n beyond the double range (from 144) or a B(m/2, n/2) that is not a normal number
    // sends every x to the logarithms: the powers of x are then not needed.
    if (AllNormal(powers, beta)) {
        const double radicand = powers * std::pow(x, static_cast<double>(Sub16(m, 2)));
        const double base = md * x + nd;
        const double mPlusN = md + nd;
        // (m x + n)^(m + n) leaves the double range long before its square root does (F(60, 80)
        // at x = 1.4); taking the root of infinity would report a density of 0 where it is
        // about 1, so only then the root is taken inside the power.
        const double power = std::pow(base, mPlusN);
        const double root = std::isinf(power) ? std::pow(base, mPlusN / 2.0) : std::sqrt(power);
        const double denominator = root * beta;
        if (AllNormal(radicand, root, beta, denominator)) {
            return Finite(std::sqrt(radicand) / denominator, "FPdf");
        }
    }
    // m^m or n^n overflows from 144, the half power and B(m/2, n/2) later. At x = 0 the
    // density is infinite for m = 1 (a fault), 1 for m = 2 and 0 above.
    return Finite(std::exp(LogDensity(x)), "FPdf");
}

// ln f of F(m, n) at x >= 0:
// (m/2) ln m + (n/2) ln n + (m/2 - 1) ln x - ((m + n)/2) ln(m x + n) - ln B(m/2, n/2),
// with ln(m x + n) taken as ln x + ln(m + n/x) above x = 1, where m x may overflow.
double FForm::LogDensity(double x) const {
    const double m = m_;
    const double n = n_;
    const double logBase = x > 1.0 ? std::log(x) + std::log(m + n / x) : std::log(m * x + n);
    return logPowers_.Get([m, n] { return m / 2.0 * std::log(m) + n / 2.0 * std::log(n); }) +
           XLogY(m / 2.0 - 1.0, x) - (m + n) / 2.0 * logBase -
           logBeta_.Get([m, n] { return CheckedLogBeta(m / 2.0, n / 2.0); });
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
    return StudentTForm(c, s, df).Cdf(x);
}

double StudentTSurvival(double x, double c, double s, Int16 df) {
    return StudentTForm(c, s, df).Survival(x);
}

double StudentTPdf(double x, double c, double s, Int16 df) {
    return StudentTForm(c, s, df).Pdf(x);
}

double StudentTForm::Cdf(double x) const {
    const Int16 df = df_;
    const double z = (x - c_) / s_;
    const double w = df / (std::pow(z, 2) + df);
    const double i = ratios_.Lower(w);
    return Finite(z > 0.0 ? 1.0 - i * 0.5 : i * 0.5, "StudentTCdf");
}

// Only z > 0 has a small upper tail: there it is I_w(df/2, 1/2) / 2 itself, from the same
// series as the cumulative.
double StudentTForm::Survival(double x) const {
    const Int16 df = df_;
    const double z = (x - c_) / s_;
    const double w = df / (std::pow(z, 2) + df);
    const double i = ratios_.Lower(w);
    return Finite(z > 0.0 ? i * 0.5 : 1.0 - i * 0.5, "StudentTSurvival");
}

double StudentTForm::Pdf(double x) const {
    const Int16 df = df_;
    // Not divided by s: every caller uses the standard form (c = 0, s = 1).
    const double z = (x - c_) / s_;
    const double dfPlus1 = df + 1.0;
    const double upper = upper_.Get([dfPlus1] { return GammaFunction(dfPlus1 / 2.0); });
    const double lower = lower_.Get([df] { return GammaFunction(df / 2.0); });
    // From df = 70 on Gamma((df + 1)/2) is beyond GammaFunction's range: every x then takes the
    // logarithms, and the power is not needed.
    if (AllNormal(upper, lower) || df < 1) {
        const double power = std::pow(std::sqrt(std::pow(z, 2) / df + 1.0), dfPlus1);
        if (AllNormal(upper, lower, power) || df < 1) {
            const double factor =
                factor_.Get([upper, lower, df] { return upper / std::sqrt(df * kPi) / lower; });
            return Finite(factor / power, "StudentTPdf");
        }
    }
    const double logFactor = logFactor_.Get([dfPlus1, df] {
        return CheckedLogGamma(dfPlus1 / 2.0) - CheckedLogGamma(df / 2.0) -
               0.5 * std::log(df * kPi);
    });
    return Finite(std::exp(logFactor - dfPlus1 / 2.0 * std::log1p(std::pow(z, 2) / df)),
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
