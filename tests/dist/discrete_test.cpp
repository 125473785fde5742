// The discrete distribution routines, their counting helpers and the parameter checks.
#include "distributions/discrete.hpp"
#include "distributions/parameters.hpp"
#include "registry/registry.hpp"
#include "specfun/arithmetic.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace kelvora {
namespace {

using Id = DistributionId;
using Fk = std::function<double(Int16)>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Discrete, SupportEndsAndDegenerateCases) {
    // clang-format off
    const std::pair<double, double> cases[] = {
        {BinomialCdf(9, 3, 0.4), 1.0}, {BinomialCdf(-1, 3, 0.4), 0.0},
        {BinomialPmf(-1, 3, 0.4), 0.0}, {BinomialPmf(4, 3, 0.4), 0.0},
        {BinomialPmf(0, 5, 0.0), 1.0}, {BinomialCdf(2, 5, 0.0), 1.0},
        {BinomialPmf(5, 5, 1.0), 1.0}, {BinomialCdf(4, 5, 1.0), 0.0},
        {GeometricPmf(0, 0.5), 0.0}, {GeometricCdf(-5, 0.5), 0.0}, {GeometricPmf(3, 0.0), 0.0},
        {GeometricCdf(3, 0.0), 0.0}, {GeometricPmf(2, 1.0), 0.0}, {GeometricCdf(2, 1.0), 1.0},
        {PoissonPmf(-1, 2.0), 0.0}, {PoissonCdf(-1, 2.0), 0.0}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    }
    // Zero trials put all the mass at 0.
    for (const double p : {0.1, 0.9}) {
        EXPECT_EQ(BinomialPmf(0, 0, p), 1.0);
        EXPECT_EQ(BinomialPmf(1, 0, p), 0.0);
        EXPECT_EQ(BinomialCdf(0, 0, p), 1.0);
        EXPECT_EQ(BinomialQuantile(0.7, 0, p), 0.0);
    }
    EXPECT_EQ(BinomialPmf(0, -3, 0.5), 0.0);
}

TEST(Binomial, QuantileEdges) {
    // The three masses of Binomial(2, 0.3) add up to 1 - 2^-53: the quantile at 1 is n.
    ASSERT_LT(BinomialPmf(0, 2, 0.3) + BinomialPmf(1, 2, 0.3) + BinomialPmf(2, 2, 0.3), 1.0);
    EXPECT_EQ(BinomialQuantile(1.0, 2, 0.3), 2.0);
    EXPECT_FALSE(BinomialQuantile(-0.1, 10, 0.5).has_value());
    EXPECT_FALSE(BinomialQuantile(1.1, 10, 0.5).has_value());
    EXPECT_FALSE(BinomialQuantile(kNaN, 10, 0.5).has_value());
    EXPECT_FALSE(BinomialQuantile(0.5, -3, 0.5).has_value());
}

TEST(Geometric, Quantile) {
    for (const double p : {0.05, 0.5, 0.9}) {
        EXPECT_EQ(GeometricQuantile(0.0, p), 1.0);
        for (const double q : {0.01, 0.37, 0.91, 0.9985}) {
            const double r = GeometricQuantile(q, p).value();
            EXPECT_LE(GeometricCdf(r - 1.0, p), q) << p << " " << q;
            EXPECT_LT(q, GeometricCdf(r, p)) << p << " " << q;
        }
    }
    EXPECT_EQ(GeometricQuantile(1.0, 1.0), 1.0);
    EXPECT_FALSE(GeometricQuantile(0.3, 0.0).has_value());
    EXPECT_FALSE(GeometricQuantile(-0.1, 0.5).has_value());
    EXPECT_FALSE(GeometricQuantile(1.1, 0.5).has_value());
    EXPECT_FALSE(GeometricQuantile(kNaN, 0.5).has_value());
    EXPECT_THROW(GeometricQuantile(1.0, 0.5), ArithmeticFault);
}

TEST(Poisson, QuantileEdges) {
    // No cap at 100, and the search ends on every input.
    EXPECT_EQ(PoissonQuantile(0.5, 200.0), 200.0);
    EXPECT_GT(PoissonQuantile(0.999, 600.0), 600.0);
    for (const double q : {-0.5, 1.5, kNaN}) {
        EXPECT_FALSE(PoissonQuantile(q, 2.0).has_value()) << q;
    }
    for (const double lambda : {kInf, kNaN, -1e3}) {
        EXPECT_THROW(PoissonQuantile(0.5, lambda), ArithmeticFault) << lambda;
    }
}

// The quantile is the smallest support point whose cumulative reaches the level. Urns as
// {M, K, n}, some with n + K > M, whose support starts above 0.
TEST(Discrete, QuantileIsTheSmallestPointReachingTheLevel) {
    struct Row {
        std::string name;
        std::function<double(double)> quantile;
        Fk cdf;
        int low, top;
    };
    std::vector<Row> rows;
    for (const Int16 n : {1, 5, 40}) {
        for (const double p : {0.1, 0.77}) {
            rows.push_back({"Binomial " + std::to_string(n) + " " + std::to_string(p),
                            [=](double q) { return BinomialQuantile(q, n, p).value(); },
                            [=](Int16 k) { return BinomialCdf(k, n, p); }, 0, n});
        }
    }
    for (const double lambda : {0.1, 4.5, 200.0, 700.0}) {
        rows.push_back({"Poisson " + std::to_string(lambda),
                        [=](double q) { return PoissonQuantile(q, lambda).value(); },
                        [=](Int16 k) { return PoissonCdf(k, lambda); }, 0, 32767});
    }
    struct Urn {
        Int16 M, K, n;
    };
    // clang-format off
    for (Urn u : {Urn{100, 50, 10}, {10, 8, 5}, {10, 5, 6}, {20, 20, 7}, {1, 1, 0}, {5, 5, 5},
                  {12, 9, 9}}) {
        // clang-format on
        const int low = std::max(0, u.n + u.K - u.M), top = std::min(u.n, u.K);
        for (Int16 k = -1; k <= u.n + 1; ++k) {
            EXPECT_EQ(HypergeometricPmf(k, u.n, u.K, u.M) > 0.0, k >= low && k <= top)
                << u.M << " " << u.K << " " << u.n << " " << k;
        }
        EXPECT_NEAR(HypergeometricCdf(u.n, u.n, u.K, u.M), 1.0, 1e-13) << u.M;
        rows.push_back({"Hypergeometric " + std::to_string(u.M) + " " + std::to_string(u.K),
                        [=](double q) { return HypergeometricQuantile(q, u.n, u.K, u.M).value(); },
                        [=](Int16 k) { return HypergeometricCdf(k, u.n, u.K, u.M); }, low, top});
    }
    for (const Row& r : rows) {
        for (const double q : {0.0, 1e-9, 0.01, 0.5, 0.99, 0.999999}) {
            const double k = r.quantile(q);
            EXPECT_GE(k, r.low) << r.name << " q " << q;
            EXPECT_LE(k, r.top) << r.name << " q " << q;
            if (k < r.top) {
                EXPECT_LE(q, r.cdf(k)) << r.name << " q " << q;
            }
            if (k > r.low) {
                EXPECT_LT(r.cdf(static_cast<Int16>(k - 1.0)), q) << r.name << " q " << q;
            }
        }
    }
}

TEST(Hypergeometric, SupportAndQuantileEdges) {
    // Five drawn from ten of which eight are marked: at least three marked come out.
    EXPECT_EQ(HypergeometricCdf(2, 5, 8, 10), 0.0);
    EXPECT_NEAR(HypergeometricPmf(3, 5, 8, 10), 56.0 / 252.0, 1e-15);
    EXPECT_NEAR(HypergeometricCdf(4, 5, 8, 10), (56.0 + 140.0) / 252.0, 1e-14);
    EXPECT_EQ(HypergeometricQuantile(0.0, 5, 8, 10), 3.0);
    EXPECT_EQ(HypergeometricQuantile(0.5, 10, 50, 100), 5.0);
    // Far beyond the support the cumulative stays at its top value without overflow.
    EXPECT_EQ(HypergeometricCdf(32767, 10, 50, 100), HypergeometricCdf(10, 10, 50, 100));
    ASSERT_LT(HypergeometricCdf(1, 1, 1, 5), 1.0);
    EXPECT_EQ(HypergeometricQuantile(1.0, 1, 1, 5), 1.0);
    EXPECT_FALSE(HypergeometricQuantile(-0.1, 10, 50, 100).has_value());
    EXPECT_FALSE(HypergeometricQuantile(1.1, 10, 50, 100).has_value());
    EXPECT_FALSE(HypergeometricQuantile(kNaN, 10, 50, 100).has_value());
    EXPECT_EQ(HypergeometricVariance(1, 1, 1), 0.0); // M - 1 = 0
}

// "1e400" is beyond the double range; a field a distribution does not read may hold anything.
// The other rejected sets are checked end to end with the result calculation.
TEST(ReadParameters, AcceptsExactlyTheValidSets) {
    struct Case {
        Id id;
        const char *t1, *t2, *t3;
        bool valid;
    };
    // clang-format off
    const Case cases[] = {
        {Id::Beta, "2", "3", "", true}, {Id::Beta, "0", "3", "", false},
        {Id::Beta, "", "3", "", false}, {Id::Beta, "2", "3", "1e400", true},
        {Id::Uniform, "1", "1", "", false}, {Id::Uniform, "-1e400", "0", "", false},
        {Id::Exponential, "-1", "", "", false},
        {Id::Exponential, "1e-320", "", "", false}, // 1 / rate overflows
        {Id::ChiSquare, "1", "", "", true}, {Id::ChiSquare, "0.9", "", "", false},
        {Id::F, "1", "1", "", true}, {Id::F, "3", "0.5", "", false},
        {Id::Binomial, "0", "0.5", "", true}, {Id::Binomial, "10", "0", "", false},
        {Id::Binomial, "-0.5", "0.5", "", false}, // floor gives -1
        {Id::Geometric, "1", "", "", false}, {Id::Poisson, "0", "", "", false},
        {Id::Hypergeometric, "10", "8", "5", true}, {Id::Hypergeometric, "10", "5", "0", true},
        {Id::Hypergeometric, "0", "0", "0", false}, {Id::Hypergeometric, "10", "11", "1", false},
        {Id::Hypergeometric, "10", "0", "0", false}, {Id::Hypergeometric, "10", "5", "-1", false},
        {Id::Hypergeometric, "100", "50", "1e400", false}};
    // clang-format on
    for (const Case& c : cases) {
        const auto read = ReadParameters(c.id, c.t1, c.t2, c.t3);
        EXPECT_EQ(read.has_value(), c.valid)
            << static_cast<int>(c.id) << " " << c.t1 << "|" << c.t2 << "|" << c.t3;
    }
}

} // namespace
} // namespace kelvora
