// The peer of the curve sampling: Boost.Math in double precision (no promotion to long double)
// computing the same four series at the same 500 positions, so that Sampling/<key> and
// Peer/<key> measure the same job side by side.
#pragma once

#include "distributions/parameters.hpp"
#include "sampling/plot_samples.hpp"

namespace kelvora {

// Writes X exactly as SampleCurves does, then at each position Pdf and Cdf by Boost.Math,
// Survival = 1 - Cdf and Hazard = Pdf / Survival. The discrete distributions are evaluated at
// the same integer as the sampling: floor(x), Geometric counting the failures before the first
// success. Errors are ignored (NaN or infinity), never thrown.
void PeerSampleCurves(const DistributionParameters& p, double XMin, double XMax,
                      PlotSamples& samples);

} // namespace kelvora
