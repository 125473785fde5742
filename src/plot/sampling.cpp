// SampleCurves: the four functions of the selected distribution at 500 equally spaced points,
// and their extremes, which scale the graph's vertical axis.
#include "dist/accurate.hpp"
#include "dist/continuous_forms.hpp"
#include "dist/hazard.hpp"
#include "dist/parameters.hpp"
#include "plot/discrete_curves.hpp"
#include "plot/plot_samples.hpp"
#include "plot/sample_value.hpp"

namespace kelvora {

namespace {

// Beta, ChiSquare and F are not evaluated at exactly 0: their densities may have a pole there,
// and the density sample is the right-hand limit (left out where infinite).
bool UsesZeroPointRule(DistributionId id) {
    return id == DistributionId::Beta || id == DistributionId::ChiSquare || id == DistributionId::F;
}

// The samples of one continuous distribution through its form, which computes the
// parameter-only values once for all 500 points and shares the series of the cumulative with the
// upper tail the hazard may ask for.
template <typename Form>
void SampleForm(const DistributionParameters& p, const Form& form, PlotSamples& s) {
    const bool zeroPointRule = UsesZeroPointRule(p.id);
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double x = s.X[i];
        if (zeroPointRule && x == 0.0) {
            s.Pdf[i] = AsSample(DensityAtLowerEnd(p));
            s.Cdf[i] = 0.0;
            s.Survival[i] = 1.0;
            s.Hazard[i] = s.Pdf[i];
            continue;
        }
        // The cumulative is called before the density, as the result calculation does. Where a
        // written routine faults (a 16-bit counter, an overflowing intermediate) the accurate
        // evaluation fills the sample, so none is missing where a value exists.
        double cdf = GuardedSample([&] { return form.Cdf(x); });
        double pdf = GuardedSample([&] { return form.Pdf(x); });
        if (std::isnan(cdf)) {
            cdf = AsSample(AccurateLower(p, x));
        }
        if (std::isnan(pdf)) {
            pdf = AsSample(AccurateDensity(p, x));
        }
        s.Pdf[i] = pdf;
        s.Cdf[i] = cdf;
        s.Survival[i] = 1.0 - cdf;
        // As the hazard field: where the survival has no positive value the sample is left out.
        double hazard =
            GuardedSample([&] { return HazardFrom(pdf, cdf, [&] { return form.Survival(x); }); });
        if (std::isnan(hazard)) {
            hazard = AsSample(AccurateHazard(p, x));
        }
        s.Hazard[i] = hazard;
    }
}

// The parameter slots and standard forms of the result calculation.
void SampleContinuousCurves(const DistributionParameters& p, PlotSamples& s) {
    using Id = DistributionId;
    switch (p.id) {
    case Id::Beta:
        return SampleForm(p, BetaForm(p.real1, p.real2), s);
    case Id::Cauchy:
        return SampleForm(p, CauchyForm(p.real1, p.real2), s);
    case Id::ChiSquare:
        return SampleForm(p, ChiSquareForm(p.count1), s);
    case Id::Exponential:
        return SampleForm(p, ExponentialForm(0.0, p.real2), s);
    case Id::F:
        return SampleForm(p, FForm(p.count1, p.count2), s);
    case Id::Gamma:
        return SampleForm(p, GammaForm(0.0, p.real1, p.real2), s);
    case Id::Lognormal:
        return SampleForm(p, LognormalForm(p.real1, p.real2), s);
    case Id::Normal:
        return SampleForm(p, NormalForm(p.real1, p.real2), s);
    case Id::Rayleigh:
        return SampleForm(p, RayleighForm(p.real1), s);
    case Id::StudentT:
        return SampleForm(p, StudentTForm(0.0, 1.0, p.count1), s);
    case Id::Uniform:
        return SampleForm(p, UniformForm(p.real1, p.real2), s);
    case Id::Weibull:
        return SampleForm(p, WeibullForm(0.0, p.real1, p.real2), s);
    case Id::Binomial:
    case Id::Geometric:
    case Id::Hypergeometric:
    case Id::Poisson:
        break;
    }
}

// Strict comparisons against the starting values. A left-out sample is NaN, which compares
// false both ways and so never becomes an extreme. The hazard extremes run over whatever Hazard
// holds, also for a discrete distribution, where the renderer does not use them. The running
// extremes are locals: stores into `e` could alias the samples and would be reloaded each step.
void FindExtremes(const PlotSamples& s, CurveExtremes& e) {
    double maxPdf = e.MaxPdf;
    double maxCdf = e.MaxCdf;
    double maxSurvival = e.MaxSurvival;
    double maxHazard = e.MaxHazard;
    double minHazard = e.MinHazard;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        maxPdf = s.Pdf[i] > maxPdf ? s.Pdf[i] : maxPdf;
        maxCdf = s.Cdf[i] > maxCdf ? s.Cdf[i] : maxCdf;
        maxSurvival = s.Survival[i] > maxSurvival ? s.Survival[i] : maxSurvival;
        maxHazard = s.Hazard[i] > maxHazard ? s.Hazard[i] : maxHazard;
        minHazard = s.Hazard[i] < minHazard ? s.Hazard[i] : minHazard;
    }
    e = {.MaxPdf = maxPdf,
         .MaxCdf = maxCdf,
         .MaxSurvival = maxSurvival,
         .MinHazard = minHazard,
         .MaxHazard = maxHazard};
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
