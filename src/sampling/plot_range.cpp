// The graph's horizontal range: fixed for the shapes whose interesting part does not move with
// the parameters, and fitted to the location and spread for the others.
#include "distributions/field_number.hpp"
#include "sampling/plot_samples.hpp"
#include "specfun/arithmetic.hpp"

namespace kelvora {

namespace {

// The first two parameter numbers, read only when the rule asks for them: a field that the
// distribution does not use may hold anything.
class RangeInputs {
public:
    explicit RangeInputs(const ParameterTexts& texts) : texts_(texts) {}
    double p1() const { return ParseFieldNumber(texts_.text1); }
    double p2() const { return ParseFieldNumber(texts_.text2); }

private:
    const ParameterTexts& texts_;
};

PlotRange RangeFor(DistributionId id, const RangeInputs& in) {
    switch (id) {
    case DistributionId::Beta:
        return {0.001, 1.0};
    case DistributionId::Binomial:
        return {0.0, in.p1()};
    case DistributionId::Cauchy: {
        const double p1 = in.p1();
        const double p2 = in.p2();
        return {p1 - 15.0 * p2, p1 + 15.0 * p2};
    }
    case DistributionId::ChiSquare:
        return {0.001, 10.0};
    case DistributionId::Exponential:
        return {0.001, 6.0};
    case DistributionId::F:
        return {0.001, 15.0};
    case DistributionId::Gamma: {
        const double p1 = in.p1();
        return {0.001, (p1 + 7.0) * in.p2()};
    }
    case DistributionId::Geometric:
        // At p = 0 the end is infinite; the parameter check rejects that p afterwards.
        return {0.001, (1.0 / in.p1()) * 7.0};
    case DistributionId::Hypergeometric:
        return {0.001, 10.0};
    case DistributionId::Lognormal:
        return {0.001, 5.0};
    case DistributionId::Normal: {
        const double p1 = in.p1();
        const double p2 = in.p2();
        return {p1 - 3.0 * p2, p1 + 3.0 * p2};
    }
    case DistributionId::Poisson:
        return {0.0, 2.0 * in.p1()};
    case DistributionId::Rayleigh:
        return {0.0, 4.0 * in.p1()};
    case DistributionId::StudentT:
        return {-20.0, 20.0};
    case DistributionId::Uniform: {
        const double p1 = in.p1();
        return {p1, in.p2()};
    }
    case DistributionId::Weibull:
        return {0.001, 2.0 * in.p1()};
    }
    return {0.0, 1.0};
}

} // namespace

bool ChoosePlotRange(DistributionId id, const ParameterTexts& texts, PlotRange& range) {
    try {
        range = RangeFor(id, RangeInputs(texts));
        return true;
    } catch (const ArithmeticFault&) {
        return false;
    }
}

} // namespace kelvora
