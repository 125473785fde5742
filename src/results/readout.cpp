// The precise readout and the tools built on it. Every number here is the same quantity as a
// result field's, read from the same texts (ReadParameters, ParseFieldNumber), but evaluated
// accurately: the continuous tails, densities and hazards from the accurate forms, the discrete
// masses by the saddle-point expansion and their tails summed outward, the continuous quantile
// narrowed on the tails, and the moments from closed forms in long double. A value exists only
// where the field shows one, so the readout follows the field's conventions (the Cauchy mean
// field shows the location).
#include "results/readout.hpp"

#include "distributions/accurate.hpp"
#include "distributions/discrete_tails.hpp"
#include "distributions/field_number.hpp"
#include "distributions/parameters.hpp"
#include "registry/registry.hpp"
#include "results/field_reading.hpp"
#include "sampling/plot_samples.hpp"

#include <QByteArray>

#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace kelvora {

namespace {

using results::Attempt;
using results::ReadFieldNumber;
using results::View;

using Value = std::optional<double>;
using Real = long double;

constexpr int kPreciseDigits = 10;
constexpr double kScientificBelow = 1e-4;
constexpr double kScientificFrom = 1e15;

Value Finite(long double v) {
    const auto d = static_cast<double>(v);
    return std::isfinite(d) ? Value(d) : std::nullopt;
}

std::optional<DistributionParameters> Read(DistributionId id, const QString& t1, const QString& t2,
                                           const QString& t3) {
    const int index = static_cast<int>(id);
    if (index < 0 || index >= kDistributionCount) {
        return std::nullopt;
    }
    const QByteArray b1 = t1.toUtf8();
    const QByteArray b2 = t2.toUtf8();
    const QByteArray b3 = t3.toUtf8();
    return ReadParameters(id, View(b1), View(b2), View(b3));
}

// The text a field reads back as exactly v.
QString ExactText(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return QString::fromLatin1(text);
}

// The value of a field's four-decimal (or whole) text; no value for "N/A".
Value FieldValue(const QString& text) {
    return text == kNotAvailable ? std::nullopt : ReadFieldNumber(text);
}

// P(X <= x) and P(X > x) at a field number x, each evaluated directly: a discrete
// distribution's tails at the routines' point.
Real LowerAt(const DistributionParameters& p, double x) {
    const DistributionRow& row = RowOf(p.id);
    return IsDiscrete(p.id) ? row.preciseTail(p, Tail::Lower, row.point(x)) : PreciseLower(p, x);
}

Real UpperAt(const DistributionParameters& p, double x) {
    const DistributionRow& row = RowOf(p.id);
    return IsDiscrete(p.id) ? row.preciseTail(p, Tail::Upper, row.point(x)) : PreciseUpper(p, x);
}

// The moments in long double, as the mean and variance fields show them.
Value Moment(const DistributionParameters& p, bool mean) {
    const DistributionRow& row = RowOf(p.id);
    return Finite(mean ? row.preciseMean(p) : row.preciseVariance(p));
}

// The continuous q-quantile behind the field's shown value.
Value ContinuousQuantile(const DistributionParameters& p, double q, double shown) {
    if (q <= 0.0 || q >= 1.0) {
        const Support s = ContinuousSupport(p);
        return Finite(q <= 0.0 ? s.lowest : s.highest);
    }
    return PreciseQuantile(p, q, shown);
}

// The precise values behind a calculation's field texts `shown`: a value only where the field
// has one.
PreciseValues PreciseFrom(DistributionId id, const InputTexts& inputs, const ResultTexts& shown) {
    PreciseValues out;
    const std::optional<DistributionParameters> params =
        Read(id, inputs.param1, inputs.param2, inputs.param3);
    if (!params) {
        return out;
    }
    const DistributionParameters& p = *params;
    const bool discrete = IsDiscrete(id);
    const auto shows = [](const QString& text) { return text != kNotAvailable; };

    if (const Value x = ReadFieldNumber(inputs.x)) {
        const DistributionRow& row = RowOf(id);
        if (shows(shown.density)) {
            out.density = Attempt([&] {
                return Finite(discrete ? row.preciseMass(p, row.point(*x)) : PreciseDensity(p, *x));
            });
        }
        if (shows(shown.cumulative)) {
            out.cumulative = Attempt([&] { return Finite(LowerAt(p, *x)); });
        }
        if (shows(shown.survival)) {
            out.survival = Attempt([&] { return Finite(UpperAt(p, *x)); });
        }
        if (!discrete && shows(shown.hazard)) {
            out.hazard = Attempt([&] { return Finite(PreciseHazard(p, *x)); });
        }
    }
    const Value q = ReadFieldNumber(inputs.q);
    const Value quantile = FieldValue(shown.quantile);
    if (q && quantile) {
        // A discrete quantile is a whole number, already exact in its field.
        out.quantile =
            discrete ? quantile : Attempt([&] { return ContinuousQuantile(p, *q, *quantile); });
    }
    if (shows(shown.mean)) {
        out.mean = Attempt([&] { return Moment(p, true); });
    }
    if (shows(shown.variance)) {
        out.variance = Attempt([&] { return Moment(p, false); });
    }
    return out;
}

InputTexts InputsAt(const ParameterFieldTexts& params, const QString& x, const QString& q) {
    return {params.param1, params.param2, params.param3, x, q};
}

// P(a < X <= b) from the tails at a and b, on the side that keeps its digits: the difference
// of the lower tails when b lies below the median, of the upper tails when a lies above it, and
// otherwise what the two outer tails (each at most about one half) leave.
Real Inside(Real lowerA, Real upperA, Real lowerB, Real upperB) {
    Real inside = 0.0L;
    if (lowerB <= 0.5) {
        inside = lowerB - lowerA;
    } else if (upperA <= 0.5) {
        inside = upperA - upperB;
    } else {
        inside = (1.0L - lowerA) - upperB;
    }
    return std::fmax(inside, 0.0L);
}

// Rows run while x <= end within this fraction of a step.
constexpr double kRowSlack = 1e-9;

// The number of rows i = 0, 1, ... with start + i step <= end within 1e-9 of a step, for a
// positive step and end >= start (more than kMaxTableRows, or infinite, where the range is
// too long).
double TableRows(const TableRange& range) {
    return std::floor((range.end - range.start) / range.step + kRowSlack) + 1.0;
}

} // namespace

QString PreciseText(std::optional<double> v) {
    if (!v || !std::isfinite(*v)) {
        return kNotAvailable;
    }
    if (*v == 0.0) {
        return QStringLiteral("0");
    }
    const double magnitude = std::fabs(*v);
    char text[40];
    std::snprintf(text, sizeof text, "%.*e", kPreciseDigits - 1, *v);
    if (magnitude < kScientificBelow || magnitude >= kScientificFrom) {
        return QString::fromLatin1(text);
    }
    // Plain notation with the same ten rounded digits: d.ddddddddde+XX, the point moved.
    const std::string s(text);
    const bool negative = s[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    std::string digits = s.substr(first, 1) + s.substr(first + 2, kPreciseDigits - 1);
    const int exponent = std::stoi(s.substr(s.find('e') + 1));
    std::string plain;
    if (exponent < 0) {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (exponent >= kPreciseDigits - 1) {
        plain =
            digits + std::string(static_cast<std::size_t>(exponent - (kPreciseDigits - 1)), '0');
    } else {
        const auto point = static_cast<std::size_t>(exponent + 1);
        plain = digits.substr(0, point) + "." + digits.substr(point);
    }
    return QString::fromLatin1((negative ? "-" : "") + plain);
}

PreciseValues CalculatePrecise(DistributionId id, const InputTexts& inputs) {
    const CalculationOutput shown = CalculateResults(id, inputs, QLocale::c());
    return PreciseFrom(id, inputs, shown.texts);
}

ResultTexts PreciseTexts(const PreciseValues& v) {
    return {PreciseText(v.density), PreciseText(v.cumulative), PreciseText(v.survival),
            PreciseText(v.hazard),  PreciseText(v.quantile),   PreciseText(v.mean),
            PreciseText(v.variance)};
}

std::optional<TableRange> DefaultTableRange(DistributionId id, const ParameterFieldTexts& params) {
    const int index = static_cast<int>(id);
    if (index < 0 || index >= kDistributionCount) {
        return std::nullopt;
    }
    const QByteArray t1 = params.param1.toUtf8();
    const QByteArray t2 = params.param2.toUtf8();
    const QByteArray t3 = params.param3.toUtf8();
    PlotRange range;
    if (!ChoosePlotRange(id, ParameterTexts{View(t1), View(t2), View(t3)}, range) ||
        !std::isfinite(range.XMin) || !std::isfinite(range.XMax)) {
        return std::nullopt;
    }
    constexpr double kDefaultSteps = 20.0;
    if (IsDiscrete(id)) {
        const double start = std::ceil(range.XMin);
        const double end = std::floor(range.XMax);
        if (!(end >= start)) {
            return std::nullopt;
        }
        return TableRange{start, end, 1.0};
    }
    if (!(range.XMax > range.XMin)) {
        return std::nullopt;
    }
    return TableRange{range.XMin, range.XMax, (range.XMax - range.XMin) / kDefaultSteps};
}

TableRefusal CheckTableRange(const TableRange& range) {
    if (!(range.step > 0.0) || !std::isfinite(range.step)) {
        return TableRefusal::StepNotPositive;
    }
    if (!(range.end >= range.start)) {
        return TableRefusal::EndBelowStart;
    }
    return TableRows(range) <= kMaxTableRows ? TableRefusal::None : TableRefusal::TooManyRows;
}

ValuesTable MakeValuesTable(DistributionId id, const ParameterFieldTexts& params,
                            const TableRange& range, const QLocale& locale) {
    ValuesTable table;
    table.refusal = CheckTableRange(range);
    if (table.refusal != TableRefusal::None) {
        return table;
    }
    if (!Read(id, params.param1, params.param2, params.param3)) {
        table.refusal = TableRefusal::InvalidParameters;
        return table;
    }
    const int rows = static_cast<int>(TableRows(range));
    table.rows.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        // Fifteen digits drop the binary noise of the sum (0.30000000000000004 is 0.3), so a
        // row's x is what a user would type, and a whole point stays whole; a row within a
        // billionth of a step of 0 is 0 (-0.3 + 3 * 0.1 leaves 5.55e-17, or a value just below
        // 0 that a discrete distribution would read as the point -1).
        double x = range.start + i * range.step;
        if (std::fabs(x) < kRowSlack * range.step) {
            x = 0.0;
        }
        const QString xText = QString::number(x, 'g', 15);
        const InputTexts inputs = InputsAt(params, xText, QString());
        const CalculationOutput shown = CalculateResults(id, inputs, locale);
        const PreciseValues precise = PreciseFrom(id, inputs, shown.texts);
        TableRow row;
        row.x = ReadFieldNumber(xText).value_or(0.0);
        row.density = shown.texts.density;
        row.cumulative = shown.texts.cumulative;
        row.survival = shown.texts.survival;
        row.hazard = IsDiscrete(id) ? QString() : shown.texts.hazard;
        row.preciseDensity = precise.density;
        row.preciseCumulative = precise.cumulative;
        row.preciseSurvival = precise.survival;
        row.preciseHazard = precise.hazard;
        table.rows.push_back(std::move(row));
    }
    return table;
}

IntervalProbabilities IntervalProbability(DistributionId id, const ParameterFieldTexts& params,
                                          double a, double b) {
    IntervalProbabilities out;
    const std::optional<DistributionParameters> p =
        Read(id, params.param1, params.param2, params.param3);
    if (!p || !(a <= b)) {
        return out;
    }
    try {
        const Real lowerA = LowerAt(*p, a);
        const Real upperA = UpperAt(*p, a);
        const Real lowerB = LowerAt(*p, b);
        const Real upperB = UpperAt(*p, b);
        const Value inside = Finite(Inside(lowerA, upperA, lowerB, upperB));
        if (inside && Finite(lowerA) && Finite(upperB)) {
            out = {Finite(lowerA), inside, Finite(upperB)};
        }
    } catch (const std::exception&) {
        // ArithmeticFault from a discrete tail: no values.
    }
    return out;
}

CentralInterval CentralIntervalFor(DistributionId id, const ParameterFieldTexts& params, double p) {
    CentralInterval out;
    if (!(p >= 0.0 && p <= 1.0)) {
        return out;
    }
    // The quantile field's own quantiles at the two levels, refined.
    const auto quantileAt = [&](double level) {
        return CalculatePrecise(id, InputsAt(params, QString(), ExactText(level))).quantile;
    };
    out.lower = quantileAt((1.0 - p) / 2.0);
    out.upper = quantileAt((1.0 + p) / 2.0);
    if (IsDiscrete(id) && out.lower && out.upper) {
        // P(x1 <= X <= x2) = P(x1 - 1 < X <= x2).
        out.held = IntervalProbability(id, params, *out.lower - 1.0, *out.upper).inside;
        if (!out.held) {
            out.lower.reset();
            out.upper.reset();
        }
    }
    return out;
}

} // namespace kelvora
