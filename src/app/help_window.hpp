// The program's own help viewer: shows the HTML help where the system has no handler for it.
#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;
class QPushButton;

namespace kelvora {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // Shows `page` (a local HTML file); links to other sites open in the web browser.
    explicit HelpWindow(const QUrl& page, QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }

private:
    void updateButtons();

    QUrl home_;
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* homeButton_;
};

// Raises the help window already open over `parent`, or opens a new one that deletes itself
// when closed.
HelpWindow* ShowHelpWindow(const QUrl& page, QWidget* parent);

} // namespace kelvora
