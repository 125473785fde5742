#include "distributions/field_number.hpp"

#include "specfun/arithmetic.hpp"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace kelvora {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks the text once, skipping blanks, and hands out the next non-blank character.
class BlankSkippingReader {
public:
    explicit BlankSkippingReader(std::string_view text) : text_(text) { Skip(); }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return text_[pos_]; }
    void Advance() {
        ++pos_;
        Skip();
    }

private:
    void Skip() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Exponents beyond this are far outside the double range either way; clamping keeps the
// decimal-magnitude estimate below free of integer overflow.
constexpr long kExponentClamp = 1000000;

} // namespace

double ParseFieldNumber(std::string_view text) {
    BlankSkippingReader in(text);
    std::string number; // the accepted prefix, in the form std::from_chars reads
    number.reserve(text.size() < 64 ? text.size() : 64);

    bool negative = false;
    if (!in.AtEnd() && (in.Peek() == '-' || in.Peek() == '+')) {
        negative = in.Peek() == '-';
        in.Advance();
    }

    // Mantissa. Leading zeros are dropped as they are read, and the decimal magnitude of the
    // first significant digit is tracked so that an out-of-range result can be told apart as
    // overflow (a fault) or underflow (zero).
    bool sawDigit = false;
    bool sawPoint = false;
    bool sawSignificant = false;
    long magnitude = 0; // decimal exponent of the first significant digit, before the exponent part
    std::string mantissa;
    while (!in.AtEnd()) {
        const char c = in.Peek();
        if (IsDigit(c)) {
            sawDigit = true;
            if (c != '0' && !sawSignificant) {
                sawSignificant = true;
            }
            if (sawSignificant) {
                mantissa.push_back(c);
                if (!sawPoint) {
                    ++magnitude;
                }
            } else if (sawPoint) {
                --magnitude;
                mantissa.push_back(c); // keep fractional zeros so the value stays exact
            }
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
            mantissa.push_back('.');
        } else {
            break;
        }
        in.Advance();
    }
    if (!sawDigit) {
        return 0.0;
    }

    // Optional exponent: E or D, an optional sign, at least one digit.
    long exponent = 0;
    if (!in.AtEnd()) {
        const char c = in.Peek();
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
            BlankSkippingReader look = in;
            look.Advance();
            bool expNegative = false;
            if (!look.AtEnd() && (look.Peek() == '-' || look.Peek() == '+')) {
                expNegative = look.Peek() == '-';
                look.Advance();
            }
            bool expDigit = false;
            while (!look.AtEnd() && IsDigit(look.Peek())) {
                expDigit = true;
                if (exponent < kExponentClamp) {
                    exponent = exponent * 10 + (look.Peek() - '0');
                }
                look.Advance();
            }
            if (expDigit && expNegative) {
                exponent = -exponent;
            }
            if (!expDigit) {
                exponent = 0;
            }
        }
    }

    if (!sawSignificant) {
        return negative ? -0.0 : 0.0;
    }

    number = mantissa;
    if (number.front() == '.') {
        number.insert(number.begin(), '0');
    }
    if (number.back() == '.') {
        number.pop_back();
    }
    number += 'e';
    number += std::to_string(exponent);

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // The first significant digit stands at 10^(magnitude + exponent - 1).
        if (magnitude + exponent > 0) {
            throw ArithmeticFault("field number beyond the double range");
        }
        value = 0.0;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    if (std::isinf(value)) {
        throw ArithmeticFault("field number beyond the double range");
    }
    return negative ? -value : value;
}

} // namespace kelvora
