// The twelve continuous distributions with their parameters fixed: cumulative, density and
// upper-tail survival at any x. The routines of continuous.hpp (BetaCdf, BetaPdf, BetaSurvival,
// ...) are these forms at one point.
//
// A form evaluated at many points, as the curve sampling does, computes what depends on the
// parameters alone once (B(a, b), Gamma values, their logarithms, constant factors), and shares
// what the cumulative, the density and the survival at one x have in common (the incomplete
// beta or gamma expansion, an exponential) between them. Every formula keeps its written order
// of operations; a value computed once is the value each point computed before. The
// closed-form families are defined here, inline, for the sampling loop; the forms built on a
// series are defined beside their routines.
#pragma once

#include "specfun/arithmetic.hpp"
#include "specfun/constants.hpp"
#include "specfun/deferred.hpp"
#include "specfun/gamma_family.hpp"
#include "specfun/normal_beta.hpp"

#include <cmath>
#include <optional>

namespace kelvora {

// Beta (shapes a, b).
class BetaForm {
public:
    BetaForm(double a, double b) : a_(a), b_(b), ratios_(a, b) {}
    double Cdf(double x) const;
    double Pdf(double x) const;
    double Survival(double x) const;

private:
    double a_;
    double b_;
    IncompleteBetaRatios ratios_; // also B(a, b) for the density
    Deferred<double> logBeta_;    // ln B(a, b)
};

// F (m, n degrees of freedom). No value for m < 1 or n < 1.
class FForm {
public:
    FForm(Int16 m, Int16 n) : m_(m), n_(n), ratios_(n / 2.0, m / 2.0) {}
    std::optional<double> Cdf(double x) const;
    std::optional<double> Pdf(double x) const;
    std::optional<double> Survival(double x) const;

private:
    double LogDensity(double x) const;

    Int16 m_;
    Int16 n_;
    IncompleteBetaRatios ratios_; // of (n/2, m/2)
    Deferred<double> powers_;     // m^m n^n
    Deferred<double> beta_;       // B(m/2, n/2)
    Deferred<double> logPowers_;  // (m/2) ln m + (n/2) ln n
    Deferred<double> logBeta_;    // ln B(m/2, n/2)
};

// Gamma (location c, scale, shape).
class GammaForm {
public:
    GammaForm(double c, double scale, double shape)
        : c_(c), scale_(scale), shape_(shape), ratios_(shape) {}
    double Cdf(double x) const;
    double Pdf(double x) const;
    double Survival(double x) const;

private:
    double c_;
    double scale_;
    double shape_;
    IncompleteGammaRatios ratios_;
    Deferred<double> gammaScale_; // Gamma(shape) scale
    Deferred<double> logGamma_;   // ln Gamma(shape)
    Deferred<double> logScale_;
};

// Chi-square (n degrees of freedom).
class ChiSquareForm {
public:
    explicit ChiSquareForm(Int16 n) : n_(n), gamma_(0.0, 1.0, n * 0.5) {}
    double Cdf(double x) const;
    double Pdf(double x) const;
    double Survival(double x) const;

private:
    Int16 n_;
    GammaForm gamma_;              // the cumulative is Gamma's at x/2, shape n/2
    Deferred<double> twoPower_;    // 2^(n/2)
    Deferred<double> denominator_; // 2^(n/2) Gamma(n/2)
    Deferred<double> logGamma_;    // ln Gamma(n/2)
};

// Student t (location c, scale s, df degrees of freedom).
class StudentTForm {
public:
    StudentTForm(double c, double s, Int16 df) : c_(c), s_(s), df_(df), ratios_(df / 2.0, 0.5) {}
    double Cdf(double x) const;
    double Pdf(double x) const;
    double Survival(double x) const;

private:
    double c_;
    double s_;
    Int16 df_;
    IncompleteBetaRatios ratios_; // of (df/2, 1/2)
    Deferred<double> upper_;      // Gamma((df + 1)/2)
    Deferred<double> lower_;      // Gamma(df/2)
    Deferred<double> factor_;     // Gamma((df + 1)/2) / sqrt(df pi) / Gamma(df/2)
    Deferred<double> logFactor_;  // the same in logarithms
};

// Cauchy (location m, scale s).
class CauchyForm {
public:
    CauchyForm(double m, double s) : m_(m), s_(s), sPi_(s * kPi) {}

    double Cdf(double x) const { return Finite(std::atan((x - m_) / s_) / kPi + 0.5, "CauchyCdf"); }
    double Pdf(double x) const {
        return Finite(1.0 / ((std::pow((x - m_) / s_, 2) + 1.0) * sPi_), "CauchyPdf");
    }
    // Above the location 1/2 - atan(z)/pi = atan(1/z)/pi, which has no cancellation.
    double Survival(double x) const {
        const double z = (x - m_) / s_;
        if (z > 0.0) {
            return Finite(std::atan(1.0 / z) / kPi, "CauchySurvival");
        }
        return Finite(0.5 - std::atan(z) / kPi, "CauchySurvival");
    }

private:
    double m_;
    double s_;
    double sPi_;
};

// Exponential (location a, scale theta). exp((a - x) / theta) serves all three at one x.
class ExponentialForm {
public:
    ExponentialForm(double a, double theta) : a_(a), theta_(theta), rate_(1.0 / theta) {}

    double Cdf(double x) const {
        if (x > a_) {
            return Finite(1.0 - Exponential(x), "ExponentialCdf");
        }
        return 0.0;
    }
    double Pdf(double x) const {
        if (x >= a_) {
            return Finite(rate_ * Exponential(x), "ExponentialPdf");
        }
        return 0.0;
    }
    double Survival(double x) const {
        if (x > a_) {
            return Finite(Exponential(x), "ExponentialSurvival");
        }
        return 1.0;
    }

private:
    double Exponential(double x) const {
        return exponential_.Get(x, [this, x] { return std::exp((a_ - x) / theta_); });
    }

    double a_;
    double theta_;
    double rate_; // 1 / theta
    LastPoint<double> exponential_;
};

// Normal (mu, sigma).
class NormalForm {
public:
    NormalForm(double mu, double sigma)
        : mu_(mu), sigma_(sigma), denominator_(std::sqrt(kTwoPi) * sigma) {}

    double Cdf(double x) const { return Finite(NormalTailArea((x - mu_) / sigma_), "NormalCdf"); }
    double Pdf(double x) const {
        return Finite(std::exp(std::pow((x - mu_) / sigma_, 2) * -0.5) / denominator_, "NormalPdf");
    }
    double Survival(double x) const {
        return Finite(NormalUpperTailArea((x - mu_) / sigma_), "NormalSurvival");
    }

private:
    double mu_;
    double sigma_;
    double denominator_; // sqrt(2 pi) sigma
};

// Lognormal (mu, sigma of the logarithm). ln x serves all three at one x.
class LognormalForm {
public:
    LognormalForm(double mu, double sigma) : mu_(mu), sigma_(sigma), normal_(mu, sigma) {}

    double Cdf(double x) const {
        if (x <= 0.0) {
            return 0.0;
        }
        return Finite(normal_.Cdf(Log(x)), "LognormalCdf");
    }
    double Pdf(double x) const {
        if (x <= 0.0) {
            return 0.0;
        }
        return Finite(std::exp(std::pow((Log(x) - mu_) / sigma_, 2) * -0.5) /
                          (x * sigma_ * std::sqrt(kTwoPi)),
                      "LognormalPdf");
    }
    double Survival(double x) const {
        if (x <= 0.0) {
            return 1.0;
        }
        return Finite(normal_.Survival(Log(x)), "LognormalSurvival");
    }

private:
    double Log(double x) const {
        return log_.Get(x, [x] { return std::log(x); });
    }

    double mu_;
    double sigma_;
    NormalForm normal_;
    LastPoint<double> log_;
};

// Rayleigh (sigma). exp(-x^2 / (2 sigma^2)) serves all three at one x.
class RayleighForm {
public:
    explicit RayleighForm(double sigma) : sigma_(sigma) {}

    double Cdf(double x) const {
        if (x < 0.0) {
            return 0.0;
        }
        return Finite(1.0 - Exponential(x), "RayleighCdf");
    }
    double Pdf(double x) const {
        if (x < 0.0) {
            return 0.0;
        }
        return Finite((x / std::pow(sigma_, 2)) * Exponential(x), "RayleighPdf");
    }
    double Survival(double x) const {
        if (x < 0.0) {
            return 1.0;
        }
        return Finite(Exponential(x), "RayleighSurvival");
    }

private:
    double Exponential(double x) const {
        return exponential_.Get(x, [this, x] {
            return std::exp(-std::pow(x, 2) / (std::pow(sigma_, 2) + std::pow(sigma_, 2)));
        });
    }

    double sigma_;
    LastPoint<double> exponential_;
};

// Uniform on [a, b].
class UniformForm {
public:
    UniformForm(double a, double b) : a_(a), b_(b), width_(b - a), density_(1.0 / (b - a)) {}

    double Cdf(double x) const {
        if (x < a_) {
            return 0.0;
        }
        if (x > b_) {
            return 1.0;
        }
        return Finite((x - a_) / width_, "UniformCdf");
    }
    double Pdf(double x) const {
        if (a_ <= x && x <= b_) {
            return Finite(density_, "UniformPdf");
        }
        return 0.0;
    }
    double Survival(double x) const {
        if (x < a_) {
            return 1.0;
        }
        if (x > b_) {
            return 0.0;
        }
        return Finite((b_ - x) / width_, "UniformSurvival");
    }

private:
    double a_;
    double b_;
    double width_;   // b - a
    double density_; // 1 / (b - a)
};

// Weibull (location c, scale, shape). z = (x - c) / scale, z^shape and exp(z^shape) serve all
// three at one x.
class WeibullForm {
public:
    WeibullForm(double c, double scale, double shape)
        : c_(c), scale_(scale), shape_(shape), factor_(shape / scale) {}

    double Cdf(double x) const {
        if (x < c_) {
            return 0.0;
        }
        return Finite(1.0 - 1.0 / At(x).exponential, "WeibullCdf");
    }
    double Pdf(double x) const {
        if (x < c_) {
            return 0.0;
        }
        const Powers p = At(x);
        return Finite(std::pow(p.z, shape_ - 1.0) * factor_ / p.exponential, "WeibullPdf");
    }
    double Survival(double x) const {
        if (x < c_) {
            return 1.0;
        }
        return Finite(std::exp(-At(x).power), "WeibullSurvival");
    }

private:
    struct Powers {
        double z;
        double power;       // z^shape
        double exponential; // exp(z^shape)
    };
    Powers At(double x) const {
        return powers_.Get(x, [this, x] {
            const double z = (x - c_) / scale_;
            const double power = std::pow(z, shape_);
            return Powers{z, power, std::exp(power)};
        });
    }

    double c_;
    double scale_;
    double shape_;
    double factor_; // shape / scale
    LastPoint<Powers> powers_;
};

} // namespace kelvora
