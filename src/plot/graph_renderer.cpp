#include "plot/graph_renderer.hpp"

#include <QColor>

namespace kelvora {

QImage MakeGraphImage(qreal devicePixelRatio) {
    QImage image(qRound(kGraphWidthPx * devicePixelRatio),
                 qRound(kGraphHeightPx * devicePixelRatio), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    return image;
}

void DrawGraph(QImage& image, DistributionId, const ParameterTexts&, FunctionKind, const QLocale&,
               PlotSamples&) {
    image.fill(Qt::white);
}

} // namespace kelvora
