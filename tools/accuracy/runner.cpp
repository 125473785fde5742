#include "runner.hpp"

#include "exceptions.hpp"

#include "dist/calculate_results.hpp"
#include "dist/field_number.hpp"

#include <QString>

#include <algorithm>
#include <stdexcept>

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

// Whether case i of a parameter set brings something new for this output: the points and the
// levels are visited in step, the shorter list repeating, and the moments once.
bool IsNew(Output output, std::size_t i, std::size_t points, std::size_t levels) {
    switch (output) {
    case Output::Quantile:
        return i < levels;
    case Output::Mean:
    case Output::Variance:
        return i == 0;
    default:
        return i < points;
    }
}

void RunSet(const ParameterSet& set, GridSize size, Report& report) {
    CaseValues values;
    values.params = CheckedParameters(set);
    const std::unique_ptr<Reference> truth = MakeReference(values.params);
    const std::vector<std::string> points = PointTexts(set, *truth, size);
    const std::vector<std::string> levels = LevelTexts(size);
    const std::size_t cases = std::max(points.size(), levels.size());
    for (std::size_t i = 0; i < cases; ++i) {
        const std::string& x = points[i % points.size()];
        const std::string& q = levels[i % levels.size()];
        values.hasX = true;
        values.x = ParseFieldNumber(x);
        values.q = ParseFieldNumber(q);
        const InputTexts inputs = {QString::fromStdString(set.texts[0]),
                                   QString::fromStdString(set.texts[1]),
                                   QString::fromStdString(set.texts[2]), QString::fromStdString(x),
                                   QString::fromStdString(q)};
        const auto shown = TextsOf(CalculateResults(set.id, inputs, QLocale::c()).texts);
        for (const Output output : kOutputs) {
            if (!IsNew(output, i, points.size(), levels.size())) {
                continue;
            }
            if (output == Output::Hazard && truth->IsDiscrete()) {
                continue; // no hazard field value for the discrete distributions
            }
            const Comparison c =
                Compare(output, shown[static_cast<std::size_t>(output)], *truth, values);
            const std::optional<std::size_t> cause =
                c.verdict == Verdict::Agrees ? std::nullopt : CauseOf(values, c);
            report.Add(set, x, q, c, cause);
        }
    }
}

} // namespace

Report RunGrid(GridSize size) {
    Report report;
    for (const ParameterSet& set : ParameterGrid(size)) {
        RunSet(set, size, report);
    }
    return report;
}

} // namespace kelvora::accuracy
