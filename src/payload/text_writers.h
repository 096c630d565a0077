#pragma once

#include <string>
#include <string_view>

#include "model/byte_writer.h"
#include "model/file_fault.h"
#include "model/file_sink.h"
#include "model/scenario_state.h"
#include "payload/scenario_payload.h"

namespace scenario {

// Ends a payload; a line equal to it, and everything after it, is never written.
inline constexpr std::string_view kPayloadSentinel = "riferimento fine del file";

// Writes a scenario text file into `out`: every payload line before the sentinel, each followed
// by CR LF. Lines are split at line feeds (a carriage return before one is dropped); a final
// line feed does not start another line.
void write_text_file(ByteWriter& out, std::string_view payload);

// The same bytes as one string, for a caller that wants a text file in memory; the writers
// below stream instead.
std::string text_file_bytes(std::string_view payload);

// The five writers. Each replaces one text file of `sink` whole, named from the state's
// line_name and train_number; they read nothing else of the state and change nothing in it.
FileResult<> dati_linea(const ScenarioState& state, const ScenarioPayload& payload, FileSink& sink);
FileResult<> dati_treno(const ScenarioState& state, const ScenarioPayload& payload, FileSink& sink);
FileResult<> dati_note(const ScenarioState& state, const ScenarioPayload& payload, FileSink& sink);
FileResult<> dati_rallentamenti(const ScenarioState& state, const ScenarioPayload& payload,
                                FileSink& sink);
FileResult<> dati_scheda(const ScenarioState& state, const ScenarioPayload& payload,
                         FileSink& sink);

// Runs the five writers in the pack's order (route, train, notes, slowdowns, train sheet) and
// stops at the first file that cannot be written.
FileResult<> write_scenario_texts(const ScenarioState& state, const ScenarioPayload& payload,
                                  FileSink& sink);

}  // namespace scenario
