// kelvora-bench: every benchmark of the project in one executable (`make bench`).
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
