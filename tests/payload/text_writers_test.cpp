#include "payload/text_writers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/file_names.h"
#include "platform/disk_folder.h"
#include "platform/file_system.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::bytes_written;
using testing::file_names;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

std::string streamed_text(std::string_view payload) {
  return bytes_written([&](ByteWriter& out) { write_text_file(out, payload); });
}

// Counts the lines of a text file written with CR LF ends.
int count_crlf_lines(const std::string& bytes) {
  int lines = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    lines += bytes[i] == '\r' && bytes[i + 1] == '\n';
  return lines;
}

TEST(TextFileBytes, EndsEveryLineWithCrLfAndStopsAtTheSentinel) {
  const struct {
    std::string payload;
    std::string expected;
  } cases[] = {
      {"", ""},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\nb", "a\r\nb\r\n"},          // no final line feed: still a line
      {"a\r\nb\r\n", "a\r\nb\r\n"},    // CR LF in the source is one line end
      {"a\n\nb\n", "a\r\n\r\nb\r\n"},  // an empty line is kept
      {"x 40 \n", "x 40 \r\n"},        // a trailing blank is kept
      {"a\nriferimento fine del file\nb\n", "a\r\n"},
      {"riferimento fine del file\n", ""},
      {"a\nRiferimento fine del file\n", "a\r\nRiferimento fine del file\r\n"},  // exact match only
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.payload);
    EXPECT_EQ(streamed_text(c.payload), c.expected);
    EXPECT_EQ(text_file_bytes(c.payload), c.expected);
  }
}

class ShippedScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    state.line_name = embedded_scenario().line_name;
    state.train_number = embedded_scenario().train_number;
  }
  FileResult<> write_texts() {
    DiskFolder sink(folder.path());
    return write_scenario_texts(state, embedded_scenario(), sink);
  }

  ScenarioState state;
  TempFolder folder;
};

TEST_F(ShippedScenario, CarriesItsIdentity) {
  EXPECT_EQ(embedded_scenario().line_name, "Vallombra Marina_Scogliera");
  EXPECT_EQ(embedded_scenario().train_number, "4127");
}

TEST_F(ShippedScenario, WritesTheFiveFilesWithTheirExactBytes) {
  ASSERT_TRUE(write_texts().ok());
  EXPECT_EQ(file_names(folder.path()),
            (std::vector<std::string>{"Vallombra Marina_Scogliera_4127-.txt",
                                      "Vallombra Marina_Scogliera_4127_note.txt",
                                      "Vallombra Marina_Scogliera_4127_rallentamenti.txt",
                                      "Vallombra Marina_Scogliera_4127_scheda_treno.txt",
                                      "Vallombra Marina_Scogliera_linea.txt"}));

  const std::string route = read_file(folder / route_text_name(state));
  EXPECT_EQ(count_crlf_lines(route), 32);
  EXPECT_EQ(route.substr(0, 42), "[generale]\r\nlunghezza percorso,    13800\r\n");
  EXPECT_NE(route.find("\r\ncartello_indicatore,  1850,   (  EX   )( BIVIO )(TORVANE)\r\n"),
            std::string::npos);
  EXPECT_NE(route.find("\r\n[pendenze]\r\n[montagne]\r\n"), std::string::npos);
  EXPECT_TRUE(route.ends_with("(P.L.)\r\n[fine]\r\n"));

  const std::string train = read_file(folder / train_text_name(state));
  EXPECT_EQ(count_crlf_lines(train), 21);
  EXPECT_NE(train.find("\r\norologio,    10              10            40 \r\n"),
            std::string::npos);
  EXPECT_NE(train.find("\r\nstazione,    8050, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, "
                       "0, 0, SELVANERA di SCOGLIERA\r\n"),
            std::string::npos);
  EXPECT_TRUE(train.ends_with("\r\n[codici]\r\n[fine]\r\n"));
  EXPECT_EQ(train.find("riferimento"), std::string::npos);
  EXPECT_EQ(route.find("riferimento"), std::string::npos);

  for (const std::string& empty :
       {notes_text_name(state), slowdowns_text_name(state), sheet_text_name(state)}) {
    EXPECT_EQ(std::filesystem::file_size(folder / empty), 0u) << empty;
  }
}

// Each text file as the pack writes it is its scenario file, every byte carried through the
// embedding (trailing blanks, runs of blanks), with CR LF line ends: a byte lost or changed on
// the way would change what the simulator reads.
TEST_F(ShippedScenario, WritesEachFileAsItsScenarioFileHoldsIt) {
  const std::filesystem::path source = SHIPPED_SCENARIO;
  ASSERT_TRUE(write_texts().ok());
  const struct {
    std::string written;
    const char* source;
  } files[] = {
      {route_text_name(state), "route.txt"}, {train_text_name(state), "train.txt"},
      {notes_text_name(state), "notes.txt"}, {slowdowns_text_name(state), "slowdowns.txt"},
      {sheet_text_name(state), "sheet.txt"},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.source);
    const std::string original = read_file(source / f.source);
    EXPECT_EQ(read_file(folder / f.written), text_file_bytes(original));
  }
}

TEST_F(ShippedScenario, ReplacesOlderLongerFilesWhole) {
  const std::string older(100000, 'z');
  write_file(folder / route_text_name(state), older);
  write_file(folder / notes_text_name(state), older);
  ASSERT_TRUE(write_texts().ok());
  EXPECT_EQ(read_file(folder / route_text_name(state)), text_file_bytes(embedded_scenario().route));
  EXPECT_EQ(std::filesystem::file_size(folder / notes_text_name(state)), 0u);
  EXPECT_EQ(file_names(folder.path()).size(), 5u);
}

TEST_F(ShippedScenario, AsksForTheFilesInThePacksOrder) {
  testing::MemorySink sink;
  ASSERT_TRUE(write_scenario_texts(state, embedded_scenario(), sink).ok());
  EXPECT_EQ(sink.replaced,
            (std::vector<std::string>{route_text_name(state), train_text_name(state),
                                      notes_text_name(state), slowdowns_text_name(state),
                                      sheet_text_name(state)}));
  EXPECT_EQ(sink.files[route_text_name(state)], text_file_bytes(embedded_scenario().route));
}

TEST_F(ShippedScenario, WritesInOrderAndStopsAtTheFirstFileThatCannotBeWritten) {
  // The notes file (third in order) cannot be written: a folder has taken its name.
  std::filesystem::create_directory(folder / notes_text_name(state));
  const FileResult<> written = write_texts();
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.fault().path, folder / notes_text_name(state));
  EXPECT_TRUE(std::filesystem::exists(folder / route_text_name(state)));
  EXPECT_TRUE(std::filesystem::exists(folder / train_text_name(state)));
  EXPECT_FALSE(std::filesystem::exists(folder / slowdowns_text_name(state)));
  EXPECT_FALSE(std::filesystem::exists(folder / sheet_text_name(state)));
}

}  // namespace
}  // namespace scenario
