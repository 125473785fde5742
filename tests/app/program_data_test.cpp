// The program's data: the formula picture per distribution and tab and where pictures are
// looked for, the HTML help (where it lies, that it resolves, how it opens), and About.
#include "app/about_dialog.hpp"
#include "app/help.hpp"
#include "app/help_window.hpp"
#include "app/illustrations.hpp"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using kelvora::DistributionId;
using kelvora::FunctionKind;

// Stands in for the system's handlers: records what would have been opened.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class DataTest : public QObject {
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

    void contentsBesideTheProgramResolve() {
        const QString path = kelvora::HelpContentsUrl().toLocalFile();
        QCOMPARE(QFileInfo(path).absolutePath(),
                 QDir(QCoreApplication::applicationDirPath()).filePath("help"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        int pictures = 0;
        for (auto m = QRegularExpression("<img src=\"([^\"]+)\"").globalMatch(text); m.hasNext();) {
            const QString source = m.next().captured(1);
            QVERIFY2(!QImage(QFileInfo(path).dir().filePath(source)).isNull(), qPrintable(source));
            ++pictures;
        }
        QVERIFY(pictures >= 34);
        for (auto m = QRegularExpression("href=\"#([^\"]+)\"").globalMatch(text); m.hasNext();) {
            const QString anchor = m.next().captured(1);
            QVERIFY2(text.contains(QStringLiteral("name=\"%1\"").arg(anchor)), qPrintable(anchor));
        }
    }

    void opensThroughTheSystemHandlers() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("file", &recorder, "open");
        QDesktopServices::setUrlHandler("https", &recorder, "open");
        QWidget owner;
        kelvora::OpenHelpContents(&owner);
        kelvora::OpenHomePage(nullptr);
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(recorder.opened,
                 (QList<QUrl>{kelvora::HelpContentsUrl(), QUrl(kelvora::kHomePage)}));
        QVERIFY(owner.findChild<kelvora::HelpWindow*>() == nullptr);
    }

    void ownWindowShowsTheHelpOnce() {
        QWidget owner;
        QPointer<kelvora::HelpWindow> window =
            kelvora::ShowHelpWindow(kelvora::HelpContentsUrl(), &owner);
        QCOMPARE(kelvora::ShowHelpWindow(kelvora::HelpContentsUrl(), &owner), window.get());
        QVERIFY(window->isVisible());
        QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("威布尔分布")));
        QTest::keyClick(window->browser(), Qt::Key_Escape);
        QTRY_VERIFY(window.isNull()); // Escape closes it, and a closed window is deleted
    }

    void ownWindowExplainsAMissingFile() {
        QTemporaryDir dir;
        const QUrl missing = QUrl::fromLocalFile(QDir(dir.path()).filePath("help/index.html"));
        kelvora::HelpWindow window(missing);
        QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("找不到帮助文件")));
        QVERIFY(window.browser()->toPlainText().contains(missing.toLocalFile()));
    }

    void aboutTexts() {
        kelvora::About about;
        QCOMPARE(about.windowTitle(), QStringLiteral("关于 Kelvora"));
        QStringList shown;
        for (const char* name : {"lblTitle", "Label2", "Label1"}) {
            auto* label = about.findChild<QLabel*>(name);
            QVERIFY(label != nullptr);
            QVERIFY(label->width() >= label->sizeHint().width()); // shows whole
            shown.append(label->text());
        }
        QCOMPARE(shown, (QStringList{"Kelvora", QStringLiteral("版本 2.1"), kelvora::kHomePage}));
        QCOMPARE(about.findChild<QPushButton*>("cmdOK")->text(), QStringLiteral("确  定"));
    }

    void aboutLinkOpensTheHomePage() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler("https", &recorder, "open");
        kelvora::About about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* link = about.findChild<QLabel*>("Label1");
        QTest::mouseClick(link, Qt::RightButton);
        QVERIFY(recorder.opened.isEmpty());
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(recorder.opened, QList<QUrl>{QUrl(kelvora::kHomePage)});
        QVERIFY(about.isVisible());
    }
};

QTEST_MAIN(DataTest)
#include "program_data_test.moc"
