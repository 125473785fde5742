// The input fields' character filter, and which stages each kind of edit runs.
#include "main_window_test_support.hpp"

#include "app/input_field.hpp"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>

namespace kelvora::test {

namespace {

class InputTest : public QObject {
    Q_OBJECT

private slots:
    void typedCharactersAreFiltered_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letters") << "Text1"
                                 << "abcEe"
                                 << "";
        QTest::newRow("blank and plus") << "Text2"
                                        << " + "
                                        << "";
        QTest::newRow("mixed") << "Text4"
                               << "1a2 b.3"
                               << "12.3";
        QTest::newRow("signs and separators in any position") << "Text7"
                                                              << "-1,5.-."
                                                              << "-1,5.-.";
        QTest::newRow("shifted digit key types an asterisk") << "Text1"
                                                             << "*"
                                                             << "";
        QTest::newRow("full-width digit") << "Text4"
                                          << "１"
                                          << "";
        QTest::newRow("exponent letter") << "Text7"
                                         << "1e5"
                                         << "15";
    }
    void typedCharactersAreFiltered() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        WindowUnderTest w;
        auto* edit = Find<QLineEdit>(*w.window, field);
        edit->clear();
        for (const QChar c : typed) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(edit, char(c.unicode()));
            } else {
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), {});
            }
        }
        QCOMPARE(edit->text(), expected);
    }

    void rejectedKeyLeavesTheSelectionAlone() {
        WindowUnderTest w;
        auto* edit = w.find<QLineEdit>("Text1");
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(edit->text(), QStringLiteral("0.5"));
        QCOMPARE(edit->selectedText(), QStringLiteral("0.5"));
        QVERIFY(w.probe->stages.empty());
    }

    void pastedTextIsFiltered_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        QTest::newRow("into empty field") << "" << 0 << "1a2 b.3"
                                          << "12.3" << 4;
        QTest::newRow("in the middle") << "99" << 1 << "a5b"
                                       << "959" << 2;
        QTest::newRow("line break and tab") << "" << 0 << "1\n2\t3"
                                            << "123" << 3;
        QTest::newRow("nothing admitted") << "7" << 1 << "abc"
                                          << "7" << 1;
    }
    void pastedTextIsFiltered() {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, clipboard);
        QFETCH(QString, after);
        QFETCH(int, cursorAfter);
        WindowUnderTest w;
        auto* edit = w.find<QLineEdit>("Text4");
        edit->setText(before);
        edit->setCursorPosition(cursor);
        QApplication::clipboard()->setText(clipboard);
        w.probe->stages.clear();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), after);
        QCOMPARE(edit->cursorPosition(), cursorAfter);
        QCOMPARE(StageLetters(w.probe->stages), after == before ? QString() : QStringLiteral("CG"));
    }

    void editsRunTheirFieldsStages_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stages");
        QTest::newRow("slot 1") << "Text1"
                                << "CG";
        QTest::newRow("slot 2") << "Text2"
                                << "CG";
        QTest::newRow("slot 3") << "Text3"
                                << "CG";
        QTest::newRow("x") << "Text4"
                           << "CG";
        QTest::newRow("q: calculation only") << "Text7"
                                             << "C";
    }
    void editsRunTheirFieldsStages() {
        QFETCH(QString, field);
        QFETCH(QString, stages);
        WindowUnderTest w;
        w.chooseDistribution(int(DistributionId::Hypergeometric));
        auto* edit = Find<QLineEdit>(*w.window, field);
        const auto run = [&w](auto&& edit) {
            w.probe->stages.clear();
            edit();
            return StageLetters(w.probe->stages);
        };
        QCOMPARE(run([&] { QTest::keyClick(edit, Qt::Key_2); }), stages);
        QCOMPARE(run([&] { QTest::keyClick(edit, Qt::Key_3, Qt::KeypadModifier); }), stages);
        QCOMPARE(run([&] { QTest::keyClick(edit, Qt::Key_Backspace); }), stages);
        QCOMPARE(run([&] { QTest::keyClick(edit, Qt::Key_Home); }), QString());
        QCOMPARE(run([&] { QTest::keyClick(edit, Qt::Key_Delete); }), stages);
        QCOMPARE(run([&] { QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier); }), stages);
        QCOMPARE(run([&] {
                     edit->selectAll();
                     QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
                 }),
                 stages);
        QCOMPARE(run([&] {
                     QApplication::clipboard()->setText(QStringLiteral("4"));
                     edit->paste(); // what the context menu's Paste does
                 }),
                 stages);
        QCOMPARE(edit->text(), QStringLiteral("4"));
    }

    void editsThatChangeNothingRunNothing() {
        WindowUnderTest w;
        auto* edit = w.find<QLineEdit>("Text4");
        edit->clear();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Q);
        QTest::keyClick(edit, Qt::Key_Space);
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(w.probe->stages.empty());
    }

    void keypadDigitUpdatesTheResults() {
        WindowUnderTest w;
        auto* x = w.find<QLineEdit>("Text4");
        const QStringList before = OutputTexts(w);
        x->setText(QString());
        QTest::keyClick(x, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClick(x, Qt::Key_3, Qt::KeypadModifier);
        QCOMPARE(x->text(), QStringLiteral(".3"));
        QCOMPARE(StageLetters(w.probe->stages), QStringLiteral("CGCG"));
        if (!before.contains(QString())) {
            // With the calculation in place, the density at 0.3 differs from the one at 0.
            QVERIFY(OutputTexts(w) != before);
        }
    }

    void programSetTextsRunNothing() {
        WindowUnderTest w;
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text7"}) {
            w.find<QLineEdit>(name)->setText(QStringLiteral("3"));
        }
        QVERIFY(w.probe->stages.empty());
    }

    void qEditLeavesTheGraphAlone() {
        WindowUnderTest w;
        const QImage graph = w.window->graphImage().copy();
        auto* q = w.find<QLineEdit>("Text7");
        q->selectAll();
        QTest::keyClicks(q, QStringLiteral("0.9"));
        QCOMPARE(w.window->graphImage(), graph);
        QCOMPARE(w.window->resultSet().Q, 0.9);
    }

    void longPasteIsKeptWhole() {
        WindowUnderTest w;
        auto* x = w.find<QLineEdit>("Text4");
        const QString digits(200000, QLatin1Char('9'));
        QApplication::clipboard()->setText(digits);
        x->clear();
        QTest::keyClick(x, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(x->text().size(), digits.size());
        QCOMPARE(StageLetters(w.probe->stages), QStringLiteral("CG"));
    }
};

} // namespace

int RunInputTests(int argc, char** argv) {
    InputTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kelvora::test

#include "main_window_input_test.moc"
