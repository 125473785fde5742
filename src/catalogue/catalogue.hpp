// The fixed table of the sixteen distributions: the selector's entry texts and, per entry, how
// the parameter panel labels, enables and pre-fills its three slots. Needs no display, so the
// command line reads the same table as the window.
#pragma once

#include "distributions/distribution_id.hpp"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace kelvora {

inline constexpr int kParameterSlotCount = 3;

struct ParameterSlot {
    QString name;
    QString constraint; // empty when the slot shows no constraint
    bool enabled = true;
    // The text the field receives when the entry is chosen; no value: the field keeps its text.
    std::optional<QString> defaultText;
};

struct CatalogueEntry {
    DistributionId id = DistributionId::Beta;
    // Exact: the graph and the command line recognise the distribution by this text.
    QString selectorText;
    std::array<ParameterSlot, kParameterSlotCount> parameters;
};

class DistributionCatalogue {
public:
    DistributionCatalogue();

    // The context under which the selector texts are marked for translation.
    static constexpr const char* kTranslationContext = "DistributionCatalogue";

    const CatalogueEntry& entry(DistributionId id) const;
    const std::array<CatalogueEntry, kDistributionCount>& entries() const { return entries_; }

    // The sixteen selector texts in DistributionId order.
    QStringList selectorTexts() const;

    // The entry whose selector text is exactly `text`.
    std::optional<DistributionId> findBySelectorText(const QString& text) const;

private:
    std::array<CatalogueEntry, kDistributionCount> entries_;
};

// The DistributionId of a selector index; no value outside 0..15.
std::optional<DistributionId> DistributionIdFromIndex(int index);

} // namespace kelvora
