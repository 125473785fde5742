// Writing the graph to a file: the graph image as BMP or PNG, or the graph redrawn as SVG or PDF
// vectors. Shared by the window's save command and kelvora-calc --plot.
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QPaintDevice;

namespace kelvora {

enum class GraphFileFormat { Bmp, Png, Svg, Pdf };

// The format that the name's extension gives (.bmp, .png, .svg, .pdf in any letter case); no
// value for any other name, one without an extension included.
std::optional<GraphFileFormat> GraphFileFormatOf(const QString& path);

// The extension of a format, without the dot: "bmp", "png", "svg" or "pdf".
QString GraphFileSuffix(GraphFileFormat format);

// Paints the graph onto a vector device whose size is the graph area's in 96-dpi pixels.
using GraphRedraw = std::function<void(QPaintDevice&)>;

// Writes the graph to `path` exactly as given (no extension added): `image` unchanged as an
// uncompressed 24-bit BMP or as PNG, or `redraw` onto an SVG or PDF page of the graph area's
// size. The file is written beside the target and renamed over it only once complete; only a
// regular file the user may write to is replaced. On failure nothing changes on disk, `error`
// receives the reason (without the path, which the caller names) and the result is false.
bool SaveGraphFile(const QImage& image, const GraphRedraw& redraw, GraphFileFormat format,
                   const QString& path, QString* error);

} // namespace kelvora
