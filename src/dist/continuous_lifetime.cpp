// Exponential, Gamma, Rayleigh and Weibull: the families on a half-line.
//
// Far in the upper tail an intermediate exp overflows to infinity and the density is then
// 0, which is a result, not a fault; only a non-finite result faults.
#include "dist/continuous.hpp"

#include "specfun/gamma_family.hpp"

#include <cmath>

namespace kelvora {

namespace {

constexpr double kHalfPi = 1.570796326794895;
// The Rayleigh variance over 2 sigma^2, (4 - pi) / 4, as the displayed values use it (4e-15
// above the exact value).
constexpr double kRayleighVarianceFactor = 0.2146018366025525;

} // namespace

// Exponential (location a, scale theta).

double ExponentialCdf(double x, double a, double theta) {
    if (x > a) {
        return Finite(1.0 - std::exp((a - x) / theta), "ExponentialCdf");
    }
    return 0.0;
}

double ExponentialPdf(double x, double a, double theta) {
    if (x >= a) {
        return Finite((1.0 / theta) * std::exp((a - x) / theta), "ExponentialPdf");
    }
    return 0.0;
}

std::optional<double> ExponentialQuantile(double q, double a, double theta) {
    if (q < 0.0 || q > 1.0) {
        return std::nullopt;
    }
    return Finite(a - std::log(1.0 - q) * theta, "ExponentialQuantile");
}

double ExponentialMean(double a, double theta) {
    return Finite(a + theta, "ExponentialMean");
}

// Gamma (location c, scale, shape).

double GammaCdf(double x, double c, double scale, double shape) {
    return Finite(IncompleteGammaRatio(shape, (x - c) / scale), "GammaCdf");
}

double GammaPdf(double x, double c, double scale, double shape) {
    if (x <= c) {
        return 0.0;
    }
    const double z = (x - c) / scale;
    // GammaFunction is 0 above 35.04: the division then faults.
    return Finite(std::pow(z, shape - 1.0) / (GammaFunction(shape) * scale * std::exp(z)),
                  "GammaPdf");
}

double GammaMean(double c, double scale, double shape) {
    return Finite(scale * shape + c, "GammaMean");
}

double GammaVariance(double /*c*/, double scale, double shape) {
    return Finite(std::pow(scale, 2) * shape, "GammaVariance");
}

// Rayleigh (sigma).

double RayleighCdf(double x, double sigma) {
    if (x < 0.0) {
        return 0.0;
    }
    return Finite(1.0 - std::exp(-std::pow(x, 2) / (std::pow(sigma, 2) + std::pow(sigma, 2))),
                  "RayleighCdf");
}

double RayleighPdf(double x, double sigma) {
    if (x < 0.0) {
        return 0.0;
    }
    return Finite((x / std::pow(sigma, 2)) *
                      std::exp(-std::pow(x, 2) / (std::pow(sigma, 2) + std::pow(sigma, 2))),
                  "RayleighPdf");
}

std::optional<double> RayleighQuantile(double q, double sigma) {
    if (q < 0.0 || q > 1.0) {
        return std::nullopt;
    }
    return Finite(std::sqrt(std::pow(sigma, 2) * -2.0 * std::log(1.0 - q)), "RayleighQuantile");
}

double RayleighMean(double sigma) {
    return Finite(std::sqrt(kHalfPi) * sigma, "RayleighMean");
}

double RayleighVariance(double sigma) {
    return Finite((std::pow(sigma, 2) + std::pow(sigma, 2)) * kRayleighVarianceFactor,
                  "RayleighVariance");
}

// Weibull (location c, scale, shape).

double WeibullCdf(double x, double c, double scale, double shape) {
    if (x < c) {
        return 0.0;
    }
    return Finite(1.0 - 1.0 / std::exp(std::pow((x - c) / scale, shape)), "WeibullCdf");
}

double WeibullPdf(double x, double c, double scale, double shape) {
    if (x < c) {
        return 0.0;
    }
    const double z = (x - c) / scale;
    return Finite(std::pow(z, shape - 1.0) * (shape / scale) / std::exp(std::pow(z, shape)),
                  "WeibullPdf");
}

double WeibullQuantile(double q, double c, double scale, double shape) {
    // No range test: q = 1 (log of 0) and q > 1 (log of a negative number) fault.
    return Finite(std::pow(-std::log(1.0 - q), 1.0 / shape) * scale + c, "WeibullQuantile");
}

double WeibullMean(double c, double scale, double shape) {
    return Finite(GammaFunction((shape + 1.0) / shape) * scale + c, "WeibullMean");
}

double WeibullVariance(double /*c*/, double scale, double shape) {
    return Finite(std::pow(scale, 2) * (GammaFunction((shape + 2.0) / shape) -
                                        std::pow(GammaFunction((shape + 1.0) / shape), 2)),
                  "WeibullVariance");
}

} // namespace kelvora
