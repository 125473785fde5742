// Copying and saving the graph image.
#pragma once

#include <QImage>
#include <QString>

namespace kelvora {

// Writes `image` to `path` exactly as given (no extension added) as an uncompressed 24-bit
// BMP, through a temporary file renamed over the target only after a complete write. On
// failure nothing changes on disk, `error` receives the reason and the result is false.
bool SaveGraphBitmap(const QImage& image, const QString& path, QString* error);

// Empties the clipboard and puts the image on it as a bitmap, nothing else.
bool CopyGraphToClipboard(const QImage& image, QString* error);

} // namespace kelvora
