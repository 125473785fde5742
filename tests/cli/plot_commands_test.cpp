// kelvora-calc's graph commands, run as a user or a script would.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome RunCalc(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KELVORA_CALC_PATH), args);
    if (!process.waitForStarted()) {
        return {};
    }
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

std::vector<std::vector<std::string>> Table(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) {
            fields.push_back(cell);
        }
        rows.push_back(fields);
    }
    return rows;
}

// The shortest text that reads back as the same double.
bool IsShortestRoundTrip(const std::string& text) {
    double v = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    char again[64];
    const auto r = std::to_chars(again, again + sizeof again, v);
    return std::string(again, r.ptr) == text;
}

TEST(SamplesCommand, PrintsRangeExtremesAndFiveHundredSamples) {
    const Outcome r = RunCalc({"--samples", "--", "normal", "0", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = Table(r.out);
    ASSERT_EQ(rows.size(), 502u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"-3", "3"}));
    ASSERT_EQ(rows[1].size(), 5u);
    // MaxPdf is the largest density printed below it, as the same text.
    std::string largest = rows[2][1];
    for (std::size_t i = 2; i < rows.size(); ++i) {
        if (std::stod(rows[i][1]) > std::stod(largest)) {
            largest = rows[i][1];
        }
    }
    EXPECT_EQ(rows[1][0], largest);
    EXPECT_EQ(rows[2][0], "-3");
    EXPECT_EQ(rows[3][0], "-2.988");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 5u) << i;
        for (const std::string& cell : rows[i]) {
            ASSERT_TRUE(IsShortestRoundTrip(cell)) << i << ": " << cell;
        }
    }
}

TEST(SamplesCommand, InvalidParametersPrintTheRangeAndInvalid) {
    EXPECT_EQ(RunCalc({"--samples", "--", "uniform", "1", "1"}).out, "1\t1\ninvalid\n");
    EXPECT_EQ(RunCalc({"--samples", "--", "geometric", "0"}).out, "0.001\tinf\ninvalid\n");
    EXPECT_EQ(RunCalc({"--samples", "--", "normal", "1e999", "1"}).out, "nan\tnan\ninvalid\n");
}

TEST(SamplesCommand, DiscreteHazardIsNotSampled) {
    const auto rows = Table(RunCalc({"--samples", "--", "binomial", "10", "0.5"}).out);
    ASSERT_EQ(rows.size(), 502u);
    EXPECT_EQ(rows[1][3], "-");
    EXPECT_EQ(rows[1][4], "-");
    for (std::size_t i = 2; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i][4], "-") << i;
    }
}

TEST(SamplesCommand, LeftOutSamplesPrintNan) {
    // Rate 1000: the upper samples' density and survival are both 0 and they have no hazard.
    const auto rows = Table(RunCalc({"--samples", "--", "exponential", "1000"}).out);
    ASSERT_EQ(rows.size(), 502u);
    EXPECT_EQ(rows[501][3], "0");
    EXPECT_EQ(rows[501][4], "nan");
    EXPECT_NE(rows[1][4], "nan");
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
}

TEST(PlotCommand, DiscreteHazardIsAnEmptyWhiteImage) {
    const QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("haz.png"));
    ASSERT_EQ(RunCalc({"--tab", "haz", "--plot", png, "--", "poisson", "4"}).status, 0);
    QImage image(png, "PNG");
    ASSERT_FALSE(image.isNull());
    image = image.convertToFormat(QImage::Format_RGB32);
    QImage white(image.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(image, white);
}

TEST(PlotCommand, RefusesOtherFileTypesAndUnwritablePaths) {
    const QTemporaryDir dir;
    const Outcome jpeg = RunCalc({"--plot", dir.filePath(QStringLiteral("g.jpg")), "--", "beta"});
    EXPECT_NE(jpeg.status, 0);
    EXPECT_NE(jpeg.err.find(".png or .bmp"), std::string::npos) << jpeg.err;
    const Outcome missing =
        RunCalc({"--plot", dir.filePath(QStringLiteral("no/such/dir/g.png")), "--", "beta"});
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("cannot write"), std::string::npos) << missing.err;
}

} // namespace
