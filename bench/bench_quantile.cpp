// The five quantile solvers at typical parameters (upper-tail p for chi-square, F and t), and
// what verifying a quantile adds: the check of a written answer (two accurate tail
// evaluations) and the bisection that replaces one that fails it.
#include "distributions/parameters.hpp"
#include "quantile/beta_quantile.hpp"
#include "quantile/gamma_quantile.hpp"
#include "quantile/newton_solvers.hpp"
#include "quantile/verified_quantile.hpp"
#include "registry/registry.hpp"

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

DistributionParameters Beta25() {
    DistributionParameters p;
    p.id = DistributionId::Beta;
    p.real1 = 2;
    p.real2 = 5;
    return p;
}

DistributionParameters StudentT(Int16 n) {
    DistributionParameters p;
    p.id = DistributionId::StudentT;
    p.count1 = n;
    return p;
}

// A written answer that checks out: the Beta(2, 5) median, the t(30) upper 5% point.
void BM_QuantileCheck(benchmark::State& state) {
    const bool beta = state.range(0) == 0;
    const DistributionParameters p = beta ? Beta25() : StudentT(30);
    const double q = beta ? 0.5 : 0.95;
    const double x = beta ? BetaQuantile(q, 2, 5) : StudentTQuantile(30, 1 - q);
    for (auto _ : state) {
        benchmark::DoNotOptimize(QuantileChecksOut(p, q, x));
    }
}
BENCHMARK(BM_QuantileCheck)->ArgName("beta0_t1")->Arg(0)->Arg(1);

// No written answer: the bisection on the accurate tails alone.
void BM_QuantileBisection(benchmark::State& state) {
    const bool beta = state.range(0) == 0;
    const DistributionParameters p = beta ? Beta25() : StudentT(30);
    const double q = beta ? 0.1 : 1e-9;
    for (auto _ : state) {
        benchmark::DoNotOptimize(VerifiedQuantile(p, q, std::nullopt));
    }
}
BENCHMARK(BM_QuantileBisection)->ArgName("beta0_t1")->Arg(0)->Arg(1);

} // namespace
} // namespace kelvora
