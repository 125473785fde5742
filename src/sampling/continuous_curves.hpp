// Sampling a continuous distribution through its form (distributions/continuous_forms.hpp):
// the registry's rows instantiate SampleForm with each distribution's form.
#pragma once

#include "distributions/accurate.hpp"
#include "distributions/hazard.hpp"
#include "distributions/parameters.hpp"
#include "distributions/sample_value.hpp"
#include "sampling/plot_samples.hpp"

namespace kelvora {

// One sample of a continuous distribution: the cumulative, then the density, by the form; where
// a written routine faults (a 16-bit counter, an overflowing intermediate) or has no finite
// value, the accurate evaluation fills the sample, so none is missing where a value exists.
// The hazard as the hazard field takes it; where the survival has no positive value the sample
// is left out.
template <typename Form>
void CarefulSample(const AccurateForms& accurate, const DistributionParameters& p, const Form& form,
                   double x, PlotSamples& s, std::size_t i) {
    double cdf = GuardedSample([&] { return form.Cdf(x); });
    double pdf = GuardedSample([&] { return form.Pdf(x); });
    if (std::isnan(cdf)) {
        cdf = AsSample(AccurateLower(accurate, p, x));
    }
    if (std::isnan(pdf)) {
        pdf = AsSample(AccurateDensity(accurate, p, x));
    }
    s.Pdf[i] = pdf;
    s.Cdf[i] = cdf;
    s.Survival[i] = 1.0 - cdf;
    double hazard =
        GuardedSample([&] { return HazardFrom(pdf, cdf, [&] { return form.Survival(x); }); });
    if (std::isnan(hazard)) {
        hazard = AsSample(AccurateHazard(accurate, p, x));
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
// limit (left out where infinite).
template <typename Form>
void SampleForm(const AccurateForms& accurate, const DistributionParameters& p, const Form& form,
                bool zeroPointRule, PlotSamples& s) {
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double x = s.X[i];
        if (zeroPointRule && x == 0.0) [[unlikely]] {
            s.Pdf[i] = AsSample(DensityAtLowerEnd(accurate, p));
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
            CarefulSample(accurate, p, form, x, s, i);
        }
    }
}

} // namespace kelvora
