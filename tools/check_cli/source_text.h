#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "author_text/author_text.h"

namespace scenario::tool {

// The lines of an author's text file as the compile reads them: the code page 1252 copy the
// pack would write (CR LF line ends, nothing from the end sentinel on), cut at CR LF, lone CR or
// lone LF like the field reader, so that line numbers agree with what the compile reports; and
// where their columns stand in the file as the author saved it.
class SourceText {
 public:
  SourceText() = default;
  explicit SourceText(const author::AuthorText& text);
  // Text saved in code page 1252, read as it is.
  explicit SourceText(std::string code_page_text);

  // The author's file read as `encoding` says; nothing when it does not exist, cannot be read
  // or cannot be converted to code page 1252.
  static std::optional<SourceText> read(const std::filesystem::path& path,
                                        author::EncodingChoice encoding);

  // Line `number` (from 1) without its line end, code page 1252; empty past the last line.
  std::string_view line(std::int32_t number) const;

  // The column, in bytes of the file as saved, of `column` of line `number` (see SavedColumns).
  std::int32_t saved_column(std::int32_t number, std::int32_t column) const {
    return columns_.saved_column(number, column);
  }

 private:
  struct Line {
    std::size_t begin;
    std::size_t size;
  };
  std::string bytes_;
  std::vector<Line> lines_;  // offsets, so that a copy stays valid
  author::SavedColumns columns_;
};

}  // namespace scenario::tool
