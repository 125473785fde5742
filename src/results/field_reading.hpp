// How the result calculation and the precise readout run an evaluation and read a field's number:
// a fault, a missing value and a non-finite value all end as no value ("N/A").
#pragma once

#include "distributions/field_number.hpp"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <exception>
#include <optional>
#include <string_view>

namespace kelvora::results {

using Value = std::optional<double>;

// Runs one evaluation. ArithmeticFault is the only exception the numeric library raises;
// anything else is treated alike so that nothing escapes.
template <typename Evaluation> Value Attempt(Evaluation&& evaluation) noexcept {
    try {
        const Value v = evaluation();
        if (v && std::isfinite(*v)) {
            return v;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// A field's text as the number reader sees it; the bytes must outlive the returned view.
inline std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

inline Value ReadFieldNumber(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return Attempt([&]() -> Value { return ParseFieldNumber(View(bytes)); });
}

} // namespace kelvora::results
