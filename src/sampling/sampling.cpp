// SampleCurves: the four functions of the selected distribution at 500 equally spaced points,
// and their extremes, which scale the graph's vertical axis.
#include "distributions/accurate.hpp"
#include "distributions/continuous_forms.hpp"
#include "distributions/hazard.hpp"
#include "distributions/parameters.hpp"
#include "sampling/discrete_curves.hpp"
#include "sampling/plot_samples.hpp"
#include "sampling/sample_value.hpp"

namespace kelvora {

namespace {

// One sample of a continuous distribution: the cumulative, then the density, by the form; where
// a written routine faults (a 16-bit counter, an overflowing intermediate) or has no finite
// value, the accurate evaluation fills the sample, so none is missing where a value exists.
// The hazard as the hazard field takes it; where the survival has no positive value the sample
// is left out.
template <typename Form>
void CarefulSample(const DistributionParameters& p, const Form& form, double x, PlotSamples& s,
                   std::size_t i) {
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
    double hazard =
        GuardedSample([&] { return HazardFrom(pdf, cdf, [&] { return form.Survival(x); }); });
    if (std::isnan(hazard)) {
        hazard = AsSample(AccurateHazard(p, x));
    }
    s.Hazard[i] = hazard;
}

// The samples of one continuous distribution through its form, which computes the
// parameter-only values once for all 500 points and shares the series of the cumulative with the
// upper tail the hazard may ask for. Where the three values come out finite, they are those
// CarefulSample would store, and the sample is stored at once; anything else takes
// CarefulSample, which evaluates the point again, so that the common path has no fallbacks to
// carry.
//
// With the zero-point rule (Beta, ChiSquare and F) a point at exactly 0 is not passed to the
// routines: their densities may have a pole there, and the density sample is the right-hand
// limit (left out where infinite). The rule is a template argument: the other forms' loops
// carry no test for it.
template <bool zeroPointRule, typename Form>
void SampleForm(const DistributionParameters& p, const Form& form, PlotSamples& s) {
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double x = s.X[i];
        if (zeroPointRule && x == 0.0) {
            s.Pdf[i] = AsSample(DensityAtLowerEnd(p));
            s.Cdf[i] = 0.0;
            s.Survival[i] = 1.0;
            s.Hazard[i] = s.Pdf[i];
            continue;
        }
        bool done = false;
        try {
            const double cdf = AsSample(form.Cdf(x));
            const double pdf = AsSample(form.Pdf(x));
            const std::optional<double> hazard =
                HazardFrom(pdf, cdf, [&] { return form.Survival(x); });
            if (hazard) {
                s.Pdf[i] = pdf;
                s.Cdf[i] = cdf;
                s.Survival[i] = 1.0 - cdf;
                s.Hazard[i] = *hazard;
                done = true;
            }
        } catch (const ArithmeticFault&) {
        }
        if (!done) [[unlikely]] {
            CarefulSample(p, form, x, s, i);
        }
    }
}

// The parameter slots and standard forms of the result calculation.
void SampleContinuousCurves(const DistributionParameters& p, PlotSamples& s) {
    using Id = DistributionId;
    switch (p.id) {
    case Id::Beta:
        return SampleForm<true>(p, BetaForm(p.real1, p.real2), s);
    case Id::Cauchy:
        return SampleForm<false>(p, CauchyForm(p.real1, p.real2), s);
    case Id::ChiSquare:
        return SampleForm<true>(p, ChiSquareForm(p.count1), s);
    case Id::Exponential:
        return SampleForm<false>(p, ExponentialForm(0.0, p.real2), s);
    case Id::F:
        return SampleForm<true>(p, FForm(p.count1, p.count2), s);
    case Id::Gamma:
        return SampleForm<false>(p, GammaForm(0.0, p.real1, p.real2), s);
    case Id::Lognormal:
        return SampleForm<false>(p, LognormalForm(p.real1, p.real2), s);
    case Id::Normal:
        return SampleForm<false>(p, NormalForm(p.real1, p.real2), s);
    case Id::Rayleigh:
        return SampleForm<false>(p, RayleighForm(p.real1), s);
    case Id::StudentT:
        return SampleForm<false>(p, StudentTForm(0.0, 1.0, p.count1), s);
    case Id::Uniform:
        return SampleForm<false>(p, UniformForm(p.real1, p.real2), s);
    case Id::Weibull:
        return SampleForm<false>(p, WeibullForm(0.0, p.real1, p.real2), s);
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
