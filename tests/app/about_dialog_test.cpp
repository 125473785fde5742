// The About dialog: its texts, how it closes, and its link.
#include "app/about_dialog.hpp"
#include "app/help.hpp"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

// Stands in for the web browser: records what would have been opened.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class AboutDialogTest : public QObject {
    Q_OBJECT
private slots:
    void texts() {
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

    void closesBy_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void closesBy() {
        QFETCH(int, key);
        QWidget owner;
        owner.show();
        kelvora::About about(&owner);
        QSignalSpy finished(&about, &QDialog::finished);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        // Only the button takes the focus, so every key reaches it.
        QTest::keyClick(&about, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!about.isVisible());
        QCOMPARE(finished.count(), 1);
    }

    void linkOpensTheHomePage() {
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

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
