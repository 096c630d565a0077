#include "train/record_exits.h"

#include <filesystem>
#include <system_error>

#include "parse/cell_access.h"
#include "parse/read_fault.h"

namespace scenario {

namespace {
constexpr std::int32_t kBeyondCells = 15;
}  // namespace

std::int32_t last_cell(const ScenarioState& state) {
  if (!state.cells) throw ReadFault("train data before the route length", 0);
  return state.cells->last_index();
}

RecordOutcome leave_beyond_cells(ScenarioState& state, const ParseContext& context,
                                 std::int32_t position) {
  record_failure(state, kBeyondCells, position, TextFile::train, context.record_line);
  return RecordOutcome::part_ends;
}

void delete_train_file(const ParseContext& context) {
  // The reader took the whole file at opening, so nothing holds it open any more.
  std::error_code already_gone;
  std::filesystem::remove(context.train_path, already_gone);
}

RecordOutcome close_and_delete(ScenarioState& state, const ParseContext& context, std::int32_t code,
                               std::int32_t position) {
  delete_train_file(context);
  record_failure(state, code, position, TextFile::train, context.record_line);
  return RecordOutcome::leave;
}

RecordOutcome close_and_delete_keeping_position(ScenarioState& state, const ParseContext& context,
                                                std::int32_t code) {
  delete_train_file(context);
  record_failure_keeping_position(state, code, TextFile::train, context.record_line);
  return RecordOutcome::leave;
}

}  // namespace scenario
