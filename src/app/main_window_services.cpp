#include "app/main_window_services.hpp"

#include "app/graph_export.hpp"
#include "app/illustrations.hpp"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace kelvora {

namespace {

// The dialog starts with an empty name and the BMP filter every time and adds no extension
// itself; an existing file of the chosen name is replaced without a further question.
QString AskSaveFileNameWithDialog(QWidget* parent, QString* selectedFilter) {
    return QFileDialog::getSaveFileName(
        parent, QCoreApplication::translate("kelvora::MainWindow", "保存"), QString(),
        GraphSaveFilters(), selectedFilter, QFileDialog::DontConfirmOverwrite);
}

void ShowFailureInMessageBox(QWidget* parent, const QString& title, const QString& reason) {
    QMessageBox::warning(parent, title, reason);
}

} // namespace

MainWindowServices MainWindowServices::WithDefaults(MainWindowServices services) {
    if (!services.loadIllustration) {
        services.loadIllustration = [](DistributionId id, FunctionKind kind) {
            return LoadIllustration(id, kind);
        };
    }
    if (!services.askSaveFileName) {
        services.askSaveFileName = AskSaveFileNameWithDialog;
    }
    if (!services.saveGraph) {
        services.saveGraph = SaveGraphFile;
    }
    if (!services.copyToClipboard) {
        services.copyToClipboard = CopyGraphToClipboard;
    }
    if (!services.showFailure) {
        services.showFailure = ShowFailureInMessageBox;
    }
    return services;
}

} // namespace kelvora
