#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inspect/table_file.h"

namespace scenario::inspect {

// One compiled file as it was read: how reports name it, its own file name (single-byte text,
// as the writer builds it from the identity; nothing when the name has a character the code
// page lacks, which no identity can give) and its bytes.
struct CompiledFile {
  std::string shown;
  std::optional<std::string> name;
  std::string bytes;
};

// Each check returns one line per problem, naming the file and, where there is one, the byte:
// "<shown>: byte <offset>: <problem>" or "<shown>: <problem>". No line means the file is whole.

// The table: its 87 slots and nothing after them; slot 85 param7 the marker 610; slot 85
// time_s the ST code of the names in slots 85 and 86; those names the identity in the file's
// name (line "_" train ".sim"); slot 84 a route length the compiler accepts. `decoded` receives
// the table when its layout could be read, so that the other files can be checked against it.
std::vector<std::string> check_table(const CompiledFile& file, std::optional<TableFile>& decoded);

// The cells, against the table `table` read from `table_file`: exactly the cells its route
// length gives, 15 bytes each; cell 1 value1 the marker 5121 and value2 the OG code of the
// table's names; every kind a known code; the file named line "_" train ".dat".
std::vector<std::string> check_cells(const CompiledFile& file, const CompiledFile& table_file,
                                     const TableFile& table);

// The line profile, against the table: exactly 2 x (M + 1) elements for M = route length + 7000,
// each tagged 0, 2 or 5, with no byte left over; the file named line "_linea.dat".
std::vector<std::string> check_profile(const CompiledFile& file, const CompiledFile& table_file,
                                       const TableFile& table);

}  // namespace scenario::inspect
