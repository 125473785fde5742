// The sampling distributions with 16-bit degrees of freedom: chi-square, F and Student t.
//
// Their densities use GammaFunction, which is 0 above 35.04, and the powers m^m and n^n, which
// leave the double range from 144 on; past those limits the densities fault rather than show a
// wrong number. Integer arithmetic on the degrees of freedom is checked 16-bit arithmetic.
#include "dist/continuous.hpp"

#include "specfun/gamma_family.hpp"
#include "specfun/normal_beta.hpp"

#include <cmath>

namespace kelvora {

namespace {

constexpr double kPi = 3.14159265358979;

} // namespace

// Chi-square (n).

double ChiSquareCdf(double x, Int16 n) {
    return Finite(GammaCdf(x * 0.5, 0.0, 1.0, n * 0.5), "ChiSquareCdf");
}

double ChiSquarePdf(double x, Int16 n) {
    if (x < 0.0) {
        return 0.0;
    }
    const double h = n / 2.0;
    return Finite((std::exp(x * -0.5) * std::pow(x, h - 1.0)) /
                      (std::pow(2.0, h) * GammaFunction(h)),
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

std::optional<double> FPdf(double x, Int16 m, Int16 n) {
    if (m < 1 || n < 1) {
        return std::nullopt;
    }
    if (x < 0.0) {
        return 0.0;
    }
    const double md = m;
    const double nd = n;
    const double numerator = std::sqrt(std::pow(md, md) * std::pow(nd, nd) *
                                       std::pow(x, static_cast<double>(Sub16(m, 2))));
    const double base = md * x + nd;
    const double mPlusN = Add16(m, n);
    // (m x + n)^(m + n) leaves the double range long before its square root does (F(60, 80) at
    // x = 1.4); taking the root of infinity would report a density of 0 where it is about 1, so
    // only then the root is taken inside the power.
    const double power = std::pow(base, mPlusN);
    const double root = std::isinf(power) ? std::pow(base, mPlusN / 2.0) : std::sqrt(power);
    const double denominator = root * BetaFunction(md / 2.0, nd / 2.0);
    return Finite(numerator / denominator, "FPdf");
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
    const double mPlusNMinus2 = Sub16(Add16(m, n), 2);
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

double StudentTPdf(double x, double c, double s, Int16 df) {
    // Not divided by s: every caller uses the standard form (c = 0, s = 1).
    const double z = (x - c) / s;
    const double dfPlus1 = Add16(df, 1);
    return Finite(GammaFunction(dfPlus1 / 2.0) / std::sqrt(df * kPi) / GammaFunction(df / 2.0) /
                      std::pow(std::sqrt(std::pow(z, 2) / df + 1.0), dfPlus1),
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
