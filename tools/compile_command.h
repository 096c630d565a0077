#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "author_text/author_text.h"
#include "model/file_fault.h"
#include "model/file_sink.h"
#include "model/scenario_state.h"
#include "parse/read_observer.h"

namespace scenario::tool {

// Exit statuses of `scenario compile`.
enum ToolStatus : int {
  kToolSuccess = 0,          // no failure recorded; the binary files are in the output folder
  kToolRecordedFailure = 1,  // a failure was recorded; whatever the run wrote was moved as usual
  kToolErrorBox = 2,         // the run was stopped by error 1250 or 1251; no binary file
  kToolUsage = 64,           // the command line was wrong
  kToolInternalError = 70,   // a fault of the tool itself
  kToolWouldLoseFiles = 73,  // `scenario pack`: its run in the pack's folder would lose the
                             // author's text files; nothing was written
  kToolFileFault = 74,       // a file could not be read or written
};

// What the author asked for: their two text files, the scenario's identity (code page 1252
// text, as the pack holds it) and where the binary files go.
struct CompileRequest {
  std::filesystem::path route;
  std::filesystem::path train;
  std::string line_name;
  std::string train_number;
  std::filesystem::path out;
  bool build_profile = true;
  // Told what the reader sees while the files are compiled; it changes nothing compiled.
  ReadObserver* observer = nullptr;
  // False to keep no binary file: they go with the working folder, and `out` is not used.
  bool deliver = true;
  // How the author's files are read: found from their bytes, or as the author says.
  author::EncodingChoice encoding = author::EncodingChoice::automatic;
};

// An author's file that was saved in another encoding and converted to code page 1252.
struct ConvertedText {
  TextFile file = TextFile::none;
  author::SavedEncoding read_as = author::SavedEncoding::cp1252;
  bool byte_order_mark = false;
};

// An author's file that cannot be converted to code page 1252, and where.
struct RefusedText {
  TextFile file = TextFile::none;
  author::TextRefusal refusal;
};

// How the author's files were placed in the working folder: those converted, in the order
// route, train, and the first that could not be, after which nothing more was placed.
struct PlacedTexts {
  std::vector<ConvertedText> converted;
  std::optional<RefusedText> refused;
};

// How the compile went, with what the report needs.
struct CompileResult {
  int status = kToolSuccess;
  RecordedFailure failure;           // the failure the run recorded last, as the run left it
  std::optional<FailureCode> fatal;  // 1250 or 1251 when the error box stopped the run
  bool nothing_compiled = false;     // the parse left no cells, so nothing could be written
  FileResult<> files;                // the fault of a file that could not be read or written
  // A text file the run's failure exit could not delete in the working folder, and why.
  std::optional<std::string> text_file_left;
  std::vector<std::string> outputs;  // names (UTF-8) of the binary files now in the output folder
  std::vector<ConvertedText> converted;  // the author's files read in another encoding
  // A file that cannot be converted to code page 1252: nothing was compiled, nothing written.
  std::optional<RefusedText> refused;
};

// Compiles the author's route and train files exactly as the pack with that identity would:
// each is read as `encoding` says and converted to code page 1252 when it was saved in UTF-8 or
// UTF-16, then placed in a private working folder under the name the pack gives it and in the
// form the pack writes it (CR LF line ends, nothing from the end sentinel on); a file that does
// not exist is left out, as if the pack had lost it. A file that cannot be converted stops the
// compile before it starts (status 1, `refused`). The binary files the run writes are then
// moved into `out` (created when missing), replacing older ones; nothing else there is touched.
// Without `deliver` they are not moved but go with the working folder (a check that writes
// nothing: one working folder alone, so that no other folder of this run can pass for an
// abandoned one).
// An output the run should have written and did not is a file fault. The author's files are
// only read.
CompileResult compile_scenario(const CompileRequest& request);

// The same compile on a state the caller holds, so that an observer given in the request may
// look at the tables as the parse fills them; `state` is left as the run left it.
CompileResult compile_scenario(const CompileRequest& request, ScenarioState& state);

// The steps of compile_scenario that other commands compiling in a working folder share.
// Places the author's route and train files into `working` as the pack writes them (see above).
FileResult<PlacedTexts> place_scenario_texts(const CompileRequest& request,
                                             const ScenarioState& state, FileSink& working);

}  // namespace scenario::tool
