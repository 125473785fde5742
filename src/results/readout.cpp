// The precise readout and the tools built on it. Every number here is the same quantity as a
// result field's, read from the same texts (ReadParameters, ParseFieldNumber), but evaluated
// accurately: the continuous tails, densities and hazards from the accurate forms, the discrete
// masses by the saddle-point expansion and their tails summed outward, the continuous quantile
// narrowed on the tails, and the moments from closed forms in long double. A value exists only
// where the field shows one, so the readout follows the field's conventions (the Cauchy mean
// field shows the location).
#include "results/readout.hpp"

#include "distributions/accurate.hpp"
#include "distributions/discrete_saddle_point.hpp"
#include "distributions/discrete_tails.hpp"
#include "distributions/field_number.hpp"
#include "distributions/parameters.hpp"
#include "distributions/precise_tails.hpp"
#include "quantile/precise_quantile.hpp"
#include "results/calculate_results_routines.hpp"
#include "sampling/plot_samples.hpp"

#include <QByteArray>

#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

namespace kelvora {

namespace {

using Id = DistributionId;
using Value = std::optional<double>;
using Real = long double;

constexpr int kPreciseDigits = 10;
constexpr double kScientificBelow = 1e-4;
constexpr double kScientificFrom = 1e15;
constexpr Real kPiL = 3.141592653589793238462643383279502884L;

// Runs one evaluation: a fault, a missing value and a non-finite value all end as no value.
template <typename Evaluation> Value Attempt(Evaluation&& evaluation) noexcept {
    try {
        const Value v = evaluation();
        if (v && std::isfinite(*v)) {
            return v;
        }
    } catch (const std::exception&) {
        // ArithmeticFault from the numeric library; nothing escapes the readout.
    }
    return std::nullopt;
}

Value Finite(long double v) {
    const auto d = static_cast<double>(v);
    return std::isfinite(d) ? Value(d) : std::nullopt;
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

Value ReadFieldNumber(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return Attempt([&]() -> Value { return ParseFieldNumber(View(bytes)); });
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

// --- discrete masses and tails at the routines' point k (trials for the Geometric) ---

double DiscreteMass(const DistributionParameters& p, double k) {
    switch (p.id) {
    case Id::Binomial:
        return SaddlePointBinomialMass(k, p.count1, p.real2, 1.0 - p.real2);
    case Id::Poisson:
        return SaddlePointPoissonMass(k, p.real1);
    case Id::Hypergeometric: {
        const double M = p.count1;
        const double K = p.count2;
        const double n = p.count3;
        if (k < std::fmax(0.0, n - (M - K)) || k > std::fmin(n, K)) {
            return 0.0;
        }
        return SaddlePointHypergeometricMass(k, n, K, M);
    }
    case Id::Geometric:
        // The first success at trial k: p (1 - p)^(k - 1).
        return k < 1.0 ? 0.0 : p.real1 * std::exp((k - 1.0) * std::log1p(-p.real1));
    default:
        return std::nan("");
    }
}

double DiscreteTail(const DistributionParameters& p, Tail tail, double k) {
    switch (p.id) {
    case Id::Binomial:
        return BinomialTail(tail, k, p.count1, p.real2);
    case Id::Poisson:
        return PoissonTail(tail, k, p.real1);
    case Id::Hypergeometric:
        return HypergeometricTail(tail, k, p.count3, p.count2, p.count1);
    case Id::Geometric: {
        // P(X > k) = (1 - p)^k for k trials, in logarithms so that neither tail cancels.
        if (k < 1.0) {
            return tail == Tail::Lower ? 0.0 : 1.0;
        }
        const double t = k * std::log1p(-p.real1);
        return tail == Tail::Lower ? -std::expm1(t) : std::exp(t);
    }
    default:
        return std::nan("");
    }
}

// P(X <= x) and P(X > x) at a field number x, each evaluated directly.
Real LowerAt(const DistributionParameters& p, double x) {
    return IsDiscrete(p.id) ? DiscreteTail(p, Tail::Lower, results::DiscretePoint(p.id, x))
                            : PreciseLower(p, x);
}

Real UpperAt(const DistributionParameters& p, double x) {
    return IsDiscrete(p.id) ? DiscreteTail(p, Tail::Upper, results::DiscretePoint(p.id, x))
                            : PreciseUpper(p, x);
}

// --- the moments, closed forms in long double ---

// Gamma(1 + 2/k) - Gamma(1 + 1/k)^2 as Gamma(1 + 1/k)^2 (exp(d) - 1): the difference d of the
// log-gammas keeps its digits in long double up to shapes of about 1e8.
Real WeibullSpread(Real shape) {
    const Real one = std::lgamma(1.0L + 1.0L / shape);
    const Real two = std::lgamma(1.0L + 2.0L / shape);
    return std::exp(2.0L * one) * std::expm1(two - 2.0L * one);
}

Value Moment(const DistributionParameters& p, bool mean) {
    const Real a = p.real1;
    const Real b = p.real2;
    Real v = 0.0L;
    switch (p.id) {
    case Id::Beta:
        v = mean ? a / (a + b) : a * b / ((a + b) * (a + b) * (a + b + 1.0L));
        break;
    case Id::Binomial:
        v = mean ? p.count1 * b : p.count1 * b * (1.0L - b);
        break;
    case Id::Cauchy:
    case Id::Normal:
        v = mean ? a : b * b; // the Cauchy mean field shows the location
        break;
    case Id::ChiSquare:
        v = mean ? Real(p.count1) : 2.0L * p.count1;
        break;
    case Id::Exponential:
        v = mean ? b : b * b;
        break;
    case Id::F: {
        const Real m = p.count1;
        const Real n = p.count2;
        v = mean ? n / (n - 2.0L)
                 : 2.0L * n * n * (m + n - 2.0L) / (m * (n - 2.0L) * (n - 2.0L) * (n - 4.0L));
        break;
    }
    case Id::Gamma:
        v = mean ? a * b : a * a * b;
        break;
    case Id::Geometric:
        v = mean ? 1.0L / a : (1.0L - a) / (a * a); // the mean field counts trials
        break;
    case Id::Hypergeometric: {
        const Real M = p.count1;
        const Real K = p.count2;
        const Real n = p.count3;
        v = mean ? n * K / M
                 : (M == 1.0L ? 0.0L : n * K * (M - K) * (M - n) / (M * M * (M - 1.0L)));
        break;
    }
    case Id::Lognormal:
        v = mean ? std::exp(a + b * b / 2.0L) : std::expm1(b * b) * std::exp(2.0L * a + b * b);
        break;
    case Id::Poisson:
        v = a;
        break;
    case Id::Rayleigh:
        v = mean ? a * std::sqrt(kPiL / 2.0L) : (4.0L - kPiL) / 2.0L * a * a;
        break;
    case Id::StudentT: {
        const Real n = p.count1;
        v = mean ? 0.0L : n / (n - 2.0L); // the mean field shows 0 also at df 1
        break;
    }
    case Id::Uniform:
        v = mean ? (a + b) / 2.0L : (b - a) * (b - a) / 12.0L;
        break;
    case Id::Weibull:
        v = mean ? a * std::exp(std::lgamma(1.0L + 1.0L / b)) : a * a * WeibullSpread(b);
        break;
    }
    return Finite(static_cast<double>(v));
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
        const double k = results::DiscretePoint(id, *x);
        if (shows(shown.density)) {
            out.density = Attempt(
                [&] { return Finite(discrete ? DiscreteMass(p, k) : PreciseDensity(p, *x)); });
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

// The number of rows i = 0, 1, ... with start + i step <= end within 1e-9 of a step, for a
// positive step and end >= start (more than kMaxTableRows, or infinite, where the range is
// too long).
double TableRows(const TableRange& range) {
    constexpr double kRowSlack = 1e-9;
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
        // row's x is what a user would type, and a whole point stays whole.
        const QString xText = QString::number(range.start + i * range.step, 'g', 15);
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
