#include "render/graph_file.hpp"

#include "render/graph_renderer.hpp"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace kelvora {

namespace {

constexpr int kVectorDpi = 96;

QString Tr(const char* text) {
    return QCoreApplication::translate("GraphExport", text);
}

void SetError(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
}

bool WriteImage(const QImage& image, GraphFileFormat format, QSaveFile& file, QString* error) {
    QImage pixels = image;
    if (format == GraphFileFormat::Bmp) {
        // Three bytes per pixel and no palette: the writer then stores an uncompressed 24-bit
        // DIB.
        pixels = image.convertToFormat(QImage::Format_RGB888);
        if (pixels.isNull()) {
            SetError(error, Tr("内存不足"));
            return false;
        }
    }
    QImageWriter writer(&file, format == GraphFileFormat::Bmp ? QByteArrayLiteral("bmp")
                                                              : QByteArrayLiteral("png"));
    if (!writer.write(pixels)) {
        SetError(error,
                 file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString());
        return false;
    }
    return true;
}

// The page is the graph area at 96 dpi, so that the painter's units are the image's pixels and
// the fonts' point sizes come out as on the screen.
void WriteSvg(const GraphRedraw& redraw, QSaveFile& file) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(kGraphWidthPx, kGraphHeightPx));
    svg.setViewBox(QRect(0, 0, kGraphWidthPx, kGraphHeightPx));
    svg.setResolution(kVectorDpi);
    svg.setTitle(QStringLiteral("Kelvora"));
    redraw(svg);
}

void WritePdf(const GraphRedraw& redraw, QSaveFile& file) {
    QPdfWriter pdf(&file);
    pdf.setCreator(QStringLiteral("Kelvora"));
    pdf.setResolution(kVectorDpi);
    constexpr double kPointsPerPixel = 72.0 / kVectorDpi;
    pdf.setPageSize(
        QPageSize(QSizeF(kGraphWidthPx * kPointsPerPixel, kGraphHeightPx * kPointsPerPixel),
                  QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    redraw(pdf);
}

// Only a regular file is replaced: a folder, a device or a pipe of that name stays (opening a
// pipe would wait for a reader). Renaming over a write-protected file would succeed in a
// writable folder, so a file the user may not write to is refused too; opening it to append
// changes nothing and gives the system's own reason.
bool MayReplace(const QString& path, QString* error) {
    const QFileInfo target(path);
    if (!target.exists() && !target.isSymLink()) {
        return true;
    }
    if (!target.isFile()) {
        SetError(error, Tr("同名的项目不是普通文件"));
        return false;
    }
    QFile existing(path);
    if (!existing.open(QIODevice::WriteOnly | QIODevice::Append)) {
        SetError(error, existing.errorString());
        return false;
    }
    return true;
}

} // namespace

std::optional<GraphFileFormat> GraphFileFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const GraphFileFormat format :
         {GraphFileFormat::Bmp, GraphFileFormat::Png, GraphFileFormat::Svg, GraphFileFormat::Pdf}) {
        if (suffix == GraphFileSuffix(format)) {
            return format;
        }
    }
    return std::nullopt;
}

QString GraphFileSuffix(GraphFileFormat format) {
    switch (format) {
    case GraphFileFormat::Bmp:
        return QStringLiteral("bmp");
    case GraphFileFormat::Png:
        return QStringLiteral("png");
    case GraphFileFormat::Svg:
        return QStringLiteral("svg");
    case GraphFileFormat::Pdf:
        return QStringLiteral("pdf");
    }
    return {};
}

bool SaveGraphFile(const QImage& image, const GraphRedraw& redraw, GraphFileFormat format,
                   const QString& path, QString* error) {
    const bool vector = format == GraphFileFormat::Svg || format == GraphFileFormat::Pdf;
    if (vector ? !redraw : image.isNull()) {
        SetError(error, Tr("没有可保存的图像。"));
        return false;
    }
    if (path.isEmpty()) {
        SetError(error, Tr("没有给出文件名。"));
        return false;
    }
    if (!MayReplace(path, error)) {
        return false;
    }
    // The graph goes to a temporary file beside the target and replaces it only once it is
    // complete, so a failure at any point leaves an existing file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    if (format == GraphFileFormat::Svg) {
        WriteSvg(redraw, file);
    } else if (format == GraphFileFormat::Pdf) {
        WritePdf(redraw, file);
    } else if (!WriteImage(image, format, file, error)) {
        file.cancelWriting();
        return false;
    }
    if (vector && (file.error() != QFileDevice::NoError || file.size() == 0)) {
        SetError(error,
                 file.error() != QFileDevice::NoError ? file.errorString() : Tr("无法绘制图形"));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        SetError(error, file.errorString());
        return false;
    }
    return true;
}

} // namespace kelvora
