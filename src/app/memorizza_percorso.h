#pragma once

#include <cstdint>
#include <string_view>

#include "model/file_fault.h"
#include "model/scenario_state.h"
#include "model/text_folder.h"
#include "parse/read_observer.h"
#include "platform/platform.h"

namespace scenario {

struct RunOutcome {
  enum class Kind {
    files_written,         // the binary files were written; error_code may hold a failure
    stopped_by_error_box,  // a reserved field was in use; no binary file written
    nothing_compiled,      // the parse left no cells; no binary file written
  };
  Kind kind = Kind::files_written;
  FailureCode fatal_error = FailureCode::none;  // 1250 or 1251 when stopped by the error box
  // A scenario text file the parse's failure exit could not delete; the run went on without it.
  std::optional<FileFault> text_file_left;
};

// Compiles the text files in `folder` (the program's folder, in the pack) and writes the binary
// files into it: parses, places the code changes, stamps the markers and the integrity codes,
// then writes the line profile (only when j is not 0), the scenario table and the cell array.
// Starts from a fully reset state that keeps only `line_name` and `train_number` (so error_code
// is 0 and the scenario table clear), with profile_flag = j. `j` is only read, so it is passed
// by value. Returns how the run ended, or the fault when a binary file could not be written. An
// observer, when given, is told what the parse reads; it changes nothing that is compiled or
// written. The pack passes none.
FileResult<RunOutcome> memorizza_percorso(ScenarioState& state, std::int32_t j, Platform& platform,
                                          TextFolder& folder, ReadObserver* observer = nullptr);

// Shows the error box " Errore n. " followed by `a`. The run ends once it is closed.
void errore(Platform& platform, std::string_view a);

}  // namespace scenario
