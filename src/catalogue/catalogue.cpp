#include "catalogue/catalogue.hpp"

#include "registry/registry.hpp"

namespace kelvora {

namespace {

ParameterSlot MakeSlot(const ParameterSlotRow& row) {
    ParameterSlot slot;
    slot.name = QString::fromUtf8(row.name);
    slot.constraint = QString::fromUtf8(row.constraint);
    slot.enabled = row.enabled;
    if (row.defaultText != nullptr) {
        slot.defaultText = QString::fromUtf8(row.defaultText);
    }
    return slot;
}

} // namespace

DistributionCatalogue::DistributionCatalogue() {
    for (int i = 0; i < kDistributionCount; ++i) {
        CatalogueEntry& entry = entries_[static_cast<std::size_t>(i)];
        entry.id = static_cast<DistributionId>(i);
        const DistributionRow& row = RowOf(entry.id);
        entry.selectorText = QString::fromUtf8(row.selectorText);
        for (std::size_t s = 0; s < kParameterSlotCount; ++s) {
            entry.parameters[s] = MakeSlot(row.parameterSlots[s]);
        }
    }
}

const CatalogueEntry& DistributionCatalogue::entry(DistributionId id) const {
    return entries_[static_cast<std::size_t>(id)];
}

QStringList DistributionCatalogue::selectorTexts() const {
    QStringList texts;
    texts.reserve(kDistributionCount);
    for (const CatalogueEntry& entry : entries_) {
        texts.append(entry.selectorText);
    }
    return texts;
}

std::optional<DistributionId> DistributionCatalogue::findBySelectorText(const QString& text) const {
    for (const CatalogueEntry& entry : entries_) {
        if (entry.selectorText == text) {
            return entry.id;
        }
    }
    return std::nullopt;
}

std::optional<DistributionId> DistributionIdFromIndex(int index) {
    if (index < 0 || index >= kDistributionCount) {
        return std::nullopt;
    }
    return static_cast<DistributionId>(index);
}

} // namespace kelvora
