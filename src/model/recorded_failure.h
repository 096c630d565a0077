#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "model/failure_code.h"
#include "model/text_file.h"

namespace scenario {

// What the reader objected to, for a read fault. A fault of a text file as a whole ("cannot
// open") names the file, but the path is not kept: the one who shows it knows which file the
// failure's source is and names it as its reader knows it.
struct FailureDetail {
  std::string text;         // "\"12x\" is not a number", "cannot open"; code page 1252
  bool names_file = false;  // the fault is about the file itself; its path follows the text
  std::string reason;       // the system's reason, after the path; empty when it gave none

  bool empty() const { return text.empty(); }
};

// The detail as one line of UTF-8, with `file` shown for a fault of the file:
// "cannot open <file>", "cannot delete <file>: <reason>", or the text alone.
std::string detail_text(const FailureDetail& detail, const std::filesystem::path& file);

// The last failure the compile recorded, as one value: the system's `error_code` and
// `error_position`, and where it was found, for the author's diagnostics (never written to any
// file).
struct RecordedFailure {
  FailureCode error_code = FailureCode::none;
  std::int32_t error_position = 0;   // metres, for the codes that carry a position
  TextFile source = TextFile::none;  // the text file the failing record stands in, if any
  std::int32_t line = 0;             // its line there; 0 when the failure has no line of its own
  FailureDetail detail;              // for a read fault

  bool recorded() const { return error_code != FailureCode::none; }
  std::int32_t number() const { return code_number(error_code); }
};

}  // namespace scenario
