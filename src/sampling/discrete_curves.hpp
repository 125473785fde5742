// Sampling the four discrete distributions.
//
// The samples' k never decrease over an ordinary range and neighbouring samples share k, so
// each distinct k is evaluated once and each cumulative is a running sum carried from one k to
// the next. The running sums add the same terms in the same order as BinomialCdf, PoissonCdf
// and HypergeometricCdf, which makes every value bit-identical to a call of the routine: a
// redraw costs one pass over the terms instead of one pass per sample.
#pragma once

#include "distributions/parameters.hpp"
#include "sampling/plot_samples.hpp"

namespace kelvora {

// Each writes Pdf, Cdf and Survival of samples 0 to 499 from their X; Hazard is not touched.
// `params` must be a valid set of that distribution.
void SampleBinomialCurves(const DistributionParameters& params, PlotSamples& samples);
void SampleGeometricCurves(const DistributionParameters& params, PlotSamples& samples);
void SampleHypergeometricCurves(const DistributionParameters& params, PlotSamples& samples);
void SamplePoissonCurves(const DistributionParameters& params, PlotSamples& samples);

} // namespace kelvora
