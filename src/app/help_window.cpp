#include "app/help_window.hpp"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kelvora {

HelpWindow::HelpWindow(const QUrl& page, QWidget* parent)
    : QDialog(parent, Qt::Window), home_(page), browser_(new QTextBrowser(this)),
      back_(new QPushButton(tr("后退"), this)), forward_(new QPushButton(tr("前进"), this)),
      homeButton_(new QPushButton(tr("目录"), this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Kelvora 帮助"));
    resize(760, 640);

    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    browser_->setOpenLinks(true);
    // A missing page would otherwise show an empty white window with no explanation.
    if (page.isLocalFile() && !QFileInfo::exists(page.toLocalFile())) {
        browser_->setHtml(
            tr("<h2>找不到帮助文件</h2><p>%1</p>").arg(page.toLocalFile().toHtmlEscaped()));
    } else {
        browser_->setSource(page);
    }

    auto* close = new QPushButton(tr("关闭"), this);
    close->setAutoDefault(false);
    for (QPushButton* button : {back_, forward_, homeButton_}) {
        button->setAutoDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(homeButton_);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(homeButton_, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(browser_, &QTextBrowser::historyChanged, this, &HelpWindow::updateButtons);
    updateButtons();
}

void HelpWindow::updateButtons() {
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}

HelpWindow* ShowHelpWindow(const QUrl& page, QWidget* parent) {
    HelpWindow* window = nullptr;
    if (parent != nullptr) {
        window = parent->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    }
    if (window == nullptr) {
        window = new HelpWindow(page, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace kelvora
