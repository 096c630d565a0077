#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/text_file.h"

namespace scenario::check {

// How grave a finding is: an error is a failure the pack records (or its error box), a warning
// is text the pack reads differently from how it looks, a note is something legal that the pack
// does silently.
enum class Level : std::uint8_t { error, warning, note };

// A stretch of a text file, in lines and byte columns from 1. `end_column` is the column just
// past the stretch. Line 0 means the whole file; column 0 means the whole line.
struct SourceSpan {
  TextFile file = TextFile::none;
  std::int32_t line = 0;
  std::int32_t column = 0;
  std::int32_t end_line = 0;
  std::int32_t end_column = 0;
};

// The other place a finding involves (the record that took a cell, where a section ended).
struct DiagnosticNote {
  SourceSpan where;
  std::string message;
};

// One finding. `code` is the failure's number ("16") or the finding's code ("W06").
struct Diagnostic {
  Level level = Level::warning;
  std::string code;
  SourceSpan where;
  std::string message;
  std::vector<DiagnosticNote> notes;
};

}  // namespace scenario::check
