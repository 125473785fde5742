#include "runner.hpp"
#include "registry/registry.hpp"

#include "truth.hpp"

#include "distributions/field_number.hpp"
#include "results/calculate_results.hpp"

#include <QString>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <unordered_set>

namespace kelvora::accuracy {

namespace {

std::array<QString, kOutputCount> TextsOf(const ResultTexts& t) {
    return {t.density, t.cumulative, t.survival, t.hazard, t.quantile, t.mean, t.variance};
}

// One case of the grid with what the fields show, and the outputs it brings a comparison for:
// each output whose truth key is new within the parameter set (the discrete distributions
// have no hazard value to compare).
struct Case {
    const GridCase& grid;
    CaseValues values;
    std::array<QString, kOutputCount> shown;
    std::array<bool, kOutputCount> compared{};
    std::array<std::string, kOutputCount> keys;
};

// Calls visit(c) for every case of the grid, in grid order.
template <class Visit> void ForEachCase(GridSize size, Visit&& visit) {
    std::unordered_set<std::string> seen; // truth keys of the current parameter set
    const GridCase* previous = nullptr;
    for (const GridCase& g : ReadGrid(size)) {
        const std::optional<DistributionParameters> params =
            ReadParameters(g.id, g.texts[0], g.texts[1], g.texts[2]);
        if (!params) {
            // The grid holds accepted parameter sets only; anything else is a fault of the grid.
            throw std::logic_error("rejected grid parameters: " + g.texts[0] + ", " + g.texts[1] +
                                   ", " + g.texts[2]);
        }
        if (previous == nullptr || previous->id != g.id || previous->texts != g.texts) {
            seen.clear();
        }
        previous = &g;
        const InputTexts inputs = {QString::fromStdString(g.texts[0]),
                                   QString::fromStdString(g.texts[1]),
                                   QString::fromStdString(g.texts[2]), QString::fromStdString(g.x),
                                   QString::fromStdString(g.q)};
        Case c{g,
               {*params, ParseFieldNumber(g.x), ParseFieldNumber(g.q)},
               TextsOf(CalculateResults(g.id, inputs, QLocale::c()).texts),
               {},
               {}};
        for (const Output output : kOutputs) {
            const auto o = static_cast<std::size_t>(output);
            c.keys[o] = CaseKey(c.values, output);
            c.compared[o] =
                !(output == Output::Hazard && IsDiscrete(g.id)) && seen.insert(c.keys[o]).second;
        }
        visit(c);
    }
}

} // namespace

Report RunGrid(GridSize size) {
    const TruthTable table(TruthTablePath());
    Report report;
    ForEachCase(size, [&](const Case& c) {
        for (const Output output : kOutputs) {
            const auto o = static_cast<std::size_t>(output);
            if (c.compared[o]) {
                report.Add(c.grid, Compare(output, c.shown[o], c.values, table.Find(c.keys[o])));
            }
        }
    });
    return report;
}

void DumpGrid(GridSize size, std::ostream& out) {
    ForEachCase(size, [&](const Case& c) {
        out << DistributionKey(c.grid.id);
        for (const std::string& text : c.grid.texts) {
            out << '\t' << text;
        }
        out << '\t' << c.grid.x << '\t' << c.grid.q;
        for (const QString& text : c.shown) {
            out << '\t' << text.toStdString();
        }
        out << '\n';
    });
}

void ListCases(std::ostream& out) {
    // A quantile's start for the root search: its value in the current table, where it has one.
    const TruthTable table(TruthTablePath());
    std::unordered_set<std::string> listed;
    ForEachCase(GridSize::Full, [&](const Case& c) {
        for (const Output output : kOutputs) {
            const std::string& key = c.keys[static_cast<std::size_t>(output)];
            if (!c.compared[static_cast<std::size_t>(output)] || !listed.insert(key).second) {
                continue;
            }
            const Truth* truth = output == Output::Quantile ? table.Find(key) : nullptr;
            std::array<char, 64> hint{'-'};
            if (truth != nullptr && std::isfinite(truth->value)) {
                std::snprintf(hint.data(), hint.size(), "%.21Lg", truth->value);
            }
            out << key << '\t' << hint.data() << '\n';
        }
    });
}

} // namespace kelvora::accuracy
