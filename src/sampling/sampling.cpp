// SampleCurves: the four functions of the selected distribution at 500 equally spaced points,
// and their extremes, which scale the graph's vertical axis.
#include "distributions/accurate.hpp"
#include "distributions/continuous.hpp"
#include "distributions/hazard.hpp"
#include "distributions/parameters.hpp"
#include "sampling/discrete_curves.hpp"
#include "sampling/plot_samples.hpp"
#include "sampling/sample_value.hpp"

namespace kelvora {

namespace {

// Beta, ChiSquare and F are not evaluated at exactly 0: their densities may have a pole there,
// and the density sample is the right-hand limit (left out where infinite).
bool UsesZeroPointRule(DistributionId id) {
    return id == DistributionId::Beta || id == DistributionId::ChiSquare || id == DistributionId::F;
}

// The cumulative is called before the density, as the result calculation does.
SampleValues ContinuousAt(const DistributionParameters& p, double x) {
    SampleValues v;
    const auto both = [&v](auto cdf, auto pdf) {
        v.cdf = GuardedSample(cdf);
        v.pdf = GuardedSample(pdf);
    };
    switch (p.id) {
    case DistributionId::Beta:
        both([&] { return BetaCdf(x, p.real1, p.real2); },
             [&] { return BetaPdf(x, p.real1, p.real2); });
        break;
    case DistributionId::Cauchy:
        both([&] { return CauchyCdf(x, p.real1, p.real2); },
             [&] { return CauchyPdf(x, p.real1, p.real2); });
        break;
    case DistributionId::ChiSquare:
        both([&] { return ChiSquareCdf(x, p.count1); }, [&] { return ChiSquarePdf(x, p.count1); });
        break;
    case DistributionId::Exponential:
        both([&] { return ExponentialCdf(x, 0.0, p.real2); },
             [&] { return ExponentialPdf(x, 0.0, p.real2); });
        break;
    case DistributionId::F:
        both([&] { return FCdf(x, p.count1, p.count2); },
             [&] { return FPdf(x, p.count1, p.count2); });
        break;
    case DistributionId::Gamma:
        both([&] { return GammaCdf(x, 0.0, p.real1, p.real2); },
             [&] { return GammaPdf(x, 0.0, p.real1, p.real2); });
        break;
    case DistributionId::Lognormal:
        both([&] { return LognormalCdf(x, p.real1, p.real2); },
             [&] { return LognormalPdf(x, p.real1, p.real2); });
        break;
    case DistributionId::Normal:
        both([&] { return NormalCdf(x, p.real1, p.real2); },
             [&] { return NormalPdf(x, p.real1, p.real2); });
        break;
    case DistributionId::Rayleigh:
        both([&] { return RayleighCdf(x, p.real1); }, [&] { return RayleighPdf(x, p.real1); });
        break;
    case DistributionId::StudentT:
        both([&] { return StudentTCdf(x, 0.0, 1.0, p.count1); },
             [&] { return StudentTPdf(x, 0.0, 1.0, p.count1); });
        break;
    case DistributionId::Uniform:
        both([&] { return UniformCdf(x, p.real1, p.real2); },
             [&] { return UniformPdf(x, p.real1, p.real2); });
        break;
    case DistributionId::Weibull:
        both([&] { return WeibullCdf(x, 0.0, p.real1, p.real2); },
             [&] { return WeibullPdf(x, 0.0, p.real1, p.real2); });
        break;
    default:
        break;
    }
    return v;
}

void SampleContinuousCurves(const DistributionParameters& p, PlotSamples& s) {
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double x = s.X[i];
        if (UsesZeroPointRule(p.id) && x == 0.0) {
            s.Pdf[i] = AsSample(DensityAtLowerEnd(p));
            s.Cdf[i] = 0.0;
            s.Survival[i] = 1.0;
            s.Hazard[i] = s.Pdf[i];
            continue;
        }
        SampleValues v = ContinuousAt(p, x);
        // Where a written routine faults (a 16-bit counter, an overflowing intermediate) the
        // accurate evaluation fills the sample, so none is missing where a value exists.
        if (std::isnan(v.cdf)) {
            v.cdf = AsSample(AccurateLower(p, x));
        }
        if (std::isnan(v.pdf)) {
            v.pdf = AsSample(AccurateDensity(p, x));
        }
        s.Pdf[i] = v.pdf;
        s.Cdf[i] = v.cdf;
        s.Survival[i] = 1.0 - v.cdf;
        // As the hazard field: where the survival has no positive value the sample is left out.
        s.Hazard[i] = GuardedSample([&] { return Hazard(p, x, v.pdf, v.cdf); });
        if (std::isnan(s.Hazard[i])) {
            s.Hazard[i] = AsSample(AccurateHazard(p, x));
        }
    }
}

// Strict comparisons against the starting values. A left-out sample is NaN, which compares
// false both ways and so never becomes an extreme. The hazard extremes run over whatever Hazard
// holds, also for a discrete distribution, where the renderer does not use them.
void FindExtremes(const PlotSamples& s, CurveExtremes& e) {
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        if (s.Pdf[i] > e.MaxPdf) {
            e.MaxPdf = s.Pdf[i];
        }
        if (s.Cdf[i] > e.MaxCdf) {
            e.MaxCdf = s.Cdf[i];
        }
        if (s.Survival[i] > e.MaxSurvival) {
            e.MaxSurvival = s.Survival[i];
        }
        if (s.Hazard[i] > e.MaxHazard) {
            e.MaxHazard = s.Hazard[i];
        }
        if (s.Hazard[i] < e.MinHazard) {
            e.MinHazard = s.Hazard[i];
        }
    }
}

} // namespace

bool SampleCurves(DistributionId id, const ParameterTexts& texts, double XMin, double XMax,
                  PlotSamples& samples, CurveExtremes& extremes) {
    // The last sample lies one step short of XMax.
    const double Step = (XMax - XMin) / kSampleCount;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        samples.X[i] = static_cast<double>(i) * Step + XMin;
    }
    extremes = CurveExtremes{};

    const std::optional<DistributionParameters> params =
        ReadParameters(id, texts.text1, texts.text2, texts.text3);
    if (!params) {
        return false;
    }
    if (IsDiscrete(id)) {
        SampleDiscreteCurves(*params, samples);
    } else {
        SampleContinuousCurves(*params, samples);
    }
    FindExtremes(samples, extremes);
    return true;
}

} // namespace kelvora
