// Properties of the shown results over random inputs of all sixteen distributions, from fixed
// seeds: parameters across and beyond their accepted ranges, x across and beyond the support,
// q in and out of [0, 1], with a share of awkward texts ("", "-", "1e400", "abc", ...).
#include "distributions/distribution_id.hpp"
#include "distributions/field_number.hpp"
#include "distributions/parameters.hpp"
#include "registry/registry.hpp"
#include "results/calculate_results.hpp"
#include "specfun/arithmetic.hpp"

#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <limits>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

// GoogleTest shows QString values as their UTF-8 text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << text.toStdString();
}

namespace kelvora {
namespace {

using Id = DistributionId;

struct RandomCase {
    Id id = Id::Beta;
    InputTexts inputs;
};

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The field number of a text; no value where the program could not use it.
std::optional<double> NumberOf(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    try {
        return ParseFieldNumber(View(bytes));
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

// Number text with round-trip precision, the way a user could type it.
QString Text(double v) {
    return QString::number(v, 'g', 17);
}

// What a user may leave in a field: nothing, half a number, a number beyond the double range,
// words, other locales' separators, blanks.
constexpr std::array<const char*, 18> kAwkwardTexts = {
    "",      "-", "1e400", "-1e400", "0",      "-0",  "abc", "1,5", " 2 ",
    "1.2.3", "+", ".",     "e5",     "1e-400", "nan", "inf", "-3",  "99999999999"};

// The kinds of random number a field is given.
enum Kind { kNone, kPositive, kLocation, kCount, kProbability, kLevel };

// The kinds of the first two parameters of each distribution, in selector order; the
// Hypergeometric, Lognormal and Uniform draw theirs from each other. Four distributions a line.
constexpr std::array<Kind, 2 * kDistributionCount> kParameterKinds = {
    kPositive, kPositive, kCount, kProbability, kLocation, kPositive, kCount,       kNone,
    kPositive, kNone,     kCount, kCount,       kPositive, kPositive, kProbability, kNone,
    kNone,     kNone,     kNone,  kNone,        kLocation, kPositive, kPositive,    kNone,
    kPositive, kNone,     kCount, kNone,        kNone,     kNone,     kPositive,    kPositive};

// Random field texts; the same sequence on every platform for a given seed.
class RandomInputs {
public:
    explicit RandomInputs(std::uint64_t seed) : engine_(seed) {}

    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

    RandomCase Next() { return Next(static_cast<Id>(Below(kDistributionCount))); }

    RandomCase Next(Id id) {
        RandomCase c{id, {}};
        InputTexts& in = c.inputs;
        const std::size_t kinds = 2 * static_cast<std::size_t>(id);
        switch (id) {
        case Id::Lognormal:
            in.param1 = Text(8.0 * Unit() - 4.0);
            in.param2 = Chance(0.8) ? Text(Log(-2, 0.7)) : Field(kPositive);
            break;
        case Id::Hypergeometric: {
            // Mostly a valid set (n <= K <= M), so that the sums are exercised.
            const double population = std::floor(Log(0, 3.5));
            const double marked = std::ceil(population * Unit());
            const double drawn = std::floor((marked + 1.0) * Unit());
            in.param1 = Chance(0.15) ? Field(kCount) : Text(population);
            in.param2 = Chance(0.15) ? Field(kCount) : Text(marked);
            in.param3 = Chance(0.15) ? Field(kCount) : Text(drawn);
            break;
        }
        case Id::Uniform: {
            const double a = 10.0 * Unit() - 5.0;
            in.param1 = Text(a);
            in.param2 = Chance(0.85) ? Text(a + Log(-6, 3)) : Field(kLocation);
            break;
        }
        default:
            in.param1 = Field(kParameterKinds[kinds]);
            in.param2 = Field(kParameterKinds[kinds + 1]);
        }
        in.param1 = OrAwkward(in.param1);
        in.param2 = OrAwkward(in.param2);
        // The third field is unused by all but the Hypergeometric: any text must leave it alone.
        in.param3 = id == Id::Hypergeometric ? OrAwkward(in.param3) : Awkward();
        in.x = OrAwkward(Point(id, in.param1, in.param2, in.param3));
        in.q = Field(kLevel);
        return c;
    }

private:
    int Below(int n) { return static_cast<int>(Unit() * n); }
    bool Chance(double p) { return Unit() < p; }
    double Log(double low, double high) { return std::pow(10.0, low + (high - low) * Unit()); }
    QString Awkward() {
        return QString::fromLatin1(kAwkwardTexts[Below(static_cast<int>(kAwkwardTexts.size()))]);
    }
    QString OrAwkward(const QString& text) { return Chance(0.12) ? Awkward() : text; }

    QString Field(Kind kind) {
        const int r = kind == kNone ? 0 : Below(kind == kCount || kind == kLevel ? 12 : 10);
        switch (kind) {
        case kNone: // an unused field, left empty
            return {};
        case kPositive: // a scale, shape or rate; sometimes 0 or negative
            return Text(r == 0 ? -Log(-3, 3) : r == 1 ? Log(-12, 12) : Log(-2, 2.5));
        case kLocation: { // any real, mostly moderate
            const double magnitude = r == 0 ? Log(3, 12) : 10.0 * Unit();
            return Text(Chance(0.5) ? -magnitude : magnitude);
        }
        case kCount: // up to beyond the 16-bit limit; fractional ones are floored or rounded
            return Text(r == 0   ? -std::floor(Log(0, 3))
                        : r == 1 ? 32767.0 + Below(3) - 1
                        : r == 2 ? Log(0, 4.6)
                                 : std::floor(Log(0, 2.7)));
        case kProbability: // a success probability: 0, 1 (rejected) and beyond, or near them
        default: {         // q: mostly in [0, 1], sometimes at or beyond its ends, or awkward
            const double tail = kind == kLevel ? -2 : -3;
            if (r == 3 && kind == kLevel) {
                return Awkward();
            }
            return Text(r == 0 ? static_cast<double>(Below(2))
                        : r == 1
                            ? (Chance(0.5) ? -(kind == kLevel ? 1.0 : 0.1) * Unit() : 1 + Unit())
                        : r == 2 ? (Chance(0.5) ? Log(-12, tail) : 1.0 - Log(-12, tail))
                                 : Unit());
        }
        }
    }

    // x where the distribution has its mass (its quantile at a random level, a whole number for
    // a count, sometimes between two), around its lower end, or far away: beyond every support
    // and beyond the 16-bit range of discrete points.
    QString Point(Id id, const QString& param1, const QString& param2, const QString& param3) {
        const QByteArray a = param1.toUtf8(), b = param2.toUtf8(), c = param3.toUtf8();
        const auto p = ReadParameters(id, View(a), View(b), View(c));
        std::optional<double> x;
        if (p && Chance(0.85)) {
            try {
                x = Quantile(*p, Unit());
            } catch (const ArithmeticFault&) {
            }
        }
        if (x && std::isfinite(*x)) {
            return Text(*x + (IsDiscrete(id) && Chance(0.2) ? 0.5 : 0.0));
        }
        if (Chance(0.5)) {
            constexpr std::array<double, 6> kFar = {1e300, -1e300, 40000, -40000, 1e6, -1e6};
            return Chance(0.5) ? Awkward() : Text(kFar[Below(static_cast<int>(kFar.size()))]);
        }
        return Text(Chance(0.3) ? static_cast<double>(Below(3)) : 2.0 * Unit() - 0.2);
    }

    std::mt19937_64 engine_;
};

// One line naming the distribution and the five input texts, for failure messages.
std::string Describe(const RandomCase& c) {
    std::string line(RowOf(c.id).key);
    for (const QString& s :
         {c.inputs.param1, c.inputs.param2, c.inputs.param3, c.inputs.x, c.inputs.q}) {
        line += " \"" + s.toStdString() + "\"";
    }
    return line;
}

std::optional<DistributionParameters> ParametersOf(const RandomCase& c) {
    const QByteArray a = c.inputs.param1.toUtf8(), b = c.inputs.param2.toUtf8(),
                     d = c.inputs.param3.toUtf8();
    return ReadParameters(c.id, View(a), View(b), View(d));
}

const QLocale kGrouping(QLocale::English, QLocale::UnitedStates); // comma thousands separator

// f, F, S, H, quantile, mean, variance.
enum Output { kDensity, kCumulative, kSurvival, kHazard, kQuantile, kMean, kVariance };
std::array<QString, 7> TextsOf(const ResultTexts& t) {
    return {t.density, t.cumulative, t.survival, t.hazard, t.quantile, t.mean, t.variance};
}

// The shown number of a C-locale text; no value for "N/A".
std::optional<double> Shown(const QString& text) {
    return text == kNotAvailable ? std::nullopt
                                 : std::optional(std::strtod(text.toLatin1().constData(), nullptr));
}

// Half a unit of the fourth decimal, the most a shown value may differ from the one behind it,
// with room for the binary representation of the decimal text.
constexpr double kHalfDigit = 0.5e-4 * (1.0 + 1e-9);

// The interval a shown quantile must lie in.
std::pair<double, double> Support(const DistributionParameters& p) {
    constexpr double kNoEnd = std::numeric_limits<double>::infinity();
    switch (p.id) {
    case Id::Beta:
        return {0.0, 1.0};
    case Id::Binomial:
        return {0.0, p.count1};
    case Id::Hypergeometric: // population, marked, drawn
        return {std::max(0, p.count3 + p.count2 - p.count1), std::min(p.count3, p.count2)};
    case Id::Uniform:
        return {p.real1, p.real2};
    case Id::Cauchy:
    case Id::Normal:
    case Id::StudentT:
        return {-kNoEnd, kNoEnd};
    default:
        return {0.0, kNoEnd};
    }
}

// Every output over random cases, each evaluated under the C locale and under en_US.
TEST(ResultProperties, ShownResultsAreWellFormedAndConsistent) {
    // Four decimals; no zero before the point below 1 (.2500); digits grouped by threes only
    // where the locale groups them. A discrete quantile: plain digits, never grouped.
    const QRegularExpression plainNumber(QStringLiteral(R"(^-?([1-9][0-9]*)?\.[0-9]{4}$)"));
    const QRegularExpression groupedNumber(
        QStringLiteral(R"(^-?([1-9][0-9]{0,2}(,[0-9]{3})*)?\.[0-9]{4}$)"));
    const QRegularExpression count(QStringLiteral(R"(^-?(0|[1-9][0-9]*)$)"));
    RandomInputs inputs(0x6b656c766f7261);
    constexpr int kCases = 3000;
    int invalid = 0;
    for (int i = 0; i < kCases; ++i) {
        const RandomCase c = inputs.Next();
        SCOPED_TRACE(Describe(c));
        const auto plain = TextsOf(CalculateResults(c.id, c.inputs, QLocale::c()).texts);
        const auto grouped = TextsOf(CalculateResults(c.id, c.inputs, kGrouping).texts);
        for (int o = kDensity; o <= kVariance; ++o) {
            SCOPED_TRACE(o);
            const bool isCount = IsDiscrete(c.id) && o == kQuantile;
            EXPECT_TRUE(plain[o] == kNotAvailable ||
                        (isCount ? count : plainNumber).match(plain[o]).hasMatch());
            EXPECT_TRUE(plain[o] == kNotAvailable ||
                        (isCount ? count : groupedNumber).match(grouped[o]).hasMatch());
            // The locales differ in the grouping only: same digits, same rounding, same "N/A".
            EXPECT_EQ(QString(grouped[o]).remove(QLatin1Char(',')), plain[o]);
            EXPECT_TRUE(std::isfinite(Shown(plain[o]).value_or(0.0)));
            // Probabilities, densities, hazards and variances are never negative.
            if (o != kQuantile && o != kMean) {
                EXPECT_GE(Shown(plain[o]).value_or(0.0), 0.0);
            }
        }
        const auto cumulative = Shown(plain[kCumulative]), survival = Shown(plain[kSurvival]);
        ASSERT_EQ(cumulative.has_value(), survival.has_value());
        if (cumulative) {
            EXPECT_LE(*cumulative, 1.0);
            EXPECT_LE(std::abs(*survival - (1.0 - *cumulative)), 2.0 * kHalfDigit);
        }
        // The mass at k is part of the cumulative at k; a discrete distribution has no hazard.
        const auto density = Shown(plain[kDensity]);
        if (IsDiscrete(c.id)) {
            EXPECT_EQ(plain[kHazard], kNotAvailable);
            EXPECT_LE(density.value_or(0.0), cumulative.value_or(1.0) + 2.0 * kHalfDigit);
        }
        // A parameter set that fails its check shows "N/A" everywhere; a quantile needs q in
        // [0, 1] and lies in the support.
        const auto p = ParametersOf(c);
        const auto q = NumberOf(c.inputs.q);
        const auto quantile = Shown(plain[kQuantile]);
        if (!p) {
            ++invalid;
            for (const QString& text : plain) {
                EXPECT_EQ(text, kNotAvailable);
            }
        } else if (!q || *q < 0.0 || *q > 1.0) {
            EXPECT_FALSE(quantile.has_value());
        } else if (quantile) {
            const auto [low, high] = Support(*p);
            const auto size = [](double v) { return std::isfinite(v) ? std::abs(v) : 0.0; };
            const double slack = kHalfDigit + 1e-15 * std::max(size(low), size(high));
            EXPECT_GE(*quantile, low - slack);
            EXPECT_LE(*quantile, high + slack);
        }
    }
    // The generator must exercise both sides of the parameter checks.
    EXPECT_GT(invalid, kCases / 20);
    EXPECT_LT(invalid, kCases / 2);
}

// A case shows the same seven texts and keeps the same doubles whatever was calculated before
// it: one case of each distribution alone, then a random history that switches locales, then
// all again from the last to the first, so that each follows a different history.
TEST(HistoryIndependence, SameOutputsAfterAnyHistory) {
    RandomInputs inputs(0x686973);
    const auto run = [](const RandomCase& c, int i) {
        return CalculateResults(c.id, c.inputs, i % 2 == 0 ? QLocale::c() : kGrouping);
    };
    std::vector<RandomCase> cases;
    std::vector<CalculationOutput> first;
    for (int i = 0; i < kDistributionCount + 1000; ++i) {
        cases.push_back(i < kDistributionCount ? inputs.Next(static_cast<Id>(i)) : inputs.Next());
        first.push_back(run(cases.back(), i));
    }
    for (int i = static_cast<int>(cases.size()) - 1; i >= 0; --i) {
        SCOPED_TRACE(Describe(cases[i]));
        const CalculationOutput again = run(cases[i], i);
        EXPECT_EQ(TextsOf(again.texts), TextsOf(first[i].texts));
        // Bit for bit through ==: NaN never reaches a ResultSet.
        const ResultSet &a = again.set, &b = first[i].set;
        EXPECT_TRUE(a.Q == b.Q && a.Density == b.Density && a.Cumulative == b.Cumulative &&
                    a.Mean == b.Mean && a.Variance == b.Variance);
    }
}

} // namespace
} // namespace kelvora
