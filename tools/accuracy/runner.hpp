// Runs the grid: every case through the result calculation, every output against its true
// value from the truth table, into one report.
#pragma once

#include "grid.hpp"
#include "report.hpp"

#include <ostream>

namespace kelvora::accuracy {

Report RunGrid(GridSize size);

// One tab-separated line per case, in grid order: the distribution key, the three parameter
// texts, the x and q texts and the seven shown texts (f, F, S, H, quantile, mean, variance).
void DumpGrid(GridSize size, std::ostream& out);

// Every case the comparisons of the full grid need a true value for, once, in grid order: the
// key of the truth table, a tab, and for a quantile a start for the root search (its value in
// the current table) or "-".
void ListCases(std::ostream& out);

} // namespace kelvora::accuracy
