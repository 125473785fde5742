#include "app/illustrations.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace kelvora {

namespace {

// The short name each distribution's density and cumulative pictures share.
const char* PictureStem(DistributionId id) {
    switch (id) {
    case DistributionId::Beta:
        return "beta";
    case DistributionId::Binomial:
        return "binomial";
    case DistributionId::Cauchy:
        return "cauchy";
    case DistributionId::ChiSquare:
        return "chisquare";
    case DistributionId::Exponential:
        return "exp";
    case DistributionId::F:
        return "f";
    case DistributionId::Gamma:
        return "gamma";
    case DistributionId::Geometric:
        return "geom";
    case DistributionId::Hypergeometric:
        return "hypergeom";
    case DistributionId::Lognormal:
        return "lognormal";
    case DistributionId::Normal:
        return "normal";
    case DistributionId::Poisson:
        return "poisson";
    case DistributionId::Rayleigh:
        return "rayleigh";
    case DistributionId::StudentT:
        return "t";
    case DistributionId::Uniform:
        return "uniform";
    case DistributionId::Weibull:
        return "weibull";
    }
    return nullptr;
}

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
    const char* stem = PictureStem(id);
    if (stem == nullptr) {
        return {};
    }
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
