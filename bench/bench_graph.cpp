// The graph's cost per keystroke. Sampling/<key>: SampleCurves alone over the range the graph
// uses. Peer/<key>: Boost.Math computing the same four series at the same positions, the
// yardstick of the sampling. Keystroke/<key>: what one parameter keystroke runs, the result
// calculation and the whole redraw (range, sampling, rendering into the window-sized image).
// Every distribution at its catalogue defaults, and five heavy parameter sets.
#include "catalogue/catalogue.hpp"
#include "distributions/parameters.hpp"
#include "peer_sampling.hpp"
#include "registry/registry.hpp"
#include "render/graph_renderer.hpp"
#include "results/calculate_results.hpp"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>

#include <array>
#include <optional>
#include <string>

namespace kelvora {
namespace {

// The three parameter texts, owned, as UTF-8 for the sampling and as QString for the
// calculation.
struct Case {
    std::string name;
    DistributionId id;
    std::array<std::string, 3> fields;

    ParameterTexts texts() const { return {fields[0], fields[1], fields[2]}; }
    InputTexts inputs() const {
        return {QString::fromStdString(fields[0]), QString::fromStdString(fields[1]),
                QString::fromStdString(fields[2]), QStringLiteral("0"), QStringLiteral("0.5")};
    }
};

Case DefaultCase(const DistributionCatalogue& catalogue, DistributionId id) {
    const CatalogueEntry& entry = catalogue.entry(id);
    Case c{std::string(RowOf(id).key), id, {}};
    for (std::size_t slot = 0; slot < 3; ++slot) {
        // A kept field is empty at start-up.
        c.fields[slot] = entry.parameters[slot].defaultText.value_or(QString()).toStdString();
    }
    return c;
}

const std::array<Case, 5> kHeavyCases = {{
    {"binomial_n1000", DistributionId::Binomial, {"1000", "0.5", ""}},
    {"poisson_l700", DistributionId::Poisson, {"700", "", ""}},
    {"t_df200", DistributionId::StudentT, {"200", "", ""}},
    {"gamma_shape50", DistributionId::Gamma, {"1", "50", ""}},
    {"hypergeometric_M30000", DistributionId::Hypergeometric, {"30000", "15000", "1000"}},
}};

void Sampling(benchmark::State& state, const Case& c) {
    const ParameterTexts texts = c.texts();
    PlotRange range;
    if (!ChoosePlotRange(c.id, texts, range)) {
        state.SkipWithError("no range");
        return;
    }
    PlotSamples samples;
    CurveExtremes extremes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            SampleCurves(c.id, texts, range.XMin, range.XMax, samples, extremes));
        benchmark::ClobberMemory();
    }
}

// The parameters are read once: the peer's distribution objects are built from numbers.
void Peer(benchmark::State& state, const Case& c) {
    const ParameterTexts texts = c.texts();
    PlotRange range;
    const std::optional<DistributionParameters> params =
        ReadParameters(c.id, texts.text1, texts.text2, texts.text3);
    if (!ChoosePlotRange(c.id, texts, range) || !params) {
        state.SkipWithError("no range or invalid parameters");
        return;
    }
    PlotSamples samples;
    for (auto _ : state) {
        PeerSampleCurves(*params, range.XMin, range.XMax, samples);
        benchmark::ClobberMemory();
    }
}

// Text needs a QGuiApplication, and kelvora-bench's main makes none: the first keystroke
// benchmark makes one, on the offscreen platform, for the rest of the run. It is never
// destroyed, so nothing of Qt runs after main returns.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvora-bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

void Keystroke(benchmark::State& state, const Case& c) {
    EnsureGuiApplication();
    const ParameterTexts texts = c.texts();
    const InputTexts inputs = c.inputs();
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    QImage image = MakeGraphImage(1.0);
    PlotSamples samples;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculateResults(c.id, inputs, locale));
        DrawGraph(image, c.id, texts, FunctionKind::Pdf, locale, samples);
        benchmark::DoNotOptimize(image.constBits());
    }
}

bool RegisterGraphBenchmarks() {
    const DistributionCatalogue catalogue;
    std::array<Case, kDistributionCount + kHeavyCases.size()> cases;
    for (int id = 0; id < kDistributionCount; ++id) {
        cases[static_cast<std::size_t>(id)] =
            DefaultCase(catalogue, static_cast<DistributionId>(id));
    }
    for (std::size_t i = 0; i < kHeavyCases.size(); ++i) {
        cases[kDistributionCount + i] = kHeavyCases[i];
    }
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(("Sampling/" + c.name).c_str(), Sampling, c)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Peer/" + c.name).c_str(), Peer, c)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark(("Keystroke/" + c.name).c_str(), Keystroke, c)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}

const bool kRegistered = RegisterGraphBenchmarks();

} // namespace
} // namespace kelvora
