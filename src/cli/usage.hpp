// kelvora-calc --help.
#pragma once

#include <string>
#include <string_view>

namespace kelvora {

// The full description of the command line, ending with a line break.
std::string UsageText();

// The one line printed after an error message.
inline constexpr std::string_view kUsageHint = "Try 'kelvora-calc --help' for more information.\n";

} // namespace kelvora
