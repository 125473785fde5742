// The result calculation. Every output is evaluated on its own from the current inputs, so a
// field never shows a value that belongs to other inputs: an output whose evaluation faults,
// or that does not exist, shows "N/A" and the others are still computed. Survival is formed
// from the cumulative and the hazard from density and cumulative, so those inherit its faults.
#include "results/calculate_results.hpp"

#include "distributions/accurate.hpp"
#include "distributions/field_number.hpp"
#include "distributions/hazard.hpp"
#include "quantile/verified_quantile.hpp"
#include "registry/registry.hpp"
#include "results/field_reading.hpp"

#include <QByteArray>

#include <cmath>
#include <exception>
#include <optional>
#include <string_view>

namespace kelvora {

namespace {

using results::Attempt;
using results::ReadFieldNumber;
using results::View;

// A continuous distribution's written value is shown where its four-decimal text is within the
// shown tolerance of the accurate value; elsewhere (a fault, a truncated series, an overflowing
// intermediate) the accurate value stands in, and "N/A" where the true value is infinite. With
// no accurate value to judge by the written one stays.
Value Checked(const Value& written, double accurate) {
    if (std::isnan(accurate)) {
        return written;
    }
    if (!std::isfinite(accurate)) {
        return std::nullopt;
    }
    if (written && ShowsWithinTolerance(*written, accurate)) {
        return written;
    }
    return accurate;
}

QString Show(const Value& v, const QLocale& locale) {
    return v ? FormatResult(*v, locale) : kNotAvailable;
}

// Discrete quantiles are whole numbers: plain digits, no grouping, whatever their size.
QString ShowCount(const Value& v) {
    return v ? QString::number(*v, 'f', 0) : kNotAvailable;
}

CalculationOutput AllNotAvailable(double q) {
    CalculationOutput out;
    out.set.Q = q;
    out.texts = {kNotAvailable, kNotAvailable, kNotAvailable, kNotAvailable,
                 kNotAvailable, kNotAvailable, kNotAvailable};
    return out;
}

bool IsKnown(DistributionId id) {
    const int index = static_cast<int>(id);
    return index >= 0 && index < kDistributionCount;
}

} // namespace

CalculationOutput CalculateResults(DistributionId id, const InputTexts& inputs,
                                   const QLocale& locale) {
    const Value q = ReadFieldNumber(inputs.q);
    const double qRead = q.value_or(0.0);
    if (!IsKnown(id)) {
        return AllNotAvailable(qRead);
    }

    const QByteArray text1 = inputs.param1.toUtf8();
    const QByteArray text2 = inputs.param2.toUtf8();
    const QByteArray text3 = inputs.param3.toUtf8();
    const std::optional<DistributionParameters> params =
        ReadParameters(id, View(text1), View(text2), View(text3));
    if (!params) {
        return AllNotAvailable(qRead);
    }
    const DistributionParameters& p = *params;

    const Value x = ReadFieldNumber(inputs.x);
    Value cumulative;
    Value density;
    if (x) {
        cumulative = Attempt([&] { return Cumulative(p, *x); });
        density = Attempt([&] { return Density(p, *x); });
        if (!IsDiscrete(id)) {
            cumulative = Checked(cumulative, AccurateLower(p, *x));
            density = Checked(density, AccurateDensity(p, *x));
        }
    }

    Value quantile;
    if (q && *q >= 0.0 && *q <= 1.0) {
        if (IsDiscrete(id)) {
            quantile = Attempt([&] { return Quantile(p, *q); });
        } else {
            // The ends of the support need no solver.
            Value written;
            if (*q > 0.0 && *q < 1.0) {
                written = Attempt([&] { return Quantile(p, *q); });
            }
            quantile = Attempt([&] { return VerifiedQuantile(p, *q, written); });
        }
    }

    const Value mean = Attempt([&] { return Mean(p); });
    const Value variance = Attempt([&] { return Variance(p); });

    Value survival;
    if (cumulative) {
        survival = 1.0 - *cumulative;
    }
    // The hazard exists only for the continuous distributions, and only where the survival is
    // positive: at the top of the support it shows "N/A". Far in the upper tail it divides by
    // the upper-tail survival rather than by 1 - F, which has lost its digits there.
    Value hazard;
    if (!IsDiscrete(id) && x) {
        if (density && cumulative) {
            hazard = Attempt([&] { return Hazard(p, *x, *density, *cumulative); });
        }
        hazard = Checked(hazard, AccurateHazard(p, *x));
    }

    CalculationOutput out;
    out.set.Q = qRead;
    out.set.Density = density.value_or(0.0);
    out.set.Cumulative = cumulative.value_or(0.0);
    out.set.Mean = mean.value_or(0.0);
    out.set.Variance = variance.value_or(0.0);

    ResultTexts& t = out.texts;
    t.density = Show(density, locale);
    t.cumulative = Show(cumulative, locale);
    t.survival = Show(survival, locale);
    t.hazard = Show(hazard, locale);
    t.quantile = IsDiscrete(id) ? ShowCount(quantile) : Show(quantile, locale);
    t.mean = Show(mean, locale);
    t.variance = Show(variance, locale);
    return out;
}

} // namespace kelvora
