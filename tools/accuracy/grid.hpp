// The grid of the accuracy report: for each of the sixteen distributions, parameter sets over
// the whole accepted range (small, typical, large, at and beyond the 16-bit limits of counts
// and their sums), points x across and beyond the support, and levels q in [0, 1]; and the
// reported cases, each with the texts that showed the fault.
#pragma once

#include "reference.hpp"

#include "distributions/distribution_id.hpp"

#include <array>
#include <string>
#include <vector>

namespace kelvora::accuracy {

enum class GridSize { Quick, Full };

struct ParameterSet {
    DistributionId id = DistributionId::Beta;
    std::array<std::string, 3> texts; // Text1..Text3 as typed
    std::vector<std::string> points;  // x texts visited besides the generated ones
    std::vector<std::string> levels;  // q texts visited besides the common ones
};

std::vector<ParameterSet> ParameterGrid(GridSize size);

// The x texts for one parameter set: fixed points beyond and at the ends of the support, and
// points at levels of the true distribution (its body, both tails, the far upper tail).
std::vector<std::string> PointTexts(const ParameterSet& set, const Reference& reference,
                                    GridSize size);

// The q texts: the common ones and the set's own.
std::vector<std::string> LevelTexts(const ParameterSet& set, GridSize size);

// The key kelvora-calc takes for the distribution ("beta", "chisquare", "t", ...).
const char* DistributionKey(DistributionId id);

// The shortest text that reads back as v.
std::string NumberText(double v);

} // namespace kelvora::accuracy
