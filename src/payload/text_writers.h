#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario_state.h"
#include "payload/scenario_payload.h"
#include "platform/file_system.h"

namespace scenario {

// Ends a payload; a line equal to it, and everything after it, is never written.
inline constexpr std::string_view kPayloadSentinel = "riferimento fine del file";

// The payload's lines, in order: split at line feeds (a carriage return before one is dropped);
// a final line feed does not start another line.
std::vector<std::string_view> payload_lines(std::string_view payload);

// The bytes of a scenario text file: every payload line before the sentinel, each followed by
// CR LF.
std::string text_file_bytes(std::string_view payload);

// The five writers. Each replaces one text file in `folder` whole, named from the state's
// line_name and train_number; they read nothing else of the state and change nothing in it.
std::optional<FileFault> dati_linea(const ScenarioState& state, const ScenarioPayload& payload,
                                    const std::filesystem::path& folder);
std::optional<FileFault> dati_treno(const ScenarioState& state, const ScenarioPayload& payload,
                                    const std::filesystem::path& folder);
std::optional<FileFault> dati_note(const ScenarioState& state, const ScenarioPayload& payload,
                                   const std::filesystem::path& folder);
std::optional<FileFault> dati_rallentamenti(const ScenarioState& state,
                                            const ScenarioPayload& payload,
                                            const std::filesystem::path& folder);
std::optional<FileFault> dati_scheda(const ScenarioState& state, const ScenarioPayload& payload,
                                     const std::filesystem::path& folder);

// Runs the five writers in the pack's order (route, train, notes, slowdowns, train sheet) and
// stops at the first file that cannot be written; the route and train files are then removed,
// since no compile will read them, and the three files left for the simulator keep what they
// held (the new version for those already written, the old one for the rest).
std::optional<FileFault> write_scenario_texts(const ScenarioState& state,
                                              const ScenarioPayload& payload,
                                              const std::filesystem::path& folder);

}  // namespace scenario
