// The menu commands: exit, help, home page, About, and the graph's copy and save.
#include "app/about_dialog.hpp"
#include "app/help.hpp"
#include "app/main_window.hpp"

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
    const QString path = services_.askSaveFileName(this);
    if (path.isEmpty()) {
        return;
    }
    QString error;
    if (!services_.saveBitmap(graphImage_, path, &error)) {
        reportFailure(tr("保存为位图图像"),
                      tr("无法将图形保存到“%1”。").arg(QDir::toNativeSeparators(path)) +
                          QLatin1Char('\n') + error);
    }
}

void MainWindow::reportFailure(const QString& title, const QString& reason) {
    services_.showFailure(this, title, reason);
}

} // namespace kelvora
