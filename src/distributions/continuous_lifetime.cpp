// Exponential, Gamma, Rayleigh and Weibull: the families on a half-line. Their cumulative,
// density and survival are their forms (continuous_forms.hpp) at one point; the Gamma form's are
// defined here.
//
// GammaFunction is 0 above 35.04: where a closed form needs a gamma value beyond it, or an
// intermediate otherwise leaves the double range, the routine takes the equivalent form built on
// LogGamma instead. Only a non-finite result faults.
#include "distributions/continuous.hpp"

#include "distributions/continuous_forms.hpp"
#include "distributions/log_space.hpp"

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
    return ExponentialForm(a, theta).Cdf(x);
}

double ExponentialSurvival(double x, double a, double theta) {
    return ExponentialForm(a, theta).Survival(x);
}

double ExponentialPdf(double x, double a, double theta) {
    return ExponentialForm(a, theta).Pdf(x);
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
    return GammaForm(c, scale, shape).Cdf(x);
}

double GammaSurvival(double x, double c, double scale, double shape) {
    return GammaForm(c, scale, shape).Survival(x);
}

double GammaPdf(double x, double c, double scale, double shape) {
    return GammaForm(c, scale, shape).Pdf(x);
}

double GammaForm::Cdf(double x) const {
    return Finite(ratios_.Lower((x - c_) / scale_), "GammaCdf");
}

double GammaForm::Survival(double x) const {
    return Finite(ratios_.Upper((x - c_) / scale_), "GammaSurvival");
}

double GammaForm::Pdf(double x) const {
    const double c = c_;
    const double scale = scale_;
    const double shape = shape_;
    if (x < c) {
        return 0.0;
    }
    if (x == c) {
        // The right-hand limit at the lower end: 1/scale for shape 1, infinite below it.
        if (shape < 1.0) {
            throw ArithmeticFault("GammaPdf: infinite density at the lower end");
        }
        return shape == 1.0 ? Finite(1.0 / scale, "GammaPdf") : 0.0;
    }
    const double z = (x - c) / scale;
    const double gammaScale =
        gammaScale_.Get([scale, shape] { return GammaFunction(shape) * scale; });
    // A Gamma(shape) scale that is not a normal number (shape above 35.04) sends every x to the
    // logarithms: the power and the exponential are then not needed.
    if (std::isnormal(gammaScale) || !(scale > 0.0)) {
        const double power = std::pow(z, shape - 1.0);
        const double denominator = gammaScale * std::exp(z);
        if (AllNormal(power, gammaScale, denominator) || !(scale > 0.0)) {
            return Finite(power / denominator, "GammaPdf");
        }
    }
    return Finite(std::exp(XLogY(shape - 1.0, z) - z - logGamma_.Get([shape] {
                      return CheckedLogGamma(shape);
                  }) - logScale_.Get([scale] { return std::log(scale); })),
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
    return RayleighForm(sigma).Cdf(x);
}

double RayleighSurvival(double x, double sigma) {
    return RayleighForm(sigma).Survival(x);
}

double RayleighPdf(double x, double sigma) {
    return RayleighForm(sigma).Pdf(x);
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
    return WeibullForm(c, scale, shape).Cdf(x);
}

double WeibullSurvival(double x, double c, double scale, double shape) {
    return WeibullForm(c, scale, shape).Survival(x);
}

double WeibullPdf(double x, double c, double scale, double shape) {
    return WeibullForm(c, scale, shape).Pdf(x);
}

double WeibullQuantile(double q, double c, double scale, double shape) {
    // No range test: q = 1 (log of 0) and q > 1 (log of a negative number) fault.
    return Finite(std::pow(-std::log(1.0 - q), 1.0 / shape) * scale + c, "WeibullQuantile");
}

// Gamma(1 + 1/shape) leaves GammaFunction's range for shapes below about 1/34: then
// exp(ln Gamma + ln scale), which overflows (a fault) only where the mean itself does.
double WeibullMean(double c, double scale, double shape) {
    const double first = (shape + 1.0) / shape;
    const double gamma = GammaFunction(first);
    if (std::isnormal(gamma) || !(scale > 0.0)) {
        return Finite(gamma * scale + c, "WeibullMean");
    }
    return Finite(std::exp(CheckedLogGamma(first) + std::log(scale)) + c, "WeibullMean");
}

// scale^2 (Gamma(1 + 2/shape) - Gamma(1 + 1/shape)^2); below a shape of about 2/34 as
// scale^2 Gamma(1 + 2/shape) (1 - Gamma(1 + 1/shape)^2 / Gamma(1 + 2/shape)) in logarithms, where
// the ratio is far below 1 and the difference has no cancellation.
double WeibullVariance(double /*c*/, double scale, double shape) {
    const double first = (shape + 1.0) / shape;
    const double second = (shape + 2.0) / shape;
    const double gammaSecond = GammaFunction(second);
    const double gammaFirstSquared = std::pow(GammaFunction(first), 2);
    if (AllNormal(gammaSecond, gammaFirstSquared) || !(scale > 0.0)) {
        return Finite(std::pow(scale, 2) * (gammaSecond - gammaFirstSquared), "WeibullVariance");
    }
    const double logSecond = CheckedLogGamma(second);
    const double logRatio = 2.0 * CheckedLogGamma(first) - logSecond;
    return Finite(std::exp(2.0 * std::log(scale) + logSecond) * -std::expm1(logRatio),
                  "WeibullVariance");
}

} // namespace kelvora
