// The main window through stand-ins for its dialogs, clipboard and disk: start-up, the
// parameter panel per catalogue entry, which stages each edit runs, the graph's popup and
// commands, and the focus order. Then the real files and clipboard behind the commands.
#include "app/graph_export.hpp"
#include "app/main_window.hpp"
#include "app/picture_box.hpp"
#include "results/calculate_results.hpp"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace kelvora;
using namespace Qt::StringLiterals;

namespace {

// A window whose services record what it asked of them. Stages are recorded as letters in
// order of running: I(llustration), C(alculation), G(raph); the record starts after Form_Load.
struct Window {
    QString stages;
    QList<QPair<DistributionId, FunctionKind>> pictures;
    QString saveName;
    int saveFilter = 0;  // index into the dialog's filters
    bool toDisk = false; // the real SaveGraphFile behind the save command
    QStringList saved;
    QList<GraphFileFormat> formats;
    QList<QImage> images; // saved or copied
    bool succeeds = true;
    QStringList failures;
    std::unique_ptr<MainWindow> window;

    Window() {
        MainWindowServices s;
        s.locale = QLocale::c();
        s.loadIllustration = [this](DistributionId id, FunctionKind kind) {
            pictures.append({id, kind});
            return QImage(4, 4, QImage::Format_RGB32);
        };
        s.askSaveFileName = [this](QWidget*, QString* filter) {
            *filter = GraphSaveFilters().split(u";;"_s).at(saveFilter);
            return saveName;
        };
        s.saveGraph = [this](const QImage& image, const GraphRedraw& redraw, GraphFileFormat format,
                             const QString& path, QString* error) {
            saved.append(path);
            formats.append(format);
            images.append(image);
            if (toDisk) {
                return SaveGraphFile(image, redraw, format, path, error);
            }
            *error = QStringLiteral("disk full");
            return succeeds;
        };
        s.copyToClipboard = [this](const QImage& image, QString* error) {
            images.append(image);
            *error = QStringLiteral("clipboard busy");
            return succeeds;
        };
        s.showFailure = [this](QWidget*, const QString& title, const QString& reason) {
            failures.append(title + QLatin1Char('|') + reason);
        };
        s.stageObserver = [this](Stage stage) { stages += QLatin1Char("ICG"[int(stage)]); };
        window = std::make_unique<MainWindow>(s);
        QCOMPARE(stages, QStringLiteral("ICG"));
        QCOMPARE(pictures, (QList<QPair<DistributionId, FunctionKind>>{
                               {DistributionId::Beta, FunctionKind::Pdf}}));
        stages.clear();
    }
    template <typename T> T* find(const char* name) const { return window->findChild<T*>(name); }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    QString text(const char* name) const { return edit(name)->text(); }
    // Picks an entry as the user does: the selector reports the activation.
    void choose(int index) const {
        auto* combo = find<QComboBox>("Combo1");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QString run(const std::function<void()>& action) {
        stages.clear();
        action();
        return stages;
    }
    QStringList outputs() const {
        QStringList texts;
        for (const char* name :
             {"Text5", "Text6", "Text11", "Text12", "Text8", "Text9", "Text10"}) {
            texts.append(text(name));
        }
        return texts;
    }
    // What the calculation gives for the current inputs, in outputs() order.
    QStringList expectedOutputs() const {
        const auto id = DistributionId(find<QComboBox>("Combo1")->currentIndex());
        const ResultTexts r =
            CalculateResults(
                id, {text("Text1"), text("Text2"), text("Text3"), text("Text4"), text("Text7")},
                QLocale::c())
                .texts;
        return {r.density, r.cumulative, r.survival, r.hazard, r.quantile, r.mean, r.variance};
    }
};

// A graph-sized picture with a distinct colour in two corners, to check pixel order.
QImage SampleGraph() {
    QImage image(385, 213, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(384, 212, qRgb(0, 128, 0));
    return image;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

template <typename T> T At(const QByteArray& bytes, int at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Results and labels must not depend on the machine's regional settings.
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void startUp() {
        Window w;
        auto* combo = w.find<QComboBox>("Combo1");
        QCOMPARE(combo->count(), 16);
        QCOMPARE(combo->currentText(), QStringLiteral("贝塔分布"));
        QCOMPARE((QStringList{w.text("Text1"), w.text("Text2"), w.text("Text3"), w.text("Text4"),
                              w.text("Text7")}),
                 (QStringList{"0.5", "0.5", "", "0", "0.5"}));
        QVERIFY(!w.find<QLabel>("Label21")->isEnabled());
        QVERIFY(!w.edit("Text3")->isEnabled());
        QCOMPARE(w.find<QTabWidget>("TabStrip1")->currentIndex(), 0);
        QCOMPARE(w.find<QGroupBox>("Frame6")->title(), QStringLiteral("概率密度函数 (PDF)"));
        QCOMPARE(w.outputs(), w.expectedOutputs());
        QVERIFY(!w.window->graphImage().isNull());
        QCOMPARE(w.find<PictureBox>("Picture4")->image(), w.window->graphImage());
    }

    void catalogueEntry_data() {
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("chosen");
        // Slots 1 to 3 as name, constraint, text; then whether slots 2 and 3 are enabled.
        QTest::addColumn<QStringList>("panel");
        // Every entry's captions, defaults and enabled fields, from tests/data.
        QFile file(QStringLiteral(KELVORA_CATALOGUE_PANEL));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const QStringList f = line.split(u'\t');
            if (f.size() == 14 && !line.startsWith(u'#')) {
                QTest::newRow(qPrintable(f[0])) << f[1].toInt() << f[2].toInt() << f.mid(3);
            }
        }
    }
    void catalogueEntry() {
        QFETCH(int, previous);
        QFETCH(int, chosen);
        QFETCH(QStringList, panel);
        Window w;
        w.choose(previous);
        // Typed values of the previous distribution are not kept.
        for (const char* name : {"Text1", "Text4", "Text7"}) {
            w.edit(name)->setText(QStringLiteral("0.9"));
        }
        QCOMPARE(w.run([&] { w.choose(chosen); }), QStringLiteral("ICG"));
        QStringList shown; // "_" for an empty text
        for (const char* name : {"Label17", "Label18", "Text1", "Label19", "Label20", "Text2",
                                 "Label21", "Label12", "Text3"}) {
            auto* label = w.window->findChild<QLabel*>(name);
            const QString text = label != nullptr ? label->text() : w.text(name);
            shown.append(text.isEmpty() ? u"_"_s : text);
        }
        for (const char* name : {"Text2", "Text3"}) {
            shown.append(QString::number(int(w.edit(name)->isEnabled())));
        }
        QCOMPARE(shown, panel);
        // Slot 2's name and constraint captions are greyed with its field; slot 3's constraint,
        // empty whenever the slot is unused, stays as it is.
        for (const char* name : {"Label19", "Label20"}) {
            QCOMPARE(w.find<QLabel>(name)->isEnabled(), w.edit("Text2")->isEnabled());
        }
        QCOMPARE(w.find<QLabel>("Label21")->isEnabled(), w.edit("Text3")->isEnabled());
        QVERIFY(w.edit("Text1")->isEnabled());
        QCOMPARE(w.text("Text4"), QStringLiteral("0"));
        QCOMPARE(w.text("Text7"), QStringLiteral("0.5"));
        QCOMPARE(w.outputs(), w.expectedOutputs());
    }

    void characterFilter_data() {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");
        QTest::newRow("letters, blank and plus") << false << u"9"_s << u"abcEe +*"_s << u"9"_s;
        QTest::newRow("mixed") << false << u""_s << u"1a2 b.3"_s << u"12.3"_s;
        QTest::newRow("full-width digit") << false << u""_s << u"１"_s << u""_s;
        QTest::newRow("pasted in the middle") << true << u"99"_s << u"a5b\n"_s << u"959"_s;
        QTest::newRow("nothing pasted") << true << u"77"_s << u"abc"_s << u"77"_s;
    }
    void characterFilter() {
        QFETCH(bool, paste);
        QFETCH(QString, before);
        QFETCH(QString, input);
        QFETCH(QString, after);
        Window w;
        auto* edit = w.edit("Text4");
        edit->setText(before);
        edit->setCursorPosition(1);
        QApplication::clipboard()->setText(input);
        const QString stages = w.run([&] {
            if (paste) {
                QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            }
            for (const QChar c : paste ? QString() : input) {
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), {});
            }
        });
        QCOMPARE(edit->text(), after);
        // A paste is one edit: filtered whole, cursor after what was admitted.
        QCOMPARE(stages, after == before ? QString() : (paste ? u"CG"_s : stages));
        QVERIFY(!paste || edit->cursorPosition() == (after == before ? 1 : 2));
    }

    void editsRunTheirStages_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stages");
        QTest::newRow("slot 1") << u"Text1"_s << u"CG"_s;
        QTest::newRow("slot 3") << u"Text3"_s << u"CG"_s;
        QTest::newRow("x") << u"Text4"_s << u"CG"_s;
        QTest::newRow("q: calculation only") << u"Text7"_s << u"C"_s;
    }
    void editsRunTheirStages() {
        QFETCH(QString, field);
        QFETCH(QString, stages);
        Window w;
        w.choose(int(DistributionId::Hypergeometric));
        auto* edit = w.edit(field.toLatin1().constData());
        const QImage graph = w.window->graphImage().copy();
        QCOMPARE(w.run([&] { QTest::keyClick(edit, Qt::Key_2); }), stages);
        QCOMPARE(w.run([&] { QTest::keyClick(edit, Qt::Key_3, Qt::KeypadModifier); }), stages);
        QCOMPARE(w.run([&] { QTest::keyClick(edit, Qt::Key_Backspace); }), stages);
        QCOMPARE(w.run([&] { QTest::keyClick(edit, Qt::Key_Home); }), QString());
        QCOMPARE(w.run([&] { QTest::keyClick(edit, Qt::Key_Delete); }), stages);
        QCOMPARE(w.run([&] { QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier); }), stages);
        QCOMPARE(w.run([&] {
            QApplication::clipboard()->setText(QStringLiteral("4"));
            edit->selectAll();
            edit->paste(); // what the context menu's Paste does
        }),
                 stages);
        QCOMPARE(edit->text(), QStringLiteral("4"));
        QCOMPARE(w.outputs(), w.expectedOutputs());
        QVERIFY(stages != u"C"_s || w.window->graphImage() == graph);
    }

    void tabChoiceSetsTheCaption_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tabText");
        QTest::newRow("pdf, no blank on return")
            << 0 << u"概率密度函数(PDF)"_s << u"概率密度函数"_s;
        QTest::newRow("cumulative") << 1 << u"累加分布函数(CDF)"_s << u"累加分布函数"_s;
        QTest::newRow("survival") << 2 << u"生存函数"_s << u"生存函数"_s;
        QTest::newRow("hazard") << 3 << u"风险函数"_s << u"风险函数"_s;
    }
    void tabChoiceSetsTheCaption() {
        QFETCH(int, tab);
        QFETCH(QString, caption);
        QFETCH(QString, tabText);
        Window w;
        auto* tabs = w.find<QTabWidget>("TabStrip1");
        QCOMPARE(tabs->tabText(tab), tabText);
        const QStringList outputs = w.outputs();
        tabs->setCurrentIndex(tab == 0 ? 1 : tab);
        tabs->setCurrentIndex(tab);
        QCOMPARE(w.find<QGroupBox>("Frame6")->title(), caption);
        QCOMPARE(w.stages, tab == 0 ? QStringLiteral("IGIG") : QStringLiteral("IG"));
        QCOMPARE(w.pictures.back(), qMakePair(DistributionId::Beta, FunctionKind(tab)));
        QCOMPARE(w.outputs(), outputs);
    }

    void rightButtonOverTheGraphOpensItsPopup() {
        Window w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        auto* menu = w.find<QMenu>("mnuGraph");
        auto* graph = w.find<PictureBox>("Picture4");
        QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(50, 50));
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
        QVERIFY(w.stages.isEmpty());
    }

    void graphCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("save cancelled") << u"mnuGraphSave"_s << u""_s << true;
        QTest::newRow("save without extension") << u"mnuGraphSave"_s << u"/tmp/my graph"_s << true;
        QTest::newRow("save other extension") << u"mnuGraphSave"_s << u"/tmp/graph.png"_s << true;
        QTest::newRow("save fails") << u"mnuGraphSave"_s << u"/no/such/graph.bmp"_s << false;
        QTest::newRow("copy") << u"mnuGraphCopy"_s << u""_s << true;
        QTest::newRow("copy refused") << u"mnuGraphCopy"_s << u""_s << false;
    }
    void graphCommands() {
        QFETCH(QString, command);
        QFETCH(QString, chosen);
        QFETCH(bool, succeeds);
        Window w;
        // Invalid parameters: the image with the graph's message is what gets handed over.
        w.edit("Text1")->selectAll();
        QTest::keyClicks(w.edit("Text1"), u"-1"_s);
        w.saveName = chosen;
        w.succeeds = succeeds;
        const QStringList outputs = w.outputs();
        w.stages.clear();
        w.window->findChild<QAction*>(command)->trigger();
        const bool save = command == u"mnuGraphSave"_s;
        const bool cancelled = save && chosen.isEmpty();
        QCOMPARE(w.saved, save && !cancelled ? QStringList{chosen} : QStringList());
        QCOMPARE(w.images, cancelled ? QList<QImage>() : QList<QImage>{w.window->graphImage()});
        QCOMPARE(w.failures.size(), succeeds ? 0 : 1);
        QVERIFY(succeeds ||
                w.failures.front().contains(save ? u"disk full"_s : u"clipboard busy"_s));
        QVERIFY(succeeds || !save || w.failures.front().count(chosen) == 1);
        QCOMPARE(w.outputs(), outputs);
        QVERIFY(w.stages.isEmpty());
    }

    // The typed extension decides the format, else the filter; only the BMP filter keeps a
    // name without an extension exactly as typed.
    void saveChoosesTheFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("bmp filter, no extension") << u"my graph"_s << 0 << u"my graph"_s << "BM"_ba;
        QTest::newRow("bmp filter, Chinese name")
            << u"正态 分布 图"_s << 0 << u"正态 分布 图"_s << "BM"_ba;
        QTest::newRow("bmp filter, typed png") << u"g.png"_s << 0 << u"g.png"_s << "\x89PNG"_ba;
        QTest::newRow("svg filter, no extension") << u"g"_s << 2 << u"g.svg"_s << "<?xml"_ba;
        QTest::newRow("png filter, typed PDF") << u"g.PDF"_s << 1 << u"g.PDF"_s << "%PDF"_ba;
        QTest::newRow("pdf filter, other extension") << u"g.v2"_s << 3 << u"g.v2"_s << "%PDF"_ba;
    }
    void saveChoosesTheFormat() {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(QString, written);
        QFETCH(QByteArray, magic);
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(written);
        QVERIFY(WriteFile(path, QByteArray(100000, 'x'))); // replaced without a question
        Window w;
        w.toDisk = true;
        w.saveName = QDir(dir.path()).filePath(name);
        w.saveFilter = filter;
        w.find<QAction>("mnuGraphSave")->trigger();
        QCOMPARE(w.failures, QStringList());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{written});
        const QByteArray bytes = ReadAll(path);
        QVERIFY2(bytes.startsWith(magic), bytes.left(8).constData());
        if (magic == "BM") {
            // The graph image unchanged, as an uncompressed 24-bit bitmap.
            QCOMPARE(At<quint16>(bytes, 28), quint16(24));
            QCOMPARE(At<quint32>(bytes, 30), 0u);
            QCOMPARE(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32),
                     w.window->graphImage().convertToFormat(QImage::Format_RGB32));
        }
    }

    void failureLeavesTheOldFileAndReports_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("folderMode"); // of out/, which holds old.bmp
        QTest::addColumn<int>("fileMode");   // of out/old.bmp
        QTest::newRow("missing folder") << u"no such folder/graph.bmp"_s << 0755 << 0644;
        QTest::newRow("target is a folder") << u"out"_s << 0755 << 0644;
        QTest::newRow("target is a pipe") << u"pipe"_s << 0755 << 0644;
        QTest::newRow("read-only folder") << u"out/old.bmp"_s << 0555 << 0666;
        QTest::newRow("read-only file") << u"out/old.bmp"_s << 0777 << 0444;
    }
    void failureLeavesTheOldFileAndReports() {
        QFETCH(QString, target);
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QTemporaryDir dir;
        const QDir root(dir.path());
        const auto path = [&root](const QString& name) {
            return QFile::encodeName(root.filePath(name));
        };
        QVERIFY(root.mkdir("out") && WriteFile(root.filePath("out/old.bmp"), "old"));
        QVERIFY(mkfifo(path("pipe").constData(), 0644) == 0);
        // Open to everyone so that the ordinary user below can reach the folder at all.
        QVERIFY(chmod(path(".").constData(), 0755) == 0);
        QVERIFY(chmod(path("out/old.bmp").constData(), mode_t(fileMode)) == 0);
        QVERIFY(chmod(path("out").constData(), mode_t(folderMode)) == 0);
        const auto entries = [&root] {
            const auto all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
            return root.entryList(all) + QDir(root.filePath("out")).entryList(all);
        };
        const QStringList before = entries();
        const QString full = root.filePath(target);
        Window w;
        w.toDisk = true;
        w.saveName = full;
        const GraphRedraw redraw = [](QPaintDevice& device) {
            QPainter(&device).fillRect(0, 0, 10, 10, Qt::blue);
        };
        // Permissions do not bind root: save as nobody; the real id stays root to switch back.
        const bool asRoot = geteuid() == 0;
        if (asRoot && seteuid(65534) != 0) {
            QSKIP("cannot leave the root account to test permissions");
        }
        // Every format fails alike; the window's message names the file once, with the reason.
        QStringList errors;
        for (const auto format :
             {GraphFileFormat::Png, GraphFileFormat::Svg, GraphFileFormat::Pdf}) {
            QString error;
            errors.append(SaveGraphFile(SampleGraph(), redraw, format, full, &error) ? u""_s
                                                                                     : error);
        }
        w.find<QAction>("mnuGraphSave")->trigger();
        QVERIFY(!asRoot || seteuid(0) == 0);
        QVERIFY(chmod(path("out").constData(), 0755) == 0);
        QVERIFY(!errors.contains(QString()));
        QCOMPARE(w.failures.size(), 1);
        QCOMPARE(w.failures.front().count(QDir::toNativeSeparators(full)), 1);
        QVERIFY(!w.failures.front().endsWith(u'|'));
        QCOMPARE(entries(), before);
        QCOMPARE(ReadAll(root.filePath("out/old.bmp")), QByteArray("old"));
    }

    // The graph's panel is white around the graph and the formula, as the layout says; the
    // other frames keep the style's own look.
    void graphPanelIsWhite() {
        Window w;
        const QImage panel = w.find<QGroupBox>("Frame6")->grab().toImage();
        for (const QPoint at : {QPoint(4, 60), QPoint(200, 312), QPoint(396, 200)}) {
            QCOMPARE(panel.pixelColor(at), QColor(Qt::white));
        }
    }

    void copyPutsOnlyTheImageOnTheClipboard() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("kept"));
        QString error;
        QVERIFY(!kelvora::CopyGraphToClipboard(QImage(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(clipboard->text(), QStringLiteral("kept"));

        const QImage graph = SampleGraph();
        QVERIFY2(kelvora::CopyGraphToClipboard(graph, &error), qPrintable(error));
        QVERIFY(!clipboard->mimeData()->hasText());
        QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32),
                 graph.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
