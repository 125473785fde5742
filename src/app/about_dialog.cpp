#include "app/about_dialog.hpp"

namespace kelvora {

About::About(QWidget* parent) : QDialog(parent) {}

} // namespace kelvora
