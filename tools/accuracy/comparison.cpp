#include "comparison.hpp"

#include "accuracy_bounds.hpp"

#include "dist/calculate_results.hpp"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kelvora::accuracy {

namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();
constexpr Real kDoubleMax = std::numeric_limits<double>::max();
constexpr Real kDoubleEpsilon = std::numeric_limits<double>::epsilon();

// A true value the calculator could show: finite and inside the double range.
bool Showable(Real v) {
    return std::isfinite(v) && std::abs(v) <= kDoubleMax;
}

Real ShownNumber(const QString& text) {
    if (text == kNotAvailable) {
        return kNaN;
    }
    const QByteArray bytes = text.toLatin1();
    return std::strtold(bytes.constData(), nullptr);
}

// The verdict on "N/A" alone: right unless a showable true value exists.
Comparison NotAvailable(Comparison c) {
    c.verdict = Showable(c.truth) ? Verdict::FalseNotAvailable : Verdict::Agrees;
    c.error = Showable(c.truth) ? std::numeric_limits<Real>::infinity() : 0;
    return c;
}

Comparison CompareValue(Comparison c, const Accuracy& accuracy) {
    if (std::isnan(c.shown)) {
        return NotAvailable(c);
    }
    if (!Showable(c.truth)) {
        c.error = std::numeric_limits<Real>::infinity();
        c.verdict = Verdict::WrongValue;
        return c;
    }
    c.error = std::abs(c.shown - c.truth);
    c.allowance = kHalfDigit + accuracy.absolute +
                  (accuracy.relative + 4 * kDoubleEpsilon) * std::abs(c.truth);
    c.verdict = c.error <= c.allowance ? Verdict::Agrees : Verdict::WrongValue;
    return c;
}

// The shown x stands for every value that rounds to it; widened by the solver's relative
// accuracy, by some units in the last place of a double, and by the smallest normal double
// times the parameters' size (a quantile that underflows to 0 is met at the first double
// the routines can tell from 0).
Comparison CompareContinuousQuantile(Comparison c, const Reference& truth,
                                     const CaseValues& values) {
    if (std::isnan(c.shown)) {
        return NotAvailable(c);
    }
    if (!Showable(c.truth)) {
        c.error = std::numeric_limits<Real>::infinity();
        c.verdict = Verdict::WrongValue;
        return c;
    }
    const QuantileAccuracy accuracy = QuantileAccuracyOf(values.params);
    const DistributionParameters& p = values.params;
    const Real size = std::max({Real{1}, std::abs(Real{p.real1}), std::abs(Real{p.real2})});
    const Real width = kHalfDigit + (accuracy.relative + 16 * kDoubleEpsilon) * std::abs(c.shown) +
                       std::numeric_limits<double>::min() * size;
    // On the smaller tail, where its digits are: the upper one through the survival.
    const Real q = values.q;
    const bool upper = q > 0.5;
    const Real tail = upper ? 1 - q : q;
    const auto tailAt = [&](Real x) { return upper ? truth.Survival(x) : truth.Cumulative(x); };
    const Real atLow = tailAt(c.shown - width);
    const Real atHigh = tailAt(c.shown + width);
    const Real least = std::min(atLow, atHigh);
    const Real most = std::max(atLow, atHigh);
    c.levelError = std::max({Real{0}, least - tail, tail - most});
    c.error = std::abs(c.shown - c.truth);
    c.allowance = width;
    const Real allowed = accuracy.levelAbsolute + accuracy.levelRelative * tail;
    c.verdict = c.levelError <= allowed ? Verdict::Agrees : Verdict::WrongValue;
    return c;
}

// Any count from the smallest whose cumulative reaches q less the tie allowance to the
// smallest that reaches q plus it.
Comparison CompareDiscreteQuantile(Comparison c, const Reference& truth, const CaseValues& values) {
    const Real tie = DiscreteLevelTie(values.params);
    const Real fewest = truth.Quantile(std::max(Real{0}, values.q - tie));
    const Real most = truth.Quantile(std::min(Real{1}, values.q + tie));
    if (std::isnan(c.shown)) {
        return NotAvailable(c);
    }
    if (!Showable(c.truth) && !Showable(fewest)) {
        c.error = std::numeric_limits<Real>::infinity();
        c.verdict = Verdict::WrongValue;
        return c;
    }
    c.error = c.shown < fewest ? fewest - c.shown : (c.shown > most ? c.shown - most : 0);
    c.verdict = c.error == 0 ? Verdict::Agrees : Verdict::WrongValue;
    return c;
}

Real TrueValue(Output output, const Reference& truth, const CaseValues& values) {
    switch (output) {
    case Output::Density:
        return truth.Density(values.x);
    case Output::Cumulative:
        return truth.Cumulative(values.x);
    case Output::Survival:
        return truth.Survival(values.x);
    case Output::Hazard:
        return truth.Hazard(values.x);
    case Output::Quantile:
        return truth.Quantile(values.q);
    case Output::Mean:
        return truth.Mean();
    case Output::Variance:
        return truth.Variance();
    }
    return kNaN;
}

} // namespace

const char* OutputName(Output output) {
    switch (output) {
    case Output::Density:
        return "f";
    case Output::Cumulative:
        return "F";
    case Output::Survival:
        return "S";
    case Output::Hazard:
        return "H";
    case Output::Quantile:
        return "quantile";
    case Output::Mean:
        return "mean";
    case Output::Variance:
        return "variance";
    }
    return "?";
}

Comparison Compare(Output output, const QString& shownText, const Reference& truth,
                   const CaseValues& values) {
    Comparison c;
    c.output = output;
    c.shown = ShownNumber(shownText);
    c.truth = TrueValue(output, truth, values);
    c.levelError = kNaN;
    c.survival = kNaN;
    if (output == Output::Quantile) {
        return truth.IsDiscrete() ? CompareDiscreteQuantile(c, truth, values)
                                  : CompareContinuousQuantile(c, truth, values);
    }
    if (output == Output::Hazard) {
        c.survival = truth.Survival(values.x);
        const DistributionParameters& p = values.params;
        const double survivalError =
            HazardSurvivalError(c.survival, CumulativeAccuracy(p.id), SurvivalRelativeAccuracy(p));
        return CompareValue(c, {0.0, ValueAccuracy(p, Output::Density).relative + survivalError});
    }
    return CompareValue(c, ValueAccuracy(values.params, output));
}

} // namespace kelvora::accuracy
