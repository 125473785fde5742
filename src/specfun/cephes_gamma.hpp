// The incomplete gamma pair, signed log-gamma and normal quantile after Cephes (igam, igamc,
// lgam, ndtri), used by the gamma quantile solver (src/quantile/gamma_quantile.cpp) and its
// Newton stage alone. They differ on purpose from IncompleteGammaRatio (AS 239), LogGamma
// (TOMS 715) and NormalUpperPoint: the solver's results depend on these forms.
#pragma once

namespace kelvora {

struct SignedLogGamma {
    double value; // ln |Gamma(x)|
    double sign;  // sign of Gamma(x): 1 or -1
};

double RegularizedGammaP(double a, double x);
double RegularizedGammaQ(double a, double x);
SignedLogGamma LogGammaSigned(double x);
double StandardNormalQuantile(double y);

} // namespace kelvora
