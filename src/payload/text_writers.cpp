#include "payload/text_writers.h"

#include <array>
#include <string>

#include "model/file_names.h"

namespace scenario {

namespace {

// Calls `visit` with each line of the payload, in order, until it returns false.
template <class Visit>
void for_each_line(std::string_view payload, Visit visit) {
  while (!payload.empty()) {
    const std::size_t end = payload.find('\n');
    std::string_view line = payload.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!visit(line) || end == std::string_view::npos) return;
    payload.remove_prefix(end + 1);
  }
}

// Collects the bytes in a string that grows as needed.
class StringDrain final : public ByteDrain {
 public:
  explicit StringDrain(std::string& bytes) : bytes_(bytes) {}
  FileResult<> drain(std::string_view bytes) override {
    bytes_.append(bytes);
    return {};
  }

 private:
  std::string& bytes_;
};

FileResult<> write_text(FileSink& sink, const std::string& name, std::string_view payload) {
  return sink.replace(name, [payload](ByteWriter& out) { write_text_file(out, payload); });
}

}  // namespace

void write_text_file(ByteWriter& out, std::string_view payload) {
  for_each_line(payload, [&](std::string_view line) {
    if (line == kPayloadSentinel) return false;
    out.text(line);
    out.text("\r\n");
    return true;
  });
}

std::string text_file_bytes(std::string_view payload) {
  std::string bytes;
  bytes.reserve(payload.size() + payload.size() / 16);
  StringDrain drain(bytes);
  char buffer[4096];
  ByteWriter out(buffer, drain);
  write_text_file(out, payload);
  (void)out.finish();  // a string takes every byte
  return bytes;
}

FileResult<> dati_linea(const ScenarioState& state, const ScenarioPayload& payload,
                        FileSink& sink) {
  return write_text(sink, route_text_name(state), payload.route);
}

FileResult<> dati_treno(const ScenarioState& state, const ScenarioPayload& payload,
                        FileSink& sink) {
  return write_text(sink, train_text_name(state), payload.train);
}

FileResult<> dati_note(const ScenarioState& state, const ScenarioPayload& payload, FileSink& sink) {
  return write_text(sink, notes_text_name(state), payload.notes);
}

FileResult<> dati_rallentamenti(const ScenarioState& state, const ScenarioPayload& payload,
                                FileSink& sink) {
  return write_text(sink, slowdowns_text_name(state), payload.slowdowns);
}

FileResult<> dati_scheda(const ScenarioState& state, const ScenarioPayload& payload,
                         FileSink& sink) {
  return write_text(sink, sheet_text_name(state), payload.sheet);
}

FileResult<> write_scenario_texts(const ScenarioState& state, const ScenarioPayload& payload,
                                  FileSink& sink) {
  using Writer = FileResult<> (*)(const ScenarioState&, const ScenarioPayload&, FileSink&);
  // Route and train first, the three files left for the simulator after them.
  constexpr std::array<Writer, 5> kInOrder = {dati_linea, dati_treno, dati_note, dati_rallentamenti,
                                              dati_scheda};
  for (Writer write : kInOrder) {
    if (auto written = write(state, payload, sink); !written) return written;
  }
  return {};
}

}  // namespace scenario
