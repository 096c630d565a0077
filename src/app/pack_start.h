#pragma once

#include <string>

#include "model/file_fault.h"
#include "platform/platform.h"

namespace scenario {

// The run of a pack made from the stub: checks the payload block the pack carries (`carried`,
// as read from its own file) and, when it is whole, runs the scenario it holds (Form_Load).
// A block that could not be read, or that is cut short or altered, is reported through
// platform.report and ends the run with kExitDamagedPayload before the window is shown or
// any file is written. Returns the exit status (exit_status.h).
int run_carried_scenario(Platform& platform, const FileResult<std::string>& carried);

}  // namespace scenario
