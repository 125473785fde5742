// The window at start-up, the parameter panel per catalogue entry, the tabs, the menus, the
// graph's popup and the focus order. Also holds the test program's main.
#include "main_window_test_support.hpp"

#include "app/input_field.hpp"
#include "app/picture_box.hpp"
#include "dist/calculate_results.hpp"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

namespace kelvora::test {

void WindowUnderTest::chooseDistribution(int index) const {
    auto* combo = find<QComboBox>("Combo1");
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QString WindowUnderTest::text(const char* field) const {
    return find<QLineEdit>(field)->text();
}

QStringList OutputTexts(const WindowUnderTest& w) {
    QStringList texts;
    for (const char* name : {"Text5", "Text6", "Text11", "Text12", "Text8", "Text9", "Text10"}) {
        texts.append(w.text(name));
    }
    return texts;
}

namespace {

// What the calculation gives for the window's current inputs, in OutputTexts order.
QStringList ExpectedOutputs(const WindowUnderTest& w) {
    const auto id = static_cast<DistributionId>(w.find<QComboBox>("Combo1")->currentIndex());
    const InputTexts inputs{w.text("Text1"), w.text("Text2"), w.text("Text3"), w.text("Text4"),
                            w.text("Text7")};
    const ResultTexts r = CalculateResults(id, inputs, QLocale::c()).texts;
    return {r.density, r.cumulative, r.survival, r.hazard, r.quantile, r.mean, r.variance};
}

// The object name of the control that has the focus (the tab strip for its tab bar).
QString FocusedControl() {
    const QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) {
        return QStringLiteral("(none)");
    }
    if (qobject_cast<const QTabBar*>(focused) != nullptr) {
        focused = focused->parentWidget();
    }
    return focused->objectName();
}

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpShowsBetaWithItsDefaults() {
        WindowUnderTest w;
        auto* combo = w.find<QComboBox>("Combo1");
        QCOMPARE(combo->count(), 16);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->currentText(), QStringLiteral("贝塔分布"));
        QCOMPARE(w.text("Text1"), QStringLiteral("0.5"));
        QCOMPARE(w.text("Text2"), QStringLiteral("0.5"));
        QCOMPARE(w.text("Text3"), QString());
        QCOMPARE(w.text("Text4"), QStringLiteral("0"));
        QCOMPARE(w.text("Text7"), QStringLiteral("0.5"));
        QCOMPARE(w.find<QLabel>("Label21")->text(), QStringLiteral("c"));
        QVERIFY(!w.find<QLabel>("Label21")->isEnabled());
        QVERIFY(!w.find<QLineEdit>("Text3")->isEnabled());
        QCOMPARE(w.find<QTabWidget>("TabStrip1")->currentIndex(), 0);
        QCOMPARE(w.find<QGroupBox>("Frame6")->title(), QStringLiteral("概率密度函数 (PDF)"));
        QCOMPARE(OutputTexts(w), ExpectedOutputs(w));
        // A value wider than its field shows its sign and leading digits.
        for (const char* name :
             {"Text5", "Text6", "Text8", "Text9", "Text10", "Text11", "Text12"}) {
            QCOMPARE(w.find<QLineEdit>(name)->cursorPosition(), 0);
        }
        QVERIFY(!w.window->graphImage().isNull());
        QCOMPARE(w.find<PictureBox>("Picture4")->image(), w.window->graphImage());
    }

    void formLoadRunsTheThreeStagesOnce() {
        WindowProbe probe;
        MainWindow window(probe.services());
        QCOMPARE(StageLetters(probe.stages), QStringLiteral("ICG"));
        QCOMPARE(probe.illustrationRequests.size(), 1);
        QCOMPARE(probe.illustrationRequests.front(),
                 qMakePair(DistributionId::Beta, FunctionKind::Pdf));
    }

    void windowFrame() {
        WindowUnderTest w;
        QCOMPARE(w.window->windowTitle(), QStringLiteral("Kelvora"));
        QCOMPARE(w.window->centralWidget()->minimumSize(), QSize(564, 400));
        const Qt::WindowFlags flags = w.window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        // The controls keep their places when the border is dragged.
        const QRect before = w.find<QGroupBox>("Frame5")->geometry();
        w.window->resize(w.window->width() + 200, w.window->height() + 100);
        QCOMPARE(w.find<QGroupBox>("Frame5")->geometry(), before);
    }

    void catalogueEntryOnThePanel_data() {
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QStringList>("slot1"); // name, constraint, text
        QTest::addColumn<QStringList>("slot2"); // name, constraint, text
        QTest::addColumn<bool>("slot2Enabled");
        QTest::addColumn<QStringList>("slot3"); // name, constraint, text
        QTest::addColumn<bool>("slot3Enabled");
        const auto s = [](const char* a, const char* b, const char* c) {
            return QStringList{QString::fromUtf8(a), QString::fromUtf8(b), QString::fromUtf8(c)};
        };
        QTest::newRow("hypergeometric enables slot 3")
            << 0 << 8 << s("M", ">0", "100") << s("K", "[0,M]", "50") << true << s("n", "<=K", "10")
            << true;
        QTest::newRow("normal after hypergeometric greys slot 3")
            << 8 << 10 << s("μ", "", "0") << s("σ", ">0", "1") << true << s("c", "", "1") << false;
        QTest::newRow("beta after hypergeometric keeps slot 3's text")
            << 8 << 0 << s("a", ">0", "0.5") << s("b", ">0", "0.5") << true << s("c", "", "10")
            << false;
        QTest::newRow("chi-square greys slot 2")
            << 0 << 3 << s("v", ">0", "1") << s("b", "", "0") << false << s("c", "", "") << false;
        QTest::newRow("rayleigh names slot 1 b and slot 2 a")
            << 0 << 12 << s("b", ">0", "1") << s("a", "", "1") << false << s("c", "", "1") << false;
        QTest::newRow("F shows no constraints")
            << 0 << 5 << s("v1", "", "1") << s("v2", "", "1") << true << s("c", "", "") << false;
        QTest::newRow("weibull greek names") << 0 << 15 << s("η", ">0", "1") << s("β", ">0", "2")
                                             << true << s("c", "", "1") << false;
        QTest::newRow("uniform") << 0 << 14 << s("a", "<b", "0") << s("b", ">a", "1") << true
                                 << s("c", "", "1") << false;
    }
    void catalogueEntryOnThePanel() {
        QFETCH(int, previous);
        QFETCH(int, chosen);
        QFETCH(QStringList, slot1);
        QFETCH(QStringList, slot2);
        QFETCH(bool, slot2Enabled);
        QFETCH(QStringList, slot3);
        QFETCH(bool, slot3Enabled);
        WindowUnderTest w;
        w.chooseDistribution(previous);
        // Typed values of the previous distribution are not kept.
        w.find<QLineEdit>("Text1")->setText(QStringLiteral("7"));
        w.find<QLineEdit>("Text4")->setText(QStringLiteral("3"));
        w.find<QLineEdit>("Text7")->setText(QStringLiteral("0.9"));
        w.chooseDistribution(chosen);

        const auto label = [&w](const char* name) { return w.find<QLabel>(name); };
        QCOMPARE((QStringList{label("Label17")->text(), label("Label18")->text(), w.text("Text1")}),
                 slot1);
        QCOMPARE((QStringList{label("Label19")->text(), label("Label20")->text(), w.text("Text2")}),
                 slot2);
        QCOMPARE((QStringList{label("Label21")->text(), label("Label12")->text(), w.text("Text3")}),
                 slot3);
        QCOMPARE(label("Label19")->isEnabled(), slot2Enabled);
        QCOMPARE(label("Label20")->isEnabled(), slot2Enabled);
        QCOMPARE(w.find<QLineEdit>("Text2")->isEnabled(), slot2Enabled);
        QCOMPARE(label("Label21")->isEnabled(), slot3Enabled);
        QCOMPARE(w.find<QLineEdit>("Text3")->isEnabled(), slot3Enabled);
        // Never greyed.
        QVERIFY(label("Label12")->isEnabled());
        QVERIFY(label("Label17")->isEnabled());
        QVERIFY(label("Label18")->isEnabled());
        QVERIFY(w.find<QLineEdit>("Text1")->isEnabled());

        QCOMPARE(w.text("Text4"), QStringLiteral("0"));
        QCOMPARE(w.text("Text7"), QStringLiteral("0.5"));
        QCOMPARE(OutputTexts(w), ExpectedOutputs(w));
        QCOMPARE(w.find<QLineEdit>("Text1")->accessibleName(),
                 QStringLiteral("参数 ") + slot1.front());
    }

    void selectorEntriesAreTheCatalogueTexts() {
        WindowUnderTest w;
        const DistributionCatalogue catalogue;
        auto* combo = w.find<QComboBox>("Combo1");
        for (int i = 0; i < combo->count(); ++i) {
            QCOMPARE(combo->itemText(i), catalogue.entry(DistributionId(i)).selectorText);
            QCOMPARE(catalogue.findBySelectorText(combo->itemText(i)), DistributionId(i));
        }
        QCOMPARE(catalogue.findBySelectorText(QStringLiteral("贝塔")), std::nullopt);
        QCOMPARE(catalogue.findBySelectorText(QStringLiteral("F 分布")), std::nullopt);
    }

    void keyboardChoiceInTheSelectorRunsCombo1Click() {
        WindowUnderTest w;
        w.find<QLineEdit>("Text4")->setText(QStringLiteral("0.3"));
        QTest::keyClick(w.find<QComboBox>("Combo1"), Qt::Key_Down);
        QCOMPARE(w.find<QComboBox>("Combo1")->currentText(), QStringLiteral("二项分布"));
        QCOMPARE(w.text("Text1"), QStringLiteral("10"));
        QCOMPARE(w.text("Text4"), QStringLiteral("0"));
        QCOMPARE(StageLetters(w.probe->stages), QStringLiteral("ICG"));

        // Choosing the entry already shown resets the panel all the same.
        QTest::keyClicks(w.find<QLineEdit>("Text1"), QStringLiteral("5"));
        w.probe->stages.clear();
        w.chooseDistribution(int(DistributionId::Binomial));
        QCOMPARE(w.text("Text1"), QStringLiteral("10"));
        QCOMPARE(StageLetters(w.probe->stages), QStringLiteral("ICG"));
    }

    void tabChoiceSetsTheFrameCaption_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("kind");
        QTest::newRow("cumulative") << 1 << "累加分布函数(CDF)" << int(FunctionKind::Cdf);
        QTest::newRow("survival") << 2 << "生存函数" << int(FunctionKind::Survival);
        QTest::newRow("hazard") << 3 << "风险函数" << int(FunctionKind::Hazard);
    }
    void tabChoiceSetsTheFrameCaption() {
        QFETCH(int, tab);
        QFETCH(QString, caption);
        QFETCH(int, kind);
        WindowUnderTest w;
        auto* tabs = w.find<QTabWidget>("TabStrip1");
        const QStringList outputs = OutputTexts(w);
        tabs->setCurrentIndex(tab);
        QCOMPARE(w.find<QGroupBox>("Frame6")->title(), caption);
        QCOMPARE(StageLetters(w.probe->stages), QStringLiteral("IG"));
        QCOMPARE(w.probe->illustrationRequests.back(),
                 qMakePair(DistributionId::Beta, FunctionKind(kind)));
        QCOMPARE(OutputTexts(w), outputs);

        // Back on the first tab, the caption has no blank before the parenthesis.
        tabs->setCurrentIndex(0);
        QCOMPARE(w.find<QGroupBox>("Frame6")->title(), QStringLiteral("概率密度函数(PDF)"));
    }

    void illustrationIsShownUnscaled() {
        WindowUnderTest w;
        w.chooseDistribution(int(DistributionId::Poisson));
        const QImage shown = w.find<PictureBox>("Picture3")->image();
        QCOMPARE(shown.size(), QSize(4, 4));
        QCOMPARE(shown.pixelColor(0, 0), QColor(int(DistributionId::Poisson), 0, 0));
    }

    void rightButtonOverTheGraphOpensItsPopup() {
        WindowUnderTest w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        auto* menu = w.find<QMenu>("mnuGraph");
        auto* graph = w.find<PictureBox>("Picture4");

        QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseClick(graph, Qt::MiddleButton, {}, QPoint(50, 50));
        QTest::mouseClick(w.find<PictureBox>("Picture3"), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(!menu->isVisible());

        QTest::mousePress(graph, Qt::RightButton, {}, QPoint(50, 50));
        QTRY_VERIFY(menu->isVisible());
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            entries.append(action->objectName() + QLatin1Char(':') + action->text());
        }
        QCOMPARE(entries, (QStringList{QStringLiteral("mnuGraphCopy:按位图复制"),
                                       QStringLiteral("mnuGraphSave:保存为位图图像")}));
        menu->close();
        QVERIFY(w.probe->stages.empty());

        // The keyboard's menu key (Qt turns it into a keyboard context-menu request) opens it
        // too; a mouse-made request is ignored, as the button press already opened it.
        QContextMenuEvent byMouse(QContextMenuEvent::Mouse, QPoint(5, 5),
                                  graph->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(graph, &byMouse);
        QVERIFY(!menu->isVisible());
        QContextMenuEvent byKeyboard(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                     graph->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(graph, &byKeyboard);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
    }

    void exitClosesTheWindow() {
        WindowUnderTest w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        w.find<QAction>("mnuFileExit")->trigger();
        QVERIFY(!w.window->isVisible());
    }

    void focusOrder_data() {
        QTest::addColumn<int>("distribution");
        QTest::addColumn<QStringList>("order");
        const QStringList all{"Combo1",   "Text1",    "Text2",  "Text3",  "Text4",  "Text5",
                              "Text6",    "Text7",    "Text8",  "Text9",  "Text10", "TabStrip1",
                              "Picture3", "Picture4", "Text11", "Text12", "Combo1"};
        QStringList withoutSlot3 = all;
        withoutSlot3.removeAll(QStringLiteral("Text3"));
        QStringList withoutSlots23 = withoutSlot3;
        withoutSlots23.removeAll(QStringLiteral("Text2"));
        QTest::newRow("hypergeometric: every field") << int(DistributionId::Hypergeometric) << all;
        QTest::newRow("beta: slot 3 skipped") << int(DistributionId::Beta) << withoutSlot3;
        QTest::newRow("chi-square: slots 2 and 3 skipped")
            << int(DistributionId::ChiSquare) << withoutSlots23;
    }
    void focusOrder() {
        QFETCH(int, distribution);
        QFETCH(QStringList, order);
        WindowUnderTest w;
        w.chooseDistribution(distribution);
        w.window->show();
        w.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        w.find<QComboBox>("Combo1")->setFocus(Qt::TabFocusReason);
        QStringList visited{FocusedControl()};
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(FocusedControl());
        }
        QCOMPARE(visited, order);
    }

    void everyCaptionFitsItsLabel() {
        WindowUnderTest w;
        auto* tabs = w.find<QTabWidget>("TabStrip1");
        QVERIFY(tabs->tabBar()->sizeHint().width() <= tabs->width());
        for (int id = 0; id < kDistributionCount; ++id) {
            w.chooseDistribution(id);
            for (const QLabel* label : w.window->centralWidget()->findChildren<QLabel*>()) {
                const int needed = label->fontMetrics().horizontalAdvance(label->text());
                QVERIFY2(needed <= label->contentsRect().width(),
                         qPrintable(QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                                        .arg(label->objectName(), label->text())
                                        .arg(needed)
                                        .arg(label->contentsRect().width())));
            }
        }
    }

    void outputFieldsCannotBeEdited() {
        WindowUnderTest w;
        auto* density = w.find<QLineEdit>("Text5");
        const QString before = density->text();
        QTest::keyClicks(density, QStringLiteral("12"));
        QTest::keyClick(density, Qt::Key_Backspace);
        QCOMPARE(density->text(), before);
        QVERIFY(w.probe->stages.empty());
    }
};

} // namespace

int RunWindowTests(int argc, char** argv) {
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kelvora::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Results and labels must not depend on the machine's regional settings.
    qputenv("LC_ALL", "C");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    int failures = 0;
    failures += kelvora::test::RunWindowTests(argc, argv);
    failures += kelvora::test::RunInputTests(argc, argv);
    failures += kelvora::test::RunCommandTests(argc, argv);
    return failures;
}

#include "main_window_test.moc"
