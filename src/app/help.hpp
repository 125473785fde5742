// Help contents and the home page.
#pragma once

#include <QUrl>

class QWidget;

namespace kelvora {

// The maker's home page, used by the Help menu and the About dialog.
inline constexpr const char* kHomePage = "https://kelvora.example.org/";

// The help's first page: help/index.html in DataDirectory().
QUrl HelpContentsUrl();

// Opens help/index.html with the system's handler; where none opens it, shows it in a help
// window of the program's own.
void OpenHelpContents(QWidget* parent);

// Opens the home page in the default web browser.
void OpenHomePage(QWidget* parent);

} // namespace kelvora
