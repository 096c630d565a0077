#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "compile_command.h"
#include "support/test_support.h"
#include "tool_main.h"

namespace scenario::tool::testing {

// What one `scenario` command line did.
struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline ToolRun run_scenario(std::vector<std::string> args) {
  args.insert(args.begin(), "scenario");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  ToolRun run;
  run.status = run_tool(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// Compiles a route and a train file into `out` as a pack of that identity would.
inline CompileResult compile_set(const std::filesystem::path& route,
                                 const std::filesystem::path& train, const std::string& line,
                                 const std::string& number, const std::filesystem::path& out,
                                 bool build_profile = true) {
  CompileRequest request;
  request.route = route;
  request.train = train;
  request.line_name = line;
  request.train_number = number;
  request.out = out;
  request.build_profile = build_profile;
  return compile_scenario(request);
}

// The same from route and train text, written into `work` first.
inline CompileResult compile_text(const std::filesystem::path& work, const std::string& route,
                                  const std::string& train, const std::string& line,
                                  const std::string& number, const std::filesystem::path& out) {
  std::filesystem::create_directories(work);
  scenario::testing::write_file(work / "route.txt", route);
  scenario::testing::write_file(work / "train.txt", train);
  return compile_set(work / "route.txt", work / "train.txt", line, number, out);
}

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace scenario::tool::testing
