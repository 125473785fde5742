// Installs the build into a temporary prefix, checks that every file lands in its freedesktop
// place, and that a program in that prefix (also after moving the prefix) finds its pictures
// and help.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class InstallTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        prefix_ = QDir(root_.path()).filePath("usr");
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(KELVORA_CMAKE_COMMAND, {"--install", KELVORA_BINARY_DIR, "--config",
                                              KELVORA_CONFIG, "--prefix", prefix_});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
        QVERIFY(QFile::copy(KELVORA_PROBE, QDir(prefix_).filePath("bin/kelvora-install-probe")));
    }

    void filesLandInTheirPlaces() {
        const QDir prefix(prefix_);
        for (const char* program : {"bin/kelvora", "bin/kelvora-calc"}) {
            QVERIFY2(QFileInfo(prefix.filePath(program)).isExecutable(), program);
        }
        const QString desktop = prefix.filePath("share/applications/kelvora.desktop");
        QFile entry(desktop);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        for (const char* line : {"\nName=Kelvora\n", "\nExec=kelvora\n", "\nIcon=kelvora\n"}) {
            QVERIFY2(text.contains(line), line);
        }
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
            const QImage icon(prefix.filePath(
                QStringLiteral("share/icons/hicolor/%1x%1/apps/kelvora.png").arg(size)));
            QCOMPARE(icon.size(), QSize(size, size));
        }
        QVERIFY(
            QFileInfo::exists(prefix.filePath("share/icons/hicolor/scalable/apps/kelvora.svg")));
        QFile metainfo(prefix.filePath("share/metainfo/org.example.kelvora.metainfo.xml"));
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        QVERIFY(metainfo.readAll().contains("<launchable type=\"desktop-id\">kelvora.desktop<"));
    }

    void programFindsItsPicturesAndHelp_data() {
        QTest::addColumn<QString>("moveTo");
        QTest::newRow("installed") << QString();
        QTest::newRow("prefix moved") << QStringLiteral("moved/elsewhere");
    }
    void programFindsItsPicturesAndHelp() {
        QFETCH(QString, moveTo);
        const QString prefix = moveTo.isEmpty() ? prefix_ : QDir(root_.path()).filePath(moveTo);
        QVERIFY(QDir().mkpath(QFileInfo(prefix).path()));
        QVERIFY(QDir().rename(prefix_, prefix) || prefix == prefix_);
        QProcess probe;
        probe.start(QDir(prefix).filePath("bin/kelvora-install-probe"), {});
        const bool finished = probe.waitForFinished(60000) && probe.exitCode() == 0;
        const QString report = QString::fromUtf8(probe.readAllStandardOutput());
        QVERIFY(prefix == prefix_ || QDir().rename(prefix, prefix_));
        QVERIFY(finished);
        // 64 tabs less the four discrete hazards.
        QCOMPARE(report,
                 QStringLiteral("data=%1/share/kelvora\npictures=60\nhelp=yes\n").arg(prefix));
    }

private:
    QTemporaryDir root_;
    QString prefix_;
};

QTEST_GUILESS_MAIN(InstallTest)
#include "install_test.moc"
