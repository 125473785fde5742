#include "app/tool_subject.hpp"

#include "distributions/field_number.hpp"
#include "specfun/arithmetic.hpp"

namespace kelvora {

std::optional<double> ReadToolField(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    try {
        return ParseFieldNumber(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

} // namespace kelvora
