#pragma once

#include "model/scenario_state.h"
#include "parse/parse_context.h"

namespace scenario {

enum class RouteOutcome { read_train, leave };

// The route half of the parse: reads and deletes the route text file, creating `cells` (and
// `line_profile` when profile_flag is not 0) and filling the route slots 81 to 86, the cells'
// gradients, mountains and boards, the mountain list and the plan of the line. Sets
// `context.reading`, `context.record_line` and `context.next_board_slot`; writes `text_line`.
// Records 101 (no route file; nothing deleted), 102, 1, 3, 4, 5, 6, 21 and 103 and returns leave;
// records 15 (a feature record beyond the cells) and goes on to the end, returning read_train as
// it does without a failure. Throws ReadFault for the failure exit, which the caller turns into
// error 25: a field that is not a number or does not fit, a read past the end, no route length,
// a packed speed beyond 16 bits, an 81st mountain or direction board, any table access outside
// the cells or the plan, a route file that cannot be looked up, read or deleted. Tells
// context.observer, when there is one, what it reads (parse/read_observer.h).
RouteOutcome route_half(ScenarioState& state, ParseContext& context);

}  // namespace scenario
