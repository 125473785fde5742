// Runs the built kelvora-calc as a user or a script would.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>

namespace {

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

TEST(KelvoraCalc, PrintsTheSevenLabelledResults) {
    const Outcome r = RunCalc({QStringLiteral("beta")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "f\t.0000\nF\t.0000\nS\t1.0000\nH\t.0000\nx\t.5000\n"
                     "均值\t.5000\n方差\t.1250\n");
}

TEST(KelvoraCalc, DoubleDashLetsParametersBeNegative) {
    const Outcome r = RunCalc({"--x", "-1", "--locale", "en_US", "--", "normal", "-3", "2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "f\t.1210\nF\t.8413\nS\t.1587\nH\t.7626\nx\t-3.0000\n"
                     "均值\t-3.0000\n方差\t4.0000\n");
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
    const QStringList cases[] = {{},
                                 {"nosuch"},
                                 {"normal", "--bogus"},
                                 {"normal", "1", "2", "3", "4"},
                                 {"--batch", "normal"},
                                 {"normal", "--locale", "xx_YY"}};
    for (const QStringList& args : cases) {
        const Outcome r = RunCalc(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("kelvora-calc: "), std::string::npos);
        EXPECT_NE(r.err.find("--help"), std::string::npos);
    }
}

} // namespace
