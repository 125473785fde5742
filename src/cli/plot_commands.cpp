#include "cli/plot_commands.hpp"

namespace kelvora {

int RunSamplesCommand(DistributionId, const ParameterTexts&, QTextStream&) {
    return 1;
}

int RunPlotCommand(DistributionId, const ParameterTexts&, FunctionKind, const QString&, int,
                   QString*) {
    return 1;
}

} // namespace kelvora
