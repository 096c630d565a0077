#pragma once

#include <CLI/CLI.hpp>

#include "author_text/saved_characters.h"

namespace scenario::tool {

// `--encoding cp1252|utf-8|utf-16|auto` of the commands that read the author's text files,
// filling `choice` (auto, found from each file's bytes, when not given).
CLI::Option* add_encoding_option(CLI::App* command, author::EncodingChoice& choice);

}  // namespace scenario::tool
