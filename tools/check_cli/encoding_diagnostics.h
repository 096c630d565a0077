#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "author_text/author_text.h"
#include "check/diagnostic.h"
#include "compile_command.h"

namespace scenario::tool {

// What the commands say about the encoding of the author's files, under the check's code W19:
// a note for each file that was converted to code page 1252, and an error at the place of a
// file that could not be. The error's place is already the file's as saved: that file has no
// converted text to map it from.
std::vector<check::Diagnostic> encoding_diagnostics(const CompileResult& result);

// The same for one of the files the compile does not read (the pack's notes, slowdowns and
// train sheet), as the check's human form shows them: "notes.txt: note W19: ..." when `read`
// was converted (empty when not), "notes.txt:3:5: error W19: ..." for a refusal.
std::string other_file_text(const std::filesystem::path& file,
                            const std::variant<author::AuthorText, author::TextRefusal>& read);

}  // namespace scenario::tool
