// The continuous distribution routines: Boost.Math agreement, support ends, closed-form
// quantiles, the cases without a value and the faults.
#include "distributions/continuous.hpp"
#include "specfun/normal_beta.hpp"

#include <boost/math/distributions.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kelvora {
namespace {

namespace bm = boost::math;
using Fn = std::function<double(double)>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct OracleRow {
    std::string name;
    Fn cdf, pdf, refCdf, refPdf;
    std::vector<double> xs;
    double cdfTol, pdfTol;
};

// Boost's distribution d moved to `shift` and stretched by `scale` in the argument (the t density
// stays the standard one in z), compared at fixed levels over its body and both tails.
template <class D>
void Add(std::vector<OracleRow>& rows, std::string name, D d, Fn cdf, Fn pdf, double cdfTol,
         double pdfTol, double shift = 0.0, double scale = 1.0) {
    // clang-format off
    OracleRow row{std::move(name), std::move(cdf), std::move(pdf),
                  [=](double x) { return bm::cdf(d, (x - shift) / scale); },
                  [=](double x) { return bm::pdf(d, (x - shift) / scale); }, {}, cdfTol, pdfTol};
    // clang-format on
    for (double level : {1e-4, 0.001, 0.01, 0.1, 0.25, 0.5, 0.75, 0.9, 0.99, 0.999, 0.9999}) {
        row.xs.push_back(shift + scale * bm::quantile(d, level));
    }
    rows.push_back(std::move(row));
}

// Cumulatives absolutely, densities relatively. A few 1e-8 where the incomplete gamma or beta
// ratio decides the cumulative (4e-7 for t at high df), about 5e-12 for AS 66, near rounding
// for the closed forms with their short constants.
TEST(ContinuousOracle, CumulativesAndDensitiesAgreeWithBoost) {
    std::vector<OracleRow> rows;
    struct Located {
        double c, scale, shape;
    };
    // clang-format off
    for (auto [a, b] : {std::pair{0.5, 0.5}, {2.0, 3.0}, {8.0, 1.5}, {30.0, 30.0}}) {
        Add(rows, "Beta", bm::beta_distribution<>(a, b), [=](double x) { return BetaCdf(x, a, b); },
            [=](double x) { return BetaPdf(x, a, b); }, 5e-8, 1e-14);
    }
    for (auto [m, s] : {std::pair{0.0, 1.0}, {-3.0, 0.25}, {10.0, 40.0}}) {
        Add(rows, "Cauchy", bm::cauchy_distribution<>(m, s),
            [=](double x) { return CauchyCdf(x, m, s); },
            [=](double x) { return CauchyPdf(x, m, s); }, 1e-15, 2e-15);
    }
    for (Int16 n : {1, 2, 5, 30, 70}) {
        Add(rows, "ChiSquare", bm::chi_squared(n), [=](double x) { return ChiSquareCdf(x, n); },
            [=](double x) { return ChiSquarePdf(x, n); }, 2.5e-8, 2e-14);
    }
    for (auto [a, t] : {std::pair{0.0, 1.0}, {2.0, 0.5}, {-5.0, 30.0}}) {
        Add(rows, "Exponential", bm::exponential_distribution<>(1.0 / t),
            [=](double x) { return ExponentialCdf(x, a, t); },
            [=](double x) { return ExponentialPdf(x, a, t); }, 1e-16, 2e-16, a);
    }
    for (auto [m, n] : {std::pair<Int16, Int16>{1, 1}, {3, 4}, {10, 25}, {60, 80}}) {
        Add(rows, "F", bm::fisher_f(m, n), [=](double x) { return FCdf(x, m, n).value(); },
            [=](double x) { return FPdf(x, m, n).value(); }, 3e-8, 8e-14);
    }
    for (Located p :
          {Located{0.0, 1.0, 0.5}, {1.0, 2.0, 3.0}, {-2.0, 0.5, 20.0}, {0.0, 3.0, 35.0}}) {
        Add(rows, "Gamma", bm::gamma_distribution<>(p.shape, p.scale),
            [=](double x) { return GammaCdf(x, p.c, p.scale, p.shape); },
            [=](double x) { return GammaPdf(x, p.c, p.scale, p.shape); }, 2.5e-8, 2e-14, p.c);
    }
    for (auto [m, s] : {std::pair{0.0, 1.0}, {1.5, 0.3}, {-2.0, 2.0}}) {
        Add(rows, "Lognormal", bm::lognormal_distribution<>(m, s),
            [=](double x) { return LognormalCdf(x, m, s); },
            [=](double x) { return LognormalPdf(x, m, s); }, 5e-12, 2e-15);
    }
    for (auto [m, s] : {std::pair{0.0, 1.0}, {5.0, 0.1}, {-100.0, 30.0}}) {
        Add(rows, "Normal", bm::normal_distribution<>(m, s),
            [=](double x) { return NormalCdf(x, m, s); },
            [=](double x) { return NormalPdf(x, m, s); }, 5e-12, 2e-15);
    }
    for (double s : {1.0, 0.2, 15.0}) {
        Add(rows, "Rayleigh", bm::rayleigh_distribution<>(s),
            [=](double x) { return RayleighCdf(x, s); },
            [=](double x) { return RayleighPdf(x, s); }, 1e-16, 4e-16);
    }
    for (Located p : {Located{0.0, 1.0, 1}, {0.0, 1.0, 2}, {0.0, 1.0, 5}, {0.0, 1.0, 30},
                      {0.0, 1.0, 69}, {1.0, 2.0, 4}}) {
        const auto df = static_cast<Int16>(p.shape);
        Add(rows, "StudentT", bm::students_t(df),
            [=](double x) { return StudentTCdf(x, p.c, p.scale, df); },
            [=](double x) { return StudentTPdf(x, p.c, p.scale, df); }, 4e-7, 5e-14, p.c, p.scale);
    }
    for (auto [a, b] : {std::pair{0.0, 1.0}, {-3.0, 5.0}, {10.0, 10.5}}) {
        Add(rows, "Uniform", bm::uniform_distribution<>(a, b),
            [=](double x) { return UniformCdf(x, a, b); },
            [=](double x) { return UniformPdf(x, a, b); }, 1e-16, 1e-16);
    }
    for (Located p : {Located{0.0, 1.0, 0.7}, {0.0, 1.0, 1.0}, {2.0, 3.0, 2.5}, {-1.0, 0.5, 8.0}}) {
        Add(rows, "Weibull", bm::weibull_distribution<>(p.shape, p.scale),
            [=](double x) { return WeibullCdf(x, p.c, p.scale, p.shape); },
            [=](double x) { return WeibullPdf(x, p.c, p.scale, p.shape); }, 2.5e-16, 4e-16, p.c);
    }
    // clang-format on
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const OracleRow& r = rows[i];
        for (double x : r.xs) {
            EXPECT_NEAR(r.cdf(x), r.refCdf(x), r.cdfTol) << r.name << " row " << i << " x " << x;
            const double expected = r.refPdf(x);
            EXPECT_NEAR(r.pdf(x), expected, r.pdfTol * expected)
                << r.name << " row " << i << " x " << x;
        }
    }
}

// The Weibull variance subtracts two gamma values and loses digits as the shape grows.
TEST(ContinuousMoments, AgreeWithBoostWhereTheFormsCancel) {
    const bm::weibull_distribution<> w(1.7, 2.0), steep(12.0, 2.0);
    EXPECT_NEAR(WeibullMean(0.5, 2.0, 1.7), 0.5 + bm::mean(w), 1e-14 * bm::mean(w));
    EXPECT_NEAR(WeibullVariance(0.5, 2.0, 1.7), bm::variance(w), 1e-14 * bm::variance(w));
    EXPECT_NEAR(WeibullVariance(0.0, 2.0, 12.0), bm::variance(steep), 1e-12 * bm::variance(steep));
    EXPECT_EQ(RayleighVariance(1.0), 0.429203673205105);
    EXPECT_EQ(StudentTMean(-2.0, 1.0, 1), -2.0);
    // Sums of degrees of freedom past 16 bits: 2 n^2 (m + n - 2) / (m (n - 2)^2 (n - 4)).
    EXPECT_EQ(ChiSquareVariance(32767), 65534.0);
    EXPECT_NEAR(FVariance(32767, 5).value(), 50.0 * 32770.0 / (32767.0 * 9.0), 1e-12);
}

// Last-bit pins of the t density, whose short pi under a root hides below the oracle tolerance.
TEST(ContinuousDensity, StudentTPinnedValues) {
    EXPECT_EQ(StudentTPdf(0.5, 0.0, 1.0, 5), 0.32791853132274662);
    EXPECT_EQ(StudentTPdf(-1.5, 0.0, 1.0, 30), 0.12896160173967189);
}

TEST(ContinuousSupport, FixedValuesAtAndBeyondTheEnds) {
    // clang-format off
    const std::vector<std::pair<double, double>> cases = {
        {BetaCdf(0.0, 2.0, 3.0), 0.0}, {BetaCdf(-1.0, 2.0, 3.0), 0.0},
        {BetaCdf(1.5, 2.0, 3.0), 1.0}, {BetaCdf(1.0, 2.0, 3.0), IncompleteBetaRatio(2.0, 3.0, 1.0)},
        {BetaPdf(1.2, 2.0, 3.0), 0.0}, {BetaPdf(-0.1, 0.5, 3.0), 0.0},
        {BetaPdf(0.0, 2.0, 3.0), 0.0},
        {CauchyCdf(4.0, 4.0, 2.0), 0.5}, {ChiSquareCdf(0.0, 3), 0.0}, {ChiSquarePdf(-1.0, 3), 0.0},
        {ChiSquarePdf(0.0, 2), 0.5}, {ChiSquarePdf(0.0, 3), 0.0},
        {ExponentialCdf(2.0, 2.0, 4.0), 0.0}, {ExponentialPdf(2.0, 2.0, 4.0), 0.25},
        {ExponentialPdf(1.0, 2.0, 4.0), 0.0}, {FCdf(-1.0, 3, 4).value(), 0.0},
        {FPdf(-1.0, 3, 4).value(), 0.0}, {FPdf(0.0, 3, 4).value(), 0.0},
        {GammaCdf(1.0, 1.0, 2.0, 3.0), 0.0}, {GammaPdf(1.0, 1.0, 2.0, 3.0), 0.0},
        {GammaPdf(1.0, 1.0, 2.0, 1.0), 0.5}, {GammaPdf(1.0, 1.0, 2.0, 40.0), 0.0},
        {LognormalCdf(0.0, 1.0, 2.0), 0.0},
        {LognormalPdf(0.0, 1.0, 2.0), 0.0}, {NormalCdf(3.0, 3.0, 0.5), 0.5},
        {RayleighCdf(0.0, 2.0), 0.0}, {RayleighPdf(-1.0, 2.0), 0.0},
        {StudentTCdf(2.0, 2.0, 3.0, 5), 0.5}, {UniformCdf(-4.0, -3.0, 5.0), 0.0},
        {UniformCdf(6.0, -3.0, 5.0), 1.0}, {UniformCdf(5.0, -3.0, 5.0), 1.0},
        {UniformPdf(-3.0, -3.0, 5.0), 0.125}, {UniformPdf(5.0, -3.0, 5.0), 0.125},
        {UniformPdf(5.1, -3.0, 5.0), 0.0}, {WeibullCdf(1.0, 1.0, 2.0, 3.0), 0.0},
        {WeibullPdf(0.0, 1.0, 2.0, 0.5), 0.0}, {WeibullPdf(1.0, 1.0, 1.0, 1.0), 1.0},
        {WeibullPdf(1.0, 1.0, 2.0, 3.0), 0.0},
        // Closed-form quantiles.
        {CauchyQuantile(0.5, 4.0, 2.0), 4.0}, {ExponentialQuantile(0.0, 2.0, 3.0).value(), 2.0},
        {LognormalQuantile(0.5, 1.5, 2.0).value(), std::exp(1.5)},
        {NormalQuantile(0.5, -7.0, 3.0).value(), -7.0}, {RayleighQuantile(0.0, 2.0).value(), 0.0},
        {UniformQuantile(0.25, -3.0, 5.0).value(), -1.0},
        {UniformQuantile(1.0, -3.0, 5.0).value(), 5.0}, {WeibullQuantile(0.0, 1.5, 2.0, 3.0), 1.5}};
    // clang-format on
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    }
    // With the short pi the Cauchy ends stay finite, far out and of opposite signs.
    EXPECT_LT(CauchyQuantile(0.0, 0.0, 1.0), -1e13);
    EXPECT_GT(CauchyQuantile(1.0, 0.0, 1.0), 1e13);
}

// Each closed-form quantile inverts its cumulative (the normal ones to the accuracy of the
// upper-point polynomial).
TEST(ContinuousQuantile, InvertsTheCumulative) {
    // clang-format off
    const std::vector<std::tuple<Fn, Fn, double>> cases = {
        {[](double q) { return CauchyQuantile(q, 1.0, 3.0); },
         [](double x) { return CauchyCdf(x, 1.0, 3.0); }, 1e-15},
        {[](double q) { return *ExponentialQuantile(q, -1.0, 2.0); },
         [](double x) { return ExponentialCdf(x, -1.0, 2.0); }, 1e-15},
        {[](double q) { return *LognormalQuantile(q, 0.5, 0.8); },
         [](double x) { return LognormalCdf(x, 0.5, 0.8); }, 2e-8},
        {[](double q) { return *NormalQuantile(q, 10.0, 4.0); },
         [](double x) { return NormalCdf(x, 10.0, 4.0); }, 2e-8},
        {[](double q) { return *RayleighQuantile(q, 1.5); },
         [](double x) { return RayleighCdf(x, 1.5); }, 1e-15},
        {[](double q) { return *UniformQuantile(q, 2.0, 9.0); },
         [](double x) { return UniformCdf(x, 2.0, 9.0); }, 1e-15},
        {[](double q) { return WeibullQuantile(q, 1.0, 2.0, 1.7); },
         [](double x) { return WeibullCdf(x, 1.0, 2.0, 1.7); }, 1e-15}};
    // clang-format on
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [quantile, cdf, tol] = cases[i];
        for (double q : {0.001, 0.05, 0.3, 0.5, 0.8, 0.99}) {
            EXPECT_NEAR(cdf(quantile(q)), q, tol) << "case " << i << " q " << q;
        }
    }
}

TEST(ContinuousNoValue, UndefinedMomentsAndLevelsGiveNoValue) {
    // clang-format off
    const std::vector<std::optional<double>> cases = {
        CauchyVariance(0.0, 1.0), ExponentialQuantile(-0.1, 0.0, 1.0),
        ExponentialQuantile(1.1, 0.0, 1.0), LognormalQuantile(-0.5, 0.0, 1.0),
        LognormalQuantile(1.5, 0.0, 1.0), NormalQuantile(-0.5, 0.0, 1.0),
        NormalQuantile(1.5, 0.0, 1.0), RayleighQuantile(-0.5, 1.0), RayleighQuantile(2.0, 1.0),
        UniformQuantile(-1e-9, 0.0, 1.0), UniformQuantile(1.5, 0.0, 1.0), FCdf(1.0, 0, 4),
        FCdf(1.0, 3, 0), FPdf(1.0, -1, 4), FMean(3, 2), FMean(0, 10), FVariance(3, 4),
        StudentTVariance(0.0, 1.0, 2)};
    // clang-format on
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_FALSE(cases[i].has_value()) << "case " << i;
    }
}

// The faults that accepted input reaches, and NaN reaching a series or continued fraction.
TEST(ContinuousFaults, FaultCases) {
    // clang-format off
    const std::vector<std::function<void()>> cases = {
        [] { BetaPdf(0.0, 0.5, 2.0); }, [] { BetaPdf(1.0, 2.0, 0.5); },
        [] { ChiSquarePdf(0.0, 1); }, [] { GammaPdf(1e-320, 0.0, 1.0, 0.01); },
        [] { GammaPdf(1.0, 1.0, 2.0, 0.5); },
        [] { GammaPdf(1.0, 0.0, 1.0, 1e37); }, [] { (void)FPdf(0.0, 1, 5); },
        [] { WeibullMean(0.0, 1.0, 0.005); }, [] { WeibullPdf(1.0, 1.0, 2.0, 0.5); },
        [] { (void)ExponentialQuantile(1.0, 0.0, 1.0); }, [] { (void)RayleighQuantile(1.0, 1.0); },
        [] { WeibullQuantile(1.0, 0.0, 1.0, 2.0); }, [] { WeibullQuantile(1.5, 0.0, 1.0, 2.0); },
        [] { (void)NormalQuantile(0.0, 0.0, 1.0); }, [] { (void)NormalQuantile(1.0, 0.0, 1.0); },
        [] { (void)LognormalQuantile(0.0, 0.0, 1.0); },
        [] { (void)LognormalQuantile(1.0, 0.0, 1.0); },
        [] { BetaCdf(kNaN, 2.0, 3.0); }, [] { BetaCdf(0.5, kNaN, 3.0); },
        [] { ChiSquareCdf(kNaN, 3); }, [] { GammaCdf(kNaN, 0.0, 1.0, 2.0); },
        [] { GammaCdf(5.0, 0.0, 1.0, kNaN); }, [] { (void)FCdf(kNaN, 3, 4); },
        [] { StudentTCdf(kNaN, 0.0, 1.0, 5); }};
    // clang-format on
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_THROW(cases[i](), ArithmeticFault) << "case " << i;
    }
}

} // namespace
} // namespace kelvora
