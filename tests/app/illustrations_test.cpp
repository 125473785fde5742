// Formula pictures: the file chosen per distribution and tab, the pictures shipped in the build
// tree, and the data directory of a build tree and of an installed prefix.
#include "app/illustrations.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using kelvora::DistributionId;
using kelvora::FunctionKind;

Q_DECLARE_METATYPE(DistributionId)
Q_DECLARE_METATYPE(FunctionKind)

namespace {

constexpr int kPictureWidth = 321;
constexpr int kPictureHeight = 73;

const char* const kStems[kelvora::kDistributionCount] = {
    "beta",      "binomial",  "cauchy", "chisquare", "exp",      "f", "gamma",   "geom",
    "hypergeom", "lognormal", "normal", "poisson",   "rayleigh", "t", "uniform", "weibull"};

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class IllustrationsTest : public QObject {
    Q_OBJECT
private slots:
    void fileNamePerDistributionAndTab_data();
    void fileNamePerDistributionAndTab();
    void unknownDistributionHasNoPicture();
    void everyPictureShipsAndFitsTheBox();
    void highDensityPicturesCoverTheSameArea();
    void missingOrBrokenPictureGivesNullImage();
    void discreteHazardLoadsNothing();
    void dataDirectoryOfBuildTree();
    void dataDirectoryOfRelocatedPrefix();
};

void IllustrationsTest::fileNamePerDistributionAndTab_data() {
    QTest::addColumn<DistributionId>("id");
    QTest::addColumn<FunctionKind>("kind");
    QTest::addColumn<QString>("expected");
    for (int i = 0; i < kelvora::kDistributionCount; ++i) {
        const auto id = static_cast<DistributionId>(i);
        const QString stem = QString::fromLatin1(kStems[i]);
        QTest::addRow("%s/pdf", kStems[i]) << id << FunctionKind::Pdf << "pdf_" + stem + ".jpg";
        QTest::addRow("%s/cdf", kStems[i]) << id << FunctionKind::Cdf << "cdf_" + stem + ".jpg";
        QTest::addRow("%s/surv", kStems[i])
            << id << FunctionKind::Survival << QStringLiteral("survfun.jpg");
        QTest::addRow("%s/haz", kStems[i])
            << id << FunctionKind::Hazard
            << (kelvora::IsDiscrete(id) ? QString() : QStringLiteral("hazfun.jpg"));
    }
}

void IllustrationsTest::fileNamePerDistributionAndTab() {
    QFETCH(DistributionId, id);
    QFETCH(FunctionKind, kind);
    QFETCH(QString, expected);
    QCOMPARE(kelvora::IllustrationFileName(id, kind), expected);
}

void IllustrationsTest::unknownDistributionHasNoPicture() {
    QVERIFY(kelvora::IllustrationFileName(static_cast<DistributionId>(16), FunctionKind::Pdf)
                .isEmpty());
    QVERIFY(kelvora::IllustrationFileName(static_cast<DistributionId>(-1), FunctionKind::Survival)
                .isEmpty());
}

void IllustrationsTest::everyPictureShipsAndFitsTheBox() {
    QSet<QString> names;
    for (int i = 0; i < kelvora::kDistributionCount; ++i) {
        for (FunctionKind kind :
             {FunctionKind::Pdf, FunctionKind::Cdf, FunctionKind::Survival, FunctionKind::Hazard}) {
            const auto id = static_cast<DistributionId>(i);
            if (kelvora::IllustrationFileName(id, kind).isEmpty()) {
                continue;
            }
            names.insert(kelvora::IllustrationFileName(id, kind));
            const QImage image = kelvora::LoadIllustration(id, kind);
            QVERIFY2(!image.isNull(), qPrintable(kelvora::IllustrationFileName(id, kind)));
            QVERIFY(image.width() <= kPictureWidth && image.height() <= kPictureHeight);
            // Black formula on white: the corner is paper, and some pixel is ink.
            QCOMPARE(qGray(image.pixel(0, 0)), 255);
            bool ink = false;
            for (int y = 0; y < image.height() && !ink; ++y) {
                for (int x = 0; x < image.width() && !ink; ++x) {
                    ink = qGray(image.pixel(x, y)) < 40;
                }
            }
            QVERIFY(ink);
        }
    }
    QCOMPARE(names.size(), 34);
    const QDir images(QDir(QCoreApplication::applicationDirPath()).filePath("Images"));
    for (const QString& name : names) {
        QVERIFY2(images.exists(name), qPrintable(name));
    }
}

void IllustrationsTest::highDensityPicturesCoverTheSameArea() {
    const QString data = kelvora::DataDirectory();
    const QImage sharp =
        kelvora::LoadIllustration(data, DistributionId::Weibull, FunctionKind::Cdf, 2.0);
    QVERIFY(!sharp.isNull());
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(sharp.deviceIndependentSize().toSize(), QSize(kPictureWidth, kPictureHeight));

    // Where only the plain picture exists it is used as it is.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("Images"));
    QVERIFY(QFile::copy(QDir(data).filePath("Images/hazfun.jpg"),
                        QDir(dir.path()).filePath("Images/hazfun.jpg")));
    const QImage plain =
        kelvora::LoadIllustration(dir.path(), DistributionId::Beta, FunctionKind::Hazard, 2.0);
    QVERIFY(!plain.isNull());
    QCOMPARE(plain.devicePixelRatio(), 1.0);
}

void IllustrationsTest::missingOrBrokenPictureGivesNullImage() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("Images"));
    QVERIFY(kelvora::LoadIllustration(dir.path(), DistributionId::Normal, FunctionKind::Pdf, 1.0)
                .isNull());
    QVERIFY(WriteFile(QDir(dir.path()).filePath("Images/pdf_normal.jpg"), "not a picture"));
    QVERIFY(WriteFile(QDir(dir.path()).filePath("Images/pdf_normal@2x.jpg"), QByteArray()));
    QVERIFY(kelvora::LoadIllustration(dir.path(), DistributionId::Normal, FunctionKind::Pdf, 1.0)
                .isNull());
    QVERIFY(kelvora::LoadIllustration(dir.path(), DistributionId::Normal, FunctionKind::Pdf, 2.0)
                .isNull());
}

void IllustrationsTest::discreteHazardLoadsNothing() {
    for (DistributionId id : {DistributionId::Binomial, DistributionId::Geometric,
                              DistributionId::Hypergeometric, DistributionId::Poisson}) {
        QVERIFY(kelvora::LoadIllustration(id, FunctionKind::Hazard).isNull());
    }
}

void IllustrationsTest::dataDirectoryOfBuildTree() {
    const QString bin = QCoreApplication::applicationDirPath();
    QCOMPARE(kelvora::DataDirectory(), QDir::cleanPath(bin));
    QVERIFY(QFile::exists(QDir(kelvora::DataDirectory()).filePath("help/index.html")));
}

void IllustrationsTest::dataDirectoryOfRelocatedPrefix() {
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    QVERIFY(root.mkpath("bin") && root.mkpath("share/kelvora/Images"));
    QCOMPARE(kelvora::DataDirectoryFor(root.filePath("bin")),
             QDir::cleanPath(root.filePath("share/kelvora")));

    // Pictures beside the program win over the prefix's data directory.
    QVERIFY(root.mkpath("bin/Images"));
    QCOMPARE(kelvora::DataDirectoryFor(root.filePath("bin")),
             QDir::cleanPath(root.filePath("bin")));

    // With neither, the configured installation directory is the last resort.
    QTemporaryDir empty;
    const QString fallback = kelvora::DataDirectoryFor(empty.path());
    QVERIFY(fallback.endsWith("/share/kelvora"));
    QVERIFY(!fallback.startsWith(empty.path()));
}

QTEST_GUILESS_MAIN(IllustrationsTest)
#include "illustrations_test.moc"
