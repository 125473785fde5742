#include "catalogue/catalogue.hpp"

#include <QtGlobal>

namespace kelvora {

namespace {

// One row of the table, in UTF-8; a null default marks a field that keeps its text.
struct SlotRow {
    const char* name;
    const char* constraint;
    bool enabled;
    const char* defaultText;
};

struct EntryRow {
    const char* selectorText;
    SlotRow parameters[kParameterSlotCount];
};

constexpr const char* kKept = nullptr;

// clang-format off
constexpr EntryRow kRows[kDistributionCount] = {
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "贝塔分布"),
     {{"a", ">0", true, "0.5"}, {"b", ">0", true, "0.5"}, {"c", "", false, kKept}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "二项分布"),
     {{"n", "", true, "10"}, {"p", "0<p<1", true, "0.5"}, {"c", "", false, kKept}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "柯西分布"),
     {{"a", "", true, "0"}, {"λ", ">0", true, "1"}, {"c", "", false, kKept}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "卡方分布"),
     {{"v", ">0", true, "1"}, {"b", "", false, "0"}, {"c", "", false, kKept}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "指数分布"),
     {{"μ", ">0", true, "1"}, {"b", "", false, "0"}, {"c", "", false, kKept}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "F分布"),
     {{"v1", "", true, "1"}, {"v2", "", true, "1"}, {"c", "", false, kKept}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "伽马分布"),
     {{"a", ">0", true, "1"}, {"b", ">0", true, "1"}, {"c", "", false, kKept}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "几何分布"),
     {{"p", "0<p<1", true, "0.5"}, {"b", "", false, "0.5"}, {"c", "", false, kKept}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "超几何分布"),
     {{"M", ">0", true, "100"}, {"K", "[0,M]", true, "50"}, {"n", "<=K", true, "10"}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "对数分布"),
     {{"μ", "", true, "1"}, {"σ", ">0", true, "1"}, {"c", "", false, "1"}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "正态分布"),
     {{"μ", "", true, "0"}, {"σ", ">0", true, "1"}, {"c", "", false, "1"}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "泊松分布"),
     {{"λ", ">0", true, "10"}, {"b", "", false, "1"}, {"c", "", false, "1"}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "瑞利分布"),
     {{"b", ">0", true, "1"}, {"a", "", false, "1"}, {"c", "", false, "1"}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "T分布"),
     {{"v", ">=1", true, "1"}, {"b", "", false, "1"}, {"c", "", false, "1"}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "均匀分布"),
     {{"a", "<b", true, "0"}, {"b", ">a", true, "1"}, {"c", "", false, "1"}}},
    {QT_TRANSLATE_NOOP("DistributionCatalogue", "威布尔分布"),
     {{"η", ">0", true, "1"}, {"β", ">0", true, "2"}, {"c", "", false, "1"}}},
};
// clang-format on

ParameterSlot MakeSlot(const SlotRow& row) {
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
        entry.selectorText = QString::fromUtf8(kRows[i].selectorText);
        for (int s = 0; s < kParameterSlotCount; ++s) {
            entry.parameters[static_cast<std::size_t>(s)] = MakeSlot(kRows[i].parameters[s]);
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
