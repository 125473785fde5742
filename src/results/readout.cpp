#include "results/readout.hpp"

namespace kelvora {

QString PreciseText(std::optional<double>) {
    return kNotAvailable;
}

PreciseValues CalculatePrecise(DistributionId, const InputTexts&) {
    return {};
}

std::optional<TableRange> DefaultTableRange(DistributionId, const ParameterFieldTexts&) {
    return std::nullopt;
}

ValuesTable MakeValuesTable(DistributionId, const ParameterFieldTexts&, const TableRange&,
                            const QLocale&) {
    return {TableRefusal::InvalidParameters, {}};
}

IntervalProbabilities IntervalProbability(DistributionId, const ParameterFieldTexts&, double,
                                          double) {
    return {};
}

CentralInterval CentralIntervalFor(DistributionId, const ParameterFieldTexts&, double) {
    return {};
}

} // namespace kelvora
