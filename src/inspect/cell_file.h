#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "inspect/layout_fault.h"
#include "model/track_cell.h"

namespace scenario::inspect {

inline constexpr std::uint64_t kCellBytes = 15;

// Where each field of cell `index` lies in the cell file.
inline constexpr std::uint64_t cell_offset(std::int64_t index) {
  return static_cast<std::uint64_t>(index) * kCellBytes;
}
inline constexpr std::uint64_t kCellValue1At = 1;
inline constexpr std::uint64_t kCellValue2At = 3;

// Decodes a cell file ("L_T.dat"): cells 0 to `last_cell`, 15 bytes each, fields in the order
// and widths of TrackCell, little-endian. The file must hold exactly those cells; its size is
// checked against them before anything is allocated. A kind code that no object uses is kept
// as it stands. `file` names the file in a fault.
LayoutResult<std::vector<TrackCell>> read_cell_file(std::string_view bytes, std::string_view file,
                                                    std::int64_t last_cell);

}  // namespace scenario::inspect
