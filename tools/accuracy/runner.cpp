#include "registry/registry.hpp"
#include "runner.hpp"

#include "truth.hpp"

#include "distributions/field_number.hpp"
#include "results/calculate_results.hpp"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <unordered_set>

namespace kelvora::accuracy {

namespace {

DistributionParameters CheckedParameters(const ParameterSet& set) {
    const std::optional<DistributionParameters> p =
        ReadParameters(set.id, set.texts[0], set.texts[1], set.texts[2]);
    if (!p) {
        // The grid holds accepted parameter sets only; anything else is a fault of the grid.
        throw std::logic_error("rejected grid parameters: " + set.texts[0] + ", " + set.texts[1] +
                               ", " + set.texts[2]);
    }
    return *p;
}

std::array<QString, kOutputCount> TextsOf(const ResultTexts& t) {
    return {t.density, t.cumulative, t.survival, t.hazard, t.quantile, t.mean, t.variance};
}

// One case of the grid: a parameter set with one x and one q, and what the fields show.
struct Case {
    const ParameterSet& set;
    const Reference& reference;
    CaseValues values;
    std::string x;
    std::string q;
    std::array<QString, kOutputCount> shown;
    // Whether the case brings a new point, a new level, the moments.
    bool newPoint;
    bool newLevel;
    bool first;
};

// Calls visit(c) for every case of the grid, in grid order. The points and the levels of a
// parameter set are visited in step, the shorter list repeating.
template <class Visit> void ForEachCase(GridSize size, Visit&& visit) {
    for (const ParameterSet& set : ParameterGrid(size)) {
        CaseValues values;
        values.params = CheckedParameters(set);
        const std::unique_ptr<Reference> reference = MakeReference(values.params);
        const std::vector<std::string> points = PointTexts(set, *reference, size);
        const std::vector<std::string> levels = LevelTexts(set, size);
        const std::size_t cases = std::max(points.size(), levels.size());
        for (std::size_t i = 0; i < cases; ++i) {
            const std::string& x = points[i % points.size()];
            const std::string& q = levels[i % levels.size()];
            const InputTexts inputs = {QString::fromStdString(set.texts[0]),
                                       QString::fromStdString(set.texts[1]),
                                       QString::fromStdString(set.texts[2]),
                                       QString::fromStdString(x), QString::fromStdString(q)};
            values.x = ParseFieldNumber(x);
            values.q = ParseFieldNumber(q);
            const Case c{set,
                         *reference,
                         values,
                         x,
                         q,
                         TextsOf(CalculateResults(set.id, inputs, QLocale::c()).texts),
                         i < points.size(),
                         i < levels.size(),
                         i == 0};
            visit(c);
        }
    }
}

// Whether the case brings something new for this output: a point, a level, or (the first
// case) the moments. The discrete distributions have no hazard field value.
bool Compared(Output output, const Case& c) {
    switch (output) {
    case Output::Quantile:
        return c.newLevel;
    case Output::Mean:
    case Output::Variance:
        return c.first;
    case Output::Hazard:
        return c.newPoint && !c.reference.IsDiscrete();
    default:
        return c.newPoint;
    }
}

// Where the root search for a quantile may start: Boost's on the smaller tail.
std::string QuantileHint(const Reference& reference, double q) {
    const Real x =
        q <= 0.5 || reference.IsDiscrete() ? reference.Quantile(q) : reference.UpperQuantile(1 - q);
    if (!std::isfinite(x)) {
        return "-";
    }
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.21Lg", x);
    return buffer.data();
}

} // namespace

Report RunGrid(GridSize size) {
    const TruthTable table(TruthTablePath());
    Report report;
    ForEachCase(size, [&](const Case& c) {
        for (const Output output : kOutputs) {
            if (Compared(output, c)) {
                const Truth* truth = table.Find(CaseKey(c.values, output));
                report.Add(
                    c.set, c.x, c.q,
                    Compare(output, c.shown[static_cast<std::size_t>(output)], c.values, truth));
            }
        }
    });
    return report;
}

void DumpGrid(GridSize size, std::ostream& out) {
    ForEachCase(size, [&](const Case& c) {
        out << DistributionKey(c.set.id);
        for (const std::string& text : c.set.texts) {
            out << '\t' << text;
        }
        out << '\t' << c.x << '\t' << c.q;
        for (const QString& text : c.shown) {
            out << '\t' << text.toStdString();
        }
        out << '\n';
    });
}

void ListCases(std::ostream& out) {
    std::unordered_set<std::string> listed;
    ForEachCase(GridSize::Full, [&](const Case& c) {
        for (const Output output : kOutputs) {
            const std::string key = CaseKey(c.values, output);
            if (Compared(output, c) && listed.insert(key).second) {
                out << key << '\t'
                    << (output == Output::Quantile ? QuantileHint(c.reference, c.values.q) : "-")
                    << '\n';
            }
        }
    });
}

} // namespace kelvora::accuracy
