#include "app/help.hpp"

#include "app/help_window.hpp"
#include "app/illustrations.hpp"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace kelvora {

QUrl HelpContentsUrl() {
    return QUrl::fromLocalFile(QDir(DataDirectory()).filePath(QStringLiteral("help/index.html")));
}

void OpenHelpContents(QWidget* parent) {
    const QUrl page = HelpContentsUrl();
    // A missing file is left to the own window, which says so; handing it to the system would
    // either show nothing or an error page of some other program.
    if (QFileInfo::exists(page.toLocalFile()) && QDesktopServices::openUrl(page)) {
        return;
    }
    ShowHelpWindow(page, parent);
}

void OpenHomePage(QWidget*) {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
}

} // namespace kelvora
