#include "sampling/discrete_curves.hpp"

#include "distributions/discrete.hpp"
#include "sampling/running_cumulatives.hpp"
#include "sampling/sample_value.hpp"

#include <array>
#include <cmath>
#include <optional>

namespace kelvora {

namespace {

// The k of every sample, a whole number held in a double; none where the position is not a
// number (a range whose end overflowed), and such a sample is left out.
using SampleKs = std::array<std::optional<double>, kSampleCount>;

SampleKs KsOf(DistributionId id, const PlotSamples& samples) {
    SampleKs ks;
    for (int i = 0; i < kSampleCount; ++i) {
        const double x = samples.X[static_cast<std::size_t>(i)];
        if (std::isfinite(x)) {
            // The Geometric routines count trials: x failures end at trial floor(x) + 1.
            ks[static_cast<std::size_t>(i)] =
                id == DistributionId::Geometric ? std::floor(x) + 1.0 : std::floor(x);
        }
    }
    return ks;
}

// Evaluates the selected distribution at one k; asked once per distinct k.
class DiscreteEvaluator {
public:
    DiscreteEvaluator(const DistributionParameters& params, const LogFactorialTable& table)
        : params_(params), binomial_(params.count1, params.real2), poisson_(params.real1),
          hypergeometric_(params.count3, params.count2, params.count1, table) {}

    SampleValues At(double k) {
        const DistributionParameters& p = params_;
        switch (p.id) {
        case DistributionId::Binomial: {
            const double cdf = binomial_.At(k);
            double pdf = binomial_.TermAt(k);
            if (std::isnan(pdf)) {
                pdf = binomial_.MassAt(k);
            }
            return {pdf, cdf};
        }
        case DistributionId::Geometric:
            return {GuardedSample([&] { return GeometricPmf(k, p.real1); }),
                    GuardedSample([&] { return GeometricCdf(k, p.real1); })};
        case DistributionId::Hypergeometric: {
            const double cdf = hypergeometric_.CdfAt(k);
            return {hypergeometric_.PmfAt(k), cdf};
        }
        case DistributionId::Poisson: {
            const double cdf = poisson_.At(k);
            return {GuardedSample([&] { return PoissonPmf(k, p.real1); }), cdf};
        }
        default:
            return {};
        }
    }

private:
    const DistributionParameters& params_;
    RunningBinomialCdf binomial_;
    RunningPoissonCdf poisson_;
    RunningHypergeometric hypergeometric_;
};

void FillLogFactorials(const DistributionParameters& p, const SampleKs& ks,
                       LogFactorialTable& table) {
    std::optional<double> previous;
    for (const std::optional<double>& k : ks) {
        if (k && k != previous) {
            RunningHypergeometric::RequestLogFactorials(*k, p.count3, p.count2, p.count1, table);
        }
        previous = k;
    }
    table.Compute();
}

} // namespace

void SampleDiscreteCurves(const DistributionParameters& params, PlotSamples& samples) {
    const SampleKs ks = KsOf(params.id, samples);
    LogFactorialTable table;
    if (params.id == DistributionId::Hypergeometric) {
        FillLogFactorials(params, ks, table);
    }
    DiscreteEvaluator evaluator(params, table);

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

} // namespace kelvora
