#include "peer_sampling.hpp"

#include "distributions/quiet_policy.hpp"

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

namespace kelvora {

namespace {

namespace bm = boost::math;

using Quiet = QuietPolicy;

// The argument each position is evaluated at: x itself, or the count floor(x) (as a real, or
// as the unsigned integer Boost's hypergeometric takes).
const auto kAtX = [](double x) { return x; };
const auto kAtCount = [](double x) { return std::floor(x); };
const auto kAtUnsignedCount = [](double x) { return static_cast<unsigned>(std::floor(x)); };

template <typename Distribution, typename Argument>
void Fill(const Distribution& d, Argument argument, double XMin, double XMax, PlotSamples& s) {
    const double Step = (XMax - XMin) / kSampleCount;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double x = static_cast<double>(i) * Step + XMin;
        s.X[i] = x;
        const double f = pdf(d, argument(x));
        const double F = cdf(d, argument(x));
        s.Pdf[i] = f;
        s.Cdf[i] = F;
        s.Survival[i] = 1.0 - F;
        s.Hazard[i] = f / s.Survival[i];
    }
}

} // namespace

void PeerSampleCurves(const DistributionParameters& p, double XMin, double XMax, PlotSamples& s) {
    using Id = DistributionId;
    // The same parameter slots as the sampling's routines (Gamma and Weibull: scale real1,
    // shape real2; Exponential: rate real1).
    switch (p.id) {
    case Id::Beta:
        return Fill(bm::beta_distribution<double, Quiet>(p.real1, p.real2), kAtX, XMin, XMax, s);
    case Id::Binomial:
        return Fill(bm::binomial_distribution<double, Quiet>(p.count1, p.real2), kAtCount, XMin,
                    XMax, s);
    case Id::Cauchy:
        return Fill(bm::cauchy_distribution<double, Quiet>(p.real1, p.real2), kAtX, XMin, XMax, s);
    case Id::ChiSquare:
        return Fill(bm::chi_squared_distribution<double, Quiet>(p.count1), kAtX, XMin, XMax, s);
    case Id::Exponential:
        return Fill(bm::exponential_distribution<double, Quiet>(p.real1), kAtX, XMin, XMax, s);
    case Id::F:
        return Fill(bm::fisher_f_distribution<double, Quiet>(p.count1, p.count2), kAtX, XMin, XMax,
                    s);
    case Id::Gamma:
        return Fill(bm::gamma_distribution<double, Quiet>(p.real2, p.real1), kAtX, XMin, XMax, s);
    case Id::Geometric:
        return Fill(bm::geometric_distribution<double, Quiet>(p.real1), kAtCount, XMin, XMax, s);
    case Id::Hypergeometric:
        return Fill(bm::hypergeometric_distribution<double, Quiet>(static_cast<unsigned>(p.count2),
                                                                   static_cast<unsigned>(p.count3),
                                                                   static_cast<unsigned>(p.count1)),
                    kAtUnsignedCount, XMin, XMax, s);
    case Id::Lognormal:
        return Fill(bm::lognormal_distribution<double, Quiet>(p.real1, p.real2), kAtX, XMin, XMax,
                    s);
    case Id::Normal:
        return Fill(bm::normal_distribution<double, Quiet>(p.real1, p.real2), kAtX, XMin, XMax, s);
    case Id::Poisson:
        return Fill(bm::poisson_distribution<double, Quiet>(p.real1), kAtCount, XMin, XMax, s);
    case Id::Rayleigh:
        return Fill(bm::rayleigh_distribution<double, Quiet>(p.real1), kAtX, XMin, XMax, s);
    case Id::StudentT:
        return Fill(bm::students_t_distribution<double, Quiet>(p.count1), kAtX, XMin, XMax, s);
    case Id::Uniform:
        return Fill(bm::uniform_distribution<double, Quiet>(p.real1, p.real2), kAtX, XMin, XMax, s);
    case Id::Weibull:
        return Fill(bm::weibull_distribution<double, Quiet>(p.real2, p.real1), kAtX, XMin, XMax, s);
    }
}

} // namespace kelvora
