#include <exception>
#include <string>

#include "app/exit_status.h"
#include "app/form_load.h"
#include "payload/scenario_payload.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  const auto platform = scenario::make_platform(argc, argv);
  try {
    return scenario::Form_Load(*platform, scenario::embedded_scenario());
  } catch (const std::exception& fault) {
    // Never end with an unhandled exception, even one that should not happen (out of memory).
    platform->report(std::string("Internal error: ") + fault.what());
    return scenario::kExitInternalError;
  }
}
