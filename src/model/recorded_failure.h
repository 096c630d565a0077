#pragma once

#include <cstdint>
#include <string>

#include "model/failure_code.h"
#include "model/text_file.h"

namespace scenario {

// The last failure the compile recorded, as one value: the system's `error_code` and
// `error_position`, and where it was found, for the author's diagnostics (never written to any
// file).
struct RecordedFailure {
  FailureCode error_code = FailureCode::none;
  std::int32_t error_position = 0;   // metres, for the codes that carry a position
  TextFile source = TextFile::none;  // the text file the failing record stands in, if any
  std::int32_t line = 0;             // its line there; 0 when the failure has no line of its own
  std::string detail;                // what the reader objected to, for a read fault

  bool recorded() const { return error_code != FailureCode::none; }
  std::int32_t number() const { return code_number(error_code); }
};

}  // namespace scenario
