#include "cli/batch.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace kelvora {
namespace {

class BatchTest : public ::testing::Test {
protected:
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

TEST_F(BatchTest, WritesTheSevenTextsInFieldOrder) {
    bool ok = false;
    EXPECT_EQ(Line("normal\t0\t1\t\t1.96\t0.975", &ok),
              ".0584\t.9750\t.0250\t2.3378\t1.9600\t.0000\t1.0000");
    EXPECT_TRUE(ok);
    // Ids and selector texts name distributions too; an unread slot is ignored.
    EXPECT_EQ(Line("7\t0.5\tignored\tignored\t2.7\t0.5"),
              ".1250\t.8750\t.1250\tN/A\t1\t2.0000\t2.0000");
    EXPECT_EQ(Line("均匀分布\t0\t4\t\t1\t"), ".2500\t.2500\t.7500\t.3333\t.0000\t2.0000\t1.3333");
}

TEST_F(BatchTest, EmptyFieldsAreEmptyTexts) {
    // Every parameter empty: an invalid Normal; an empty q is the level 0.
    EXPECT_EQ(Line("normal\t\t\t\t\t"), "N/A\tN/A\tN/A\tN/A\tN/A\tN/A\tN/A");
    EXPECT_EQ(Line("beta\t0.5\t0.5\t\t\t"), ".0000\t.0000\t1.0000\t.0000\t.0000\t.5000\t.1250");
}

TEST_F(BatchTest, MalformedLinesGiveAnErrorLine) {
    bool ok = true;
    EXPECT_EQ(Line("normal\t0\t1", &ok), "error: expected 6 tab-separated fields, found 3");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Line(""), "error: expected 6 tab-separated fields, found 1");
    EXPECT_EQ(Line("normal\t0\t1\t\t0\t0.5\t"), "error: expected 6 tab-separated fields, found 7");
    EXPECT_EQ(Line("gauss\t0\t1\t\t0\t0.5", &ok), "error: unknown distribution \"gauss\"");
    EXPECT_FALSE(ok);
}

TEST_F(BatchTest, RunKeepsOneOutputLinePerInputLineAndReportsMalformedOnes) {
    std::istringstream in("beta\t2\t3\t\t0.5\t0.5\r\n"
                          "bad line\n"
                          "poisson\t4\t\t\t2\t0.5\n");
    std::ostringstream out;
    EXPECT_EQ(RunBatch(in, out, names_, locale_), 1);
    EXPECT_EQ(out.str(), "1.5000\t.6875\t.3125\t4.8000\t.3857\t.4000\t.0400\n"
                         "error: expected 6 tab-separated fields, found 1\n"
                         ".1465\t.2381\t.7619\tN/A\t4\t4.0000\t4.0000\n");
}

TEST_F(BatchTest, RunOfWellFormedLinesSucceeds) {
    std::string input;
    for (int i = 0; i < 3000; ++i) {
        input += "uniform\t0\t" + std::to_string(i + 1) + "\t\t0.5\t0.5\n";
    }
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(RunBatch(in, out, names_, locale_), 0);
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3000);
    EXPECT_TRUE(text.ends_with("\t1,500.0000\t1,500.0000\t750,000.0000\n"));
}

} // namespace
} // namespace kelvora
