// The gamma quantile: inverts Q(a, x) = 1 - P(a, x) with a Newton stage and a safeguarded
// interval-halving stage, after the Cephes igami routine. Its incomplete gamma pair, signed
// log-gamma and normal quantile follow Cephes (igam, igamc, lgam, ndtri) and are used only here.
#pragma once

namespace kelvora {

struct SignedLogGamma {
    double value; // ln |Gamma(x)|
    double sign;  // sign of Gamma(x): 1 or -1
};

// scale * InverseRegularizedGammaQ(shape, 1 - q).
double GammaQuantile(double shape, double scale, double q);
double InverseRegularizedGammaQ(double a, double y0);
double RegularizedGammaP(double a, double x);
double RegularizedGammaQ(double a, double x);
SignedLogGamma LogGammaSigned(double x);
double StandardNormalQuantile(double y);

} // namespace kelvora
