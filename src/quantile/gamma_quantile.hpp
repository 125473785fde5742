// The gamma quantile: inverts Q(a, x) = 1 - P(a, x) with a Newton stage and a safeguarded
// interval-halving stage, after the Cephes igami routine, on the Cephes-style special functions
// of specfun/cephes_gamma.hpp.
#pragma once

namespace kelvora {

// scale * InverseRegularizedGammaQ(shape, 1 - q).
double GammaQuantile(double shape, double scale, double q);
double InverseRegularizedGammaQ(double a, double y0);

} // namespace kelvora
