#include "app/main_window_services.hpp"

#include "app/graph_export.hpp"
#include "app/illustrations.hpp"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace kelvora {

namespace {

// The dialog starts with an empty name every time and adds no extension; the name chosen is
// used as it is, an existing file of that name replaced without a further question.
QString AskSaveFileNameWithDialog(QWidget* parent) {
    return QFileDialog::getSaveFileName(
        parent, QCoreApplication::translate("kelvora::MainWindow", "保存"), QString(),
        QStringLiteral("(*.bmp)"), nullptr, QFileDialog::DontConfirmOverwrite);
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
    if (!services.saveBitmap) {
        services.saveBitmap = SaveGraphBitmap;
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
