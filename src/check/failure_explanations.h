#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "check/finding.h"
#include "model/failure_code.h"

namespace scenario::check {

// What a failure code of the compile means, a small example that records it and how to mend
// it. The title is the code's meaning as the compile reports it (model/error_meanings.h).
// Nothing for a code the system never records.
std::optional<Explanation> failure_explanation(FailureCode code);

// The codes that have an explanation: every code of the system, in increasing order.
std::span<const FailureCode> explained_failures();

}  // namespace scenario::check
