// The sample positions and the curves' extremes, which scale the graph's vertical axis.
#include "sampling/plot_samples.hpp"

namespace kelvora {

void PlaceSamples(double XMin, double XMax, PlotSamples& samples) {
    // The last sample lies one step short of XMax.
    const double Step = (XMax - XMin) / kSampleCount;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        samples.X[i] = static_cast<double>(i) * Step + XMin;
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

} // namespace kelvora
