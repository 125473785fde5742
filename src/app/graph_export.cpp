#include "app/graph_export.hpp"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

namespace kelvora {

namespace {

void SetError(QString* error, const QString& text) {
    if (error != nullptr) {
        *error = text;
    }
}

QString CannotSave(const QString& path, const QString& reason) {
    return QCoreApplication::translate("GraphExport", "无法保存“%1”：%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

bool SaveGraphBitmap(const QImage& image, const QString& path, QString* error) {
    if (image.isNull()) {
        SetError(error, QCoreApplication::translate("GraphExport", "没有可保存的图像。"));
        return false;
    }
    if (path.isEmpty()) {
        SetError(error, QCoreApplication::translate("GraphExport", "没有给出文件名。"));
        return false;
    }
    // Three bytes per pixel and no palette: the writer then stores an uncompressed 24-bit DIB.
    const QImage pixels = image.convertToFormat(QImage::Format_RGB888);
    if (pixels.isNull()) {
        SetError(error, CannotSave(path, QCoreApplication::translate("GraphExport", "内存不足")));
        return false;
    }

    // Only a regular file is replaced: a folder, a device or a pipe of that name stays (opening
    // a pipe would wait for a reader). Renaming over a write-protected file would succeed in a
    // writable folder, so a file the user may not write to is refused too; opening it to append
    // changes nothing and gives the system's own reason.
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink()) {
        if (!target.isFile()) {
            SetError(error, CannotSave(path, QCoreApplication::translate(
                                                 "GraphExport", "同名的项目不是普通文件")));
            return false;
        }
        QFile existing(path);
        if (!existing.open(QIODevice::WriteOnly | QIODevice::Append)) {
            SetError(error, CannotSave(path, existing.errorString()));
            return false;
        }
    }

    // The bitmap goes to a temporary file beside the target and replaces it only once it is
    // complete, so a failure at any point leaves an existing file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetError(error, CannotSave(path, file.errorString()));
        return false;
    }
    QImageWriter writer(&file, QByteArrayLiteral("bmp"));
    if (!writer.write(pixels)) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        file.cancelWriting();
        SetError(error, CannotSave(path, reason));
        return false;
    }
    if (!file.commit()) {
        SetError(error, CannotSave(path, file.errorString()));
        return false;
    }
    return true;
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
