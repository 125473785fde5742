#include "cli/arguments.hpp"
#include "cli/distribution_names.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kelvora {
namespace {

using Args = std::vector<std::string>;

class CalcArgumentsTest : public ::testing::Test {
protected:
    ParsedArguments Parse(const Args& args) const { return ParseArguments(args, names_); }

    DistributionCatalogue catalogue_;
    DistributionNames names_{catalogue_};
};

TEST_F(CalcArgumentsTest, DistributionNamedByIdKeyOrSelectorText) {
    for (const char* name : {"10", "normal", "Normal", "NORMAL", "正态分布"}) {
        EXPECT_EQ(names_.resolve(name), DistributionId::Normal) << name;
    }
    EXPECT_EQ(names_.resolve("0"), DistributionId::Beta);
    EXPECT_EQ(names_.resolve("15"), DistributionId::Weibull);
    EXPECT_EQ(names_.resolve("f"), DistributionId::F);
    EXPECT_EQ(names_.resolve("F分布"), DistributionId::F);
    EXPECT_EQ(names_.resolve("t"), DistributionId::StudentT);
    for (const char* name : {"", "16", "-1", "010", "+3", " 3", "norm", "normal ", "正态"}) {
        EXPECT_EQ(names_.resolve(name), std::nullopt) << '"' << name << '"';
    }
}

TEST_F(CalcArgumentsTest, EveryKeyNamesItsOwnDistribution) {
    for (int i = 0; i < kDistributionCount; ++i) {
        const auto id = static_cast<DistributionId>(i);
        EXPECT_EQ(names_.resolve(DistributionKey(id)), id);
        EXPECT_EQ(names_.resolve(catalogue_.entry(id).selectorText.toStdString()), id);
    }
}

TEST_F(CalcArgumentsTest, SingleCaseDefaultsXAndQ) {
    const ParsedArguments parsed = Parse({"normal"});
    ASSERT_TRUE(parsed.arguments) << parsed.error;
    EXPECT_EQ(parsed.arguments->mode, CalcMode::Results);
    EXPECT_EQ(parsed.arguments->id, DistributionId::Normal);
    EXPECT_TRUE(parsed.arguments->parameters.empty());
    EXPECT_EQ(parsed.arguments->x, "0");
    EXPECT_EQ(parsed.arguments->q, "0.5");
    EXPECT_FALSE(parsed.arguments->locale);
}

TEST_F(CalcArgumentsTest, OptionsAnywhereAndNegativeNumbersAsParameters) {
    const Args forms[] = {
        {"--x", "-1", "--", "normal", "-3", "2"},
        {"normal", "-3", "2", "--x", "-1"},
        {"--x=-1", "normal", "-3", "2"},
        {"normal", "--x", "-1", "-3", "2"},
    };
    for (const Args& args : forms) {
        const ParsedArguments parsed = Parse(args);
        ASSERT_TRUE(parsed.arguments) << parsed.error;
        EXPECT_EQ(parsed.arguments->x, "-1");
        EXPECT_EQ(parsed.arguments->parameters, (Args{"-3", "2"}));
    }
}

TEST_F(CalcArgumentsTest, DoubleDashMakesOptionLikeTextsPositional) {
    const ParsedArguments parsed = Parse({"--", "beta", "--x", ""});
    ASSERT_TRUE(parsed.arguments) << parsed.error;
    EXPECT_EQ(parsed.arguments->parameters, (Args{"--x", ""}));
    EXPECT_EQ(parsed.arguments->x, "0");
}

TEST_F(CalcArgumentsTest, OmittedParametersTakeTheCataloguesDefaults) {
    struct Case {
        Args args;
        std::array<std::string, kParameterSlotCount> fields;
    };
    const Case cases[] = {
        // Slot 3 of Beta keeps its text in the window: empty, as at start-up.
        {{"beta"}, {"0.5", "0.5", ""}},        {{"hypergeometric", "200"}, {"200", "50", "10"}},
        {{"normal", "", "2"}, {"", "2", "1"}}, {{"weibull", "3", "4", "5"}, {"3", "4", "5"}},
        {{"7"}, {"0.5", "0.5", ""}},
    };
    for (const Case& c : cases) {
        const ParsedArguments parsed = Parse(c.args);
        ASSERT_TRUE(parsed.arguments) << parsed.error;
        EXPECT_EQ(ParameterFieldTexts(*parsed.arguments, catalogue_), c.fields) << c.args[0];
    }
}

TEST_F(CalcArgumentsTest, ModesAndTheirOptions) {
    ParsedArguments batch = Parse({"--batch", "--locale", "de_DE"});
    ASSERT_TRUE(batch.arguments) << batch.error;
    EXPECT_EQ(batch.arguments->mode, CalcMode::Batch);
    EXPECT_EQ(batch.arguments->locale, QLocale(QLocale::German, QLocale::Germany));

    ParsedArguments samples = Parse({"--samples", "--", "poisson", "4"});
    ASSERT_TRUE(samples.arguments) << samples.error;
    EXPECT_EQ(samples.arguments->mode, CalcMode::Samples);
    EXPECT_EQ(samples.arguments->id, DistributionId::Poisson);

    ParsedArguments plot = Parse({"--tab", "haz", "--plot", "g.png", "--scale=2", "--", "f"});
    ASSERT_TRUE(plot.arguments) << plot.error;
    EXPECT_EQ(plot.arguments->mode, CalcMode::Plot);
    EXPECT_EQ(plot.arguments->kind, FunctionKind::Hazard);
    EXPECT_EQ(plot.arguments->plotFile, "g.png");
    EXPECT_EQ(plot.arguments->scale, 2);

    ParsedArguments help = Parse({"normal", "--bogus", "--help"});
    ASSERT_TRUE(help.arguments);
    EXPECT_EQ(help.arguments->mode, CalcMode::Help);
}

struct BadCase {
    Args args;
    const char* errorMentions;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    for (const std::string& a : c.args) {
        *os << '[' << a << ']';
    }
}

class BadArguments : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadArguments, AreRefusedWithAReason) {
    DistributionCatalogue catalogue;
    DistributionNames names(catalogue);
    const ParsedArguments parsed = ParseArguments(GetParam().args, names);
    EXPECT_FALSE(parsed.arguments);
    EXPECT_NE(parsed.error.find(GetParam().errorMentions), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadArguments,
    ::testing::Values(BadCase{{}, "missing DIST"}, BadCase{{"--x", "1"}, "missing DIST"},
                      BadCase{{"nosuch"}, "unknown distribution"},
                      BadCase{{"normal", "1", "2", "3", "4"}, "too many"},
                      BadCase{{"normal", "--y", "1"}, "unknown option: --y"},
                      BadCase{{"normal", "--x"}, "--x needs a value"},
                      BadCase{{"normal", "--locale", "xx_YY"}, "unknown locale"},
                      BadCase{{"--batch", "normal"}, "takes no DIST"},
                      BadCase{{"--batch", "--x", "1"}, "single calculation"},
                      BadCase{{"--batch=yes"}, "takes no value"},
                      BadCase{{"--batch", "--samples"}, "cannot be combined"},
                      BadCase{{"--samples", "--locale", "C", "--", "beta"}, "--locale"},
                      BadCase{{"normal", "--tab", "pdf"}, "only to --plot"},
                      BadCase{{"--plot", "a.png", "--tab", "density", "--", "beta"}, "--tab"},
                      BadCase{{"--plot", "a.png", "--scale", "0", "--", "beta"}, "--scale"},
                      BadCase{{"--plot", "a.png", "--scale", "2x", "--", "beta"}, "--scale"},
                      BadCase{{"--plot", "", "--", "beta"}, "file name"}));

} // namespace
} // namespace kelvora
