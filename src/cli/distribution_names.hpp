// The names by which kelvora-calc accepts a distribution: its id 0..15, its English key
// ("normal") or its selector text ("正态分布").
#pragma once

#include "catalogue/catalogue.hpp"
#include "distributions/distribution_id.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

// The English key of each distribution, in DistributionId order.
std::string_view DistributionKey(DistributionId id);

class DistributionNames {
public:
    explicit DistributionNames(const DistributionCatalogue& catalogue);

    // The distribution a UTF-8 name stands for: the id in plain decimal digits, the English key
    // in any letter case, or the exact selector text.
    std::optional<DistributionId> resolve(std::string_view name) const;

private:
    std::array<std::string, kDistributionCount> selectorTexts_; // UTF-8
};

} // namespace kelvora
