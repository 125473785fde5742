// The true values of the accuracy report: a committed table of mpmath values
// (tests/data/accuracy_truth.tsv, written by tools/oracle/generate_truth.py from the case list
// that --cases prints), looked up by distribution, converted parameters, output and argument.
#pragma once

#include "comparison.hpp"

#include <string>
#include <unordered_map>

namespace kelvora::accuracy {

// What one comparison needs a true value for, as one tab-separated line: the distribution key,
// the three converted parameters ("-" where unused), the output, and its argument (x, the
// count floor(x) of a discrete distribution, q, or "-" for a moment).
std::string CaseKey(const CaseValues& values, Output output);

class TruthTable {
public:
    // Reads the table; throws std::runtime_error when the file cannot be read.
    explicit TruthTable(const std::string& path);
    const Truth* Find(const std::string& key) const;

private:
    std::unordered_map<std::string, Truth> truths_;
};

// The table the tool was built with, and how to regenerate it.
const char* TruthTablePath();
inline constexpr const char* kRegenerate =
    "build/<preset>/bin/kelvora-accuracy --cases | /usr/bin/python3 "
    "tools/oracle/generate_truth.py";

} // namespace kelvora::accuracy
