#include "payload/text_writers.h"

#include <array>
#include <system_error>

#include "model/file_names.h"

namespace scenario {

std::vector<std::string_view> payload_lines(std::string_view payload) {
  std::vector<std::string_view> lines;
  while (!payload.empty()) {
    const std::size_t end = payload.find('\n');
    std::string_view line = payload.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    payload.remove_prefix(end + 1);
  }
  return lines;
}

std::string text_file_bytes(std::string_view payload) {
  std::string bytes;
  bytes.reserve(payload.size() + payload.size() / 16);
  for (std::string_view line : payload_lines(payload)) {
    if (line == kPayloadSentinel) break;
    bytes.append(line);
    bytes.append("\r\n");
  }
  return bytes;
}

namespace {

std::optional<FileFault> write_text(const std::filesystem::path& folder, const std::string& name,
                                    std::string_view payload) {
  return replace_file(path_in(folder, name), text_file_bytes(payload));
}

}  // namespace

std::optional<FileFault> dati_linea(const ScenarioState& state, const ScenarioPayload& payload,
                                    const std::filesystem::path& folder) {
  return write_text(folder, route_text_name(state), payload.route);
}

std::optional<FileFault> dati_treno(const ScenarioState& state, const ScenarioPayload& payload,
                                    const std::filesystem::path& folder) {
  return write_text(folder, train_text_name(state), payload.train);
}

std::optional<FileFault> dati_note(const ScenarioState& state, const ScenarioPayload& payload,
                                   const std::filesystem::path& folder) {
  return write_text(folder, notes_text_name(state), payload.notes);
}

std::optional<FileFault> dati_rallentamenti(const ScenarioState& state,
                                            const ScenarioPayload& payload,
                                            const std::filesystem::path& folder) {
  return write_text(folder, slowdowns_text_name(state), payload.slowdowns);
}

std::optional<FileFault> dati_scheda(const ScenarioState& state, const ScenarioPayload& payload,
                                     const std::filesystem::path& folder) {
  return write_text(folder, sheet_text_name(state), payload.sheet);
}

std::optional<FileFault> write_scenario_texts(const ScenarioState& state,
                                              const ScenarioPayload& payload,
                                              const std::filesystem::path& folder) {
  using Writer = std::optional<FileFault> (*)(const ScenarioState&, const ScenarioPayload&,
                                              const std::filesystem::path&);
  // Route and train first, the three files left for the simulator after them.
  constexpr std::array<Writer, 5> kInOrder = {dati_linea, dati_treno, dati_note, dati_rallentamenti,
                                              dati_scheda};
  for (Writer write : kInOrder) {
    if (auto fault = write(state, payload, folder)) {
      // The route and train files are only ever there to be read back and deleted by the
      // compile, which will not run now: they must not stay behind.
      std::error_code already_gone;
      std::filesystem::remove(path_in(folder, route_text_name(state)), already_gone);
      std::filesystem::remove(path_in(folder, train_text_name(state)), already_gone);
      return fault;
    }
  }
  return std::nullopt;
}

}  // namespace scenario
