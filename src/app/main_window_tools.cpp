// The 工具 menu's windows and the precise readout of the result fields. The tool windows read
// the distribution and parameters from the window whenever they recompute; the window tells
// them when those change, and asks the interval dialog for its shading on every graph stage.
#include "app/input_field.hpp"
#include "app/interval_dialog.hpp"
#include "app/main_window.hpp"
#include "app/result_field.hpp"
#include "app/values_table_window.hpp"

#include <QComboBox>

namespace kelvora {

InputTexts MainWindow::currentInputs() const {
    return {Text1->text(), Text2->text(), Text3->text(), Text4->text(), Text7->text()};
}

void MainWindow::connectPreciseReadouts() {
    // Computed when the tooltip or the menu is shown, from the inputs of that moment: an edit
    // costs nothing extra and a readout is never stale.
    const struct {
        ResultField* field;
        std::optional<double> PreciseValues::*value;
    } readouts[] = {
        {Text5, &PreciseValues::density},   {Text6, &PreciseValues::cumulative},
        {Text11, &PreciseValues::survival}, {Text12, &PreciseValues::hazard},
        {Text8, &PreciseValues::quantile},  {Text9, &PreciseValues::mean},
        {Text10, &PreciseValues::variance},
    };
    for (const auto& readout : readouts) {
        readout.field->setPreciseText([this, value = readout.value] {
            const auto id = selectedDistribution();
            return id ? PreciseText(CalculatePrecise(*id, currentInputs()).*value)
                      : PreciseText(std::nullopt);
        });
    }
}

void MainWindow::mnuToolsTable_Click() {
    if (!valuesTable_) {
        valuesTable_ = new ValuesTableWindow(
            [this] { return toolSubject(); }, services_.locale,
            [this](QWidget* parent, const QString& title, const QString& reason) {
                services_.showFailure(parent, title, reason);
            },
            this);
    }
    valuesTable_->show();
    valuesTable_->raise();
    valuesTable_->activateWindow();
}

void MainWindow::mnuToolsInterval_Click() {
    if (!intervalDialog_) {
        intervalDialog_ = new IntervalDialog([this] { return toolSubject(); }, services_.locale,
                                             [this] { Recalculate(kGraph); }, this);
    } else {
        intervalDialog_->follow(false);
    }
    intervalDialog_->show();
    intervalDialog_->raise();
    intervalDialog_->activateWindow();
}

std::optional<ToolSubject> MainWindow::toolSubject() const {
    const auto id = selectedDistribution();
    if (!id) {
        return std::nullopt;
    }
    return ToolSubject{*id, Combo1->currentText(), {Text1->text(), Text2->text(), Text3->text()}};
}

void MainWindow::refreshTools(bool distributionChanged) {
    if (valuesTable_) {
        valuesTable_->follow(distributionChanged);
    }
    if (intervalDialog_) {
        intervalDialog_->follow(distributionChanged);
    }
}

std::optional<GraphShading> MainWindow::graphShading() const {
    return intervalDialog_ ? intervalDialog_->shading() : std::nullopt;
}

} // namespace kelvora
