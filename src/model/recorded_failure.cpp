#include "model/recorded_failure.h"

#include "model/file_fault.h"

namespace scenario {

std::string detail_text(const FailureDetail& detail, const std::filesystem::path& file) {
  std::string text = detail.text;
  if (detail.names_file) text += " " + path_text(file);
  if (!detail.reason.empty()) text += ": " + detail.reason;
  return text;
}

}  // namespace scenario
