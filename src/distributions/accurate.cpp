#include "distributions/accurate.hpp"

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

namespace kelvora {

namespace {

using P = DistributionParameters;
namespace bm = boost::math;

using Quiet = QuietPolicy;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

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

// The tails and density of the Boost.Math distribution `make` builds from the parameters.
template <auto make> using RealOf = typename decltype(make(P{}))::value_type;

template <auto make> RealOf<make> BoostLower(const P& p, double x) {
    return cdf(make(p), RealOf<make>(x));
}
template <auto make> RealOf<make> BoostUpper(const P& p, double x) {
    return cdf(complement(make(p), RealOf<make>(x)));
}
template <auto make> RealOf<make> BoostDensity(const P& p, double x) {
    return pdf(make(p), RealOf<make>(x));
}
// Boost.Math's q-quantile for 0 < q < 1, from the complement above 1/2.
template <auto make> double BoostQuantile(const P& p, double q) {
    if (!(q > 0.0 && q < 1.0)) {
        return kNaN;
    }
    return q <= 0.5 ? quantile(make(p), q) : quantile(complement(make(p), 1.0 - q));
}

Support FromZero(const P&) {
    return {0.0, kInf};
}
Support WholeLine(const P&) {
    return {-kInf, kInf};
}
std::optional<PowerAtZero> NoPowerAtZero(const P&) {
    return std::nullopt;
}
std::optional<double> NoClosedHazard(const P&, double) {
    return std::nullopt;
}
double NoFarHazard(const P&, double) {
    return kNaN;
}

bool Below(const Support& s, double x) {
    return x < s.lowest;
}

bool Above(const Support& s, double x) {
    return x > s.highest;
}

// The Boost.Math distributions of the same parameters as the written routines (Gamma and
// Weibull: scale real1, shape real2; Exponential: scale real2). The far hazards are the upper
// tail's continued fraction divided into the density, a form that never forms f or S.

template <typename Real> auto BoostBeta(const P& p) {
    return bm::beta_distribution<Real, Quiet>(Real(p.real1), Real(p.real2));
}
template <typename Real> auto BoostCauchy(const P& p) {
    return bm::cauchy_distribution<Real, Quiet>(Real(p.real1), Real(p.real2));
}
template <typename Real> auto BoostChiSquare(const P& p) {
    return bm::chi_squared_distribution<Real, Quiet>(Real(p.count1));
}
template <typename Real> auto BoostExponential(const P& p) {
    return bm::exponential_distribution<Real, Quiet>(Real(1) / Real(p.real2));
}
template <typename Real> auto BoostF(const P& p) {
    return bm::fisher_f_distribution<Real, Quiet>(Real(p.count1), Real(p.count2));
}
template <typename Real> auto BoostGamma(const P& p) {
    return bm::gamma_distribution<Real, Quiet>(Real(p.real2), Real(p.real1));
}
template <typename Real> auto BoostLognormal(const P& p) {
    return bm::lognormal_distribution<Real, Quiet>(Real(p.real1), Real(p.real2));
}
template <typename Real> auto BoostNormal(const P& p) {
    return bm::normal_distribution<Real, Quiet>(Real(p.real1), Real(p.real2));
}
template <typename Real> auto BoostRayleigh(const P& p) {
    return bm::rayleigh_distribution<Real, Quiet>(Real(p.real1));
}
template <typename Real> auto BoostStudentT(const P& p) {
    return bm::students_t_distribution<Real, Quiet>(Real(p.count1));
}
template <typename Real> auto BoostUniform(const P& p) {
    return bm::uniform_distribution<Real, Quiet>(Real(p.real1), Real(p.real2));
}
template <typename Real> auto BoostWeibull(const P& p) {
    return bm::weibull_distribution<Real, Quiet>(Real(p.real2), Real(p.real1));
}

// The Weibull density in logarithms: far out (x/scale)^(shape-1) overflows while the density
// is 0.
template <typename Real> Real WeibullDensity(const P& p, double x) {
    const Real z = Real(x) / p.real1;
    const Real k = p.real2;
    return k / p.real1 * std::exp((k - 1) * std::log(z) - std::pow(z, k));
}

// Boost 1.74's complemented F quantile trips GCC's maybe-uninitialized warning; the plain one is
// a start close enough there.
double FQuantileStart(const P& p, double q) {
    if (!(q > 0.0 && q < 1.0)) {
        return kNaN;
    }
    return quantile(BoostF<double>(p), q);
}

} // namespace

const AccurateForms kBetaAccurate = {
    .support = [](const P&) -> Support {
        return {0.0, 1.0};
    },
    .powerAtZero = [](const P& p) -> std::optional<PowerAtZero> {
        return PowerAtZero{p.real1 - 1.0, p.real2};
    },
    .lower = BoostLower<BoostBeta<double>>,
    .upper = BoostUpper<BoostBeta<double>>,
    .density = BoostDensity<BoostBeta<double>>,
    .closedHazard = NoClosedHazard,
    .farHazard =
        [](const P& p, double x) {
            const double y = 1.0 - x;
            return p.real2 / (x * y * IncompleteBetaFraction(p.real2, p.real1, y));
        },
    .preciseLower = BoostLower<BoostBeta<long double>>,
    .preciseUpper = BoostUpper<BoostBeta<long double>>,
    .preciseDensity = BoostDensity<BoostBeta<long double>>,
    .quantileStart = BoostQuantile<BoostBeta<double>>,
    .standard = nullptr,
    .logScale = false,
    .symmetric = false,
};

const AccurateForms kCauchyAccurate = {
    .support = WholeLine,
    .powerAtZero = NoPowerAtZero,
    .lower = BoostLower<BoostCauchy<double>>,
    .upper = BoostUpper<BoostCauchy<double>>,
    .density = BoostDensity<BoostCauchy<double>>,
    .closedHazard = [](const P& p, double x) -> std::optional<double> {
        // f / S = 1 / (s (1 + z^2) S pi); for z > 1 with S = atan(1/z) / pi, written so that
        // neither z^2 nor a product overflows.
        const double z = (x - p.real1) / p.real2;
        if (z > 1.0) {
            return 1.0 / (p.real2 * (z + 1.0 / z) * (z * std::atan(1.0 / z)));
        }
        return std::nullopt;
    },
    .farHazard = NoFarHazard,
    .preciseLower = BoostLower<BoostCauchy<long double>>,
    .preciseUpper = BoostUpper<BoostCauchy<long double>>,
    .preciseDensity = BoostDensity<BoostCauchy<long double>>,
    .quantileStart = BoostQuantile<BoostCauchy<double>>,
    .standard = &kCauchyAccurate,
    .logScale = false,
    .symmetric = true,
};

const AccurateForms kChiSquareAccurate = {
    .support = FromZero,
    .powerAtZero = [](const P& p) -> std::optional<PowerAtZero> {
        return PowerAtZero{p.count1 / 2.0 - 1.0, 0.5};
    },
    .lower = BoostLower<BoostChiSquare<double>>,
    .upper = BoostUpper<BoostChiSquare<double>>,
    .density = BoostDensity<BoostChiSquare<double>>,
    .closedHazard = NoClosedHazard,
    .farHazard = [](const P& p,
                    double x) { return 1.0 / (x * UpperGammaFraction(p.count1 / 2.0, x / 2.0)); },
    .preciseLower = BoostLower<BoostChiSquare<long double>>,
    .preciseUpper = BoostUpper<BoostChiSquare<long double>>,
    .preciseDensity = BoostDensity<BoostChiSquare<long double>>,
    .quantileStart = BoostQuantile<BoostChiSquare<double>>,
    .standard = nullptr,
    .logScale = false,
    .symmetric = false,
};

const AccurateForms kExponentialAccurate = {
    .support = FromZero,
    .powerAtZero = [](const P& p) -> std::optional<PowerAtZero> {
        return PowerAtZero{0.0, 1.0 / p.real2};
    },
    .lower = BoostLower<BoostExponential<double>>,
    .upper = BoostUpper<BoostExponential<double>>,
    .density = BoostDensity<BoostExponential<double>>,
    .closedHazard = [](const P& p, double) -> std::optional<double> { return 1.0 / p.real2; },
    .farHazard = NoFarHazard,
    .preciseLower = BoostLower<BoostExponential<long double>>,
    .preciseUpper = BoostUpper<BoostExponential<long double>>,
    .preciseDensity = BoostDensity<BoostExponential<long double>>,
    .quantileStart = BoostQuantile<BoostExponential<double>>,
    .standard = nullptr,
    .logScale = false,
    .symmetric = false,
};

const AccurateForms kFAccurate = {
    .support = FromZero,
    .powerAtZero = [](const P& p) -> std::optional<PowerAtZero> {
        return PowerAtZero{p.count1 / 2.0 - 1.0, 1.0};
    },
    .lower = BoostLower<BoostF<double>>,
    .upper = BoostUpper<BoostF<double>>,
    .density = BoostDensity<BoostF<double>>,
    .closedHazard = NoClosedHazard,
    .farHazard =
        [](const P& p, double x) {
            const double m = p.count1;
            const double n = p.count2;
            const double y = 1.0 / (1.0 + m * x / n);
            return n / (2.0 * x * IncompleteBetaFraction(n / 2.0, m / 2.0, y));
        },
    .preciseLower = BoostLower<BoostF<long double>>,
    .preciseUpper = BoostUpper<BoostF<long double>>,
    .preciseDensity = BoostDensity<BoostF<long double>>,
    .quantileStart = FQuantileStart,
    .standard = nullptr,
    .logScale = false,
    .symmetric = false,
};

const AccurateForms kGammaAccurate = {
    .support = FromZero,
    .powerAtZero = [](const P& p) -> std::optional<PowerAtZero> {
        return PowerAtZero{p.real2 - 1.0, 1.0 / p.real1};
    },
    .lower = BoostLower<BoostGamma<double>>,
    .upper = BoostUpper<BoostGamma<double>>,
    .density = BoostDensity<BoostGamma<double>>,
    .closedHazard = NoClosedHazard,
    .farHazard = [](const P& p,
                    double x) { return 1.0 / (x * UpperGammaFraction(p.real2, x / p.real1)); },
    .preciseLower = BoostLower<BoostGamma<long double>>,
    .preciseUpper = BoostUpper<BoostGamma<long double>>,
    .preciseDensity = BoostDensity<BoostGamma<long double>>,
    .quantileStart = BoostQuantile<BoostGamma<double>>,
    .standard = nullptr,
    .logScale = false,
    .symmetric = false,
};

const AccurateForms kLognormalAccurate = {
    .support = FromZero,
    .powerAtZero = NoPowerAtZero,
    .lower = BoostLower<BoostLognormal<double>>,
    .upper = BoostUpper<BoostLognormal<double>>,
    .density = BoostDensity<BoostLognormal<double>>,
    .closedHazard = NoClosedHazard,
    .farHazard =
        [](const P& p, double x) {
            return 1.0 / (x * p.real2 * MillsRatio((std::log(x) - p.real1) / p.real2));
        },
    .preciseLower = BoostLower<BoostLognormal<long double>>,
    .preciseUpper = BoostUpper<BoostLognormal<long double>>,
    .preciseDensity = BoostDensity<BoostLognormal<long double>>,
    .quantileStart = BoostQuantile<BoostLognormal<double>>,
    .standard = &kNormalAccurate,
    .logScale = true,
    .symmetric = false,
};

const AccurateForms kNormalAccurate = {
    .support = WholeLine,
    .powerAtZero = NoPowerAtZero,
    .lower = BoostLower<BoostNormal<double>>,
    .upper = BoostUpper<BoostNormal<double>>,
    .density = BoostDensity<BoostNormal<double>>,
    .closedHazard = NoClosedHazard,
    .farHazard = [](const P& p,
                    double x) { return 1.0 / (p.real2 * MillsRatio((x - p.real1) / p.real2)); },
    .preciseLower = BoostLower<BoostNormal<long double>>,
    .preciseUpper = BoostUpper<BoostNormal<long double>>,
    .preciseDensity = BoostDensity<BoostNormal<long double>>,
    .quantileStart = BoostQuantile<BoostNormal<double>>,
    .standard = &kNormalAccurate,
    .logScale = false,
    .symmetric = true,
};

const AccurateForms kRayleighAccurate = {
    .support = FromZero,
    .powerAtZero = NoPowerAtZero,
    .lower = BoostLower<BoostRayleigh<double>>,
    .upper = BoostUpper<BoostRayleigh<double>>,
    .density = BoostDensity<BoostRayleigh<double>>,
    .closedHazard = [](const P& p, double x) -> std::optional<double> {
        return x / (p.real1 * p.real1);
    },
    .farHazard = NoFarHazard,
    .preciseLower = BoostLower<BoostRayleigh<long double>>,
    .preciseUpper = BoostUpper<BoostRayleigh<long double>>,
    .preciseDensity = BoostDensity<BoostRayleigh<long double>>,
    .quantileStart = BoostQuantile<BoostRayleigh<double>>,
    .standard = nullptr,
    .logScale = false,
    .symmetric = false,
};

const AccurateForms kStudentTAccurate = {
    .support = WholeLine,
    .powerAtZero = NoPowerAtZero,
    .lower = BoostLower<BoostStudentT<double>>,
    .upper = BoostUpper<BoostStudentT<double>>,
    .density = BoostDensity<BoostStudentT<double>>,
    .closedHazard = NoClosedHazard,
    .farHazard =
        [](const P& p, double x) {
            const double n = p.count1;
            const double y = 1.0 / (1.0 + x * x / n);
            return n / (x * IncompleteBetaFraction(n / 2.0, 0.5, y));
        },
    .preciseLower = BoostLower<BoostStudentT<long double>>,
    .preciseUpper = BoostUpper<BoostStudentT<long double>>,
    .preciseDensity = BoostDensity<BoostStudentT<long double>>,
    .quantileStart = BoostQuantile<BoostStudentT<double>>,
    .standard = nullptr,
    .logScale = false,
    .symmetric = true,
};

const AccurateForms kUniformAccurate = {
    .support = [](const P& p) -> Support {
        return {p.real1, p.real2};
    },
    .powerAtZero = NoPowerAtZero,
    .lower = BoostLower<BoostUniform<double>>,
    .upper = BoostUpper<BoostUniform<double>>,
    .density = BoostDensity<BoostUniform<double>>,
    .closedHazard = [](const P& p, double x) -> std::optional<double> {
        return 1.0 / (p.real2 - x);
    },
    .farHazard = NoFarHazard,
    .preciseLower = BoostLower<BoostUniform<long double>>,
    .preciseUpper = BoostUpper<BoostUniform<long double>>,
    .preciseDensity = BoostDensity<BoostUniform<long double>>,
    .quantileStart = BoostQuantile<BoostUniform<double>>,
    .standard = nullptr,
    .logScale = false,
    .symmetric = false,
};

const AccurateForms kWeibullAccurate = {
    .support = FromZero,
    .powerAtZero = [](const P& p) -> std::optional<PowerAtZero> {
        return PowerAtZero{p.real2 - 1.0, 1.0 / p.real1};
    },
    .lower = BoostLower<BoostWeibull<double>>,
    .upper = BoostUpper<BoostWeibull<double>>,
    .density = WeibullDensity<double>,
    .closedHazard = [](const P& p, double x) -> std::optional<double> {
        return p.real2 / p.real1 * std::pow(x / p.real1, p.real2 - 1.0);
    },
    .farHazard = NoFarHazard,
    .preciseLower = BoostLower<BoostWeibull<long double>>,
    .preciseUpper = BoostUpper<BoostWeibull<long double>>,
    .preciseDensity = WeibullDensity<long double>,
    .quantileStart = BoostQuantile<BoostWeibull<double>>,
    .standard = nullptr,
    .logScale = false,
    .symmetric = false,
};

double AccurateLower(const AccurateForms& forms, const P& p, double x) {
    const Support s = forms.support(p);
    if (Below(s, x)) {
        return 0.0;
    }
    if (Above(s, x)) {
        return 1.0;
    }
    return forms.lower(p, x);
}

double AccurateUpper(const AccurateForms& forms, const P& p, double x) {
    const Support s = forms.support(p);
    if (Below(s, x)) {
        return 1.0;
    }
    if (Above(s, x)) {
        return 0.0;
    }
    return forms.upper(p, x);
}

std::optional<double> DensityAtLowerEnd(const AccurateForms& forms, const P& p) {
    const std::optional<PowerAtZero> end = forms.powerAtZero(p);
    if (!end || end->power < 0.0) {
        return std::nullopt;
    }
    return end->power == 0.0 ? end->limit : 0.0;
}

double AccurateDensity(const AccurateForms& forms, const P& p, double x) {
    const Support s = forms.support(p);
    if (Below(s, x) || Above(s, x)) {
        return 0.0;
    }
    if (x == 0.0 && forms.powerAtZero(p)) {
        // Not every Boost.Math density takes the right-hand limit there (its gamma gives 0).
        return DensityAtLowerEnd(forms, p).value_or(kInf);
    }
    return forms.density(p, x);
}

double AccurateHazard(const AccurateForms& forms, const P& p, double x) {
    const Support s = forms.support(p);
    if (Below(s, x)) {
        return 0.0;
    }
    if (!(x < s.highest)) {
        return kNaN; // no survival left
    }
    if (const std::optional<double> closed = forms.closedHazard(p, x)) {
        return *closed;
    }
    const double survival = AccurateUpper(forms, p, x);
    if (survival >= DBL_MIN) {
        return AccurateDensity(forms, p, x) / survival;
    }
    return forms.farHazard(p, x);
}

long double PreciseLower(const AccurateForms& forms, const P& p, double x) {
    const Support s = forms.support(p);
    if (Below(s, x)) {
        return 0.0L;
    }
    if (Above(s, x)) {
        return 1.0L;
    }
    return forms.preciseLower(p, x);
}

long double PreciseUpper(const AccurateForms& forms, const P& p, double x) {
    const Support s = forms.support(p);
    if (Below(s, x)) {
        return 1.0L;
    }
    if (Above(s, x)) {
        return 0.0L;
    }
    return forms.preciseUpper(p, x);
}

long double PreciseDensity(const AccurateForms& forms, const P& p, double x) {
    const Support s = forms.support(p);
    if (Below(s, x) || Above(s, x)) {
        return 0.0L;
    }
    if (x == 0.0 && s.lowest == 0.0) {
        return AccurateDensity(forms, p, x); // the right-hand limit at the lower end
    }
    return forms.preciseDensity(p, x);
}

long double PreciseHazard(const AccurateForms& forms, const P& p, double x) {
    const Support s = forms.support(p);
    if (x < s.lowest) {
        return 0.0L;
    }
    if (!(x < s.highest)) {
        return std::numeric_limits<long double>::quiet_NaN(); // no survival left
    }
    const long double survival = PreciseUpper(forms, p, x);
    const long double density = PreciseDensity(forms, p, x);
    if (survival >= LDBL_MIN && std::isfinite(density)) {
        return density / survival;
    }
    return AccurateHazard(forms, p, x);
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
