// One cumulative plus density call per continuous distribution, at the catalogue's default
// parameters and a point inside the support: the unit of work of the curve sampling.
#include "distributions/continuous.hpp"

#include <benchmark/benchmark.h>

namespace kelvora {
namespace {

template <class CdfPdf> void ContinuousCdfPdf(benchmark::State& state, CdfPdf cdfPdf) {
    double x = 0.7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(cdfPdf(x));
    }
}

// Each lambda returns the sum so that neither call can be dropped.
BENCHMARK_CAPTURE(ContinuousCdfPdf, beta,
                  [](double x) { return BetaCdf(x, 0.5, 0.5) + BetaPdf(x, 0.5, 0.5); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, cauchy,
                  [](double x) { return CauchyCdf(x, 0.0, 1.0) + CauchyPdf(x, 0.0, 1.0); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, chi_square,
                  [](double x) { return ChiSquareCdf(x, 1) + ChiSquarePdf(x, 1); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, exponential, [](double x) {
    return ExponentialCdf(x, 0.0, 1.0) + ExponentialPdf(x, 0.0, 1.0);
});
BENCHMARK_CAPTURE(ContinuousCdfPdf, f, [](double x) { return *FCdf(x, 1, 1) + *FPdf(x, 1, 1); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, gamma,
                  [](double x) { return GammaCdf(x, 0.0, 1.0, 1.0) + GammaPdf(x, 0.0, 1.0, 1.0); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, lognormal,
                  [](double x) { return LognormalCdf(x, 1.0, 1.0) + LognormalPdf(x, 1.0, 1.0); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, normal,
                  [](double x) { return NormalCdf(x, 0.0, 1.0) + NormalPdf(x, 0.0, 1.0); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, rayleigh,
                  [](double x) { return RayleighCdf(x, 1.0) + RayleighPdf(x, 1.0); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, student_t, [](double x) {
    return StudentTCdf(x, 0.0, 1.0, 1) + StudentTPdf(x, 0.0, 1.0, 1);
});
BENCHMARK_CAPTURE(ContinuousCdfPdf, uniform,
                  [](double x) { return UniformCdf(x, 0.0, 1.0) + UniformPdf(x, 0.0, 1.0); });
BENCHMARK_CAPTURE(ContinuousCdfPdf, weibull, [](double x) {
    return WeibullCdf(x, 0.0, 1.0, 2.0) + WeibullPdf(x, 0.0, 1.0, 2.0);
});

} // namespace
} // namespace kelvora
