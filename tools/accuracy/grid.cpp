#include "grid.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace kelvora::accuracy {

namespace {

using Id = DistributionId;
using Values = std::vector<double>;

// The quick grid keeps every other value of each list and always its last, the largest.
Values Pick(const Values& values, GridSize size) {
    if (size == GridSize::Full) {
        return values;
    }
    Values picked;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i % 2 == 0 || i + 1 == values.size()) {
            picked.push_back(values[i]);
        }
    }
    return picked;
}

void AddSingles(std::vector<ParameterSet>& grid, Id id, const Values& values, GridSize size) {
    for (const double v : Pick(values, size)) {
        grid.push_back({id, {NumberText(v), "", ""}, {}, {}});
    }
}

void AddPairs(std::vector<ParameterSet>& grid, Id id, const Values& first, const Values& second,
              GridSize size) {
    for (const double a : Pick(first, size)) {
        for (const double b : Pick(second, size)) {
            grid.push_back({id, {NumberText(a), NumberText(b), ""}, {}, {}});
        }
    }
}

// Shape parameters from nearly degenerate to very large; the counts include the limits where
// the routines change method or reach a 16-bit bound (70/71 and 171 for the gamma function and
// the factorial, 1000 for the normal approximation of the incomplete gamma ratio, 1029/1030 for
// the binomial coefficient, 3640/3641 and 8191/8192 for the solvers' products, 32767).
const Values kBetaShapes = {0.05, 0.5, 1, 2, 5, 30, 300, 3000, 20000, 32767};
const Values kBinomialTrials = {0, 1, 2, 10, 60, 170, 1029, 1030, 5000, 32767};
const Values kBinomialProbabilities = {1e-4, 0.1, 0.5, 0.9, 0.9999};
const Values kLocations = {-1e6, -2, 0, 3.5, 1e6};
const Values kScales = {1e-6, 0.1, 1, 100, 1e8};
const Values kChiSquareDf = {1,   2,   3,   4,    5,    7,    10,   30,    70,   71,
                             100, 171, 500, 1000, 2000, 3640, 3641, 10000, 32767};
const Values kRates = {1e-6, 0.01, 0.5, 1, 2, 100, 1e6};
const Values kFDf = {1, 2, 3, 4, 5, 10, 30, 143, 144, 1000, 3640, 3641, 32767};
const Values kGammaScales = {1e-3, 1, 2.5, 1e3};
const Values kGammaShapes = {0.01, 0.5, 1, 3, 10, 35, 36, 100, 171, 1000, 1001, 5000, 1e5};
const Values kGeometricProbabilities = {1e-6, 1e-3, 0.1, 0.5, 0.9, 0.999999};
const Values kLognormalMeans = {-5, 0, 3};
const Values kLognormalSigmas = {0.01, 0.5, 1, 3, 10, 26};
const Values kPoissonRates = {1e-6, 0.5, 3,    10,   100,   170,   500,
                              745,  746, 1000, 5000, 20000, 32767, 40000};
const Values kRayleighSigmas = {1e-6, 0.1, 1, 7, 1e6};
const Values kStudentTDf = {1, 2, 3, 4, 5, 10, 30, 70, 71, 100, 171, 1000, 8191, 8192, 32767};
const Values kWeibullScales = {1e-3, 1, 2.5, 1e3};
const Values kWeibullShapes = {0.02, 0.029, 0.03, 0.1, 0.5, 1, 2, 3.5, 10, 50};

// Population M, marked K, drawn n (n <= K <= M), including n + K > M (no draw without a marked
// item), the largest populations, and the largest unmarked and undrawn parts.
constexpr std::array<std::array<double, 3>, 19> kHypergeometricSets = {{{1, 1, 0},
                                                                        {1, 1, 1},
                                                                        {2, 1, 1},
                                                                        {10, 5, 3},
                                                                        {10, 8, 5},
                                                                        {10, 10, 10},
                                                                        {50, 25, 10},
                                                                        {100, 60, 40},
                                                                        {100, 99, 98},
                                                                        {1000, 500, 200},
                                                                        {1000, 999, 500},
                                                                        {5000, 2500, 1000},
                                                                        {20000, 15000, 9000},
                                                                        {32767, 20000, 10000},
                                                                        {32767, 32767, 100},
                                                                        {32767, 30000, 30000},
                                                                        {32767, 1, 1},
                                                                        {32767, 16000, 0},
                                                                        {32767, 32767, 32767}}};

constexpr std::array<std::array<double, 2>, 6> kUniformEnds = {
    {{0, 1}, {-3, 5}, {-1e6, 1e6}, {1e-6, 2e-6}, {1e10, 1e10 + 1e3}, {-1e-3, 0}}};

// Levels at which the body and the tails of the true distribution are visited.
const std::vector<Real> kBodyLevels = {1e-6L, 1e-3L, 0.05L,  0.25L,    0.5L,
                                       0.75L, 0.95L, 0.999L, 1 - 1e-6L};
const std::vector<Real> kQuickBodyLevels = {1e-3L, 0.25L, 0.5L, 0.95L, 0.999L};
// Upper-tail probabilities far beyond the body: where 1 - F keeps few or no digits.
const std::vector<Real> kFarUpperTail = {1e-12L, 1e-30L, 1e-100L, 1e-300L};
const std::vector<Real> kQuickFarUpperTail = {1e-30L};

void AddPoint(std::vector<double>& points, Real x) {
    if (std::isfinite(x) && std::abs(x) <= std::numeric_limits<double>::max()) {
        points.push_back(static_cast<double>(x));
    }
}

// Cases as reported, with the texts a user typed (kelvora-calc DIST P1 P2 P3 --x X --q Q; no x
// or q where the row names none), and the sums of shapes and degrees of freedom around 32767.
struct Row {
    Id id;
    std::array<const char*, 3> texts;
    const char* x;
    const char* q;
};
constexpr Row kRows[] = {
    {Id::Beta, {"2", "5", ""}, nullptr, ".1"},
    {Id::Beta, {"2", "2", ""}, nullptr, ".025"},
    {Id::Beta, {".5", ".5", ""}, nullptr, ".1"},
    {Id::Beta, {"10", "10", ""}, nullptr, ".05"},
    {Id::StudentT, {"45.9", "", ""}, nullptr, "0.9999999999"},
    {Id::ChiSquare, {"70", "", ""}, nullptr, "1e-10"},
    {Id::Normal, {"0", "1", ""}, nullptr, "1e-6"},
    {Id::Gamma, {"24.72", "35.05", ""}, nullptr, "0"},
    {Id::StudentT, {"10000", "", ""}, nullptr, ".975"},
    {Id::ChiSquare, {"5000", "", ""}, nullptr, ".5"},
    {Id::F, {"100", "5000", ""}, nullptr, ".95"},
    {Id::Beta, {"20000", "20000", ""}, ".5", nullptr},
    {Id::Poisson, {"746", "", ""}, nullptr, "1"},
    {Id::Binomial, {"1340", "0.1704", ""}, nullptr, "1"},
    {Id::Cauchy, {"0", "1", ""}, nullptr, "1"},
    {Id::Beta, {".5", ".5", ""}, "0", nullptr},
    {Id::Gamma, {"1", "1", ""}, "0", nullptr},
    {Id::Gamma, {"1", "0.5", ""}, "0", nullptr},
    {Id::StudentT, {"10000", "", ""}, "1.96", nullptr},
    {Id::Beta, {"32767", "32767", ""}, ".5", nullptr},
    {Id::Beta, {"16384", "16384", ""}, nullptr, nullptr},
    {Id::Beta, {"16383", "16384", ""}, nullptr, nullptr},
    {Id::F, {"20000", "20000", ""}, nullptr, nullptr},
    {Id::F, {"32767", "32767", ""}, nullptr, nullptr},
    {Id::F, {"16384", "16384", ""}, nullptr, nullptr},
    {Id::F, {"16383", "16384", ""}, nullptr, nullptr},
    {Id::ChiSquare, {"32767", "", ""}, nullptr, nullptr},
    {Id::StudentT, {"32767", "", ""}, nullptr, nullptr},
    {Id::Poisson, {"32767", "", ""}, "32768", ".99"},
    {Id::Poisson, {"40000", "", ""}, "40000", nullptr},
    {Id::Poisson, {"40000", "", ""}, "-32769", nullptr},
    {Id::Binomial, {"32767", "0.9999", ""}, nullptr, ".5"},
    {Id::Hypergeometric, {"32767", "20000", "10000"}, "32767", nullptr},
};

// Adds the rows to the grid: to a set with the same texts where there is one.
void AddRows(std::vector<ParameterSet>& grid) {
    for (const Row& row : kRows) {
        const std::array<std::string, 3> texts = {row.texts[0], row.texts[1], row.texts[2]};
        auto set = std::find_if(grid.begin(), grid.end(), [&](const ParameterSet& s) {
            return s.id == row.id && s.texts == texts;
        });
        if (set == grid.end()) {
            set = grid.insert(grid.end(), {row.id, texts, {}, {}});
        }
        if (row.x != nullptr) {
            set->points.push_back(row.x);
        }
        if (row.q != nullptr) {
            set->levels.push_back(row.q);
        }
    }
}

// Appends the texts not already in the list.
void AppendNew(std::vector<std::string>& texts, const std::vector<std::string>& more) {
    for (const std::string& text : more) {
        if (std::find(texts.begin(), texts.end(), text) == texts.end()) {
            texts.push_back(text);
        }
    }
}

} // namespace

const char* DistributionKey(DistributionId id) {
    static constexpr std::array<const char*, kDistributionCount> kKeys = {
        "beta",     "binomial",  "cauchy",         "chisquare", "exponential", "f",
        "gamma",    "geometric", "hypergeometric", "lognormal", "normal",      "poisson",
        "rayleigh", "t",         "uniform",        "weibull"};
    return kKeys[static_cast<std::size_t>(id)];
}

std::string NumberText(double v) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return std::string(buffer.data(), result.ptr);
}

std::vector<ParameterSet> ParameterGrid(GridSize size) {
    std::vector<ParameterSet> grid;
    AddPairs(grid, Id::Beta, kBetaShapes, kBetaShapes, size);
    AddPairs(grid, Id::Binomial, kBinomialTrials, kBinomialProbabilities, size);
    AddPairs(grid, Id::Cauchy, kLocations, kScales, size);
    AddSingles(grid, Id::ChiSquare, kChiSquareDf, size);
    AddSingles(grid, Id::Exponential, kRates, size);
    AddPairs(grid, Id::F, kFDf, kFDf, size);
    AddPairs(grid, Id::Gamma, kGammaScales, kGammaShapes, size);
    AddSingles(grid, Id::Geometric, kGeometricProbabilities, size);
    for (std::size_t i = 0; i < kHypergeometricSets.size(); ++i) {
        if (size == GridSize::Full || i % 2 == 0 || i + 1 == kHypergeometricSets.size()) {
            const auto& [m, k, n] = kHypergeometricSets[i];
            grid.push_back(
                {Id::Hypergeometric, {NumberText(m), NumberText(k), NumberText(n)}, {}, {}});
        }
    }
    AddPairs(grid, Id::Lognormal, kLognormalMeans, kLognormalSigmas, size);
    AddPairs(grid, Id::Normal, kLocations, kScales, size);
    AddSingles(grid, Id::Poisson, kPoissonRates, size);
    AddSingles(grid, Id::Rayleigh, kRayleighSigmas, size);
    AddSingles(grid, Id::StudentT, kStudentTDf, size);
    for (const auto& [a, b] : kUniformEnds) {
        grid.push_back({Id::Uniform, {NumberText(a), NumberText(b), ""}, {}, {}});
    }
    AddPairs(grid, Id::Weibull, kWeibullScales, kWeibullShapes, size);
    AddRows(grid);
    return grid;
}

std::vector<std::string> PointTexts(const ParameterSet& set, const Reference& reference,
                                    GridSize size) {
    const bool full = size == GridSize::Full;
    std::vector<double> points;
    for (const Real level : full ? kBodyLevels : kQuickBodyLevels) {
        AddPoint(points, reference.Quantile(level));
    }
    if (!reference.IsDiscrete()) {
        for (const Real tail : full ? kFarUpperTail : kQuickFarUpperTail) {
            AddPoint(points, reference.UpperQuantile(tail));
        }
    }
    // The ends of the support and just beyond them, the origin, and far away: beyond the
    // 16-bit range of counts and near the top of the double range.
    AddPoint(points, reference.Lowest());
    AddPoint(points, reference.Highest());
    points.push_back(0.0);
    points.push_back(-1.0);
    if (full) {
        points.insert(points.end(), {4e4, -4e4, 1e5, -1e5, 1e300, -1e300});
        AddPoint(points, reference.Highest() + 1);
    }
    if (reference.IsDiscrete()) {
        AddPoint(points, reference.Quantile(0.5L) + 0.5L); // between two counts
    } else if (set.id == DistributionId::Beta) {
        points.push_back(1.0);
        points.push_back(1.5);
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    std::vector<std::string> texts;
    for (const double x : points) {
        texts.push_back(NumberText(x));
    }
    AppendNew(texts, set.points);
    return texts;
}

std::vector<std::string> LevelTexts(const ParameterSet& set, GridSize size) {
    std::vector<std::string> levels = {"0", "1e-4", "0.05", "0.5", "0.95", "0.999", "1"};
    if (size == GridSize::Full) {
        levels = {"0",    "1e-9", "1e-4", "0.01", "0.05",  "0.1",         "0.25", "0.5",
                  "0.75", "0.9",  "0.95", "0.99", "0.999", "0.999999999", "1"};
    }
    AppendNew(levels, set.levels);
    return levels;
}

} // namespace kelvora::accuracy
