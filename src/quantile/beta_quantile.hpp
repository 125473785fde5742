// The Beta quantile by series inversion of the incomplete beta function (after the inverse
// series of ACM TOMS 724): at most two passes from the mean.
#pragma once

namespace kelvora {

// The x in [0, 1] with BetaCdf(x, a, b) = q; q in [0, 1], a > 0, b > 0.
double BetaQuantile(double q, double a, double b);

} // namespace kelvora
