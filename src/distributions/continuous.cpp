// Beta, Cauchy, Normal, Lognormal and Uniform: cumulative, density, closed-form quantile and
// moments, plus the two moment helpers shared with other families.
//
// Each formula is evaluated in the written order with the short constants below (not the
// full-precision pi): the displayed digits depend on both. The survival routines give the upper
// tail P(X > x) by a form that keeps its digits where 1 - F has none left.
#include "distributions/continuous.hpp"

#include "distributions/log_space.hpp"
#include "specfun/normal_beta.hpp"

#include <cmath>

namespace kelvora {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;

} // namespace

double CopyFirstParameter(double a, double /*b*/) {
    return Finite(a, "CopyFirstParameter");
}

double SquareSecondParameter(double /*a*/, double b) {
    return Finite(std::pow(b, 2), "SquareSecondParameter");
}

// Beta (a, b).

double BetaCdf(double x, double a, double b) {
    if (x <= 0.0) {
        return 0.0;
    }
    if (x > 1.0) {
        return 1.0;
    }
    return Finite(IncompleteBetaRatio(a, b, x), "BetaCdf");
}

double BetaSurvival(double x, double a, double b) {
    if (x <= 0.0) {
        return 1.0;
    }
    if (x > 1.0) {
        return 0.0;
    }
    return Finite(IncompleteBetaRatioComplement(a, b, x), "BetaSurvival");
}

double BetaPdf(double x, double a, double b) {
    if (x < 0.0 || x > 1.0) {
        return 0.0;
    }
    const double left = std::pow(x, a - 1.0);
    const double right = std::pow(1.0 - x, b - 1.0);
    const double product = left * right;
    const double beta = BetaFunction(a, b);
    if (AllNormal(left, right, product, beta)) {
        return Finite(product / beta, "BetaPdf");
    }
    // Large shapes underflow the powers and B(a, b). At x = 0 with a < 1 (or x = 1 with b < 1)
    // the density is infinite: a fault in either form.
    return Finite(std::exp(XLogY(a - 1.0, x) + XLog1pY(b - 1.0, -x) - CheckedLogBeta(a, b)),
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
    return Finite(std::atan((x - m) / s) / kPi + 0.5, "CauchyCdf");
}

// Above the location 1/2 - atan(z)/pi = atan(1/z)/pi, which has no cancellation.
double CauchySurvival(double x, double m, double s) {
    const double z = (x - m) / s;
    if (z > 0.0) {
        return Finite(std::atan(1.0 / z) / kPi, "CauchySurvival");
    }
    return Finite(0.5 - std::atan(z) / kPi, "CauchySurvival");
}

double CauchyPdf(double x, double m, double s) {
    return Finite(1.0 / ((std::pow((x - m) / s, 2) + 1.0) * (s * kPi)), "CauchyPdf");
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
    return Finite(NormalTailArea((x - mu) / sigma), "NormalCdf");
}

double NormalSurvival(double x, double mu, double sigma) {
    return Finite(NormalUpperTailArea((x - mu) / sigma), "NormalSurvival");
}

double NormalPdf(double x, double mu, double sigma) {
    return Finite(std::exp(std::pow((x - mu) / sigma, 2) * -0.5) / (std::sqrt(kTwoPi) * sigma),
                  "NormalPdf");
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
    if (x <= 0.0) {
        return 0.0;
    }
    return Finite(NormalCdf(std::log(x), mu, sigma), "LognormalCdf");
}

double LognormalSurvival(double x, double mu, double sigma) {
    if (x <= 0.0) {
        return 1.0;
    }
    return Finite(NormalSurvival(std::log(x), mu, sigma), "LognormalSurvival");
}

double LognormalPdf(double x, double mu, double sigma) {
    if (x <= 0.0) {
        return 0.0;
    }
    return Finite(std::exp(std::pow((std::log(x) - mu) / sigma, 2) * -0.5) /
                      (x * sigma * std::sqrt(kTwoPi)),
                  "LognormalPdf");
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
    if (x < a) {
        return 0.0;
    }
    if (x > b) {
        return 1.0;
    }
    return Finite((x - a) / (b - a), "UniformCdf");
}

double UniformSurvival(double x, double a, double b) {
    if (x < a) {
        return 1.0;
    }
    if (x > b) {
        return 0.0;
    }
    return Finite((b - x) / (b - a), "UniformSurvival");
}

double UniformPdf(double x, double a, double b) {
    if (a <= x && x <= b) {
        return Finite(1.0 / (b - a), "UniformPdf");
    }
    return 0.0;
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
