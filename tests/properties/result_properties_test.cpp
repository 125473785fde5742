// Properties every shown result must have, whatever the inputs: checked over the random cases
// of all sixteen distributions.
#include "evaluated_cases.hpp"

#include "dist/field_number.hpp"
#include "dist/parameters.hpp"

#include <QByteArray>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

namespace kelvora::properties {
namespace {

using Id = DistributionId;

// Half a unit of the fourth decimal, the most a shown value may differ from the one behind it,
// with room for the binary representation of the decimal text.
constexpr double kHalfDigit = 0.5e-4 * (1.0 + 1e-9);

// Four decimals; no zero before the point below 1 (.2500); digits grouped by threes only
// where the locale groups them.
const QRegularExpression kPlainNumber(QStringLiteral(R"(^-?([1-9][0-9]*)?\.[0-9]{4}$)"));
const QRegularExpression
    kGroupedNumber(QStringLiteral(R"(^-?([1-9][0-9]{0,2}(,[0-9]{3})*)?\.[0-9]{4}$)"));
// A discrete quantile: plain digits, never grouped.
const QRegularExpression kCount(QStringLiteral(R"(^-?(0|[1-9][0-9]*)$)"));

std::optional<DistributionParameters> ParametersOf(const RandomCase& c) {
    const QByteArray t1 = c.inputs.param1.toUtf8();
    const QByteArray t2 = c.inputs.param2.toUtf8();
    const QByteArray t3 = c.inputs.param3.toUtf8();
    return ReadParameters(c.id, std::string_view(t1.constData(), t1.size()),
                          std::string_view(t2.constData(), t2.size()),
                          std::string_view(t3.constData(), t3.size()));
}

std::optional<double> LevelOf(const RandomCase& c) {
    const QByteArray bytes = c.inputs.q.toUtf8();
    try {
        return ParseFieldNumber(std::string_view(bytes.constData(), bytes.size()));
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

bool IsCountOutput(Id id, int output) {
    return IsDiscrete(id) && output == kQuantile;
}

TEST(ResultProperties, EveryOutputIsNotAvailableOrAFormattedNumber) {
    for (const EvaluatedCase& e : EvaluatedCases()) {
        const auto plain = TextsOf(e.plain.texts);
        const auto grouped = TextsOf(e.grouped.texts);
        for (int o = 0; o < kOutputCount; ++o) {
            SCOPED_TRACE(Describe(e.input) + ", " + kOutputNames[o]);
            if (plain[o] == kNotAvailable) {
                EXPECT_EQ(grouped[o], kNotAvailable);
                continue;
            }
            const bool count = IsCountOutput(e.input.id, o);
            EXPECT_TRUE((count ? kCount : kPlainNumber).match(plain[o]).hasMatch())
                << plain[o].toStdString();
            EXPECT_TRUE((count ? kCount : kGroupedNumber).match(grouped[o]).hasMatch())
                << grouped[o].toStdString();
            // The locales differ in the grouping only: same digits, same rounding.
            EXPECT_EQ(QString(grouped[o]).remove(QLatin1Char(',')), plain[o]);
            const std::optional<double> shown = ShownValue(plain[o]);
            ASSERT_TRUE(shown.has_value());
            EXPECT_TRUE(std::isfinite(*shown));
        }
    }
}

// Probabilities lie in [0, 1]; densities, hazards and variances are never negative.
TEST(ResultProperties, ProbabilitiesAndNonNegativeQuantitiesStayInRange) {
    for (const EvaluatedCase& e : EvaluatedCases()) {
        SCOPED_TRACE(Describe(e.input));
        const auto texts = TextsOf(e.plain.texts);
        for (const int o : {kDensity, kCumulative, kSurvival, kHazard, kVariance}) {
            if (const auto v = ShownValue(texts[o])) {
                EXPECT_GE(*v, 0.0) << kOutputNames[o] << " " << texts[o].toStdString();
            }
        }
        for (const int o : {kCumulative, kSurvival}) {
            if (const auto v = ShownValue(texts[o])) {
                EXPECT_LE(*v, 1.0) << kOutputNames[o];
            }
        }
    }
}

TEST(ResultProperties, SurvivalIsOneMinusTheCumulativeAsShown) {
    for (const EvaluatedCase& e : EvaluatedCases()) {
        SCOPED_TRACE(Describe(e.input));
        const auto cumulative = ShownValue(e.plain.texts.cumulative);
        const auto survival = ShownValue(e.plain.texts.survival);
        ASSERT_EQ(cumulative.has_value(), survival.has_value());
        if (cumulative) {
            EXPECT_LE(std::abs(*survival - (1.0 - *cumulative)), 2.0 * kHalfDigit);
        }
    }
}

// The mass at k is part of the cumulative at k; a discrete distribution has no hazard.
TEST(ResultProperties, DiscreteMassWithinCumulativeAndNoHazard) {
    for (const EvaluatedCase& e : EvaluatedCases()) {
        if (!IsDiscrete(e.input.id)) {
            continue;
        }
        SCOPED_TRACE(Describe(e.input));
        EXPECT_EQ(e.plain.texts.hazard, kNotAvailable);
        const auto mass = ShownValue(e.plain.texts.density);
        const auto cumulative = ShownValue(e.plain.texts.cumulative);
        if (mass && cumulative) {
            EXPECT_LE(*mass, *cumulative + 2.0 * kHalfDigit);
        }
    }
}

// Where the shown quantile must lie: within the support of the distribution.
void ExpectQuantileInSupport(const DistributionParameters& p, double x) {
    const auto within = [x](double low, double high) {
        const double slack = kHalfDigit + 1e-15 * std::max(std::abs(low), std::abs(high));
        EXPECT_GE(x, low - slack);
        EXPECT_LE(x, high + slack);
    };
    constexpr double kNoEnd = std::numeric_limits<double>::infinity();
    switch (p.id) {
    case Id::Beta:
        within(0.0, 1.0);
        break;
    case Id::ChiSquare:
    case Id::Exponential:
    case Id::F:
    case Id::Gamma:
    case Id::Lognormal:
    case Id::Rayleigh:
    case Id::Weibull:
    case Id::Geometric:
    case Id::Poisson:
        within(0.0, kNoEnd);
        break;
    case Id::Binomial:
        within(0.0, p.count1);
        break;
    case Id::Hypergeometric: {
        const double population = p.count1, marked = p.count2, drawn = p.count3;
        within(std::max(0.0, drawn + marked - population), std::min(drawn, marked));
        break;
    }
    case Id::Uniform:
        within(p.real1, p.real2);
        break;
    case Id::Cauchy:
    case Id::Normal:
    case Id::StudentT:
        break;
    }
}

TEST(ResultProperties, QuantileOnlyForLevelsInTheUnitIntervalAndInTheSupport) {
    for (const EvaluatedCase& e : EvaluatedCases()) {
        SCOPED_TRACE(Describe(e.input));
        const std::optional<double> q = LevelOf(e.input);
        const std::optional<DistributionParameters> p = ParametersOf(e.input);
        const std::optional<double> shown = ShownValue(e.plain.texts.quantile);
        if (!q || *q < 0.0 || *q > 1.0 || !p) {
            EXPECT_FALSE(shown.has_value());
            continue;
        }
        if (shown) {
            ExpectQuantileInSupport(*p, *shown);
        }
    }
}

// A parameter set that fails its check shows "N/A" in all seven fields.
TEST(ResultProperties, InvalidParametersShowNotAvailableEverywhere) {
    int valid = 0;
    int invalid = 0;
    for (const EvaluatedCase& e : EvaluatedCases()) {
        SCOPED_TRACE(Describe(e.input));
        if (ParametersOf(e.input)) {
            ++valid;
            continue;
        }
        ++invalid;
        for (const QString& text : TextsOf(e.plain.texts)) {
            EXPECT_EQ(text, kNotAvailable);
        }
    }
    // The generator must exercise both sides of the checks.
    EXPECT_GT(valid, kCaseCount / 2);
    EXPECT_GT(invalid, kCaseCount / 20);
}

} // namespace
} // namespace kelvora::properties
