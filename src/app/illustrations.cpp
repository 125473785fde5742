#include "app/illustrations.hpp"

#include "registry/registry.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace kelvora {

namespace {

bool HoldsImages(const QString& directory) {
    return QFileInfo(QDir(directory).filePath(QStringLiteral("Images"))).isDir();
}

// Without an application object (a tool or test that has none yet) the kernel still knows
// where the running program lies.
QString RunningProgramDirectory() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath();
    }
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (self.exists()) {
        return QFileInfo(self.canonicalFilePath()).absolutePath();
    }
    return QDir::currentPath();
}

QImage ReadImage(const QString& path) {
    QImageReader reader(path);
    return reader.read();
}

qreal ScreenPixelRatio() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return 1.0;
    }
    return qGuiApp->devicePixelRatio();
}

} // namespace

QString IllustrationFileName(DistributionId id, FunctionKind kind) {
    if (static_cast<int>(id) < 0 || static_cast<int>(id) >= kDistributionCount) {
        return {};
    }
    const char* stem = RowOf(id).pictureStem;
    switch (kind) {
    case FunctionKind::Pdf:
        return QStringLiteral("pdf_%1.jpg").arg(QLatin1String(stem));
    case FunctionKind::Cdf:
        return QStringLiteral("cdf_%1.jpg").arg(QLatin1String(stem));
    case FunctionKind::Survival:
        return QStringLiteral("survfun.jpg");
    case FunctionKind::Hazard:
        // A discrete distribution has no hazard formula to show.
        return IsDiscrete(id) ? QString() : QStringLiteral("hazfun.jpg");
    }
    return {};
}

QString DataDirectoryFor(const QString& applicationDir) {
    if (HoldsImages(applicationDir)) {
        return QDir::cleanPath(applicationDir);
    }
    const QString besidePrefix =
        QDir::cleanPath(QDir(applicationDir).filePath(QStringLiteral(KELVORA_DATADIR_FROM_BINDIR)));
    if (HoldsImages(besidePrefix)) {
        return besidePrefix;
    }
    return QDir::cleanPath(QStringLiteral(KELVORA_INSTALLED_DATADIR));
}

QString DataDirectory() {
    return DataDirectoryFor(RunningProgramDirectory());
}

QImage LoadIllustration(DistributionId id, FunctionKind kind) {
    return LoadIllustration(DataDirectory(), id, kind, ScreenPixelRatio());
}

QImage LoadIllustration(const QString& dataDirectory, DistributionId id, FunctionKind kind,
                        qreal devicePixelRatio) {
    const QString name = IllustrationFileName(id, kind);
    if (name.isEmpty()) {
        return {};
    }
    const QDir images(QDir(dataDirectory).filePath(QStringLiteral("Images")));
    if (devicePixelRatio > 1.0) {
        QImage sharp = ReadImage(
            images.filePath(QFileInfo(name).completeBaseName() + QStringLiteral("@2x.jpg")));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return ReadImage(images.filePath(name));
}

} // namespace kelvora
