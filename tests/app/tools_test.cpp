// The 工具 menu's windows and the result fields' precise readout, through the main window:
// where the menu sits, what the fields' tooltips and menus give, how the values table and the
// interval dialog follow the window and refuse bad input, and the graph's shading.
#include "app/interval_dialog.hpp"
#include "app/main_window.hpp"
#include "app/result_field.hpp"
#include "app/values_table_window.hpp"
#include "results/readout.hpp"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace kelvora;

namespace {

struct Window {
    QStringList failures;
    std::unique_ptr<MainWindow> window;

    Window() {
        MainWindowServices s;
        s.locale = QLocale::c();
        s.loadIllustration = [](DistributionId, FunctionKind) { return QImage(); };
        s.showFailure = [this](QWidget*, const QString& title, const QString& reason) {
            failures.append(title + QLatin1Char('|') + reason);
        };
        window = std::make_unique<MainWindow>(s);
    }
    template <typename T> T* find(const char* name = nullptr) const {
        return name ? window->findChild<T*>(QString::fromLatin1(name)) : window->findChild<T*>();
    }
    void choose(DistributionId id) const {
        auto* combo = find<QComboBox>("Combo1");
        combo->setCurrentIndex(int(id));
        emit combo->activated(int(id));
    }
    void trigger(const char* action) const { find<QAction>(action)->trigger(); }
};

// Replaces a field's text as the user would type it.
void Type(QWidget* field, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(field);
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QString ToolTipOf(QWidget* field) {
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field, &event);
    return field->toolTip();
}

QStringList Column(const QAbstractItemModel& model, int column) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        texts.append(model.index(row, column).data().toString());
    }
    return texts;
}

QString LabelOf(const QWidget& dialog, const QWidget* field) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() == field) {
            return label->text();
        }
    }
    return {};
}

} // namespace

class ToolsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void toolsMenuSitsBetweenFileAndHelp() {
        Window w;
        QStringList menus;
        for (const QAction* action : w.window->menuBar()->actions()) {
            menus.append(action->text());
        }
        QCOMPARE(menus, (QStringList{u"文件"_qs, u"工具"_qs, u"帮助"_qs}));
        QStringList entries;
        for (const QAction* action : w.find<QMenu>("mnuTools")->actions()) {
            entries.append(action->text());
        }
        QCOMPARE(entries, (QStringList{u"数值表…"_qs, u"区间概率…"_qs}));
    }

    // Each field's tooltip and "复制精确值" give the readout of its own value for the inputs of
    // the moment; the field keeps its four decimals and the standard menu entries.
    void resultFieldsOfferTheirPreciseReadout() {
        Window w;
        w.choose(DistributionId::Normal);
        Type(w.find<QLineEdit>("Text4"), u"1.5"_qs);
        Type(w.find<QLineEdit>("Text7"), u"0.975"_qs);
        const InputTexts inputs{u"0"_qs, u"1"_qs, QString(), u"1.5"_qs, u"0.975"_qs};
        const PreciseValues precise = CalculatePrecise(DistributionId::Normal, inputs);
        const std::pair<const char*, std::optional<double>> fields[] = {
            {"Text5", precise.density},   {"Text6", precise.cumulative},
            {"Text11", precise.survival}, {"Text12", precise.hazard},
            {"Text8", precise.quantile},  {"Text9", precise.mean},
            {"Text10", precise.variance}};
        for (const auto& [name, value] : fields) {
            auto* field = w.find<ResultField>(name);
            const QString tip = ToolTipOf(field);
            QCOMPARE(tip, PreciseText(value));
            const std::unique_ptr<QMenu> menu(field->createContextMenu());
            QAction* copy = menu->findChild<QAction*>(u"copyPreciseValue"_qs);
            QVERIFY2(copy && copy->text() == u"复制精确值"_qs, name);
            QVERIFY2(menu->actions().size() > 3, name); // the standard entries stay
            QApplication::clipboard()->clear();
            copy->trigger();
            QCOMPARE(QApplication::clipboard()->text(), tip);
        }
        QCOMPARE(ToolTipOf(w.find<QWidget>("Text6")), u"0.9331927987"_qs);
        QCOMPARE(w.find<QLineEdit>("Text6")->text(), u".9332"_qs);
        QCOMPARE(ToolTipOf(w.find<QWidget>("Text11")), u"0.06680720127"_qs);
        // Never stale: the next edit's value, at once.
        Type(w.find<QLineEdit>("Text4"), u"-5"_qs);
        QCOMPARE(ToolTipOf(w.find<QWidget>("Text6")), u"2.866515719e-07"_qs);
    }

    void valuesTableFollowsTheWindowAndRefusesBadRanges() {
        Window w;
        w.choose(DistributionId::Normal);
        w.trigger("mnuToolsTable");
        auto* table = w.find<ValuesTableWindow>();
        QVERIFY(table && table->isVisible() && !table->isModal());
        const QAbstractItemModel& model = *w.find<QTableView>("table")->model();
        auto* message = w.find<QLabel>("message");
        QCOMPARE(model.rowCount(), 21);
        QCOMPARE(model.index(0, 0).data().toString(), u"-3"_qs);
        QCOMPARE(model.index(10, 0).data().toString(), u"0"_qs);
        // Four-decimal texts as the fields show them at the same x; the switch shows the readout.
        Type(w.find<QLineEdit>("Text4"), model.index(7, 0).data().toString());
        QCOMPARE(model.index(7, 2).data().toString(), w.find<QLineEdit>("Text6")->text());
        w.find<QCheckBox>("precise")->setChecked(true);
        QCOMPARE(model.index(7, 2).data().toString(), ToolTipOf(w.find<QWidget>("Text6")));

        // A parameter edit moves the default range; a new distribution brings its own.
        Type(w.find<QLineEdit>("Text2"), u"2"_qs);
        QCOMPARE(model.index(0, 0).data().toString(), u"-6"_qs);
        Type(w.find<QLineEdit>("end"), u"5"_qs);
        w.choose(DistributionId::Poisson);
        QVERIFY(table->windowTitle().contains(u"泊松"_qs));
        QCOMPARE(Column(model, 0).first(), u"0"_qs);
        QCOMPARE(model.rowCount(), 21);                                       // 0 to 20 for λ = 10
        QCOMPARE(Column(model, 4), QStringList(model.rowCount(), QString())); // no hazard
        QVERIFY(table->tabSeparatedText().startsWith(u"x\tf\tF\tS\tH\n0\t"_qs));
        w.find<QPushButton>("copy")->click();
        QCOMPARE(QApplication::clipboard()->text(), table->tabSeparatedText());

        // Refusals: a message and no rows; the typed range then stays on parameter edits.
        const std::pair<QString, QString> refused[] = {
            {u"step"_qs, u"0"_qs}, {u"end"_qs, u"-1"_qs}, {u"step"_qs, u"0.0001"_qs}};
        const QString messages[] = {u"步长必须大于 0。"_qs, u"终点不能小于起点。"_qs,
                                    u"表格最多 10000 行：请缩小范围或加大步长。"_qs};
        for (int i = 0; i < 3; ++i) {
            w.find<QPushButton>("defaultRange")->click();
            Type(w.find<QLineEdit>(refused[i].first.toLatin1().constData()), refused[i].second);
            QCOMPARE(message->text(), messages[i]);
            QVERIFY(!message->isHidden());
            QCOMPARE(model.rowCount(), 0);
            QVERIFY(!w.find<QPushButton>("copy")->isEnabled());
        }
        w.find<QPushButton>("defaultRange")->click();
        Type(w.find<QLineEdit>("end"), u"3"_qs);
        Type(w.find<QLineEdit>("Text1"), u"10"_qs);
        QCOMPARE(model.rowCount(), 4);
        Type(w.find<QLineEdit>("Text1"), u"0"_qs);
        QCOMPARE(message->text(), u"错误：非法参数。"_qs);
        QCOMPARE(model.rowCount(), 0);
        Type(w.find<QLineEdit>("Text1"), u"3"_qs);
        QVERIFY(message->isHidden());
        QCOMPARE(model.rowCount(), 4);

        // Closed, it catches up when shown again.
        table->close();
        w.choose(DistributionId::Normal);
        w.trigger("mnuToolsTable");
        QCOMPARE(model.rowCount(), 21);
        QCOMPARE(model.index(0, 0).data().toString(), u"-3"_qs);

        // CSV through QSaveFile, as shown; a failure names the file once.
        w.find<QCheckBox>("precise")->setChecked(false);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"t.csv"_qs);
        QVERIFY(table->saveCsv(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("x,f,F,S,H\r\n-3,.0044,.0013,.9987,.0044\r\n"));
        const QString missing = dir.filePath(u"no/such/t.csv"_qs);
        QVERIFY(!table->saveCsv(missing));
        QCOMPARE(w.failures.size(), 1);
        QCOMPARE(w.failures[0].count(missing), 1);
    }

    void intervalDialogShowsTheThreeEventsAndTheCentralInterval() {
        Window w;
        w.choose(DistributionId::Normal);
        w.trigger("mnuToolsInterval");
        auto* dialog = w.find<IntervalDialog>();
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        const auto text = [&](const char* name) { return w.find<QLineEdit>(name)->text(); };
        Type(w.find<QLineEdit>("a"), u"-1"_qs);
        Type(w.find<QLineEdit>("b"), u"1"_qs);
        QCOMPARE(text("below"), u".1587"_qs);
        QCOMPARE(text("inside"), u".6827"_qs);
        QCOMPARE(text("above"), u".1587"_qs);
        QCOMPARE(ToolTipOf(w.find<QWidget>("inside")), u"0.6826894921"_qs);
        QCOMPARE(text("lower"), u"-1.9600"_qs);
        QCOMPARE(text("upper"), u"1.9600"_qs);
        QVERIFY(w.find<QWidget>("held")->isHidden());

        // a > b is refused: a message, no values, no readout.
        Type(w.find<QLineEdit>("a"), u"2"_qs);
        auto* message = w.find<QLabel>("intervalMessage");
        QCOMPARE(message->text(), u"a 不能大于 b。"_qs);
        QVERIFY(!message->isHidden());
        QCOMPARE(text("below") + text("inside") + text("above"), QString());
        QCOMPARE(ToolTipOf(w.find<QWidget>("inside")), QString());

        // A discrete distribution names the events over whole points.
        w.choose(DistributionId::Poisson);
        Type(w.find<QLineEdit>("a"), u"1.5"_qs);
        Type(w.find<QLineEdit>("b"), u"4.2"_qs);
        QStringList labels;
        for (const char* name : {"below", "inside", "above"}) {
            labels.append(LabelOf(*dialog, w.find<QWidget>(name)));
        }
        QCOMPARE(labels, (QStringList{u"P(X ≤ 1)"_qs, u"P(1 < X ≤ 4)"_qs, u"P(X > 4)"_qs}));
        QVERIFY(!w.find<QWidget>("held")->isHidden());
        QVERIFY(text("held") != QStringLiteral("N/A"));
    }

    // While the dialog is open the density tab shades (a, b]; closing it restores the graph.
    void shadingLastsWhileTheIntervalDialogIsOpen() {
        Window w;
        w.choose(DistributionId::Normal);
        const QImage plain = w.window->graphImage();
        w.trigger("mnuToolsInterval");
        auto* dialog = w.find<IntervalDialog>();
        Type(w.find<QLineEdit>("a"), u"-1"_qs);
        Type(w.find<QLineEdit>("b"), u"0.5"_qs);
        QVERIFY(w.window->graphImage() != plain);
        Type(w.find<QLineEdit>("a"), u"1"_qs); // a > b: no shading
        QCOMPARE(w.window->graphImage(), plain);
        Type(w.find<QLineEdit>("a"), u"-1"_qs);
        w.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
        const QImage cumulative = w.window->graphImage();
        w.find<QTabWidget>("TabStrip1")->setCurrentIndex(0);
        QVERIFY(w.window->graphImage() != plain);
        dialog->close();
        QCOMPARE(w.window->graphImage(), plain);
        w.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
        QCOMPARE(w.window->graphImage(), cumulative);
    }
};

QTEST_MAIN(ToolsTest)
#include "tools_test.moc"
