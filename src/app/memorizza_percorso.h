#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/scenario_state.h"
#include "parse/read_observer.h"
#include "platform/file_system.h"
#include "platform/platform.h"

namespace scenario {

struct RunOutcome {
  enum class Kind {
    files_written,         // the binary files were written; error_code may hold a failure
    stopped_by_error_box,  // a reserved field was in use; no binary file written
    nothing_compiled,      // the parse left no cells; no binary file written
    file_fault,            // a binary file could not be written
  };
  Kind kind = Kind::files_written;
  std::int32_t fatal_error = 0;  // 1250 or 1251 when stopped by the error box
  std::optional<FileFault> fault;
};

// Compiles the text files in the program's folder and writes the binary files beside them:
// clears the scenario table, parses, places the code changes, stamps the markers and the
// integrity codes, then writes the line profile (only when j is not 0), the scenario table and
// the cell array. Sets profile_flag to j; clears error_code first. An observer, when given, is
// told what the parse reads; it changes nothing that is compiled or written.
RunOutcome memorizza_percorso(ScenarioState& state, std::int32_t j, Platform& platform,
                              ReadObserver* observer = nullptr);

// Shows the error box " Errore n. " followed by `a`. The run ends once it is closed.
void errore(Platform& platform, std::string_view a);

}  // namespace scenario
