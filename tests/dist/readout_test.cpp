// The precise readout against the committed mpmath table, and the tools built on it.
#include "distributions/field_number.hpp"
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

const std::map<std::string, DistributionId>& Keys() {
    static const std::map<std::string, DistributionId> keys = {
        {"beta", DistributionId::Beta},
        {"binomial", DistributionId::Binomial},
        {"cauchy", DistributionId::Cauchy},
        {"chisquare", DistributionId::ChiSquare},
        {"exponential", DistributionId::Exponential},
        {"f", DistributionId::F},
        {"gamma", DistributionId::Gamma},
        {"geometric", DistributionId::Geometric},
        {"hypergeometric", DistributionId::Hypergeometric},
        {"lognormal", DistributionId::Lognormal},
        {"normal", DistributionId::Normal},
        {"poisson", DistributionId::Poisson},
        {"rayleigh", DistributionId::Rayleigh},
        {"t", DistributionId::StudentT},
        {"uniform", DistributionId::Uniform},
        {"weibull", DistributionId::Weibull}};
    return keys;
}

// One line of the table: key, three converted parameters, output, argument, true value, and for
// a discrete quantile the counts also right.
struct TruthLine {
    DistributionId id;
    std::array<std::string, 3> params;
    std::string output;
    std::string argument;
    Real value;
    std::vector<Real> also;
};

std::vector<TruthLine> ReadTruth() {
    std::ifstream in(KELVORA_TRUTH_TABLE);
    std::vector<TruthLine> lines;
    std::string text;
    while (std::getline(in, text)) {
        if (text.empty() || text[0] == '#') {
            continue;
        }
        std::vector<std::string> cells;
        std::stringstream row(text);
        for (std::string cell; std::getline(row, cell, '\t');) {
            cells.push_back(cell);
        }
        TruthLine line{Keys().at(cells[0]), {}, cells[4], cells[5], 0, {}};
        for (int i = 0; i < 3; ++i) {
            line.params[i] = cells[1 + i] == "-" ? "" : cells[1 + i];
        }
        line.value = std::strtold(cells[6].c_str(), nullptr);
        for (std::size_t i = 7; i < cells.size(); ++i) {
            line.also.push_back(std::strtold(cells[i].c_str(), nullptr));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<double> Pick(const PreciseValues& v, const std::string& output) {
    if (output == "f")
        return v.density;
    if (output == "F")
        return v.cumulative;
    if (output == "S")
        return v.survival;
    if (output == "H")
        return v.hazard;
    if (output == "quantile")
        return v.quantile;
    return output == "mean" ? v.mean : v.variance;
}

// Every value of every case in the table: each readout right to within one unit of its tenth
// significant digit, and its text read back by the field reader just as right; no readout where
// no finite value exists, apart from the fields' kept conventions.
TEST(PreciseReadout, TenDigitsAgainstTheTruthTable) {
    const std::vector<TruthLine> lines = ReadTruth();
    ASSERT_GT(lines.size(), 50000u);
    std::map<std::string, Real> worst; // per output, of the value and of its text
    int failures = 0;
    InputTexts last;
    DistributionId lastId = DistributionId::Beta;
    PreciseValues values;
    for (const TruthLine& line : lines) {
        const bool moment = line.output == "mean" || line.output == "variance";
        const bool level = line.output == "quantile";
        const InputTexts inputs{QString::fromStdString(line.params[0]),
                                QString::fromStdString(line.params[1]),
                                QString::fromStdString(line.params[2]),
                                QString::fromStdString(level || moment ? "0" : line.argument),
                                QString::fromStdString(level ? line.argument : "0.5")};
        if (!(line.id == lastId && inputs.param1 == last.param1 && inputs.param2 == last.param2 &&
              inputs.param3 == last.param3 && inputs.x == last.x && inputs.q == last.q)) {
            values = CalculatePrecise(line.id, inputs);
            last = inputs;
            lastId = line.id;
        }
        const std::optional<double> v = Pick(values, line.output);
        const std::string where = std::to_string(static_cast<int>(line.id)) + ": " +
                                  line.params[0] + " " + line.params[1] + " " + line.params[2] +
                                  " " + line.output + "(" + line.argument + ")";
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

} // namespace
} // namespace kelvora
