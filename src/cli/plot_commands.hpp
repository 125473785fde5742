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

// Writes the graph to `file` in the format its extension names: BMP or PNG rendered at the
// window's size times `scale`, SVG or PDF drawn as vectors at the window's size. Returns the
// exit status; on failure `error` says why and an existing file is left as it was.
int RunPlotCommand(DistributionId id, const ParameterTexts& texts, FunctionKind kind,
                   const QString& file, int scale, QString* error);

} // namespace kelvora
