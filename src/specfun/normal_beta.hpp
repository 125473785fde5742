// Normal and beta-family special functions.
#pragma once

#include "specfun/deferred.hpp"

namespace kelvora {

// Lower standard normal cumulative Phi(z) by AS 66 (lower tail); exactly 0 below -12.7 and
// exactly 1 above 12.7.
double NormalTailArea(double z);

// P(Z > z) by the same AS 66 forms, without the cut-off: beyond 12.7 the area keeps its
// relative accuracy down to the double range (0 from about 38.5 on).
double NormalUpperTailArea(double z);

// The z with P(Z > z) = p, 0 < p < 1, by a polynomial in -ln(4p(1-p)). p = 0 or 1 faults.
double NormalUpperPoint(double p);

// B(a, b) = exp(LogBetaFunction(a, b)).
double BetaFunction(double a, double b);

// ln B(a, b) = LogGamma(a) + LogGamma(b) - LogGamma(a + b).
double LogBetaFunction(double a, double b);

// I_x(a, b) by AS 63 (Soper's reduction) with accuracy 1e-7; 0 for x <= 0, 1 for x >= 1.
double IncompleteBetaRatio(double a, double b, double x);

// 1 - I_x(a, b) by the same series: where AS 63 sums the flipped tail, its sum is the
// complement itself and keeps its digits where 1 - I_x(a, b) has none left. 1 for x <= 0, 0 for
// x >= 1.
double IncompleteBetaRatioComplement(double a, double b, double x);

// Both ratios for fixed shapes at many points (the functions above are this object at one
// point): B(a, b) and ln B(a, b) are computed once, and the series summed at the last point
// serves both tails there.
class IncompleteBetaRatios {
public:
    IncompleteBetaRatios(double a, double b) : a_(a), b_(b) {}

    double Lower(double x) const; // IncompleteBetaRatio(a, b, x)
    double Upper(double x) const; // IncompleteBetaRatioComplement(a, b, x)
    double Beta() const;          // BetaFunction(a, b)

    // AS 63's sum r at one x in (0, 1): I_x(a, b) = r, or 1 - r when the tails were flipped.
    struct Series {
        double r;
        bool flipped;
    };

private:
    Series SeriesAt(double x) const;
    Series Sum(double x) const;

    double a_;
    double b_;
    Deferred<double> beta_;
    Deferred<double> logBeta_;
    LastPoint<Series> series_;
};

} // namespace kelvora
