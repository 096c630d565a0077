#pragma once

#include "payload/scenario_payload.h"
#include "platform/platform.h"

namespace scenario {

// The whole run of a pack: fixes the scenario's identity, shows the waiting window, writes the
// five text files, compiles them and writes the binary files. Returns the exit status
// (exit_status.h); whatever did not succeed is reported through the platform first.
int Form_Load(Platform& platform, const ScenarioPayload& payload);

}  // namespace scenario
