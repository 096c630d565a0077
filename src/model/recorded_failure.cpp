#include "model/recorded_failure.h"

#include "model/code_page_1252.h"
#include "model/file_fault.h"

namespace scenario {

std::string detail_text(const FailureDetail& detail, const std::filesystem::path& file) {
  // Appended piece by piece: a concatenated temporary draws a false overlap warning from
  // optimised builds.
  std::string text = code_page_1252_to_utf8(detail.text);
  if (detail.names_file) text.append(" ").append(path_text(file));
  if (!detail.reason.empty()) text.append(": ").append(detail.reason);
  return text;
}

}  // namespace scenario
