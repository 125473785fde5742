#include "reference.hpp"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/cauchy.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/exponential.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/geometric.hpp>
#include <boost/math/distributions/hypergeometric.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <boost/math/distributions/rayleigh.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/distributions/uniform.hpp>
#include <boost/math/distributions/weibull.hpp>

#include <cmath>
#include <exception>
#include <limits>
#include <type_traits>

namespace kelvora::accuracy {

namespace {

namespace bm = boost::math;
namespace pol = boost::math::policies;

// Errors become values: NaN for a domain error, infinity for a pole or an overflow, so that a
// reference never throws and "no value" stays visible to the comparison.
using Policy =
    pol::policy<pol::domain_error<pol::ignore_error>, pol::pole_error<pol::ignore_error>,
                pol::overflow_error<pol::ignore_error>, pol::evaluation_error<pol::ignore_error>,
                pol::rounding_error<pol::ignore_error>,
                pol::discrete_quantile<pol::integer_round_up>>;

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();
constexpr Real kInfinity = std::numeric_limits<Real>::infinity();

// At most this many halvings (or doublings) find a discrete quantile: more than the 64 bits
// of any count.
constexpr int kSearchSteps = 200;

using FisherF = bm::fisher_f_distribution<Real, Policy>;

// Runs one Boost evaluation; the few errors its policies do not cover (a root finder that
// finds no root) become "no value".
template <class Evaluation> Real Guarded(Evaluation&& evaluation) noexcept {
    try {
        return evaluation();
    } catch (const std::exception&) {
        return kNaN;
    }
}

template <class Dist> class BoostReference final : public Reference {
    static constexpr bool kIsF = std::is_same_v<Dist, FisherF>;

public:
    BoostReference(Dist d, bool discrete) : d_(d), discrete_(discrete) {
        const auto [low, high] = bm::support(d_);
        // Boost starts some supports at the smallest positive value to keep 0 out of its
        // domain checks; the distributions start at 0.
        low_ = low > 0 && low <= std::numeric_limits<Real>::min() ? 0 : low;
        // Boost gives the largest finite value for an unbounded support.
        high_ = high >= std::numeric_limits<Real>::max() ? kInfinity : high;
        if (low <= -std::numeric_limits<Real>::max()) {
            low_ = -kInfinity;
        }
    }

    bool IsDiscrete() const override { return discrete_; }
    Real Lowest() const override { return low_; }
    Real Highest() const override { return high_; }

    Real Quantile(Real q) const override {
        if (q < 0 || q > 1 || std::isnan(q)) {
            return kNaN;
        }
        if (discrete_) {
            return DiscreteQuantile(q);
        }
        if (q == 0) {
            return low_;
        }
        if (q == 1) {
            return high_;
        }
        const Real x = Guarded([&] { return bm::quantile(d_, q); });
        return std::isnan(x) ? Bisected(q) : x;
    }

    Real UpperQuantile(Real s) const override {
        if constexpr (kIsF) {
            // F = (n/m) (1 - y) / y with y the lower point of Beta(n/2, m/2) at s; written out
            // because Boost's complement form trips GCC's maybe-uninitialized warning.
            const Real m = d_.degrees_of_freedom1();
            const Real n = d_.degrees_of_freedom2();
            const Real y = Guarded([&] { return bm::ibeta_inv(n / 2, m / 2, s, Policy()); });
            return n * (1 - y) / (m * y);
        } else {
            return Guarded([&] { return bm::quantile(bm::complement(d_, s)); });
        }
    }

private:
    Real Cumulative(Real x) const {
        if (x < low_) {
            return 0;
        }
        if (x >= high_) {
            return 1;
        }
        return Guarded([&] { return bm::cdf(d_, x); });
    }

    // Where Boost's root finder gives up: halving a bracket of the support until F(x) = q to
    // within the long double resolution.
    Real Bisected(Real q) const {
        Real low = std::isfinite(low_) ? low_ : -1;
        Real high = std::isfinite(high_) ? high_ : 1;
        for (int i = 0; i < kSearchSteps && Cumulative(low) > q; ++i) {
            low = 2 * low - 1;
        }
        for (int i = 0; i < kSearchSteps && Cumulative(high) < q; ++i) {
            high = 2 * high + 1;
        }
        for (int i = 0; i < 4 * kSearchSteps; ++i) {
            const Real middle = (low + high) / 2;
            if (middle <= low || middle >= high) {
                break;
            }
            (Cumulative(middle) < q ? low : high) = middle;
        }
        return (low + high) / 2;
    }

    // The smallest count k with F(k) >= q: a bracket grown by doubling from the lowest count,
    // then halved. F is computed directly at each count, so ties with q are decided exactly.
    Real DiscreteQuantile(Real q) const {
        if (q == 0) {
            return low_;
        }
        // Below the top of the support F(k) < 1 exactly, however close to 1 its long double
        // rounds.
        if (q == 1) {
            return high_;
        }
        Real below = low_ - 1; // F(below) < q
        Real width = 1;
        Real above = low_;
        int steps = 0;
        while (Cumulative(above) < q) {
            if (above >= high_ || ++steps > kSearchSteps) {
                return kInfinity; // no count reaches q (q = 1 on an unbounded support)
            }
            below = above;
            width = 2 * width;
            above = std::min(high_, low_ + width);
        }
        while (above - below > 1 && steps++ < 2 * kSearchSteps) {
            const Real middle = std::floor((below + above) / 2);
            if (Cumulative(middle) >= q) {
                above = middle;
            } else {
                below = middle;
            }
        }
        return above;
    }

    Dist d_;
    bool discrete_;
    Real low_ = 0;
    Real high_ = 0;
};

template <class Dist> std::unique_ptr<Reference> Continuous(Dist d) {
    return std::make_unique<BoostReference<Dist>>(d, false);
}

template <class Dist> std::unique_ptr<Reference> Discrete(Dist d) {
    return std::make_unique<BoostReference<Dist>>(d, true);
}

} // namespace

std::unique_ptr<Reference> MakeReference(const DistributionParameters& p) {
    using Id = DistributionId;
    const Real r1 = p.real1;
    const Real r2 = p.real2;
    switch (p.id) {
    case Id::Beta:
        return Continuous(bm::beta_distribution<Real, Policy>(r1, r2));
    case Id::Binomial:
        return Discrete(bm::binomial_distribution<Real, Policy>(p.count1, r2));
    case Id::Cauchy:
        return Continuous(bm::cauchy_distribution<Real, Policy>(r1, r2));
    case Id::ChiSquare:
        return Continuous(bm::chi_squared_distribution<Real, Policy>(p.count1));
    case Id::Exponential:
        return Continuous(bm::exponential_distribution<Real, Policy>(r1));
    case Id::F:
        return Continuous(FisherF(p.count1, p.count2));
    case Id::Gamma:
        return Continuous(bm::gamma_distribution<Real, Policy>(r2, r1));
    case Id::Geometric:
        // Boost counts failures, like the x and quantile fields.
        return Discrete(bm::geometric_distribution<Real, Policy>(r1));
    case Id::Hypergeometric:
        return Discrete(bm::hypergeometric_distribution<Real, Policy>(
            static_cast<unsigned>(p.count2), static_cast<unsigned>(p.count3),
            static_cast<unsigned>(p.count1)));
    case Id::Lognormal:
        return Continuous(bm::lognormal_distribution<Real, Policy>(r1, r2));
    case Id::Normal:
        return Continuous(bm::normal_distribution<Real, Policy>(r1, r2));
    case Id::Poisson:
        return Discrete(bm::poisson_distribution<Real, Policy>(r1));
    case Id::Rayleigh:
        return Continuous(bm::rayleigh_distribution<Real, Policy>(r1));
    case Id::StudentT:
        return Continuous(bm::students_t_distribution<Real, Policy>(p.count1));
    case Id::Uniform:
        return Continuous(bm::uniform_distribution<Real, Policy>(r1, r2));
    case Id::Weibull:
        return Continuous(bm::weibull_distribution<Real, Policy>(r2, r1));
    }
    return nullptr;
}

} // namespace kelvora::accuracy
