// The discrete distributions: one cumulative plus mass call per distribution at the catalogue
// defaults, the quantile searches, and the parameter reading shared by calculation and graph.
#include "distributions/discrete.hpp"
#include "distributions/parameters.hpp"
#include "registry/registry.hpp"

#include <benchmark/benchmark.h>

namespace kelvora {
namespace {

void BM_BinomialCdfPmf(benchmark::State& state) {
    const auto n = static_cast<Int16>(state.range(0));
    const auto k = static_cast<Int16>(n / 2);
    double p = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(BinomialCdf(k, n, p));
        benchmark::DoNotOptimize(BinomialPmf(k, n, p));
    }
}
// The default (n 10 at k 5), a large n (the cumulative computes every coefficient) and the
// largest n, whose middle masses come from logarithms.
BENCHMARK(BM_BinomialCdfPmf)->Arg(10)->Arg(1000)->Arg(32767);

void BM_PoissonCdfPmf(benchmark::State& state) {
    double lambda = static_cast<double>(state.range(0));
    const auto k = static_cast<Int16>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(lambda);
        benchmark::DoNotOptimize(PoissonCdf(k, lambda));
        benchmark::DoNotOptimize(PoissonPmf(k, lambda));
    }
}
// The default rate at its mean, and rates whose exp(-lambda) underflows: the sum then starts
// below the mean and is normalised over the whole distribution.
BENCHMARK(BM_PoissonCdfPmf)->Arg(10)->Arg(1000)->Arg(30000);

void BM_GeometricCdfPmf(benchmark::State& state) {
    double p = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(GeometricCdf(3, p));
        benchmark::DoNotOptimize(GeometricPmf(3, p));
    }
}
BENCHMARK(BM_GeometricCdfPmf);

void BM_HypergeometricCdfPmf(benchmark::State& state) {
    Int16 k = 5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(k);
        benchmark::DoNotOptimize(HypergeometricCdf(k, 10, 50, 100));
        benchmark::DoNotOptimize(HypergeometricPmf(k, 10, 50, 100));
    }
}
BENCHMARK(BM_HypergeometricCdfPmf);

void BM_BinomialQuantile(benchmark::State& state) {
    const auto n = static_cast<Int16>(state.range(0));
    double q = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(BinomialQuantile(q, n, 0.5));
    }
}
BENCHMARK(BM_BinomialQuantile)->Arg(10)->Arg(1000)->Arg(32767);

void BM_PoissonQuantile(benchmark::State& state) {
    const auto lambda = static_cast<double>(state.range(0));
    double q = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(PoissonQuantile(q, lambda));
    }
}
BENCHMARK(BM_PoissonQuantile)->Arg(10)->Arg(200)->Arg(1000)->Arg(30000);

void BM_GeometricQuantile(benchmark::State& state) {
    double q = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(GeometricQuantile(q, 0.5));
    }
}
BENCHMARK(BM_GeometricQuantile);

// A large population: each call sums its log-factorials once, up to ln 30000!.
void BM_HypergeometricLargePopulation(benchmark::State& state) {
    Int16 k = 500;
    for (auto _ : state) {
        benchmark::DoNotOptimize(k);
        benchmark::DoNotOptimize(HypergeometricCdf(k, 1000, 15000, 30000));
        benchmark::DoNotOptimize(HypergeometricPmf(k, 1000, 15000, 30000));
    }
}
BENCHMARK(BM_HypergeometricLargePopulation);

void BM_HypergeometricQuantile(benchmark::State& state) {
    double q = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(HypergeometricQuantile(q, 10, 50, 100));
    }
}
BENCHMARK(BM_HypergeometricQuantile);

void BM_ReadParametersHypergeometric(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadParameters(DistributionId::Hypergeometric, "100", "50", "10"));
    }
}
BENCHMARK(BM_ReadParametersHypergeometric);

} // namespace
} // namespace kelvora
