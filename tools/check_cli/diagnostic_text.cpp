#include "check_cli/diagnostic_text.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <vector>

#include "model/code_page_1252.h"

namespace scenario::tool {

namespace {

using check::Diagnostic;
using check::DiagnosticNote;
using check::Level;
using check::SourceSpan;

constexpr std::string_view kBold = "\033[1m";
constexpr std::string_view kRed = "\033[1;31m";
constexpr std::string_view kMagenta = "\033[1;35m";
constexpr std::string_view kCyan = "\033[1;36m";
constexpr std::string_view kGreen = "\033[1;32m";
constexpr std::string_view kReset = "\033[0m";

std::string paint(std::string_view text, std::string_view colour, bool color) {
  if (!color || text.empty()) return std::string(text);
  return std::string(colour) + std::string(text) + std::string(kReset);
}

std::string_view level_word(Level level) {
  switch (level) {
    case Level::error:
      return "error";
    case Level::warning:
      return "warning";
    case Level::note:
      break;
  }
  return "note";
}

std::string_view level_colour(Level level) {
  return level == Level::error ? kRed : level == Level::warning ? kMagenta : kCyan;
}

std::string location(const SourceSpan& where, const ShownFiles& files) {
  std::string text = place_of(where, files);
  return text.empty() ? text : text.append(":");
}

int file_rank(TextFile file) {
  return file == TextFile::route ? 0 : file == TextFile::train ? 1 : 2;
}

const SourceText* text_of(TextFile file, const ShownFiles& files) {
  return file == TextFile::route   ? files.route_text
         : file == TextFile::train ? files.train_text
                                   : nullptr;
}

// The caret line under `line` (code page 1252, one character a byte): blanks (tabs where the
// line has them) up to the column, a caret, then tildes to the end of the span on this line.
std::string marker_line(std::string_view line, const SourceSpan& where, bool color) {
  const auto shown_width = [&](std::size_t from, std::size_t to) {
    std::string pad;
    for (std::size_t i = from; i < to && i < line.size(); ++i) pad += line[i] == '\t' ? '\t' : ' ';
    return pad;
  };
  const std::size_t column = static_cast<std::size_t>(std::max(where.column, 1)) - 1;
  std::size_t end = where.end_line == where.line && where.end_column > where.column
                        ? static_cast<std::size_t>(where.end_column) - 1
                        : line.size();
  end = std::max(std::min(end, line.size()), column + 1);
  std::string under = "^";
  const std::string tildes = shown_width(column + 1, end);
  under += std::string(tildes.size(), '~');
  return shown_width(0, column) + paint(under, kGreen, color);
}

// The line is shown as UTF-8, one character for each of its bytes, so that the caret line,
// which counts bytes, stands under it.
void add_excerpt(std::string& text, const SourceSpan& where, const ShownFiles& files, bool color) {
  const SourceText* source = text_of(where.file, files);
  if (!source || where.line <= 0) return;
  const std::string_view line = source->line(where.line);
  std::string number = std::to_string(where.line);
  if (number.size() < 5) number.insert(0, 5 - number.size(), ' ');
  text += number + " | " + code_page_1252_to_utf8(line) + "\n";
  if (where.column <= 0) return;
  text += std::string(number.size(), ' ') + " | " + marker_line(line, where, color) + "\n";
}

// The message on one line. The author's text it quotes may hold line ends (a quoted field runs
// over them) or other control bytes, which would break the forms read line by line and could
// steer a terminal; they are shown as \r, \n and \xNN, the controls from U+0080 to U+009F
// (UTF-8 C2 80 to C2 9F) as the code-page byte of the same number. A tab is shown as it stands.
std::string on_one_line(std::string_view message) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string text;
  text.reserve(message.size());
  for (std::size_t i = 0; i < message.size(); ++i) {
    const char c = message[i];
    auto byte = static_cast<unsigned char>(c);
    const bool high_control = byte == 0xC2 && i + 1 < message.size() &&
                              static_cast<unsigned char>(message[i + 1]) >= 0x80 &&
                              static_cast<unsigned char>(message[i + 1]) <= 0x9F;
    if (high_control) byte = static_cast<unsigned char>(message[++i]);
    if (c == '\r') {
      text += "\\r";
    } else if (c == '\n') {
      text += "\\n";
    } else if ((byte < 0x20 && c != '\t') || byte == 0x7F || high_control) {
      text += "\\x";
      text += kHex[byte >> 4];
      text += kHex[byte & 0xF];
    } else {
      text += c;
    }
  }
  return text;
}

std::string head(const SourceSpan& where, const ShownFiles& files, bool color) {
  const std::string at = location(where, files);
  return at.empty() ? std::string() : paint(at, kBold, color) + " ";
}

}  // namespace

std::string shown_name(TextFile file, const ShownFiles& files) {
  return file == TextFile::route ? files.route : file == TextFile::train ? files.train : "";
}

std::string human_text(std::span<const Diagnostic> diagnostics, const ShownFiles& files,
                       bool color) {
  std::string text;
  for (const Diagnostic& d : diagnostics) {
    std::string label(level_word(d.level));
    label += " " + d.code;
    text += head(d.where, files, color) + paint(label + ":", level_colour(d.level), color) + " " +
            on_one_line(d.message) + "\n";
    add_excerpt(text, d.where, files, color);
    for (const DiagnosticNote& note : d.notes) {
      text += head(note.where, files, color) + paint("note:", kCyan, color) + " " +
              on_one_line(note.message) + "\n";
      add_excerpt(text, note.where, files, color);
    }
  }
  return text;
}

std::string gcc_text(std::span<const Diagnostic> diagnostics, const ShownFiles& files) {
  std::string text;
  for (const Diagnostic& d : diagnostics) {
    text += head(d.where, files, false) + std::string(level_word(d.level)) + ": " +
            on_one_line(d.message) + " [" + d.code + "]\n";
    for (const DiagnosticNote& note : d.notes) {
      text += head(note.where, files, false) + "note: " + on_one_line(note.message) + "\n";
    }
  }
  return text;
}

std::string counted(std::span<const Diagnostic> diagnostics) {
  std::vector<std::string> parts;
  const auto count = [&](Level level, std::string_view one, std::string_view many) {
    const auto n = std::count_if(diagnostics.begin(), diagnostics.end(),
                                 [level](const Diagnostic& d) { return d.level == level; });
    if (n > 0) parts.push_back(std::to_string(n) + " " + std::string(n == 1 ? one : many));
  };
  count(Level::error, "error", "errors");
  count(Level::warning, "warning", "warnings");
  count(Level::note, "note", "notes");
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
}

std::string summary_line(std::span<const Diagnostic> diagnostics) {
  const std::string count = counted(diagnostics);
  const bool errors = std::any_of(diagnostics.begin(), diagnostics.end(),
                                  [](const Diagnostic& d) { return d.level == Level::error; });
  if (errors) return count;
  return count.empty() ? "no errors" : "no errors, " + count;
}

SourceSpan saved_span(const SourceSpan& where, const ShownFiles& files) {
  const SourceText* source = text_of(where.file, files);
  if (!source) return where;
  SourceSpan saved = where;
  saved.column = source->saved_column(where.line, where.column);
  saved.end_column = source->saved_column(where.end_line, where.end_column);
  return saved;
}

std::string place_of(const SourceSpan& where, const ShownFiles& files) {
  std::string text = shown_name(where.file, files);
  if (text.empty()) return text;
  const SourceSpan saved = saved_span(where, files);
  // Appended piece by piece, which keeps the false restrict warning of optimised builds away.
  if (saved.line > 0) {
    text.append(":").append(std::to_string(saved.line));
    if (saved.column > 0) text.append(":").append(std::to_string(saved.column));
  }
  return text;
}

void sort_by_place(std::vector<Diagnostic>& diagnostics) {
  std::stable_sort(diagnostics.begin(), diagnostics.end(),
                   [](const Diagnostic& a, const Diagnostic& b) {
                     return std::tuple(file_rank(a.where.file), a.where.line, a.where.column) <
                            std::tuple(file_rank(b.where.file), b.where.line, b.where.column);
                   });
}

}  // namespace scenario::tool
