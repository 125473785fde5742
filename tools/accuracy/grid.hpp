// The grid of the accuracy report, a committed table (tests/data/accuracy_grid.tsv): one case
// per line, the inputs as a user types them: distribution key, the three parameter texts, x
// and q. For all sixteen distributions it holds parameter sets over the whole accepted range
// (nearly degenerate to the largest, at and beyond the limits where the routines change
// method), points x at true levels across the body and far into the tails, at and beyond the
// ends of the support and far away, levels q across [0, 1], and every reported case.
#pragma once

#include "distributions/distribution_id.hpp"

#include <array>
#include <string>
#include <vector>

namespace kelvora::accuracy {

enum class GridSize { Quick, Full };

struct GridCase {
    DistributionId id = DistributionId::Beta;
    std::array<std::string, 3> texts; // Text1..Text3 as typed
    std::string x;
    std::string q;
};

// The cases in table order; the quick grid keeps every fourth parameter set. Throws
// std::runtime_error when the table cannot be read or names an unknown distribution.
std::vector<GridCase> ReadGrid(GridSize size);

// The key kelvora-calc takes for the distribution ("beta", "chisquare", "t", ...).
const char* DistributionKey(DistributionId id);

// The shortest text that reads back as v.
std::string NumberText(double v);

} // namespace kelvora::accuracy
