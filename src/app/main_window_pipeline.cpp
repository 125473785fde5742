// The parameter panel and the three Recalculate stages.
#include "app/input_field.hpp"
#include "app/main_window.hpp"
#include "app/picture_box.hpp"
#include "app/result_field.hpp"
#include "render/graph_renderer.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtDebug>

#include <exception>

namespace kelvora {

void MainWindow::ApplyCatalogueEntry(DistributionId id) {
    const auto& parameters = catalogue_.entry(id).parameters;
    const ParameterSlot& slot1 = parameters[0];
    const ParameterSlot& slot2 = parameters[1];
    const ParameterSlot& slot3 = parameters[2];

    Label17->setText(slot1.name);
    Label18->setText(slot1.constraint);

    Label19->setText(slot2.name);
    Label20->setText(slot2.constraint);
    Label19->setEnabled(slot2.enabled);
    Label20->setEnabled(slot2.enabled);
    Text2->setEnabled(slot2.enabled);

    // Slot 3's constraint label is never greyed: it is empty whenever the slot is disabled.
    Label21->setText(slot3.name);
    Label21->setEnabled(slot3.enabled);
    Text3->setEnabled(slot3.enabled);
    Label12->setText(slot3.constraint);

    // Set by the program: no edit signal, so the pipeline runs once the panel is complete.
    InputField* const fields[] = {Text1, Text2, Text3};
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (parameters[i].defaultText) {
            fields[i]->setText(*parameters[i].defaultText);
        }
    }
    updateFieldAccessibleNames();
}

void MainWindow::updateFieldAccessibleNames() {
    const QLabel* const names[] = {Label17, Label19, Label21};
    const QLabel* const constraints[] = {Label18, Label20, Label12};
    InputField* const fields[] = {Text1, Text2, Text3};
    for (int i = 0; i < kParameterSlotCount; ++i) {
        fields[i]->setAccessibleName(Frame2->title() + QLatin1Char(' ') + names[i]->text());
        fields[i]->setAccessibleDescription(constraints[i]->text());
    }
}

void MainWindow::Recalculate(unsigned stages) {
    // The stages are independent: each reads the inputs and selections itself, so one that
    // fails leaves its own outputs as they were and the next still runs.
    const auto guarded = [](const char* name, auto&& stage) {
        try {
            stage();
        } catch (const std::exception& fault) {
            qWarning("%s failed: %s", name, fault.what());
        }
    };
    if (stages & kIllustration) {
        guarded("RefreshIllustration", [this] { RefreshIllustration(); });
    }
    if (stages & kResults) {
        guarded("CalculateResults", [this] { CalculateResults(); });
    }
    if (stages & kGraph) {
        guarded("DrawGraph", [this] { DrawGraph(); });
    }
}

void MainWindow::notifyStage(Stage stage) const {
    if (services_.stageObserver) {
        services_.stageObserver(stage);
    }
}

void MainWindow::RefreshIllustration() {
    notifyStage(Stage::RefreshIllustration);
    const auto id = selectedDistribution();
    const auto kind = selectedFunctionKind();
    if (!id || !kind) {
        return;
    }
    Picture3->setImage(services_.loadIllustration(*id, *kind));
}

void MainWindow::CalculateResults() {
    notifyStage(Stage::CalculateResults);
    const auto id = selectedDistribution();
    if (!id) {
        return;
    }
    const CalculationOutput output =
        kelvora::CalculateResults(*id, currentInputs(), services_.locale);
    // A value wider than its narrow field shows its sign and leading digits.
    const auto show = [](QLineEdit* field, const QString& text) {
        field->setText(text);
        field->setCursorPosition(0);
    };
    show(Text5, output.texts.density);
    show(Text6, output.texts.cumulative);
    show(Text11, output.texts.survival);
    show(Text12, output.texts.hazard);
    show(Text8, output.texts.quantile);
    show(Text9, output.texts.mean);
    show(Text10, output.texts.variance);
    resultSet_ = output.set;
}

MainWindow::ParameterBytes MainWindow::parameterBytes() const {
    return {Text1->text().toUtf8(), Text2->text().toUtf8(), Text3->text().toUtf8()};
}

void MainWindow::DrawGraph() {
    notifyStage(Stage::DrawGraph);
    const auto id = selectedDistribution();
    const auto kind = selectedFunctionKind();
    if (!id || !kind) {
        return;
    }
    const ParameterBytes bytes = parameterBytes();
    const ParameterTexts texts = bytes.views();
    // Drawn into copies, so that a fault part-way leaves the shown and exported graph whole.
    QImage image = graphImage_;
    PlotSamples samples = plotSamples_;
    kelvora::DrawGraph(image, *id, texts, *kind, services_.locale, samples, graphShading());
    graphImage_ = std::move(image);
    plotSamples_ = samples;
    Picture4->setImage(graphImage_);
}

} // namespace kelvora
