#pragma once

#include <chrono>

#include "payload/scenario_payload.h"
#include "platform/platform.h"

namespace scenario {

// How long a run waits for another run to let go of its folder before it gives up.
inline constexpr std::chrono::milliseconds kFolderPatience{60000};

// The whole run of a pack: fixes the scenario's identity, shows the waiting window, holds the
// program's folder (waiting at most `patience` for another run to finish there), writes the
// five text files, compiles them and writes the binary files, then lets go of the folder.
// Returns the exit status (exit_status.h); whatever did not succeed is said through the
// platform first: a recorded failure as a note, any other reason as a report.
int Form_Load(Platform& platform, const ScenarioPayload& payload,
              std::chrono::milliseconds patience = kFolderPatience);

}  // namespace scenario
