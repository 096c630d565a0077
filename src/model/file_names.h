#pragma once

#include <string>

#include "model/scenario_state.h"

namespace scenario {

// Names of the files the pack writes and reads, all in the program's folder, built from the
// scenario's identity. Single-byte text, like the identity itself.
std::string route_text_name(const ScenarioState& state);      // L_linea.txt
std::string train_text_name(const ScenarioState& state);      // L_T-.txt
std::string notes_text_name(const ScenarioState& state);      // L_T_note.txt
std::string slowdowns_text_name(const ScenarioState& state);  // L_T_rallentamenti.txt
std::string sheet_text_name(const ScenarioState& state);      // L_T_scheda_treno.txt
std::string profile_file_name(const ScenarioState& state);    // L_linea.dat
std::string table_file_name(const ScenarioState& state);      // L_T.sim
std::string cells_file_name(const ScenarioState& state);      // L_T.dat

}  // namespace scenario
