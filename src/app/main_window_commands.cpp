// The menu commands: exit, help, home page, About, and the graph's copy and save.
#include "app/about_dialog.hpp"
#include "app/graph_export.hpp"
#include "app/help.hpp"
#include "app/input_field.hpp"
#include "app/main_window.hpp"
#include "render/graph_renderer.hpp"

#include <QDir>
#include <QMenu>

namespace kelvora {

void MainWindow::Picture4_MouseDown(const QPoint& globalPos) {
    mnuGraph->popup(globalPos);
}

void MainWindow::mnuFileExit_Click() {
    close();
}

void MainWindow::mnuHelpCont_Click() {
    OpenHelpContents(this);
}

void MainWindow::mnuHelpHome_Click() {
    OpenHomePage(this);
}

void MainWindow::mnuHelpAbout_Click() {
    About dialog(this);
    dialog.exec();
}

void MainWindow::mnuGraphCopy_Click() {
    QString error;
    if (!services_.copyToClipboard(graphImage_, &error)) {
        reportFailure(tr("按位图复制"), tr("无法将图形复制到剪贴板。") + QLatin1Char('\n') + error);
    }
}

void MainWindow::mnuGraphSave_Click() {
    QString filter;
    const QString chosen = services_.askSaveFileName(this, &filter);
    if (chosen.isEmpty()) {
        return;
    }
    const GraphSaveTarget target = ChooseGraphSaveTarget(chosen, filter);
    const GraphRedraw redraw = [this](QPaintDevice& device) { DrawGraphOn(device); };
    // The export names the reason only: the file is named here, once.
    QString error;
    if (!services_.saveGraph(graphImage_, redraw, target.format, target.path, &error)) {
        reportFailure(tr("保存为位图图像"),
                      tr("无法将图形保存到“%1”。").arg(QDir::toNativeSeparators(target.path)) +
                          QLatin1Char('\n') + error);
    }
}

// The graph of the current inputs, as DrawGraph draws it into the image.
void MainWindow::DrawGraphOn(QPaintDevice& device) const {
    const auto id = selectedDistribution();
    const auto kind = selectedFunctionKind();
    if (!id || !kind) {
        return;
    }
    const ParameterBytes bytes = parameterBytes();
    const ParameterTexts texts = bytes.views();
    PlotSamples samples;
    kelvora::DrawGraphOn(device, *id, texts, *kind, services_.locale, samples);
}

void MainWindow::reportFailure(const QString& title, const QString& reason) {
    services_.showFailure(this, title, reason);
}

} // namespace kelvora
