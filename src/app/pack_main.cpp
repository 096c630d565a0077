#include <exception>
#include <string>

#include "app/exit_status.h"
#include "app/pack_start.h"
#include "platform/carried_payload.h"
#include "platform/platform.h"

// The pack stub: a pack without a scenario of its own, which runs the scenario block that
// `scenario pack` put into its copy of this program.
int main(int argc, char** argv) {
  const auto platform = scenario::make_platform(argc, argv);
  try {
    return scenario::run_carried_scenario(*platform, scenario::read_carried_payload());
  } catch (const std::exception& fault) {
    // Never end with an unhandled exception, even one that should not happen (out of memory).
    platform->report(std::string("Internal error: ") + fault.what());
    return scenario::kExitInternalError;
  }
}
