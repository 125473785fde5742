#include "results/number_locale.hpp"

namespace kelvora {

QLocale SystemNumberLocale() {
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C) {
        locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    }
    return locale;
}

} // namespace kelvora
