// The explained differences of the accuracy report. A documented exception is caused by one of
// the program's own approximations or stated limits; a known failure is a fault that is
// understood but not yet mended. Each is named with its mechanism and checked by a predicate
// narrow enough that an unrelated fault is not absorbed. A difference that no entry explains is
// a failure.
#pragma once

#include "comparison.hpp"

#include <optional>
#include <vector>

namespace kelvora::accuracy {

enum class CauseKind { Documented, Known };

struct Cause {
    CauseKind kind;
    const char* name;   // short label for the summary
    const char* reason; // the mechanism, one sentence
};

const std::vector<Cause>& Causes();

// The index in Causes() of the entry that explains this difference, if any.
std::optional<std::size_t> CauseOf(const CaseValues& values, const Comparison& c);

} // namespace kelvora::accuracy
