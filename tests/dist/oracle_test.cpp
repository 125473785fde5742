// The densities (masses) and cumulatives behind the shown results against 40-digit values
// (tests/data/routine_oracle.tsv, written by tools/oracle/generate_oracle.py), each to the
// tolerance its written method keeps: across the body and both tails of every distribution,
// where closed forms leave the double range, and through the discrete supports.
#include "results/calculate_results.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace kelvora {
namespace {

constexpr std::array<const char*, kDistributionCount> kKeys = {
    "beta",     "binomial",  "cauchy",         "chisquare", "exponential", "f",
    "gamma",    "geometric", "hypergeometric", "lognormal", "normal",      "poisson",
    "rayleigh", "t",         "uniform",        "weibull"};

TEST(Oracle, DensitiesAndCumulativesKeepTheirTolerance) {
    std::ifstream in(KELVORA_ROUTINE_ORACLE);
    ASSERT_TRUE(in) << KELVORA_ROUTINE_ORACLE;
    int compared = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::array<std::string, 8> f;
        for (std::string& field : f) {
            std::getline(fields, field, '\t');
        }
        const auto key = std::find(kKeys.begin(), kKeys.end(), f[0]);
        ASSERT_NE(key, kKeys.end()) << line;
        const auto id = static_cast<DistributionId>(key - kKeys.begin());
        const InputTexts inputs{QString::fromStdString(f[1]), QString::fromStdString(f[2]),
                                QString::fromStdString(f[3]), QString::fromStdString(f[5]),
                                QStringLiteral("0.5")};
        const ResultSet set = CalculateResults(id, inputs, QLocale::c()).set;
        const bool density = f[4] == "f";
        const double got = density ? set.Density : set.Cumulative;
        const double truth = std::strtod(f[6].c_str(), nullptr);
        const double tolerance = std::strtod(f[7].c_str(), nullptr);
        const bool relative = density || IsDiscrete(id);
        EXPECT_NEAR(got, truth, relative ? tolerance * std::abs(truth) + 1e-30 : tolerance) << line;
        ++compared;
    }
    EXPECT_GT(compared, 6000);
}

} // namespace
} // namespace kelvora
