// Reading a field's text as a number, independent of the user's regional settings.
#pragma once

#include <string_view>

namespace kelvora {

// Reads the number at the start of a field's text:
//  1. spaces, tabs and line feeds anywhere in the text are dropped;
//  2. an optional sign, digits with at most one full stop, and an optional exponent (E or D,
//     either case, an optional sign, digits) are read from the start; reading stops at the
//     first character that does not fit and the rest is ignored;
//  3. a text without a leading number gives 0 ("", "-", ",5", "x" -> 0; "1,5" -> 1;
//     "1.2.3" -> 1.2; "-.5" -> -0.5);
//  4. a number beyond the double range throws ArithmeticFault.
// Linear in the length of the text; the text is UTF-8 (any non-ASCII byte ends the number).
double ParseFieldNumber(std::string_view text);

} // namespace kelvora
