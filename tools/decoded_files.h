#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "inspect/profile_file.h"
#include "inspect/table_file.h"
#include "model/track_cell.h"

namespace scenario::tool {

// Why a file could not be decoded: the message to show, and whether the file could not be read
// at all (rather than read and found damaged).
struct DecodeFailure {
  std::string message;
  bool unreadable = false;
};

template <class T>
using Decoded = std::variant<T, DecodeFailure>;

// Each reads the file at `path` whole and decodes it with the reader of its kind.
Decoded<inspect::TableFile> decode_table(const std::filesystem::path& path);
Decoded<std::vector<TrackCell>> decode_cells(const std::filesystem::path& path,
                                             std::int64_t last_cell);
Decoded<inspect::ProfileFile> decode_profile(const std::filesystem::path& path,
                                             std::int64_t last_row);

}  // namespace scenario::tool
