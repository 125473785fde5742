#include "app/main_window.hpp"

#include "app/input_field.hpp"
#include "app/interval_dialog.hpp"
#include "app/picture_box.hpp"
#include "app/values_table_window.hpp"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

namespace kelvora {

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      services_(MainWindowServices::WithDefaults(std::move(services))) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Kelvora"));
    createActions();
    createMenus();
    createWidgets();
    createConnections();
    setFocusOrder();
    Form_Load();

    resize(minimumSizeHint());
    if (const QScreen* target = screen()) {
        const QRect available = target->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
}

MainWindow::~MainWindow() {
    // The tool windows call back into the window: they go while it is still whole.
    delete intervalDialog_;
    delete valuesTable_;
}

void MainWindow::setStageObserver(std::function<void(Stage)> observer) {
    services_.stageObserver = std::move(observer);
}

void MainWindow::Form_Load() {
    for (const CatalogueEntry& entry : catalogue_.entries()) {
        Combo1->addItem(QCoreApplication::translate(DistributionCatalogue::kTranslationContext,
                                                    entry.selectorText.toUtf8().constData()));
    }
    Combo1->setCurrentIndex(0);
    Combo1_Click();
}

void MainWindow::Combo1_Click() {
    if (const auto id = selectedDistribution()) {
        ApplyCatalogueEntry(*id);
        // Set by the program: the fields' edit signals stay silent, so nothing runs twice.
        Text4->setText(QStringLiteral("0"));
        Text7->setText(QStringLiteral("0.5"));
    }
    // Before the stages, so that the graph shades the interval chosen for the new distribution.
    refreshTools(true);
    Recalculate(kIllustration | kResults | kGraph);
}

void MainWindow::TabStrip1_Click() {
    if (const auto kind = selectedFunctionKind()) {
        switch (*kind) {
        case FunctionKind::Pdf:
            Frame6->setTitle(tr("概率密度函数(PDF)"));
            break;
        case FunctionKind::Cdf:
            Frame6->setTitle(tr("累加分布函数(CDF)"));
            break;
        case FunctionKind::Survival:
            Frame6->setTitle(tr("生存函数"));
            break;
        case FunctionKind::Hazard:
            Frame6->setTitle(tr("风险函数"));
            break;
        }
    }
    Recalculate(kIllustration | kGraph);
}

std::optional<DistributionId> MainWindow::selectedDistribution() const {
    return DistributionIdFromIndex(Combo1->currentIndex());
}

std::optional<FunctionKind> MainWindow::selectedFunctionKind() const {
    const QString key = TabStrip1->tabBar()->tabData(TabStrip1->currentIndex()).toString();
    if (key == QLatin1String("key_pdf")) {
        return FunctionKind::Pdf;
    }
    if (key == QLatin1String("key_cdf")) {
        return FunctionKind::Cdf;
    }
    if (key == QLatin1String("key_surv")) {
        return FunctionKind::Survival;
    }
    if (key == QLatin1String("key_haz")) {
        return FunctionKind::Hazard;
    }
    return std::nullopt;
}

} // namespace kelvora
