// The upper-tail survival routines and the hazard that divides by them far in the upper tail.
#include "dist/continuous.hpp"
#include "dist/hazard.hpp"

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
#include <ostream>
#include <string>

namespace kelvora {
namespace {

namespace bm = boost::math;
using Id = DistributionId;

// A distribution's parameter set as the result calculation reads it, Boost's survival and
// hazard for it, and points far in its upper tail (where 1 - F is 1e-15 or below, or 0).
struct TailCase {
    std::string name;
    DistributionParameters p;
    std::function<double(double)> survival; // Boost
    std::function<double(double)> hazard;   // Boost
    std::vector<double> xs;
    double tolerance; // the algorithm's relative accuracy in the tail
};

void PrintTo(const TailCase& c, std::ostream* os) {
    *os << c.name;
}

template <class Dist>
TailCase Tail(std::string name, DistributionParameters p, Dist d, std::vector<double> xs,
              double tolerance) {
    return {std::move(name),
            p,
            [d](double x) { return bm::cdf(bm::complement(d, x)); },
            [d](double x) { return bm::hazard(d, x); },
            std::move(xs),
            tolerance};
}

DistributionParameters Reals(Id id, double a, double b = 0.0) {
    DistributionParameters p;
    p.id = id;
    p.real1 = a;
    p.real2 = b;
    return p;
}

DistributionParameters Counts(Id id, Int16 a, Int16 b = 0) {
    DistributionParameters p;
    p.id = id;
    p.count1 = a;
    p.count2 = b;
    return p;
}

// The routines behind the result calculation's density and cumulative.
double DensityOf(const DistributionParameters& p, double x) {
    switch (p.id) {
    case Id::Beta:
        return BetaPdf(x, p.real1, p.real2);
    case Id::Cauchy:
        return CauchyPdf(x, p.real1, p.real2);
    case Id::ChiSquare:
        return ChiSquarePdf(x, p.count1);
    case Id::Exponential:
        return ExponentialPdf(x, 0.0, p.real2);
    case Id::F:
        return FPdf(x, p.count1, p.count2).value();
    case Id::Gamma:
        return GammaPdf(x, 0.0, p.real1, p.real2);
    case Id::Lognormal:
        return LognormalPdf(x, p.real1, p.real2);
    case Id::Normal:
        return NormalPdf(x, p.real1, p.real2);
    case Id::Rayleigh:
        return RayleighPdf(x, p.real1);
    case Id::StudentT:
        return StudentTPdf(x, 0.0, 1.0, p.count1);
    case Id::Uniform:
        return UniformPdf(x, p.real1, p.real2);
    default:
        return WeibullPdf(x, 0.0, p.real1, p.real2);
    }
}

double CumulativeOf(const DistributionParameters& p, double x) {
    switch (p.id) {
    case Id::Beta:
        return BetaCdf(x, p.real1, p.real2);
    case Id::Cauchy:
        return CauchyCdf(x, p.real1, p.real2);
    case Id::ChiSquare:
        return ChiSquareCdf(x, p.count1);
    case Id::Exponential:
        return ExponentialCdf(x, 0.0, p.real2);
    case Id::F:
        return FCdf(x, p.count1, p.count2).value();
    case Id::Gamma:
        return GammaCdf(x, 0.0, p.real1, p.real2);
    case Id::Lognormal:
        return LognormalCdf(x, p.real1, p.real2);
    case Id::Normal:
        return NormalCdf(x, p.real1, p.real2);
    case Id::Rayleigh:
        return RayleighCdf(x, p.real1);
    case Id::StudentT:
        return StudentTCdf(x, 0.0, 1.0, p.count1);
    case Id::Uniform:
        return UniformCdf(x, p.real1, p.real2);
    default:
        return WeibullCdf(x, 0.0, p.real1, p.real2);
    }
}

class UpperTail : public ::testing::TestWithParam<TailCase> {};

TEST_P(UpperTail, SurvivalAndHazardAgreeWithBoost) {
    const TailCase& c = GetParam();
    for (const double x : c.xs) {
        const double expected = c.survival(x);
        const double survival = UpperTailSurvival(c.p, x).value();
        EXPECT_NEAR(survival, expected, c.tolerance * expected) << "S at " << x;
        const std::optional<double> hazard =
            Hazard(c.p, x, DensityOf(c.p, x), CumulativeOf(c.p, x));
        ASSERT_TRUE(hazard.has_value()) << "h at " << x;
        EXPECT_NEAR(*hazard, c.hazard(x), c.tolerance * c.hazard(x)) << "h at " << x;
    }
}

// The incomplete gamma and beta ratios stop at 1e-7; the AS 66 tail form is good to about 1e-9
// relative; the exponential forms are exact to rounding.
INSTANTIATE_TEST_SUITE_P(
    EveryContinuousDistribution, UpperTail,
    ::testing::Values(Tail("Beta", Reals(Id::Beta, 2.0, 3.0), bm::beta_distribution<>(2.0, 3.0),
                           {0.9999, 0.999999, 1.0 - 1e-7}, 1e-6),
                      Tail("Cauchy", Reals(Id::Cauchy, 1.0, 2.0),
                           bm::cauchy_distribution<>(1.0, 2.0), {1e14, 1e17, 1e100}, 1e-13),
                      Tail("ChiSquare", Counts(Id::ChiSquare, 4), bm::chi_squared(4),
                           {80.0, 200.0, 1000.0}, 1e-6),
                      Tail("Exponential", Reals(Id::Exponential, 2.0, 0.5),
                           bm::exponential_distribution<>(2.0), {20.0, 100.0, 300.0}, 1e-13),
                      Tail("F", Counts(Id::F, 5, 7), bm::fisher_f(5, 7), {1e6, 1e9, 1e20}, 1e-6),
                      Tail("Gamma", Reals(Id::Gamma, 1.0, 3.0), bm::gamma_distribution<>(3.0, 1.0),
                           {40.0, 100.0, 500.0}, 1e-6),
                      Tail("Lognormal", Reals(Id::Lognormal, 0.0, 1.0),
                           bm::lognormal_distribution<>(0.0, 1.0), {1e4, 1e7, 1e15}, 1e-8),
                      Tail("Normal", Reals(Id::Normal, 1.0, 2.0),
                           bm::normal_distribution<>(1.0, 2.0), {18.0, 30.0, 60.0}, 1e-8),
                      Tail("Rayleigh", Reals(Id::Rayleigh, 1.5), bm::rayleigh_distribution<>(1.5),
                           {15.0, 40.0, 55.0}, 1e-13),
                      Tail("StudentT", Counts(Id::StudentT, 3), bm::students_t(3), {1e5, 1e8, 1e30},
                           1e-6),
                      Tail("Uniform", Reals(Id::Uniform, -1.0, 3.0),
                           bm::uniform_distribution<>(-1.0, 3.0), {3.0 - 1e-4, 3.0 - 1e-12}, 1e-12),
                      Tail("Weibull", Reals(Id::Weibull, 2.0, 1.5),
                           bm::weibull_distribution<>(1.5, 2.0), {30.0, 100.0, 150.0}, 1e-12)));

// The gamma with scale 1 and shape 3 at x = 40: 1 - F keeps a digit or two, f / (1 - F) is
// .9566, the true hazard x^2 / (x^2 + 2x + 2) = 800/841. Further out 1 - F is 0 although the
// hazard tends to 1.
TEST(Hazard, GammaShapeThreeFarInTheUpperTail) {
    const DistributionParameters p = Reals(Id::Gamma, 1.0, 3.0);
    const auto at = [&](double x) {
        return Hazard(p, x, GammaPdf(x, 0.0, 1.0, 3.0), GammaCdf(x, 0.0, 1.0, 3.0));
    };
    EXPECT_NEAR(at(40.0).value(), 800.0 / 841.0, 1e-7);
    ASSERT_EQ(GammaCdf(100.0, 0.0, 1.0, 3.0), 1.0);
    EXPECT_NEAR(at(100.0).value(), 10000.0 / 10202.0, 1e-7);
}

// Where 1 - F is at least 1e-3 the hazard is f / (1 - F) to the last bit, as the survival field
// shows 1 - F; below, it divides by the upper-tail survival.
TEST(Hazard, DividesBySurvivalFieldAboveTheThreshold) {
    const DistributionParameters p = Reals(Id::Normal, 0.0, 1.0);
    for (const double x : {-3.0, 0.0, 1.0, 3.0}) {
        const double f = NormalPdf(x, 0.0, 1.0);
        const double cdf = NormalCdf(x, 0.0, 1.0);
        ASSERT_GE(1.0 - cdf, kUpperTailSurvival);
        EXPECT_EQ(Hazard(p, x, f, cdf).value(), f / (1.0 - cdf)) << x;
    }
    const double x = 3.5;
    const double f = NormalPdf(x, 0.0, 1.0);
    ASSERT_LT(1.0 - NormalCdf(x, 0.0, 1.0), kUpperTailSurvival);
    EXPECT_EQ(Hazard(p, x, f, NormalCdf(x, 0.0, 1.0)).value(), f / NormalSurvival(x, 0.0, 1.0));
}

// No survival, no hazard: at and beyond the top of the support, where the density and the
// survival both underflow, for a discrete distribution and for a faulted density or cumulative.
TEST(Hazard, NoValueWithoutAPositiveSurvival) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const DistributionParameters uniform = Reals(Id::Uniform, 0.0, 1.0);
    EXPECT_FALSE(Hazard(uniform, 1.0, 1.0, 1.0).has_value());
    EXPECT_FALSE(Hazard(uniform, 2.0, 0.0, 1.0).has_value());
    const DistributionParameters beta = Reals(Id::Beta, 2.0, 2.0);
    EXPECT_FALSE(Hazard(beta, 1.0, BetaPdf(1.0, 2.0, 2.0), BetaCdf(1.0, 2.0, 2.0)).has_value());
    const DistributionParameters fast = Reals(Id::Exponential, 1000.0, 1e-3);
    EXPECT_FALSE(Hazard(fast, 6.0, ExponentialPdf(6.0, 0.0, 1e-3), 1.0).has_value());
    EXPECT_FALSE(Hazard(Reals(Id::Poisson, 3.0), 1.0, 0.2, 0.4).has_value());
    EXPECT_FALSE(Hazard(uniform, 0.5, nan, 0.5).has_value());
    EXPECT_FALSE(Hazard(uniform, 0.5, 1.0, nan).has_value());
    EXPECT_FALSE(UpperTailSurvival(Reals(Id::Poisson, 3.0), 1.0).has_value());
}

// The Cauchy cumulative with the short pi passes 1 far out: 1 - F is negative there, while the
// upper tail is positive and the hazard is about 1/x.
TEST(Hazard, CauchyBeyondTheShortPiRounding) {
    const DistributionParameters p = Reals(Id::Cauchy, 0.0, 1.0);
    const double x = 1e16;
    ASSERT_LE(1.0 - CauchyCdf(x, 0.0, 1.0), 0.0);
    EXPECT_NEAR(Hazard(p, x, CauchyPdf(x, 0.0, 1.0), CauchyCdf(x, 0.0, 1.0)).value(), 1.0 / x,
                1e-13 / x);
}

} // namespace
} // namespace kelvora
