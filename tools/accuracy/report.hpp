// Tallies of the accuracy report per distribution and output, the compact summary table and
// the details of the failures.
#pragma once

#include "comparison.hpp"
#include "grid.hpp"

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace kelvora::accuracy {

class Report {
public:
    Report();

    void Add(const GridCase& grid, const Comparison& c);

    // Wrong values, false "N/A" and cases without a true value.
    int Failures() const;

    void PrintSummary(std::ostream& out) const;
    // The largest failures, up to `perGroup` per distribution and output.
    void PrintDetails(std::ostream& out, std::size_t perGroup) const;

private:
    struct Finding {
        GridCase grid;
        Comparison comparison;
    };
    struct Cell {
        int compared = 0;
        std::array<int, 5> verdicts{}; // by Verdict
    };

    std::vector<std::array<Cell, kOutputCount>> cells_; // per distribution
    std::array<int, kConventionCount> conventions_{};
    std::vector<Finding> failures_;
};

} // namespace kelvora::accuracy
