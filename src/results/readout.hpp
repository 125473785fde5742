// Beyond the four decimals: the precise readout of every result, the values table and the
// interval probabilities. Shared by the window's tools and kelvora-calc; needs no display.
#pragma once

#include "distributions/distribution_id.hpp"
#include "results/calculate_results.hpp"

#include <QLocale>
#include <QString>

#include <optional>
#include <vector>

namespace kelvora {

// A value to ten significant digits, in scientific notation below 1e-4 and from 1e15 on
// (3.170534249e-05), with "." as the decimal point and no grouping, so that a field reads it
// back; "N/A" where there is no finite value.
QString PreciseText(std::optional<double> v);

// The seven results of the window's fields, each from an accurate evaluation of the same
// quantity (right to ten significant digits); no value where the field shows "N/A".
struct PreciseValues {
    std::optional<double> density;
    std::optional<double> cumulative;
    std::optional<double> survival;
    std::optional<double> hazard;
    std::optional<double> quantile;
    std::optional<double> mean;
    std::optional<double> variance;
};
PreciseValues CalculatePrecise(DistributionId id, const InputTexts& inputs);

// The seven readouts as texts, in the fields' order.
ResultTexts PreciseTexts(const PreciseValues& values);

// The three parameter texts of a distribution, as typed.
struct ParameterFieldTexts {
    QString param1;
    QString param2;
    QString param3;
};

// Values table: rows x_i = start + i * step while x_i <= end (within 1e-9 of a step).
inline constexpr int kMaxTableRows = 10000;

enum class TableRefusal {
    None,
    StepNotPositive,   // step <= 0 or not a number
    EndBelowStart,     // end < start
    TooManyRows,       // more than kMaxTableRows rows
    InvalidParameters, // the parameters are invalid: the window's message stands instead
};

struct TableRow {
    double x = 0.0;
    // The four-decimal texts the fields would show at this x (hazard empty for a discrete
    // distribution), and the precise values behind them.
    QString density, cumulative, survival, hazard;
    std::optional<double> preciseDensity, preciseCumulative, preciseSurvival, preciseHazard;
};

struct ValuesTable {
    TableRefusal refusal = TableRefusal::None;
    std::vector<TableRow> rows;
};

struct TableRange {
    double start = 0.0;
    double end = 0.0;
    double step = 0.0;
};

// The graph's current x range in 20 steps; for a discrete distribution the whole points from
// ceil(XMin) to floor(XMax) in steps of 1. No value where the graph has no range.
std::optional<TableRange> DefaultTableRange(DistributionId id, const ParameterFieldTexts& params);

// Why a range would be refused before any parameter is read (None where it gives rows): the
// checks MakeValuesTable makes first, for a caller that must refuse a range on its own.
TableRefusal CheckTableRange(const TableRange& range);

ValuesTable MakeValuesTable(DistributionId id, const ParameterFieldTexts& params,
                            const TableRange& range, const QLocale& locale);

// P(X <= a), P(a < X <= b) and P(X > b), each from accurate tails (for a discrete
// distribution over whole points: floor(a), floor(b)). No values where a > b or the
// parameters are invalid.
struct IntervalProbabilities {
    std::optional<double> below;
    std::optional<double> inside;
    std::optional<double> above;
};
IntervalProbabilities IntervalProbability(DistributionId id, const ParameterFieldTexts& params,
                                          double a, double b);

// The equal-tailed central interval for probability p: the (1 - p)/2- and (1 + p)/2-quantiles;
// for a discrete distribution also the probability P(lower <= X <= upper) it holds.
struct CentralInterval {
    std::optional<double> lower;
    std::optional<double> upper;
    std::optional<double> held; // discrete distributions only
};
CentralInterval CentralIntervalFor(DistributionId id, const ParameterFieldTexts& params, double p);

} // namespace kelvora
