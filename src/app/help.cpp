#include "app/help.hpp"

namespace kelvora {

void OpenHelpContents(QWidget*) {}
void OpenHomePage(QWidget*) {}

} // namespace kelvora
