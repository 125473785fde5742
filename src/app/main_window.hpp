// The main window: distribution selector, parameter panel, x and q with their results, the
// graph tabs with the formula picture and the graph.
//
// The window owns all state: the field texts, the selections, the ResultSet and PlotSamples,
// and the graph image. Each user action runs one handler (Combo1_Click, TabStrip1_Click, an
// input field's edit) which runs a fixed subset of the three Recalculate stages, always in
// the order RefreshIllustration, CalculateResults, DrawGraph. A stage reads only the inputs
// and selections, never what another stage wrote, and nothing is cached between actions.
//
// The window is built in createActions/createMenus/createWidgets/createConnections
// (main_window_widgets.cpp), the stages live in main_window_pipeline.cpp and the menu
// commands in main_window_commands.cpp.
#pragma once

#include "app/main_window_services.hpp"
#include "app/tool_subject.hpp"
#include "catalogue/catalogue.hpp"
#include "render/graph_renderer.hpp"
#include "results/calculate_results.hpp"
#include "results/readout.hpp"
#include "sampling/function_kind.hpp"
#include "sampling/plot_samples.hpp"

#include <QByteArray>
#include <QImage>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;

namespace kelvora {

class InputField;
class IntervalDialog;
class PictureBox;
class ResultField;
class ValuesTableWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs Form_Load: it is fully set up, ready to be shown.
    explicit MainWindow(MainWindowServices services = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Replaces the observer that is told of every stage as it starts.
    void setStageObserver(std::function<void(Stage)> observer);

    const ResultSet& resultSet() const { return resultSet_; }
    const PlotSamples& plotSamples() const { return plotSamples_; }
    const QImage& graphImage() const { return graphImage_; }

private:
    enum StageFlag : unsigned {
        kIllustration = 1U << 0,
        kResults = 1U << 1,
        kGraph = 1U << 2,
    };

    void createActions();
    void createMenus();
    void createWidgets();
    void createParameterPanel(QWidget* client);
    void createValueFrames(QWidget* client);
    void createGraphFrame(QWidget* client);
    void createConnections();
    void setFocusOrder();
    void fitFontToCaptions(QWidget* client);

    // Handlers
    void Form_Load();
    void Combo1_Click();
    void TabStrip1_Click();
    void Picture4_MouseDown(const QPoint& globalPos);
    void mnuFileExit_Click();
    void mnuHelpCont_Click();
    void mnuHelpHome_Click();
    void mnuHelpAbout_Click();
    void mnuGraphCopy_Click();
    void mnuGraphSave_Click();
    void mnuToolsTable_Click();
    void mnuToolsInterval_Click();

    // Parameter panel and pipeline
    void ApplyCatalogueEntry(DistributionId id);
    void updateFieldAccessibleNames();
    void Recalculate(unsigned stages);
    void RefreshIllustration();
    void CalculateResults();
    void DrawGraph();
    void DrawGraphOn(QPaintDevice& device) const; // the same graph, for a vector export
    void notifyStage(Stage stage) const;
    std::optional<DistributionId> selectedDistribution() const;
    std::optional<FunctionKind> selectedFunctionKind() const;
    // The three parameter texts in UTF-8, owned, with the views the graph reads.
    struct ParameterBytes {
        QByteArray text1;
        QByteArray text2;
        QByteArray text3;
        ParameterTexts views() const {
            return {std::string_view(text1.constData(), std::size_t(text1.size())),
                    std::string_view(text2.constData(), std::size_t(text2.size())),
                    std::string_view(text3.constData(), std::size_t(text3.size()))};
        }
    };
    ParameterBytes parameterBytes() const;
    void reportFailure(const QString& title, const QString& reason);

    // The tools: the inputs they read, the readouts of the result fields, and keeping the open
    // tool windows in step with the distribution and parameters.
    InputTexts currentInputs() const;
    void connectPreciseReadouts();
    void refreshTools(bool distributionChanged);
    std::optional<GraphShading> graphShading() const;
    std::optional<ToolSubject> toolSubject() const;

    // Collaborators and state
    MainWindowServices services_;
    DistributionCatalogue catalogue_;
    ResultSet resultSet_;
    PlotSamples plotSamples_;
    QImage graphImage_;

    // Actions and menus
    QMenu* mnuFile = nullptr;
    QMenu* mnuHelp = nullptr;
    QMenu* mnuGraph = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuHelpCont = nullptr;
    QAction* mnuHelpHome = nullptr;
    QAction* mnuHelpAbout = nullptr;
    QAction* mnuGraphCopy = nullptr;
    QAction* mnuGraphSave = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuToolsTable = nullptr;
    QAction* mnuToolsInterval = nullptr;
    QPointer<ValuesTableWindow> valuesTable_;
    QPointer<IntervalDialog> intervalDialog_;

    // Selector and graph
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QTabWidget* TabStrip1 = nullptr;
    QGroupBox* Frame6 = nullptr;
    PictureBox* Picture3 = nullptr;
    PictureBox* Picture4 = nullptr;

    // Parameter panel
    QGroupBox* Frame2 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label12 = nullptr;
    InputField* Text1 = nullptr;
    InputField* Text2 = nullptr;
    InputField* Text3 = nullptr;

    // Function values at x
    QGroupBox* Frame3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    InputField* Text4 = nullptr;
    ResultField* Text5 = nullptr;
    ResultField* Text6 = nullptr;
    ResultField* Text11 = nullptr;
    ResultField* Text12 = nullptr;

    // Quantile
    QGroupBox* Frame4 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    InputField* Text7 = nullptr;
    ResultField* Text8 = nullptr;

    // Moments
    QGroupBox* Frame5 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    ResultField* Text9 = nullptr;
    ResultField* Text10 = nullptr;
};

} // namespace kelvora
