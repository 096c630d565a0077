#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "author_text/saved_characters.h"

namespace scenario::tool {

// What `scenario report` is asked for: the author's two text files, the scenario's identity,
// the page to write and, optionally, the two pictures as SVG files of their own. An output that
// names a folder (output_path.h) takes the scenario's name in it: "<line>_<number>.html",
// "<line>_<number>_map.svg", "<line>_<number>_profile.svg"; missing folders are made.
struct ReportRequest {
  std::filesystem::path route;
  std::filesystem::path train;
  std::string line_name;
  std::string train_number;
  std::filesystem::path html;
  std::filesystem::path map_svg;      // empty: not written
  std::filesystem::path profile_svg;  // empty: not written
  bool build_profile = true;
  author::EncodingChoice encoding = author::EncodingChoice::automatic;
};

// Compiles the author's files as `scenario compile` does, in a private working folder (the
// author's files are only read, no binary file is kept), and writes the report of the compiled
// scenario: the page, and the pictures asked for. To tell the train file's code changes from
// those of the placement pass, the same files are first parsed once on their own, which gives
// the cells as they stand before the placement. A recorded failure is also written to `err` as
// `scenario compile` writes it, then one line names what was written. Returns the exit status of
// compile_command.h: 0, 1 or 2 as the compile would (the page is written in each case), 64 without
// writing anything when an output would be the route or the train file itself, 74 when a file could
// not be read or written. A file that cannot be converted to code page 1252 is told as
// `scenario compile` tells it, and nothing is written (status 1).
int write_report(const ReportRequest& request, std::ostream& err);

}  // namespace scenario::tool
