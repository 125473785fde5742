// The precise readout against the committed mpmath table, and the tools built on it.
#include "catalogue/catalogue.hpp"
#include "distributions/field_number.hpp"
#include "registry/registry.hpp"
#include "results/readout.hpp"

#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace kelvora {
namespace {

using Real = long double;

double ReadBack(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return ParseFieldNumber({bytes.constData(), static_cast<std::size_t>(bytes.size())});
}

// |v - truth| in units of the tenth significant digit of truth. Below the normal range a double
// holds fewer digits: there the unit is DBL_MIN's.
Real TenthDigitUnits(Real v, Real truth) {
    const Real magnitude = std::max<Real>(std::fabs(truth), DBL_MIN);
    const Real unit = std::pow(10.0L, std::floor(std::log10(magnitude)) - 9);
    return std::fabs(v - truth) / unit;
}

// One line of the table: key, three converted parameters, output, argument, true value, and for
// a discrete quantile the counts also right.
struct TruthLine {
    DistributionId id;
    ParameterFieldTexts params;
    std::string output;
    std::string argument;
    Real value;
    std::vector<Real> also;
};

std::vector<TruthLine> ReadTruth() {
    std::ifstream in(KELVORA_TRUTH_TABLE);
    std::vector<TruthLine> lines;
    for (std::string text; std::getline(in, text);) {
        std::vector<std::string> c;
        std::stringstream row(text);
        for (std::string cell; std::getline(row, cell, '\t');) {
            c.push_back(cell == "-" ? "" : cell);
        }
        if (text[0] == '#' || c.size() < 7) {
            continue;
        }
        const auto rows = DistributionRows();
        const auto found = std::find_if(rows.begin(), rows.end(),
                                        [&](const DistributionRow& r) { return r.key == c[0]; });
        if (found == rows.end()) {
            continue;
        }
        TruthLine line{found->id,
                       {QString::fromStdString(c[1]), QString::fromStdString(c[2]),
                        QString::fromStdString(c[3])},
                       c[4],
                       c[5],
                       std::strtold(c[6].c_str(), nullptr),
                       {}};
        for (std::size_t i = 7; i < c.size(); ++i) {
            line.also.push_back(std::strtold(c[i].c_str(), nullptr));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

const std::vector<TruthLine>& Truth() {
    static const std::vector<TruthLine> lines = ReadTruth();
    return lines;
}

const std::map<std::string, std::optional<double> PreciseValues::*> kOutputs = {
    {"f", &PreciseValues::density},         {"F", &PreciseValues::cumulative},
    {"S", &PreciseValues::survival},        {"H", &PreciseValues::hazard},
    {"quantile", &PreciseValues::quantile}, {"mean", &PreciseValues::mean},
    {"variance", &PreciseValues::variance}};

// Every value of every case in the table: each readout right to within one unit of its tenth
// significant digit, and its text read back by the field reader just as right; no readout where
// no finite value exists, apart from the fields' kept conventions.
TEST(PreciseReadout, TenDigitsAgainstTheTruthTable) {
    const std::vector<TruthLine>& lines = Truth();
    ASSERT_GT(lines.size(), 50000u);
    std::map<std::string, Real> worst; // per output, of the value and of its text
    int failures = 0;
    std::string last;
    PreciseValues values;
    for (const TruthLine& line : lines) {
        const bool moment = line.output == "mean" || line.output == "variance";
        const bool level = line.output == "quantile";
        const InputTexts inputs{line.params.param1, line.params.param2, line.params.param3,
                                QString::fromStdString(level || moment ? "0" : line.argument),
                                QString::fromStdString(level ? line.argument : "0.5")};
        const std::string where =
            std::string(RowOf(line.id).key) + " " +
            (inputs.param1 + " " + inputs.param2 + " " + inputs.param3).toStdString() + " " +
            line.output + "(" + line.argument + ")";
        const std::string same =
            where.substr(0, where.rfind(' ')) + (inputs.x + inputs.q).toStdString();
        if (same != last) { // f, F, S and H share one calculation
            values = CalculatePrecise(line.id, inputs);
            last = same;
        }
        const std::optional<double> v = values.*kOutputs.at(line.output);
        const bool showable =
            std::isfinite(line.value) && std::fabs(line.value) <= static_cast<Real>(DBL_MAX);
        if (!showable) {
            // Kept conventions: the Cauchy mean field shows the location, the t mean 0 at df 1.
            const bool kept = line.output == "mean" && (line.id == DistributionId::Cauchy ||
                                                        line.id == DistributionId::StudentT);
            if (v && !kept && ++failures <= 20) {
                ADD_FAILURE() << where << ": readout " << PreciseText(v).toStdString()
                              << " where no finite value exists";
            }
            continue;
        }
        if (!v) {
            if (++failures <= 20) {
                ADD_FAILURE() << where << ": no readout, truth " << static_cast<double>(line.value);
            }
            continue;
        }
        if (level && IsDiscrete(line.id)) {
            // Whole numbers: exact, or a count a tie makes right, or the Geometric formula.
            const bool right =
                *v == line.value ||
                std::find(line.also.begin(), line.also.end(), *v) != line.also.end() ||
                line.id == DistributionId::Geometric;
            if (!right && ++failures <= 20) {
                ADD_FAILURE() << where << ": " << *v << " != " << static_cast<double>(line.value);
            }
            continue;
        }
        if (level && *v == 0.0 && std::fabs(line.value) < 1e-30L) {
            continue; // an exact median 0: the table's root search leaves noise of 1e-40
        }
        const Real valueError = TenthDigitUnits(*v, line.value);
        const Real textError = TenthDigitUnits(ReadBack(PreciseText(v)), line.value);
        worst[line.output] = std::max(worst[line.output], valueError);
        worst[line.output + " text"] = std::max(worst[line.output + " text"], textError);
        if (textError > 1 && ++failures <= 20) {
            ADD_FAILURE() << where << ": " << PreciseText(v).toStdString() << " vs "
                          << static_cast<double>(line.value) << " ("
                          << static_cast<double>(textError) << " units of the tenth digit)";
        }
    }
    EXPECT_EQ(failures, 0);
    for (const auto& [output, error] : worst) {
        std::cout << "largest error, " << output << ": " << static_cast<double>(error)
                  << " units of the tenth digit\n";
    }
}

// The texts the readout writes: ten significant digits, scientific below 1e-4 and from 1e15 on,
// read back by the field reader to within half a unit of the tenth digit.
TEST(PreciseReadout, TextsReadBackThroughTheFieldReader) {
    EXPECT_EQ(PreciseText(3.1705342490123e-5), "3.170534249e-05");
    EXPECT_EQ(PreciseText(0.5), "0.5000000000");
    EXPECT_EQ(PreciseText(-12.3456789012), "-12.34567890");
    EXPECT_EQ(PreciseText(1e-4), "0.0001000000000");
    EXPECT_EQ(PreciseText(99999.999996), "100000.0000");
    EXPECT_EQ(PreciseText(123456789012345.6), "123456789000000");
    EXPECT_EQ(PreciseText(1e15), "1.000000000e+15");
    EXPECT_EQ(PreciseText(-2.5e-300), "-2.500000000e-300");
    EXPECT_EQ(PreciseText(0.0), "0");
    EXPECT_EQ(PreciseText(-0.0), "0");
    EXPECT_EQ(PreciseText(std::nullopt), "N/A");
    EXPECT_EQ(PreciseText(HUGE_VAL), "N/A");
    for (double v = 1.234567890123e-12; v < 1e20; v *= -7.3) {
        EXPECT_LE(TenthDigitUnits(ReadBack(PreciseText(v)), v), 0.5 + 1e-6) << v;
    }
}

// Continuous, and discrete over whole points: each interval probability against the table's
// tails, with neighbouring grid points as the ends, and the three adding up to 1.
TEST(IntervalProbabilities, MatchTheTruthTailsAndAddUpToOne) {
    struct Point {
        double x;
        Real lower, upper;
    };
    // By distribution and parameters: the line that opened the set, and its points.
    std::map<std::string, std::pair<const TruthLine*, std::vector<Point>>> cases;
    for (const TruthLine& line : Truth()) {
        const std::string key =
            std::string(RowOf(line.id).key) + " " +
            (line.params.param1 + " " + line.params.param2 + " " + line.params.param3)
                .toStdString();
        auto& [first, points] = cases[key];
        first = first ? first : &line;
        if (line.output == "F") {
            points.push_back({std::strtod(line.argument.c_str(), nullptr), line.value, 0});
        } else if (line.output == "S") {
            points.back().upper = line.value;
        }
    }
    int checked = 0;
    Real worst = 0;
    for (const auto& [key, set] : cases) {
        const auto& [first, points] = set;
        for (std::size_t i = 1; i < points.size(); ++i) {
            const Point& a = points[i - 1];
            const Point& b = points[i];
            if (!(a.x <= b.x) || !std::isfinite(a.x) || !std::isfinite(b.x)) {
                continue;
            }
            const IntervalProbabilities r = IntervalProbability(first->id, first->params, a.x, b.x);
            ASSERT_TRUE(r.below && r.inside && r.above) << key << " " << a.x << " " << b.x;
            // The truth of the inside from the table's tails on the side that keeps digits;
            // where two close tails cancel, only their own digits can be asked for.
            const Real scale = b.lower <= 0.5L ? b.lower : a.upper <= 0.5L ? a.upper : 1.0L;
            const Real inside = b.lower <= 0.5L   ? b.lower - a.lower
                                : a.upper <= 0.5L ? a.upper - b.upper
                                                  : (1.0L - a.lower) - b.upper;
            for (const auto& [v, truth, slack] :
                 {std::tuple{*r.below, a.lower, 0.0L}, std::tuple{*r.above, b.upper, 0.0L},
                  std::tuple{*r.inside, inside, 1e-15L * scale}}) {
                const Real error = std::fabs(v - truth);
                worst = std::max(worst, error / (std::fabs(truth) + 1e-300L));
                EXPECT_LE(error, 1e-10L * std::fabs(truth) + slack + 1e-300L)
                    << key << " P(" << a.x << ", " << b.x << "]";
            }
            EXPECT_NEAR(*r.below + *r.inside + *r.above, 1.0, 1e-11) << key;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10000);
    std::cout << "intervals checked: " << checked << ", largest relative tail error "
              << static_cast<double>(worst) << "\n";
}

ParameterFieldTexts Defaults(const CatalogueEntry& entry) {
    const auto text = [&](int i) { return entry.parameters[i].defaultText.value_or(""); };
    return {text(0), text(1), text(2)};
}

// Central intervals map back through the tails: each end holds (1 - p)/2 beyond it; a discrete
// end is the smallest count whose cumulative reaches the level, and the held probability is at
// least p. Malformed p and reversed ends give no values.
TEST(IntervalProbabilities, CentralIntervalsMapBackThroughTheTails) {
    const DistributionCatalogue catalogue;
    for (const CatalogueEntry& entry : catalogue.entries()) {
        const ParameterFieldTexts params = Defaults(entry);
        for (const double p : {0.0, 0.5, 0.9, 0.95, 0.999999}) {
            const CentralInterval c = CentralIntervalFor(entry.id, params, p);
            const double level = (1.0 - p) / 2.0;
            const auto name = entry.selectorText.toStdString() + " p=" + std::to_string(p);
            ASSERT_TRUE(c.lower && c.upper) << name;
            if (!IsDiscrete(entry.id)) {
                // Each end is right to 1e-13 of itself: the levels lie between the tails there.
                const auto tails = [&](double x) {
                    return IntervalProbability(entry.id, params, x, x);
                };
                const auto nudged = [](double x, double by) {
                    return x + by * (std::fabs(x) + 1e-300);
                };
                EXPECT_LE(*tails(nudged(*c.lower, -1e-13)).below, level * (1 + 1e-12)) << name;
                EXPECT_GE(*tails(nudged(*c.lower, 1e-13)).below, level * (1 - 1e-12)) << name;
                const double upperLevel = 1.0 - (1.0 + p) / 2.0;
                EXPECT_GE(*tails(nudged(*c.upper, -1e-13)).above, upperLevel * (1 - 1e-12)) << name;
                EXPECT_LE(*tails(nudged(*c.upper, 1e-13)).above, upperLevel * (1 + 1e-12)) << name;
                EXPECT_FALSE(c.held);
                continue;
            }
            const auto below = [&](double k) {
                return *IntervalProbability(entry.id, params, k, k).below;
            };
            EXPECT_GE(below(*c.lower), level * (1 - 1e-12)) << name;
            // The Geometric field's quantile is floor(ln(1 - q) / ln(1 - p)), one above at a tie.
            const bool formula = entry.id == DistributionId::Geometric;
            EXPECT_TRUE(formula || below(*c.lower - 1.0) < level) << name;
            EXPECT_GE(below(*c.upper), (1.0 + p) / 2.0 * (1 - 1e-12)) << name;
            EXPECT_TRUE(formula || below(*c.upper - 1.0) < (1.0 + p) / 2.0) << name;
            ASSERT_TRUE(c.held) << name;
            EXPECT_GE(*c.held, p * (1 - 1e-12)) << name;
            EXPECT_NEAR(*c.held, below(*c.upper) - below(*c.lower - 1.0), 1e-15) << name;
        }
        EXPECT_FALSE(CentralIntervalFor(entry.id, params, 1.5).lower);
        EXPECT_FALSE(CentralIntervalFor(entry.id, params, std::nan("")).upper);
        EXPECT_FALSE(IntervalProbability(entry.id, params, 2.0, 1.0).inside);
    }
}

// The table's rows and texts: those of the fields at the same x (typed as a user would type it),
// whole points for a discrete distribution, and the refusals.
TEST(ValuesTable, RowsShowTheFieldsTextsAndRefuseBadRanges) {
    const DistributionCatalogue catalogue;
    const QLocale german(QLocale::German);
    for (const CatalogueEntry& entry : catalogue.entries()) {
        const ParameterFieldTexts params = Defaults(entry);
        const std::optional<TableRange> range = DefaultTableRange(entry.id, params);
        ASSERT_TRUE(range) << entry.selectorText.toStdString();
        const ValuesTable table = MakeValuesTable(entry.id, params, *range, german);
        ASSERT_EQ(table.refusal, TableRefusal::None);
        const bool discrete = IsDiscrete(entry.id);
        if (!discrete) {
            EXPECT_EQ(table.rows.size(), 21u);
        }
        for (const TableRow& row : table.rows) {
            const QString x = QString::number(row.x, 'g', 12);
            const ResultTexts field =
                CalculateResults(entry.id, {params.param1, params.param2, params.param3, x, "0.5"},
                                 german)
                    .texts;
            EXPECT_EQ(row.density, field.density) << x.toStdString();
            EXPECT_EQ(row.cumulative, field.cumulative) << x.toStdString();
            EXPECT_EQ(row.survival, field.survival) << x.toStdString();
            EXPECT_EQ(row.hazard, discrete ? QString() : field.hazard) << x.toStdString();
            EXPECT_TRUE(!discrete || (row.x == std::floor(row.x) && !row.preciseHazard));
        }
    }
    const ParameterFieldTexts normal{"0", "1", ""};
    const auto rows = [&](TableRange r) {
        return MakeValuesTable(DistributionId::Normal, normal, r, QLocale::c());
    };
    EXPECT_EQ(rows({0.0, 0.3, 0.1}).rows.size(), 4u);    // 0.3 / 0.1 is 2.9999999999999996
    EXPECT_EQ(rows({0.0, 1.0, 0.3}).rows.back().x, 0.9); // 0.30000000000000004 * 3 is 0.9
    // -2.97 + 99 * 0.03 is -4.4e-16: the row is 0, the Poisson's point 0 and not -1.
    const ValuesTable poisson =
        MakeValuesTable(DistributionId::Poisson, {"3", "", ""}, {-2.97, 0.0, 0.03}, QLocale::c());
    ASSERT_EQ(poisson.rows.size(), 100u);
    EXPECT_EQ(poisson.rows.back().x, 0.0);
    EXPECT_EQ(poisson.rows.back().density, ".0498");
    EXPECT_EQ(rows({0.0, 9999.0, 1.0}).rows.size(), 10000u);
    EXPECT_EQ(rows({0.0, 10000.0, 1.0}).refusal, TableRefusal::TooManyRows);
    EXPECT_EQ(rows({0.0, HUGE_VAL, 1.0}).refusal, TableRefusal::TooManyRows);
    EXPECT_EQ(rows({1.0, 0.0, 1.0}).refusal, TableRefusal::EndBelowStart);
    EXPECT_EQ(rows({0.0, 1.0, 0.0}).refusal, TableRefusal::StepNotPositive);
    EXPECT_EQ(rows({0.0, 1.0, std::nan("")}).refusal, TableRefusal::StepNotPositive);
    EXPECT_EQ(
        MakeValuesTable(DistributionId::Normal, {"0", "-1", ""}, {0, 1, 1}, QLocale::c()).refusal,
        TableRefusal::InvalidParameters);
    const std::optional<TableRange> binomial =
        DefaultTableRange(DistributionId::Binomial, {"10", "0.5", ""});
    ASSERT_TRUE(binomial);
    EXPECT_EQ(binomial->step, 1.0);
    EXPECT_EQ(binomial->start, std::ceil(binomial->start));
}

} // namespace
} // namespace kelvora
