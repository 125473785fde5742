#include "app/graph_export.hpp"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

namespace kelvora {

namespace {

void SetError(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
}

struct SaveFilter {
    GraphFileFormat format;
    const char* text;
};

// The BMP entry keeps its plain "(*.bmp)": the filter the dialog has always shown.
constexpr SaveFilter kSaveFilters[] = {
    {GraphFileFormat::Bmp, "(*.bmp)"},
    {GraphFileFormat::Png, "PNG 图像 (*.png)"},
    {GraphFileFormat::Svg, "SVG 矢量图形 (*.svg)"},
    {GraphFileFormat::Pdf, "PDF 文档 (*.pdf)"},
};

QString FilterText(const SaveFilter& filter) {
    return QCoreApplication::translate("GraphExport", filter.text);
}

} // namespace

QString GraphSaveFilters() {
    QStringList filters;
    for (const SaveFilter& filter : kSaveFilters) {
        filters.append(FilterText(filter));
    }
    return filters.join(QStringLiteral(";;"));
}

GraphSaveTarget ChooseGraphSaveTarget(const QString& chosen, const QString& selectedFilter) {
    if (const std::optional<GraphFileFormat> typed = GraphFileFormatOf(chosen)) {
        return {chosen, *typed};
    }
    GraphFileFormat format = GraphFileFormat::Bmp;
    for (const SaveFilter& filter : kSaveFilters) {
        if (selectedFilter == FilterText(filter)) {
            format = filter.format;
        }
    }
    if (format != GraphFileFormat::Bmp && QFileInfo(chosen).suffix().isEmpty()) {
        return {chosen + QLatin1Char('.') + GraphFileSuffix(format), format};
    }
    return {chosen, format};
}

bool CopyGraphToClipboard(const QImage& image, QString* error) {
    if (image.isNull()) {
        SetError(error, QCoreApplication::translate("GraphExport", "没有可复制的图像。"));
        return false;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        SetError(error, QCoreApplication::translate("GraphExport", "剪贴板不可用。"));
        return false;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(image);
    // The platform may refuse the data (no clipboard owner can be set): read it back to know.
    if (clipboard->image().size() != image.size()) {
        SetError(error, QCoreApplication::translate("GraphExport", "无法把图像放到剪贴板上。"));
        return false;
    }
    return true;
}

} // namespace kelvora
