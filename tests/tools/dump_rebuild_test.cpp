// Every file the project writes, dumped as JSON and put back together from the documented
// layout alone: the dump must hold every byte of its file.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "compiled_sets.h"
#include "model/code_page_1252.h"
#include "support/layout_bytes.h"

namespace scenario::tool {
namespace {

using nlohmann::json;
using scenario::testing::LayoutBytes;
using scenario::testing::read_file;
using scenario::testing::TempFolder;
using testing::compile_set;
using testing::run_scenario;

const std::filesystem::path kSource = SCENARIO_SOURCE;

std::string name_bytes(const json& name) {
  const auto bytes = utf8_to_code_page_1252(name.get<std::string>());
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes.value_or("");
}

std::string table_from(const json& dump) {
  LayoutBytes file;
  EXPECT_EQ(dump.at("slots").size(), 87u);
  for (const json& slot : dump.at("slots")) {
    file.u8(slot.at("type"))
        .i32(slot.at("zone_start"))
        .i32(slot.at("zone_end"))
        .i32(slot.at("position"));
    file.u8(slot.at("param4")).counted(name_bytes(slot.at("name")));
    file.i16(slot.at("param7"))
        .i16(slot.at("param8"))
        .i16(slot.at("param10"))
        .i16(slot.at("param11"));
    file.i16(slot.at("param12")).u8(slot.at("param9")).u8(slot.at("param13")).u8(slot.at("param6"));
    file.u8(slot.at("param5")).i32(slot.at("time_s"));
  }
  return file.bytes();
}

std::string cells_from(const json& dump) {
  LayoutBytes file;
  std::int64_t index = 0;
  for (const json& cell : dump.at("cells")) {
    EXPECT_EQ(cell.at("index"), index++);
    file.u8(cell.at("kind").at("code"))
        .i16(cell.at("value1"))
        .i16(cell.at("value2"))
        .i16(cell.at("value3"));
    file.i16(cell.at("value4")).u8(cell.at("signal_time")).u8(cell.at("marker"));
    file.u8(cell.at("mountain_type")).u8(cell.at("speed_limit")).u8(cell.at("gradient"));
    file.u8(cell.at("adhesion"));
  }
  return file.bytes();
}

std::string profile_from(const json& dump) {
  LayoutBytes file;
  EXPECT_EQ(dump.at("first_row"), 0);
  for (const char* column : {"x", "y"}) {
    EXPECT_EQ(dump.at(column).size(), dump.at("last_row").get<std::size_t>() + 1);
    for (const json& element : dump.at(column)) {
      const int tag = element.at("tag");
      file.u16(tag);
      if (tag == 2) file.i16(element.at("value"));
      if (tag == 5 && element.at("value").is_null()) {
        file.u64(std::stoull(element.at("bits").get<std::string>(), nullptr, 16));
      } else if (tag == 5) {
        file.u64(std::bit_cast<std::uint64_t>(element.at("value").get<double>()));
      }
    }
  }
  return file.bytes();
}

struct Scenario {
  const char* what;
  std::filesystem::path route;
  std::filesystem::path train;
  const char* line;
  const char* number;
  int status;
};

TEST(DumpRebuild, JsonOfEveryCompiledFileRebuildsItByteForByte) {
  const std::filesystem::path shipped = kSource / "scenarios/vallombra_marina";
  const std::filesystem::path collina = kSource / "tests/tools/scenarios/collina";
  const Scenario scenarios[] = {
      {"shipped", shipped / "route.txt", shipped / "train.txt", "Vallombra Marina_Scogliera",
       "4127", kToolSuccess},
      {"collina", collina / "route.txt", collina / "train.txt", "Collina Prova", "88",
       kToolSuccess},
      // The board at 0 m takes cell 1: the error box stops the run before any binary file, so
      // this scenario leaves nothing to dump.
      {"board at zero", kSource / "tests/windows/board_at_zero/route.txt", shipped / "train.txt",
       "Cartello Zero", "4127", kToolErrorBox},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.what);
    TempFolder out;
    const CompileResult compiled = compile_set(s.route, s.train, s.line, s.number, out.path());
    ASSERT_EQ(compiled.status, s.status);
    if (s.status != kToolSuccess) {
      EXPECT_TRUE(compiled.outputs.empty());
      continue;
    }
    ASSERT_EQ(compiled.outputs.size(), 3u);
    for (const std::string& name : compiled.outputs) {
      SCOPED_TRACE(name);
      const std::filesystem::path path = out / name;
      const auto run = run_scenario({"dump", "--format", "json", path.string()});
      ASSERT_EQ(run.status, kToolSuccess) << run.err;
      EXPECT_EQ(run.err, "");
      const json dump = json::parse(run.out)["files"].at(0);
      const std::string content = dump.at("content");
      const std::string rebuilt = content == "table"   ? table_from(dump)
                                  : content == "cells" ? cells_from(dump)
                                                       : profile_from(dump);
      EXPECT_TRUE(rebuilt == read_file(path)) << "the rebuilt " << content << " differs";
    }
  }
}

TEST(DumpRebuild, AFolderDumpsItsTableCellsAndProfileInOneDocument) {
  const std::filesystem::path collina = kSource / "tests/tools/scenarios/collina";
  TempFolder out;
  ASSERT_EQ(
      compile_set(collina / "route.txt", collina / "train.txt", "Collina Prova", "88", out.path())
          .status,
      kToolSuccess);
  const auto run = run_scenario({"dump", "--format", "json", out.path().string()});
  ASSERT_EQ(run.status, kToolSuccess) << run.err;
  const json files = json::parse(run.out)["files"];
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0]["content"], "table");
  EXPECT_EQ(files[1]["content"], "cells");
  EXPECT_EQ(files[2]["content"], "profile");
  // 6000 m: cells 0 to 13000 / 50 = 260, rows 0 to 13000.
  EXPECT_EQ(files[1]["route_length"], 6000);
  EXPECT_EQ(files[1]["cells"].size(), 261u);
  EXPECT_EQ(files[2]["last_row"], 13000);
}

}  // namespace
}  // namespace scenario::tool
