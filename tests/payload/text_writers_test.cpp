#include "payload/text_writers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/file_names.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::file_names;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

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
    EXPECT_EQ(text_file_bytes(c.payload), c.expected);
  }
}

class ShippedScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    state.line_name = embedded_scenario().line_name;
    state.train_number = embedded_scenario().train_number;
  }
  ScenarioState state;
  TempFolder folder;
};

TEST_F(ShippedScenario, CarriesItsIdentity) {
  EXPECT_EQ(embedded_scenario().line_name, "Vallombra Marina_Scogliera");
  EXPECT_EQ(embedded_scenario().train_number, "4127");
}

TEST_F(ShippedScenario, WritesTheFiveFilesWithTheirExactBytes) {
  ASSERT_FALSE(write_scenario_texts(state, embedded_scenario(), folder.path()).has_value());
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

// The shipped scenario's text, line by line as the pack must write it: a trailing blank lost or a
// line changed in the scenario folder would change what the simulator reads.
TEST_F(ShippedScenario, WritesEveryLineOfTheRouteAndTheTrainExactly) {
  const std::string route =
      testing::crlf_lines({"[generale]",
                           "lunghezza percorso,    13800",
                           "progressiva chilometrica uno,    0,    0,    0",
                           "progressiva chilometrica due,    0,    0,    0",
                           "progressiva chilometrica tre,    0,    0,    0",
                           "sfondo uno,    1",
                           "sfondo due,    0",
                           "sfondo tre,    0",
                           "ripetizione segnali 9 codici,    0,    8050",
                           "[curve]",
                           "curvas3,  1300,  1000",
                           "curvas4,  5200,  600",
                           "curvad4,  7250,  700",
                           "curvas4,  8250,  450",
                           "curvas4,  9200,  550",
                           "curvad4,  9750,  600",
                           "curvad5,  12800,  400",
                           "[pendenze]",
                           "[montagne]",
                           "montagna,   10600,  11000,  2",
                           "[cartelli]",
                           "indicatori_vmax,  2300,  130,  135,  135,  0,  130,  135,  135,  0",
                           "indicatori_vmax,  7450,  70,  75,  75,  0,  70,  75,  75,  0",
                           "indicatori_vmax,  12850,  50,  60,  60,  0,  ,  ,  ,  0",
                           "[indicazioni]",
                           "cartello_indicatore,  1350,   (DEV.U.)",
                           "cartello_indicatore,  1850,   (  EX   )( BIVIO )(TORVANE)",
                           "cartello_indicatore,  11200,   (  KM. )(11.200)",
                           "cartello_indicatore,  12300,   (P.L.)",
                           "cartello_indicatore,  12750,   (P.L.)",
                           "cartello_indicatore,  13350,   (P.L.)",
                           "[fine]"});
  const std::string train = testing::crlf_lines(
      {"[generale]",
       "numero vetture,    4",
       "percentuale massa frenata,    100",
       "sabbia,    0",
       "orologio,    10              10            40 ",
       "[aderenze]",
       "aderenza,   0,    100",
       "[vel_limite]",
       "velocita,   0,    30",
       "[stazioni]",
       "stazione,       0, 12,  700,  1, 0, 1,  4,1,0,  2,1,1,    1,   9, 0,40, VALLOMBRA MARINA",
       "stazione,    4800, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,   60,   9, 0,40, ROCCALTA",
       "stazione,    8050, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, SELVANERA di "
       "SCOGLIERA",
       "stazione,   12500, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, DARSENA di "
       "SCOGLIERA",
       "stazione,   13800,  6,  300,  1, 0, 1,  1,1,0,  2,1,1,   60,  12, 0, 0, SCOGLIERA",
       "[rallentamenti]",
       "[segnali]",
       "segnale,   11950,   2, 5, 6,  0, 0,    0,  0,0,0, 0",
       "segnale,   13200,   2, 3, 4,  0, 1,    0,  0,0,0, 0",
       "[codici]",
       "[fine]"});
  ASSERT_FALSE(write_scenario_texts(state, embedded_scenario(), folder.path()).has_value());
  EXPECT_EQ(read_file(folder / route_text_name(state)), route);
  EXPECT_EQ(read_file(folder / train_text_name(state)), train);
}

TEST_F(ShippedScenario, ReplacesOlderLongerFilesWhole) {
  const std::string older(100000, 'z');
  write_file(folder / route_text_name(state), older);
  write_file(folder / notes_text_name(state), older);
  ASSERT_FALSE(write_scenario_texts(state, embedded_scenario(), folder.path()).has_value());
  EXPECT_EQ(read_file(folder / route_text_name(state)), text_file_bytes(embedded_scenario().route));
  EXPECT_EQ(std::filesystem::file_size(folder / notes_text_name(state)), 0u);
  EXPECT_EQ(file_names(folder.path()).size(), 5u);
}

TEST_F(ShippedScenario, WritesInOrderAndStopsAtTheFirstFileThatCannotBeWritten) {
  // A folder has taken the name of one file. The files before it in the order (route, train,
  // notes, slowdowns, train sheet) are written, the ones after it are not, and the route and
  // train files, which no compile will now read, are removed again.
  struct Case {
    std::string blocked;
    std::vector<std::string> written;
    std::vector<std::string> not_written;
  };
  const std::vector<Case> cases = {
      {notes_text_name(state), {}, {slowdowns_text_name(state), sheet_text_name(state)}},
      {sheet_text_name(state), {notes_text_name(state), slowdowns_text_name(state)}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.blocked);
    for (const std::string& name : file_names(folder.path())) {
      std::filesystem::remove_all(folder / name);
    }
    std::filesystem::create_directory(folder / c.blocked);
    const auto fault = write_scenario_texts(state, embedded_scenario(), folder.path());
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->path, folder / c.blocked);
    for (const std::string& name : c.written) EXPECT_TRUE(std::filesystem::exists(folder / name));
    for (const std::string& name : c.not_written) {
      EXPECT_FALSE(std::filesystem::exists(folder / name));
    }
    EXPECT_FALSE(std::filesystem::exists(folder / route_text_name(state)));
    EXPECT_FALSE(std::filesystem::exists(folder / train_text_name(state)));
  }
}

}  // namespace
}  // namespace scenario
