// Accurate evaluations of the twelve continuous distributions, used to check what the written
// routines give and to stand in where they miss: a fault (a 16-bit counter, an overflowing
// intermediate), a truncated series (AS 63's 1e-7 term test for large shapes) or an
// approximation whose error reaches the shown digits (the incomplete gamma's normal
// approximation above shape 1000). Boost.Math's special functions in double precision
// (ibeta, gamma_p, erfc and their complements) give each tail directly, to a few units in the
// last place, and continued fractions give the hazard far out where density and survival both
// underflow.
//
// Each distribution's accurate forms are one AccurateForms block below (kBetaAccurate, ...),
// which its registry row names; the functions taking the forms apply the rules they share.
#pragma once

#include "distributions/parameters.hpp"

#include <optional>

namespace kelvora {

// The closed support [lowest, highest] of a continuous distribution (ends may be infinite).
struct Support {
    double lowest;
    double highest;
};

// Near the lower end 0 of its support the density behaves as limit * x^power.
struct PowerAtZero {
    double power;
    double limit;
};

// One distribution's accurate forms. Inside the support: the two tails, each evaluated directly,
// and the density; the hazard's closed form where it has one (no value where none applies) and
// its form far out where f and S both underflow (NaN where it has none). The same tails and
// density in long double for the precise readout's ten digits (the extra bits and the wider
// exponent range keep full relative accuracy where the double forms underflow: tails near
// 1e-300, the t and Cauchy densities at 1e150 and beyond), and a close start for a quantile
// search. For the quantile search, a location-scale law names its standard forms (a lognormal
// those of the normal, on the logarithm), solved at location 0 and scale 1 so that the location
// comes out exact; a symmetric law has its median at its location (0 without one).
struct AccurateForms {
    Support (*support)(const DistributionParameters& p);
    std::optional<PowerAtZero> (*powerAtZero)(const DistributionParameters& p);
    double (*lower)(const DistributionParameters& p, double x);
    double (*upper)(const DistributionParameters& p, double x);
    double (*density)(const DistributionParameters& p, double x);
    std::optional<double> (*closedHazard)(const DistributionParameters& p, double x);
    double (*farHazard)(const DistributionParameters& p, double x);
    long double (*preciseLower)(const DistributionParameters& p, double x);
    long double (*preciseUpper)(const DistributionParameters& p, double x);
    long double (*preciseDensity)(const DistributionParameters& p, double x);
    double (*quantileStart)(const DistributionParameters& p, double q); // NaN: none
    const AccurateForms* standard;                                      // nullptr: none
    bool logScale;
    bool symmetric;
};

extern const AccurateForms kBetaAccurate;
extern const AccurateForms kCauchyAccurate;
extern const AccurateForms kChiSquareAccurate;
extern const AccurateForms kExponentialAccurate;
extern const AccurateForms kFAccurate;
extern const AccurateForms kGammaAccurate;
extern const AccurateForms kLognormalAccurate;
extern const AccurateForms kNormalAccurate;
extern const AccurateForms kRayleighAccurate;
extern const AccurateForms kStudentTAccurate;
extern const AccurateForms kUniformAccurate;
extern const AccurateForms kWeibullAccurate;

// P(X <= x) and P(X > x), each evaluated directly (never one as 1 minus the other). NaN where the
// parameters cannot be evaluated.
double AccurateLower(const AccurateForms& forms, const DistributionParameters& p, double x);
double AccurateUpper(const AccurateForms& forms, const DistributionParameters& p, double x);

// The density; at the lower end of the support its right-hand limit (+inf where infinite).
double AccurateDensity(const AccurateForms& forms, const DistributionParameters& p, double x);

// The hazard f / S, also far out where f and S both underflow; NaN where S = 0.
double AccurateHazard(const AccurateForms& forms, const DistributionParameters& p, double x);

// The density at x = 0 of a family whose support starts there with a power of x (Beta,
// chi-square, F, gamma, Weibull, exponential): the right-hand limit, 0 or finite (Beta a = 1: b;
// chi-square n = 2: 1/2; F m = 2: 1; gamma and Weibull shape 1, exponential: 1/scale); no value
// where it is infinite (Beta a < 1, chi-square n = 1, F m = 1, gamma and Weibull shape < 1) or for
// another family.
std::optional<double> DensityAtLowerEnd(const AccurateForms& forms,
                                        const DistributionParameters& p);

// The same in long double, for the precise readout. The hazard falls back on the double forms
// far out, where S leaves even the long double range.
long double PreciseLower(const AccurateForms& forms, const DistributionParameters& p, double x);
long double PreciseUpper(const AccurateForms& forms, const DistributionParameters& p, double x);
long double PreciseDensity(const AccurateForms& forms, const DistributionParameters& p, double x);
long double PreciseHazard(const AccurateForms& forms, const DistributionParameters& p, double x);

// What a result field promises: its four-decimal text lies within half a unit of the fourth
// decimal plus 1e-5 of the value from the true value.
double FourDecimalValue(double v); // the value of v's four-decimal text
double ShownTolerance(double v);   // 0.5e-4 + 1e-5 |v|
// True when v's four-decimal text keeps that promise for the true value `truth`.
bool ShowsWithinTolerance(double v, double truth);

} // namespace kelvora
