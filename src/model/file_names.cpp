#include "model/file_names.h"

namespace scenario {

namespace {
std::string line_and_train(const ScenarioState& state) {
  return state.line_name + "_" + state.train_number;
}
}  // namespace

std::string route_text_name(const ScenarioState& state) { return state.line_name + "_linea.txt"; }
std::string train_text_name(const ScenarioState& state) { return line_and_train(state) + "-.txt"; }
std::string notes_text_name(const ScenarioState& state) {
  return line_and_train(state) + "_note.txt";
}
std::string slowdowns_text_name(const ScenarioState& state) {
  return line_and_train(state) + "_rallentamenti.txt";
}
std::string sheet_text_name(const ScenarioState& state) {
  return line_and_train(state) + "_scheda_treno.txt";
}
std::string profile_file_name(const ScenarioState& state) { return state.line_name + "_linea.dat"; }
std::string table_file_name(const ScenarioState& state) { return line_and_train(state) + ".sim"; }
std::string cells_file_name(const ScenarioState& state) { return line_and_train(state) + ".dat"; }

}  // namespace scenario
