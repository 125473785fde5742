// Building the window: actions, menus, the controls at their fixed places, the connections
// and the focus order. Positions are pixels at 96 dpi relative to the control's container.
#include "app/input_field.hpp"
#include "app/main_window.hpp"
#include "app/picture_box.hpp"
#include "app/result_field.hpp"
#include "app/window_font.hpp"
#include "render/graph_renderer.hpp"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace kelvora {

namespace {

constexpr int kClientWidth = 564;
constexpr int kClientHeight = 400;

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                  int width, int height) {
    return Place(new QLabel(caption, parent), name, left, top, width, height);
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height) {
    return Place(new QGroupBox(caption, parent), name, left, top, width, height);
}

InputField* MakeInputField(QWidget* parent, const char* name, int left, int top, int width,
                           int height) {
    return Place(new InputField(parent), name, left, top, width, height);
}

// Selectable and copyable, never editable, on the button face like a control's surface.
ResultField* MakeOutputField(QWidget* parent, const char* name, int left, int top, int width,
                             int height) {
    auto* field = Place(new ResultField(parent), name, left, top, width, height);
    QPalette palette = field->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Button));
    }
    field->setPalette(palette);
    return field;
}

// The field's accessible name is its frame's caption and its label's, so that a screen reader
// tells "函数值 x" from "q-分位数 x".
void NameFromLabel(QWidget* field, const QGroupBox* frame, QLabel* label) {
    label->setBuddy(field);
    field->setAccessibleName(frame->title() + QLatin1Char(' ') + label->text());
}

// A group box frame whose panel keeps the widget's own background. Some styles lay a faint shade
// over the whole panel (Fusion: black at 3/255 with a slightly darker inner edge, which turns
// white into gray 252): the frame is drawn as the style draws it, then every nearly transparent
// pixel of it is left out, so that only the border line and its rounded corners remain.
class UnshadedFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox || option->rect.isEmpty()) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const qreal dpr = painter->device()->devicePixelRatioF();
        QImage frame(int(std::ceil(option->rect.width() * dpr)),
                     int(std::ceil(option->rect.height() * dpr)),
                     QImage::Format_ARGB32_Premultiplied);
        frame.setDevicePixelRatio(dpr);
        frame.fill(Qt::transparent);
        {
            QPainter onFrame(&frame);
            onFrame.translate(-option->rect.topLeft());
            QProxyStyle::drawPrimitive(element, option, &onFrame, widget);
        }
        // The border line is drawn at about 50/255; the shade stays at or below 10/255.
        constexpr int kLargestShadeAlpha = 10;
        for (int y = 0; y < frame.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < frame.width(); ++x) {
                if (qAlpha(line[x]) <= kLargestShadeAlpha) {
                    line[x] = 0;
                }
            }
        }
        painter->drawImage(option->rect.topLeft(), frame);
    }
};

} // namespace

void MainWindow::createActions() {
    mnuFileExit = new QAction(tr("退出"), this);
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    mnuFileExit->setShortcut(QKeySequence::Quit);
    mnuFileExit->setMenuRole(QAction::QuitRole);

    mnuHelpCont = new QAction(tr("内容..."), this);
    mnuHelpCont->setObjectName(QStringLiteral("mnuHelpCont"));
    mnuHelpCont->setShortcut(QKeySequence::HelpContents);

    mnuHelpHome = new QAction(tr("主页"), this);
    mnuHelpHome->setObjectName(QStringLiteral("mnuHelpHome"));

    mnuHelpAbout = new QAction(tr("关于"), this);
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
    mnuHelpAbout->setMenuRole(QAction::AboutRole);

    mnuGraphCopy = new QAction(tr("按位图复制"), this);
    mnuGraphCopy->setObjectName(QStringLiteral("mnuGraphCopy"));

    mnuGraphSave = new QAction(tr("保存为位图图像"), this);
    mnuGraphSave->setObjectName(QStringLiteral("mnuGraphSave"));

    mnuToolsTable = new QAction(tr("数值表…"), this);
    mnuToolsTable->setObjectName(QStringLiteral("mnuToolsTable"));

    mnuToolsInterval = new QAction(tr("区间概率…"), this);
    mnuToolsInterval->setObjectName(QStringLiteral("mnuToolsInterval"));
}

void MainWindow::createMenus() {
    mnuFile = menuBar()->addMenu(tr("文件"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->addAction(mnuFileExit);

    mnuTools = menuBar()->addMenu(tr("工具"));
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    mnuTools->addAction(mnuToolsTable);
    mnuTools->addAction(mnuToolsInterval);

    mnuHelp = menuBar()->addMenu(tr("帮助"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp->addAction(mnuHelpCont);
    mnuHelp->addAction(mnuHelpHome);
    mnuHelp->addSeparator();
    mnuHelp->addAction(mnuHelpAbout);

    // Only the graph area's popup: not in the menu bar.
    mnuGraph = new QMenu(tr("Graph"), this);
    mnuGraph->setObjectName(QStringLiteral("mnuGraph"));
    mnuGraph->addAction(mnuGraphCopy);
    mnuGraph->addAction(mnuGraphSave);
}

void MainWindow::createWidgets() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // The border may be dragged, but the controls neither move nor grow with it.
    client->setMinimumSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    Label1 = MakeLabel(client, "Label1", tr("分布"), 8, 4, 89, 13);
    Combo1 = Place(new QComboBox(client), "Combo1", 8, 20, 401, 21);
    Combo1->setAccessibleName(Label1->text());
    Label1->setBuddy(Combo1);

    createGraphFrame(client);
    createParameterPanel(client);
    createValueFrames(client);
    fitFontToCaptions(client);
}

void MainWindow::fitFontToCaptions(QWidget* client) {
    // The parameter panel's labels are measured with every caption the catalogue gives them;
    // their captions before the first choice are never seen.
    const QLabel* const panelLabels[] = {Label17, Label18, Label19, Label20, Label21, Label12};
    std::vector<CaptionBox> boxes(std::size(panelLabels));
    for (std::size_t i = 0; i < std::size(panelLabels); ++i) {
        boxes[i].width = panelLabels[i]->contentsRect().width();
    }
    for (const CatalogueEntry& entry : catalogue_.entries()) {
        for (std::size_t slot = 0; slot < entry.parameters.size(); ++slot) {
            boxes[2 * slot].captions.append(entry.parameters[slot].name);
            boxes[2 * slot + 1].captions.append(entry.parameters[slot].constraint);
        }
    }
    for (const QLabel* label : client->findChildren<QLabel*>()) {
        if (std::find(std::begin(panelLabels), std::end(panelLabels), label) ==
            std::end(panelLabels)) {
            boxes.push_back({label->contentsRect().width(), {label->text()}});
        }
    }
    client->setFont(FontFittingCaptions(client->font(), boxes));
}

void MainWindow::createGraphFrame(QWidget* client) {
    TabStrip1 = Place(new QTabWidget(client), "TabStrip1", 8, 48, 397, 349);
    const struct {
        QString caption;
        const char* key;
    } tabs[] = {
        {tr("概率密度函数"), "key_pdf"},
        {tr("累加分布函数"), "key_cdf"},
        {tr("生存函数"), "key_surv"},
        {tr("风险函数"), "key_haz"},
    };
    for (const auto& tab : tabs) {
        const int index = TabStrip1->addTab(new QWidget, tab.caption);
        TabStrip1->tabBar()->setTabData(index, QString::fromLatin1(tab.key));
    }

    // Created after the tab strip, so it lies on top of the page area.
    Frame6 = MakeFrame(client, "Frame6", tr("概率密度函数 (PDF)"), 8, 76, 401, 317);
    auto* unshaded = new UnshadedFrameStyle;
    unshaded->setParent(Frame6);
    Frame6->setStyle(unshaded);
    Frame6->setAutoFillBackground(true);
    QPalette white = Frame6->palette();
    white.setColor(QPalette::Window, Qt::white);
    Frame6->setPalette(white);

    Picture3 = Place(new PictureBox(Frame6), "Picture3", 48, 24, 321, 73);
    Picture3->setAccessibleName(tr("公式"));
    Picture4 = Place(new PictureBox(Frame6), "Picture4", 8, 96, 385, 213);
    Picture4->setAccessibleName(tr("图形"));
    graphImage_ = MakeGraphImage(Picture4->devicePixelRatioF());
    Picture4->setImage(graphImage_);
}

void MainWindow::createParameterPanel(QWidget* client) {
    Frame2 = MakeFrame(client, "Frame2", tr("参数"), 416, 4, 141, 109);
    // The start-up selection replaces these captions before the window is shown.
    Label17 = MakeLabel(Frame2, "Label17", QStringLiteral("a"), 12, 24, 13, 13);
    Text1 = MakeInputField(Frame2, "Text1", 28, 20, 53, 19);
    Label18 = MakeLabel(Frame2, "Label18", QStringLiteral("Label18"), 88, 24, 41, 13);
    Label19 = MakeLabel(Frame2, "Label19", QStringLiteral("b"), 12, 52, 13, 13);
    Text2 = MakeInputField(Frame2, "Text2", 28, 48, 53, 19);
    Label20 = MakeLabel(Frame2, "Label20", QStringLiteral("Label20"), 88, 52, 41, 13);
    Label21 = MakeLabel(Frame2, "Label21", QStringLiteral("c"), 12, 80, 9, 13);
    Text3 = MakeInputField(Frame2, "Text3", 28, 76, 53, 19);
    Label12 = MakeLabel(Frame2, "Label12", QStringLiteral("Label12"), 88, 80, 41, 13);
}

void MainWindow::createValueFrames(QWidget* client) {
    Frame3 = MakeFrame(client, "Frame3", tr("函数值"), 416, 116, 141, 109);
    Label4 = MakeLabel(Frame3, "Label4", QStringLiteral("x"), 12, 28, 9, 13);
    Text4 = MakeInputField(Frame3, "Text4", 24, 24, 61, 19);
    Label5 = MakeLabel(Frame3, "Label5", QStringLiteral("f"), 12, 56, 13, 13);
    Text5 = MakeOutputField(Frame3, "Text5", 24, 52, 41, 19);
    Label6 = MakeLabel(Frame3, "Label6", QStringLiteral("F"), 76, 56, 17, 13);
    Text6 = MakeOutputField(Frame3, "Text6", 88, 52, 45, 19);
    Label13 = MakeLabel(Frame3, "Label13", QStringLiteral("S"), 12, 84, 13, 13);
    Text11 = MakeOutputField(Frame3, "Text11", 24, 80, 41, 19);
    Label14 = MakeLabel(Frame3, "Label14", QStringLiteral("H"), 76, 84, 9, 13);
    Text12 = MakeOutputField(Frame3, "Text12", 88, 80, 45, 19);
    NameFromLabel(Text4, Frame3, Label4);
    NameFromLabel(Text5, Frame3, Label5);
    NameFromLabel(Text6, Frame3, Label6);
    NameFromLabel(Text11, Frame3, Label13);
    NameFromLabel(Text12, Frame3, Label14);

    Frame4 = MakeFrame(client, "Frame4", tr("q-分位数"), 416, 228, 141, 81);
    Label7 = MakeLabel(Frame4, "Label7", QStringLiteral("q"), 16, 24, 13, 13);
    Text7 = MakeInputField(Frame4, "Text7", 32, 20, 61, 19);
    Label8 = MakeLabel(Frame4, "Label8", QStringLiteral("[0,1]"), 100, 24, 33, 13);
    Label9 = MakeLabel(Frame4, "Label9", QStringLiteral("x"), 16, 56, 9, 13);
    Text8 = MakeOutputField(Frame4, "Text8", 32, 52, 61, 19);
    NameFromLabel(Text7, Frame4, Label7);
    NameFromLabel(Text8, Frame4, Label9);

    Frame5 = MakeFrame(client, "Frame5", tr("统计"), 416, 312, 141, 81);
    Label10 = MakeLabel(Frame5, "Label10", tr("均值"), 28, 20, 24, 13);
    Text9 = MakeOutputField(Frame5, "Text9", 64, 16, 57, 19);
    Label11 = MakeLabel(Frame5, "Label11", tr("方差"), 28, 52, 24, 13);
    Text10 = MakeOutputField(Frame5, "Text10", 64, 48, 57, 19);
    NameFromLabel(Text9, Frame5, Label10);
    NameFromLabel(Text10, Frame5, Label11);
}

void MainWindow::createConnections() {
    connect(Combo1, &QComboBox::activated, this, &MainWindow::Combo1_Click);
    connect(TabStrip1, &QTabWidget::currentChanged, this, &MainWindow::TabStrip1_Click);

    for (InputField* field : {Text1, Text2, Text3, Text4}) {
        connect(field, &InputField::userEdited, this, [this] { Recalculate(kResults | kGraph); });
    }
    // The graph does not use q.
    connect(Text7, &InputField::userEdited, this, [this] { Recalculate(kResults); });
    // The tool windows read the parameters, not x or q.
    for (InputField* field : {Text1, Text2, Text3}) {
        connect(field, &InputField::userEdited, this, [this] { refreshTools(false); });
    }
    connectPreciseReadouts();

    connect(Picture4, &PictureBox::popupRequested, this, &MainWindow::Picture4_MouseDown);

    connect(mnuFileExit, &QAction::triggered, this, &MainWindow::mnuFileExit_Click);
    connect(mnuHelpCont, &QAction::triggered, this, &MainWindow::mnuHelpCont_Click);
    connect(mnuHelpHome, &QAction::triggered, this, &MainWindow::mnuHelpHome_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &MainWindow::mnuHelpAbout_Click);
    connect(mnuGraphCopy, &QAction::triggered, this, &MainWindow::mnuGraphCopy_Click);
    connect(mnuGraphSave, &QAction::triggered, this, &MainWindow::mnuGraphSave_Click);
    connect(mnuToolsTable, &QAction::triggered, this, &MainWindow::mnuToolsTable_Click);
    connect(mnuToolsInterval, &QAction::triggered, this, &MainWindow::mnuToolsInterval_Click);
}

void MainWindow::setFocusOrder() {
    // Disabled fields drop out of the chain by themselves.
    QWidget* const order[] = {Combo1, Text1, Text2,  Text3,     Text4,    Text5,    Text6,  Text7,
                              Text8,  Text9, Text10, TabStrip1, Picture3, Picture4, Text11, Text12};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace kelvora
