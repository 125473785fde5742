#include "app/illustrations.hpp"

namespace kelvora {

QString IllustrationFileName(DistributionId, FunctionKind) {
    return {};
}
QString DataDirectory() {
    return {};
}
QImage LoadIllustration(DistributionId, FunctionKind) {
    return {};
}

} // namespace kelvora
