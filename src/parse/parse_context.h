#pragma once

#include <cstdint>
#include <string>

#include "model/sim_table.h"
#include "model/text_file.h"
#include "model/text_folder.h"
#include "parse/read_observer.h"

namespace scenario {

// Working values one call of the parse shares between its route and train halves.
struct ParseContext {
  // The folder the text files lie in, and their names in it (single-byte text).
  TextFolder* folder = nullptr;
  std::string route_name;
  std::string train_name;
  // The scenario-table slot the next direction board takes; the boards fill slots 80 downward
  // and the stations must stay below them.
  std::int32_t next_board_slot = kFirstBoardSlot;
  // The text file being read, so that a read fault can name it.
  TextFile reading = TextFile::none;
  // Line where the record being handled began; names the line of a failure the reader itself
  // did not see (a table access out of bounds).
  std::int32_t record_line = 0;

  // Told what the reader sees; null in the compile, which then pays only the tests of it.
  ReadObserver* observer = nullptr;
  // Kept only with an observer, while a file is read: the keyword field being tested (its views
  // point into the reader) and how many records it started.
  FieldEvent keyword;
  std::int32_t records_started = 0;
};

}  // namespace scenario
