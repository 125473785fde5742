// The five quantile solvers at typical parameters (upper-tail p for chi-square, F and t).
#include "quantile/beta_quantile.hpp"
#include "quantile/gamma_quantile.hpp"
#include "quantile/newton_solvers.hpp"

#include <benchmark/benchmark.h>

namespace kelvora {
namespace {

void BM_ChiSquareQuantile10(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChiSquareQuantile(10, 0.05));
    }
}
BENCHMARK(BM_ChiSquareQuantile10);

void BM_FQuantile5_10(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(FQuantile(5, 10, 0.05));
    }
}
BENCHMARK(BM_FQuantile5_10);

void BM_StudentTQuantile(benchmark::State& state) {
    const auto n = static_cast<Int16>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(StudentTQuantile(n, 0.05));
    }
}
BENCHMARK(BM_StudentTQuantile)->Arg(3)->Arg(30);

void BM_GammaQuantile2_3(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(GammaQuantile(2, 3, 0.95));
    }
}
BENCHMARK(BM_GammaQuantile2_3);

void BM_BetaQuantile2_5(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(BetaQuantile(0.5, 2, 5));
    }
}
BENCHMARK(BM_BetaQuantile2_5);

} // namespace
} // namespace kelvora
