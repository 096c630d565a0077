#include "encoding_option.h"

#include "word_choice.h"

namespace scenario::tool {

CLI::Option* add_encoding_option(CLI::App* command, author::EncodingChoice& choice) {
  return add_word_option<author::EncodingChoice>(
      command, "--encoding", choice,
      {{"auto", author::EncodingChoice::automatic},
       {"cp1252", author::EncodingChoice::cp1252},
       {"utf-8", author::EncodingChoice::utf8},
       {"utf-16", author::EncodingChoice::utf16}},
      "How the text files are saved: auto (default: UTF-16 or UTF-8 by a byte order mark, UTF-8 "
      "when the bytes are, else cp1252), cp1252, utf-8 or utf-16");
}

}  // namespace scenario::tool
