// The true values of the accuracy report: a committed table of mpmath values
// (tests/data/accuracy_truth.tsv, written by tools/oracle/generate_truth.py from the case list
// that --cases prints), looked up by distribution, converted parameters, output and argument.
#pragma once

#include "comparison.hpp"

#include <string>

namespace kelvora::accuracy {

// What one comparison needs a true value for, as one tab-separated line: the distribution key,
// the three converted parameters ("-" where unused), the output, and its argument (x, the
// count floor(x) of a discrete distribution, q, or "-" for a moment).
std::string CaseKey(const CaseValues& values, Output output);

} // namespace kelvora::accuracy
