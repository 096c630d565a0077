#pragma once

#include <span>
#include <string>
#include <vector>

#include "check/diagnostic.h"
#include "check_cli/source_text.h"

namespace scenario::tool {

// The author's two files as a report names and quotes them.
struct ShownFiles {
  std::string route;  // the path as given, UTF-8
  std::string train;
  const SourceText* route_text = nullptr;  // null when the file could not be read
  const SourceText* train_text = nullptr;
};

// The diagnostics as the best compilers print them, each ending with a line feed:
//   route.txt:11:31: warning W06: the direction-board text is cut at this comma: ...
//      11 | cartello_indicatore, 300, (A, B)
//         |                              ^~~
//   route.txt:5:12: note: ...
// A finding of note level reads "note W14:", an error "error 16:". The location leaves out what
// the diagnostic lacks (the column, the line, the file); the source line (UTF-8) and the caret
// with ~~~ under the rest of the field follow when there is a line to show. With `color`, the
// location is bold and the level, the caret and its tildes are coloured. In this form and the
// next, a message keeps to its line: a line end or other control byte in the author's text it
// quotes is shown as \r, \n or \xNN.
std::string human_text(std::span<const check::Diagnostic> diagnostics, const ShownFiles& files,
                       bool color);

// One line per diagnostic and per note, without excerpts, for editors' problem matchers:
//   route.txt:11:31: warning: the direction-board text is cut at this comma: ... [W06]
//   train.txt:19:12: error: signal on a cell already taken (at 13200 m) [16]
//   train.txt:18:12: note: cell 265 already holds the signal placed here
std::string gcc_text(std::span<const check::Diagnostic> diagnostics, const ShownFiles& files);

// `where` with its columns (bytes of the code page text the compile read) turned into those of
// the file as the author saved it, when that file's text is at hand.
check::SourceSpan saved_span(const check::SourceSpan& where, const ShownFiles& files);

// "FILE:LINE:COLUMN" of a place, leaving out what it lacks; empty for no file. The column is
// the file's as saved (see saved_span).
std::string place_of(const check::SourceSpan& where, const ShownFiles& files);

// Sorts into file order: the route's diagnostics, then the train's, each by line and column
// (one about the whole file first), then those of no file; found order among equals.
void sort_by_place(std::vector<check::Diagnostic>& diagnostics);

// "1 error, 2 warnings and 1 note", or empty when there are none.
std::string counted(std::span<const check::Diagnostic> diagnostics);

// The last line of the check's report, never empty: the count as above when there is an error,
// otherwise "no errors", followed by ", " and the count of the warnings and notes when there
// are any ("no errors, 1 warning and 2 notes").
std::string summary_line(std::span<const check::Diagnostic> diagnostics);

// The path of `file` as the report shows it; empty for none.
std::string shown_name(TextFile file, const ShownFiles& files);

}  // namespace scenario::tool
