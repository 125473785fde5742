#include "distributions/accurate.hpp"

#include "distributions/hazard.hpp"
#include "distributions/quiet_policy.hpp"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/cauchy.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/exponential.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/rayleigh.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/distributions/uniform.hpp>
#include <boost/math/distributions/weibull.hpp>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

namespace kelvora {

namespace {

using Id = DistributionId;
namespace bm = boost::math;

using Quiet = QuietPolicy;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Calls `visit` with the Boost.Math distribution of the same parameters as the written routines
// (Gamma and Weibull: scale real1, shape real2; Exponential: scale real2).
template <typename Visit> double WithDistribution(const DistributionParameters& p, Visit visit) {
    switch (p.id) {
    case Id::Beta:
        return visit(bm::beta_distribution<double, Quiet>(p.real1, p.real2));
    case Id::Cauchy:
        return visit(bm::cauchy_distribution<double, Quiet>(p.real1, p.real2));
    case Id::ChiSquare:
        return visit(bm::chi_squared_distribution<double, Quiet>(p.count1));
    case Id::Exponential:
        return visit(bm::exponential_distribution<double, Quiet>(1.0 / p.real2));
    case Id::F:
        return visit(bm::fisher_f_distribution<double, Quiet>(p.count1, p.count2));
    case Id::Gamma:
        return visit(bm::gamma_distribution<double, Quiet>(p.real2, p.real1));
    case Id::Lognormal:
        return visit(bm::lognormal_distribution<double, Quiet>(p.real1, p.real2));
    case Id::Normal:
        return visit(bm::normal_distribution<double, Quiet>(p.real1, p.real2));
    case Id::Rayleigh:
        return visit(bm::rayleigh_distribution<double, Quiet>(p.real1));
    case Id::StudentT:
        return visit(bm::students_t_distribution<double, Quiet>(p.count1));
    case Id::Uniform:
        return visit(bm::uniform_distribution<double, Quiet>(p.real1, p.real2));
    case Id::Weibull:
        return visit(bm::weibull_distribution<double, Quiet>(p.real2, p.real1));
    case Id::Binomial:
    case Id::Geometric:
    case Id::Hypergeometric:
    case Id::Poisson:
        break;
    }
    return kNaN;
}

// Continued fractions by the modified Lentz method (Thompson and Barnett, 1986), each with a
// named cap on its terms: no value (NaN) where it has not converged.
constexpr int kFractionTerms = 2000;
constexpr double kFractionTolerance = 1e-15;
constexpr double kTiny = 1e-300;

double Guard(double v) {
    return std::fabs(v) < kTiny ? kTiny : v;
}

// h with I_x(a, b) = x^a (1 - x)^b h / (a B(a, b)), for x < (a + 1) / (a + b + 2)
// (Abramowitz and Stegun 26.5.8).
double IncompleteBetaFraction(double a, double b, double x) {
    double c = 1.0;
    double d = 1.0 / Guard(1.0 - (a + b) * x / (a + 1.0));
    double h = d;
    for (int m = 1; m <= kFractionTerms; ++m) {
        const double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((a - 1.0 + m2) * (a + m2));
        d = 1.0 / Guard(1.0 + aa * d);
        c = Guard(1.0 + aa / c);
        h *= d * c;
        aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + 1.0 + m2));
        d = 1.0 / Guard(1.0 + aa * d);
        c = Guard(1.0 + aa / c);
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) < kFractionTolerance) {
            return h;
        }
    }
    return kNaN;
}

// h with Gamma(a, x) = e^-x x^a h, for x > a + 1 (Legendre's continued fraction, A&S 6.5.31).
double UpperGammaFraction(double a, double x) {
    double b = x + 1.0 - a;
    double c = 1.0 / kTiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i <= kFractionTerms; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = 1.0 / Guard(an * d + b);
        c = Guard(b + an / c);
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) < kFractionTolerance) {
            return h;
        }
    }
    return kNaN;
}

// Mills' ratio Q(z) / phi(z) for z > 0 (Laplace's continued fraction, A&S 26.2.14).
double MillsRatio(double z) {
    double c = 1.0 / kTiny; // Lentz's start for a fraction with no leading term
    double d = 1.0 / z;
    double h = d;
    for (int k = 1; k <= kFractionTerms; ++k) {
        d = 1.0 / Guard(z + k * d);
        c = Guard(z + k / c);
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) < kFractionTolerance) {
            return h;
        }
    }
    return kNaN;
}

// The hazard where the survival has underflowed: the ratio f / S in a form that never forms
// either. Each form is the continued fraction of the upper tail divided into the density.
double FarHazard(const DistributionParameters& p, double x) {
    switch (p.id) {
    case Id::Beta: {
        const double y = 1.0 - x;
        return p.real2 / (x * y * IncompleteBetaFraction(p.real2, p.real1, y));
    }
    case Id::ChiSquare:
        return 1.0 / (x * UpperGammaFraction(p.count1 / 2.0, x / 2.0));
    case Id::Gamma:
        return 1.0 / (x * UpperGammaFraction(p.real2, x / p.real1));
    case Id::F: {
        const double m = p.count1;
        const double n = p.count2;
        const double y = 1.0 / (1.0 + m * x / n);
        return n / (2.0 * x * IncompleteBetaFraction(n / 2.0, m / 2.0, y));
    }
    case Id::StudentT: {
        const double n = p.count1;
        const double y = 1.0 / (1.0 + x * x / n);
        return n / (x * IncompleteBetaFraction(n / 2.0, 0.5, y));
    }
    case Id::Normal:
        return 1.0 / (p.real2 * MillsRatio((x - p.real1) / p.real2));
    case Id::Lognormal:
        return 1.0 / (x * p.real2 * MillsRatio((std::log(x) - p.real1) / p.real2));
    default:
        return kNaN;
    }
}

// The families whose density near their lower end 0 behaves as a power of x.
bool HasPowerAtZero(Id id) {
    return id == Id::Beta || id == Id::ChiSquare || id == Id::F || id == Id::Gamma ||
           id == Id::Weibull || id == Id::Exponential;
}

bool Below(const Support& s, double x) {
    return x < s.lowest;
}

bool Above(const Support& s, double x) {
    return x > s.highest;
}

} // namespace

Support ContinuousSupport(const DistributionParameters& p) {
    switch (p.id) {
    case Id::Beta:
        return {0.0, 1.0};
    case Id::Cauchy:
    case Id::Normal:
    case Id::StudentT:
        return {-kInf, kInf};
    case Id::Uniform:
        return {p.real1, p.real2};
    default:
        return {0.0, kInf};
    }
}

double AccurateLower(const DistributionParameters& p, double x) {
    const Support s = ContinuousSupport(p);
    if (Below(s, x)) {
        return 0.0;
    }
    if (Above(s, x)) {
        return 1.0;
    }
    return WithDistribution(p, [x](const auto& d) { return cdf(d, x); });
}

double AccurateUpper(const DistributionParameters& p, double x) {
    const Support s = ContinuousSupport(p);
    if (Below(s, x)) {
        return 1.0;
    }
    if (Above(s, x)) {
        return 0.0;
    }
    return WithDistribution(p, [x](const auto& d) { return cdf(complement(d, x)); });
}

double AccurateDensity(const DistributionParameters& p, double x) {
    const Support s = ContinuousSupport(p);
    if (Below(s, x) || Above(s, x)) {
        return 0.0;
    }
    if (x == 0.0 && HasPowerAtZero(p.id)) {
        // Not every Boost.Math density takes the right-hand limit there (its gamma gives 0).
        return DensityAtLowerEnd(p).value_or(kInf);
    }
    if (p.id == Id::Weibull) {
        // In logarithms: far out (x/scale)^(shape-1) overflows while the density is 0.
        const double z = x / p.real1;
        return p.real2 / p.real1 * std::exp((p.real2 - 1.0) * std::log(z) - std::pow(z, p.real2));
    }
    return WithDistribution(p, [x](const auto& d) { return pdf(d, x); });
}

double AccurateHazard(const DistributionParameters& p, double x) {
    const Support s = ContinuousSupport(p);
    if (Below(s, x)) {
        return 0.0;
    }
    if (!(x < s.highest)) {
        return kNaN; // no survival left
    }
    // Closed forms where the hazard has one.
    switch (p.id) {
    case Id::Exponential:
        return 1.0 / p.real2;
    case Id::Rayleigh:
        return x / (p.real1 * p.real1);
    case Id::Weibull:
        return p.real2 / p.real1 * std::pow(x / p.real1, p.real2 - 1.0);
    case Id::Uniform:
        return 1.0 / (p.real2 - x);
    case Id::Cauchy: {
        // f / S = 1 / (s (1 + z^2) S pi); for z > 1 with S = atan(1/z) / pi, written so that
        // neither z^2 nor a product overflows.
        const double z = (x - p.real1) / p.real2;
        if (z > 1.0) {
            return 1.0 / (p.real2 * (z + 1.0 / z) * (z * std::atan(1.0 / z)));
        }
        break;
    }
    default:
        break;
    }
    const double survival = AccurateUpper(p, x);
    if (survival >= DBL_MIN) {
        return AccurateDensity(p, x) / survival;
    }
    return FarHazard(p, x);
}

double AccurateQuantileStart(const DistributionParameters& p, double q) {
    if (!(q > 0.0 && q < 1.0)) {
        return kNaN;
    }
    return WithDistribution(p, [q](const auto& d) {
        using D = std::decay_t<decltype(d)>;
        // Boost 1.74's complemented F quantile trips GCC's maybe-uninitialized warning; the
        // plain one is a start close enough there.
        if constexpr (std::is_same_v<D, bm::fisher_f_distribution<double, Quiet>>) {
            return quantile(d, q);
        } else {
            return q <= 0.5 ? quantile(d, q) : quantile(complement(d, 1.0 - q));
        }
    });
}

double FourDecimalValue(double v) {
    // Beyond 1e15 a double has no fourth decimal left to round.
    if (!(std::fabs(v) < 1e15)) {
        return v;
    }
    // The same correctly rounded decimal text the field shows.
    char text[40];
    std::snprintf(text, sizeof text, "%.4f", v);
    return std::strtod(text, nullptr);
}

double ShownTolerance(double v) {
    return 0.5e-4 + 1e-5 * std::fabs(v);
}

bool ShowsWithinTolerance(double v, double truth) {
    return std::fabs(FourDecimalValue(v) - truth) <= ShownTolerance(truth);
}

} // namespace kelvora
