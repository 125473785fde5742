#include "comparison.hpp"

#include "results/calculate_results.hpp"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kelvora::accuracy {

namespace {

using Id = DistributionId;

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();
constexpr Real kInfinity = std::numeric_limits<Real>::infinity();

// A true value the calculator could show: finite and inside the double range.
bool Showable(Real v) {
    return std::isfinite(v) && std::abs(v) <= std::numeric_limits<double>::max();
}

Real ShownNumber(const QString& text) {
    if (text == kNotAvailable) {
        return kNaN;
    }
    const QByteArray bytes = text.toLatin1();
    return std::strtold(bytes.constData(), nullptr);
}

// The error in units of the contract's allowance: right up to 1.
Real Error(Real shown, Real truth) {
    return std::abs(shown - truth) / (kHalfDigit + kRelative * std::abs(truth));
}

bool Within(Real shown, Real truth) {
    return Error(shown, truth) <= 1;
}

Verdict Judge(Comparison& c, const Truth& truth, bool exact) {
    if (std::isnan(c.shown)) {
        c.error = Showable(c.truth) ? kInfinity : 0;
        return Showable(c.truth) ? Verdict::FalseNotAvailable : Verdict::Agrees;
    }
    if (!Showable(c.truth)) {
        c.error = kInfinity;
        return Verdict::WrongValue;
    }
    if (exact) {
        const bool tie =
            std::find(truth.also.begin(), truth.also.end(), c.shown) != truth.also.end();
        c.error = std::abs(c.shown - c.truth);
        return c.shown == c.truth || tie ? Verdict::Agrees : Verdict::WrongValue;
    }
    c.error = Error(c.shown, c.truth);
    return c.error <= 1 ? Verdict::Agrees : Verdict::WrongValue;
}

constexpr std::array<Convention, kConventionCount> kConventions = {{
    {"Cauchy mean: the location",
     [](const CaseValues& v, Output o, Real shown) {
         return v.params.id == Id::Cauchy && o == Output::Mean && Within(shown, v.params.real1);
     }},
    {"t mean: 0, also at df = 1",
     [](const CaseValues& v, Output o, Real shown) {
         return v.params.id == Id::StudentT && o == Output::Mean && shown == 0;
     }},
    // The failures before the first success as floor(ln(1 - q) / ln(1 - p)), in double.
    {"geometric quantile: the formula",
     [](const CaseValues& v, Output o, Real shown) {
         return v.params.id == Id::Geometric && o == Output::Quantile &&
                shown == std::floor(std::log(1.0 - v.q) / std::log(1.0 - v.params.real1));
     }},
}};

} // namespace

const char* OutputName(Output output) {
    static constexpr std::array<const char*, kOutputCount> kNames = {
        "f", "F", "S", "H", "quantile", "mean", "variance"};
    return kNames[static_cast<std::size_t>(output)];
}

const std::array<Convention, kConventionCount>& Conventions() {
    return kConventions;
}

Comparison Compare(Output output, const QString& shownText, const CaseValues& values,
                   const Truth* truth) {
    Comparison c;
    c.output = output;
    c.shown = ShownNumber(shownText);
    if (truth == nullptr) {
        c.truth = kNaN;
        c.error = kInfinity;
        c.verdict = Verdict::NoTruth;
        return c;
    }
    c.truth = truth->value;
    const bool exact = output == Output::Quantile && IsDiscrete(values.params.id);
    c.verdict = Judge(c, *truth, exact);
    for (int i = 0; i < kConventionCount && c.verdict != Verdict::Agrees; ++i) {
        if (!std::isnan(c.shown) &&
            kConventions[static_cast<std::size_t>(i)].applies(values, output, c.shown)) {
            c.verdict = Verdict::Convention;
            c.convention = i;
        }
    }
    return c;
}

} // namespace kelvora::accuracy
