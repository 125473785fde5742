// The result calculation as one keystroke runs it: every distribution at its catalogue
// defaults (x 0, q 0.5), and a mix in the form the batch command runs it (UTF-8 texts in,
// the seven texts out as UTF-8).
#include "catalogue/catalogue.hpp"
#include "results/calculate_results.hpp"
#include "results/readout.hpp"

#include <benchmark/benchmark.h>

#include <QByteArray>

#include <array>
#include <string>
#include <vector>

namespace kelvora {
namespace {

// The command line's distribution keys, which name the benchmarks.
constexpr std::array<const char*, kDistributionCount> kKeys = {
    "beta",     "binomial",  "cauchy",         "chisquare", "exponential", "f",
    "gamma",    "geometric", "hypergeometric", "lognormal", "normal",      "poisson",
    "rayleigh", "t",         "uniform",        "weibull"};

InputTexts DefaultInputs(const DistributionCatalogue& catalogue, DistributionId id) {
    const CatalogueEntry& entry = catalogue.entry(id);
    const auto text = [&](int slot) {
        return entry.parameters[static_cast<std::size_t>(slot)].defaultText.value_or(QString());
    };
    return {text(0), text(1), text(2), QStringLiteral("0"), QStringLiteral("0.5")};
}

void BM_Calculate(benchmark::State& state, DistributionId id) {
    const DistributionCatalogue catalogue;
    const InputTexts inputs = DefaultInputs(catalogue, id);
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculateResults(id, inputs, locale));
    }
}

// Sixteen batch lines, one per distribution, at the defaults with x 1 and q 0.3.
void BM_BatchMix(benchmark::State& state) {
    const DistributionCatalogue catalogue;
    std::vector<std::array<std::string, 5>> lines;
    for (const CatalogueEntry& entry : catalogue.entries()) {
        const InputTexts d = DefaultInputs(catalogue, entry.id);
        lines.push_back(
            {d.param1.toStdString(), d.param2.toStdString(), d.param3.toStdString(), "1", "0.3"});
    }
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    std::string out;
    for (auto _ : state) {
        out.clear();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto& f = lines[i];
            const InputTexts inputs{QString::fromStdString(f[0]), QString::fromStdString(f[1]),
                                    QString::fromStdString(f[2]), QString::fromStdString(f[3]),
                                    QString::fromStdString(f[4])};
            const ResultTexts r =
                CalculateResults(static_cast<DistributionId>(i), inputs, locale).texts;
            for (const QString* t : {&r.density, &r.cumulative, &r.survival, &r.hazard, &r.quantile,
                                     &r.mean, &r.variance}) {
                const QByteArray bytes = t->toUtf8();
                out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
                out += '\t';
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}

// The precise readout of the seven results (it runs the field calculation too, to follow its
// "N/A"s) at the defaults with x 1 and q 0.3, so that the quantile is refined.
void BM_Precise(benchmark::State& state, DistributionId id) {
    const DistributionCatalogue catalogue;
    InputTexts inputs = DefaultInputs(catalogue, id);
    inputs.x = QStringLiteral("1");
    inputs.q = QStringLiteral("0.3");
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculatePrecise(id, inputs));
    }
}

[[maybe_unused]] const bool kRegistered = [] {
    for (int i = 0; i < kDistributionCount; ++i) {
        benchmark::RegisterBenchmark((std::string("Calculate/") + kKeys[i]).c_str(), BM_Calculate,
                                     static_cast<DistributionId>(i));
    }
    benchmark::RegisterBenchmark("Calculate/batch_mix", BM_BatchMix);
    for (int i = 0; i < kDistributionCount; ++i) {
        benchmark::RegisterBenchmark((std::string("Precise/") + kKeys[i]).c_str(), BM_Precise,
                                     static_cast<DistributionId>(i));
    }
    return true;
}();

} // namespace
} // namespace kelvora
