#include "check_cli/source_text.h"

#include <utility>
#include <variant>

#include "file_moves.h"
#include "payload/text_writers.h"

namespace scenario::tool {

namespace {

author::AuthorText as_it_is(std::string code_page_text) {
  author::AuthorText text;
  text.text = std::move(code_page_text);
  return text;
}

}  // namespace

SourceText::SourceText(std::string code_page_text)
    : SourceText(as_it_is(std::move(code_page_text))) {}

SourceText::SourceText(const author::AuthorText& text)
    : bytes_(text_file_bytes(text.text)), columns_(text.columns) {
  const std::string_view all(bytes_);
  std::size_t start = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] != '\r' && all[i] != '\n') continue;
    lines_.push_back({start, i - start});
    if (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < all.size()) lines_.push_back({start, all.size() - start});
}

std::optional<SourceText> SourceText::read(const std::filesystem::path& path,
                                           author::EncodingChoice encoding) {
  const auto bytes = read_whole_file(path);
  if (!bytes) return std::nullopt;
  const auto text = author::read_author_text(bytes.value(), encoding);
  if (!std::holds_alternative<author::AuthorText>(text)) return std::nullopt;
  return SourceText(std::get<author::AuthorText>(text));
}

std::string_view SourceText::line(std::int32_t number) const {
  if (number < 1 || static_cast<std::size_t>(number) > lines_.size()) return {};
  const Line& found = lines_[static_cast<std::size_t>(number) - 1];
  return std::string_view(bytes_).substr(found.begin, found.size);
}

}  // namespace scenario::tool
