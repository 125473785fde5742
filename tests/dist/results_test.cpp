// The result calculation's seven texts, the number format and the hazard it shows.
#include "distributions/continuous.hpp"
#include "distributions/hazard.hpp"
#include "distributions/parameters.hpp"
#include "registry/registry.hpp"
#include "results/calculate_results.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace kelvora {
namespace {

using Id = DistributionId;
// f, F, S, H, quantile, mean, variance: the order of the batch output.
using Texts = std::array<std::string, 7>;

const std::string kNA = "N/A";
const Texts kAllNA = {kNA, kNA, kNA, kNA, kNA, kNA, kNA};
const QLocale kUS(QLocale::English, QLocale::UnitedStates);

InputTexts Inputs(const char* p1, const char* p2, const char* p3, const char* x, const char* q) {
    return {QString::fromUtf8(p1), QString::fromUtf8(p2), QString::fromUtf8(p3),
            QString::fromUtf8(x), QString::fromUtf8(q)};
}

Texts Calculate(Id id, const char* p1, const char* p2, const char* p3, const char* x,
                const char* q) {
    const ResultTexts r = CalculateResults(id, Inputs(p1, p2, p3, x, q), kUS).texts;
    return {r.density.toStdString(), r.cumulative.toStdString(), r.survival.toStdString(),
            r.hazard.toStdString(),  r.quantile.toStdString(),   r.mean.toStdString(),
            r.variance.toStdString()};
}

// A distribution number outside the catalogue shows "N/A" in all seven fields.
TEST(CalculateResults, UnknownDistributionShowsNotAvailableEverywhere) {
    for (const int id : {16, -1}) {
        EXPECT_EQ(Calculate(static_cast<Id>(id), "1", "1", "1", "1", "0.5"), kAllNA) << id;
    }
}

TEST(CalculateResults, ResultSetHoldsTheNumbersBehindTheTexts) {
    const ResultSet set = CalculateResults(Id::Uniform, Inputs("0", "4", "", "1", "0.75"), kUS).set;
    EXPECT_DOUBLE_EQ(set.Q, 0.75);
    EXPECT_DOUBLE_EQ(set.Density, 0.25);
    EXPECT_DOUBLE_EQ(set.Cumulative, 0.25);
    EXPECT_DOUBLE_EQ(set.Variance, 16.0 / 12.0);
    // A level outside [0, 1] is still the level read; missing values are 0.
    const ResultSet out =
        CalculateResults(Id::Cauchy, Inputs("0", "1", "", "1e999", "1.5"), kUS).set;
    EXPECT_DOUBLE_EQ(out.Q, 1.5);
    EXPECT_EQ(out.Density, 0.0);
    EXPECT_EQ(out.Variance, 0.0);
}

TEST(FormatResult, FourDecimalsInTheLocalesFormat) {
    // clang-format off
    const std::vector<std::tuple<const char*, double, const char*>> cases = {
        {"en_US", 0.25, ".2500"}, {"en_US", -0.5, "-.5000"}, {"en_US", 0.0, ".0000"},
        {"en_US", 0.99994, ".9999"}, {"en_US", 10.5, "10.5000"},
        // The rule applies to the rounded text: these round to one.
        {"en_US", 0.99996, "1.0000"}, {"en_US", -0.99996, "-1.0000"},
        // A value that rounds to zero shows as zero, whatever its sign.
        {"en_US", -0.00004, ".0000"}, {"en_US", -0.0, ".0000"}, {"de_DE", -0.00004, ",0000"},
        {"en_US", 1234.5, "1,234.5000"}, {"en_US", -1234.5, "-1,234.5000"},
        {"en_US", 1e20, "100,000,000,000,000,000,000.0000"}, {"de_DE", 1234.5, "1.234,5000"},
        {"de_DE", -0.5, "-,5000"}, {"C", 1234.5, "1234.5000"}, {"C", 0.25, ".2500"},
        {"hi_IN", 1234567.25, "12,34,567.2500"},
        // Arabic-Indic digits, the Arabic decimal separator and a two-character minus sign.
        {"ar_EG", -0.5, "\u061c-\u066b\u0665\u0660\u0660\u0660"}};
    // clang-format on
    for (const auto& [locale, value, expected] : cases) {
        EXPECT_EQ(FormatResult(value, QLocale(QString::fromLatin1(locale))).toStdString(), expected)
            << locale << " " << value;
    }
    // The mean field groups by the locale too; integer quantiles are never grouped.
    const InputTexts mean1234 = Inputs("1234.5", "1", "", "0", "0.5");
    EXPECT_EQ(CalculateResults(Id::Normal, mean1234, QLocale(QLocale::German, QLocale::Germany))
                  .texts.mean,
              QStringLiteral("1.234,5000"));
    EXPECT_EQ(Calculate(Id::Geometric, "0.0001", "", "", "0", "0.5")[4], "6931");
    QLocale ungrouped = kUS;
    ungrouped.setNumberOptions(QLocale::OmitGroupSeparator);
    EXPECT_EQ(FormatResult(1234.5, ungrouped), QStringLiteral("1234.5000"));
}

TEST(FormatResult, NonFiniteAndLargestValues) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (const double v : {inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(FormatResult(v, kUS), kNotAvailable) << v;
    }
    const QString text = FormatResult(std::numeric_limits<double>::max(), QLocale(QLocale::C));
    EXPECT_EQ(text.size(), 309 + 5);
    EXPECT_TRUE(text.startsWith(QStringLiteral("17976931348623157")));
}

// A parameter set as the result calculation reads it.
DistributionParameters Params(Id id, const char* text1, const char* text2 = "") {
    return ReadParameters(id, text1, text2, "").value();
}

// No survival, no hazard: at and beyond the top of the support, where density and survival both
// underflow, for a discrete distribution and for a faulted density or cumulative.
TEST(Hazard, NoValueWithoutAPositiveSurvival) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const DistributionParameters uniform = Params(Id::Uniform, "0", "1");
    EXPECT_FALSE(Hazard(uniform, 1.0, 1.0, 1.0).has_value());
    EXPECT_FALSE(Hazard(uniform, 2.0, 0.0, 1.0).has_value());
    EXPECT_FALSE(Hazard(Params(Id::Beta, "2", "2"), 1.0, BetaPdf(1.0, 2.0, 2.0), 1.0).has_value());
    EXPECT_FALSE(Hazard(Params(Id::Exponential, "1000"), 6.0, ExponentialPdf(6.0, 0.0, 1e-3), 1.0)
                     .has_value());
    EXPECT_FALSE(Hazard(Params(Id::Poisson, "3"), 1.0, 0.2, 0.4).has_value());
    EXPECT_FALSE(Hazard(uniform, 0.5, nan, 0.5).has_value());
    EXPECT_FALSE(Hazard(uniform, 0.5, 1.0, nan).has_value());
    EXPECT_FALSE(UpperTailSurvival(Params(Id::Poisson, "3"), 1.0).has_value());
}

} // namespace
} // namespace kelvora
