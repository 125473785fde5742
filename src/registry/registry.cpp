// The sixteen rows. Each row names its distribution's parameter parameterSlots (how the panel
// labels, enables and pre-fills them, and which converted member each routine takes), its routines
// and solvers, its graph range and its sampler.
//
// Parameter members (see DistributionParameters):
//   Beta a, b -> real1, real2            Gamma, Weibull scale, shape -> real1, real2
//   Binomial n, p -> count1, real2       Geometric p -> real1
//   Cauchy, Lognormal, Normal mu, sigma -> real1, real2
//   ChiSquare, StudentT df -> count1     Hypergeometric M, K, n -> count1, count2, count3
//   Exponential rate -> real1, scale 1 / rate -> real2
//   F m, n -> count1, count2             Poisson lambda, Rayleigh sigma -> real1
//   Uniform a, b -> real1, real2
#include "registry/registry.hpp"

#include "distributions/continuous.hpp"
#include "distributions/continuous_forms.hpp"
#include "distributions/discrete.hpp"
#include "distributions/discrete_saddle_point.hpp"
#include "distributions/field_number.hpp"
#include "distributions/hazard.hpp"
#include "quantile/beta_quantile.hpp"
#include "quantile/gamma_quantile.hpp"
#include "quantile/newton_solvers.hpp"
#include "quantile/precise_quantile.hpp"
#include "quantile/verified_quantile.hpp"
#include "sampling/continuous_curves.hpp"
#include "sampling/discrete_curves.hpp"

#include <cmath>
#include <limits>

namespace kelvora {

namespace {

using P = DistributionParameters;
using Id = DistributionId;
using Row = DistributionRow;

constexpr const char* kKept = nullptr;
constexpr ParameterMember None = ParameterMember::None;
constexpr ParameterMember R1 = ParameterMember::Real1;
constexpr ParameterMember R2 = ParameterMember::Real2;
constexpr ParameterMember C1 = ParameterMember::Count1;
constexpr ParameterMember C2 = ParameterMember::Count2;
constexpr ParameterMember C3 = ParameterMember::Count3;

// Samples a continuous distribution through the form `make` builds from the parameters.
template <auto make> void SampleContinuous(const P& p, const Row& row, PlotSamples& s) {
    SampleForm(*row.accurate, p, make(p), row.zeroPointRule, s);
}

template <void (*sample)(const P&, PlotSamples&)>
void SampleDiscrete(const P& p, const Row&, PlotSamples& s) {
    sample(p, s);
}

BetaForm MakeBeta(const P& p) {
    return {p.real1, p.real2};
}
CauchyForm MakeCauchy(const P& p) {
    return {p.real1, p.real2};
}
ChiSquareForm MakeChiSquare(const P& p) {
    return ChiSquareForm(p.count1);
}
ExponentialForm MakeExponential(const P& p) {
    return {0.0, p.real2};
}
FForm MakeF(const P& p) {
    return {p.count1, p.count2};
}
GammaForm MakeGamma(const P& p) {
    return {0.0, p.real1, p.real2};
}
LognormalForm MakeLognormal(const P& p) {
    return {p.real1, p.real2};
}
NormalForm MakeNormal(const P& p) {
    return {p.real1, p.real2};
}
RayleighForm MakeRayleigh(const P& p) {
    return RayleighForm(p.real1);
}
StudentTForm MakeStudentT(const P& p) {
    return {0.0, 1.0, p.count1};
}
UniformForm MakeUniform(const P& p) {
    return {p.real1, p.real2};
}
WeibullForm MakeWeibull(const P& p) {
    return {0.0, p.real1, p.real2};
}

Value NoValue(const P&, double) {
    return std::nullopt;
}

using Real = long double;
constexpr Real kPiL = 3.141592653589793238462643383279502884L;

double WholePoint(double x) {
    return std::floor(x);
}

// Gamma(1 + 2/k) - Gamma(1 + 1/k)^2 as Gamma(1 + 1/k)^2 (exp(d) - 1): the difference d of the
// log-gammas keeps its digits in long double up to shapes of about 1e8.
Real WeibullSpread(Real shape) {
    const Real one = std::lgamma(1.0L + 1.0L / shape);
    const Real two = std::lgamma(1.0L + 2.0L / shape);
    return std::exp(2.0L * one) * std::expm1(two - 2.0L * one);
}

// clang-format off
constexpr std::array<Row, kDistributionCount> kRows = {{
    {.id = Id::Beta, .key = "beta", .selectorText = "贝塔分布",
     .parameterSlots = {{{"a", ">0", true, "0.5"}, {"b", ">0", true, "0.5"}, {"c", "", false, kKept}}},
     .pictureStem = "beta", .members = {R1, R2, None}, .read = ReadPositivePair, .zeroPointRule = true,
     .cumulative = [](const P& p, double x) -> Value { return BetaCdf(x, p.real1, p.real2); },
     .density = [](const P& p, double x) -> Value { return BetaPdf(x, p.real1, p.real2); },
     .upperTail = [](const P& p, double x) -> Value { return BetaSurvival(x, p.real1, p.real2); },
     .quantile = [](const P& p, double q) -> Value { return BetaQuantile(q, p.real1, p.real2); },
     .mean = [](const P& p) -> Value { return BetaMean(p.real1, p.real2); },
     .variance = [](const P& p) -> Value { return BetaVariance(p.real1, p.real2); },
     .accurate = &kBetaAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return Real(p.real1) / (Real(p.real1) + p.real2); },
     .preciseVariance = [](const P& p) -> Real { const Real a = p.real1; const Real b = p.real2; return a * b / ((a + b) * (a + b) * (a + b + 1.0L)); },
     .graphRange = [](const RangeInputs&) -> PlotRange { return {0.001, 1.0}; },
     .sampleCurves = SampleContinuous<MakeBeta>},
    {.id = Id::Binomial, .key = "binomial", .selectorText = "二项分布",
     .parameterSlots = {{{"n", "", true, "10"}, {"p", "0<p<1", true, "0.5"}, {"c", "", false, kKept}}},
     .pictureStem = "binomial", .members = {C1, R2, None}, .read = ReadTrialsAndProbability, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return BinomialCdf(std::floor(x), p.count1, p.real2); },
     .density = [](const P& p, double x) -> Value { return BinomialPmf(std::floor(x), p.count1, p.real2); },
     .upperTail = NoValue,
     .quantile = [](const P& p, double q) { return BinomialQuantile(q, p.count1, p.real2); },
     .mean = [](const P& p) -> Value { return BinomialMean(p.count1, p.real2); },
     .variance = [](const P& p) -> Value { return BinomialVariance(p.count1, p.real2); },
     .accurate = nullptr,
     .point = WholePoint, .preciseMass = [](const P& p, double k) { return SaddlePointBinomialMass(k, p.count1, p.real2, 1.0 - p.real2); }, .preciseTail = [](const P& p, Tail tail, double k) { return BinomialTail(tail, k, p.count1, p.real2); },
     .preciseMean = [](const P& p) -> Real { return Real(p.count1) * p.real2; },
     .preciseVariance = [](const P& p) -> Real { const Real b = p.real2; return p.count1 * b * (1.0L - b); },
     .graphRange = [](const RangeInputs& in) -> PlotRange { return {0.0, in.p1()}; },
     .sampleCurves = SampleDiscrete<SampleBinomialCurves>},
    {.id = Id::Cauchy, .key = "cauchy", .selectorText = "柯西分布",
     .parameterSlots = {{{"a", "", true, "0"}, {"λ", ">0", true, "1"}, {"c", "", false, kKept}}},
     .pictureStem = "cauchy", .members = {R1, R2, None}, .read = ReadLocationScale, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return CauchyCdf(x, p.real1, p.real2); },
     .density = [](const P& p, double x) -> Value { return CauchyPdf(x, p.real1, p.real2); },
     .upperTail = [](const P& p, double x) -> Value { return CauchySurvival(x, p.real1, p.real2); },
     .quantile = [](const P& p, double q) -> Value { return CauchyQuantile(q, p.real1, p.real2); },
     // The Cauchy mean does not exist; the field shows the location, the centre of symmetry.
     .mean = [](const P& p) -> Value { return CopyFirstParameter(p.real1, p.real2); },
     .variance = [](const P& p) { return CauchyVariance(p.real1, p.real2); },
     .accurate = &kCauchyAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return Real(p.real1); },
     .preciseVariance = [](const P& p) -> Real { const Real b = p.real2; return b * b; },
     .graphRange = [](const RangeInputs& in) -> PlotRange {
         const double p1 = in.p1();
         const double p2 = in.p2();
         return {p1 - 15.0 * p2, p1 + 15.0 * p2};
     },
     .sampleCurves = SampleContinuous<MakeCauchy>},
    {.id = Id::ChiSquare, .key = "chisquare", .selectorText = "卡方分布",
     .parameterSlots = {{{"v", ">0", true, "1"}, {"b", "", false, "0"}, {"c", "", false, kKept}}},
     .pictureStem = "chisquare", .members = {C1, None, None}, .read = ReadDegreesOfFreedom, .zeroPointRule = true,
     .cumulative = [](const P& p, double x) -> Value { return ChiSquareCdf(x, p.count1); },
     .density = [](const P& p, double x) -> Value { return ChiSquarePdf(x, p.count1); },
     .upperTail = [](const P& p, double x) -> Value { return ChiSquareSurvival(x, p.count1); },
     // The chi-square, F and t solvers work on the upper tail.
     .quantile = [](const P& p, double q) -> Value { return ChiSquareQuantile(p.count1, 1.0 - q); },
     .mean = [](const P& p) -> Value { return ChiSquareMean(p.count1); },
     .variance = [](const P& p) -> Value { return ChiSquareVariance(p.count1); },
     .accurate = &kChiSquareAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return Real(p.count1); },
     .preciseVariance = [](const P& p) -> Real { return 2.0L * p.count1; },
     .graphRange = [](const RangeInputs&) -> PlotRange { return {0.001, 10.0}; },
     .sampleCurves = SampleContinuous<MakeChiSquare>},
    {.id = Id::Exponential, .key = "exponential", .selectorText = "指数分布",
     .parameterSlots = {{{"μ", ">0", true, "1"}, {"b", "", false, "0"}, {"c", "", false, kKept}}},
     .pictureStem = "exp", .members = {R1, None, None}, .read = ReadRate, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return ExponentialCdf(x, 0.0, p.real2); },
     .density = [](const P& p, double x) -> Value { return ExponentialPdf(x, 0.0, p.real2); },
     .upperTail = [](const P& p, double x) -> Value { return ExponentialSurvival(x, 0.0, p.real2); },
     .quantile = [](const P& p, double q) { return ExponentialQuantile(q, 0.0, p.real2); },
     .mean = [](const P& p) -> Value { return ExponentialMean(0.0, p.real2); },
     .variance = [](const P& p) -> Value { return SquareSecondParameter(0.0, p.real2); },
     .accurate = &kExponentialAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return Real(p.real2); },
     .preciseVariance = [](const P& p) -> Real { const Real b = p.real2; return b * b; },
     .graphRange = [](const RangeInputs&) -> PlotRange { return {0.001, 6.0}; },
     .sampleCurves = SampleContinuous<MakeExponential>},
    {.id = Id::F, .key = "f", .selectorText = "F分布",
     .parameterSlots = {{{"v1", "", true, "1"}, {"v2", "", true, "1"}, {"c", "", false, kKept}}},
     .pictureStem = "f", .members = {C1, C2, None}, .read = ReadDegreesOfFreedomPair, .zeroPointRule = true,
     .cumulative = [](const P& p, double x) { return FCdf(x, p.count1, p.count2); },
     .density = [](const P& p, double x) { return FPdf(x, p.count1, p.count2); },
     .upperTail = [](const P& p, double x) { return FSurvival(x, p.count1, p.count2); },
     .quantile = [](const P& p, double q) -> Value { return FQuantile(p.count1, p.count2, 1.0 - q); },
     .mean = [](const P& p) { return FMean(p.count1, p.count2); },
     .variance = [](const P& p) { return FVariance(p.count1, p.count2); },
     .accurate = &kFAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return Real(p.count2) / (p.count2 - 2.0L); },
     .preciseVariance = [](const P& p) -> Real { const Real m = p.count1; const Real n = p.count2; return 2.0L * n * n * (m + n - 2.0L) / (m * (n - 2.0L) * (n - 2.0L) * (n - 4.0L)); },
     .graphRange = [](const RangeInputs&) -> PlotRange { return {0.001, 15.0}; },
     .sampleCurves = SampleContinuous<MakeF>},
    {.id = Id::Gamma, .key = "gamma", .selectorText = "伽马分布",
     .parameterSlots = {{{"a", ">0", true, "1"}, {"b", ">0", true, "1"}, {"c", "", false, kKept}}},
     .pictureStem = "gamma", .members = {R1, R2, None}, .read = ReadPositivePair, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return GammaCdf(x, 0.0, p.real1, p.real2); },
     .density = [](const P& p, double x) -> Value { return GammaPdf(x, 0.0, p.real1, p.real2); },
     .upperTail = [](const P& p, double x) -> Value { return GammaSurvival(x, 0.0, p.real1, p.real2); },
     .quantile = [](const P& p, double q) -> Value { return GammaQuantile(p.real2, p.real1, q); },
     .mean = [](const P& p) -> Value { return GammaMean(0.0, p.real1, p.real2); },
     .variance = [](const P& p) -> Value { return GammaVariance(0.0, p.real1, p.real2); },
     .accurate = &kGammaAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return Real(p.real1) * p.real2; },
     .preciseVariance = [](const P& p) -> Real { const Real a = p.real1; return a * a * p.real2; },
     .graphRange = [](const RangeInputs& in) -> PlotRange {
         const double p1 = in.p1();
         return {0.001, (p1 + 7.0) * in.p2()};
     },
     .sampleCurves = SampleContinuous<MakeGamma>},
    {.id = Id::Geometric, .key = "geometric", .selectorText = "几何分布",
     .parameterSlots = {{{"p", "0<p<1", true, "0.5"}, {"b", "", false, "0.5"}, {"c", "", false, kKept}}},
     .pictureStem = "geom", .members = {R1, None, None}, .read = ReadProbability, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return GeometricCdf(GeometricTrial(x), p.real1); },
     .density = [](const P& p, double x) -> Value { return GeometricPmf(GeometricTrial(x), p.real1); },
     .upperTail = NoValue,
     .quantile = [](const P& p, double q) -> Value {
         const Value trial = GeometricQuantile(q, p.real1);
         return trial ? Value(GeometricFailures(*trial)) : std::nullopt;
     },
     .mean = [](const P& p) -> Value { return GeometricMean(p.real1); },
     .variance = [](const P& p) -> Value { return GeometricVariance(p.real1); },
     // At p = 0 the end is infinite; the parameter check rejects that p afterwards.
     .accurate = nullptr,
     .point = GeometricTrial, .preciseMass = [](const P& p, double k) { return GeometricLogMass(k, p.real1); },
     .preciseTail = [](const P& p, Tail tail, double k) { return GeometricTail(tail, k, p.real1); },
     .preciseMean = [](const P& p) -> Real { return 1.0L / p.real1; },
     .preciseVariance = [](const P& p) -> Real { const Real a = p.real1; return (1.0L - a) / (a * a); },
     .graphRange = [](const RangeInputs& in) -> PlotRange { return {0.001, (1.0 / in.p1()) * 7.0}; },
     .sampleCurves = SampleDiscrete<SampleGeometricCurves>},
    {.id = Id::Hypergeometric, .key = "hypergeometric", .selectorText = "超几何分布",
     .parameterSlots = {{{"M", ">0", true, "100"}, {"K", "[0,M]", true, "50"}, {"n", "<=K", true, "10"}}},
     .pictureStem = "hypergeom", .members = {C1, C2, C3}, .read = ReadPopulationCounts, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return HypergeometricCdf(std::floor(x), p.count3, p.count2, p.count1); },
     .density = [](const P& p, double x) -> Value { return HypergeometricPmf(std::floor(x), p.count3, p.count2, p.count1); },
     .upperTail = NoValue,
     .quantile = [](const P& p, double q) { return HypergeometricQuantile(q, p.count3, p.count2, p.count1); },
     .mean = [](const P& p) -> Value { return HypergeometricMean(p.count3, p.count2, p.count1); },
     .variance = [](const P& p) -> Value { return HypergeometricVariance(p.count3, p.count2, p.count1); },
     .accurate = nullptr,
     .point = WholePoint, .preciseMass = [](const P& p, double k) { return HypergeometricSupportMass(k, p.count3, p.count2, p.count1); }, .preciseTail = [](const P& p, Tail tail, double k) { return HypergeometricTail(tail, k, p.count3, p.count2, p.count1); },
     .preciseMean = [](const P& p) -> Real { return Real(p.count3) * p.count2 / p.count1; },
     .preciseVariance = [](const P& p) -> Real { const Real M = p.count1; const Real K = p.count2; const Real n = p.count3; return M == 1.0L ? 0.0L : n * K * (M - K) * (M - n) / (M * M * (M - 1.0L)); },
     .graphRange = [](const RangeInputs&) -> PlotRange { return {0.001, 10.0}; },
     .sampleCurves = SampleDiscrete<SampleHypergeometricCurves>},
    {.id = Id::Lognormal, .key = "lognormal", .selectorText = "对数分布",
     .parameterSlots = {{{"μ", "", true, "1"}, {"σ", ">0", true, "1"}, {"c", "", false, "1"}}},
     .pictureStem = "lognormal", .members = {R1, R2, None}, .read = ReadLocationScale, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return LognormalCdf(x, p.real1, p.real2); },
     .density = [](const P& p, double x) -> Value { return LognormalPdf(x, p.real1, p.real2); },
     .upperTail = [](const P& p, double x) -> Value { return LognormalSurvival(x, p.real1, p.real2); },
     .quantile = [](const P& p, double q) { return LognormalQuantile(q, p.real1, p.real2); },
     .mean = [](const P& p) -> Value { return LognormalMean(p.real1, p.real2); },
     .variance = [](const P& p) -> Value { return LognormalVariance(p.real1, p.real2); },
     .accurate = &kLognormalAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return std::exp(Real(p.real1) + Real(p.real2) * p.real2 / 2.0L); },
     .preciseVariance = [](const P& p) -> Real { const Real a = p.real1; const Real b = p.real2; return std::expm1(b * b) * std::exp(2.0L * a + b * b); },
     .graphRange = [](const RangeInputs&) -> PlotRange { return {0.001, 5.0}; },
     .sampleCurves = SampleContinuous<MakeLognormal>},
    {.id = Id::Normal, .key = "normal", .selectorText = "正态分布",
     .parameterSlots = {{{"μ", "", true, "0"}, {"σ", ">0", true, "1"}, {"c", "", false, "1"}}},
     .pictureStem = "normal", .members = {R1, R2, None}, .read = ReadLocationScale, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return NormalCdf(x, p.real1, p.real2); },
     .density = [](const P& p, double x) -> Value { return NormalPdf(x, p.real1, p.real2); },
     .upperTail = [](const P& p, double x) -> Value { return NormalSurvival(x, p.real1, p.real2); },
     .quantile = [](const P& p, double q) { return NormalQuantile(q, p.real1, p.real2); },
     .mean = [](const P& p) -> Value { return CopyFirstParameter(p.real1, p.real2); },
     .variance = [](const P& p) -> Value { return SquareSecondParameter(p.real1, p.real2); },
     .accurate = &kNormalAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return Real(p.real1); },
     .preciseVariance = [](const P& p) -> Real { const Real b = p.real2; return b * b; },
     .graphRange = [](const RangeInputs& in) -> PlotRange {
         const double p1 = in.p1();
         const double p2 = in.p2();
         return {p1 - 3.0 * p2, p1 + 3.0 * p2};
     },
     .sampleCurves = SampleContinuous<MakeNormal>},
    {.id = Id::Poisson, .key = "poisson", .selectorText = "泊松分布",
     .parameterSlots = {{{"λ", ">0", true, "10"}, {"b", "", false, "1"}, {"c", "", false, "1"}}},
     .pictureStem = "poisson", .members = {R1, None, None}, .read = ReadPositive, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return PoissonCdf(std::floor(x), p.real1); },
     .density = [](const P& p, double x) -> Value { return PoissonPmf(std::floor(x), p.real1); },
     .upperTail = NoValue,
     .quantile = [](const P& p, double q) { return PoissonQuantile(q, p.real1); },
     .mean = [](const P& p) -> Value { return CopyParameter(p.real1); },
     .variance = [](const P& p) -> Value { return CopyParameter(p.real1); },
     .accurate = nullptr,
     .point = WholePoint, .preciseMass = [](const P& p, double k) { return SaddlePointPoissonMass(k, p.real1); }, .preciseTail = [](const P& p, Tail tail, double k) { return PoissonTail(tail, k, p.real1); },
     .preciseMean = [](const P& p) -> Real { return Real(p.real1); },
     .preciseVariance = [](const P& p) -> Real { return p.real1; },
     .graphRange = [](const RangeInputs& in) -> PlotRange { return {0.0, 2.0 * in.p1()}; },
     .sampleCurves = SampleDiscrete<SamplePoissonCurves>},
    {.id = Id::Rayleigh, .key = "rayleigh", .selectorText = "瑞利分布",
     .parameterSlots = {{{"b", ">0", true, "1"}, {"a", "", false, "1"}, {"c", "", false, "1"}}},
     .pictureStem = "rayleigh", .members = {R1, None, None}, .read = ReadPositive, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return RayleighCdf(x, p.real1); },
     .density = [](const P& p, double x) -> Value { return RayleighPdf(x, p.real1); },
     .upperTail = [](const P& p, double x) -> Value { return RayleighSurvival(x, p.real1); },
     .quantile = [](const P& p, double q) { return RayleighQuantile(q, p.real1); },
     .mean = [](const P& p) -> Value { return RayleighMean(p.real1); },
     .variance = [](const P& p) -> Value { return RayleighVariance(p.real1); },
     .accurate = &kRayleighAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return p.real1 * std::sqrt(kPiL / 2.0L); },
     .preciseVariance = [](const P& p) -> Real { const Real a = p.real1; return (4.0L - kPiL) / 2.0L * a * a; },
     .graphRange = [](const RangeInputs& in) -> PlotRange { return {0.0, 4.0 * in.p1()}; },
     .sampleCurves = SampleContinuous<MakeRayleigh>},
    {.id = Id::StudentT, .key = "t", .selectorText = "T分布",
     .parameterSlots = {{{"v", ">=1", true, "1"}, {"b", "", false, "1"}, {"c", "", false, "1"}}},
     .pictureStem = "t", .members = {C1, None, None}, .read = ReadDegreesOfFreedom, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return StudentTCdf(x, 0.0, 1.0, p.count1); },
     .density = [](const P& p, double x) -> Value { return StudentTPdf(x, 0.0, 1.0, p.count1); },
     .upperTail = [](const P& p, double x) -> Value { return StudentTSurvival(x, 0.0, 1.0, p.count1); },
     .quantile = [](const P& p, double q) -> Value { return StudentTQuantile(p.count1, 1.0 - q); },
     .mean = [](const P& p) -> Value { return StudentTMean(0.0, 1.0, p.count1); },
     .variance = [](const P& p) { return StudentTVariance(0.0, 1.0, p.count1); },
     .accurate = &kStudentTAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P&) -> Real { return 0.0L; },
     .preciseVariance = [](const P& p) -> Real { const Real n = p.count1; return n / (n - 2.0L); },
     .graphRange = [](const RangeInputs&) -> PlotRange { return {-20.0, 20.0}; },
     .sampleCurves = SampleContinuous<MakeStudentT>},
    {.id = Id::Uniform, .key = "uniform", .selectorText = "均匀分布",
     .parameterSlots = {{{"a", "<b", true, "0"}, {"b", ">a", true, "1"}, {"c", "", false, "1"}}},
     .pictureStem = "uniform", .members = {R1, R2, None}, .read = ReadInterval, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return UniformCdf(x, p.real1, p.real2); },
     .density = [](const P& p, double x) -> Value { return UniformPdf(x, p.real1, p.real2); },
     .upperTail = [](const P& p, double x) -> Value { return UniformSurvival(x, p.real1, p.real2); },
     .quantile = [](const P& p, double q) { return UniformQuantile(q, p.real1, p.real2); },
     .mean = [](const P& p) -> Value { return UniformMean(p.real1, p.real2); },
     .variance = [](const P& p) -> Value { return UniformVariance(p.real1, p.real2); },
     .accurate = &kUniformAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return (Real(p.real1) + p.real2) / 2.0L; },
     .preciseVariance = [](const P& p) -> Real { const Real a = p.real1; const Real b = p.real2; return (b - a) * (b - a) / 12.0L; },
     .graphRange = [](const RangeInputs& in) -> PlotRange {
         const double p1 = in.p1();
         return {p1, in.p2()};
     },
     .sampleCurves = SampleContinuous<MakeUniform>},
    {.id = Id::Weibull, .key = "weibull", .selectorText = "威布尔分布",
     .parameterSlots = {{{"η", ">0", true, "1"}, {"β", ">0", true, "2"}, {"c", "", false, "1"}}},
     .pictureStem = "weibull", .members = {R1, R2, None}, .read = ReadPositivePair, .zeroPointRule = false,
     .cumulative = [](const P& p, double x) -> Value { return WeibullCdf(x, 0.0, p.real1, p.real2); },
     .density = [](const P& p, double x) -> Value { return WeibullPdf(x, 0.0, p.real1, p.real2); },
     .upperTail = [](const P& p, double x) -> Value { return WeibullSurvival(x, 0.0, p.real1, p.real2); },
     .quantile = [](const P& p, double q) -> Value { return WeibullQuantile(q, 0.0, p.real1, p.real2); },
     .mean = [](const P& p) -> Value { return WeibullMean(0.0, p.real1, p.real2); },
     .variance = [](const P& p) -> Value { return WeibullVariance(0.0, p.real1, p.real2); },
     .accurate = &kWeibullAccurate,
     .point = nullptr, .preciseMass = nullptr, .preciseTail = nullptr,
     .preciseMean = [](const P& p) -> Real { return p.real1 * std::exp(std::lgamma(1.0L + 1.0L / p.real2)); },
     .preciseVariance = [](const P& p) -> Real { const Real a = p.real1; return a * a * WeibullSpread(p.real2); },
     .graphRange = [](const RangeInputs& in) -> PlotRange { return {0.001, 2.0 * in.p1()}; },
     .sampleCurves = SampleContinuous<MakeWeibull>},
}};
// clang-format on

// The rows are in DistributionId order: RowOf indexes them.
constexpr bool RowsInOrder() {
    for (int i = 0; i < kDistributionCount; ++i) {
        if (static_cast<int>(kRows[static_cast<std::size_t>(i)].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInOrder());

} // namespace

std::optional<double> MemberValue(const DistributionParameters& p, ParameterMember member) {
    switch (member) {
    case ParameterMember::None:
        break;
    case ParameterMember::Real1:
        return p.real1;
    case ParameterMember::Real2:
        return p.real2;
    case ParameterMember::Count1:
        return p.count1;
    case ParameterMember::Count2:
        return p.count2;
    case ParameterMember::Count3:
        return p.count3;
    }
    return std::nullopt;
}

double RangeInputs::p1() const {
    return ParseFieldNumber(texts_.text1);
}

double RangeInputs::p2() const {
    return ParseFieldNumber(texts_.text2);
}

std::span<const DistributionRow, kDistributionCount> DistributionRows() {
    return kRows;
}

const DistributionRow& RowOf(DistributionId id) {
    return kRows[static_cast<std::size_t>(id)];
}

std::optional<DistributionParameters> ReadParameters(DistributionId id, std::string_view text1,
                                                     std::string_view text2,
                                                     std::string_view text3) {
    const auto index = static_cast<int>(id);
    if (index < 0 || index >= kDistributionCount) {
        return std::nullopt; // not one of the sixteen
    }
    DistributionParameters p;
    p.id = id;
    try {
        return RowOf(id).read(p, text1, text2, text3);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

Value Cumulative(const DistributionParameters& p, double x) {
    const DistributionRow& row = RowOf(p.id);
    if (row.zeroPointRule && x == 0.0) {
        return 0.0;
    }
    return row.cumulative(p, x);
}

Value Density(const DistributionParameters& p, double x) {
    const DistributionRow& row = RowOf(p.id);
    if (row.zeroPointRule && x == 0.0) {
        return DensityAtLowerEnd(*row.accurate, p);
    }
    return row.density(p, x);
}

Value Quantile(const DistributionParameters& p, double q) {
    const DistributionRow& row = RowOf(p.id);
    if (row.zeroPointRule && q == 0.0) {
        return 0.0;
    }
    return row.quantile(p, q);
}

Value Mean(const DistributionParameters& p) {
    return RowOf(p.id).mean(p);
}

Value Variance(const DistributionParameters& p) {
    return RowOf(p.id).variance(p);
}

Value UpperTailSurvival(const DistributionParameters& p, double x) {
    return RowOf(p.id).upperTail(p, x);
}

Value Hazard(const DistributionParameters& p, double x, double density, double cumulative) {
    if (IsDiscrete(p.id)) {
        return std::nullopt;
    }
    return HazardFrom(density, cumulative, [&] { return UpperTailSurvival(p, x); });
}

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Calls `evaluate` with the row's accurate forms; NaN for a discrete distribution.
template <typename Evaluate> auto WithAccurate(const DistributionParameters& p, Evaluate evaluate) {
    const AccurateForms* forms = RowOf(p.id).accurate;
    using Real = decltype(evaluate(*forms));
    return forms != nullptr ? evaluate(*forms) : Real(kNoValue);
}

} // namespace

Support ContinuousSupport(const DistributionParameters& p) {
    const AccurateForms* forms = RowOf(p.id).accurate;
    return forms != nullptr ? forms->support(p) : Support{kNoValue, kNoValue};
}

double AccurateLower(const DistributionParameters& p, double x) {
    return WithAccurate(p, [&](const AccurateForms& f) { return AccurateLower(f, p, x); });
}

double AccurateUpper(const DistributionParameters& p, double x) {
    return WithAccurate(p, [&](const AccurateForms& f) { return AccurateUpper(f, p, x); });
}

double AccurateDensity(const DistributionParameters& p, double x) {
    return WithAccurate(p, [&](const AccurateForms& f) { return AccurateDensity(f, p, x); });
}

double AccurateHazard(const DistributionParameters& p, double x) {
    return WithAccurate(p, [&](const AccurateForms& f) { return AccurateHazard(f, p, x); });
}

std::optional<double> DensityAtLowerEnd(const DistributionParameters& p) {
    const AccurateForms* forms = RowOf(p.id).accurate;
    return forms != nullptr ? DensityAtLowerEnd(*forms, p) : std::nullopt;
}

long double PreciseLower(const DistributionParameters& p, double x) {
    return WithAccurate(p, [&](const AccurateForms& f) { return PreciseLower(f, p, x); });
}

long double PreciseUpper(const DistributionParameters& p, double x) {
    return WithAccurate(p, [&](const AccurateForms& f) { return PreciseUpper(f, p, x); });
}

long double PreciseDensity(const DistributionParameters& p, double x) {
    return WithAccurate(p, [&](const AccurateForms& f) { return PreciseDensity(f, p, x); });
}

long double PreciseHazard(const DistributionParameters& p, double x) {
    return WithAccurate(p, [&](const AccurateForms& f) { return PreciseHazard(f, p, x); });
}

std::optional<double> PreciseQuantile(const DistributionParameters& p, double q, double shown) {
    const AccurateForms* forms = RowOf(p.id).accurate;
    return forms != nullptr ? PreciseQuantile(*forms, p, q, shown) : std::nullopt;
}

bool QuantileChecksOut(const DistributionParameters& p, double q, double x) {
    const AccurateForms* forms = RowOf(p.id).accurate;
    return forms != nullptr && QuantileChecksOut(*forms, p, q, x);
}

std::optional<double> VerifiedQuantile(const DistributionParameters& p, double q,
                                       std::optional<double> written) {
    const AccurateForms* forms = RowOf(p.id).accurate;
    return forms != nullptr ? VerifiedQuantile(*forms, p, q, written) : std::nullopt;
}

bool ChoosePlotRange(DistributionId id, const ParameterTexts& texts, PlotRange& range) {
    try {
        range = RowOf(id).graphRange(RangeInputs(texts));
        return true;
    } catch (const ArithmeticFault&) {
        return false;
    }
}

bool SampleCurves(DistributionId id, const ParameterTexts& texts, double XMin, double XMax,
                  PlotSamples& samples, CurveExtremes& extremes) {
    PlaceSamples(XMin, XMax, samples);
    extremes = CurveExtremes{};
    const std::optional<DistributionParameters> params =
        ReadParameters(id, texts.text1, texts.text2, texts.text3);
    if (!params) {
        return false;
    }
    const DistributionRow& row = RowOf(id);
    row.sampleCurves(*params, row, samples);
    FindExtremes(samples, extremes);
    return true;
}

} // namespace kelvora
