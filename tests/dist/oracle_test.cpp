// The numbers behind the shown results against 40-digit values (tests/data/routine_oracle.tsv,
// written by tools/oracle/generate_oracle.py), each to the tolerance its written method keeps:
// densities and cumulatives across the body and both tails of every distribution, where closed
// forms leave the double range and through the discrete supports; the survival and hazard far in
// the upper tails; moments whose gamma values overflow; discrete quantiles at large counts.
#include "registry/registry.hpp"
#include "results/calculate_results.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kelvora {
namespace {

// The tab-separated fields of each line of a table, comments and blank lines left out.
std::vector<std::vector<std::string>> ReadTable(const char* path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::vector<std::vector<std::string>> table;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        table.emplace_back();
        for (std::string field; std::getline(fields, field, '\t');) {
            table.back().push_back(field);
        }
        table.back().resize(std::max<std::size_t>(table.back().size(), 14));
    }
    return table;
}

DistributionId IdOf(const std::string& key) {
    const auto rows = DistributionRows();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const DistributionRow& r) { return r.key == key; });
    EXPECT_NE(row, rows.end()) << key;
    return row != rows.end() ? row->id : DistributionId::Beta;
}

std::string Line(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& f : fields) {
        line += f + " | ";
    }
    return line;
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

TEST(Oracle, EveryOutputKeepsItsTolerance) {
    int compared = 0;
    for (const auto& f : ReadTable(KELVORA_ROUTINE_ORACLE)) {
        const std::string line = Line(f);
        const DistributionId id = IdOf(f[0]);
        const char output = f[4][0];
        const InputTexts inputs{Q(f[1]), Q(f[2]), Q(f[3]), Q(f[5]), Q(f[5])};
        const CalculationOutput shown = CalculateResults(id, inputs, QLocale::c());
        const double truth = std::strtod(f[6].c_str(), nullptr);
        const double tolerance = std::strtod(f[7].c_str(), nullptr);
        ++compared;
        if (output == 'Q') {
            const std::string expected = std::isinf(truth) ? "N/A" : f[6].substr(0, f[6].find('.'));
            EXPECT_EQ(shown.texts.quantile.toStdString(), expected) << line;
            continue;
        }
        double got = 0.0;
        const double x = std::strtod(f[5].c_str(), nullptr);
        const auto p = ReadParameters(id, f[1], f[2], f[3]);
        ASSERT_TRUE(p) << line;
        switch (output) {
        case 'f':
            got = shown.set.Density;
            break;
        case 'F':
            got = shown.set.Cumulative;
            break;
        case 'S':
            got = UpperTailSurvival(*p, x).value_or(0.0);
            break;
        case 'H':
            got = Hazard(*p, x, *Density(*p, x), *Cumulative(*p, x)).value_or(0.0);
            break;
        case 'm':
            got = shown.set.Mean;
            break;
        default:
            got = shown.set.Variance;
        }
        const bool absolute = output == 'F' && !IsDiscrete(id);
        // Underflowing masses may show 0; the far tails' survival and hazard keep their digits.
        const double floor = output == 'S' || output == 'H' ? 0.0 : 1e-30;
        EXPECT_NEAR(got, truth, absolute ? tolerance : tolerance * std::abs(truth) + floor) << line;
    }
    EXPECT_GT(compared, 6500);
}

// Cases whose inputs sit at a rule (an end of the support, an empty field, a moment that does
// not exist, a fault, a number beyond the double range, a rejected set): all seven texts.
TEST(ShownTexts, EveryCaseShowsItsSevenTexts) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    int compared = 0;
    for (const auto& f : ReadTable(KELVORA_SHOWN_TEXTS)) {
        const ResultTexts t =
            CalculateResults(IdOf(f[1]), {Q(f[2]), Q(f[3]), Q(f[4]), Q(f[5]), Q(f[6])}, us).texts;
        const std::vector<QString> shown = {t.density,  t.cumulative, t.survival, t.hazard,
                                            t.quantile, t.mean,       t.variance};
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].toStdString(), f[7 + i]) << f[0] << " output " << i;
        }
        ++compared;
    }
    EXPECT_GT(compared, 30);
}

} // namespace
} // namespace kelvora
