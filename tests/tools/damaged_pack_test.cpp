#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "app/exit_status.h"
#include "pack_image.h"
#include "payload/payload_format.h"
#include "platform/pack_trailer.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using scenario::testing::file_names;
using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

struct PackRun {
  int status = -1;
  std::string err;
};

// Runs the pack file `name` in `folder` as a user would, with nothing on standard input.
PackRun run_pack(const TempFolder& folder, const std::string& name) {
  const std::filesystem::path pack = folder / name;
  std::filesystem::permissions(pack, std::filesystem::perms::owner_all);
  const std::string command = "cd '" + folder.path().string() + "' && './" + name +
                              "' </dev/null >/dev/null 2>'" + (folder / "stderr").string() + "'";
  const int raw = std::system(command.c_str());
  PackRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.err = read_file(folder / "stderr");
  std::filesystem::remove(folder / "stderr");
  return run;
}

std::string good_pack() {
  const std::string block =
      encode_payload({"Danno", "1",
                      "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 0, 0\n"
                      "[curve]\n[fine]\n",
                      "[generale]\nnumero vetture, 4\n[stazioni]\n[fine]\n", "", "", ""})
          .value();
  return std::get<std::string>(linux_pack_image(read_file(SCENARIO_LINUX_STUB), block));
}

TEST(DamagedPack, SaysSoWritesNothingAndEndsWithItsOwnStatus) {
  const std::string good = good_pack();
  const std::size_t block_at = read_file(SCENARIO_LINUX_STUB).size();
  using Change = std::function<std::string(std::string)>;
  const struct {
    const char* what;
    Change change;
    const char* said;
  } cases[] = {
      {"one byte of the route changed",
       [&](std::string p) {
         p[block_at + kPayloadHeaderSize + 20] ^= 0x01;
         return p;
       },
       "checksum does not match"},
      {"cut short by one byte", [](std::string p) { return p.substr(0, p.size() - 1); },
       "carries no scenario"},
      {"cut short inside the block", [&](std::string p) { return p.substr(0, block_at + 30); },
       "carries no scenario"},
      {"the block cut short behind an intact trailer",
       [&](std::string p) {
         const std::string trailer = p.substr(p.size() - kTrailerSize);
         return p.substr(0, p.size() - kTrailerSize - 10) + trailer;
       },
       "cut short"},
      {"the stub alone", [&](std::string p) { return p.substr(0, block_at); },
       "carries no scenario"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    write_file(folder / "Danno_1", c.change(good));
    const PackRun run = run_pack(folder, "Danno_1");
    EXPECT_EQ(run.status, kExitDamagedPayload);
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing was written"), std::string::npos) << run.err;
    EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"Danno_1"});
  }
}

TEST(DamagedPack, TheSamePackWholeRuns) {
  TempFolder folder;
  write_file(folder / "Danno_1", good_pack());
  const PackRun run = run_pack(folder, "Danno_1");
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_EQ(file_names(folder.path()),
            (std::vector<std::string>{"Danno_1", "Danno_1.dat", "Danno_1.sim", "Danno_1_note.txt",
                                      "Danno_1_rallentamenti.txt", "Danno_1_scheda_treno.txt",
                                      "Danno_linea.dat"}));
}

}  // namespace
}  // namespace scenario::tool
