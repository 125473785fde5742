#include "sampling/discrete_curves.hpp"

#include "distributions/discrete.hpp"
#include "distributions/discrete_walkers.hpp"
#include "distributions/sample_value.hpp"

#include <array>
#include <cmath>
#include <optional>

namespace kelvora {

namespace {

// The whole point of every sample, held in a double; none where the position is not a number
// (a range whose end overflowed), and such a sample is left out.
using SampleKs = std::array<std::optional<double>, kSampleCount>;

SampleKs KsOf(const PlotSamples& samples) {
    SampleKs ks;
    for (int i = 0; i < kSampleCount; ++i) {
        const double x = samples.X[static_cast<std::size_t>(i)];
        if (std::isfinite(x)) {
            ks[static_cast<std::size_t>(i)] = std::floor(x);
        }
    }
    return ks;
}

// Asks `evaluator.At(k)` once per distinct k, in sample order, and stores its mass and
// cumulative in every sample of that k.
template <typename Evaluator>
void SampleWith(const SampleKs& ks, Evaluator& evaluator, PlotSamples& samples) {
    std::optional<double> previousK;
    SampleValues values;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        const std::optional<double> k = ks[i];
        if (!k) {
            values = SampleValues{};
        } else if (k != previousK) {
            values = evaluator.At(*k);
        }
        previousK = k;
        samples.Pdf[i] = values.pdf;
        samples.Cdf[i] = values.cdf;
        samples.Survival[i] = 1.0 - values.cdf;
    }
}

class BinomialEvaluator {
public:
    explicit BinomialEvaluator(const DistributionParameters& p) : running_(p.count1, p.real2) {}
    SampleValues At(double k) {
        const double cdf = running_.At(k);
        double pdf = running_.TermAt(k);
        if (std::isnan(pdf)) {
            pdf = running_.MassAt(k);
        }
        return {pdf, cdf};
    }

private:
    RunningBinomialCdf running_;
};

class GeometricEvaluator {
public:
    explicit GeometricEvaluator(const DistributionParameters& p) : p_(p.real1) {}
    SampleValues At(double k) {
        const double trial = GeometricTrial(k);
        return {GuardedSample([&] { return GeometricPmf(trial, p_); }),
                GuardedSample([&] { return GeometricCdf(trial, p_); })};
    }

private:
    double p_;
};

class PoissonEvaluator {
public:
    explicit PoissonEvaluator(const DistributionParameters& p)
        : lambda_(p.real1), running_(p.real1) {}
    SampleValues At(double k) {
        const double cdf = running_.At(k);
        return {GuardedSample([&] { return PoissonPmf(k, lambda_); }), cdf};
    }

private:
    double lambda_;
    RunningPoissonCdf running_;
};

class HypergeometricEvaluator {
public:
    HypergeometricEvaluator(const DistributionParameters& p, const LogFactorialTable& table)
        : running_(p.count3, p.count2, p.count1, table) {}
    SampleValues At(double k) {
        const double cdf = running_.CdfAt(k);
        return {running_.PmfAt(k), cdf};
    }

private:
    RunningHypergeometric running_;
};

} // namespace

void SampleBinomialCurves(const DistributionParameters& params, PlotSamples& samples) {
    BinomialEvaluator evaluator(params);
    SampleWith(KsOf(samples), evaluator, samples);
}

void SampleGeometricCurves(const DistributionParameters& params, PlotSamples& samples) {
    GeometricEvaluator evaluator(params);
    SampleWith(KsOf(samples), evaluator, samples);
}

void SamplePoissonCurves(const DistributionParameters& params, PlotSamples& samples) {
    PoissonEvaluator evaluator(params);
    SampleWith(KsOf(samples), evaluator, samples);
}

// Every log-factorial the cumulative and the mass will read is requested first and computed in
// one pass.
void SampleHypergeometricCurves(const DistributionParameters& params, PlotSamples& samples) {
    const SampleKs ks = KsOf(samples);
    LogFactorialTable table;
    std::optional<double> previous;
    for (const std::optional<double>& k : ks) {
        if (k && k != previous) {
            RunningHypergeometric::RequestLogFactorials(*k, params.count3, params.count2,
                                                        params.count1, table);
        }
        previous = k;
    }
    table.Compute();
    HypergeometricEvaluator evaluator(params, table);
    SampleWith(ks, evaluator, samples);
}

} // namespace kelvora
