#include "distributions/precise_tails.hpp"

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
#include <limits>

namespace kelvora {

namespace {

using Id = DistributionId;
using Real = long double;
namespace bm = boost::math;

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

// Calls `visit` with the long double Boost.Math distribution of the routines' parameters
// (Gamma and Weibull: scale real1, shape real2; Exponential: scale real2).
template <typename Visit> Real WithDistribution(const DistributionParameters& p, Visit visit) {
    using Q = QuietPolicy;
    const Real a = p.real1;
    const Real b = p.real2;
    switch (p.id) {
    case Id::Beta:
        return visit(bm::beta_distribution<Real, Q>(a, b));
    case Id::Cauchy:
        return visit(bm::cauchy_distribution<Real, Q>(a, b));
    case Id::ChiSquare:
        return visit(bm::chi_squared_distribution<Real, Q>(p.count1));
    case Id::Exponential:
        return visit(bm::exponential_distribution<Real, Q>(1.0L / b));
    case Id::F:
        return visit(bm::fisher_f_distribution<Real, Q>(p.count1, p.count2));
    case Id::Gamma:
        return visit(bm::gamma_distribution<Real, Q>(b, a));
    case Id::Lognormal:
        return visit(bm::lognormal_distribution<Real, Q>(a, b));
    case Id::Normal:
        return visit(bm::normal_distribution<Real, Q>(a, b));
    case Id::Rayleigh:
        return visit(bm::rayleigh_distribution<Real, Q>(a));
    case Id::StudentT:
        return visit(bm::students_t_distribution<Real, Q>(p.count1));
    case Id::Uniform:
        return visit(bm::uniform_distribution<Real, Q>(a, b));
    case Id::Weibull:
        return visit(bm::weibull_distribution<Real, Q>(b, a));
    default:
        return kNaN;
    }
}

bool Inside(const Support& s, double x) {
    return x >= s.lowest && x <= s.highest;
}

} // namespace

long double PreciseLower(const DistributionParameters& p, double x) {
    const Support s = ContinuousSupport(p);
    if (!Inside(s, x)) {
        return x < s.lowest ? 0.0L : 1.0L;
    }
    return WithDistribution(p, [x](const auto& d) { return cdf(d, Real(x)); });
}

long double PreciseUpper(const DistributionParameters& p, double x) {
    const Support s = ContinuousSupport(p);
    if (!Inside(s, x)) {
        return x < s.lowest ? 1.0L : 0.0L;
    }
    return WithDistribution(p, [x](const auto& d) { return cdf(complement(d, Real(x))); });
}

long double PreciseDensity(const DistributionParameters& p, double x) {
    const Support s = ContinuousSupport(p);
    if (!Inside(s, x)) {
        return 0.0L;
    }
    if (x == 0.0 && s.lowest == 0.0) {
        return AccurateDensity(p, x); // the right-hand limit at the lower end
    }
    if (p.id == Id::Weibull) {
        // In logarithms: far out (x/scale)^(shape-1) overflows while the density is 0.
        const Real z = Real(x) / p.real1;
        const Real k = p.real2;
        return k / p.real1 * std::exp((k - 1.0L) * std::log(z) - std::pow(z, k));
    }
    return WithDistribution(p, [x](const auto& d) { return pdf(d, Real(x)); });
}

long double PreciseHazard(const DistributionParameters& p, double x) {
    const Support s = ContinuousSupport(p);
    if (x < s.lowest) {
        return 0.0L;
    }
    if (!(x < s.highest)) {
        return kNaN; // no survival left
    }
    const Real survival = PreciseUpper(p, x);
    const Real density = PreciseDensity(p, x);
    if (survival >= LDBL_MIN && std::isfinite(density)) {
        return density / survival;
    }
    return AccurateHazard(p, x);
}

} // namespace kelvora
