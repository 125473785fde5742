// kelvora-calc --batch: one case per input line, one result line per case.
//
//   in:  DIST<TAB>T1<TAB>T2<TAB>T3<TAB>X<TAB>Q
//   out: f<TAB>F<TAB>S<TAB>H<TAB>QUANTILE<TAB>MEAN<TAB>VARIANCE
//
// Field texts are taken exactly as typed (an empty one is an empty field). A malformed line
// gives "error: REASON" in place of its result line and processing goes on.
#pragma once

#include "cli/distribution_names.hpp"

#include <QLocale>

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace kelvora {

inline constexpr int kBatchInputFields = 6;

// Appends the output line of one input line (without its line break) to `out`; with `precise`
// each result is its ten-digit readout. Returns false for a malformed line, whose output is the
// error line.
bool AppendBatchResult(std::string_view line, const DistributionNames& names, const QLocale& locale,
                       std::string& out, bool precise = false);

// Runs every line of `in`. Returns the exit status: 0, or 1 when a line was malformed or the
// output could not be written.
int RunBatch(std::istream& in, std::ostream& out, const DistributionNames& names,
             const QLocale& locale, bool precise = false);

} // namespace kelvora
