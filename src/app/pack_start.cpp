#include "app/pack_start.h"

#include <variant>

#include "app/exit_status.h"
#include "app/form_load.h"
#include "payload/payload_format.h"

namespace scenario {

namespace {

constexpr std::string_view kNothingWritten = "; nothing was written.";

}  // namespace

int run_carried_scenario(Platform& platform, const FileResult<std::string>& carried) {
  if (!carried) {
    platform.report("This pack cannot run: " + carried.fault().describe() +
                    std::string(kNothingWritten));
    return kExitDamagedPayload;
  }
  const auto payload = decode_payload(carried.value());
  if (const auto* damage = std::get_if<PayloadDamage>(&payload)) {
    platform.report("This pack cannot run: the scenario it carries is damaged (" +
                    std::string(damage_meaning(*damage)) + ")" + std::string(kNothingWritten));
    return kExitDamagedPayload;
  }
  return Form_Load(platform, std::get<ScenarioPayload>(payload));
}

}  // namespace scenario
