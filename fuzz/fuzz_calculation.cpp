// Fuzz target: the result calculation and the curve sampling on arbitrary distribution ids and
// field texts. Input: the first byte chooses the distribution (low four bits) and that of a
// second case (high four bits); the rest is up to ten field texts separated by line feeds:
// Text1, Text2, Text3, x, q of the first case, then of the second.
//
// Fails (aborts) on: a crash or sanitizer report; an output that is neither "N/A" nor a
// well-formed four-decimal number; a cumulative outside [0, 1]; a survival that is not 1 minus
// the displayed cumulative; a first case whose texts change after the second case ran; a graph
// that accepts parameters the calculation rejects; any case slower than the time limit
// (KELVORA_FUZZ_CASE_MS). Time is the thread's CPU time, so that a loaded machine does not
// turn a fast case into a failure.
#include "registry/registry.hpp"
#include "results/calculate_results.hpp"
#include "sampling/plot_samples.hpp"

#include <QByteArray>
#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

using kelvora::CalculationOutput;
using kelvora::DistributionId;

struct Case {
    DistributionId id;
    kelvora::InputTexts texts;
    std::array<QByteArray, 3> utf8; // the parameter texts as the graph reads them
};

[[noreturn]] void Fail(const char* what, const Case& c) {
    std::fprintf(
        stderr,
        "fuzz_calculation: %s (distribution %d, fields \"%s\" \"%s\" \"%s\" \"%s\" \"%s\")\n", what,
        static_cast<int>(c.id), qPrintable(c.texts.param1), qPrintable(c.texts.param2),
        qPrintable(c.texts.param3), qPrintable(c.texts.x), qPrintable(c.texts.q));
    std::abort();
}

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

// A case may take 100 ms in a plain build. This target is instrumented with AddressSanitizer,
// UndefinedBehaviorSanitizer and coverage counters, which make the numeric loops about 4.5
// times slower (the F(1, 15015) graph: 40 ms plain, 180 ms instrumented), so the default limit
// is 100 ms scaled by 5.
constexpr long kInstrumentedCaseLimitMs = 500;

long CaseLimitMs() {
    const char* env = std::getenv("KELVORA_FUZZ_CASE_MS");
    return env != nullptr ? std::atol(env) : kInstrumentedCaseLimitMs;
}

bool IsNumberText(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]*\\.[0-9]{4}$"));
    return number.match(text).hasMatch();
}

bool IsIntegerText(const QString& text) {
    static const QRegularExpression integer(QStringLiteral("^-?[0-9]+$"));
    return integer.match(text).hasMatch();
}

void CheckTexts(const Case& c, const kelvora::ResultTexts& t) {
    const std::array<const QString*, 6> numbers = {&t.density, &t.cumulative, &t.survival,
                                                   &t.hazard,  &t.mean,       &t.variance};
    for (const QString* text : numbers) {
        if (*text != kelvora::kNotAvailable && !IsNumberText(*text)) {
            Fail("malformed result text", c);
        }
    }
    const bool integerQuantile = kelvora::IsDiscrete(c.id);
    if (t.quantile != kelvora::kNotAvailable &&
        !(integerQuantile ? IsIntegerText(t.quantile) : IsNumberText(t.quantile))) {
        Fail("malformed quantile text", c);
    }
    if (t.cumulative != kelvora::kNotAvailable) {
        const double cdf = t.cumulative.toDouble();
        if (cdf < 0.0 || cdf > 1.0) {
            Fail("cumulative outside [0, 1]", c);
        }
        if (t.survival == kelvora::kNotAvailable) {
            Fail("survival missing beside a cumulative", c);
        }
        const double survival = t.survival.toDouble();
        if (std::fabs(survival - (1.0 - cdf)) > 1.5e-4) {
            Fail("survival is not 1 - cumulative", c);
        }
    }
}

CalculationOutput Calculate(const Case& c, long limitMs) {
    const double start = ThreadCpuMs();
    CalculationOutput out = kelvora::CalculateResults(c.id, c.texts, QLocale::c());
    if (ThreadCpuMs() - start > static_cast<double>(limitMs)) {
        Fail("result calculation too slow", c);
    }
    return out;
}

void Sample(const Case& c, const CalculationOutput& out, long limitMs) {
    const kelvora::ParameterTexts texts{std::string_view(c.utf8[0].constData(), c.utf8[0].size()),
                                        std::string_view(c.utf8[1].constData(), c.utf8[1].size()),
                                        std::string_view(c.utf8[2].constData(), c.utf8[2].size())};
    kelvora::PlotRange range;
    if (!kelvora::ChoosePlotRange(c.id, texts, range)) {
        return;
    }
    static kelvora::PlotSamples samples; // persists across cases, as the window's does
    kelvora::CurveExtremes extremes;
    const double start = ThreadCpuMs();
    const bool valid =
        kelvora::SampleCurves(c.id, texts, range.XMin, range.XMax, samples, extremes);
    if (ThreadCpuMs() - start > static_cast<double>(limitMs)) {
        Fail("curve sampling too slow", c);
    }
    const kelvora::ResultTexts& t = out.texts;
    if (!valid && (t.density != kelvora::kNotAvailable || t.mean != kelvora::kNotAvailable ||
                   t.variance != kelvora::kNotAvailable)) {
        Fail("graph rejects parameters that the calculation accepts", c);
    }
    if (!valid) {
        return;
    }
    for (int i = 0; i < kelvora::kSampleCount; ++i) {
        const double cdf = samples.Cdf[static_cast<std::size_t>(i)];
        const double pdf = samples.Pdf[static_cast<std::size_t>(i)];
        if (std::isinf(cdf) || std::isinf(pdf)) {
            Fail("infinite sample", c);
        }
        if (!std::isnan(cdf) && (cdf < -1e-9 || cdf > 1.0 + 1e-9)) {
            Fail("sampled cumulative outside [0, 1]", c);
        }
        if (!std::isnan(pdf) && pdf > extremes.MaxPdf) {
            Fail("a sampled density above MaxPdf", c);
        }
    }
}

Case ReadCase(DistributionId id, const std::vector<QByteArray>& fields, std::size_t first) {
    auto field = [&](std::size_t i) {
        return first + i < fields.size() ? fields[first + i] : QByteArray();
    };
    Case c{id, {}, {}};
    c.texts.param1 = QString::fromUtf8(field(0));
    c.texts.param2 = QString::fromUtf8(field(1));
    c.texts.param3 = QString::fromUtf8(field(2));
    c.texts.x = QString::fromUtf8(field(3));
    c.texts.q = QString::fromUtf8(field(4));
    c.utf8 = {c.texts.param1.toUtf8(), c.texts.param2.toUtf8(), c.texts.param3.toUtf8()};
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto idA = static_cast<DistributionId>(data[0] % kelvora::kDistributionCount);
    const auto idB = static_cast<DistributionId>((data[0] / 16) % kelvora::kDistributionCount);
    const QByteArray rest(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    const QList<QByteArray> split = rest.split('\n');
    const std::vector<QByteArray> fields(split.begin(), split.end());

    static const long limitMs = CaseLimitMs();
    const Case a = ReadCase(idA, fields, 0);
    const Case b = ReadCase(idB, fields, 5);

    const CalculationOutput first = Calculate(a, limitMs);
    CheckTexts(a, first.texts);
    Sample(a, first, limitMs);

    const CalculationOutput other = Calculate(b, limitMs);
    CheckTexts(b, other.texts);
    Sample(b, other, limitMs);

    // The same inputs after another case: the same texts.
    const CalculationOutput again = Calculate(a, limitMs);
    const kelvora::ResultTexts& x = first.texts;
    const kelvora::ResultTexts& y = again.texts;
    if (x.density != y.density || x.cumulative != y.cumulative || x.survival != y.survival ||
        x.hazard != y.hazard || x.quantile != y.quantile || x.mean != y.mean ||
        x.variance != y.variance) {
        Fail("result depends on an earlier case", a);
    }
    return 0;
}
