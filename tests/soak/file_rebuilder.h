#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scenario::testing {

// A compiled file put back together from its JSON dump, or why it could not be.
struct RebuiltFile {
  std::string file;     // the name the dump gave it
  std::string content;  // "table", "cells" or "profile"
  std::string bytes;
  std::string fault;  // empty when the dump held everything the file needs

  bool whole() const { return fault.empty(); }
};

// Rebuilds every file of one `scenario dump --format json` document ({"files": [...]}) into
// the bytes of the file it was dumped from, by the layout the README gives and nothing else:
// little-endian two's complement integers at their widths, reals as their eight IEEE bytes,
// names as a 16-bit byte count and their code page 1252 bytes, no header, no padding. Fields
// are taken by name, whatever their order in the JSON. A value that does not fit its field, a
// field or record missing or out of place, or a name with a character the code page lacks is a
// fault of that file: the dump must have got it wrong. A document that is no JSON gives one
// file with only the fault.
//
// The document is read as a stream of events, never held as a tree: a long line's profile has
// hundreds of thousands of elements.
std::vector<RebuiltFile> rebuild_files(std::string_view dump);

}  // namespace scenario::testing
