#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "author_text/saved_characters.h"
#include "author_text/saved_columns.h"

namespace scenario::author {

// An author's text file as the compile reads it: code page 1252 text, the pack's, whatever
// the editor saved. The line ends are those of the file, untouched.
struct AuthorText {
  std::string text;                               // code page 1252
  SavedEncoding read_as = SavedEncoding::cp1252;  // how the file was read
  bool byte_order_mark = false;                   // the file began with one (not in `text`)
  bool converted = false;                         // `text` is not the bytes of the file
  SavedColumns columns;                           // where text's columns stand in the file
};

// A place in the file as the author saved it: the line from 1 and the column in bytes of the
// file from 1 (after the byte order mark on line 1).
struct SavedPlace {
  std::int32_t line = 0;
  std::int32_t column = 0;
};

// Why a file cannot be given to the compile: a character code page 1252 has no byte for, or
// bytes that are not text in the encoding it was read in. `message` is UTF-8.
struct TextRefusal {
  SavedPlace where;
  std::string message;
};

// The code page 1252 text of the bytes `saved` of an author's file, read as `choice` says (see
// saved_form): text in the code page is given as it is; UTF-8 and UTF-16 are converted one
// character to one byte, the byte order mark dropped. The first character the code page cannot
// hold, or the first bytes that are no character, refuse the whole file.
std::variant<AuthorText, TextRefusal> read_author_text(std::string_view saved,
                                                       EncodingChoice choice);

}  // namespace scenario::author
