// Tallies of the accuracy report per distribution and output, the documented exceptions with
// their size, and the compact summary table.
#pragma once

#include "comparison.hpp"
#include "exceptions.hpp"
#include "grid.hpp"

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kelvora::accuracy {

// One difference, kept for the details of --verbose.
struct Finding {
    ParameterSet set;
    std::string x;
    std::string q;
    Comparison comparison;
    std::optional<std::size_t> cause; // index in Causes(), or none: a failure
};

class Report {
public:
    Report();

    void Add(const ParameterSet& set, const std::string& x, const std::string& q,
             const Comparison& c, std::optional<std::size_t> cause);

    // Differences that no documented exception or known failure explains: (a) plus (b).
    int Failures() const;

    void PrintSummary(std::ostream& out) const;
    // The largest differences of each kind, up to `perGroup` per distribution and output.
    void PrintDetails(std::ostream& out, std::size_t perGroup) const;

private:
    void PrintCauses(std::ostream& out, CauseKind kind, const char* title) const;

    struct Cell {
        int compared = 0;
        int wrongValue = 0;        // (a)
        int falseNotAvailable = 0; // (b)
        int documented = 0;
        int known = 0;
    };
    struct CauseSize {
        int count = 0;
        int notAvailable = 0;       // "N/A" shown although a true value exists
        int withoutTruth = 0;       // a number shown where no finite true value exists
        Real largestError = 0;      // in the output's units, over the other cases
        Real largestRelative = 0;   // relative to the true value, where that is not 0
        Real largestLevelError = 0; // quantiles: in the level q
        std::array<bool, kOutputCount> outputs{};
        std::vector<bool> distributions;
    };

    std::vector<std::array<Cell, kOutputCount>> cells_; // per distribution
    std::vector<CauseSize> causes_;
    std::vector<Finding> findings_;
};

} // namespace kelvora::accuracy
