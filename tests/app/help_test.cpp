// The HTML help: where it lies, what it covers, and the program's own help window.
#include "app/help.hpp"
#include "app/help_window.hpp"
#include "app/illustrations.hpp"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

QString HelpText() {
    QFile file(kelvora::HelpContentsUrl().toLocalFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void contentsLieBesideTheProgram();
    void coversEveryTopic_data();
    void coversEveryTopic();
    void everyPictureAndAnchorResolves();
    void systemHandlerGetsTheContents();
    void ownWindowShowsTheHelp();
    void ownWindowExplainsAMissingFile();
    void ownWindowIsReused();
    void homePageGoesToTheBrowser();
};

void HelpTest::contentsLieBesideTheProgram() {
    const QUrl url = kelvora::HelpContentsUrl();
    QVERIFY(url.isLocalFile());
    QCOMPARE(QFileInfo(url.toLocalFile()).absolutePath(),
             QDir(QCoreApplication::applicationDirPath()).filePath("help"));
    QVERIFY(QFileInfo::exists(url.toLocalFile()));
}

void HelpTest::coversEveryTopic_data() {
    QTest::addColumn<QString>("phrase");
    for (const char* name : {"贝塔分布", "二项分布", "柯西分布", "卡方分布", "指数分布", "F分布",
                             "伽马分布", "几何分布", "超几何分布", "对数分布", "正态分布",
                             "泊松分布", "瑞利分布", "T分布", "均匀分布", "威布尔分布"}) {
        QTest::newRow(name) << QString::fromUtf8(name);
    }
    for (const char* topic :
         {"N/A", "按位图复制", "保存为位图图像", "键盘", "分位数", "风险函数", "生存函数", "均值",
          "方差", "错误：非法参数。", "q 不在 [0, 1] 内", "矩不存在", "关于", "主页"}) {
        QTest::newRow(topic) << QString::fromUtf8(topic);
    }
}

void HelpTest::coversEveryTopic() {
    QFETCH(QString, phrase);
    QVERIFY2(HelpText().contains(phrase), qPrintable(phrase));
}

void HelpTest::everyPictureAndAnchorResolves() {
    const QString text = HelpText();
    const QDir helpDir = QFileInfo(kelvora::HelpContentsUrl().toLocalFile()).dir();
    int pictures = 0;
    const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    for (auto match = image.globalMatch(text); match.hasNext();) {
        const QString source = match.next().captured(1);
        QVERIFY2(!QImage(helpDir.filePath(source)).isNull(), qPrintable(source));
        ++pictures;
    }
    QVERIFY(pictures >= 34);
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    for (auto match = link.globalMatch(text); match.hasNext();) {
        const QString anchor = match.next().captured(1);
        QVERIFY2(text.contains(QStringLiteral("name=\"%1\"").arg(anchor)), qPrintable(anchor));
    }
}

void HelpTest::systemHandlerGetsTheContents() {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    QWidget owner;
    kelvora::OpenHelpContents(&owner);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(recorder.opened, QList<QUrl>{kelvora::HelpContentsUrl()});
    QVERIFY(owner.findChild<kelvora::HelpWindow*>() == nullptr);
}

void HelpTest::ownWindowShowsTheHelp() {
    QWidget owner;
    QPointer<kelvora::HelpWindow> window =
        kelvora::ShowHelpWindow(kelvora::HelpContentsUrl(), &owner);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Kelvora 帮助"));
    QCOMPARE(window->browser()->source(), kelvora::HelpContentsUrl());
    const QString shown = window->browser()->toPlainText();
    QVERIFY(shown.contains(QStringLiteral("何时显示“N/A”")));
    QVERIFY(shown.contains(QStringLiteral("威布尔分布")));
    // Following an anchor and coming back works through the window's history.
    window->browser()->setSource(QUrl(kelvora::HelpContentsUrl().toString() + "#na"));
    QVERIFY(window->browser()->isBackwardAvailable());
    QTest::keyClick(window->browser(), Qt::Key_Escape);
    QTRY_VERIFY(window.isNull()); // Escape closes it, and a closed window is deleted
}

void HelpTest::ownWindowExplainsAMissingFile() {
    QTemporaryDir dir;
    const QUrl missing = QUrl::fromLocalFile(QDir(dir.path()).filePath("help/index.html"));
    kelvora::HelpWindow window(missing);
    QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("找不到帮助文件")));
    QVERIFY(window.browser()->toPlainText().contains(missing.toLocalFile()));
}

void HelpTest::ownWindowIsReused() {
    QWidget owner;
    kelvora::HelpWindow* first = kelvora::ShowHelpWindow(kelvora::HelpContentsUrl(), &owner);
    kelvora::HelpWindow* second = kelvora::ShowHelpWindow(kelvora::HelpContentsUrl(), &owner);
    QCOMPARE(first, second);
    QCOMPARE(owner.findChildren<kelvora::HelpWindow*>().size(), 1);
}

void HelpTest::homePageGoesToTheBrowser() {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    kelvora::OpenHomePage(nullptr);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl("https://kelvora.example.org/")});
}

QTEST_MAIN(HelpTest)
#include "help_test.moc"
