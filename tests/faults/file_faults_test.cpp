// Every file operation of a whole pack run, of `scenario compile` and of `scenario pack`, made to
// fail one at a time with a real system error through the fault library (fault_shim.cpp). The
// steps are counted by a first run that fails nothing; each row of the table then fails one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "faults/child_run.h"
#include "model/file_fault.h"
#include "support/test_support.h"

namespace scenario::testing {
namespace {

namespace fs = std::filesystem;

const std::string kLine = "Vallombra Marina_Scogliera";
const std::string kTrain = "4127";
constexpr std::string_view WorkingFolderPrefix = "scenario-compile-run-";

struct Step {
  std::string kind;  // open, write, fsync, rename, unlink, close
  fs::path path;
  long ordinal = 0;  // which call of its kind, from 1
};

// The watched calls a run made, from the fault library's log.
std::vector<Step> steps_in(const fs::path& log) {
  std::vector<Step> steps;
  std::map<std::string, long> seen;
  std::ifstream in(log);
  std::string kind, path;
  while (in >> kind && std::getline(in >> std::ws, path)) {
    steps.push_back({kind, path, ++seen[kind]});
  }
  return steps;
}

// How many calls of each kind the steps hold; every kind must be among them, or the fault
// library is watching nothing and the table would pass without testing anything.
std::map<std::string, int> kinds_seen(const std::vector<Step>& steps) {
  std::map<std::string, int> kinds;
  for (const Step& step : steps) ++kinds[step.kind];
  for (const char* kind : {"open", "write", "fsync", "rename", "unlink", "close"}) {
    EXPECT_GT(kinds[kind], 0) << "no " << kind << " seen: the fault library watches nothing";
  }
  return kinds;
}

bool is_temporary(const fs::path& path) {
  const std::string name = path.filename().string();
  return name.starts_with(".") && name.ends_with(".tmp");
}

// ".<name>.<pid>.<attempt>.tmp" stands in for <name> until it is renamed onto it.
fs::path target_of(const fs::path& path) {
  if (!is_temporary(path)) return path;
  std::string name = path.filename().string().substr(1);
  for (int part = 0; part < 3; ++part) name.erase(name.rfind('.'));
  return path.parent_path() / name;
}

const std::vector<std::pair<std::string, int>> kErrors = {
    {"ENOSPC", ENOSPC}, {"EIO", EIO}, {"EACCES", EACCES}, {"EROFS", EROFS}};

std::map<std::string, std::string> fault_env(const fs::path& under, const Step& step,
                                             const std::string& error) {
  return {{"LD_PRELOAD", SCENARIO_FAULT_SHIM},
          {"ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=1:abort_on_error=1"},
          {"FAULT_UNDER", under.string()},
          {"FAULT_OP", step.kind},
          {"FAULT_AT", std::to_string(step.ordinal)},
          {"FAULT_ERRNO", error},
          {"FAULT_LOG", ""}};
}

std::map<std::string, std::string> counting_env(const fs::path& under, const fs::path& log) {
  return {{"LD_PRELOAD", SCENARIO_FAULT_SHIM},
          {"ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=1:abort_on_error=1"},
          {"FAULT_UNDER", under.string()},
          {"FAULT_OP", ""},
          {"FAULT_LOG", log.string()}};
}

std::string old_version(const std::string& name) { return "old " + name + "\r\n"; }

void lay_old_versions(const fs::path& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names) write_file(folder / name, old_version(name));
}

// What a faulted run must leave, besides its status and message.
enum class After {
  old_or_new,       // each output is its old or its new version; the faulted one is old
  texts_read_fail,  // a text file could not be read: the recorded failure, nothing left over
};

struct Row {
  Step step;
  std::string error_name;
  int error = 0;
  int status = 0;
  std::vector<std::string> message;  // each must appear on standard error
  fs::path untouched;                // output that must still hold its old version
  std::string may_stay;              // a file the run may leave behind
  After after = After::old_or_new;
};

// A row for the step, failing it with the next of the chosen errors in turn; its outcome is
// the caller's to fill.
Row row_failing(const Step& step, std::size_t index) {
  Row row;
  row.step = step;
  row.error_name = kErrors[index % kErrors.size()].first;
  row.error = kErrors[index % kErrors.size()].second;
  return row;
}

// The steps `scenario compile` and `scenario pack` take alike in the system's temporary folder
// `temporary`: looking for abandoned working folders, holding a new one, placing the author's
// texts there as the pack writes them, compiling them and emptying the folder again.
struct WorkingFolderStep {
  fs::path temporary;
  std::string route_text;  // the names the copies have there
  std::string train_text;

  bool holds(const Step& step) const {
    return step.path == temporary || step.path.string().starts_with(temporary.string() + "/");
  }

  // Reading back, or deleting once read, a copy placed for the run.
  bool reads_back_a_copy(const Step& step) const {
    const std::string name = step.path.filename().string();
    return step.path.parent_path() != temporary && !is_temporary(step.path) &&
           (name == route_text || name == train_text) &&
           (step.kind == "open" || step.kind == "unlink");
  }

  // Every other step there.
  void fill(Row& row) const {
    const Step& step = row.step;
    if (step.path == temporary || step.path.parent_path() == temporary ||
        (!is_temporary(step.path) && step.kind != "rename" && step.kind != "write" &&
         step.kind != "fsync")) {
      // Looking for abandoned working folders, holding the new one, closing and deleting the
      // copies, emptying the folder: a fault there changes nothing the author gets, and a folder
      // left over goes with the next compile.
      row.status = 0;
      return;
    }
    // A file of the working folder, whose name changes from run to run.
    row.status = 74;
    row.message = {
        "scenario: cannot go on: " + path_text(temporary) + "/" + std::string(WorkingFolderPrefix),
        "/" + target_of(step.path).filename().string() + ": " + std::strerror(row.error)};
  }
};

void expect_each_old_or_new(const fs::path& folder, const std::vector<std::string>& names,
                            const std::map<std::string, std::string>& fresh,
                            const fs::path& untouched) {
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fs::exists(folder / name));
    const std::string bytes = read_file(folder / name);
    if (folder / name == untouched) {
      EXPECT_EQ(bytes, old_version(name)) << "the file the fault was about was changed";
    } else {
      EXPECT_TRUE(bytes == old_version(name) || bytes == fresh.at(name)) << "torn or foreign";
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The pack

class PackFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    pack_ = folder_ / fs::path(SCENARIO_PACK).filename().string();
    fs::copy_file(SCENARIO_PACK, pack_);
    const ChildEnd clean = run_child({pack_.string()}, folder_.path(), {});
    ASSERT_EQ(clean.status, 0) << clean.err;
    for (const std::string& name : outputs_) fresh_[name] = read_file(folder_ / name);
  }

  std::vector<std::string> left_over() const {
    std::vector<std::string> names;
    const std::set<std::string> expected(outputs_.begin(), outputs_.end());
    for (const std::string& name : file_names(folder_.path())) {
      if (name != pack_.filename().string() && !expected.contains(name)) names.push_back(name);
    }
    return names;
  }

  Row row_for(const Step& step, std::size_t index) const {
    Row row;
    row.step = step;
    row.error_name = kErrors[index % kErrors.size()].first;
    row.error = kErrors[index % kErrors.size()].second;
    const fs::path target = target_of(step.path);
    const std::string name = target.filename().string();
    const bool text_read = !is_temporary(step.path) && step.kind != "rename" &&
                           (name == route_text_ || name == train_text_);
    if (text_read && step.kind == "open") {
      // A text file that cannot be read back is the compile's read fault: error 25. Without the
      // route there are no cells, so no binary file is written.
      row.status = name == route_text_ ? 3 : 1;
      row.message = {"error 25"};
      row.after = After::texts_read_fail;
    } else if (text_read && step.kind == "unlink") {
      // A text file that will not go after it was read is a fault of the text files too: the
      // compile's error 25, and the binary files hold what was compiled before it.
      row.status = 1;
      row.message = {"error 25"};
      row.after = After::texts_read_fail;
      row.may_stay = name;
    } else if (text_read) {
      row.status = 0;  // closing a file read whole changes nothing
    } else {
      row.status = 74;
      row.message = {"Cannot write " + path_text(target) + ": " + std::strerror(row.error)};
      row.untouched = target;
    }
    return row;
  }

  TempFolder folder_;
  fs::path pack_;
  const std::string route_text_ = kLine + "_linea.txt";
  const std::string train_text_ = kLine + "_" + kTrain + "-.txt";
  const std::vector<std::string> outputs_ = {kLine + "_" + kTrain + "_note.txt",
                                             kLine + "_" + kTrain + "_rallentamenti.txt",
                                             kLine + "_" + kTrain + "_scheda_treno.txt",
                                             kLine + "_linea.dat",
                                             kLine + "_" + kTrain + ".sim",
                                             kLine + "_" + kTrain + ".dat"};
  std::map<std::string, std::string> fresh_;
};

TEST_F(PackFaults, EveryStepOfAWholeRunFailsCleanly) {
  TempFolder logs;
  lay_old_versions(folder_.path(), outputs_);
  const ChildEnd counted =
      run_child({pack_.string()}, folder_.path(), counting_env(folder_.path(), logs / "steps"));
  ASSERT_EQ(counted.status, 0) << counted.err;
  const std::vector<Step> steps = steps_in(logs / "steps");
  // Five text files and three binary files, each written through a temporary file, and two
  // text files read back and deleted.
  std::map<std::string, int> kinds = kinds_seen(steps);
  EXPECT_EQ(kinds["rename"], 8);
  EXPECT_EQ(kinds["fsync"], 8);
  EXPECT_EQ(kinds["unlink"], 2);
  std::cout << "failing each of the " << steps.size() << " file operations of a pack run\n";

  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Row row = row_for(steps[i], i);
    SCOPED_TRACE(row.step.kind + " #" + std::to_string(row.step.ordinal) + " " +
                 row.step.path.string() + " " + row.error_name);
    lay_old_versions(folder_.path(), outputs_);
    const ChildEnd end = run_child({pack_.string()}, folder_.path(),
                                   fault_env(folder_.path(), row.step, row.error_name));
    ASSERT_EQ(end.signal, 0) << end.err;
    EXPECT_EQ(end.status, row.status) << end.err;
    for (const std::string& part : row.message) {
      EXPECT_NE(end.err.find(part), std::string::npos) << "no \"" << part << "\" in " << end.err;
    }
    if (row.status == 0) {
      for (const std::string& name : outputs_) {
        EXPECT_TRUE(read_file(folder_ / name) == fresh_[name]) << name << " is not the new one";
      }
    } else if (row.after == After::old_or_new) {
      expect_each_old_or_new(folder_.path(), outputs_, fresh_, row.untouched);
    }
    std::vector<std::string> left = left_over();
    std::erase(left, row.may_stay);
    EXPECT_EQ(left, std::vector<std::string>{});
  }
}

// ---------------------------------------------------------------------------------------------
// `scenario compile`

class CompileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(author_);
    fs::create_directories(out_);
    fs::create_directories(temporary_);
    fs::copy_file(SCENARIO_ROUTE, author_ / "route.txt");
    fs::copy_file(SCENARIO_TRAIN, author_ / "train.txt");
    const ChildEnd clean = compile({});
    ASSERT_EQ(clean.status, 0) << clean.err;
    for (const std::string& name : outputs_) fresh_[name] = read_file(out_ / name);
  }

  ChildEnd compile(std::map<std::string, std::string> env) const {
    env["TMPDIR"] = temporary_.string();
    return run_child({SCENARIO_TOOL, "compile", "--route", (author_ / "route.txt").string(),
                      "--train", (author_ / "train.txt").string(), "--line", kLine, "--number",
                      kTrain, "--out", out_.string()},
                     folder_.path(), env);
  }

  Row row_for(const Step& step, std::size_t index) const {
    Row row = row_failing(step, index);
    const fs::path target = target_of(step.path);
    const std::string reason = std::strerror(row.error);
    const WorkingFolderStep working{temporary_, route_text_, train_text_};
    if (working.holds(step)) {
      if (working.reads_back_a_copy(step)) {
        // The copy placed for the run cannot be read back, or will not go once read: the
        // compile's read fault, error 25, as the pack would record it on this machine.
        row.status = 1;
        row.after = After::texts_read_fail;
      } else {
        working.fill(row);
      }
    } else if (step.path.parent_path() == author_ && step.kind == "open") {
      row.status = 74;
      row.message = {"scenario: cannot go on: " + path_text(step.path) + ": " + reason};
    } else if (step.path.parent_path() == author_) {
      row.status = 0;  // closing a file read whole changes nothing
    } else if (step.kind == "rename" && target.parent_path() == out_) {
      row.status = 74;
      row.message = {"scenario: cannot go on: " + path_text(target) + ": " + reason};
      row.untouched = target;
    } else {
      ADD_FAILURE() << "a step the table does not know: " << step.kind << " " << step.path;
    }
    return row;
  }

  std::vector<std::string> hidden_in_out() const {
    std::vector<std::string> names;
    for (const std::string& name : file_names(out_)) {
      if (std::find(outputs_.begin(), outputs_.end(), name) == outputs_.end()) {
        names.push_back(name);
      }
    }
    return names;
  }

  TempFolder folder_;
  const fs::path author_ = folder_ / "author";
  const fs::path out_ = folder_ / "out";
  const fs::path temporary_ = folder_ / "tmp";
  const std::string route_text_ = kLine + "_linea.txt";
  const std::string train_text_ = kLine + "_" + kTrain + "-.txt";
  const std::vector<std::string> outputs_ = {kLine + "_linea.dat", kLine + "_" + kTrain + ".sim",
                                             kLine + "_" + kTrain + ".dat"};
  std::map<std::string, std::string> fresh_;
};

TEST_F(CompileFaults, EveryStepOfACompileFailsCleanly) {
  TempFolder logs;
  lay_old_versions(out_, outputs_);
  const ChildEnd counted = compile(counting_env(folder_.path(), logs / "steps"));
  ASSERT_EQ(counted.status, 0) << counted.err;
  const std::vector<Step> steps = steps_in(logs / "steps");
  kinds_seen(steps);
  std::cout << "failing each of the " << steps.size() << " file operations of a compile\n";

  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Row row = row_for(steps[i], i);
    SCOPED_TRACE(row.step.kind + " #" + std::to_string(row.step.ordinal) + " " +
                 row.step.path.string() + " " + row.error_name);
    lay_old_versions(out_, outputs_);
    const ChildEnd end = compile(fault_env(folder_.path(), row.step, row.error_name));
    ASSERT_EQ(end.signal, 0) << end.err;
    EXPECT_EQ(end.status, row.status) << end.err;
    for (const std::string& part : row.message) {
      EXPECT_NE(end.err.find(part), std::string::npos) << "no \"" << part << "\" in " << end.err;
    }
    if (row.status == 0) {
      for (const std::string& name : outputs_) {
        EXPECT_TRUE(read_file(out_ / name) == fresh_[name]) << name << " is not the new one";
      }
    } else if (row.after == After::old_or_new) {
      expect_each_old_or_new(out_, outputs_, fresh_, row.untouched);
    }
    EXPECT_EQ(hidden_in_out(), std::vector<std::string>{});
    // A working folder a fault kept from going is removed by the next compile.
    if (!file_names(temporary_).empty()) {
      const ChildEnd next = compile({});
      EXPECT_EQ(next.status, 0) << next.err;
    }
    EXPECT_EQ(file_names(temporary_), std::vector<std::string>{}) << "working folder left";
  }
}

// ---------------------------------------------------------------------------------------------
// `scenario pack`

// A pack made for one system: the stub it is made from and the name of the pack's file.
struct PackFor {
  std::string name;  // as --target takes it
  fs::path stub;
  std::string pack;
};

class PackCommandFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const fs::path& folder : {author_, out_, temporary_, stubs_})
      fs::create_directories(folder);
    for (const char* name : {"route.txt", "train.txt", "notes.txt", "slowdowns.txt", "sheet.txt"}) {
      fs::copy_file(fs::path(SCENARIO_ROUTE).parent_path() / name, author_ / name);
    }
  }

  // The pack is not run here, so any file that begins as an ELF file does as its stub; one a
  // little larger than the write buffer keeps the steps few and still fails a write midway.
  PackFor linux_target() const {
    std::string stub =
        "\x7f"
        "ELF";
    stub.resize(300 * 1024, '\x01');
    write_file(stubs_ / "scenario-pack-linux", stub);
    return {"linux", stubs_ / "scenario-pack-linux", kLine + "_" + kTrain};
  }

  PackFor windows_target() const {
    fs::copy_file(SCENARIO_WINDOWS_STUB, stubs_ / "scenario-pack-windows.exe");
    return {"windows", stubs_ / "scenario-pack-windows.exe", kLine + "_" + kTrain + ".exe"};
  }

  ChildEnd pack(const PackFor& target, std::map<std::string, std::string> env) const {
    env["TMPDIR"] = temporary_.string();
    std::vector<std::string> argv = {SCENARIO_TOOL, "pack", "--line", kLine, "--number", kTrain};
    for (const char* option : {"route", "train", "notes", "slowdowns", "sheet"}) {
      argv.push_back(std::string("--") + option);
      argv.push_back((author_ / (std::string(option) + ".txt")).string());
    }
    for (const std::string& more : {std::string("--target"), target.name, std::string("--stub"),
                                    target.stub.string(), std::string("-o"), out_.string()}) {
      argv.push_back(more);
    }
    return run_child(argv, folder_.path(), env);
  }

  Row row_for(const Step& step, std::size_t index, const PackFor& target) const {
    Row row = row_failing(step, index);
    const std::string reason = std::strerror(row.error);
    const WorkingFolderStep working{temporary_, route_text_, train_text_};
    const fs::path folder = step.path.parent_path();
    if (working.holds(step)) {
      if (working.reads_back_a_copy(step)) {
        // The check's own copy cannot be read back or will not go: that is this machine's
        // fault, not a failure the pack would record, and it names the author's file.
        const fs::path author =
            author_ / (step.path.filename() == route_text_ ? "route.txt" : "train.txt");
        row.status = 74;
        row.message = {"scenario: cannot pack: ", path_text(author) + ": " + reason};
      } else {
        working.fill(row);
      }
    } else if ((folder == author_ || folder == stubs_) && step.kind == "open") {
      // Read for the check, then again for the pack.
      row.status = 74;
      row.message = {"scenario: cannot ", path_text(step.path) + ": " + reason};
    } else if (folder == author_ || folder == stubs_) {
      row.status = 0;  // closing a file read whole changes nothing
    } else if (folder == out_) {
      // Writing the pack, through temporary files: the message names the pack.
      row.status = 74;
      row.message = {"scenario: cannot pack: " + path_text(out_ / target.pack) + ": " + reason};
      row.untouched = out_ / target.pack;
    } else {
      ADD_FAILURE() << "a step the table does not know: " << step.kind << " " << step.path;
    }
    return row;
  }

  void fail_every_step(const PackFor& target) {
    const std::vector<std::string> outputs = {target.pack};
    ChildEnd clean = pack(target, {});
    ASSERT_EQ(clean.status, 0) << clean.err;
    const std::map<std::string, std::string> fresh = {{target.pack, read_file(out_ / target.pack)}};

    TempFolder logs;
    lay_old_versions(out_, outputs);
    const ChildEnd counted = pack(target, counting_env(folder_.path(), logs / "steps"));
    ASSERT_EQ(counted.status, 0) << counted.err;
    const std::vector<Step> steps = steps_in(logs / "steps");
    kinds_seen(steps);
    std::cout << "failing each of the " << steps.size() << " file operations of a " << target.name
              << " pack\n";

    for (std::size_t i = 0; i < steps.size(); ++i) {
      const Row row = row_for(steps[i], i, target);
      SCOPED_TRACE(row.step.kind + " #" + std::to_string(row.step.ordinal) + " " +
                   row.step.path.string() + " " + row.error_name);
      lay_old_versions(out_, outputs);
      const ChildEnd end = pack(target, fault_env(folder_.path(), row.step, row.error_name));
      ASSERT_EQ(end.signal, 0) << end.err;
      EXPECT_EQ(end.status, row.status) << end.err;
      for (const std::string& part : row.message) {
        EXPECT_NE(end.err.find(part), std::string::npos) << "no \"" << part << "\" in " << end.err;
      }
      if (row.status == 0) {
        EXPECT_TRUE(read_file(out_ / target.pack) == fresh.at(target.pack)) << "not the new pack";
      } else {
        expect_each_old_or_new(out_, outputs, fresh, row.untouched);
      }
      EXPECT_EQ(file_names(out_), outputs) << "a temporary file left beside the pack";
      // A working folder a fault kept from going is removed by the next run.
      if (!file_names(temporary_).empty()) {
        clean = pack(target, {});
        EXPECT_EQ(clean.status, 0) << clean.err;
      }
      EXPECT_EQ(file_names(temporary_), std::vector<std::string>{}) << "working folder left";
    }
  }

  TempFolder folder_;
  const fs::path author_ = folder_ / "author";
  const fs::path out_ = folder_ / "out";
  const fs::path temporary_ = folder_ / "tmp";
  const fs::path stubs_ = folder_ / "stubs";
  const std::string route_text_ = kLine + "_linea.txt";
  const std::string train_text_ = kLine + "_" + kTrain + "-.txt";
};

TEST_F(PackCommandFaults, EveryStepOfALinuxPackFailsCleanly) { fail_every_step(linux_target()); }

TEST_F(PackCommandFaults, EveryStepOfAWindowsPackFailsCleanly) {
  if (std::string_view(SCENARIO_WINDOWS_STUB).empty() || !fs::exists(SCENARIO_WINDOWS_STUB)) {
    GTEST_SKIP() << "no Windows stub in this build (it needs the MinGW-w64 cross compiler)";
  }
  fail_every_step(windows_target());
}

}  // namespace
}  // namespace scenario::testing
