// Formula pictures: the file chosen per distribution and tab, and where they are looked for.
#include "app/illustrations.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using kelvora::DistributionId;
using kelvora::FunctionKind;

class IllustrationsTest : public QObject {
    Q_OBJECT
private slots:
    void pictureForDistributionAndTab_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        const char* const stems[] = {
            "beta",      "binomial",  "cauchy", "chisquare", "exp",      "f", "gamma",   "geom",
            "hypergeom", "lognormal", "normal", "poisson",   "rayleigh", "t", "uniform", "weibull"};
        for (int i = 0; i < kelvora::kDistributionCount; ++i) {
            const QString stem = QString::fromLatin1(stems[i]);
            const bool discrete = kelvora::IsDiscrete(DistributionId(i));
            QTest::addRow("%s/pdf", stems[i]) << i << 0 << "pdf_" + stem + ".jpg";
            QTest::addRow("%s/cdf", stems[i]) << i << 1 << "cdf_" + stem + ".jpg";
            QTest::addRow("%s/surv", stems[i]) << i << 2 << QStringLiteral("survfun.jpg");
            QTest::addRow("%s/haz", stems[i])
                << i << 3 << (discrete ? QString() : QStringLiteral("hazfun.jpg"));
        }
    }
    void pictureForDistributionAndTab() {
        QFETCH(int, id);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        QCOMPARE(kelvora::IllustrationFileName(DistributionId(id), FunctionKind(kind)), expected);
        // Every named picture ships beside the program and loads; a blank name loads nothing.
        const QImage image = kelvora::LoadIllustration(DistributionId(id), FunctionKind(kind));
        QCOMPARE(image.isNull(), expected.isEmpty());
    }

    void missingOrBrokenPictureGivesNullImage() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Images"));
        const auto load = [&dir](double ratio) {
            return kelvora::LoadIllustration(dir.path(), DistributionId::Normal, FunctionKind::Pdf,
                                             ratio);
        };
        QVERIFY(load(1.0).isNull());
        QFile broken(QDir(dir.path()).filePath("Images/pdf_normal.jpg"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
        broken.close();
        QVERIFY(load(1.0).isNull());
        QVERIFY(load(2.0).isNull());
    }

    void dataDirectoryOfBuildTreeAndPrefix() {
        QCOMPARE(kelvora::DataDirectory(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
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
        QVERIFY(fallback.endsWith("/share/kelvora") && !fallback.startsWith(empty.path()));
    }
};

QTEST_GUILESS_MAIN(IllustrationsTest)
#include "illustrations_test.moc"
