#include "pack_names.h"

#include <gtest/gtest.h>

#include <optional>

namespace scenario::tool {
namespace {

struct NameCase {
  std::string line;
  std::string number;
  std::optional<std::string> refused;  // a fragment of the reason; nothing: accepted
};

TEST(PackIdentity, AcceptsNamesEveryFileNameCanHold) {
  const struct {
    std::string line;
    std::string number;
    std::string held_line;
  } cases[] = {
      {"Vallombra Marina_Scogliera", "4127", "Vallombra Marina_Scogliera"},
      {"Citt\xC3\xA0 Alta", "12", "Citt\xE0 Alta"},  // UTF-8 given, code page 1252 held
      {"CON2", "1", "CON2"},
      {"CONSOLE", "1", "CONSOLE"},
      {"AUX-linea", "1", "AUX-linea"},
      {"linea.1", "2", "linea.1"},
      {" spazio davanti", "1", " spazio davanti"},
      {std::string(236 - 1, 'L'), "1", std::string(235, 'L')},  // the longest name: 255
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto identity = pack_identity(c.line, c.number);
    ASSERT_TRUE(std::holds_alternative<PackIdentity>(identity))
        << std::get<NameRefusal>(identity).reason;
    EXPECT_EQ(std::get<PackIdentity>(identity).line_name, c.held_line);
    EXPECT_EQ(std::get<PackIdentity>(identity).train_number, c.number);
  }
}

TEST(PackIdentity, RefusesNamesThatCannotBeFileNames) {
  const NameCase cases[] = {
      {"", "1", "the line name is empty"},
      {"L", "", "the train number is empty"},
      {"a/b", "1", "'/'"},
      {"a\\b", "1", "'\\'"},
      {"L", "4:1",
       "'"
       ":'"},
      {"L*", "1", "'*'"},
      {"L?", "1", "'?'"},
      {"\"L\"", "1", "'\"'"},
      {"<L>", "1", "'<'"},
      {"L|M", "1", "'|'"},
      {"L\tM", "1", "control character"},
      {"L", "1\n", "control character"},
      {"Linea.", "1", "ends in a dot or a blank"},
      {"Linea ", "1", "ends in a dot or a blank"},
      {"L", "12.", "ends in a dot or a blank"},
      {"CON", "1", "device"},
      {"con", "1", "device"},
      {"Nul.linea", "1", "device"},
      {"PRN .x", "1", "device"},
      {"COM1", "1", "device"},
      {"lpt9", "1", "device"},
      {"COM\xC2\xB9", "1", "device"},  // COM¹
      {"L", "AUX", "device"},
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       "1", "code page (1252)"},           // Łódź: Ł and ź are not in it
      {"L\xC3", "1", "code page (1252)"},  // not UTF-8
      {std::string(236, 'L'), "1", "256 characters, more than 255"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line + " / " + c.number);
    const auto identity = pack_identity(c.line, c.number);
    ASSERT_TRUE(std::holds_alternative<NameRefusal>(identity));
    EXPECT_NE(std::get<NameRefusal>(identity).reason.find(*c.refused), std::string::npos)
        << std::get<NameRefusal>(identity).reason;
  }
}

}  // namespace
}  // namespace scenario::tool
