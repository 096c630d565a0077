#pragma once

#include "model/byte_writer.h"
#include "model/cell_array.h"
#include "model/line_profile.h"
#include "model/sim_table.h"

namespace scenario {

// The bytes of the three binary files, each a raw little-endian dump of one table with no
// header, count or padding: the reader knows the counts from the route length in slot 84. Each
// writes the whole file into `out`, from its first byte.

// Column 0 for rows 0 to last_row, then column 1; each element is its 16-bit tag (0, 2 or 5)
// followed by nothing, a signed 16-bit value or a 64-bit real.
void write_line_profile(ByteWriter& out, const LineProfile& profile);

// Slots 0 to 86, each 34 bytes plus the length of its name, fields in declaration order with
// the name as a 16-bit byte count and its single-byte characters.
void write_sim_table(ByteWriter& out, const SimTable& table);

// Cells 0 to n, 15 bytes each, fields in declaration order.
void write_cell_array(ByteWriter& out, const CellArray& cells);

}  // namespace scenario
