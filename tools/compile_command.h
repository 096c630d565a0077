#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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
  kToolFileFault = 74,       // a file could not be read or written
};

// What the author asked for: their two text files, the scenario's identity and where the
// binary files go.
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
};

// How the compile went, with what the report needs.
struct CompileResult {
  int status = kToolSuccess;
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  TextFile error_source = TextFile::none;
  std::int32_t error_line = 0;
  std::string error_detail;
  std::optional<std::int32_t> fatal;  // 1250 or 1251 when the error box stopped the run
  bool nothing_compiled = false;      // the parse left no cells, so nothing could be written
  std::optional<std::string> fault;   // a file that could not be read or written, and why
  std::vector<std::string> outputs;   // names of the binary files now in the output folder
};

// Compiles the author's route and train files exactly as the pack with that identity would:
// each is placed in a private working folder under the name the pack gives it and in the form
// the pack writes it (CR LF line ends, nothing from the end sentinel on); a file that does not
// exist is left out, as if the pack had lost it. The binary files the run writes are then
// moved into `out` (created when missing), replacing older ones; nothing else there is touched.
// The author's files are only read.
CompileResult compile_scenario(const CompileRequest& request);

// The same compile on a state the caller holds, so that an observer given in the request may
// look at the tables as the parse fills them; `state` is left as the run left it.
CompileResult compile_scenario(const CompileRequest& request, ScenarioState& state);

}  // namespace scenario::tool
