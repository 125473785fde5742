// kelvora-calc's graph commands: --samples prints the sampled curves, --plot renders the graph
// to a file. Both use the same sampling and renderer as the window.
#pragma once

#include "distributions/distribution_id.hpp"
#include "sampling/function_kind.hpp"
#include "sampling/plot_samples.hpp"

#include <QString>
#include <QTextStream>

namespace kelvora {

// Writes "XMin<TAB>XMax", then "invalid" or the extremes line and 500 sample lines.
// Returns the process exit status.
int RunSamplesCommand(DistributionId id, const ParameterTexts& texts, QTextStream& out);

// Renders the graph at the window's size times `scale` and writes it as PNG or BMP by the
// file's extension. Returns the exit status; on failure `error` says why.
int RunPlotCommand(DistributionId id, const ParameterTexts& texts, FunctionKind kind,
                   const QString& file, int scale, QString* error);

} // namespace kelvora
