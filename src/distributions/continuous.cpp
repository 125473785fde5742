// Beta, Cauchy, Normal, Lognormal and Uniform: cumulative, density, closed-form quantile and
// moments, plus the two moment helpers shared with other families. The cumulative, density and
// survival are their forms (continuous_forms.hpp) at one point; the Beta form's are defined here.
//
// Each formula is evaluated in the written order with the short constants of the forms (not the
// full-precision pi): the displayed digits depend on both. The survival routines give the upper
// tail P(X > x) by a form that keeps its digits where 1 - F has none left.
#include "distributions/continuous.hpp"

#include "distributions/continuous_forms.hpp"
#include "distributions/log_space.hpp"
#include "specfun/normal_beta.hpp"

#include <cmath>

namespace kelvora {

double CopyFirstParameter(double a, double /*b*/) {
    return Finite(a, "CopyFirstParameter");
}

double SquareSecondParameter(double /*a*/, double b) {
    return Finite(std::pow(b, 2), "SquareSecondParameter");
}

// Beta (a, b).

double BetaCdf(double x, double a, double b) {
    return BetaForm(a, b).Cdf(x);
}

double BetaSurvival(double x, double a, double b) {
    return BetaForm(a, b).Survival(x);
}

double BetaPdf(double x, double a, double b) {
    return BetaForm(a, b).Pdf(x);
}

double BetaForm::Cdf(double x) const {
    if (x <= 0.0) {
        return 0.0;
    }
    if (x > 1.0) {
        return 1.0;
    }
    return Finite(ratios_.Lower(x), "BetaCdf");
}

double BetaForm::Survival(double x) const {
    if (x <= 0.0) {
        return 1.0;
    }
    if (x > 1.0) {
        return 0.0;
    }
    return Finite(ratios_.Upper(x), "BetaSurvival");
}

double BetaForm::Pdf(double x) const {
    if (x < 0.0 || x > 1.0) {
        return 0.0;
    }
    const double a = a_;
    const double b = b_;
    const double beta = ratios_.Beta();
    // A B(a, b) that is not a normal number sends every x to the logarithms: the powers are
    // then not needed.
    if (std::isnormal(beta)) {
        const double left = std::pow(x, a - 1.0);
        const double right = std::pow(1.0 - x, b - 1.0);
        const double product = left * right;
        if (AllNormal(left, right, product, beta)) {
            return Finite(product / beta, "BetaPdf");
        }
    }
    // Large shapes underflow the powers and B(a, b). At x = 0 with a < 1 (or x = 1 with b < 1)
    // the density is infinite: a fault in either form.
    return Finite(std::exp(XLogY(a - 1.0, x) + XLog1pY(b - 1.0, -x) -
                           logBeta_.Get([a, b] { return CheckedLogBeta(a, b); })),
                  "BetaPdf");
}

double BetaMean(double a, double b) {
    return Finite(a / (a + b), "BetaMean");
}

double BetaVariance(double a, double b) {
    return Finite(a * b / (std::pow(a + b, 2) * (a + 1.0 + b)), "BetaVariance");
}

// Cauchy (location m, scale s).

double CauchyCdf(double x, double m, double s) {
    return CauchyForm(m, s).Cdf(x);
}

double CauchySurvival(double x, double m, double s) {
    return CauchyForm(m, s).Survival(x);
}

double CauchyPdf(double x, double m, double s) {
    return CauchyForm(m, s).Pdf(x);
}

double CauchyQuantile(double q, double m, double s) {
    // With the short pi, q = 0 and q = 1 give large finite values of opposite signs.
    return Finite(std::tan((q - 0.5) * kPi) * s + m, "CauchyQuantile");
}

std::optional<double> CauchyVariance(double /*m*/, double /*s*/) {
    return std::nullopt;
}

// Normal (mu, sigma).

double NormalCdf(double x, double mu, double sigma) {
    return NormalForm(mu, sigma).Cdf(x);
}

double NormalSurvival(double x, double mu, double sigma) {
    return NormalForm(mu, sigma).Survival(x);
}

double NormalPdf(double x, double mu, double sigma) {
    return NormalForm(mu, sigma).Pdf(x);
}

std::optional<double> NormalQuantile(double q, double mu, double sigma) {
    if (q < 0.0 || q > 1.0) {
        return std::nullopt;
    }
    // q = 0 and q = 1 fault inside NormalUpperPoint.
    return Finite(mu - NormalUpperPoint(q) * sigma, "NormalQuantile");
}

// Lognormal (mu, sigma of the logarithm).

double LognormalCdf(double x, double mu, double sigma) {
    return LognormalForm(mu, sigma).Cdf(x);
}

double LognormalSurvival(double x, double mu, double sigma) {
    return LognormalForm(mu, sigma).Survival(x);
}

double LognormalPdf(double x, double mu, double sigma) {
    return LognormalForm(mu, sigma).Pdf(x);
}

std::optional<double> LognormalQuantile(double q, double mu, double sigma) {
    if (q < 0.0 || q > 1.0) {
        return std::nullopt;
    }
    return Finite(std::exp(*NormalQuantile(q, mu, sigma)), "LognormalQuantile");
}

double LognormalMean(double mu, double sigma) {
    return Finite(std::exp(std::pow(sigma, 2) * 0.5 + mu), "LognormalMean");
}

double LognormalVariance(double mu, double sigma) {
    const double expSigmaSquared = std::exp(std::pow(sigma, 2));
    return Finite(std::exp(2.0 * mu + std::pow(sigma, 2)) * (expSigmaSquared - 1.0),
                  "LognormalVariance");
}

// Uniform on [a, b].

double UniformCdf(double x, double a, double b) {
    return UniformForm(a, b).Cdf(x);
}

double UniformSurvival(double x, double a, double b) {
    return UniformForm(a, b).Survival(x);
}

double UniformPdf(double x, double a, double b) {
    return UniformForm(a, b).Pdf(x);
}

std::optional<double> UniformQuantile(double q, double a, double b) {
    if (q < 0.0 || q > 1.0) {
        return std::nullopt;
    }
    return Finite((b - a) * q + a, "UniformQuantile");
}

double UniformMean(double a, double b) {
    return Finite((a + b) * 0.5, "UniformMean");
}

double UniformVariance(double a, double b) {
    return Finite(std::pow(b - a, 2) / 12.0, "UniformVariance");
}

} // namespace kelvora
