// Fuzz target: the result calculation and the curve sampling on arbitrary distribution ids and
// field texts. Input: the first byte chooses the distribution (low four bits); the rest is up
// to five field texts separated by line feeds: Text1, Text2, Text3, x, q.
//
// What the shown texts must look like is checked over random inputs by the property tests;
// here the fuzzer looks for what those cannot reach: a crash or sanitizer report, a case slower
// than the time limit (KELVORA_FUZZ_CASE_MS, in the thread's CPU time so that a loaded machine
// does not turn a fast case into a failure), a graph that accepts parameters the calculation
// rejects, and an infinite or out-of-range sample.
#include "registry/registry.hpp"
#include "results/calculate_results.hpp"
#include "sampling/plot_samples.hpp"

#include <QByteArray>
#include <QLocale>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

using namespace kelvora;

[[noreturn]] void Fail(const char* what, DistributionId id, const std::array<QByteArray, 5>& f) {
    std::fprintf(stderr,
                 "fuzz_calculation: %s (distribution %d, fields \"%s\" \"%s\" \"%s\" "
                 "\"%s\" \"%s\")\n",
                 what, static_cast<int>(id), f[0].constData(), f[1].constData(), f[2].constData(),
                 f[3].constData(), f[4].constData());
    std::abort();
}

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

// 100 ms plain; the sanitizers and coverage counters make the numeric loops about 4.5 times
// slower (the F(1, 15015) graph: 40 ms plain, 180 ms instrumented).
long CaseLimitMs() {
    const char* env = std::getenv("KELVORA_FUZZ_CASE_MS");
    return env != nullptr ? std::atol(env) : 500;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static const double limitMs = static_cast<double>(CaseLimitMs());
    const auto id = static_cast<DistributionId>(data[0] % kDistributionCount);
    const QList<QByteArray> split =
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1))
            .split('\n');
    std::array<QByteArray, 5> f;
    for (std::size_t i = 0; i < f.size() && i < static_cast<std::size_t>(split.size()); ++i) {
        f[i] = split[static_cast<qsizetype>(i)];
    }
    double start = ThreadCpuMs();
    const ResultTexts t =
        CalculateResults(id,
                         {QString::fromUtf8(f[0]), QString::fromUtf8(f[1]), QString::fromUtf8(f[2]),
                          QString::fromUtf8(f[3]), QString::fromUtf8(f[4])},
                         QLocale::c())
            .texts;
    if (ThreadCpuMs() - start > limitMs) {
        Fail("result calculation too slow", id, f);
    }

    const ParameterTexts texts{std::string_view(f[0].constData(), std::size_t(f[0].size())),
                               std::string_view(f[1].constData(), std::size_t(f[1].size())),
                               std::string_view(f[2].constData(), std::size_t(f[2].size()))};
    PlotRange range;
    if (!ChoosePlotRange(id, texts, range)) {
        return 0;
    }
    static PlotSamples samples; // persists across cases, as the window's does
    CurveExtremes extremes;
    start = ThreadCpuMs();
    const bool valid = SampleCurves(id, texts, range.XMin, range.XMax, samples, extremes);
    if (ThreadCpuMs() - start > limitMs) {
        Fail("curve sampling too slow", id, f);
    }
    if (!valid) {
        if (t.density != kNotAvailable || t.mean != kNotAvailable) {
            Fail("graph rejects parameters that the calculation accepts", id, f);
        }
        return 0;
    }
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const double cdf = samples.Cdf[i];
        if (std::isinf(cdf) || std::isinf(samples.Pdf[i]) || cdf < -1e-9 || cdf > 1.0 + 1e-9 ||
            samples.Pdf[i] > extremes.MaxPdf) {
            Fail("infinite or out-of-range sample", id, f);
        }
    }
    return 0;
}
