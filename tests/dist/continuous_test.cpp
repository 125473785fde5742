#include "dist/continuous.hpp"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/cauchy.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/exponential.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/rayleigh.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/distributions/uniform.hpp>
#include <boost/math/distributions/weibull.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace kelvora {
namespace {

namespace bm = boost::math;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using Fn = std::function<double(double)>;

// One distribution with one set of parameters, compared with Boost.Math at points spread over
// its body and both tails. Cumulatives are compared absolutely, densities relatively.
struct OracleRow {
    std::string name;
    Fn ourCdf;
    Fn ourPdf;
    Fn refCdf;
    Fn refPdf;
    std::vector<double> xs;
    double cdfTol;
    double pdfTol;
};

// Points at fixed levels of the reference distribution, mapped by x = shift + scale * point.
template <class Dist>
std::vector<double> LevelPoints(const Dist& d, double shift = 0.0, double scale = 1.0) {
    std::vector<double> xs;
    for (double level : {1e-4, 0.001, 0.01, 0.1, 0.25, 0.5, 0.75, 0.9, 0.99, 0.999, 0.9999}) {
        xs.push_back(shift + scale * bm::quantile(d, level));
    }
    return xs;
}

// Reference functions of a distribution moved to `shift` (and, for the cumulative only,
// stretched by `scale`; the densities compared here are all standard in scale).
template <class Dist> Fn RefCdf(Dist d, double shift = 0.0, double scale = 1.0) {
    return [=](double x) { return bm::cdf(d, (x - shift) / scale); };
}
template <class Dist> Fn RefPdf(Dist d, double shift = 0.0) {
    return [=](double x) { return bm::pdf(d, x - shift); };
}

// Tolerances, measured with a little margin: a few 1e-8 where the incomplete gamma or beta
// ratio with its 1e-7 accuracy decides the cumulative (up to 4e-7 for the t cumulative at high
// degrees of freedom), about 5e-12 for AS 66, and near rounding for the closed forms, whose
// short constants (pi = 3.14159265358979) still hold them to about 1e-15.
std::vector<OracleRow> OracleRows() {
    std::vector<OracleRow> rows;
    for (auto [a, b] : {std::pair{0.5, 0.5}, {2.0, 3.0}, {8.0, 1.5}, {30.0, 30.0}}) {
        bm::beta_distribution<> d(a, b);
        rows.push_back({"Beta(" + std::to_string(a) + ", " + std::to_string(b) + ")",
                        [=](double x) { return BetaCdf(x, a, b); },
                        [=](double x) { return BetaPdf(x, a, b); }, RefCdf(d), RefPdf(d),
                        LevelPoints(d), 5e-8, 1e-14});
    }
    for (auto [m, s] : {std::pair{0.0, 1.0}, {-3.0, 0.25}, {10.0, 40.0}}) {
        bm::cauchy_distribution<> d(m, s);
        rows.push_back({"Cauchy(" + std::to_string(m) + ", " + std::to_string(s) + ")",
                        [=](double x) { return CauchyCdf(x, m, s); },
                        [=](double x) { return CauchyPdf(x, m, s); }, RefCdf(d), RefPdf(d),
                        LevelPoints(d), 1e-15, 2e-15});
    }
    for (Int16 n : {1, 2, 5, 30, 70}) {
        bm::chi_squared_distribution<> d(n);
        rows.push_back({"ChiSquare(" + std::to_string(n) + ")",
                        [=](double x) { return ChiSquareCdf(x, n); },
                        [=](double x) { return ChiSquarePdf(x, n); }, RefCdf(d), RefPdf(d),
                        LevelPoints(d), 2.5e-8, 2e-14});
    }
    for (auto [a, theta] : {std::pair{0.0, 1.0}, {2.0, 0.5}, {-5.0, 30.0}}) {
        bm::exponential_distribution<> d(1.0 / theta);
        rows.push_back({"Exponential(" + std::to_string(a) + ", " + std::to_string(theta) + ")",
                        [=](double x) { return ExponentialCdf(x, a, theta); },
                        [=](double x) { return ExponentialPdf(x, a, theta); }, RefCdf(d, a),
                        RefPdf(d, a), LevelPoints(d, a), 1e-16, 2e-16});
    }
    for (auto [m, n] : {std::pair<Int16, Int16>{1, 1}, {3, 4}, {10, 25}, {60, 80}}) {
        bm::fisher_f_distribution<> d(m, n);
        rows.push_back({"F(" + std::to_string(m) + ", " + std::to_string(n) + ")",
                        [=](double x) { return FCdf(x, m, n).value(); },
                        [=](double x) { return FPdf(x, m, n).value(); }, RefCdf(d), RefPdf(d),
                        LevelPoints(d), 3e-8, 8e-14});
    }
    struct Location3 {
        double c, scale, shape;
    };
    for (Location3 p :
         {Location3{0.0, 1.0, 0.5}, {1.0, 2.0, 3.0}, {-2.0, 0.5, 20.0}, {0.0, 3.0, 35.0}}) {
        bm::gamma_distribution<> d(p.shape, p.scale);
        // GammaPdf is the density of the standardised z = (x - c) / scale.
        bm::gamma_distribution<> standard(p.shape, 1.0);
        rows.push_back({"Gamma(" + std::to_string(p.c) + ", " + std::to_string(p.scale) + ", " +
                            std::to_string(p.shape) + ")",
                        [=](double x) { return GammaCdf(x, p.c, p.scale, p.shape); },
                        [=](double x) { return GammaPdf(x, p.c, p.scale, p.shape); },
                        RefCdf(d, p.c),
                        [=](double x) { return bm::pdf(standard, (x - p.c) / p.scale) / p.scale; },
                        LevelPoints(d, p.c), 2.5e-8, 2e-14});
    }
    for (auto [mu, sigma] : {std::pair{0.0, 1.0}, {1.5, 0.3}, {-2.0, 2.0}}) {
        bm::lognormal_distribution<> d(mu, sigma);
        rows.push_back({"Lognormal(" + std::to_string(mu) + ", " + std::to_string(sigma) + ")",
                        [=](double x) { return LognormalCdf(x, mu, sigma); },
                        [=](double x) { return LognormalPdf(x, mu, sigma); }, RefCdf(d), RefPdf(d),
                        LevelPoints(d), 5e-12, 2e-15});
    }
    for (auto [mu, sigma] : {std::pair{0.0, 1.0}, {5.0, 0.1}, {-100.0, 30.0}}) {
        bm::normal_distribution<> d(mu, sigma);
        rows.push_back({"Normal(" + std::to_string(mu) + ", " + std::to_string(sigma) + ")",
                        [=](double x) { return NormalCdf(x, mu, sigma); },
                        [=](double x) { return NormalPdf(x, mu, sigma); }, RefCdf(d), RefPdf(d),
                        LevelPoints(d), 5e-12, 2e-15});
    }
    for (double sigma : {1.0, 0.2, 15.0}) {
        bm::rayleigh_distribution<> d(sigma);
        rows.push_back({"Rayleigh(" + std::to_string(sigma) + ")",
                        [=](double x) { return RayleighCdf(x, sigma); },
                        [=](double x) { return RayleighPdf(x, sigma); }, RefCdf(d), RefPdf(d),
                        LevelPoints(d), 1e-16, 4e-16});
    }
    for (Int16 df : {1, 2, 5, 30, 69}) {
        bm::students_t_distribution<> d(df);
        rows.push_back({"StudentT(0, 1, " + std::to_string(df) + ")",
                        [=](double x) { return StudentTCdf(x, 0.0, 1.0, df); },
                        [=](double x) { return StudentTPdf(x, 0.0, 1.0, df); }, RefCdf(d),
                        RefPdf(d), LevelPoints(d), 4e-7, 5e-14});
    }
    {
        // Location and scale move the cumulative; the density stays the standard one in z.
        bm::students_t_distribution<> d(4);
        rows.push_back({"StudentT(1, 2, 4)", [](double x) { return StudentTCdf(x, 1.0, 2.0, 4); },
                        [](double x) { return StudentTPdf(x, 1.0, 2.0, 4); }, RefCdf(d, 1.0, 2.0),
                        [=](double x) { return bm::pdf(d, (x - 1.0) / 2.0); },
                        LevelPoints(d, 1.0, 2.0), 4e-7, 5e-14});
    }
    for (auto [a, b] : {std::pair{0.0, 1.0}, {-3.0, 5.0}, {10.0, 10.5}}) {
        bm::uniform_distribution<> d(a, b);
        rows.push_back({"Uniform(" + std::to_string(a) + ", " + std::to_string(b) + ")",
                        [=](double x) { return UniformCdf(x, a, b); },
                        [=](double x) { return UniformPdf(x, a, b); }, RefCdf(d), RefPdf(d),
                        LevelPoints(d), 1e-16, 1e-16});
    }
    for (Location3 p :
         {Location3{0.0, 1.0, 0.7}, {0.0, 1.0, 1.0}, {2.0, 3.0, 2.5}, {-1.0, 0.5, 8.0}}) {
        bm::weibull_distribution<> d(p.shape, p.scale);
        rows.push_back({"Weibull(" + std::to_string(p.c) + ", " + std::to_string(p.scale) + ", " +
                            std::to_string(p.shape) + ")",
                        [=](double x) { return WeibullCdf(x, p.c, p.scale, p.shape); },
                        [=](double x) { return WeibullPdf(x, p.c, p.scale, p.shape); },
                        RefCdf(d, p.c), RefPdf(d, p.c), LevelPoints(d, p.c), 2.5e-16, 4e-16});
    }
    return rows;
}

TEST(ContinuousOracle, CumulativesAndDensitiesAgreeWithBoost) {
    for (const OracleRow& row : OracleRows()) {
        double worstCdf = 0.0;
        double worstCdfAt = 0.0;
        double worstPdf = 0.0;
        double worstPdfAt = 0.0;
        for (double x : row.xs) {
            const double cdfError = std::abs(row.ourCdf(x) - row.refCdf(x));
            if (cdfError > worstCdf) {
                worstCdf = cdfError;
                worstCdfAt = x;
            }
            const double expected = row.refPdf(x);
            const double pdfError = std::abs(row.ourPdf(x) - expected) / expected;
            if (pdfError > worstPdf) {
                worstPdf = pdfError;
                worstPdfAt = x;
            }
        }
        EXPECT_LE(worstCdf, row.cdfTol) << row.name << " cdf, worst at x = " << worstCdfAt;
        EXPECT_LE(worstPdf, row.pdfTol) << row.name << " pdf, worst at x = " << worstPdfAt;
    }
}

struct MomentRow {
    const char* name;
    double ours;
    double reference;
    double relTol;
};

// Means and variances against Boost.Math; the Weibull variance subtracts two gamma values and
// loses digits to cancellation as the shape grows.
TEST(ContinuousOracle, MomentsAgreeWithBoost) {
    const bm::beta_distribution<> beta(2.5, 4.0);
    const bm::chi_squared_distribution<> chi(7);
    const bm::exponential_distribution<> exponential(1.0 / 3.0);
    const bm::fisher_f_distribution<> f(6, 11);
    const bm::gamma_distribution<> gamma(2.5, 1.5);
    const bm::lognormal_distribution<> lognormal(0.3, 0.6);
    const bm::normal_distribution<> normal(-2.0, 1.5);
    const bm::rayleigh_distribution<> rayleigh(2.5);
    const bm::students_t_distribution<> t(9);
    const bm::uniform_distribution<> uniform(-1.0, 3.0);
    const bm::weibull_distribution<> weibull(1.7, 2.0);
    const bm::weibull_distribution<> steepWeibull(12.0, 2.0);
    const std::vector<MomentRow> rows = {
        {"BetaMean", BetaMean(2.5, 4.0), bm::mean(beta), 1e-15},
        {"BetaVariance", BetaVariance(2.5, 4.0), bm::variance(beta), 1e-15},
        {"ChiSquareMean", ChiSquareMean(7), bm::mean(chi), 0.0},
        {"ChiSquareVariance", ChiSquareVariance(7), bm::variance(chi), 0.0},
        {"ExponentialMean", ExponentialMean(1.0, 3.0), 1.0 + bm::mean(exponential), 1e-15},
        {"Exponential variance", SquareSecondParameter(1.0, 3.0), bm::variance(exponential), 1e-15},
        {"FMean", FMean(6, 11).value(), bm::mean(f), 1e-15},
        {"FVariance", FVariance(6, 11).value(), bm::variance(f), 1e-15},
        {"GammaMean", GammaMean(1.0, 1.5, 2.5), 1.0 + bm::mean(gamma), 1e-15},
        {"GammaVariance", GammaVariance(1.0, 1.5, 2.5), bm::variance(gamma), 1e-15},
        {"LognormalMean", LognormalMean(0.3, 0.6), bm::mean(lognormal), 1e-15},
        {"LognormalVariance", LognormalVariance(0.3, 0.6), bm::variance(lognormal), 1e-14},
        {"Normal mean", CopyFirstParameter(-2.0, 1.5), bm::mean(normal), 0.0},
        {"Normal variance", SquareSecondParameter(-2.0, 1.5), bm::variance(normal), 0.0},
        {"RayleighMean", RayleighMean(2.5), bm::mean(rayleigh), 1e-15},
        // Its factor 0.2146018366025525 lies 4e-15 above (4 - pi) / 4.
        {"RayleighVariance", RayleighVariance(2.5), bm::variance(rayleigh), 5e-15},
        {"StudentTVariance", StudentTVariance(0.0, 2.0, 9).value(), 4.0 * bm::variance(t), 1e-15},
        {"UniformMean", UniformMean(-1.0, 3.0), bm::mean(uniform), 0.0},
        {"UniformVariance", UniformVariance(-1.0, 3.0), bm::variance(uniform), 1e-15},
        {"WeibullMean", WeibullMean(0.5, 2.0, 1.7), 0.5 + bm::mean(weibull), 1e-14},
        {"WeibullVariance", WeibullVariance(0.5, 2.0, 1.7), bm::variance(weibull), 1e-14},
        {"WeibullVariance, shape 12", WeibullVariance(0.0, 2.0, 12.0), bm::variance(steepWeibull),
         1e-12},
    };
    for (const MomentRow& row : rows) {
        EXPECT_LE(std::abs(row.ours - row.reference), row.relTol * std::abs(row.reference))
            << row.name << ": " << row.ours << " against " << row.reference;
    }
}

} // namespace
} // namespace kelvora
