// The soak's rebuilder follows the documented layout: hand-made dumps give the bytes worked out
// by hand from the layout, whatever order the JSON tells the fields in, and a dump that lost a
// value or decoded it wrongly is refused rather than rebuilt into some other file.
#include "soak/file_rebuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario::testing {
namespace {

std::string bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list) out.push_back(static_cast<char>(b));
  return out;
}

std::string document(const std::string& file) { return "{\"files\":[" + file + "]}"; }

// A table of 87 empty slots but slot 3, whose fields are `slot3`.
std::string table_dump(const std::string& slot3) {
  std::string slots;
  for (int k = 0; k < 87; ++k) {
    if (k > 0) slots += ',';
    slots += k == 3 ? slot3
                    : "{\"slot\":" + std::to_string(k) +
                          ",\"type\":0,\"zone_start\":0,\"zone_end\":0,\"position\":0,\"param4\":0,"
                          "\"name\":\"\",\"param7\":0,\"param8\":0,\"param10\":0,\"param11\":0,"
                          "\"param12\":0,\"param9\":0,\"param13\":0,\"param6\":0,\"param5\":0,"
                          "\"time_s\":0}";
  }
  return document("{\"file\":\"a/L_T.sim\",\"content\":\"table\",\"slots\":[" + slots + "]}");
}

// Fields out of the file's order, the name with a letter and the euro sign of code page 1252.
const std::string kSlot3 =
    "{\"time_s\":3600,\"slot\":3,\"type\":7,\"zone_start\":-2,\"zone_end\":70000,\"position\":0,"
    "\"param4\":255,\"name\":\"Citt\u00e0\u20ac\",\"param7\":610,\"param8\":-1,\"param10\":0,"
    "\"param11\":0,\"param12\":0,\"param9\":1,\"param13\":2,\"param6\":3,\"param5\":4}";

std::string table_bytes() {
  std::string file;
  for (int k = 0; k < 87; ++k) {
    if (k != 3) {
      file += std::string(34, '\0');
      continue;
    }
    file += bytes({0x07, 0xFE, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00, 0, 0, 0, 0, 0xFF});
    file += bytes({0x06, 0x00, 'C', 'i', 't', 't', 0xE0, 0x80});
    file += bytes({0x62, 0x02, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 0x10, 0x0E, 0, 0});
  }
  return file;
}

std::string cells_dump(const std::string& cell1) {
  return document(
      "{\"file\":\"a/L_T.dat\",\"content\":\"cells\",\"route_length\":null,\"cells\":["
      "{\"index\":0,\"kind\":{\"code\":0,\"name\":\"empty\"},\"value1\":0,\"value2\":0,"
      "\"value3\":0,\"value4\":0,\"signal_time\":0,\"marker\":0,\"mountain_type\":0,"
      "\"speed_limit\":0,\"gradient\":0,\"adhesion\":0}," +
      cell1 + "]}");
}

const std::string kCell1 =
    "{\"index\":1,\"kind\":{\"code\":1,\"name\":\"signal\"},\"value1\":5121,\"value2\":-32768,"
    "\"value3\":32767,\"value4\":0,\"signal_time\":9,\"marker\":0,\"mountain_type\":0,"
    "\"speed_limit\":6,\"gradient\":100,\"adhesion\":100}";

std::string cells_bytes() {
  return std::string(15, '\0') +
         bytes({0x01, 0x01, 0x14, 0x00, 0x80, 0xFF, 0x7F, 0, 0, 9, 0, 0, 6, 0x64, 0x64});
}

std::string profile_dump(const std::string& columns) {
  return document("{\"file\":\"a/L_linea.dat\",\"content\":\"profile\",\"route_length\":null," +
                  columns + "}");
}

const std::string kX = "\"x\":[{\"tag\":2,\"value\":0},{\"tag\":5,\"value\":2.0}]";
const std::string kY =
    "\"y\":[{\"tag\":0},{\"tag\":5,\"value\":null,\"bits\":\"7ff8000000000001\"}]";

std::string profile_bytes() {
  return bytes({0x02, 0x00, 0x00, 0x00, 0x05, 0x00, 0, 0, 0, 0, 0, 0, 0, 0x40}) +
         bytes({0x00, 0x00, 0x05, 0x00, 0x01, 0, 0, 0, 0, 0, 0xF8, 0x7F});
}

struct Case {
  const char* what;
  std::string dump;
  std::string file;   // the bytes expected, when `fault` is empty
  const char* fault;  // a part of the fault expected
};

TEST(FileRebuilder, RebuildsTheDocumentedLayoutAndRefusesWhatDoesNotFitIt) {
  const std::string cell1_marker_256 = cells_dump(
      "{\"index\":1,\"kind\":{\"code\":1,\"name\":\"signal\"},\"value1\":0,\"value2\":0,"
      "\"value3\":0,\"value4\":0,\"signal_time\":0,\"marker\":256,\"mountain_type\":0,"
      "\"speed_limit\":0,\"gradient\":0,\"adhesion\":0}");
  const std::string cell1_without_adhesion = cells_dump(
      "{\"index\":1,\"kind\":{\"code\":1,\"name\":\"signal\"},\"value1\":0,\"value2\":0,"
      "\"value3\":0,\"value4\":0,\"signal_time\":0,\"marker\":0,\"mountain_type\":0,"
      "\"speed_limit\":0,\"gradient\":0}");
  std::string skipped = kCell1;
  skipped.replace(skipped.find("\"index\":1"), 9, "\"index\":2");
  std::string beyond_code_page = kSlot3;
  beyond_code_page.replace(beyond_code_page.find("Citt"), 4, "\u0100");
  const Case cases[] = {
      {"a table", table_dump(kSlot3), table_bytes(), ""},
      {"cells", cells_dump(kCell1), cells_bytes(), ""},
      {"a profile", profile_dump("\"last_row\":1,\"first_row\":0," + kX + "," + kY),
       profile_bytes(), ""},
      {"a profile telling y first", profile_dump(kY + ",\"first_row\":0,\"last_row\":1," + kX),
       profile_bytes(), ""},
      {"a u8 of 256", cell1_marker_256, "", "cell 1: marker is 256, outside 0 to 255"},
      {"a field left out", cell1_without_adhesion, "", "cell 1: adhesion is missing"},
      {"a cell left out", cells_dump(skipped), "", "cell 1: index does not count the records"},
      {"a name beyond the code page", table_dump(beyond_code_page), "",
       "slot 3: name is no code page 1252 text"},
      {"a tag without a layout",
       profile_dump("\"last_row\":0,\"first_row\":0,\"x\":[{\"tag\":3}],\"y\":[{\"tag\":0}]"), "",
       "x of row 0: tag 3 has no layout"},
      {"a row left out",
       profile_dump("\"last_row\":1,\"first_row\":0," + kX + ",\"y\":[{\"tag\":0}]"), "",
       "x and y hold 2 and 1 rows, not rows 0 to 1"},
      {"a part of the rows", profile_dump("\"last_row\":1,\"first_row\":1," + kX + "," + kY), "",
       "the rows are not told as 0 to last_row"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<RebuiltFile> files = rebuild_files(c.dump);
    ASSERT_EQ(files.size(), 1u);
    if (std::string(c.fault).empty()) {
      EXPECT_EQ(files[0].fault, "");
      EXPECT_TRUE(files[0].bytes == c.file) << "the rebuilt bytes differ";
    } else {
      EXPECT_NE(files[0].fault.find(c.fault), std::string::npos) << files[0].fault;
    }
  }
}

TEST(FileRebuilder, ADocumentThatIsNoJsonIsOneFault) {
  const std::vector<RebuiltFile> files = rebuild_files("{\"files\":[{\"content\":\"cells\"");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_NE(files[0].fault.find("no JSON"), std::string::npos) << files[0].fault;
}

}  // namespace
}  // namespace scenario::testing
