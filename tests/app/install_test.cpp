// Installs the build into a temporary prefix, checks that every file lands in its freedesktop
// place, and that a program in that prefix (also after moving the prefix) finds its pictures
// and help.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct ProbeReport {
    QString data;
    int pictures = -1;
    QString help;
};

ProbeReport RunProbe(const QString& prefix) {
    const QString probe = QDir(prefix).filePath("bin/kelvora-install-probe");
    QProcess process;
    process.start(probe, {});
    ProbeReport report;
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return report;
    }
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    for (const QString& line : lines) {
        const QString key = line.section('=', 0, 0);
        const QString value = line.section('=', 1);
        if (key == "data") {
            report.data = value;
        } else if (key == "pictures") {
            report.pictures = value.toInt();
        } else if (key == "help") {
            report.help = value;
        }
    }
    return report;
}

} // namespace

class InstallTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void programsLandInBin();
    void dataLandsInShareKelvora();
    void desktopEntryIconsAndMetainfo();
    void installedProgramFindsItsData();
    void movedPrefixStillFindsItsData();

private:
    QTemporaryDir root_;
    QString prefix_;
};

void InstallTest::initTestCase() {
    QVERIFY(root_.isValid());
    prefix_ = QDir(root_.path()).filePath("usr");
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(KELVORA_CMAKE_COMMAND),
                  {"--install", QStringLiteral(KELVORA_BINARY_DIR), "--config",
                   QStringLiteral(KELVORA_CONFIG), "--prefix", prefix_});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    QVERIFY(QFile::copy(QStringLiteral(KELVORA_PROBE),
                        QDir(prefix_).filePath("bin/kelvora-install-probe")));
}

void InstallTest::programsLandInBin() {
    for (const char* program : {"kelvora", "kelvora-calc"}) {
        const QFileInfo info(QDir(prefix_).filePath(QStringLiteral("bin/%1").arg(program)));
        QVERIFY2(info.isFile() && info.isExecutable(), program);
    }
}

void InstallTest::dataLandsInShareKelvora() {
    const QDir images(QDir(prefix_).filePath("share/kelvora/Images"));
    const QStringList plain = images.entryList({"*.jpg"}, QDir::Files)
                                  .filter(QRegularExpression(QStringLiteral("^[a-z_]+\\.jpg$")));
    QCOMPARE(plain.size(), 34);
    QVERIFY(QFileInfo(QDir(prefix_).filePath("share/kelvora/help/index.html")).isFile());
}

void InstallTest::desktopEntryIconsAndMetainfo() {
    const QDir share(QDir(prefix_).filePath("share"));
    const QString desktop = share.filePath("applications/kelvora.desktop");
    QFile entry(desktop);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY(text.contains("\nName=Kelvora\n"));
    QVERIFY(text.contains("\nName[zh_CN]="));
    QVERIFY(text.contains("\nExec=kelvora\n"));
    QVERIFY(text.contains("\nIcon=kelvora\n"));
    QVERIFY(text.contains("\nCategories=Education;Science;Math;\n"));
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(validator, {desktop});
        QVERIFY(validate.waitForFinished(60000));
        const QString report = QString::fromUtf8(validate.readAll());
        QVERIFY2(validate.exitCode() == 0 && !report.contains("error:"), qPrintable(report));
    }

    for (int size : {16, 32, 48}) {
        const QImage icon(
            share.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/kelvora.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
    }
    QVERIFY(QFileInfo(share.filePath("icons/hicolor/scalable/apps/kelvora.svg")).isFile());

    QFile metainfo(share.filePath("metainfo/org.example.kelvora.metainfo.xml"));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&metainfo);
    QString id;
    QString launchable;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("id")) {
                id = xml.readElementText();
            } else if (xml.name() == QLatin1String("launchable")) {
                launchable = xml.readElementText();
            }
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(id, QStringLiteral("org.example.kelvora"));
    QCOMPARE(launchable, QStringLiteral("kelvora.desktop"));
}

void InstallTest::installedProgramFindsItsData() {
    const ProbeReport report = RunProbe(prefix_);
    QCOMPARE(report.data, QDir(prefix_).filePath("share/kelvora"));
    QCOMPARE(report.pictures, 60); // 64 tabs less the four discrete hazards
    QCOMPARE(report.help, QStringLiteral("yes"));
}

void InstallTest::movedPrefixStillFindsItsData() {
    const QString moved = QDir(root_.path()).filePath("moved/elsewhere");
    QVERIFY(QDir().mkpath(QFileInfo(moved).path()));
    QVERIFY(QDir().rename(prefix_, moved));
    const ProbeReport report = RunProbe(moved);
    QVERIFY(QDir().rename(moved, prefix_));
    QCOMPARE(report.data, QDir(moved).filePath("share/kelvora"));
    QCOMPARE(report.pictures, 60);
    QCOMPARE(report.help, QStringLiteral("yes"));
}

QTEST_GUILESS_MAIN(InstallTest)
#include "install_test.moc"
