#pragma once

#include "inspect/set_diff.h"
#include "inspect/text_out.h"

namespace scenario::inspect {

// The differences as lines for a reader: the route length once when it differs, then per file
// pair a heading "A -> B" and one line per differing slot or cell ("cell 240 (11950 m): kind
// signal -> empty; marker 61 -> 0"), per stretch of differing profile rows, and per range of
// records found on one side only; last, one count line per file.
void diff_text(TextOut& out, const SetDiff& diff);

// The same as one JSON object with a line end: {"identical", "route_length", "files": [{
// "content", "a", "b", "differing", "records" or "runs", "only_in"}]}.
void diff_json(TextOut& out, const SetDiff& diff);

}  // namespace scenario::inspect
