// Argument parsing and batch lines of kelvora-calc.
#include "cli/arguments.hpp"
#include "cli/batch.hpp"
#include "cli/distribution_names.hpp"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kelvora {
namespace {

using Args = std::vector<std::string>;

class CalcCliTest : public ::testing::Test {
protected:
    ParsedArguments Parse(const Args& args) const { return ParseArguments(args, names_); }
    std::string Line(const std::string& input, bool* wellFormed = nullptr) const {
        std::string out;
        const bool ok = AppendBatchResult(input, names_, locale_, out);
        if (wellFormed != nullptr) {
            *wellFormed = ok;
        }
        return out;
    }

    DistributionCatalogue catalogue_;
    DistributionNames names_{catalogue_};
    QLocale locale_{QLocale::English, QLocale::UnitedStates};
};

TEST_F(CalcCliTest, DistributionNamedByIdKeyOrSelectorText) {
    for (int i = 0; i < kDistributionCount; ++i) {
        const auto id = static_cast<DistributionId>(i);
        EXPECT_EQ(names_.resolve(std::to_string(i)), id);
        EXPECT_EQ(names_.resolve(DistributionKey(id)), id);
        EXPECT_EQ(names_.resolve(catalogue_.entry(id).selectorText.toStdString()), id);
    }
    EXPECT_EQ(names_.resolve("NORMAL"), DistributionId::Normal);
    EXPECT_EQ(names_.resolve("t"), DistributionId::StudentT);
    for (const char* name : {"", "16", "-1", "010", "+3", " 3", "norm", "normal ", "正态"}) {
        EXPECT_EQ(names_.resolve(name), std::nullopt) << '"' << name << '"';
    }
}

TEST_F(CalcCliTest, OptionsAnywhereAndNegativeNumbersAsParameters) {
    const Args forms[] = {{"--x", "-1", "--", "normal", "-3", "2"},
                          {"normal", "-3", "2", "--x", "-1"},
                          {"--x=-1", "normal", "-3", "2"},
                          {"normal", "--x", "-1", "-3", "2"}};
    for (const Args& args : forms) {
        const ParsedArguments parsed = Parse(args);
        ASSERT_TRUE(parsed.arguments) << parsed.error;
        EXPECT_EQ(parsed.arguments->x, "-1");
        EXPECT_EQ(parsed.arguments->parameters, (Args{"-3", "2"}));
    }
    const ParsedArguments dashed = Parse({"--", "beta", "--x", ""});
    ASSERT_TRUE(dashed.arguments) << dashed.error;
    EXPECT_EQ(dashed.arguments->parameters, (Args{"--x", ""}));
    EXPECT_EQ(dashed.arguments->x, "0");
    EXPECT_EQ(dashed.arguments->q, "0.5");
}

TEST_F(CalcCliTest, OmittedParametersTakeTheCataloguesDefaults) {
    const std::pair<Args, std::array<std::string, kParameterSlotCount>> cases[] = {
        // Slot 3 of Beta keeps its text in the window: empty, as at start-up.
        {{"beta"}, {"0.5", "0.5", ""}},
        {{"hypergeometric", "200"}, {"200", "50", "10"}},
        {{"normal", "", "2"}, {"", "2", "1"}},
        {{"weibull", "3", "4", "5"}, {"3", "4", "5"}}};
    for (const auto& [args, fields] : cases) {
        const ParsedArguments parsed = Parse(args);
        ASSERT_TRUE(parsed.arguments) << parsed.error;
        EXPECT_EQ(GivenParameterTexts(*parsed.arguments, catalogue_), fields) << args[0];
    }
}

TEST_F(CalcCliTest, ModesAndTheirOptions) {
    const ParsedArguments batch = Parse({"--batch", "--locale", "de_DE"});
    ASSERT_TRUE(batch.arguments) << batch.error;
    EXPECT_EQ(batch.arguments->mode, CalcMode::Batch);
    EXPECT_EQ(batch.arguments->locale, QLocale(QLocale::German, QLocale::Germany));
    const ParsedArguments plot = Parse({"--tab", "haz", "--plot", "g.png", "--scale=2", "--", "f"});
    ASSERT_TRUE(plot.arguments) << plot.error;
    EXPECT_EQ(plot.arguments->mode, CalcMode::Plot);
    EXPECT_EQ(plot.arguments->kind, FunctionKind::Hazard);
    EXPECT_EQ(plot.arguments->plotFile, "g.png");
    EXPECT_EQ(plot.arguments->scale, 2);
    EXPECT_EQ(Parse({"--samples", "--", "poisson"}).arguments.value().mode, CalcMode::Samples);
    EXPECT_EQ(Parse({"normal", "--bogus", "--help"}).arguments.value().mode, CalcMode::Help);
}

TEST_F(CalcCliTest, BadArgumentsAreRefusedWithAReason) {
    // clang-format off
    const std::pair<Args, const char*> cases[] = {
        {{}, "missing DIST"}, {{"--x", "1"}, "missing DIST"}, {{"nosuch"}, "unknown distribution"},
        {{"normal", "1", "2", "3", "4"}, "too many"},
        {{"normal", "--y", "1"}, "unknown option: --y"}, {{"normal", "--x"}, "--x needs a value"},
        {{"normal", "--locale", "xx_YY"}, "unknown locale"},
        {{"--batch", "normal"}, "takes no DIST"}, {{"--batch", "--x", "1"}, "single calculation"},
        {{"--batch=yes"}, "takes no value"}, {{"--batch", "--samples"}, "cannot be combined"},
        {{"--samples", "--locale", "C", "--", "beta"}, "--locale"},
        {{"normal", "--tab", "pdf"}, "only to --plot"},
        {{"--plot", "a.png", "--tab", "density", "--", "beta"}, "--tab"},
        {{"--plot", "a.png", "--scale", "0", "--", "beta"}, "--scale"},
        {{"--plot", "a.png", "--scale", "2x", "--", "beta"}, "--scale"},
        {{"--plot", "", "--", "beta"}, "file name"}};
    // clang-format on
    for (const auto& [args, mentions] : cases) {
        const ParsedArguments parsed = Parse(args);
        EXPECT_FALSE(parsed.arguments) << mentions;
        EXPECT_NE(parsed.error.find(mentions), std::string::npos) << parsed.error;
    }
}

TEST_F(CalcCliTest, BatchLinesGiveTheSevenTextsOrAnError) {
    // An unread slot is ignored; empty fields are empty texts, an empty q the level 0.
    EXPECT_EQ(Line("7\t0.5\tignored\tignored\t2.7\t0.5"),
              ".1250\t.8750\t.1250\tN/A\t1\t2.0000\t2.0000");
    EXPECT_EQ(Line("normal\t\t\t\t\t"), "N/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A");
    // Beta(0.5, 0.5) at 0: the density is infinite; the level 0 gives the lower end.
    EXPECT_EQ(Line("beta\t0.5\t0.5\t\t\t"), "N/A\t.0000\t1.0000\tN/A\t.0000\t.5000\t.1250");
    bool ok = true;
    EXPECT_EQ(Line("normal\t0\t1\t\t0\t0.5\t", &ok),
              "error: expected 6 tab-separated fields, found 7");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Line("", &ok), "error: expected 6 tab-separated fields, found 1");
    EXPECT_FALSE(ok);
    // A CRLF line end is read as LF; a run of well-formed lines succeeds.
    std::istringstream in("beta\t2\t3\t\t0.5\t0.5\r\npoisson\t4\t\t\t2\t0.5\n");
    std::ostringstream out;
    EXPECT_EQ(RunBatch(in, out, names_, locale_), 0);
    EXPECT_EQ(out.str(), "1.5000\t.6875\t.3125\t4.8000\t.3857\t.4000\t.0400\n"
                         ".1465\t.2381\t.7619\tN/A\t4\t4.0000\t4.0000\n");
}

// Option numbers are read strictly: a field would read a mistyped value as 0.
TEST_F(CalcCliTest, ToolOptionsTakeWholeNumbersAndRefuseMalformedValues) {
    for (const auto& [text, value] : std::vector<std::pair<std::string, double>>{{"1.5", 1.5},
                                                                                 {" -2 ", -2.0},
                                                                                 {".5", 0.5},
                                                                                 {"3.", 3.0},
                                                                                 {"1e3", 1000.0},
                                                                                 {"1D-2", 0.01},
                                                                                 {"+7", 7.0}}) {
        EXPECT_EQ(ReadOptionNumber(text), value) << text;
    }
    for (const char* text : {"", "-", ".", "abc", "1,5", "1.2.3", "1e", "1e+", "2x", "1e400"}) {
        EXPECT_EQ(ReadOptionNumber(text), std::nullopt) << '"' << text << '"';
    }
    const ParsedArguments table = Parse({"--table", "-1", "1", "0.5", "--precise", "--", "normal"});
    ASSERT_TRUE(table.arguments) << table.error;
    EXPECT_EQ(table.arguments->mode, CalcMode::Table);
    EXPECT_TRUE(table.arguments->precise);
    EXPECT_EQ(table.arguments->tableStart, -1.0);
    EXPECT_EQ(table.arguments->tableStep, 0.5);
    const ParsedArguments interval = Parse({"poisson", "4", "--interval=-1", "2"});
    ASSERT_TRUE(interval.arguments) << interval.error;
    EXPECT_EQ(interval.arguments->intervalA, -1.0);
    EXPECT_EQ(interval.arguments->intervalB, 2.0);
    EXPECT_EQ(interval.arguments->parameters, Args{"4"});
    for (const Args& bad :
         {Args{"normal", "--interval", "2", "1"}, Args{"normal", "--interval", "1"},
          Args{"normal", "--central", "1.01"}, Args{"normal", "--central", "x"},
          Args{"--table", "0", "1", "0", "--", "normal"},
          Args{"--table", "1", "0", "1", "--", "normal"},
          Args{"--table", "0", "1e9", "1", "--", "normal"},
          Args{"--table", "0", "1", "a", "--", "normal"},
          Args{"normal", "--central", "0.5", "--interval", "0", "1"},
          Args{"--samples", "--precise", "--", "normal"}}) {
        const ParsedArguments parsed = Parse(bad);
        EXPECT_FALSE(parsed.arguments) << bad[1] << " " << bad[2];
        EXPECT_FALSE(parsed.error.empty());
    }
}

} // namespace
} // namespace kelvora
