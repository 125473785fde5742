// Runs the built kelvora-calc as a user or a script would.
#include "results/readout.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <charconv>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace kelvora;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome RunCalc(const QStringList& args, const std::string& input = {}) {
    QProcess process;
    // The system locale of the child is forced; tests that need another pass --locale.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KELVORA_CALC_PATH), args);
    if (!process.waitForStarted()) {
        return {};
    }
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// The tab-separated cells of --samples output, line by line.
std::vector<std::vector<std::string>> Table(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream cells(line);
        rows.emplace_back();
        for (std::string cell; std::getline(cells, cell, '\t');) {
            rows.back().push_back(cell);
        }
    }
    return rows;
}

TEST(KelvoraCalc, PrintsTheSevenLabelledResults) {
    const Outcome beta = RunCalc({QStringLiteral("beta")});
    EXPECT_EQ(beta.status, 0);
    EXPECT_EQ(beta.out,
              "f\tN/A\nF\t.0000\nS\t1.0000\nH\tN/A\nx\t.5000\n均值\t.5000\n方差\t.1250\n");
    // After -- the parameters may be negative.
    const Outcome normal = RunCalc({"--x", "-1", "--locale", "en_US", "--", "normal", "-3", "2"});
    EXPECT_EQ(normal.status, 0);
    EXPECT_EQ(normal.out,
              "f\t.1210\nF\t.8413\nS\t.1587\nH\t.7626\nx\t-3.0000\n均值\t-3.0000\n方差\t4.0000\n");
}

TEST(KelvoraCalc, BatchWritesOneLinePerCaseAndFailsOnMalformedLines) {
    const Outcome r = RunCalc({"--batch", "--locale", "en_US"}, "normal\t0\t1\t\t1.96\t0.975\n"
                                                                "normal\t0\t1\n"
                                                                "nosuch\t0\t1\t\t0\t0.5\n"
                                                                "binomial\t10\t0.5\t\t5\t0.5\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, ".0584\t.9750\t.0250\t2.3378\t1.9600\t.0000\t1.0000\n"
                     "error: expected 6 tab-separated fields, found 3\n"
                     "error: unknown distribution \"nosuch\"\n"
                     ".2461\t.6230\t.3770\tN/A\t5\t5.0000\t2.5000\n");
}

TEST(KelvoraCalc, BadArgumentsExitWithStatusTwo) {
    const QStringList cases[] = {{}, {"normal", "--bogus"}};
    for (const QStringList& args : cases) {
        const Outcome r = RunCalc(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("kelvora-calc: "), std::string::npos);
        EXPECT_NE(r.err.find("--help"), std::string::npos);
    }
}

// --table prints the values table's own texts; --precise the readouts, and only with it.
TEST(ToolCommands, TableRowsAreTheValuesTablesTexts) {
    for (const bool precise : {false, true}) {
        for (const auto& [dist, p1, p2] :
             {std::tuple{"normal", "0", "1"}, std::tuple{"poisson", "3.5", ""}}) {
            QStringList args = {"--table", "-1", "6",  "0.25", "--locale",
                                "de_DE",   "--", dist, p1,     p2};
            if (precise) {
                args.prepend(QStringLiteral("--precise"));
            }
            const Outcome r = RunCalc(args);
            ASSERT_EQ(r.status, 0) << r.err;
            const auto rows = Table(r.out);
            const ValuesTable table =
                MakeValuesTable(dist == std::string("normal") ? kelvora::DistributionId::Normal
                                                              : kelvora::DistributionId::Poisson,
                                {p1, p2, ""}, {-1, 6, 0.25}, QLocale(QLocale::German));
            ASSERT_EQ(rows.size(), table.rows.size() + 1);
            EXPECT_EQ(rows[0], (std::vector<std::string>{"x", "f", "F", "S", "H"}));
            for (std::size_t i = 0; i < table.rows.size(); ++i) {
                const TableRow& t = table.rows[i];
                const std::vector<std::string> expected = {
                    QString::number(t.x, 'g', 15).toStdString(),
                    (precise ? PreciseText(t.preciseDensity) : t.density).toStdString(),
                    (precise ? PreciseText(t.preciseCumulative) : t.cumulative).toStdString(),
                    (precise ? PreciseText(t.preciseSurvival) : t.survival).toStdString(),
                    (precise ? PreciseText(t.preciseHazard) : t.hazard).toStdString()};
                std::vector<std::string> cells = rows[i + 1];
                cells.resize(5); // a blank H leaves the last cell empty
                EXPECT_EQ(cells, precise && t.hazard.isEmpty()
                                     ? (std::vector<std::string>{expected[0], expected[1],
                                                                 expected[2], expected[3], ""})
                                     : expected);
            }
        }
    }
    EXPECT_EQ(RunCalc({"normal", "--x", "1.96", "--precise"}).out,
              "f\t0.05844094433\nF\t0.9750021049\nS\t0.02499789515\nH\t2.337834605\n"
              "x\t0\n均值\t0\n方差\t1.000000000\n");
}

TEST(ToolCommands, IntervalAndCentralPrintLabelledLines) {
    EXPECT_EQ(RunCalc({"normal", "0", "1", "--interval", "-1.96", "1.96"}).out,
              "P(X ≤ a)\t.0250\nP(a < X ≤ b)\t.9500\nP(X > b)\t.0250\n");
    EXPECT_EQ(RunCalc({"normal", "0", "1", "--central", "0.95", "--precise"}).out,
              "x₁\t-1.959963985\nx₂\t1.959963985\n");
    EXPECT_EQ(RunCalc({"binomial", "10", "0.5", "--central", "0.9"}).out,
              "x₁\t2\nx₂\t8\nP(x₁ ≤ X ≤ x₂)\t.9785\n");
    EXPECT_EQ(RunCalc({"poisson", "4", "--interval", "2.5", "6", "--precise"}).out,
              "P(X ≤ ⌊a⌋)\t0.2381033056\nP(⌊a⌋ < X ≤ ⌊b⌋)\t0.6512227160\n"
              "P(X > ⌊b⌋)\t0.1106739784\n");
}

TEST(ToolCommands, MalformedOptionValuesAreRefusedWithStatusTwo) {
    const std::pair<QStringList, std::string> cases[] = {
        {{"normal", "--interval", "2", "1"}, "A must not exceed B"},
        {{"normal", "--interval", "1", "abc"}, "not a number: \"abc\""},
        {{"normal", "--central", "1.5"}, "from 0 to 1"},
        {{"--table", "0", "1", "-1", "--", "normal"}, "step must be a positive"},
        {{"--table", "1", "0", "1", "--", "normal"}, "end lies below the start"},
        {{"--table", "0", "20000", "1", "--", "normal"}, "more than 10000 rows"}};
    for (const auto& [args, message] : cases) {
        const Outcome r = RunCalc(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
    const Outcome invalid = RunCalc({"--table", "0", "1", "1", "--", "normal", "0", "-1"});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_TRUE(invalid.out.empty());
}

TEST(SamplesCommand, PrintsRangeExtremesAndFiveHundredSamplesAsShortestRoundTrips) {
    const Outcome r = RunCalc({"--samples", "--", "normal", "0", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = Table(r.out);
    ASSERT_EQ(rows.size(), 502u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"-3", "3"}));
    EXPECT_EQ(rows[2][0], "-3");
    EXPECT_EQ(rows[3][0], "-2.988");
    std::string largest = rows[2][1]; // MaxPdf is the largest density below it, as the same text
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 5u) << i;
        largest = i > 1 && std::stod(rows[i][1]) > std::stod(largest) ? rows[i][1] : largest;
        for (const std::string& cell : rows[i]) {
            double v = 0.0;
            const auto read = std::from_chars(cell.data(), cell.data() + cell.size(), v);
            char again[64];
            const auto written = std::to_chars(again, again + sizeof again, v);
            ASSERT_TRUE(read.ptr == cell.data() + cell.size() &&
                        std::string(again, written.ptr) == cell)
                << i << ": " << cell;
        }
    }
    EXPECT_EQ(rows[1][0], largest);
}

TEST(SamplesCommand, MarksInvalidParametersDiscreteHazardsAndLeftOutSamples) {
    EXPECT_EQ(RunCalc({"--samples", "--", "uniform", "1", "1"}).out, "1\t1\ninvalid\n");
    EXPECT_EQ(RunCalc({"--samples", "--", "geometric", "0"}).out, "0.001\tinf\ninvalid\n");
    EXPECT_EQ(RunCalc({"--samples", "--", "normal", "1e999", "1"}).out, "nan\tnan\ninvalid\n");
    const auto binomial = Table(RunCalc({"--samples", "--", "binomial", "10", "0.5"}).out);
    ASSERT_EQ(binomial.size(), 502u);
    EXPECT_EQ(binomial[1][3], "-");
    for (std::size_t i = 1; i < binomial.size(); ++i) {
        ASSERT_EQ(binomial[i][4], "-") << i;
    }
}

TEST(PlotCommand, WritesPngAndBmpAtTheWindowsSizeTimesTheScale) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("graph.png"));
    const QString bmp = dir.filePath(QStringLiteral("graph.BMP"));
    ASSERT_EQ(RunCalc({"--plot", png, "--", "normal"}).status, 0);
    ASSERT_EQ(RunCalc({"--tab", "cdf", "--plot", bmp, "--scale", "2", "--", "gamma"}).status, 0);
    const QImage one(png, "PNG");
    EXPECT_EQ(one.size(), QSize(385, 213));
    EXPECT_EQ(one.pixelColor(40, 100), QColor(Qt::black)); // the frame's left side
    const QImage two(bmp, "BMP");
    EXPECT_EQ(two.size(), QSize(770, 426));
    EXPECT_EQ(two.pixelColor(80, 200), QColor(Qt::black));
    // A discrete hazard is an empty white image.
    ASSERT_EQ(RunCalc({"--tab", "haz", "--plot", png, "--", "poisson", "4"}).status, 0);
    const QImage hazard = QImage(png, "PNG").convertToFormat(QImage::Format_RGB32);
    QImage white(385, 213, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(hazard, white);
}

TEST(PlotCommand, RefusesOtherNamesWithStatusTwoAndUnwritablePaths) {
    const QTemporaryDir dir;
    for (const char* name : {"g.jpg", "graph", "g.svg.txt"}) {
        const Outcome refused =
            RunCalc({"--plot", dir.filePath(QString::fromLatin1(name)), "--", "beta"});
        EXPECT_EQ(refused.status, 2) << name;
        EXPECT_NE(refused.err.find(".bmp, .png, .svg or .pdf"), std::string::npos) << refused.err;
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    const QString missing = dir.filePath(QStringLiteral("no/dir/g.svg"));
    const Outcome failed = RunCalc({"--plot", missing, "--", "beta"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("cannot write"), std::string::npos) << failed.err;
    EXPECT_EQ(QString::fromStdString(failed.err).count(missing), 1) << failed.err;
}

// The C locale has no thousands separator, though Qt's system locale for it groups by threes.
TEST(KelvoraCalc, TheCLocaleGroupsNoDigits) {
    EXPECT_EQ(RunCalc({"normal", "0", "10000"}).out.find(','), std::string::npos);
    const Outcome us = RunCalc({"normal", "0", "10000", "--locale", "en_US"});
    EXPECT_NE(us.out.find("100,000,000.0000"), std::string::npos) << us.out;
}

} // namespace
