#pragma once

#include <string>

#include "model/cell_array.h"
#include "model/line_profile.h"
#include "model/sim_table.h"

namespace scenario {

// The bytes of the three binary files, each a raw little-endian dump of one table with no
// header, count or padding: the reader knows the counts from the route length in slot 84.

// Column 0 for rows 0 to last_row, then column 1; each element is its 16-bit tag (0, 2 or 5)
// followed by nothing, a signed 16-bit value or a 64-bit real.
std::string line_profile_bytes(const LineProfile& profile);

// Slots 0 to 86, each 34 bytes plus the length of its name, fields in declaration order with
// the name as a 16-bit byte count and its single-byte characters.
std::string sim_table_bytes(const SimTable& table);

// Cells 0 to n, 15 bytes each, fields in declaration order.
std::string cell_array_bytes(const CellArray& cells);

}  // namespace scenario
