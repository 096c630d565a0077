#include "app/memorizza_dati.h"

#include <system_error>

#include "model/file_names.h"
#include "parse/parse_context.h"
#include "parse/read_fault.h"
#include "platform/file_system.h"
#include "route/route_parse.h"
#include "train/train_parse.h"

namespace scenario {

namespace {
constexpr std::int32_t kReadFault = 25;
}  // namespace

void memorizza_dati(ScenarioState& state, const std::filesystem::path& folder,
                    ReadObserver* observer) {
  ParseContext context;
  context.observer = observer;
  context.route_path = path_in(folder, route_text_name(state));
  context.train_path = path_in(folder, train_text_name(state));

  state.sim_table[kLineSlot].name = state.line_name;
  state.sim_table[kTrainSlot].name = state.train_number;
  try {
    if (route_half(state, context) == RouteOutcome::read_train) train_half(state, context);
  } catch (const ReadFault& fault) {
    // The readers live inside the halves, so every file is closed by now and can be deleted.
    std::error_code already_gone;
    std::filesystem::remove(context.route_path, already_gone);
    std::filesystem::remove(context.train_path, already_gone);
    const std::int32_t line = fault.line() != 0 ? fault.line() : context.record_line;
    record_failure_keeping_position(state, kReadFault, context.reading, line);
    state.error_detail = fault.what();
  }
}

}  // namespace scenario
