// What the tool windows (values table, interval probabilities) read from the main window: the
// distribution and its parameter texts of the moment, asked for whenever they recompute.
#pragma once

#include "distributions/distribution_id.hpp"
#include "results/readout.hpp"

#include <QString>

#include <functional>
#include <optional>

namespace kelvora {

struct ToolSubject {
    DistributionId id = DistributionId::Beta;
    QString name; // as the selector shows it
    ParameterFieldTexts params;
};

// No value while no distribution is selected.
using ToolSubjectSource = std::function<std::optional<ToolSubject>()>;

// A field's text read as the window's fields read numbers; no value for a number beyond the
// double range.
std::optional<double> ReadToolField(const QString& text);

} // namespace kelvora
