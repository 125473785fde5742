// The special functions at typical arguments, one case per branch where the cost differs.
#include "specfun/gamma_family.hpp"
#include "specfun/normal_beta.hpp"

#include <benchmark/benchmark.h>

namespace kelvora {
namespace {

void LogGammaBench(benchmark::State& state, double x) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(LogGamma(x));
    }
}
BENCHMARK_CAPTURE(LogGammaBench, near_one, 0.7);
BENCHMARK_CAPTURE(LogGammaBench, rational_4_to_12, 7.7);
BENCHMARK_CAPTURE(LogGammaBench, asymptotic, 25.5);

void GammaFunctionBench(benchmark::State& state, double x) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(GammaFunction(x));
    }
}
BENCHMARK_CAPTURE(GammaFunctionBench, recurrence, 4.5);
BENCHMARK_CAPTURE(GammaFunctionBench, asymptotic, 25.5);

void IncompleteGammaRatioBench(benchmark::State& state, double a, double x) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(IncompleteGammaRatio(a, x));
    }
}
BENCHMARK_CAPTURE(IncompleteGammaRatioBench, series, 2.5, 1.5);
BENCHMARK_CAPTURE(IncompleteGammaRatioBench, continued_fraction, 2.5, 6.0);
BENCHMARK_CAPTURE(IncompleteGammaRatioBench, large_shape_series, 500.0, 480.0);
BENCHMARK_CAPTURE(IncompleteGammaRatioBench, normal_approximation, 2000.0, 2000.0);

void NormalTailAreaBench(benchmark::State& state, double z) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(z);
        benchmark::DoNotOptimize(NormalTailArea(z));
    }
}
BENCHMARK_CAPTURE(NormalTailAreaBench, central, 0.7);
BENCHMARK_CAPTURE(NormalTailAreaBench, tail, -2.3);

void IncompleteBetaRatioBench(benchmark::State& state, double a, double b, double x) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(IncompleteBetaRatio(a, b, x));
    }
}
BENCHMARK_CAPTURE(IncompleteBetaRatioBench, small_shapes, 2.0, 3.0, 0.3);
BENCHMARK_CAPTURE(IncompleteBetaRatioBench, arcsine, 0.5, 0.5, 0.3);
BENCHMARK_CAPTURE(IncompleteBetaRatioBench, shapes_30, 30.0, 30.0, 0.5);

} // namespace
} // namespace kelvora
