#include "decoded_files.h"

#include "compiled_files.h"
#include "inspect/cell_file.h"

namespace scenario::tool {

namespace {

template <class T, class Read>
Decoded<T> decode(const std::filesystem::path& path, Read read) {
  LoadedFile loaded = load_compiled(path);
  if (!loaded.file) return DecodeFailure{loaded.failure, loaded.unreadable};
  auto result = read(*loaded.file);
  if (!result) return DecodeFailure{result.fault().describe(), false};
  return std::move(result).value();
}

}  // namespace

Decoded<inspect::TableFile> decode_table(const std::filesystem::path& path) {
  return decode<inspect::TableFile>(path, [](const inspect::CompiledFile& file) {
    return inspect::read_table_file(file.bytes, file.shown);
  });
}

Decoded<std::vector<TrackCell>> decode_cells(const std::filesystem::path& path,
                                             std::int64_t last_cell) {
  return decode<std::vector<TrackCell>>(path, [last_cell](const inspect::CompiledFile& file) {
    return inspect::read_cell_file(file.bytes, file.shown, last_cell);
  });
}

Decoded<inspect::ProfileFile> decode_profile(const std::filesystem::path& path,
                                             std::int64_t last_row) {
  return decode<inspect::ProfileFile>(path, [last_row](const inspect::CompiledFile& file) {
    return inspect::read_profile_file(file.bytes, file.shown, last_row);
  });
}

}  // namespace scenario::tool
