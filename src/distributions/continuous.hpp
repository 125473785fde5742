// Closed-form routines of the twelve continuous distributions: cumulative, density,
// closed-form quantile, mean and variance, and the survival P(X > x) by an upper-tail form that
// keeps its relative accuracy where 1 - F has lost its digits (used for the hazard there).
//
// Routines that may have no value for their arguments return std::optional<double> and return
// no value in exactly those cases; every other outcome is a number or an ArithmeticFault.
// Location-scale families take the location first and the scale second; Gamma and Weibull take
// (location, scale, shape); StudentT takes (location, scale, df).
#pragma once

#include "specfun/arithmetic.hpp"

#include <optional>

namespace kelvora {

// Shared moment helpers.
double CopyFirstParameter(double a, double b);    // a: Cauchy and Normal mean
double SquareSecondParameter(double a, double b); // b^2: Exponential and Normal variance

// Beta (shapes a, b).
double BetaCdf(double x, double a, double b);
double BetaPdf(double x, double a, double b);
double BetaSurvival(double x, double a, double b);
double BetaMean(double a, double b);
double BetaVariance(double a, double b);

// Cauchy (location m, scale s).
double CauchyCdf(double x, double m, double s);
double CauchyPdf(double x, double m, double s);
double CauchySurvival(double x, double m, double s);
double CauchyQuantile(double q, double m, double s);
std::optional<double> CauchyVariance(double m, double s); // the variance does not exist

// Chi-square (n degrees of freedom).
double ChiSquareCdf(double x, Int16 n);
double ChiSquarePdf(double x, Int16 n);
double ChiSquareSurvival(double x, Int16 n);
double ChiSquareMean(Int16 n);
double ChiSquareVariance(Int16 n);

// Exponential (location a, scale theta).
double ExponentialCdf(double x, double a, double theta);
double ExponentialPdf(double x, double a, double theta);
double ExponentialSurvival(double x, double a, double theta);
std::optional<double> ExponentialQuantile(double q, double a, double theta);
double ExponentialMean(double a, double theta);

// F (m, n degrees of freedom). No value for m < 1 or n < 1, nor for moments that do not exist.
std::optional<double> FCdf(double x, Int16 m, Int16 n);
std::optional<double> FPdf(double x, Int16 m, Int16 n);
std::optional<double> FSurvival(double x, Int16 m, Int16 n);
std::optional<double> FMean(Int16 m, Int16 n);
std::optional<double> FVariance(Int16 m, Int16 n);

// Gamma (location c, scale, shape).
double GammaCdf(double x, double c, double scale, double shape);
double GammaPdf(double x, double c, double scale, double shape);
double GammaSurvival(double x, double c, double scale, double shape);
double GammaMean(double c, double scale, double shape);
double GammaVariance(double c, double scale, double shape);

// Lognormal (mu, sigma of the logarithm).
double LognormalCdf(double x, double mu, double sigma);
double LognormalPdf(double x, double mu, double sigma);
double LognormalSurvival(double x, double mu, double sigma);
std::optional<double> LognormalQuantile(double q, double mu, double sigma);
double LognormalMean(double mu, double sigma);
double LognormalVariance(double mu, double sigma);

// Normal (mu, sigma).
double NormalCdf(double x, double mu, double sigma);
double NormalPdf(double x, double mu, double sigma);
double NormalSurvival(double x, double mu, double sigma);
std::optional<double> NormalQuantile(double q, double mu, double sigma);

// Rayleigh (sigma).
double RayleighCdf(double x, double sigma);
double RayleighPdf(double x, double sigma);
double RayleighSurvival(double x, double sigma);
std::optional<double> RayleighQuantile(double q, double sigma);
double RayleighMean(double sigma);
double RayleighVariance(double sigma);

// Student t (location c, scale s, df degrees of freedom).
double StudentTCdf(double x, double c, double s, Int16 df);
double StudentTPdf(double x, double c, double s, Int16 df);
double StudentTSurvival(double x, double c, double s, Int16 df);
double StudentTMean(double c, double s, Int16 df);
std::optional<double> StudentTVariance(double c, double s, Int16 df);

// Uniform on [a, b].
double UniformCdf(double x, double a, double b);
double UniformPdf(double x, double a, double b);
double UniformSurvival(double x, double a, double b);
std::optional<double> UniformQuantile(double q, double a, double b);
double UniformMean(double a, double b);
double UniformVariance(double a, double b);

// Weibull (location c, scale, shape).
double WeibullCdf(double x, double c, double scale, double shape);
double WeibullPdf(double x, double c, double scale, double shape);
double WeibullSurvival(double x, double c, double scale, double shape);
double WeibullQuantile(double q, double c, double scale, double shape);
double WeibullMean(double c, double scale, double shape);
double WeibullVariance(double c, double scale, double shape);

} // namespace kelvora
