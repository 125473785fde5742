#include "app/graph_export.hpp"

namespace kelvora {

bool SaveGraphBitmap(const QImage&, const QString&, QString*) {
    return false;
}
bool CopyGraphToClipboard(const QImage&, QString*) {
    return false;
}

} // namespace kelvora
