// The HTML help: where it lies, that it resolves, and how it opens.
#include "app/help.hpp"
#include "app/help_window.hpp"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

// Stands in for the system's handlers: records what would have been opened.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class HelpTest : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
