#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "inspect/dump.h"

namespace scenario::tool {

// What `scenario dump` was asked for: compiled files (recognised by name) or folders holding a
// set, the set's identity for a folder, the last cell or row when no table gives the route
// length, the format and the filters.
struct DumpRequest {
  std::vector<std::filesystem::path> inputs;
  std::optional<std::string> line_name;
  std::optional<std::string> train_number;
  std::optional<std::int64_t> last_cell;  // --cells N: the cell file holds cells 0 to N
  std::optional<std::int64_t> last_row;   // --rows M: the profile holds rows 0 to M
  inspect::DumpFormat format = inspect::DumpFormat::text;
  inspect::DumpFilter filter;
};

// Writes the dump of every input to `out` as it goes (only the cells files when the filter names
// kinds, which no other file holds; JSON: one object {"files": [...]}) and
// each problem to `err` as one line. Returns 0, 1 when a file's content is damaged, 64 when
// the request cannot be carried out as given (a name that is no compiled file's, a folder
// without a set, a cells or profile file whose route length nothing gives), 74 when a file
// cannot be read.
int run_dump(const DumpRequest& request, std::ostream& out, std::ostream& err);

}  // namespace scenario::tool
