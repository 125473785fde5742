// The graph's copy and save commands, through the window's stand-ins for the dialog, the
// clipboard and the disk.
#include "main_window_test_support.hpp"

#include "app/about_dialog.hpp"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

namespace kelvora::test {

namespace {

class CommandTest : public QObject {
    Q_OBJECT

private slots:
    void saveUsesThePathAsChosen_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("writes");
        QTest::newRow("cancelled") << "" << 0;
        QTest::newRow("with extension") << "/tmp/graph.bmp" << 1;
        QTest::newRow("without extension") << "/tmp/graph" << 1;
        QTest::newRow("other extension") << "/tmp/graph.png" << 1;
        QTest::newRow("blank in the name") << "/tmp/my graph .bmp" << 1;
    }
    void saveUsesThePathAsChosen() {
        QFETCH(QString, chosen);
        QFETCH(int, writes);
        WindowUnderTest w;
        w.probe->saveNameToReturn = chosen;
        w.find<QAction>("mnuGraphSave")->trigger();
        QCOMPARE(w.probe->saveDialogCalls, 1);
        QCOMPARE(w.probe->saveCalls, writes);
        if (writes > 0) {
            QCOMPARE(w.probe->savedPath, chosen);
            QCOMPARE(w.probe->savedImage, w.window->graphImage());
        }
        QVERIFY(w.probe->failures.isEmpty());
        QVERIFY(w.probe->stages.empty());
    }

    void failedSaveIsReportedAndChangesNothing() {
        WindowUnderTest w;
        w.probe->saveNameToReturn = QStringLiteral("/no/such/dir/graph.bmp");
        w.probe->saveSucceeds = false;
        const QStringList outputs = OutputTexts(w);
        const QImage graph = w.window->graphImage().copy();
        w.find<QAction>("mnuGraphSave")->trigger();
        QCOMPARE(w.probe->failures.size(), 1);
        QVERIFY(w.probe->failures.front().contains(QStringLiteral("disk full")));
        QVERIFY(w.probe->failures.front().contains(QStringLiteral("/no/such/dir/graph.bmp")));
        QCOMPARE(OutputTexts(w), outputs);
        QCOMPARE(w.window->graphImage(), graph);
        QVERIFY(w.probe->stages.empty());
    }

    void copyHandsOverTheGraphImage_data() {
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("copied") << true;
        QTest::newRow("clipboard refuses") << false;
    }
    void copyHandsOverTheGraphImage() {
        QFETCH(bool, succeeds);
        WindowUnderTest w;
        // Invalid parameters: the image with the graph's message is what gets copied.
        auto* shape = w.find<QLineEdit>("Text1");
        shape->selectAll();
        QTest::keyClicks(shape, QStringLiteral("-1"));
        w.probe->copySucceeds = succeeds;
        w.find<QAction>("mnuGraphCopy")->trigger();
        QCOMPARE(w.probe->copyCalls, 1);
        QCOMPARE(w.probe->copiedImage, w.window->graphImage());
        QCOMPARE(w.probe->failures.size(), succeeds ? 0 : 1);
        if (!succeeds) {
            QVERIFY(w.probe->failures.front().contains(QStringLiteral("clipboard busy")));
        }
    }

    void aboutIsModalAndBuiltAnewEachTime() {
        WindowUnderTest w;
        w.window->show();
        QList<const QWidget*> dialogs;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&dialogs] {
            if (auto* about = qobject_cast<About*>(QApplication::activeModalWidget())) {
                dialogs.append(about);
                about->reject();
            }
        });
        closer.start(10);
        for (int i = 0; i < 2; ++i) {
            w.find<QAction>("mnuHelpAbout")->trigger();
        }
        QCOMPARE(dialogs.size(), 2);
        QVERIFY(w.window->findChildren<About*>().isEmpty());
    }
};

} // namespace

int RunCommandTests(int argc, char** argv) {
    CommandTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kelvora::test

#include "main_window_commands_test.moc"
