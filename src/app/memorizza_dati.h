#pragma once

#include "model/file_fault.h"
#include "model/scenario_state.h"
#include "model/text_folder.h"
#include "parse/read_observer.h"

namespace scenario {

// The parse: reads the route text file, then the train text file, from `folder` into the cells,
// the line profile and the scenario table, deleting each file it has read. Failures are recorded
// in the state's recorded failure. Any read fault in either half ends in the one failure exit:
// every file closed, whichever text file still exists deleted, error 25 (with the reader's
// detail, and the file and line it was reading).
//
// `observer`, when given, is told what the reader sees in both files (parse/read_observer.h);
// the run passes none.
//
// Returns the fault of a text file that even the failure exit could not delete, which is then
// left in the folder; the run goes on as after any recorded failure.
FileResult<> memorizza_dati(ScenarioState& state, TextFolder& folder,
                            ReadObserver* observer = nullptr);

}  // namespace scenario
