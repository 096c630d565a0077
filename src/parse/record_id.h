#pragma once

#include <cstdint>
#include <string_view>

#include "model/text_file.h"

namespace scenario {

// Which record a keyword starts: the file whose keywords it belongs to, its place in the order
// that file's keywords are tested (from 1, unique within the file) and its canonical keyword.
struct RecordId {
  TextFile file = TextFile::none;
  std::int32_t order = 0;
  std::string_view name;

  bool operator==(const RecordId&) const = default;
};

}  // namespace scenario
