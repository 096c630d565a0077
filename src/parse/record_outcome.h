#pragma once

#include <cstdint>

namespace scenario {

// How a record, or a step of a file's parse, left the parse to go on.
enum class RecordOutcome : std::uint8_t {
  go_on,      // test the keyword field's remaining keywords, then read the next keyword field
  part_ends,  // a record beyond the cells (error 15): no further record is read, but what
              // follows the records (the tails, the train half) still runs
  leave,      // a recorded failure ends the parse; the file being read is deleted
};

}  // namespace scenario
