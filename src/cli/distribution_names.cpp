#include "cli/distribution_names.hpp"

#include "registry/registry.hpp"

#include <algorithm>
#include <cstddef>

namespace kelvora {

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

// "0".."15" in plain digits; no sign, no blanks, no leading zeros beyond a lone "0".
std::optional<int> ReadIndex(std::string_view name) {
    if (name.empty() || name.size() > 2 || (name.size() == 2 && name[0] == '0')) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : name) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value >= kDistributionCount) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string_view DistributionKey(DistributionId id) {
    return RowOf(id).key;
}

DistributionNames::DistributionNames(const DistributionCatalogue& catalogue) {
    for (const CatalogueEntry& entry : catalogue.entries()) {
        selectorTexts_[static_cast<std::size_t>(entry.id)] = entry.selectorText.toStdString();
    }
}

std::optional<DistributionId> DistributionNames::resolve(std::string_view name) const {
    if (const std::optional<int> index = ReadIndex(name)) {
        return static_cast<DistributionId>(*index);
    }
    for (const DistributionRow& row : DistributionRows()) {
        if (EqualsIgnoringAsciiCase(name, row.key) ||
            name == selectorTexts_[static_cast<std::size_t>(row.id)]) {
            return row.id;
        }
    }
    return std::nullopt;
}

} // namespace kelvora
