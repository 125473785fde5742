#include "truth.hpp"

#include "grid.hpp"

#include <cmath>

namespace kelvora::accuracy {

namespace {

using Id = DistributionId;

// The converted parameters the routines take, in the fields' order.
std::array<std::optional<double>, 3> ParameterNumbers(const DistributionParameters& p) {
    switch (p.id) {
    case Id::Binomial:
        return {p.count1, p.real2, std::nullopt};
    case Id::ChiSquare:
    case Id::StudentT:
        return {p.count1, std::nullopt, std::nullopt};
    case Id::F:
        return {p.count1, p.count2, std::nullopt};
    case Id::Hypergeometric:
        return {p.count1, p.count2, p.count3};
    case Id::Exponential:
    case Id::Geometric:
    case Id::Poisson:
    case Id::Rayleigh:
        return {p.real1, std::nullopt, std::nullopt};
    default:
        return {p.real1, p.real2, std::nullopt};
    }
}

} // namespace

std::string CaseKey(const CaseValues& values, Output output) {
    std::string key = DistributionKey(values.params.id);
    for (const std::optional<double>& number : ParameterNumbers(values.params)) {
        key += '\t' + (number ? NumberText(*number) : std::string("-"));
    }
    key += '\t' + std::string(OutputName(output)) + '\t';
    switch (output) {
    case Output::Quantile:
        return key + NumberText(values.q);
    case Output::Mean:
    case Output::Variance:
        return key + '-';
    default:
        return key + NumberText(IsDiscrete(values.params.id) ? std::floor(values.x) : values.x);
    }
}

} // namespace kelvora::accuracy
