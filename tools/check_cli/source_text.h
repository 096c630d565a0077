#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::tool {

// The lines of an author's text file as the compile reads them: the copy the pack would write
// (CR LF line ends, nothing from the end sentinel on), cut at CR LF, lone CR or lone LF like the
// field reader, so that line numbers agree with what the compile reports.
class SourceText {
 public:
  SourceText() = default;
  explicit SourceText(std::string author_bytes);

  // The author's file; nothing when it does not exist or cannot be read.
  static std::optional<SourceText> read(const std::filesystem::path& path);

  // Line `number` (from 1) without its line end; empty past the last line.
  std::string_view line(std::int32_t number) const;

 private:
  struct Line {
    std::size_t begin;
    std::size_t size;
  };
  std::string bytes_;
  std::vector<Line> lines_;  // offsets, so that a copy stays valid
};

}  // namespace scenario::tool
