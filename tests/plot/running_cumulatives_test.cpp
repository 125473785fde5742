// The running sums of the discrete sampling against the straightforward routine calls, bit for
// bit, over the graph's ranges and over ranges that walk k downwards or leave the support.
#include "dist/discrete.hpp"
#include "plot/log_factorial_table.hpp"
#include "plot/plot_samples.hpp"
#include "specfun/gamma_family.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ostream>
#include <string>

namespace kelvora {
namespace {

using Id = DistributionId;

// Equal bits, or both left out.
bool SameSample(double sampled, double direct) {
    if (std::isnan(sampled) || std::isnan(direct)) {
        return std::isnan(sampled) && std::isnan(direct);
    }
    return std::memcmp(&sampled, &direct, sizeof sampled) == 0;
}

template <typename Routine> double Direct(Routine routine) {
    try {
        const double v = routine();
        return std::isfinite(v) ? v : std::nan("");
    } catch (const ArithmeticFault&) {
        return std::nan("");
    }
}

struct StraightCase {
    Id id;
    ParameterTexts texts;
    double XMin;
    double XMax;
};

void PrintTo(const StraightCase& c, std::ostream* os) {
    *os << "id " << static_cast<int>(c.id) << " (\"" << c.texts.text1 << "\", \"" << c.texts.text2
        << "\", \"" << c.texts.text3 << "\") over [" << c.XMin << ", " << c.XMax << ")";
}

class IncrementalSampling : public ::testing::TestWithParam<StraightCase> {};

TEST_P(IncrementalSampling, EqualsTheRoutinesCalledAtEverySample) {
    const StraightCase& c = GetParam();
    PlotSamples s;
    CurveExtremes e;
    ASSERT_TRUE(SampleCurves(c.id, c.texts, c.XMin, c.XMax, s, e));
    const double p1 = std::stod(std::string(c.texts.text1));
    const double p2 = c.texts.text2.empty() ? 0.0 : std::stod(std::string(c.texts.text2));
    const double p3 = c.texts.text3.empty() ? 0.0 : std::stod(std::string(c.texts.text3));
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        double pmf = std::nan("");
        double cdf = std::nan("");
        try {
            const Int16 k = Floor16(s.X[i]);
            switch (c.id) {
            case Id::Binomial: {
                const Int16 n = Floor16(p1);
                pmf = Direct([&] { return BinomialPmf(k, n, p2); });
                cdf = Direct([&] { return BinomialCdf(k, n, p2); });
                break;
            }
            case Id::Poisson:
                pmf = Direct([&] { return PoissonPmf(k, p1); });
                cdf = Direct([&] { return PoissonCdf(k, p1); });
                break;
            default: {
                const Int16 M = Nearest16(p1);
                const Int16 K = Nearest16(p2);
                const Int16 n = Nearest16(p3);
                pmf = Direct([&] { return HypergeometricPmf(k, n, K, M); });
                cdf = Direct([&] { return HypergeometricCdf(k, n, K, M); });
                break;
            }
            }
        } catch (const ArithmeticFault&) {
        }
        ASSERT_TRUE(SameSample(s.Cdf[i], cdf))
            << "sample " << i << " x " << s.X[i] << ": " << s.Cdf[i] << " vs " << cdf;
        ASSERT_TRUE(SameSample(s.Pdf[i], pmf))
            << "sample " << i << " x " << s.X[i] << ": " << s.Pdf[i] << " vs " << pmf;
    }
}

// Ranges run upwards as the graph's do, downwards (XMax below XMin, which restarts the sums)
// and beyond the support. Binomial n = 1029 is the largest n whose coefficients all stay
// finite; from n = 1030 the middle terms come from logarithms. Poisson rates above 708.4 start
// their sums below the mean (1e6: every count lies in the lower tail). Hypergeometric with
// n + K > M starts at its lowest support point; 30000/20000/20000 starts in logarithms.
INSTANTIATE_TEST_SUITE_P(
    Binomial, IncrementalSampling,
    ::testing::Values(StraightCase{Id::Binomial, {"10", "0.5", ""}, 0.0, 10.0},
                      StraightCase{Id::Binomial, {"10", "0.3", ""}, -3.0, 14.0},
                      StraightCase{Id::Binomial, {"1000", "0.5", ""}, 0.0, 1000.0},
                      StraightCase{Id::Binomial, {"1029", "0.7", ""}, 0.0, 1029.0},
                      StraightCase{Id::Binomial, {"1030", "0.5", ""}, 0.0, 1030.0},
                      StraightCase{Id::Binomial, {"1031", "0.5", ""}, 0.0, 1031.0},
                      StraightCase{Id::Binomial, {"1033", "0.2", ""}, 0.0, 1033.0},
                      StraightCase{Id::Binomial, {"2000", "0.5", ""}, 0.0, 2000.0},
                      StraightCase{Id::Binomial, {"32767", "0.5", ""}, 0.0, 32767.0},
                      StraightCase{Id::Binomial, {"50", "0.5", ""}, 60.0, -5.0},
                      StraightCase{Id::Binomial, {"7", "1e-300", ""}, 0.0, 7.0},
                      StraightCase{Id::Binomial, {"0", "0.5", ""}, -1.0, 1.0}));

INSTANTIATE_TEST_SUITE_P(
    Poisson, IncrementalSampling,
    ::testing::Values(StraightCase{Id::Poisson, {"10", "", ""}, 0.0, 20.0},
                      StraightCase{Id::Poisson, {"0.001", "", ""}, 0.0, 0.002},
                      StraightCase{Id::Poisson, {"700", "", ""}, 0.0, 1400.0},
                      StraightCase{Id::Poisson, {"750", "", ""}, 0.0, 1500.0},
                      StraightCase{Id::Poisson, {"708.5", "", ""}, 0.0, 1417.0},
                      StraightCase{Id::Poisson, {"20000", "", ""}, 0.0, 40000.0},
                      StraightCase{Id::Poisson, {"20000", "", ""}, 21000.0, 18000.0},
                      StraightCase{Id::Poisson, {"1e6", "", ""}, 0.0, 32767.0},
                      StraightCase{Id::Poisson, {"3", "", ""}, 20.0, -4.0},
                      StraightCase{Id::Poisson, {"5000", "", ""}, 32000.0, 32768.0}));

INSTANTIATE_TEST_SUITE_P(
    Hypergeometric, IncrementalSampling,
    ::testing::Values(StraightCase{Id::Hypergeometric, {"100", "50", "10"}, 0.001, 10.0},
                      StraightCase{Id::Hypergeometric, {"30000", "15000", "1000"}, 0.001, 10.0},
                      StraightCase{Id::Hypergeometric, {"10", "8", "5"}, 0.001, 10.0},
                      StraightCase{Id::Hypergeometric, {"20", "20", "20"}, 0.001, 10.0},
                      StraightCase{Id::Hypergeometric, {"40", "30", "25"}, 40.0, -3.0},
                      StraightCase{Id::Hypergeometric, {"1000", "400", "300"}, 0.0, 400.0},
                      StraightCase{
                          Id::Hypergeometric, {"30000", "20000", "20000"}, 9990.0, 14000.0},
                      StraightCase{Id::Hypergeometric, {"30000", "15000", "1000"}, 0.0, 1000.0},
                      StraightCase{Id::Hypergeometric, {"32767", "2", "1"}, 0.001, 10.0}));

TEST(LogFactorialTable, ReadsOffLogFactorialBitForBit) {
    LogFactorialTable table;
    const Int16 arguments[] = {-5, 0, 1, 2, 3, 170, 1000, 1000, 29000, 32766};
    for (const Int16 n : arguments) {
        ASSERT_TRUE(table.Request(n));
    }
    table.Compute();
    for (const Int16 n : arguments) {
        EXPECT_TRUE(SameSample(table(n), LogFactorial(n))) << n;
    }
    // Not requested: handed on to LogFactorial.
    EXPECT_TRUE(SameSample(table(12345), LogFactorial(12345)));
}

TEST(LogFactorialTable, FaultsWhereLogFactorialFaults) {
    LogFactorialTable table;
    table.Request(32767);
    table.Compute();
    EXPECT_THROW(LogFactorial(32767), ArithmeticFault);
    EXPECT_THROW(table(32767), ArithmeticFault);
}

} // namespace
} // namespace kelvora
