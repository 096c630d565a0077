#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace scenario::tool {

// A pack's identity as the pack holds it: code page 1252 text.
struct PackIdentity {
  std::string line_name;
  std::string train_number;
};

// Why a name given on the command line cannot be part of a pack's file names, in words.
struct NameRefusal {
  std::string reason;
};

// The identity for a line name and a train number given as UTF-8. Each becomes part of every file
// name the pack writes ("<line>_<number>.exe", "<line>_linea.txt", ...), on Windows too, so each
// must be a name Windows accepts: not empty; no character below 32 and none of < > : " / \ | ? *;
// not ending in a dot or a blank; not a device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9, in any case, alone or before a dot); and made of characters code page 1252 holds. The
// longest file name, "<line>_<number>_rallentamenti.txt", must not pass 255 characters.
std::variant<PackIdentity, NameRefusal> pack_identity(std::string_view line_name,
                                                      std::string_view train_number);

}  // namespace scenario::tool
