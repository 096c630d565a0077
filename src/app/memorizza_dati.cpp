#include "app/memorizza_dati.h"

#include "model/file_names.h"
#include "parse/parse_context.h"
#include "parse/read_fault.h"
#include "route/route_parse.h"
#include "train/train_parse.h"

namespace scenario {

FileResult<> memorizza_dati(ScenarioState& state, TextFolder& folder, ReadObserver* observer) {
  ParseContext context;
  context.observer = observer;
  context.folder = &folder;
  context.route_name = route_text_name(state);
  context.train_name = train_text_name(state);

  state.sim_table[kLineSlot].name = state.line_name;
  state.sim_table[kTrainSlot].name = state.train_number;
  try {
    if (route_half(state, context) == RouteOutcome::read_train) train_half(state, context);
  } catch (const ReadFault& fault) {
    // The readers live inside the halves, so every file is closed by now and can be deleted.
    const FileResult<> route_removed = folder.remove(context.route_name);
    const FileResult<> train_removed = folder.remove(context.train_name);
    const std::int32_t line = fault.line() != 0 ? fault.line() : context.record_line;
    record_failure(state, FailureCode::read_fault, context.reading, line);
    state.failure.detail = {fault.text(), fault.about_file(), fault.reason()};
    if (!route_removed) return route_removed;
    if (!train_removed) return train_removed;
  }
  return {};
}

}  // namespace scenario
