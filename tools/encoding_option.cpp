#include "encoding_option.h"

#include <map>
#include <string>

namespace scenario::tool {

CLI::Option* add_encoding_option(CLI::App* command, author::EncodingChoice& choice) {
  const std::map<std::string, author::EncodingChoice> choices{
      {"auto", author::EncodingChoice::automatic},
      {"cp1252", author::EncodingChoice::cp1252},
      {"utf-8", author::EncodingChoice::utf8},
      {"utf-16", author::EncodingChoice::utf16}};
  return command
      ->add_option("--encoding", choice,
                   "How the text files are saved: auto (default: UTF-16 or UTF-8 by a byte "
                   "order mark, UTF-8 when the bytes are, else cp1252), cp1252, utf-8 or utf-16")
      ->transform(CLI::CheckedTransformer(choices, CLI::ignore_case));
}

}  // namespace scenario::tool
