// Runs the grid: every case through the result calculation, every output against its true
// value, every difference through the documented exceptions, into one report.
#pragma once

#include "grid.hpp"
#include "report.hpp"

namespace kelvora::accuracy {

Report RunGrid(GridSize size);

} // namespace kelvora::accuracy
