// The user's number format: the system's regional settings, as the result fields and the
// graph's labels show them.
#pragma once

#include <QLocale>

namespace kelvora {

// QLocale::system(), except that the C and POSIX locales group no digits: they define no
// thousands separator, while Qt's system locale for them still groups by threes.
QLocale SystemNumberLocale();

} // namespace kelvora
