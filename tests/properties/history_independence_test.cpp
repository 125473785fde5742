// A case shows the same seven texts and keeps the same ResultSet whatever was calculated
// before it: evaluated inside a random history and again alone, in another order and after
// other locales, the outputs agree.
#include "evaluated_cases.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kelvora::properties {
namespace {

constexpr std::uint64_t kSeed = 0x686973;
constexpr int kHistoryLength = 1000;

bool SameSet(const ResultSet& a, const ResultSet& b) {
    // Compared bit for bit through ==: the same inputs must give the same doubles (NaN never
    // reaches a ResultSet).
    return a.Q == b.Q && a.Density == b.Density && a.Cumulative == b.Cumulative &&
           a.Mean == b.Mean && a.Variance == b.Variance;
}

TEST(HistoryIndependence, SameOutputsAfterAnyHistory) {
    RandomInputs inputs(kSeed);
    std::vector<RandomCase> cases;
    std::vector<CalculationOutput> inHistory;
    for (int i = 0; i < kHistoryLength; ++i) {
        cases.push_back(inputs.Next());
        // Every other case under the grouping locale, so a locale change is part of the history.
        const QLocale locale = i % 2 == 0 ? QLocale::c() : GroupingLocale();
        inHistory.push_back(CalculateResults(cases.back().id, cases.back().inputs, locale));
    }
    // Again from the last to the first: each case now follows a different history.
    for (int i = kHistoryLength - 1; i >= 0; --i) {
        const QLocale locale = i % 2 == 0 ? QLocale::c() : GroupingLocale();
        const CalculationOutput again = CalculateResults(cases[i].id, cases[i].inputs, locale);
        SCOPED_TRACE(Describe(cases[i]));
        EXPECT_EQ(TextsOf(again.texts), TextsOf(inHistory[i].texts));
        EXPECT_TRUE(SameSet(again.set, inHistory[i].set));
    }
}

// Alone: one case of each distribution, evaluated before a long random history and again after
// it, shows the same.
TEST(HistoryIndependence, ProbesMatchBeforeAndAfterHistory) {
    RandomInputs inputs(kSeed + 1);
    std::vector<RandomCase> probes;
    std::vector<CalculationOutput> before;
    for (int id = 0; id < kDistributionCount; ++id) {
        probes.push_back(inputs.Next(static_cast<DistributionId>(id)));
        before.push_back(CalculateResults(probes.back().id, probes.back().inputs, QLocale::c()));
    }
    for (int i = 0; i < kHistoryLength / 2; ++i) {
        const RandomCase other = inputs.Next();
        CalculateResults(other.id, other.inputs, GroupingLocale());
    }
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const CalculationOutput after =
            CalculateResults(probes[i].id, probes[i].inputs, QLocale::c());
        SCOPED_TRACE(Describe(probes[i]));
        EXPECT_EQ(TextsOf(after.texts), TextsOf(before[i].texts));
        EXPECT_TRUE(SameSet(after.set, before[i].set));
    }
}

} // namespace
} // namespace kelvora::properties
