// The result calculation's seven texts, the number format and the hazard it shows.
#include "distributions/continuous.hpp"
#include "distributions/hazard.hpp"
#include "distributions/parameters.hpp"
#include "registry/registry.hpp"
#include "results/calculate_results.hpp"

#include <boost/math/distributions.hpp>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace kelvora {
namespace {

namespace bm = boost::math;
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

struct ResultCase {
    const char* name;
    Id id;
    std::array<const char*, 5> inputs; // Text1, Text2, Text3, x, q
    Texts expected;
};

// clang-format off
const ResultCase kCases[] = {
    // Beta, chi-square and F are not evaluated at x = 0 nor at q = 0: both results are 0. An
    // empty q field is the level 0.
    // The density at the lower end is its right-hand limit: infinite for a < 1.
    {"BetaAtOrigin", Id::Beta, {"0.5", "0.5", "", "0", "0.5"},
     {kNA, ".0000", "1.0000", kNA, ".5000", ".5000", ".1250"}},
    {"BetaAtOriginShapeOne", Id::Beta, {"1", "3", "", "0", "1"},
     {"3.0000", ".0000", "1.0000", "3.0000", "1.0000", ".2500", ".0375"}},
    {"BetaEmptyLevel", Id::Beta, {"0.5", "0.5", "", "0.5", ""},
     {".6366", ".5000", ".5000", "1.2732", ".0000", ".5000", ".1250"}},
    {"BinomialEmptyLevel", Id::Binomial, {"10", "0.5", "", "0", ""},
     {".0010", ".0010", ".9990", kNA, "0", "5.0000", "2.5000"}},
    {"ExponentialRateTwoHasScaleHalf", Id::Exponential, {"2", "0", "", "1", "0.5"},
     {".2707", ".8647", ".1353", "2.0000", ".3466", ".5000", ".2500"}},
    // x 2.7 is the trial k = 3; the quantile routine's trial 2 shows as 1 failure.
    {"GeometricCountsFailures", Id::Geometric, {"0.5", "0.5", "", "2.7", "0.5"},
     {".1250", ".8750", ".1250", kNA, "1", "2.0000", "2.0000"}},
    {"HypergeometricRoundsTiesToEven", Id::Hypergeometric, {"7.5", "2.5", "1.5", "1", "0.5"},
     {".4286", ".9643", ".0357", kNA, "0", ".5000", ".3214"}},
    {"NegativeValuesKeepNoIntegerZero", Id::Normal, {"-0.5", "0.5", "", "-0.5", "0.5"},
     {".7979", ".5000", ".5000", "1.5958", "-.5000", "-.5000", ".2500"}},
    // Moments that do not exist show "N/A"; the Cauchy mean shows the location, the t mean 0.
    {"CauchyVariance", Id::Cauchy, {"3", "1", "", "3", "0.5"},
     {".3183", ".5000", ".5000", ".6366", "3.0000", "3.0000", kNA}},
    {"FMeanBelowThree", Id::F, {"5", "2", "", "1", "0"},
     {".3080", ".4312", ".5688", ".5415", ".0000", kNA, kNA}},
    {"FVarianceBelowFive", Id::F, {"5", "4", "", "1", "0"},
     {".3976", ".4857", ".5143", ".7731", ".0000", "2.0000", kNA}},
    {"StudentTVarianceBelowThree", Id::StudentT, {"2", "1", "1", "0", "0.5"},
     {".3536", ".5000", ".5000", ".7071", ".0000", ".0000", kNA}},
    // A fault shows "N/A" in its own output and those built on it (survival and hazard on the
    // cumulative, hazard on the density); every other output is still shown.
    {"BetaDensityAtOne", Id::Beta, {"0.5", "0.5", "", "1", "0.5"},
     {kNA, "1.0000", ".0000", kNA, ".5000", ".5000", ".1250"}},
    {"WeibullDensityAtOrigin", Id::Weibull, {"1", "0.5", "", "0", "0"},
     {kNA, ".0000", "1.0000", kNA, ".0000", "2.0000", "20.0000"}},
    {"HypergeometricPopulationAtTheTop", Id::Hypergeometric, {"32767", "2", "1", "0", "0.5"},
     {".9999", ".9999", ".0001", kNA, "0", ".0001", ".0001"}},
    {"ExponentialQuantileAtOne", Id::Exponential, {"1", "0", "", "1", "1"},
     {".3679", ".6321", ".3679", "1.0000", kNA, "1.0000", "1.0000"}},
    // Closed forms whose intermediates leave the double range although the results do not.
    {"GammaHazardFarInTheTail", Id::Gamma, {"1", "3", "", "40", "0.5"},
     {".0000", "1.0000", ".0000", ".9512", "2.6741", "3.0000", "3.0000"}},
    {"FLargeDegreesOfFreedom", Id::F, {"5", "140", "", "1", "0.5"},
     {".5996", ".5798", ".4202", "1.4270", ".8745", "1.0145", ".4329"}},
    {"BinomialBeyondTheCoefficientRange", Id::Binomial, {"2000", "0.5", "", "1000", "0.5"},
     {".0178", ".5089", ".4911", kNA, "1000", "1,000.0000", "500.0000"}},
    {"PoissonBeyondExpMinusLambda", Id::Poisson, {"1000", "", "", "1000", "0.5"},
     {".0126", ".5084", ".4916", kNA, "1000", "1,000.0000", "1,000.0000"}},
    {"HypergeometricLargePopulation", Id::Hypergeometric,
     {"30000", "20000", "20000", "13333", "0.5"},
     {".0104", ".5019", ".4981", kNA, "13333", "13,333.3333", "1,481.5309"}},
    // An x beyond the double range has no value at x; a discrete point beyond 32767 has one.
    {"XBeyondDoubleRange", Id::Normal, {"0", "1", "", "1e999", "0.5"},
     {kNA, kNA, kNA, kNA, ".0000", ".0000", "1.0000"}},
    {"BinomialFarAboveTheSupport", Id::Binomial, {"10", "0.5", "", "40000", "0.5"},
     {".0000", "1.0000", ".0000", kNA, "5", "5.0000", "2.5000"}},
    {"PoissonBeyondSixteenBits", Id::Poisson, {"40000", "", "", "40000", "0.999"},
     {".0020", ".5013", ".4987", kNA, "40619", "40,000.0000", "40,000.0000"}},
    // q outside [0, 1] or beyond the double range: the quantile alone shows "N/A".
    {"LevelAbove", Id::Normal, {"0", "1", "", "0", "1.5"},
     {".3989", ".5000", ".5000", ".7979", kNA, ".0000", "1.0000"}},
    {"LevelBeyondDoubleRange", Id::Uniform, {"0", "1", "", "0.5", "1e999"},
     {"1.0000", ".5000", ".5000", "2.0000", kNA, ".5000", ".0833"}},
};
// clang-format on

TEST(CalculateResults, ShowsAllSevenTexts) {
    for (const ResultCase& c : kCases) {
        const auto& [p1, p2, p3, x, q] = c.inputs;
        EXPECT_EQ(Calculate(c.id, p1, p2, p3, x, q), c.expected) << c.name;
    }
}

// An invalid set shows "N/A" in all seven fields.
TEST(CalculateResults, InvalidSetsShowNotAvailableEverywhere) {
    // clang-format off
    const std::vector<std::tuple<Id, const char*, const char*, const char*>> cases = {
        {Id::Normal, "0", "0", ""}, {Id::Uniform, "1", "1", ""},
        {Id::Hypergeometric, "10", "5", "6"}, {Id::StudentT, "0.9", "", ""},
        {Id::Binomial, "10", "1", ""}, {Id::Binomial, "-3", "0.5", ""}, {Id::F, "0.5", "4", ""},
        {Id::F, "4", "0", ""}, {Id::Exponential, "0", "", ""}, {Id::Gamma, "1e999", "1", ""},
        {Id::ChiSquare, "32768", "", ""}, {Id::Hypergeometric, "40000", "50", "10"},
        {static_cast<Id>(16), "1", "1", "1"}, {static_cast<Id>(-1), "1", "1", "1"}};
    // clang-format on
    for (const auto& [id, p1, p2, p3] : cases) {
        EXPECT_EQ(Calculate(id, p1, p2, p3, "1", "0.5"), kAllNA)
            << static_cast<int>(id) << " " << p1 << "|" << p2 << "|" << p3;
    }
}

TEST(CalculateResults, DiscreteHazardIsAlwaysNotAvailable) {
    for (const Id id : {Id::Binomial, Id::Geometric, Id::Hypergeometric, Id::Poisson}) {
        for (const char* x : {"-1", "0", "5", "1000"}) {
            EXPECT_EQ(Calculate(id, "10", "0.5", "1", x, "0.5")[3], kNA) << static_cast<int>(id);
        }
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

// Far in the upper tail, where 1 - F is 1e-15 or below or 0, the survival and the hazard
// against Boost.Math. The incomplete gamma and beta ratios stop at 1e-7; the AS 66 tail is good
// to about 1e-9; the exponential forms are exact to rounding.
TEST(Hazard, UpperTailAgreesWithBoost) {
    struct Tail {
        DistributionParameters p;
        std::function<double(double)> survival, hazard;
        std::vector<double> xs;
        double tol;
    };
    const auto tail = [](DistributionParameters p, auto d, std::vector<double> xs, double tol) {
        return Tail{p, [d](double x) { return bm::cdf(bm::complement(d, x)); },
                    [d](double x) { return bm::hazard(d, x); }, std::move(xs), tol};
    };
    // clang-format off
    const Tail cases[] = {
        tail(Params(Id::Beta, "2", "3"), bm::beta_distribution<>(2.0, 3.0), {0.9999, 1 - 1e-7},
             1e-6),
        tail(Params(Id::Cauchy, "1", "2"), bm::cauchy_distribution<>(1.0, 2.0), {1e14, 1e100},
             1e-13),
        tail(Params(Id::ChiSquare, "4"), bm::chi_squared(4), {80.0, 1000.0}, 1e-6),
        tail(Params(Id::Exponential, "2"), bm::exponential_distribution<>(2.0), {20.0, 300.0},
             1e-13),
        tail(Params(Id::F, "5", "7"), bm::fisher_f(5, 7), {1e6, 1e20}, 1e-6),
        tail(Params(Id::Gamma, "1", "3"), bm::gamma_distribution<>(3.0, 1.0), {40.0, 500.0}, 1e-6),
        tail(Params(Id::Lognormal, "0", "1"), bm::lognormal_distribution<>(0.0, 1.0), {1e4, 1e15},
             1e-8),
        tail(Params(Id::Normal, "1", "2"), bm::normal_distribution<>(1.0, 2.0), {18.0, 60.0}, 1e-8),
        tail(Params(Id::Rayleigh, "1.5"), bm::rayleigh_distribution<>(1.5), {15.0, 55.0}, 1e-13),
        tail(Params(Id::StudentT, "3"), bm::students_t(3), {1e5, 1e30}, 1e-6),
        tail(Params(Id::Uniform, "-1", "3"), bm::uniform_distribution<>(-1.0, 3.0), {3 - 1e-12},
             1e-12),
        tail(Params(Id::Weibull, "2", "1.5"), bm::weibull_distribution<>(1.5, 2.0), {30.0, 150.0},
             1e-12)};
    // clang-format on
    for (const Tail& c : cases) {
        for (const double x : c.xs) {
            const std::string at =
                std::to_string(static_cast<int>(c.p.id)) + " at " + std::to_string(x);
            EXPECT_NEAR(UpperTailSurvival(c.p, x).value(), c.survival(x), c.tol * c.survival(x))
                << at;
            const std::optional<double> h =
                Hazard(c.p, x, Density(c.p, x).value(), Cumulative(c.p, x).value());
            ASSERT_TRUE(h.has_value()) << at;
            EXPECT_NEAR(*h, c.hazard(x), c.tol * c.hazard(x)) << at;
        }
    }
    // Gamma(1, 3) at 100: 1 - F is 0, the hazard x^2 / (x^2 + 2x + 2) still shows.
    const DistributionParameters gamma = Params(Id::Gamma, "1", "3");
    ASSERT_EQ(GammaCdf(100.0, 0.0, 1.0, 3.0), 1.0);
    EXPECT_NEAR(Hazard(gamma, 100.0, GammaPdf(100.0, 0.0, 1.0, 3.0), 1.0).value(),
                10000.0 / 10202.0, 1e-7);
    // The Cauchy cumulative with the short pi passes 1 far out; the hazard is still about 1/x.
    const DistributionParameters cauchy = Params(Id::Cauchy, "0", "1");
    ASSERT_LE(1.0 - CauchyCdf(1e16, 0.0, 1.0), 0.0);
    EXPECT_NEAR(Hazard(cauchy, 1e16, CauchyPdf(1e16, 0.0, 1.0), CauchyCdf(1e16, 0.0, 1.0)).value(),
                1e-16, 1e-29);
}

// Where 1 - F is at least the threshold the hazard is f / (1 - F) to the last bit, as the
// survival field shows 1 - F; below it divides by the upper-tail survival.
TEST(Hazard, DividesBySurvivalFieldAboveTheThreshold) {
    const DistributionParameters p = Params(Id::Normal, "0", "1");
    for (const double x : {-3.0, 0.0, 3.0, 3.5}) {
        const double f = NormalPdf(x, 0.0, 1.0), cdf = NormalCdf(x, 0.0, 1.0);
        const double expected =
            1.0 - cdf >= kUpperTailSurvival ? f / (1.0 - cdf) : f / NormalSurvival(x, 0.0, 1.0);
        EXPECT_EQ(Hazard(p, x, f, cdf).value(), expected) << x;
    }
    ASSERT_LT(1.0 - NormalCdf(3.5, 0.0, 1.0), kUpperTailSurvival);
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
