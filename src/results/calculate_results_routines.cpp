#include "results/calculate_results_routines.hpp"

#include "distributions/continuous.hpp"
#include "distributions/discrete.hpp"
#include "distributions/hazard.hpp"
#include "quantile/beta_quantile.hpp"
#include "quantile/gamma_quantile.hpp"
#include "quantile/newton_solvers.hpp"

#include <cmath>

namespace kelvora::results {

namespace {

using Id = DistributionId;

// Beta, chi-square and F are not evaluated at x = 0: the cumulative is 0 there and the density
// its right-hand limit.
bool SkipsOrigin(Id id) {
    return id == Id::Beta || id == Id::ChiSquare || id == Id::F;
}

} // namespace

double DiscretePoint(DistributionId id, double x) {
    if (id == Id::Geometric) {
        return std::floor(x) + 1.0;
    }
    return std::floor(x);
}

std::optional<double> Cumulative(const DistributionParameters& p, double x) {
    if (SkipsOrigin(p.id) && x == 0.0) {
        return 0.0;
    }
    switch (p.id) {
    case Id::Beta:
        return BetaCdf(x, p.real1, p.real2);
    case Id::Binomial:
        return BinomialCdf(DiscretePoint(p.id, x), p.count1, p.real2);
    case Id::Cauchy:
        return CauchyCdf(x, p.real1, p.real2);
    case Id::ChiSquare:
        return ChiSquareCdf(x, p.count1);
    case Id::Exponential:
        return ExponentialCdf(x, 0.0, p.real2);
    case Id::F:
        return FCdf(x, p.count1, p.count2);
    case Id::Gamma:
        return GammaCdf(x, 0.0, p.real1, p.real2);
    case Id::Geometric:
        return GeometricCdf(DiscretePoint(p.id, x), p.real1);
    case Id::Hypergeometric:
        return HypergeometricCdf(DiscretePoint(p.id, x), p.count3, p.count2, p.count1);
    case Id::Lognormal:
        return LognormalCdf(x, p.real1, p.real2);
    case Id::Normal:
        return NormalCdf(x, p.real1, p.real2);
    case Id::Poisson:
        return PoissonCdf(DiscretePoint(p.id, x), p.real1);
    case Id::Rayleigh:
        return RayleighCdf(x, p.real1);
    case Id::StudentT:
        return StudentTCdf(x, 0.0, 1.0, p.count1);
    case Id::Uniform:
        return UniformCdf(x, p.real1, p.real2);
    case Id::Weibull:
        return WeibullCdf(x, 0.0, p.real1, p.real2);
    }
    return std::nullopt;
}

std::optional<double> Density(const DistributionParameters& p, double x) {
    if (SkipsOrigin(p.id) && x == 0.0) {
        return DensityAtLowerEnd(p);
    }
    switch (p.id) {
    case Id::Beta:
        return BetaPdf(x, p.real1, p.real2);
    case Id::Binomial:
        return BinomialPmf(DiscretePoint(p.id, x), p.count1, p.real2);
    case Id::Cauchy:
        return CauchyPdf(x, p.real1, p.real2);
    case Id::ChiSquare:
        return ChiSquarePdf(x, p.count1);
    case Id::Exponential:
        return ExponentialPdf(x, 0.0, p.real2);
    case Id::F:
        return FPdf(x, p.count1, p.count2);
    case Id::Gamma:
        return GammaPdf(x, 0.0, p.real1, p.real2);
    case Id::Geometric:
        return GeometricPmf(DiscretePoint(p.id, x), p.real1);
    case Id::Hypergeometric:
        return HypergeometricPmf(DiscretePoint(p.id, x), p.count3, p.count2, p.count1);
    case Id::Lognormal:
        return LognormalPdf(x, p.real1, p.real2);
    case Id::Normal:
        return NormalPdf(x, p.real1, p.real2);
    case Id::Poisson:
        return PoissonPmf(DiscretePoint(p.id, x), p.real1);
    case Id::Rayleigh:
        return RayleighPdf(x, p.real1);
    case Id::StudentT:
        return StudentTPdf(x, 0.0, 1.0, p.count1);
    case Id::Uniform:
        return UniformPdf(x, p.real1, p.real2);
    case Id::Weibull:
        return WeibullPdf(x, 0.0, p.real1, p.real2);
    }
    return std::nullopt;
}

std::optional<double> Quantile(const DistributionParameters& p, double q) {
    if (SkipsOrigin(p.id) && q == 0.0) {
        return 0.0;
    }
    // The chi-square, F and t solvers work on the upper tail.
    const double upper = 1.0 - q;
    switch (p.id) {
    case Id::Beta:
        return BetaQuantile(q, p.real1, p.real2);
    case Id::Binomial:
        return BinomialQuantile(q, p.count1, p.real2);
    case Id::Cauchy:
        return CauchyQuantile(q, p.real1, p.real2);
    case Id::ChiSquare:
        return ChiSquareQuantile(p.count1, upper);
    case Id::Exponential:
        return ExponentialQuantile(q, 0.0, p.real2);
    case Id::F:
        return FQuantile(p.count1, p.count2, upper);
    case Id::Gamma:
        return GammaQuantile(p.real2, p.real1, q);
    case Id::Geometric: {
        // The routine counts the trial of the first success; the field shows the failures
        // before it, like the x field.
        const std::optional<double> trials = GeometricQuantile(q, p.real1);
        if (!trials) {
            return std::nullopt;
        }
        return *trials - 1.0;
    }
    case Id::Hypergeometric:
        return HypergeometricQuantile(q, p.count3, p.count2, p.count1);
    case Id::Lognormal:
        return LognormalQuantile(q, p.real1, p.real2);
    case Id::Normal:
        return NormalQuantile(q, p.real1, p.real2);
    case Id::Poisson:
        return PoissonQuantile(q, p.real1);
    case Id::Rayleigh:
        return RayleighQuantile(q, p.real1);
    case Id::StudentT:
        return StudentTQuantile(p.count1, upper);
    case Id::Uniform:
        return UniformQuantile(q, p.real1, p.real2);
    case Id::Weibull:
        return WeibullQuantile(q, 0.0, p.real1, p.real2);
    }
    return std::nullopt;
}

std::optional<double> Mean(const DistributionParameters& p) {
    switch (p.id) {
    case Id::Beta:
        return BetaMean(p.real1, p.real2);
    case Id::Binomial:
        return BinomialMean(p.count1, p.real2);
    case Id::Cauchy:
        // The Cauchy mean does not exist; the field shows the location, the centre of symmetry.
        return CopyFirstParameter(p.real1, p.real2);
    case Id::ChiSquare:
        return ChiSquareMean(p.count1);
    case Id::Exponential:
        return ExponentialMean(0.0, p.real2);
    case Id::F:
        return FMean(p.count1, p.count2);
    case Id::Gamma:
        return GammaMean(0.0, p.real1, p.real2);
    case Id::Geometric:
        return GeometricMean(p.real1);
    case Id::Hypergeometric:
        return HypergeometricMean(p.count3, p.count2, p.count1);
    case Id::Lognormal:
        return LognormalMean(p.real1, p.real2);
    case Id::Normal:
        return CopyFirstParameter(p.real1, p.real2);
    case Id::Poisson:
        return CopyParameter(p.real1);
    case Id::Rayleigh:
        return RayleighMean(p.real1);
    case Id::StudentT:
        return StudentTMean(0.0, 1.0, p.count1);
    case Id::Uniform:
        return UniformMean(p.real1, p.real2);
    case Id::Weibull:
        return WeibullMean(0.0, p.real1, p.real2);
    }
    return std::nullopt;
}

std::optional<double> Variance(const DistributionParameters& p) {
    switch (p.id) {
    case Id::Beta:
        return BetaVariance(p.real1, p.real2);
    case Id::Binomial:
        return BinomialVariance(p.count1, p.real2);
    case Id::Cauchy:
        return CauchyVariance(p.real1, p.real2);
    case Id::ChiSquare:
        return ChiSquareVariance(p.count1);
    case Id::Exponential:
        return SquareSecondParameter(0.0, p.real2);
    case Id::F:
        return FVariance(p.count1, p.count2);
    case Id::Gamma:
        return GammaVariance(0.0, p.real1, p.real2);
    case Id::Geometric:
        return GeometricVariance(p.real1);
    case Id::Hypergeometric:
        return HypergeometricVariance(p.count3, p.count2, p.count1);
    case Id::Lognormal:
        return LognormalVariance(p.real1, p.real2);
    case Id::Normal:
        return SquareSecondParameter(p.real1, p.real2);
    case Id::Poisson:
        return CopyParameter(p.real1);
    case Id::Rayleigh:
        return RayleighVariance(p.real1);
    case Id::StudentT:
        return StudentTVariance(0.0, 1.0, p.count1);
    case Id::Uniform:
        return UniformVariance(p.real1, p.real2);
    case Id::Weibull:
        return WeibullVariance(0.0, p.real1, p.real2);
    }
    return std::nullopt;
}

} // namespace kelvora::results
