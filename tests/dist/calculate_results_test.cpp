#include "dist/calculate_results.hpp"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <array>
#include <ostream>
#include <string>

namespace kelvora {
namespace {

using Id = DistributionId;

// f, F, S, H, quantile, mean, variance: the order of the batch output.
using Texts = std::array<std::string, 7>;

const std::string kNA = "N/A";
const Texts kAllNA = {kNA, kNA, kNA, kNA, kNA, kNA, kNA};

QLocale UnitedStates() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

Texts ToTexts(const ResultTexts& r) {
    return {r.density.toStdString(), r.cumulative.toStdString(), r.survival.toStdString(),
            r.hazard.toStdString(),  r.quantile.toStdString(),   r.mean.toStdString(),
            r.variance.toStdString()};
}

InputTexts Inputs(const char* p1, const char* p2, const char* p3, const char* x, const char* q) {
    return {QString::fromUtf8(p1), QString::fromUtf8(p2), QString::fromUtf8(p3),
            QString::fromUtf8(x), QString::fromUtf8(q)};
}

Texts Calculate(Id id, const char* p1, const char* p2, const char* p3, const char* x, const char* q,
                const QLocale& locale = UnitedStates()) {
    return ToTexts(CalculateResults(id, Inputs(p1, p2, p3, x, q), locale).texts);
}

// One case: the five input texts (Text1, Text2, Text3, x, q) and the seven texts to show.
struct ResultCase {
    const char* name;
    Id id;
    std::array<const char*, 5> inputs;
    Texts expected;
};

void PrintTo(const ResultCase& c, std::ostream* os) {
    *os << c.name;
}

class ShownResults : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ShownResults, AllSevenTexts) {
    const ResultCase& c = GetParam();
    const auto& [p1, p2, p3, x, q] = c.inputs;
    EXPECT_EQ(Calculate(c.id, p1, p2, p3, x, q), c.expected);
}

// clang-format off
const ResultCase kEdgeCases[] = {
    // Beta, chi-square and F are not evaluated at x = 0 (nor at q = 0): both results are 0.
    {"BetaAtOrigin", Id::Beta, {"0.5", "0.5", "", "0", "0.5"},
     {".0000", ".0000", "1.0000", ".0000", ".5000", ".5000", ".1250"}},
    {"ExponentialRateTwoHasScaleHalf", Id::Exponential, {"2", "0", "", "1", "0.5"},
     {".2707", ".8647", ".1353", "2.0000", ".3466", ".5000", ".2500"}},
    // x 2.7 is the trial k = 3; the quantile routine's trial 2 shows as 1 failure.
    {"GeometricCountsFailures", Id::Geometric, {"0.5", "0.5", "", "2.7", "0.5"},
     {".1250", ".8750", ".1250", kNA, "1", "2.0000", "2.0000"}},
    // M = 8, K = 2, n = 2.
    {"HypergeometricRoundsTiesToEven", Id::Hypergeometric, {"7.5", "2.5", "1.5", "1", "0.5"},
     {".4286", ".9643", ".0357", kNA, "0", ".5000", ".3214"}},
    // At and beyond the top of the uniform support the survival is 0: no hazard.
    {"UniformHazardAtTop", Id::Uniform, {"0", "1", "", "1", "0.25"},
     {"1.0000", "1.0000", ".0000", kNA, ".2500", ".5000", ".0833"}},
    {"UniformHazardBeyondTop", Id::Uniform, {"0", "1", "", "2", "0.25"},
     {".0000", "1.0000", ".0000", kNA, ".2500", ".5000", ".0833"}},
    {"NegativeValuesKeepNoIntegerZero", Id::Normal, {"-0.5", "0.5", "", "-0.5", "0.5"},
     {".7979", ".5000", ".5000", "1.5958", "-.5000", "-.5000", ".2500"}},
};

// An empty q field is the level 0.
const ResultCase kEmptyLevel[] = {
    {"Beta", Id::Beta, {"0.5", "0.5", "", "0.5", ""},
     {".6366", ".5000", ".5000", "1.2732", ".0000", ".5000", ".1250"}},
    {"ChiSquare", Id::ChiSquare, {"2", "0", "", "2", ""},
     {".1839", ".6321", ".3679", ".5000", ".0000", "2.0000", "4.0000"}},
    {"F", Id::F, {"1", "1", "", "1", ""}, {".1592", ".5000", ".5000", ".3183", ".0000", kNA, kNA}},
    {"Binomial", Id::Binomial, {"10", "0.5", "", "0", ""},
     {".0010", ".0010", ".9990", kNA, "0", "5.0000", "2.5000"}},
    {"Poisson", Id::Poisson, {"10", "1", "1", "0", ""},
     {".0000", ".0000", "1.0000", kNA, "0", "10.0000", "10.0000"}},
    {"Geometric", Id::Geometric, {"0.5", "0.5", "", "0", ""},
     {".5000", ".5000", ".5000", kNA, "0", "2.0000", "2.0000"}},
};

// Moments that do not exist show "N/A"; the Cauchy mean shows the location, the t mean 0.
const ResultCase kMissingMoments[] = {
    {"CauchyVariance", Id::Cauchy, {"3", "1", "", "3", "0.5"},
     {".3183", ".5000", ".5000", ".6366", "3.0000", "3.0000", kNA}},
    {"FMeanBelowThree", Id::F, {"5", "2", "", "1", "0"},
     {".3080", ".4312", ".5688", ".5415", ".0000", kNA, kNA}},
    {"FVarianceBelowFive", Id::F, {"5", "4", "", "1", "0"},
     {".3976", ".4857", ".5143", ".7731", ".0000", "2.0000", kNA}},
    {"FBothFromFive", Id::F, {"5", "10", "", "1", "0"},
     {".4955", ".5349", ".4651", "1.0653", ".0000", "1.2500", "1.3542"}},
    {"StudentTVarianceBelowThree", Id::StudentT, {"2", "1", "1", "0", "0.5"},
     {".3536", ".5000", ".5000", ".7071", ".0000", ".0000", kNA}},
    {"StudentTVarianceFromThree", Id::StudentT, {"3", "1", "1", "0", "0.5"},
     {".3676", ".5000", ".5000", ".7351", ".0000", ".0000", "3.0000"}},
};

// A fault shows "N/A" in its own output and in those built on it (survival and hazard on the
// cumulative, hazard on the density); every other output is still shown.
const ResultCase kLocalFaults[] = {
    // (1 - x)^(b - 1) at x = 1 with b < 1.
    {"BetaDensityAtOne", Id::Beta, {"0.5", "0.5", "", "1", "0.5"},
     {kNA, "1.0000", ".0000", kNA, ".5000", ".5000", ".1250"}},
    {"WeibullDensityAtOrigin", Id::Weibull, {"1", "0.5", "", "0", "0"},
     {kNA, ".0000", "1.0000", kNA, ".0000", "2.0000", "20.0000"}},
    // ln 32767! steps its 16-bit counter past 32767: the mass, the cumulative and the quantile
    // fault, the moments do not.
    {"HypergeometricPopulationAtTheTop", Id::Hypergeometric, {"32767", "2", "1", "0", "0.5"},
     {kNA, kNA, kNA, kNA, kNA, ".0001", ".0001"}},
    // ln(1 - q) at q = 1.
    {"ExponentialQuantileAtOne", Id::Exponential, {"1", "0", "", "1", "1"},
     {".3679", ".6321", ".3679", "1.0000", kNA, "1.0000", "1.0000"}},
    {"NormalQuantileAtOne", Id::Normal, {"0", "1", "", "0", "1"},
     {".3989", ".5000", ".5000", ".7979", kNA, ".0000", "1.0000"}},
};

// Inputs where a closed form's intermediate leaves the double range although the result does
// not: the log-space forms show the true values (checked against Boost.Math in the routine
// tests), and far in the upper tail the hazard divides by the upper-tail survival.
const ResultCase kFullDomain[] = {
    {"GammaHazardFarInTheTail", Id::Gamma, {"1", "3", "", "40", "0.5"},
     {".0000", "1.0000", ".0000", ".9512", "2.6741", "3.0000", "3.0000"}},
    {"GammaShapeBeyondGammaFunction", Id::Gamma, {"1", "50", "", "50", "0.5"},
     {".0563", ".5188", ".4812", ".1171", "49.6671", "50.0000", "50.0000"}},
    {"StudentTHundredDf", Id::StudentT, {"100", "", "", "1", "0.5"},
     {".2408", ".8401", ".1599", "1.5061", ".0000", ".0000", "1.0204"}},
    {"ChiSquareHundredDf", Id::ChiSquare, {"100", "", "", "100", "0.5"},
     {".0282", ".5188", ".4812", ".0585", "99.3341", "100.0000", "200.0000"}},
    {"FLargeDegreesOfFreedom", Id::F, {"5", "140", "", "1", "0.5"},
     {".5996", ".5798", ".4202", "1.4270", ".8745", "1.0145", ".4329"}},
    {"BinomialBeyondTheCoefficientRange", Id::Binomial, {"2000", "0.5", "", "1000", "0.5"},
     {".0178", ".5089", ".4911", kNA, "1000", "1,000.0000", "500.0000"}},
    {"PoissonBeyondExpMinusLambda", Id::Poisson, {"1000", "", "", "1000", "0.5"},
     {".0126", ".5084", ".4916", kNA, "1000", "1,000.0000", "1,000.0000"}},
    {"HypergeometricLargePopulation", Id::Hypergeometric,
     {"30000", "20000", "20000", "13333", "0.5"},
     {".0104", ".5019", ".4981", kNA, "13333", "13,333.3333", "1,481.5309"}},
};

// An x beyond the double range, or whose discrete point leaves the 16-bit range, has no value
// at x; the quantile and the moments are still shown.
const ResultCase kUnreadableX[] = {
    {"BeyondDoubleRange", Id::Normal, {"0", "1", "", "1e999", "0.5"},
     {kNA, kNA, kNA, kNA, ".0000", ".0000", "1.0000"}},
    {"BinomialFloorOverflows", Id::Binomial, {"10", "0.5", "", "40000", "0.5"},
     {kNA, kNA, kNA, kNA, "5", "5.0000", "2.5000"}},
    {"GeometricTrialOverflows", Id::Geometric, {"0.5", "", "", "32767", "0.5"},
     {kNA, kNA, kNA, kNA, "1", "2.0000", "2.0000"}},
    {"GeometricLastTrialFits", Id::Geometric, {"0.5", "", "", "32766", "0.5"},
     {".0000", "1.0000", ".0000", kNA, "1", "2.0000", "2.0000"}},
};

// q outside [0, 1] or beyond the double range: the quantile alone shows "N/A".
const ResultCase kLevelOutOfRange[] = {
    {"Above", Id::Normal, {"0", "1", "", "0", "1.5"},
     {".3989", ".5000", ".5000", ".7979", kNA, ".0000", "1.0000"}},
    {"Below", Id::Poisson, {"10", "", "", "10", "-0.1"},
     {".1251", ".5830", ".4170", kNA, kNA, "10.0000", "10.0000"}},
    {"BeyondDoubleRange", Id::Uniform, {"0", "1", "", "0.5", "1e999"},
     {"1.0000", ".5000", ".5000", "2.0000", kNA, ".5000", ".0833"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EdgeCases, ShownResults, ::testing::ValuesIn(kEdgeCases));
INSTANTIATE_TEST_SUITE_P(EmptyLevel, ShownResults, ::testing::ValuesIn(kEmptyLevel));
INSTANTIATE_TEST_SUITE_P(MissingMoments, ShownResults, ::testing::ValuesIn(kMissingMoments));
INSTANTIATE_TEST_SUITE_P(LocalFaults, ShownResults, ::testing::ValuesIn(kLocalFaults));
INSTANTIATE_TEST_SUITE_P(FullDomain, ShownResults, ::testing::ValuesIn(kFullDomain));
INSTANTIATE_TEST_SUITE_P(UnreadableX, ShownResults, ::testing::ValuesIn(kUnreadableX));
INSTANTIATE_TEST_SUITE_P(LevelOutOfRange, ShownResults, ::testing::ValuesIn(kLevelOutOfRange));

struct InvalidCase {
    const char* name;
    Id id;
    const char* p1;
    const char* p2;
    const char* p3;
};

void PrintTo(const InvalidCase& c, std::ostream* os) {
    *os << c.name;
}

class InvalidParameters : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidParameters, ShowNotAvailableInAllSevenFields) {
    const InvalidCase& c = GetParam();
    EXPECT_EQ(Calculate(c.id, c.p1, c.p2, c.p3, "1", "0.5"), kAllNA);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, InvalidParameters,
    ::testing::Values(
        InvalidCase{"NormalSigmaZero", Id::Normal, "0", "0", ""},
        InvalidCase{"UniformEmptyInterval", Id::Uniform, "1", "1", ""},
        InvalidCase{"HypergeometricDrawsAboveMarked", Id::Hypergeometric, "10", "5", "6"},
        InvalidCase{"StudentTFloorZero", Id::StudentT, "0.9", "", ""},
        InvalidCase{"BinomialCertainSuccess", Id::Binomial, "10", "1", ""},
        InvalidCase{"BinomialNegativeTrials", Id::Binomial, "-3", "0.5", ""},
        InvalidCase{"FBelowOneDegree", Id::F, "0.5", "4", ""},
        InvalidCase{"FSecondBelowOne", Id::F, "4", "0", ""},
        InvalidCase{"ExponentialRateZero", Id::Exponential, "0", "", ""},
        InvalidCase{"BeyondDoubleRange", Id::Gamma, "1e999", "1", ""},
        InvalidCase{"BeyondSixteenBits", Id::ChiSquare, "32768", "", ""},
        InvalidCase{"HypergeometricBeyondSixteenBits", Id::Hypergeometric, "40000", "50", "10"}));

TEST(CalculateResults, UnknownDistributionShowsNotAvailable) {
    EXPECT_EQ(Calculate(static_cast<Id>(16), "1", "1", "1", "1", "0.5"), kAllNA);
    EXPECT_EQ(Calculate(static_cast<Id>(-1), "1", "1", "1", "1", "0.5"), kAllNA);
}

TEST(CalculateResults, DiscreteHazardIsAlwaysNotAvailable) {
    for (const Id id : {Id::Binomial, Id::Geometric, Id::Hypergeometric, Id::Poisson}) {
        for (const char* x : {"-1", "0", "1", "5", "1000"}) {
            EXPECT_EQ(Calculate(id, "10", "0.5", "1", x, "0.5")[3], kNA)
                << static_cast<int>(id) << " at " << x;
        }
    }
}

TEST(CalculateResults, GroupsThousandsByTheLocale) {
    const InputTexts mean1234 = Inputs("1234.5", "1", "", "0", "0.5");
    EXPECT_EQ(CalculateResults(Id::Normal, mean1234, UnitedStates()).texts.mean,
              QStringLiteral("1,234.5000"));
    EXPECT_EQ(CalculateResults(Id::Normal, mean1234, QLocale(QLocale::German, QLocale::Germany))
                  .texts.mean,
              QStringLiteral("1.234,5000"));
    // Integer quantiles are never grouped.
    EXPECT_EQ(Calculate(Id::Geometric, "0.0001", "", "", "0", "0.5")[4], "6931");
}

TEST(CalculateResults, ResultSetHoldsTheNumbersBehindTheTexts) {
    const ResultSet set =
        CalculateResults(Id::Uniform, Inputs("0", "4", "", "1", "0.75"), UnitedStates()).set;
    EXPECT_DOUBLE_EQ(set.Q, 0.75);
    EXPECT_DOUBLE_EQ(set.Density, 0.25);
    EXPECT_DOUBLE_EQ(set.Cumulative, 0.25);
    EXPECT_DOUBLE_EQ(set.Mean, 2.0);
    EXPECT_DOUBLE_EQ(set.Variance, 16.0 / 12.0);

    // A level outside [0, 1] is still the level read; missing values are 0.
    const ResultSet outside =
        CalculateResults(Id::Cauchy, Inputs("0", "1", "", "1e999", "1.5"), UnitedStates()).set;
    EXPECT_DOUBLE_EQ(outside.Q, 1.5);
    EXPECT_EQ(outside.Density, 0.0);
    EXPECT_EQ(outside.Cumulative, 0.0);
    EXPECT_EQ(outside.Variance, 0.0);
}

// Every field belongs to the current inputs: a case gives the same texts alone and after a
// history of faults, invalid sets, missing moments and levels out of range.
TEST(CalculateResults, ResultsDoNotDependOnEarlierCalls) {
    struct Case {
        Id id;
        const char* p1;
        const char* p2;
        const char* x;
        const char* q;
    };
    const Case history[] = {
        {Id::Normal, "5", "2", "3", "0.9"},  {Id::F, "5", "10", "1", "0.3"},
        {Id::Beta, "0.5", "0.5", "1", "1"},  {Id::Cauchy, "0", "1", "1e999", "2"},
        {Id::Normal, "0", "0", "1", "0.5"},  {Id::StudentT, "5", "", "1", "0.5"},
        {Id::Poisson, "10", "", "40000", ""}};
    const Case probes[] = {{Id::F, "5", "2", "1", "1.5"},
                           {Id::StudentT, "2", "", "1", "-1"},
                           {Id::Cauchy, "0", "1", "1", "0.5"},
                           {Id::Normal, "0", "1", "1e999", "0.5"}};
    for (const Case& probe : probes) {
        const Texts alone = Calculate(probe.id, probe.p1, probe.p2, "", probe.x, probe.q);
        for (const Case& earlier : history) {
            Calculate(earlier.id, earlier.p1, earlier.p2, "", earlier.x, earlier.q);
            EXPECT_EQ(Calculate(probe.id, probe.p1, probe.p2, "", probe.x, probe.q), alone);
        }
    }
}

// Whatever the texts, every output is "N/A" or a well-formed number, and nothing escapes.
TEST(CalculateResults, AnyTextGivesNumbersOrNotAvailable) {
    const char* texts[] = {"",       "-",     "abc",   "0",      "1",     "-1",          "0.5",
                           "2.5",    "1e308", "1e999", "-1e999", "32767", "32768",       "-32769",
                           "1e-320", "3e4",   "1,5",   "nan",    "inf",   "\xE4\xB8\x80"};
    const QRegularExpression number(QStringLiteral(R"(^-?(\d{1,3}(,\d{3})*)?\.\d{4}$)"));
    const QRegularExpression count(QStringLiteral(R"(^-?\d+$)"));
    const QLocale locale = UnitedStates();
    for (int index = 0; index < kDistributionCount; ++index) {
        const Id id = static_cast<Id>(index);
        for (const char* t : texts) {
            // Each field in turn takes the text, the others a sound value.
            const InputTexts variants[] = {
                Inputs(t, "2", "1", "1", "0.5"), Inputs("3", t, "1", "1", "0.5"),
                Inputs("30", "5", t, "1", "0.5"), Inputs("3", "2", "1", t, "0.5"),
                Inputs("3", "2", "1", "1", t)};
            for (const InputTexts& inputs : variants) {
                const ResultTexts r = CalculateResults(id, inputs, locale).texts;
                for (const QString* text :
                     {&r.density, &r.cumulative, &r.survival, &r.hazard, &r.mean, &r.variance}) {
                    EXPECT_TRUE(*text == kNotAvailable || number.match(*text).hasMatch())
                        << index << " '" << t << "': " << text->toStdString();
                }
                const QRegularExpression& quantileForm = IsDiscrete(id) ? count : number;
                EXPECT_TRUE(r.quantile == kNotAvailable ||
                            quantileForm.match(r.quantile).hasMatch())
                    << index << " '" << t << "': " << r.quantile.toStdString();
            }
        }
    }
}

} // namespace
} // namespace kelvora
