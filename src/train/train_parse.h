#pragma once

#include "model/scenario_state.h"
#include "parse/parse_context.h"

namespace scenario {

// The train half of the parse: reads and deletes the train text file context.train_name in
// context.folder.
// Skips to the "[generale]" field, then handles one keyword field at a time until the end of the
// file: general records (slot 84 `zone_start`, `position`; slot 86 `param7`, `param10` to
// `param12`), speed-limit and adhesion stretches, stations (slots from 1 upward, below
// context.next_board_slot), signals, slowdowns and hand-placed code changes (the cells). After
// the loop, unless a record ended the parse, it runs the speed and adhesion tails to cell N - 3
// and tests that slots 81 to 83 hold multiples of 50 in `zone_start` and `zone_end`.
//
// Writes state.text_line, error_code, error_position and context.reading, record_line.
// Failures: 2 (a kilometre progressive off the cells, position kept), 7, 8, 9, 10, 15, 16 to 20,
// 22, 24 as its record handlers record them. Throws ReadFault for the failure exit (a missing
// file, a record cut off by the end of the file, a number that does not fit its field, a speed
// whose fifth is not a byte, a cell beyond the last one, a train file that cannot be deleted);
// the caller turns it into error 25. Tells context.observer, when there is one, what it reads
// (parse/read_observer.h).
void train_half(ScenarioState& state, ParseContext& context);

}  // namespace scenario
