// Fuzz target: ParseFieldNumber on arbitrary bytes. It must return a finite number or throw
// ArithmeticFault, and agree with itself once blanks are removed.
#include "distributions/field_number.hpp"
#include "specfun/arithmetic.hpp"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = 0.0;
    bool faulted = false;
    try {
        value = kelvora::ParseFieldNumber(text);
    } catch (const kelvora::ArithmeticFault&) {
        faulted = true;
    }
    if (!faulted && !std::isfinite(value)) {
        std::abort();
    }

    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact.push_back(c);
        }
    }
    double again = 0.0;
    bool faultedAgain = false;
    try {
        again = kelvora::ParseFieldNumber(compact);
    } catch (const kelvora::ArithmeticFault&) {
        faultedAgain = true;
    }
    if (faulted != faultedAgain || (!faulted && value != again)) {
        std::abort();
    }
    return 0;
}
