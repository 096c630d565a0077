#include "check/source_names.h"

#include <string_view>

#include "check/finding.h"
#include "model/code_page_1252.h"
#include "model/file_names.h"

namespace scenario::check {

namespace {

constexpr std::string_view kRouteEnding = "_linea.txt";
constexpr std::string_view kTrainEnding = "-.txt";

// Built by appending: GCC 12 at -O3 warns falsely about a prefix + std::string(view).
std::string in_quote_marks(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  quoted += '"';
  return quoted;
}

// The line name a route file name of the pack's shape stands for; empty for any other name.
std::string line_of_route_name(std::string_view name) {
  if (name.size() <= kRouteEnding.size() || !name.ends_with(kRouteEnding)) return {};
  return std::string(name.substr(0, name.size() - kRouteEnding.size()));
}

// Whether a train file name has the pack's shape: a line name, "_", a train number, "-.txt".
bool has_train_shape(std::string_view name) {
  if (!name.ends_with(kTrainEnding)) return false;
  const std::string_view stem = name.substr(0, name.size() - kTrainEnding.size());
  const std::size_t cut = stem.rfind('_');
  return cut != std::string_view::npos && cut > 0 && cut + 1 < stem.size();
}

Diagnostic whole_file_note(TextFile file, std::string message) {
  const Finding finding = Finding::source_named_as_pack_text;
  Diagnostic d;
  d.level = explanation(finding).level;
  d.code = finding_code(finding);
  d.where.file = file;
  d.message = std::move(message);
  return d;
}

constexpr std::string_view kLost =
    ": a pack run in the folder that holds it overwrites it and then deletes it; keep your "
    "sources under other names or in another folder";

}  // namespace

std::vector<Diagnostic> sources_named_as_pack_texts(const SourceNames& sources,
                                                    const ScenarioState* identity) {
  std::vector<Diagnostic> notes;
  if (identity) {
    const std::string route = code_page_1252_to_utf8(route_text_name(*identity));
    const std::string train = code_page_1252_to_utf8(train_text_name(*identity));
    if (sources.route == route) {
      notes.push_back(whole_file_note(
          TextFile::route, "the route file is named " + in_quote_marks(route) +
                               ", as the pack names its own copy of it" + std::string(kLost)));
    }
    if (sources.train == train) {
      notes.push_back(whole_file_note(
          TextFile::train, "the train file is named " + in_quote_marks(train) +
                               ", as the pack names its own copy of it" + std::string(kLost)));
    }
    return notes;
  }
  if (const std::string line = line_of_route_name(sources.route); !line.empty()) {
    notes.push_back(whole_file_note(
        TextFile::route, "the route file is named as a pack for line " + in_quote_marks(line) +
                             " names its own copy of it" + std::string(kLost)));
  }
  if (has_train_shape(sources.train)) {
    notes.push_back(whole_file_note(
        TextFile::train, "the train file " + in_quote_marks(sources.train) +
                             " is named as a pack names its own copy of a train file (LINE_"
                             "NUMBER-.txt)" +
                             std::string(kLost)));
  }
  return notes;
}

}  // namespace scenario::check
