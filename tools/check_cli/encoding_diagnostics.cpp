#include "check_cli/encoding_diagnostics.h"

#include "check/finding.h"
#include "check_cli/diagnostic_text.h"
#include "model/file_fault.h"

namespace scenario::tool {

namespace {

std::string encoding_code() { return check::finding_code(check::Finding::text_converted); }

std::string converted_message(author::SavedEncoding read_as, bool byte_order_mark) {
  std::string message = "file read as " + std::string(author::encoding_name(read_as));
  if (byte_order_mark) message += " with a byte order mark";
  return message + " and converted to code page 1252, the pack's";
}

check::Diagnostic converted_note(TextFile file, author::SavedEncoding read_as,
                                 bool byte_order_mark) {
  check::Diagnostic d;
  d.level = check::Level::note;
  d.code = encoding_code();
  d.where.file = file;
  d.message = converted_message(read_as, byte_order_mark);
  return d;
}

check::Diagnostic refused_diagnostic(TextFile file, const author::TextRefusal& refusal) {
  check::Diagnostic d;
  d.level = check::Level::error;
  d.code = encoding_code();
  d.where = {file, refusal.where.line, refusal.where.column, refusal.where.line,
             refusal.where.column + 1};
  d.message = refusal.message;
  return d;
}

}  // namespace

std::vector<check::Diagnostic> encoding_diagnostics(const CompileResult& result) {
  std::vector<check::Diagnostic> found;
  for (const ConvertedText& converted : result.converted) {
    found.push_back(converted_note(converted.file, converted.read_as, converted.byte_order_mark));
  }
  if (result.refused) {
    found.push_back(refused_diagnostic(result.refused->file, result.refused->refusal));
  }
  return found;
}

std::string other_file_text(const std::filesystem::path& file,
                            const std::variant<author::AuthorText, author::TextRefusal>& read) {
  // Shown in the route's place, which only lends its name to the file: there is no text of it
  // to quote or to map columns through.
  const ShownFiles files{path_text(file), "", nullptr, nullptr};
  std::vector<check::Diagnostic> said;
  if (const auto* refusal = std::get_if<author::TextRefusal>(&read)) {
    said.push_back(refused_diagnostic(TextFile::route, *refusal));
  } else if (const auto& text = std::get<author::AuthorText>(read); text.converted) {
    said.push_back(converted_note(TextFile::route, text.read_as, text.byte_order_mark));
  }
  return human_text(said, files, false);
}

}  // namespace scenario::tool
