// The About dialog: its controls, its look and how it closes.
#include "app/about_dialog.hpp"
#include "app/help.hpp"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

// Stands in for the web browser: records what would have been opened.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT
private slots:
    void controlsHaveTheirNamesTextsAndPlaces_data();
    void controlsHaveTheirNamesTextsAndPlaces();
    void windowIsFixedWhiteAndTitled();
    void fontsFollowTheDesign();
    void onlyTheButtonTakesFocus();
    void closesBy_data();
    void closesBy();
    void isModalAndCentredOverOwner();
    void linkOpensTheHomePage();
};

void AboutDialogTest::controlsHaveTheirNamesTextsAndPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("lblTitle") << "lblTitle"
                              << "Kelvora" << QPoint(24, 16);
    QTest::newRow("Label2") << "Label2" << QStringLiteral("版本 2.1") << QPoint(200, 44);
    QTest::newRow("Label1") << "Label1" << QString::fromLatin1(kelvora::kHomePage) << QPoint(4, 76);
}

void AboutDialogTest::controlsHaveTheirNamesTextsAndPlaces() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QPoint, topLeft);
    kelvora::About about;
    auto* label = about.findChild<QLabel*>(name);
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->pos(), topLeft);
    // Every caption shows whole.
    QVERIFY(label->width() >= label->sizeHint().width());
    QVERIFY(about.rect().contains(label->geometry()));
}

void AboutDialogTest::windowIsFixedWhiteAndTitled() {
    kelvora::About about;
    QCOMPARE(about.objectName(), QStringLiteral("About"));
    QCOMPARE(about.windowTitle(), QStringLiteral("关于 Kelvora"));
    QCOMPARE(about.size(), QSize(296, 118));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(about.palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);

    auto* line = about.findChild<QFrame*>("Line1");
    QVERIFY(line != nullptr);
    QCOMPARE(line->geometry(), QRect(4, 68, 287, 1));
    QCOMPARE(line->palette().color(QPalette::Window), QColor(128, 128, 128));

    auto* ok = about.findChild<QPushButton*>("cmdOK");
    QVERIFY(ok != nullptr);
    QCOMPARE(ok->text(), QStringLiteral("确  定"));
    QCOMPARE(ok->geometry(), QRect(196, 84, 84, 23));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->palette().color(QPalette::Button), QColor(Qt::white));
}

void AboutDialogTest::fontsFollowTheDesign() {
    kelvora::About about;
    const QFont title = about.findChild<QLabel*>("lblTitle")->font();
    QVERIFY(title.bold());
    QCOMPARE(title.pointSizeF(), 15.75);
    QCOMPARE(title.styleHint(), QFont::Serif);
    QCOMPARE(about.findChild<QLabel*>("Label2")->font().pointSizeF(), 9.0);
    auto* link = about.findChild<QLabel*>("Label1");
    QVERIFY(link->font().underline());
    QCOMPARE(link->font().pointSizeF(), 8.25);
    QCOMPARE(link->palette().color(QPalette::WindowText),
             about.palette().color(QPalette::Highlight));
}

void AboutDialogTest::onlyTheButtonTakesFocus() {
    QWidget owner;
    owner.show();
    kelvora::About about(&owner);
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    const QList<QWidget*> children = about.findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->objectName() != QLatin1String("cmdOK")) {
            QCOMPARE(child->focusPolicy(), Qt::NoFocus);
        }
    }
    QCOMPARE(QApplication::focusWidget(), about.findChild<QPushButton*>("cmdOK"));
    QTest::keyClick(&about, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), about.findChild<QPushButton*>("cmdOK"));
}

void AboutDialogTest::closesBy_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("Enter") << "Enter";
    QTest::newRow("Return") << "Return";
    QTest::newRow("Space") << "Space";
    QTest::newRow("click") << "click";
    QTest::newRow("close box") << "close";
}

void AboutDialogTest::closesBy() {
    QFETCH(QString, how);
    QWidget owner;
    owner.show();
    kelvora::About about(&owner);
    QSignalSpy finished(&about, &QDialog::finished);
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    auto* ok = about.findChild<QPushButton*>("cmdOK");
    if (how == "Escape") {
        QTest::keyClick(&about, Qt::Key_Escape);
    } else if (how == "Enter") {
        QTest::keyClick(ok, Qt::Key_Enter);
    } else if (how == "Return") {
        QTest::keyClick(ok, Qt::Key_Return);
    } else if (how == "Space") {
        QTest::keyClick(ok, Qt::Key_Space);
    } else if (how == "click") {
        QTest::mouseClick(ok, Qt::LeftButton);
    } else {
        QVERIFY(about.close());
    }
    QVERIFY(!about.isVisible());
    QCOMPARE(finished.count(), 1);
}

void AboutDialogTest::isModalAndCentredOverOwner() {
    QWidget owner;
    owner.setGeometry(100, 120, 564, 400);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    kelvora::About about(&owner);
    QTimer::singleShot(0, &about, [&] {
        QVERIFY(about.isVisible());
        QCOMPARE(QApplication::activeModalWidget(), &about);
        const QPoint offset = about.frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QString("offset %1,%2").arg(offset.x()).arg(offset.y())));
        QTest::keyClick(&about, Qt::Key_Escape);
    });
    // Returns once Escape has closed it: a dialog that did not close would fail by timeout.
    QCOMPARE(about.exec(), int(QDialog::Rejected));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void AboutDialogTest::linkOpensTheHomePage() {
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
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl(QString::fromLatin1(kelvora::kHomePage))});
    QVERIFY(about.isVisible());
}

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
